// Compares a folder of written song files with the golden files checked by
// hand: the same names, and byte for byte the same contents.
#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

inline std::vector<std::string> SortedFileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline void ExpectSameFiles(const std::filesystem::path& folder, const std::filesystem::path& golden)
{
    const std::vector<std::string> expected = SortedFileNames(golden);
    EXPECT_EQ(SortedFileNames(folder), expected);
    for (const std::string& name : expected)
        EXPECT_EQ(ReadFileBytes((folder / name).string()), ReadFileBytes((golden / name).string())) << name;
}
