#pragma once
// A fresh folder for one test's files, removed with everything in it afterwards. Its name is new
// for every run (the test's name and a random part, made by mkdtemp), so folders another user's run
// left in the shared temporary folder never stand in the way.
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lumaro::testing {

class TempFolder {
public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "lumaro-";
        name += test ? std::string(test->test_suite_name()) + "-" + test->name() : "test";
        std::replace(name.begin(), name.end(), '/', '-');  // parameterised tests are named "Suite/0"
        const std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!mkdtemp(buffer.data()))
            throw std::filesystem::filesystem_error("no temporary folder", pattern,
                                                    std::error_code(errno, std::generic_category()));
        path_ = buffer.data();
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace lumaro::testing
