#include "app/ImportSummary.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

TEST(ImportSummary, CountsAndNamesEveryFileThatCouldHideASong)
{
    SetACP(1252);
    ImportSummary summary;
    summary.SongWritten(0, "/out/Gr\xC3\xBC\xC3\x9F" "e.sng");   // Grüße
    summary.SongWritten(1, "/out/Amen.sng");
    summary.SongSkipped(2);
    summary.SongWritten(3, "/out/Amen.sng");
    summary.SongWritten(4, "/out/GR\xC3\x9C\xC3\x9F" "E.sng");   // GRÜßE
    summary.SongWritten(5, "/out/Amen.sng");
    SetACP(0);

    EXPECT_EQ(summary.Written(), 5u);
    EXPECT_EQ(summary.Skipped(), 1u);
    using Shared = std::vector<std::pair<std::string, std::vector<size_t>>>;
    EXPECT_EQ(summary.SharedFiles(), (Shared{{"/out/Amen.sng", {1, 3, 5}}}));
    EXPECT_EQ(summary.Report(),
              "5 songs written to 3 files.\n"
              "1 record without lyrics skipped.\n"
              "Several records gave the same file name; each file holds the last of them:\n"
              "  Amen.sng: records 2 4 6\n"
              "File names that differ only in letter case (one file on Windows):\n"
              "  GR\xC3\x9C\xC3\x9F" "E.sng Gr\xC3\xBC\xC3\x9F" "e.sng\n");
}

TEST(ImportSummary, PlainRunSaysOnlyHowManySongs)
{
    ImportSummary summary;
    EXPECT_EQ(summary.Report(), "0 songs written.\n");
    summary.SongWritten(0, "/out/a.sng");
    EXPECT_EQ(summary.Report(), "1 song written.\n");
    EXPECT_TRUE(summary.CaseClashes().empty());
}
