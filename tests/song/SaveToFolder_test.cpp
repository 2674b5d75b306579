#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "platform/System.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

class SaveToFolder : public ::testing::Test {
protected:
    void SetUp() override { SetACP(1252); }
    void TearDown() override { SetACP(0); }

    // Saves a song with `title` and `text` (tidied first) into the folder.
    std::string Save(const std::string& title, const std::string& text, const std::string& into)
    {
        TSimpleSNG song;
        song.SetTitle(title);
        song.SetLinesText(text);
        song.Tidy();
        return song.SaveToFolder(into);
    }

    TempFolder folder;
};

TEST_F(SaveToFolder, NamesTheFileAfterTheFilteredTitle)
{
    struct Case { std::string title, text, fileName; };
    const std::string sixty(60, 'x');
    const Case cases[] = {
        {"Amazing Grace", "a", "Amazing Grace.sng"},
        {"Gr\xF6\xDF" "er \xC4\xD6\xDC\xE4\xFC", "a", "Größer ÄÖÜäü.sng"},   // umlauts and ß stay
        {"Caf\xE9 Ni\xF1o's, well-known.", "a", "Caf Nios wellknown.sng"},  // the rest goes, no space added
        {"   ", "a", "   .sng"},                       // spaces are a title: no fallback
        {sixty, "a", std::string(50, 'x') + ".sng"},   // cut to 50 bytes
        {std::string(49, 'y') + " zz", "a", std::string(49, 'y') + " .sng"},  // the cut keeps a final space
        {"a\tb/c\\d:e", "x", "abcde.sng"},            // no separator can get into the name
        {"", "\r\n  First line!  \r\nSecond", "  First line.sng"},  // untitled: first tidied line
    };
    for (const Case& c : cases) {
        const std::string path = Save(c.title, c.text, folder.Path().string());
        EXPECT_EQ(path, folder / c.fileName) << c.title;
        EXPECT_TRUE(fs::is_regular_file(folder / c.fileName)) << c.title;
    }
}

TEST_F(SaveToFolder, UntitledAfterFilteringDrawsTheNextGeneratorNumber)
{
    RandSeed = 0;
    EXPECT_EQ(Save("?!...", "lyrics", folder.Path().string()), folder / "Unbenannt 0.sng");
    // The title was not empty, so the lyrics are not used instead.
    EXPECT_EQ(Save("\xE9\xE8", "lyrics", folder.Path().string()), folder / "Unbenannt 31379.sng");
}

TEST_F(SaveToFolder, KeptBytesAreNamedInTheSystemCodePage)
{
    SetACP(1251);   // 0xC4 is a Cyrillic letter here
    EXPECT_EQ(Save("\xC4", "a", folder.Path().string()), folder / "Д.sng");
    SetACP(874);    // 0xDC is undefined in the Thai page
    EXPECT_EQ(Save("A\xDC", "a", folder.Path().string()), folder / "A_.sng");
}

TEST_F(SaveToFolder, SongWithoutLinesWritesNothingButMakesTheFolder)
{
    const std::string target = folder / "new/deeper";
    EXPECT_EQ(Save("Title", "  \r\n\t\r\n", target), "");
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::is_empty(target));
}

TEST_F(SaveToFolder, ALaterSongOfTheSameNameReplacesTheFile)
{
    const std::string withSlash = folder.Path().string() + "/";
    EXPECT_EQ(Save("Same", "first", withSlash), folder / "Same.sng");
    EXPECT_EQ(Save("Same!", "second", folder.Path().string()), folder / "Same.sng");
    EXPECT_EQ(ReadFileBytes(folder / "Same.sng"), "#Title=Same!\r\n---\r\nsecond\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Same.sng"});
}

TEST_F(SaveToFolder, ReadOnlyTargetIsRefusedAndLeftUntouched)
{
    const std::string target = folder / "Kept.sng";
    WriteFileBytes(target, "original");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    try {
        Save("Kept", "new", folder.Path().string());
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + target + "\". Permission denied");
    }
    EXPECT_EQ(ReadFileBytes(target), "original");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"Kept.sng"});   // no temporary left behind
}

TEST_F(SaveToFolder, FilesThatCannotBeCreatedRaiseWithTheSystemsReason)
{
    WriteFileBytes(folder / "plainfile", "x");
    fs::create_directory(folder / "Taken.sng");
    struct Case { std::string into, title, path, reason; };
    const Case cases[] = {
        // the folder cannot be made because a file stands in its way
        {folder / "plainfile/sub", "Song", folder / "plainfile/sub/Song.sng", "Not a directory"},
        {folder.Path().string(), "Taken", folder / "Taken.sng", "Is a directory"},
    };
    for (const Case& c : cases) {
        try {
            Save(c.title, "text", c.into);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const EFCreateError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + c.path + "\". " + c.reason);
        }
    }

    TSimpleSNG song;
    const std::string tooLong = folder / (std::string(300, 'n') + ".sng");
    EXPECT_THROW(song.SaveToFile(tooLong), EFCreateError);
    const std::string missing = folder / "missing/x.sng";
    try {
        song.SaveToFile(missing);
        ADD_FAILURE() << "no error for a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + missing + "\". No such file or directory");
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Taken.sng", "plainfile"}));
}

TEST_F(SaveToFolder, MovesTheOldTitleSpellingIntoTheFile)
{
    TSimpleSNG song;
    song.Header = {"#Titel=Alt", "#Author=A"};
    song.Lines = {"x"};
    EXPECT_EQ(song.SaveToFolder(folder.Path().string()), folder / "Alt.sng");
    EXPECT_EQ(ReadFileBytes(folder / "Alt.sng"), "#Author=A\r\n#Title=Alt\r\n---\r\nx\r\n");
}
