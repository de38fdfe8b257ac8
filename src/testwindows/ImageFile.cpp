#include "testwindows/ImageFile.h"

#include <cwchar>
#include <cwctype>

#include "framework/File.h"

namespace sektra {
namespace {

bool IsValid(const Image& image) {
    return image.width > 0 && image.height > 0 && image.width <= kMaxImageSide && image.height <= kMaxImageSide &&
           image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
}

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A PNG chunk: length, type, data, and the CRC of type and data.
void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

// A zlib stream of stored deflate blocks (at most 65,535 bytes each) around `raw`.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out = {0x78, 0x01};  // deflate, 32 KB window; 0x7801 is a multiple of 31
    std::size_t at = 0;
    do {
        const std::size_t length = raw.size() - at < 65535 ? raw.size() - at : 65535;
        const bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
        PutLittle(out, static_cast<std::uint32_t>(length), 2);
        PutLittle(out, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    PutBig32(out, Adler32(raw.data(), raw.size()));
    return out;
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t a = 1, b = 0;
    for (std::size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    if (!IsValid(image)) return {};
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLittle(out, 54 + pixelBytes, 4);
    PutLittle(out, 0, 4);   // reserved
    PutLittle(out, 54, 4);  // pixels follow the two headers
    PutLittle(out, 40, 4);  // BITMAPINFOHEADER
    PutLittle(out, static_cast<std::uint32_t>(image.width), 4);
    PutLittle(out, static_cast<std::uint32_t>(image.height), 4);  // positive: rows bottom first
    PutLittle(out, 1, 2);
    PutLittle(out, 24, 2);
    PutLittle(out, 0, 4);  // BI_RGB
    PutLittle(out, pixelBytes, 4);
    PutLittle(out, 3780, 4);  // 96 dots per inch, in dots per metre
    PutLittle(out, 3780, 4);
    PutLittle(out, 0, 4);
    PutLittle(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint32_t* row = &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width)];
        for (int x = 0; x < image.width; ++x) PutLittle(out, row[x], 3);  // blue, green, red
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> EncodePng(const Image& image) {
    if (!IsValid(image)) return {};
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(image.height) * (1 + 3 * static_cast<std::size_t>(image.width)));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        const std::uint32_t* row = &image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width)];
        for (int x = 0; x < image.width; ++x) {
            raw.push_back(static_cast<std::uint8_t>(row[x] >> 16));
            raw.push_back(static_cast<std::uint8_t>(row[x] >> 8));
            raw.push_back(static_cast<std::uint8_t>(row[x]));
        }
    }
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(image.width));
    PutBig32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter choice, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", StoredZlib(raw));
    PutChunk(out, "IEND", {});
    return out;
}

bool IsBmpPath(const wchar_t* path) {
    if (path == nullptr) return false;
    const std::size_t length = std::wcslen(path);
    if (length < 4) return false;
    const wchar_t* tail = path + length - 4;
    return tail[0] == L'.' && std::towlower(tail[1]) == L'b' && std::towlower(tail[2]) == L'm' &&
           std::towlower(tail[3]) == L'p';
}

int WriteImageFile(const wchar_t* path, const std::vector<std::uint8_t>& bytes) {
    if (path == nullptr || bytes.empty()) return -1;
    File file;
    if (file.OpenWrite(path, kGenericWrite, 0, true) != 0) return -1;
    const int written = file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    return file.Close() == 0 && written == 0 ? 0 : -1;
}

}  // namespace sektra
