#include "cli/ProgressBar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

std::string Drawn(const std::function<void(ProgressBar&)>& use)
{
    std::FILE* out = std::tmpfile();
    {
        ProgressBar bar(out, 200);
        use(bar);
    }
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    std::fclose(out);
    return text;
}

}  // namespace

TEST(ProgressBar, RedrawsOnlyWhenThePercentChangesAndEndsTheLine)
{
    const std::string text = Drawn([](ProgressBar& bar) {
        bar.Update(1);     // 0 %
        bar.Update(2);     // 1 %
        bar.Update(3);     // still 1 %: no redraw
        bar.Update(200);   // 100 %
    });
    EXPECT_EQ(text,
              "\rConverting [........................................]   0% (1/200)"
              "\rConverting [........................................]   1% (2/200)"
              "\rConverting [########################################] 100% (200/200)\n");
}

TEST(ProgressBar, ABarNeverDrawnPrintsNothing)
{
    EXPECT_EQ(Drawn([](ProgressBar&) {}), "");
}
