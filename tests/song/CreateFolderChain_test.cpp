#include "song/CreateSngUnit.h"

#include "platform/SysUtils.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// Relative folder texts are resolved against the current folder, so each
// test runs inside a fresh one.
class CreateFolderChainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        fs::current_path(folder_.Path());
    }
    void TearDown() override { fs::current_path(previous_); }

    TempFolder folder_;
    fs::path previous_;
};

TEST_F(CreateFolderChainTest, MakesEveryMissingFolderOfAnAbsolutePath)
{
    const std::string deep = folder_ / "a/bb/ccc/dddd";
    EXPECT_TRUE(CreateFolderChain(deep));
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_TRUE(CreateFolderChain(deep + "/"));   // existing, with a separator: fine
    EXPECT_TRUE(CreateFolderChain("/"));
}

TEST_F(CreateFolderChainTest, FailsWithoutRaisingWhereAnAbsolutePathCannotBeMade)
{
    WriteFileBytes(folder_ / "file", "x");
    EXPECT_FALSE(CreateFolderChain(folder_ / "file/sub/deeper"));
    EXPECT_FALSE(fs::exists(folder_ / "file/sub"));
}

TEST_F(CreateFolderChainTest, RelativeTexts)
{
    struct Case { std::string folder; bool raises; bool result; std::vector<std::string> made; };
    const Case cases[] = {
        {"", true, false, {}},
        {"   ", true, false, {}},
        {"abc", true, false, {}},          // a first name of three or more that is missing
        {"abc/def", true, false, {}},
        {"ab/cd", false, false, {}},       // one or two characters: nothing made, no error
        {"x", false, true, {}},
        {"abc//", false, true, {}},        // ends in a separator after one is removed
    };
    for (const Case& c : cases) {
        bool raised = false, result = false;
        try {
            result = CreateFolderChain(c.folder);
        } catch (const EInOutError& e) {
            raised = true;
            EXPECT_STREQ(e.what(), "Unable to create directory");
        }
        EXPECT_EQ(raised, c.raises) << '"' << c.folder << '"';
        if (!c.raises) {
            EXPECT_EQ(result, c.result) << '"' << c.folder << '"';
        }
        EXPECT_EQ(folder_.Names(), c.made) << '"' << c.folder << '"';
    }
}

TEST_F(CreateFolderChainTest, RelativePathBelowAnExistingFirstFolder)
{
    fs::create_directory("abc");
    EXPECT_TRUE(CreateFolderChain("abc/def/ghi"));
    EXPECT_TRUE(fs::is_directory(folder_ / "abc/def/ghi"));
}
