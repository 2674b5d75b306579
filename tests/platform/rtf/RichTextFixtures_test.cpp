// Rich text as real writers produce it: EasyWorship's rich edit control and
// LibreOffice. See fixtures/README.md for where each file comes from.
#include "platform/rtf/RichText.h"

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::filesystem::path kFixtures = std::filesystem::path(TESSALINE_TEST_DATA) / "platform/rtf/fixtures";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The expected file's UTF-8 lines as the converter must give them: ANSI in
// `codePage`, CR LF between lines, no break after the last.
std::string ExpectedPlainText(std::string utf8, int codePage) {
    if (!utf8.empty() && utf8.back() == '\n') utf8.pop_back();
    std::string crlf;
    for (const char c : utf8) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return Utf8ToAnsi(crlf, codePage);
}

struct Fixture {
    const char* name;
    int codePage;
};

TEST(RichTextFixtures, GiveTheTextTheirWriterHeld)
{
    const Fixture fixtures[] = {
        {"easyworship_norwegian", 1252},
        {"easyworship_polish", 1250},
        {"easyworship_russian", 1251},
        {"libreoffice_german", 1252},
        {"libreoffice_german", 1250},  // the same letters, and a "?" where 1250 has none
        {"libreoffice_cyrillic_greek", 1251},
        {"libreoffice_cyrillic_greek", 1253},
        {"libreoffice_formatted", 1252},
    };
    RichTextConverter converter;
    for (const Fixture& f : fixtures) {
        const std::string rtf = ReadFile(kFixtures / (std::string(f.name) + ".rtf"));
        const std::string expected = ReadFile(kFixtures / (std::string(f.name) + ".expected.txt"));
        ASSERT_TRUE(rtf.starts_with("{\\rtf")) << f.name;
        ASSERT_FALSE(expected.empty()) << f.name;
        EXPECT_EQ(converter.Convert(rtf, f.codePage), ExpectedPlainText(expected, f.codePage))
            << f.name << " on " << f.codePage;
    }
}

// EasyWorship's bytes are the system page's own: a Russian library read on a
// Western system keeps its bytes rather than turning into "?".
TEST(RichTextFixtures, EasyWorshipBytesPassUnchangedOnAnyPage)
{
    const std::string rtf = ReadFile(kFixtures / "easyworship_russian.rtf");
    const std::string expected = ReadFile(kFixtures / "easyworship_russian.expected.txt");
    EXPECT_EQ(RichTextToPlain(rtf, 1252), ExpectedPlainText(expected, 1251));
}

}  // namespace
