#include "platform/FileSystem.h"

#include "platform/SysUtils.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(ReplaceFileContents, ReplacesInOneStepWithPlainPermissions)
{
    TempFolder folder;
    const std::string path = folder / "song.sng";
    ReplaceFileContents(path, "first");
    WriteFileBytes(folder / "plain", "x");
    const fs::perms plain = fs::status(folder / "plain").permissions();
    EXPECT_EQ(fs::status(path).permissions(), plain);
    fs::remove(folder / "plain");

    // The replacement is a new file: it does not inherit the old one's bits.
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_write);
    ReplaceFileContents(path, std::string("sec\0nd", 6));
    EXPECT_EQ(ReadFileBytes(path), std::string("sec\0nd", 6));
    EXPECT_EQ(fs::status(path).permissions(), plain);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"song.sng"});
}

TEST(ReplaceFileContents, FailuresLeaveNoTemporaryBehind)
{
    TempFolder folder;
    fs::create_directory(folder / "dir");
    WriteFileBytes(folder / "ro", "keep");
    fs::permissions(folder / "ro", fs::perms::owner_read);
    for (const std::string& target : {folder / "dir", folder / "ro", folder / std::string(300, 'x')})
        EXPECT_THROW(ReplaceFileContents(target, "data"), EFCreateError) << target;
    EXPECT_EQ(ReadFileBytes(folder / "ro"), "keep");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"dir", "ro"}));
}

TEST(ReplaceFileContents, EmptyPathIsAClearError)
{
    EXPECT_THROW(ReplaceFileContents("", "x"), EFCreateError);
}
