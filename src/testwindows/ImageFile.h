#pragma once
// A picture in memory and the two file formats it is saved in: an uncompressed 24-bit BMP and
// a PNG whose deflate stream holds stored blocks only, so that no compression library is
// needed; a graph of a few hundred pixels square stays well under a megabyte either way.
#include <cstdint>
#include <vector>

namespace sektra {

struct Image {
    // Pixels are 0x00RRGGBB, rows top first.
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Pictures beyond this side length, or whose pixels do not match the size, encode to nothing.
constexpr int kMaxImageSide = 8192;

std::vector<std::uint8_t> EncodeBmp(const Image& image);
std::vector<std::uint8_t> EncodePng(const Image& image);

// The checksums PNG files carry: CRC-32 (ISO 3309) and the zlib stream's Adler-32.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// True when the path ends in ".bmp" (any case); every other name is saved as PNG.
bool IsBmpPath(const wchar_t* path);

// Writes the bytes as the whole file; 0, or -1 when nothing or not all could be written.
int WriteImageFile(const wchar_t* path, const std::vector<std::uint8_t>& bytes);

}  // namespace sektra
