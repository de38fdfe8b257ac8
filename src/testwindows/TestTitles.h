#pragma once
// The titles of the test windows ("Seq. Read Test(64.0KB 全域) - "), which begin every caption
// and name the saved results, and the name the save dialog proposes.
#include <cstdint>
#include <string>

namespace sektra {

// Titles fit the windows' 128-character title buffer: at most this many characters.
constexpr std::size_t kMaxTitleLength = 127;
// The save dialog's file-name buffer holds 520 characters with the final NUL.
constexpr std::size_t kMaxSaveNameLength = 519;

// Transfer tests 5 to 8 (Sequential Read, Sequential Write, Random Read, Random Write): the size
// in KB with one decimal and the range label. Empty for any other test type. A label too long
// for the title is cut, so the title keeps its ')' and " - ".
std::wstring TransferTitle(std::uint32_t testType, double kilobytes, const std::wstring& rangeLabel);
// Cache hit (3), Read Buffer (9) and Write Buffer (10); empty for any other type.
std::wstring CacheTitle(std::uint32_t testType, double kilobytes);
// The seek test with its label, cut like the range label; "Access Time Test(" when the test
// times one-block reads instead of seeks.
std::wstring SeekTitle(const std::wstring& label, bool accessTime = false);
// The size in KB of `units` blocks of `blockLength` bytes, in 64 bits: 2^20 blocks of 4096
// bytes are 4 GiB, past what 32 bits hold.
double BlocksInKilobytes(std::uint64_t units, std::uint32_t blockLength);

// The title up to and including its last ')' (the whole title when it has none).
std::wstring TitleUpToParenthesis(const std::wstring& title);
// "<model> <title up to its ')'>", cut to what the save dialog holds.
std::wstring InitialSaveName(const std::wstring& model, const std::wstring& title);

}  // namespace sektra
