// The file-backed device through the unchanged Device: what it says it is, that READ(10) and
// WRITE(10) move the file's own bytes, and that nothing outside the file, or in a file opened
// for reading, is ever written.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/PageBuffer.h"
#include "device/Sense.h"
#include "device/StorageStructs.h"
#include "filedevice/FileDevicePort.h"
#include "native/filedevice/ScratchFile.h"

namespace sektra {
namespace {

using test::ScratchByte;
using test::ScratchFile;

// 4096 whole blocks and 100 bytes more that no block reaches.
constexpr std::uint64_t kBlocks = 4096;
constexpr std::uint64_t kFileSize = kBlocks * 512 + 100;

struct Sense {
    int result;
    std::uint8_t key, asc;
};

class FileDevicePortTest : public testing::Test {
protected:
    void Attach(FileAccess access) {
        std::string error;
        ASSERT_TRUE(port.Attach(file.Path(), access, &error)) << error;
        ASSERT_EQ(device.Open(0, 0), 0);
    }
    Sense Read(std::uint32_t lba, std::uint16_t blocks, void* data, std::uint32_t length) {
        IoBuffer io = {data, length, {}};
        const int result = device.Read10(&io, false, false, false, lba, blocks);
        return {result, SenseKey(io.sense), AdditionalSenseCode(io.sense)};
    }
    Sense Write(std::uint32_t lba, std::uint16_t blocks, void* data, std::uint32_t length) {
        IoBuffer io = {data, length, {}};
        const int result = device.Write10(&io, false, false, false, lba, blocks);
        return {result, SenseKey(io.sense), AdditionalSenseCode(io.sense)};
    }
    // The file is exactly as the fixture made it, size included.
    void ExpectFileUntouched() {
        const std::string now = file.Contents();
        ASSERT_EQ(now.size(), kFileSize);
        for (std::uint64_t i = 0; i < kFileSize; ++i) {
            ASSERT_EQ(static_cast<std::uint8_t>(now[i]), ScratchByte(i)) << "byte " << i;
        }
    }

