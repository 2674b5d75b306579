// The control words the converter acts on, and what each means to it. Every
// other word is formatting and is dropped.
#pragma once

#include <cstdint>
#include <string_view>

namespace rtf {

enum class Keyword : uint8_t {
    Unknown,          // formatting or a word we have no use for: ignored
    SkipDestination,  // a group that holds no text of the document
    FontTable,        // \fonttbl: read for the fonts' character sets
    Paragraph,        // \par, \sect: ends the line
    LineBreak,        // \line: ends the line too
    SoftBreak,        // table cells and rows, page and column breaks: end
                      // the line unless it is still empty
    Character,        // a character of its own (\tab, \emdash, ...)
    Plain,            // \plain: character formatting back to the defaults
    Font,             // \fN: choose (or, in the font table, define) font N
    DefaultFont,      // \deffN
    DocumentCodePage, // \ansicpgN, or \mac, \pc, \pca with a fixed page
    FontCharset,      // \fcharsetN in the font table
    FontCodePage,     // \cpgN in the font table
    Unicode,          // \uN
    UnicodeFallback,  // \ucN: bytes of fallback text after each \u
    Hidden,           // \v, \v0
    ParagraphDefaults,// \pard: paragraph formatting back to the defaults
    SlideMarker,      // \sdslidemarker: EasyWorship 6/7's paragraph between slides
};

struct ControlWordMeaning {
    Keyword keyword = Keyword::Unknown;
    // Character: the character; DocumentCodePage: the page of a word that
    // carries none in its parameter (\mac, \pc, \pca), else 0.
    char32_t value = 0;
};

// What the control word named `name` (its letters, without backslash and
// parameter) means.
ControlWordMeaning LookupControlWord(std::string_view name);

}  // namespace rtf
