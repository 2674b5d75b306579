#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

class KeyNotation : public ::testing::Test {
protected:
    void SetUp() override { SetACP(1252); }
    void TearDown() override { SetACP(0); }
};

TEST_F(KeyNotation, ConvertsGermanAndEnglishKeys)
{
    const std::pair<std::string, std::string> cases[] = {
        // the worked cases, kept as they are however they read musically
        {"C-Dur", "C"}, {"a-moll", "Am"}, {"Fis-Dur", "F#"}, {"es-moll", "Ebm"},
        {"Es-Dur", "Eb"}, {"H-Dur", "B"}, {"h", "Bm"}, {"D", "D"}, {"Dm", "Dm"},
        {"Cis", "C#m"}, {"F#", "F#m"}, {"Bb", "Bbm"},
        // text before a hyphen or space is gone: only accidental and minor stay
        {"-moll", "m"}, {" Dur", ""}, {"-es", "b"},
        // "As" holds neither "is" nor "es"; two letters fall back to minor
        {"As", "Am"},
        // "is"/"es" after the hyphen still count; "es" wins over "is"
        {"G-Kreis", "G#"}, {"G-Dis es", "Gb"}, {"C-Fis", "C#"},
        // the words in any case; "moll" wins over "dur"
        {"F-DUR", "F"}, {"f-MoLl", "Fm"}, {"c-dur-moll", "Cm"},
        // a text that is only the word: its own first letter is the note
        {"dur", "D"}, {"DUR", "D"}, {"moll", "Mm"},
        // one character equal to its own upper case is major, letter or not
        {"7", "7"}, {"g", "Gm"}, {"H", "B"},
        // accidental and minor from the second and third character
        {"Ebm", "Ebm"}, {"C#M", "C#m"}, {"Am#", "A#m"}, {"Abb", "Abm"},
        // the space also ends the note
        {"G major", "G"}, {"d moll", "Dm"}, {"a b", "Am"},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ConvertKeyNotation(input), expected) << "input: " << input;
}

TEST_F(KeyNotation, EmptyTextIsMajorWithNoLetterAndStoresNoKey)
{
    EXPECT_EQ(ConvertKeyNotation(""), "");
    TSimpleSNG song;
    song.SetKey("Fis-Dur");
    EXPECT_EQ(song.Header, std::vector<std::string>{"#Key=F#"});
    song.SetKey("");
    EXPECT_TRUE(song.Header.empty());
}

TEST_F(KeyNotation, UpperCasesThroughTheCodePage)
{
    // A one-letter non-ASCII key: its upper-case form in 1252 is the note.
    EXPECT_EQ(ConvertKeyNotation("\xE4"), "\xC4m");
    EXPECT_EQ(ConvertKeyNotation("\xC4"), "\xC4");
}
