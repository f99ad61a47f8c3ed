// A device on the recording graphics double, initialised, with helpers that write archives
// of given records to a temporary file and open them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "archive/PxDb.h"
#include "archive_writer/pxdb_writer.h"
#include "core/Component.h"
#include "core/TempFolder.h"
#include "harness/RenderRig.h"
#include "platform/doubles/RecordingGraphicsApi.h"

namespace tvx::testing {

struct TestRecord {
  std::string key;
  std::uint16_t type;
  std::vector<std::uint8_t> bytes;
};

// Writes the records in this order to a new archive file for the current test and opens it
// read-only as a component of `owner`. The files go to one folder removed when the tests end.
inline TPxDb& WriteTestArchive(TComponent& owner, const std::vector<TestRecord>& records) {
  static const TempFolder folder;
  static int archives = 0;
  PxDbWriter writer;
  for (const TestRecord& record : records) writer.Add(record.key, record.type, record.bytes);
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "_" + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';  // parameterised tests have slashes in their names
  }
  const std::string path = folder.File(name + "_" + std::to_string(archives++) + ".tvx");
  std::string error;
  EXPECT_TRUE(writer.WriteFile(path, error)) << error;
  auto* archive = CreateComponent<TPxDb>(&owner);
  archive->SetFileName(path);
  archive->OpenMode = TOpenModes::opReadOnly;
  return *archive;
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device->Initialize()); }

  TPxDb& Archive(const std::vector<TestRecord>& records) { return WriteTestArchive(root, records); }

  // Parses record bytes into the image as the image list does.
  static bool LoadBytes(TPxImage& image, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.Write(bytes.data(), bytes.size());
    stream.Seek(0);
    return image.LoadFromStream(stream);
  }

  gfx::RecordingGraphicsApi api;  // outlives the rig's components
  RenderRig rig{api};
  TComponent& root = rig.root;
  TPxDevice* device = rig.device;
};

}  // namespace tvx::testing
