// The BMP and PNG files a graph is saved in, checked byte by byte against hand-made layouts and
// checksums computed elsewhere (the CRC-32 and Adler-32 check values of their standards).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testwindows/ImageFile.h"

namespace sektra {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Little(const Bytes& b, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | b[at + static_cast<std::size_t>(i)];
    return value;
}

std::uint32_t Big(const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

Image TwoByTwo() { return Image{2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456}}; }

TEST(ImageFileTest, ChecksumsMatchTheirCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()), 0xCBF43926u);
    const std::string word = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(word.data()), word.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(ImageFileTest, BmpHasHeadersAndBottomUpPaddedRows) {
    const Bytes bmp = EncodeBmp(TwoByTwo());
    ASSERT_EQ(bmp.size(), 54u + 2 * 8);  // rows of 6 bytes padded to 8
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Little(bmp, 2, 4), 70u);
    EXPECT_EQ(Little(bmp, 10, 4), 54u);
    EXPECT_EQ(Little(bmp, 14, 4), 40u);
    EXPECT_EQ(Little(bmp, 18, 4), 2u);
    EXPECT_EQ(Little(bmp, 22, 4), 2u);
    EXPECT_EQ(Little(bmp, 28, 2), 24u);
    const Bytes pixels(bmp.begin() + 54, bmp.end());
    const Bytes expected = {0xFF, 0x00, 0x00, 0x56, 0x34, 0x12, 0, 0,   // bottom row: blue, 0x123456
                            0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0};  // top row: red, green
    EXPECT_EQ(pixels, expected);
}

TEST(ImageFileTest, SmallPngIsLaidOutChunkByChunk) {
    const Bytes png = EncodePng(TwoByTwo());
    // Signature 8, IHDR 12 + 13, IDAT 12 + (2 + 5 + 2 rows × 7 + 4), IEND 12.
    ASSERT_EQ(png.size(), 8u + 25 + 37 + 12);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    EXPECT_EQ(Big(png, 8), 13u);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(Big(png, 16), 2u);
    EXPECT_EQ(Big(png, 20), 2u);
    EXPECT_EQ(Bytes(png.begin() + 24, png.begin() + 29), (Bytes{8, 2, 0, 0, 0}));
    EXPECT_EQ(Big(png, 29), 0xFDD49A73u);  // zlib.crc32 of the type and data
    EXPECT_EQ(std::string(png.begin() + 37, png.begin() + 41), "IDAT");
    const Bytes stream(png.begin() + 41, png.begin() + 41 + 25);
    const Bytes raw = {0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0x12, 0x34, 0x56};
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0);
    EXPECT_EQ(Bytes(stream.begin() + 2, stream.begin() + 7), (Bytes{1, 14, 0, 0xF1, 0xFF}));
    EXPECT_EQ(Bytes(stream.begin() + 7, stream.begin() + 21), raw);
    const Bytes tail(png.end() - 12, png.end());
    EXPECT_EQ(tail, (Bytes{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
}

// A picture beyond 65,535 bytes of rows needs more than one stored block.
TEST(ImageFileTest, LargePngSplitsItsStoredBlocks) {
    Image image{200, 120, std::vector<std::uint32_t>(200 * 120)};
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint32_t>(i * 2654435761u);
    const Bytes png = EncodePng(image);
    const std::size_t idatLength = Big(png, 33);
    std::size_t at = 41 + 2;
    Bytes inflated;
    int blocks = 0;
    bool final = false;
    while (!final) {
        final = (png[at] & 1) != 0;
        ASSERT_EQ(png[at] & 6, 0);  // stored
        const std::uint32_t length = Little(png, at + 1, 2);
        ASSERT_EQ(Little(png, at + 3, 2), ~length & 0xFFFF);
        inflated.insert(inflated.end(), png.begin() + static_cast<long>(at + 5),
                        png.begin() + static_cast<long>(at + 5 + length));
        at += 5 + length;
        ++blocks;
    }
    EXPECT_EQ(blocks, 2);
    ASSERT_EQ(inflated.size(), 120u * 601);
    EXPECT_EQ(at + 4, 41 + idatLength);
    EXPECT_EQ(inflated[0], 0);
    const std::uint32_t last = image.pixels.back();
    EXPECT_EQ(inflated[inflated.size() - 3], static_cast<std::uint8_t>(last >> 16));
    EXPECT_EQ(inflated[inflated.size() - 1], static_cast<std::uint8_t>(last));
}

TEST(ImageFileTest, MisshapenPicturesEncodeToNothing) {
    const Image cases[] = {
        {0, 2, {}},
        {2, 2, {1, 2, 3}},
        {kMaxImageSide + 1, 1, std::vector<std::uint32_t>(kMaxImageSide + 1)},
        {-1, -1, {1}},
    };
    for (const Image& image : cases) {
        EXPECT_TRUE(EncodeBmp(image).empty());
        EXPECT_TRUE(EncodePng(image).empty());
    }
}

TEST(ImageFileTest, ExtensionChoosesTheFormat) {
    EXPECT_TRUE(IsBmpPath(L"C:\\graph.bmp"));
    EXPECT_TRUE(IsBmpPath(L"GRAPH.BMP"));
    EXPECT_FALSE(IsBmpPath(L"graph.png"));
    EXPECT_FALSE(IsBmpPath(L"bmp"));
    EXPECT_FALSE(IsBmpPath(L"graph.bmp.png"));
    EXPECT_FALSE(IsBmpPath(nullptr));
}

TEST(ImageFileTest, WrittenFileHoldsEveryByte) {
    const std::string path = ::testing::TempDir() + "image_file_test.png";
    const std::wstring widePath(path.begin(), path.end());
    const Bytes png = EncodePng(TwoByTwo());
    ASSERT_EQ(WriteImageFile(widePath.c_str(), png), 0);
    std::ifstream in(path, std::ios::binary);
    const Bytes read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read, png);
    std::remove(path.c_str());
    EXPECT_EQ(WriteImageFile(widePath.c_str(), Bytes()), -1);
    EXPECT_EQ(WriteImageFile((widePath + L".missing/x.png").c_str(), png), -1);
}

}  // namespace
}  // namespace sektra
