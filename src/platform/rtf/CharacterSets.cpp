#include "platform/rtf/CharacterSets.h"

#include "platform/CodePage.h"

namespace rtf {

namespace {

struct CharsetPage {
    int charset;
    int codePage;
};

// \fcharset numbers are Windows' LOGFONT character sets. 0 (ANSI) and 1
// (default) are left out on purpose: EasyWorship writes them for every font
// whatever the library's language, so they must not force Western 1252.
constexpr CharsetPage kCharsetPages[] = {
    {2, kSymbolCodePage},
    {77, 10000},  // Mac Roman
    {128, 932},   // Shift-JIS
    {129, 949},   // Hangul
    {130, 1361},  // Johab
    {134, 936},   // GB2312
    {136, 950},   // Big5
    {161, 1253},  // Greek
    {162, 1254},  // Turkish
    {163, 1258},  // Vietnamese
    {177, 1255},  // Hebrew
    {178, 1256},  // Arabic
    {186, 1257},  // Baltic
    {204, 1251},  // Russian
    {222, 874},   // Thai
    {238, 1250},  // Eastern European
    {255, 437},   // OEM
};

struct LeadRange {
    unsigned char first;
    unsigned char last;
};

struct DoubleBytePage {
    int codePage;
    LeadRange leads[3];  // unused ranges are {0, 0}: 0 is never a lead byte
};

constexpr DoubleBytePage kDoubleBytePages[] = {
    {932, {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}}},
    {936, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {949, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {950, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {1361, {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}},
};

const DoubleBytePage* FindDoubleBytePage(int codePage) {
    for (const DoubleBytePage& page : kDoubleBytePages) {
        if (page.codePage == codePage) return &page;
    }
    return nullptr;
}

}  // namespace

int CodePageForCharset(int charset) {
    for (const CharsetPage& entry : kCharsetPages) {
        if (entry.charset == charset) return entry.codePage;
    }
    return kUnspecifiedCodePage;
}

SourceEncoding EncodingForCodePage(int codePage, int systemCodePage) {
    if (codePage == kUnspecifiedCodePage || codePage == systemCodePage || codePage == kSymbolCodePage) {
        return {ByteMeaning::Unchanged, systemCodePage};
    }
    if (IsSupportedCodePage(codePage)) return {ByteMeaning::SingleByte, codePage};
    if (FindDoubleBytePage(codePage) != nullptr) return {ByteMeaning::DoubleByte, codePage};
    return {ByteMeaning::UnknownSingleByte, codePage};
}

bool IsLeadByte(unsigned char byte, int codePage) {
    const DoubleBytePage* page = FindDoubleBytePage(codePage);
    if (page == nullptr) return false;
    for (const LeadRange& range : page->leads) {
        if (byte >= range.first && byte <= range.last && range.first != 0) return true;
    }
    return false;
}

}  // namespace rtf
