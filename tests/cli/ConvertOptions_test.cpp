#include "cli/ConvertOptions.h"

#include "app/ImportRun.h"

#include <gtest/gtest.h>

using Action = ConvertOptions::Action;

TEST(ConvertOptions, ParsesTheCommandLine)
{
    struct Case { std::vector<std::string> args; Action action; std::string table, folder; int codePage; bool quiet; };
    const Case cases[] = {
        {{"Songs.DB", "out"}, Action::Convert, "Songs.DB", "/work/out", 0, false},
        {{"Songs.DB", "/abs/out/"}, Action::Convert, "Songs.DB", "/abs/out/", 0, false},
        {{"--quiet", "--code-page", "1250", "a.db", "o"}, Action::Convert, "a.db", "/work/o", 1250, true},
        {{"--code-page=1251", "--list", "a.db"}, Action::List, "a.db", "", 1251, false},
        {{"--", "--odd-name.db", "x"}, Action::Convert, "--odd-name.db", "/work/x", 0, false},
        {{"--version", "ignored"}, Action::Version, "", "", 0, false},
        {{"a.db", "--help"}, Action::Help, "", "", 0, false},
    };
    for (const Case& c : cases) {
        const ConvertOptions o = ParseConvertOptions(c.args, "/work");
        EXPECT_EQ(o.action, c.action) << c.args[0];
        EXPECT_EQ(o.table, c.table) << c.args[0];
        if (c.action == Action::Convert) {
            EXPECT_EQ(o.outputFolder, c.folder) << c.args[0];
        }
        EXPECT_EQ(o.codePage, c.codePage) << c.args[0];
        EXPECT_EQ(o.quiet, c.quiet) << c.args[0];
    }
}

TEST(ConvertOptions, WithoutAFolderUsesTheDefaultMadeAbsolute)
{
    const ConvertOptions o = ParseConvertOptions({"Songs.DB"}, "/cwd");
    const std::string folder = DefaultOutputFolder();
    EXPECT_EQ(o.outputFolder, folder.front() == '/' ? folder : "/cwd/" + folder);
}

TEST(ConvertOptions, RefusesWhatItCannotUnderstand)
{
    const std::vector<std::vector<std::string>> cases = {
        {}, {"--list"}, {"a.db", "b", "c"}, {"--list", "a.db", "b"}, {"--code-page", "437", "a.db"},
        {"--code-page", "12x", "a.db"}, {"--code-page"}, {"--frobnicate", "a.db"}, {"", "out"}, {"a.db", ""},
    };
    for (const auto& args : cases)
        EXPECT_THROW(ParseConvertOptions(args, "/work"), UsageError) << ::testing::PrintToString(args);
}
