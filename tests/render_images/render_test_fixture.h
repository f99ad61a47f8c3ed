// A device on the recording graphics double, initialised, with helpers that write archives
// of given records to a temporary file and open them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "archive/PxDb.h"
#include "archive_writer/PxDbWriter.h"
#include "core/component.h"
#include "platform/doubles/recording_graphics_api.h"
#include "render/PxDevices.h"
#include "render/PxImages.h"

namespace tvx::testing {

struct TestRecord {
  std::string key;
  std::uint16_t type;
  std::vector<std::uint8_t> bytes;
};

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = CreateComponent<TPxDevice>(&root, api);
    ASSERT_TRUE(device->Initialize());
  }

  // An archive holding the records in this order, opened read-only.
  TPxDb& Archive(const std::vector<TestRecord>& records) {
    PxDbWriter writer;
    for (const TestRecord& record : records) writer.Add(record.key, record.type, record.bytes);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path = ::testing::TempDir() + info->test_suite_name() + "_" + info->name() +
                             "_" + std::to_string(archives_++) + ".tvx";
    std::string error;
    EXPECT_TRUE(writer.WriteFile(path, error)) << error;
    auto* archive = CreateComponent<TPxDb>(&root);
    archive->SetFileName(path);
    archive->OpenMode = TOpenModes::opReadOnly;
    return *archive;
  }

  // Parses record bytes into the image as the image list does.
  static bool LoadBytes(TPxImage& image, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(0);
    return image.LoadFromStream(stream);
  }

  // Declared before the root so that the components go first.
  gfx::RecordingGraphicsApi api;
  TComponent root{nullptr};
  TPxDevice* device = nullptr;

 private:
  int archives_ = 0;
};

}  // namespace tvx::testing
