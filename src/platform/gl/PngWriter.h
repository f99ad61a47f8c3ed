// A minimal PNG encoder for screenshots and golden pictures: one IHDR, one zlib-compressed
// IDAT and IEND, 8-bit RGBA, filter type 0 on every row. Pixels come in as 0xAARRGGBB words,
// top row first, the layout the graphics backend reads its target back in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tvx {

// The complete PNG file; empty when the size is zero or compression fails.
std::vector<std::uint8_t> EncodePng(std::uint32_t width, std::uint32_t height,
                                    const std::vector<std::uint32_t>& argbPixels);

// Encodes and writes the file; false when the pixels do not match the size or writing fails.
bool WritePng(const std::string& path, std::uint32_t width, std::uint32_t height,
              const std::vector<std::uint32_t>& argbPixels);

}  // namespace tvx
