#include "platform/ErrorBox.h"

#include <gtest/gtest.h>

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersBeyondIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Table1: Field 'Words' not found", "Table1: Field 'Words' not found."},
        {"Unable to create directory", "Unable to create directory."},
        {"Done.", "Done."}, {"Wow!", "Wow!"}, {"(x)", "(x)"}, {"a,", "a,"},
        {"trailing ", "trailing "}, {"a-", "a-"}, {"path/", "path/."},
        {"file \"x\"", "file \"x\""}, {"Gr\xC3\xBC\xC3\x9F", "Gr\xC3\xBC\xC3\x9F."},
        {"", ""},
    };
    for (const auto& [message, shown] : cases) EXPECT_EQ(ErrorBoxMessage(message), shown) << message;
}

TEST(ErrorBox, TitleComesFromTheExecutableName)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/usr/bin/tessaline", "tessaline"},
        {"build/bin/tessaline-convert", "tessaline-convert"},
        {"/opt/Tessaline.BIN.old", "Tessaline"},
        {"TESSALINE", "Tessaline"},
        {"/dir.with.dots/tool", "tool"},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(ApplicationTitle(path), title) << path;
}
