// EasyWorship 6/7's rich-text dialect: labels stay lines, slide markers
// become the empty line between slides, its font-size words vanish.
#include "platform/rtf/RichText.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr int kWestern = 1252;

// One paragraph as EasyWorship 6 writes it, with `marks` after \pard.
#define EW6_PARA(marks, text)                                                                             \
    "{\\pard" marks "\\qc\\qdef\\sdewparatemplatestyle101\\plain\\sdewtemplatestyle101\\fs146"           \
    "{\\*\\sdfsreal 72.9}{\\*\\sdfsdef 72.9}\\sdfsauto " text "\\par}\r\n"
#define EW6_DOC(body) "{\\rtf1\\ansi\\deff0\\sdeasyworship2\r\n{\\fonttbl{\\f0 Tahoma;}}\r\n{\\colortbl ;}\r\n" body "}"

TEST(EasyWorship6RichText, LabelsAreLinesAndSlideMarkersSeparateSlides)
{
    struct Case {
        std::string_view name, rtf, plain;
    };
    const Case cases[] = {
        {"labelled slides",
         EW6_DOC(EW6_PARA("\\sdparawysiwghidden", "Verse 1") EW6_PARA("", "Amazing grace")
                     EW6_PARA("", "how sweet the sound") EW6_PARA("\\sdslidemarker", "")
                         EW6_PARA("\\sdparawysiwghidden", "Chorus") EW6_PARA("", "I once was lost")),
         "Verse 1\r\nAmazing grace\r\nhow sweet the sound\r\n\r\nChorus\r\nI once was lost"},
        {"slides without labels",
         EW6_DOC(EW6_PARA("", "one") EW6_PARA("\\sdslidemarker", "") EW6_PARA("", "two")), "one\r\n\r\ntwo"},
        // Whatever a marker paragraph holds, it is one empty line.
        {"marker with text", EW6_DOC(EW6_PARA("", "one") EW6_PARA("\\sdslidemarker", "x\\tab\\u228?\\line y")
                                         EW6_PARA("", "two")),
         "one\r\n\r\ntwo"},
        // A marker after a line its writer left unended still gives the
        // empty line, not a merged one.
        {"marker after an unended line", EW6_DOC("{\\pard one}" EW6_PARA("\\sdslidemarker", "") EW6_PARA("", "two")),
         "one\r\n\r\ntwo"},
        // \pard ends the marker's effect inside the same group.
        {"pard resets", "{\\rtf1\\sdeasyworship2 \\pard\\sdslidemarker\\par\\pard two\\par}", "\r\ntwo"},
        // Font sizes never reach a slide, even without their \*.
        {"font sizes", "{\\rtf1 {\\sdfsreal 72.9}\\sdfsauto\\sdfsauto1 a\\par}", "a"},
        // Songs imported from elsewhere: plain paragraphs, blank lines.
        {"imported song", EW6_DOC("\\pard one\\par two\\par\\par three\\par"), "one\r\ntwo\r\n\r\nthree"},
    };
    for (const Case& c : cases) EXPECT_EQ(RichTextToPlain(c.rtf, kWestern), c.plain) << c.name;
}

TEST(EasyWorship6RichText, HiddenTextStaysDroppedInsideMarkersAndLabels)
{
    // \v hides a paragraph's mark too; a marker inside hidden text adds no line.
    EXPECT_EQ(RichTextToPlain("{\\rtf1 a\\par{\\v\\pard\\sdslidemarker\\par}b\\par}", kWestern), "a\r\nb");
    EXPECT_EQ(RichTextToPlain("{\\rtf1 {\\pard\\sdparawysiwghidden Verse{\\v  note} 1\\par}x\\par}", kWestern),
              "Verse 1\r\nx");
}

}  // namespace
