#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"
#include "platform/SysUtils.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

class SongWriter : public ::testing::Test {
protected:
    void SetUp() override { SetACP(1252); }
    void TearDown() override { SetACP(0); }
};

TEST_F(SongWriter, SplitsTextAtEveryKindOfLineBreak)
{
    struct Case { std::string text; Lines lines; };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},      // LF CR is two breaks
        {"a\r\n", {"a"}},                // a final break adds no empty line
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"\r\n\r\nx", {"", "", "x"}},
        {std::string("a\nb\0c\nd", 7), {"a", "b"}},  // the text ends at its first NUL
        {std::string("\0a", 2), {}},
    };
    for (const Case& c : cases) {
        TSimpleSNG song;
        song.Lines = {"old"};
        song.SetLinesText(c.text);
        EXPECT_EQ(song.Lines, c.lines) << ::testing::PrintToString(c.text);
    }
}

TEST_F(SongWriter, TidiesIntoSlides)
{
    struct Case { Lines before, after; };
    const Case cases[] = {
        {{"a", "", "", "b", "   ", "c"}, {"a", "---", "b", "---", "c"}},
        {{"", " \t", "a", "b", "", "\x01"}, {"a", "b"}},      // blank ends go
        {{"a  \t", "  b "}, {"a", "  b"}},                    // leading whitespace stays
        {{"a", "", "---", "", "---", "b"}, {"a", "---", "b"}},  // existing separators collapse
        {{"---", "---", "a"}, {"---", "a"}},
        {{"a", "--- ", "b"}, {"a", "---", "b"}},              // separator after trimming
        {{"a", "----", "b"}, {"a", "----", "b"}},             // only exactly "---" counts
        {{"", "  ", ""}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        TSimpleSNG song;
        song.Lines = c.before;
        song.Tidy();
        EXPECT_EQ(song.Lines, c.after) << ::testing::PrintToString(c.before);
    }
}

TEST_F(SongWriter, KeepsOneHeaderLinePerKeyInInsertionOrder)
{
    TSimpleSNG song;
    song.SetTitle("First");
    song.SetAuthor("Someone");
    song.SetCopyright("1990");
    song.SetTitle("Second");                      // replaced in place
    song.SetHeaderValue("#AUTHOR", "Else");       // keys match without regard to case
    song.SetMelody("");                           // empty for an unset key adds nothing
    EXPECT_EQ(song.Header, (Lines{"#Title=Second", "#AUTHOR=Else", "#(c)=1990"}));

    song.SetHeaderValue("#title", "");            // empty removes
    EXPECT_EQ(song.Header, (Lines{"#AUTHOR=Else", "#(c)=1990"}));
    EXPECT_EQ(song.GetHeaderValue("#author"), "Else");
    EXPECT_EQ(song.GetHeaderValue("#Title"), "");

    song.Header.push_back("#\xC4rger=x");         // 1252 folds umlauts too
    EXPECT_EQ(song.GetHeaderValue("#\xE4RGER"), "x");
}

TEST_F(SongWriter, EverySetterWritesItsKey)
{
    TSimpleSNG song;
    using Setter = void (TSimpleSNG::*)(const std::string&);
    const std::pair<Setter, std::string> setters[] = {
        {&TSimpleSNG::SetTitle, "#Title"}, {&TSimpleSNG::SetOTitle, "#OTitle"},
        {&TSimpleSNG::SetAuthor, "#Author"}, {&TSimpleSNG::SetMelody, "#Melody"},
        {&TSimpleSNG::SetTranslation, "#Translation"}, {&TSimpleSNG::SetNatCopyright, "#NatCopyright"},
        {&TSimpleSNG::SetCopyright, "#(c)"}, {&TSimpleSNG::SetKeywords, "#Keywords"},
        {&TSimpleSNG::SetBible, "#Bible"}, {&TSimpleSNG::SetSongBook, "#SongBook"},
        {&TSimpleSNG::SetCCLI, "#CCLI"}, {&TSimpleSNG::SetQuickFind, "#QuickFind"},
        {&TSimpleSNG::SetEditor, "#Editor"},
    };
    Lines expected;
    for (const auto& [setter, key] : setters) {
        (song.*setter)(" v=1 ");                  // values are stored exactly as given
        expected.push_back(key + "= v=1 ");
    }
    EXPECT_EQ(song.Header, expected);
    for (const auto& [setter, key] : setters) EXPECT_EQ(song.GetHeaderValue(key), " v=1 ");
}

TEST_F(SongWriter, GetTitleFallsBackToTheOldSpellingAndMovesIt)
{
    TSimpleSNG song;
    song.Header = {"#Titel=Alt", "#Author=A"};
    EXPECT_EQ(song.GetTitle(), "Alt");
    EXPECT_EQ(song.Header, (Lines{"#Author=A", "#Title=Alt"}));

    TSimpleSNG both;
    both.Header = {"#Titel=Alt", "#Title=Neu"};
    EXPECT_EQ(both.GetTitle(), "Neu");
    EXPECT_EQ(both.Header, (Lines{"#Titel=Alt", "#Title=Neu"}));

    TSimpleSNG none;
    EXPECT_EQ(none.GetTitle(), "");
    EXPECT_TRUE(none.Header.empty());
}

TEST_F(SongWriter, SavesHeaderSeparatorAndLinesWithCrLfAndNoBom)
{
    TempFolder folder;
    TSimpleSNG song;
    song.SetTitle("Gro\xDF");
    song.SetAuthor("Ann  ");
    song.SetCopyright("(c) 1999");
    song.SetEditor("Tessaline 1.0");
    song.SetLinesText("Verse 1\r\nLine \xF8\r\n\r\nChorus\r\n");
    song.Tidy();
    const std::string path = folder / "out.sng";
    song.SaveToFile(path);
    EXPECT_EQ(ReadFileBytes(path),
              "#Title=Gro\xDF\r\n#Author=Ann  \r\n#(c)=(c) 1999\r\n#Editor=Tessaline 1.0\r\n---\r\n"
              "Verse 1\r\nLine \xF8\r\n---\r\nChorus\r\n");

    TSimpleSNG empty;
    empty.SaveToFile(path);                       // replaces, and an empty song is just "---"
    EXPECT_EQ(ReadFileBytes(path), "---\r\n");
}
