#pragma once
// A fresh folder for one test's files, removed afterwards; works natively and under wine.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace sektra::test {

class ScratchDir {
public:
    ScratchDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("sektra-test-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::wstring File(const std::string& name) const { return (path_ / name).wstring(); }
    std::wstring Path() const { return path_.wstring(); }

    void Put(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string Get(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

}  // namespace sektra::test
