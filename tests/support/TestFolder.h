// Test support: a temporary folder, removed with everything in it when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TestFolder final
{
public:
    // With enter set, the folder is the working directory until the end.
    explicit TestFolder(bool enter)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "hm-test-XXXXXX").string();
        EXPECT_NE(mkdtemp(pattern.data()), nullptr);
        path = pattern;
        if (enter)
        {
            oldDir = std::filesystem::current_path();
            std::filesystem::current_path(path);
        }
    }

    ~TestFolder()
    {
        if (!oldDir.empty())
            std::filesystem::current_path(oldDir);
        std::filesystem::remove_all(path);
    }

    TestFolder(TestFolder const&) = delete;
    TestFolder& operator=(TestFolder const&) = delete;

    std::string operator/(char const* name) const { return (path / name).string(); }
    std::string Path() const { return path.string(); }

    // Writes text to a file under the folder, making its parents.
    void WriteText(std::string const& name, std::string const& text) const
    {
        std::filesystem::path const file = path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }

    std::filesystem::path path;
    std::filesystem::path oldDir;
};