    ScratchFile file{kFileSize};
    FileDevicePort port;
    Device device{&port};
    PageBuffer buffer{1024 * 1024};
};

TEST_F(FileDevicePortTest, DescribesTheFileAsADiskOfItsWholeBlocks) {
    Attach(FileAccess::ReadOnly);
    std::uint32_t lastLba = 0, blockLength = 0;
    EXPECT_EQ(device.ReadCapacity(&lastLba, &blockLength), 0);
    EXPECT_EQ(lastLba, 4095u);  // (2097152 + 100) / 512 - 1
    EXPECT_EQ(blockLength, 512u);
    std::uint64_t lastLba64 = 0;
    EXPECT_EQ(device.GetCapacity(&lastLba64, &blockLength), 0);
    EXPECT_EQ(lastLba64, 4095u);
    EXPECT_EQ(device.GetPeripheralType(), 0u);
    EXPECT_EQ(device.GetBusType(), 15u);  // File Backed Virtual
    EXPECT_STREQ(device.GetModelName(), "SEKTRA FILE DEVICE");
    EXPECT_STREQ(device.GetModelNameWithRevision(), "SEKTRA FILE DEVICE (1.00)");
    // min(MaximumTransferLength 1 MiB, 257 pages × 4096) = 1048576; that many 512-byte blocks.
    EXPECT_EQ(device.GetMaxTransferBytes(), 1048576u);
    EXPECT_EQ(device.GetMaxReadSectors(), 2048);
    uint8_t block[512];
    EXPECT_EQ(device.IdentifyAta(block), -1);  // not an ATA drive
}

// A sparse file of 2 TiB and one block: 2^32 + 1 blocks, one past what READ CAPACITY(10) can
// say, so the capacity comes from READ CAPACITY(16).
TEST(FileDevicePortCapacity, BeyondTwoTebibytes) {
    struct SparseFile {
        std::filesystem::path path = std::filesystem::current_path() / "filedevice-sparse-2tib.bin";
        ~SparseFile() {
            std::error_code ec;
            std::filesystem::remove(path, ec);
        }
    } file;
    std::ofstream(file.path, std::ios::binary).put('\0');
    std::error_code ec;
    std::filesystem::resize_file(file.path, (std::uint64_t{1} << 41) + 512, ec);
    if (ec) GTEST_SKIP() << "no sparse file of 2 TiB here: " << ec.message();
    FileDevicePort port;
    std::string error;
    ASSERT_TRUE(port.Attach(file.path.string(), FileAccess::ReadOnly, &error)) << error;
    Device device(&port);
    ASSERT_EQ(device.Open(0, 0), 0);
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(device.GetCapacity(&lastLba, &blockLength), 0);
    EXPECT_EQ(lastLba, 0x100000000ull);
    EXPECT_EQ(blockLength, 512u);
}

TEST_F(FileDevicePortTest, ReadsReturnTheFilesBytes) {
    Attach(FileAccess::ReadOnly);
    struct Case {
        std::uint32_t lba;
        std::uint16_t blocks;
    };
    for (const Case c : {Case{0, 1}, Case{17, 3}, Case{1000, 128}, Case{4000, 96}, Case{4095, 1}, Case{0, 2048}}) {
        std::memset(buffer.Data(), 0xAA, buffer.Size());
        const Sense s = Read(c.lba, c.blocks, buffer.Data(), c.blocks * 512u);
        ASSERT_EQ(s.result, 0);
        ASSERT_EQ(s.key, 0) << "lba " << c.lba;
        const auto* data = static_cast<const std::uint8_t*>(buffer.Data());
        for (std::uint32_t i = 0; i < c.blocks * 512u; ++i) {
            ASSERT_EQ(data[i], ScratchByte(std::uint64_t{c.lba} * 512 + i)) << "lba " << c.lba << " byte " << i;
        }
        if (c.blocks * 512u < buffer.Size()) {
            EXPECT_EQ(data[c.blocks * 512u], 0xAA) << "nothing beyond the blocks asked for";
        }
    }
    EXPECT_EQ(port.CheckConditionCount(), 0u);
}

TEST_F(FileDevicePortTest, WritesChangeExactlyTheirBlocks) {
    Attach(FileAccess::ReadWrite);
    std::memset(buffer.Data(), 0x5C, 3 * 512);
    const Sense s = Write(10, 3, buffer.Data(), 3 * 512);
    ASSERT_EQ(s.result, 0);
    EXPECT_EQ(s.key, 0);
    const std::string now = file.Contents();
    ASSERT_EQ(now.size(), kFileSize);
    for (std::uint64_t i = 0; i < kFileSize; ++i) {
        const std::uint8_t expected = i >= 10 * 512 && i < 13 * 512 ? 0x5C : ScratchByte(i);
        ASSERT_EQ(static_cast<std::uint8_t>(now[i]), expected) << "byte " << i;
    }
    // And the device reads back what it wrote.
    std::memset(buffer.Data(), 0, 4 * 512);
    ASSERT_EQ(Read(9, 4, buffer.Data(), 4 * 512).key, 0);
    const auto* data = static_cast<const std::uint8_t*>(buffer.Data());
    EXPECT_EQ(data[0], ScratchByte(9 * 512));
    EXPECT_EQ(data[512], 0x5C);
    EXPECT_EQ(data[4 * 512 - 1], 0x5C);
}

TEST_F(FileDevicePortTest, ReadOnlyFileRefusesEveryWriteWithDataProtect) {
    Attach(FileAccess::ReadOnly);
    std::memset(buffer.Data(), 0x5C, 8 * 512);
    for (std::uint32_t lba : {0u, 100u, 4095u}) {
        const Sense s = Write(lba, 1, buffer.Data(), 512);
        EXPECT_EQ(s.result, 0);
        EXPECT_EQ(s.key, 0x07) << "lba " << lba;  // DATA PROTECT
        EXPECT_EQ(s.asc, 0x27);                   // write protected
    }
    EXPECT_EQ(port.CheckConditionCount(), 3u);
    ExpectFileUntouched();
}

TEST_F(FileDevicePortTest, CommandsBeyondTheLastBlockAreRefusedAndWriteNothing) {
    Attach(FileAccess::ReadWrite);
    struct Case {
        std::uint32_t lba;
        std::uint16_t blocks;
    };
    // Block 4096 would be the 100 bytes after the last whole block, and beyond the file's end.
    const Case cases[] = {{4096, 1}, {4095, 2}, {4000, 97}, {0xFFFFFFFF, 1}, {0xFFFFFFFF, 0}, {4096, 0}};
    std::memset(buffer.Data(), 0x5C, buffer.Size());
    for (const Case c : cases) {
        for (bool write : {false, true}) {
            const Sense s = write ? Write(c.lba, c.blocks, buffer.Data(), c.blocks * 512u)
                                  : Read(c.lba, c.blocks, buffer.Data(), c.blocks * 512u);
            EXPECT_EQ(s.result, 0);
            EXPECT_EQ(s.key, 0x05) << "lba " << c.lba << " blocks " << c.blocks << (write ? " write" : " read");
            EXPECT_EQ(s.asc, 0x21);  // LBA out of range
        }
    }
    ExpectFileUntouched();
}

TEST_F(FileDevicePortTest, RefusesTransfersItCannotCarryOutUnbuffered) {
    Attach(FileAccess::ReadWrite);
    auto* data = static_cast<std::uint8_t*>(buffer.Data());
    // A buffer off the page boundary: the control call fails, and the port says why.
    EXPECT_EQ(Read(0, 1, data + 512, 512).result, -1);
    EXPECT_NE(port.LastRefusal().find("aligned"), std::string::npos) << port.LastRefusal();
    EXPECT_EQ(Write(0, 1, data + 8, 512).result, -1);
    // A buffer shorter than the blocks asked for.
    EXPECT_EQ(Read(0, 2, data, 512).result, -1);
    // More than the port's largest transfer.
    EXPECT_EQ(Read(0, 2049, data, 2049 * 512).result, -1);
    EXPECT_EQ(port.RefusedCount(), 4u);
    EXPECT_EQ(port.CheckConditionCount(), 0u);
    ExpectFileUntouched();
}

TEST_F(FileDevicePortTest, AnswersOtherCommandsAsADiskWithoutThem) {
    Attach(FileAccess::ReadOnly);
    IoBuffer io = {buffer.Data(), 0, {}};
    EXPECT_EQ(device.Seek10(&io, 0), 0);
    EXPECT_EQ(SenseKey(io.sense), 0x05);
    EXPECT_EQ(AdditionalSenseCode(io.sense), 0x20);  // invalid operation code
    std::memset(io.sense, 0, sizeof(io.sense));
    io.length = 255;
    EXPECT_EQ(device.Inquiry(&io, false, true, 0x80, 255), 0);  // no vital product data
    EXPECT_EQ(SenseKey(io.sense), 0x05);
    EXPECT_EQ(AdditionalSenseCode(io.sense), 0x24);
}

TEST(FileDevicePortOpenTest, AMissingFileIsNotCreated) {
    const std::string path = (std::filesystem::current_path() / "filedevice-missing.bin").string();
    std::filesystem::remove(path);
    FileDevicePort port;
    std::string error;
    EXPECT_FALSE(port.Attach(path, FileAccess::ReadWrite, &error));
    EXPECT_NE(error.find("filedevice-missing.bin"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(port.Open(0, 0), kInvalidPortHandle);
}

TEST(FileDevicePortOpenTest, OnlyTheFirstDiskExistsAndClosedHandlesFail) {
    ScratchFile file(8 * 512);
    FileDevicePort port;
    std::string error;
    ASSERT_TRUE(port.Attach(file.Path(), FileAccess::ReadOnly, &error)) << error;
    EXPECT_EQ(port.Open(0, 1), kInvalidPortHandle);
    EXPECT_EQ(port.Open(1, 0), kInvalidPortHandle);
    const PortHandle handle = port.Open(0, 0);
    ASSERT_NE(handle, kInvalidPortHandle);
    StoragePropertyQuery query = {kStorageAdapterProperty, kPropertyStandardQuery, {0}};
    StorageAdapterDescriptor adapter = {};
    std::uint32_t returned = 0;
    EXPECT_TRUE(port.Control(handle, kIoctlStorageQueryProperty, &query, sizeof(query), &adapter,
                             sizeof(adapter), &returned));
    EXPECT_EQ(adapter.AlignmentMask, 4095u);
    port.Close(handle);
    EXPECT_FALSE(port.Control(handle, kIoctlStorageQueryProperty, &query, sizeof(query), &adapter,
                              sizeof(adapter), &returned));
}

}  // namespace
}  // namespace sektra
