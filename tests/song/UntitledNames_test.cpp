// Runs in a process of its own: the generator's seed must be untouched.
#include "song/CreateSngUnit.h"

#include "platform/CodePage.h"
#include "../TempFolder.h"

#include <gtest/gtest.h>

TEST(UntitledNames, AFreshProcessStartsAtZeroThen31379)
{
    SetACP(1252);
    TempFolder folder;
    for (const char* expected : {"Unbenannt 0.sng", "Unbenannt 31379.sng"}) {
        TSimpleSNG song;
        song.SetTitle("...");
        song.Lines = {"lyrics"};
        EXPECT_EQ(song.SaveToFolder(folder.Path().string()), folder / expected);
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"Unbenannt 0.sng", "Unbenannt 31379.sng"}));
}
