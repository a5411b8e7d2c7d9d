// An empty folder for one test case, removed afterwards. Its name carries the case's name and a
// random part, because ctest runs the cases of one program as parallel processes.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

class ScratchFolder {
public:
    ScratchFolder() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        char unique[16];
        std::snprintf(unique, sizeof unique, "%08x", std::random_device{}());
        path_ =
            std::filesystem::temp_directory_path() /
            (std::string("velmora-") + test->test_suite_name() + "-" + test->name() + "-" + unique);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const { return path_; }
    // The path as UTF-8 text, as the host's control functions take it.
    std::string Utf8() const {
        const std::u8string text = path_.u8string();
        return {text.begin(), text.end()};
    }

private:
    std::filesystem::path path_;
};
