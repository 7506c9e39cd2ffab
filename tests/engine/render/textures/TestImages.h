// Writes small test images into a temporary folder with libpng / libjpeg,
// and captures log lines, for the texture tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the test temp dir; removed by the caller's TearDown.
std::string MakeTempFolder(const std::string& tag);
void RemoveFolder(const std::string& folder);

// Writes an 8-bit PNG; channels 4 = RGBA, 3 = RGB, 1 = grey; bit_depth 8 or 16.
// rgba holds width x height pixels as 0xAARRGGBB (unused channels ignored).
void WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
              int channels = 4, int bit_depth = 8, bool interlaced = false);
// Writes an RGB (or grey with channels 1) JPEG at high quality.
void WriteJpeg(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
               int channels = 3);
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
