#include "platform/rtf/ControlWords.h"

#include <array>
#include <cstddef>

namespace rtf {

namespace {

struct Word {
    std::string_view name;
    ControlWordMeaning meaning;
};

constexpr ControlWordMeaning kSkip{Keyword::SkipDestination};

constexpr Word kWords[] = {
    // Destinations without document text: tables of fonts, colours, styles,
    // lists and revisions; document information; pictures, objects and
    // shapes; headers, footers, footnotes and annotations; paragraph-numbering
    // and list-number text; field instructions; bookmarks, index and contents
    // entries; form-field data. Skipping them whole keeps their text (font
    // names, author, picture data) out of the lyrics.
    {"aftncn", kSkip}, {"aftnsep", kSkip}, {"aftnsepc", kSkip}, {"annotation", kSkip},
    {"atnauthor", kSkip}, {"atndate", kSkip}, {"atnicn", kSkip}, {"atnid", kSkip},
    {"atnparent", kSkip}, {"atnref", kSkip}, {"atntime", kSkip}, {"atrfend", kSkip},
    {"atrfstart", kSkip}, {"author", kSkip}, {"bkmkend", kSkip}, {"bkmkstart", kSkip},
    {"buptim", kSkip}, {"category", kSkip}, {"colortbl", kSkip}, {"comment", kSkip},
    {"company", kSkip}, {"creatim", kSkip}, {"datafield", kSkip}, {"datastore", kSkip},
    {"defchp", kSkip}, {"defpap", kSkip}, {"do", kSkip}, {"doccomm", kSkip},
    {"docvar", kSkip}, {"falt", kSkip}, {"ffdeftext", kSkip}, {"ffentrymcr", kSkip},
    {"ffexitmcr", kSkip}, {"ffformat", kSkip}, {"ffhelptext", kSkip}, {"ffl", kSkip},
    {"ffname", kSkip}, {"ffstattext", kSkip}, {"file", kSkip}, {"filetbl", kSkip},
    {"fldinst", kSkip}, {"footer", kSkip}, {"footerf", kSkip}, {"footerl", kSkip},
    {"footerr", kSkip}, {"footnote", kSkip}, {"formfield", kSkip}, {"ftncn", kSkip},
    {"ftnsep", kSkip}, {"ftnsepc", kSkip}, {"generator", kSkip}, {"header", kSkip},
    {"headerf", kSkip}, {"headerl", kSkip}, {"headerr", kSkip}, {"hlinkbase", kSkip},
    {"info", kSkip}, {"keywords", kSkip}, {"latentstyles", kSkip}, {"levelnumbers", kSkip},
    {"leveltext", kSkip}, {"lfolevel", kSkip}, {"list", kSkip}, {"listname", kSkip},
    {"listoverride", kSkip}, {"listoverridetable", kSkip}, {"listpicture", kSkip},
    {"liststylename", kSkip}, {"listtable", kSkip}, {"listtext", kSkip}, {"manager", kSkip},
    {"nesttableprops", kSkip}, {"nextfile", kSkip}, {"nonshppict", kSkip}, {"objalias", kSkip},
    {"objclass", kSkip}, {"objdata", kSkip}, {"object", kSkip}, {"objname", kSkip},
    {"objsect", kSkip}, {"objtime", kSkip}, {"oldcprops", kSkip}, {"oldpprops", kSkip},
    {"oldsprops", kSkip}, {"oldtprops", kSkip}, {"operator", kSkip}, {"panose", kSkip},
    {"password", kSkip}, {"pgdsctbl", kSkip}, {"pict", kSkip}, {"pn", kSkip},
    {"pnseclvl", kSkip}, {"pntext", kSkip}, {"pntxta", kSkip}, {"pntxtb", kSkip},
    {"printim", kSkip}, {"private", kSkip}, {"revtbl", kSkip}, {"revtim", kSkip},
    {"rsidtbl", kSkip}, {"rxe", kSkip}, {"shp", kSkip}, {"shpgrp", kSkip},
    {"shpinst", kSkip}, {"shppict", kSkip}, {"shprslt", kSkip}, {"shptxt", kSkip},
    {"stylesheet", kSkip}, {"subject", kSkip}, {"tc", kSkip}, {"template", kSkip},
    {"themedata", kSkip}, {"colorschememapping", kSkip}, {"title", kSkip}, {"txe", kSkip},
    {"ud", kSkip}, {"upr", kSkip}, {"userprops", kSkip}, {"xe", kSkip},
    {"xmlnstbl", kSkip}, {"xmlopen", kSkip}, {"xmlclose", kSkip}, {"xmlattrname", kSkip},
    {"xmlattrvalue", kSkip}, {"xmlname", kSkip}, {"mmathPr", kSkip}, {"pxe", kSkip},
    // EasyWorship 6/7's real font size ({\*\sdfsreal 72.9}): skipped even
    // without its \*, so the number never reaches a slide.
    {"sdfsreal", kSkip},

    {"fonttbl", {Keyword::FontTable}},

    {"par", {Keyword::Paragraph}},
    {"sect", {Keyword::Paragraph}},
    {"line", {Keyword::LineBreak}},
    {"cell", {Keyword::SoftBreak}},
    {"nestcell", {Keyword::SoftBreak}},
    {"row", {Keyword::SoftBreak}},
    {"nestrow", {Keyword::SoftBreak}},
    {"page", {Keyword::SoftBreak}},
    {"column", {Keyword::SoftBreak}},

    {"tab", {Keyword::Character, U'\t'}},
    {"emdash", {Keyword::Character, U'\u2014'}},
    {"endash", {Keyword::Character, U'\u2013'}},
    {"lquote", {Keyword::Character, U'\u2018'}},
    {"rquote", {Keyword::Character, U'\u2019'}},
    {"ldblquote", {Keyword::Character, U'\u201C'}},
    {"rdblquote", {Keyword::Character, U'\u201D'}},
    {"bullet", {Keyword::Character, U'\u2022'}},
    // Spaces of other widths: a lyric line wants an ordinary space.
    {"emspace", {Keyword::Character, U' '}},
    {"enspace", {Keyword::Character, U' '}},
    {"qmspace", {Keyword::Character, U' '}},

    {"plain", {Keyword::Plain}},
    {"f", {Keyword::Font}},
    {"deff", {Keyword::DefaultFont}},
    {"ansicpg", {Keyword::DocumentCodePage}},
    {"mac", {Keyword::DocumentCodePage, 10000}},
    {"pc", {Keyword::DocumentCodePage, 437}},
    {"pca", {Keyword::DocumentCodePage, 850}},
    {"fcharset", {Keyword::FontCharset}},
    {"cpg", {Keyword::FontCodePage}},
    {"u", {Keyword::Unicode}},
    {"uc", {Keyword::UnicodeFallback}},
    {"v", {Keyword::Hidden}},
    {"pard", {Keyword::ParagraphDefaults}},
    // EasyWorship 6/7 mark the empty paragraph between two slides. Their
    // label paragraphs (\sdparawysiwghidden, "Verse 1") are hidden on the
    // screen only; for us they are lines like any other, so that word, like
    // \sdeasyworship2 and \sdfsauto, is formatting.
    {"sdslidemarker", {Keyword::SlideMarker}},
};

// FNV-1a: a few operations per letter, and few collisions on short names.
constexpr uint32_t Hash(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

// An open-addressing table at least four times the number of words, so a
// lookup of an unknown word (most words of a document) ends after a probe
// or two. Each slot keeps its word's hash, so a probe that meets another
// word rarely needs to compare names.
constexpr std::size_t kSlotCount = 1024;
constexpr std::size_t kSlotMask = kSlotCount - 1;
constexpr int16_t kEmptySlot = -1;
static_assert(std::size(kWords) * 4 <= kSlotCount, "grow the control word table");

struct Slot {
    uint32_t hash;
    int16_t word;  // index into kWords, or kEmptySlot
};

// Filled slot by slot: g++ 12 at -O2 emitted a table built from default
// member initializers with most empty slots lost.
constexpr std::array<Slot, kSlotCount> kSlots = [] {
    std::array<Slot, kSlotCount> slots{};
    for (Slot& slot : slots) slot = Slot{0, kEmptySlot};
    for (std::size_t i = 0; i < std::size(kWords); ++i) {
        const uint32_t hash = Hash(kWords[i].name);
        std::size_t slot = hash & kSlotMask;
        while (slots[slot].word != kEmptySlot) slot = (slot + 1) & kSlotMask;
        slots[slot] = Slot{hash, static_cast<int16_t>(i)};
    }
    return slots;
}();

constexpr bool NamesAreUnique() {
    for (std::size_t i = 0; i < std::size(kWords); ++i) {
        for (std::size_t j = i + 1; j < std::size(kWords); ++j) {
            if (kWords[i].name == kWords[j].name) return false;
        }
    }
    return true;
}
static_assert(NamesAreUnique(), "a control word is listed twice");

}  // namespace

ControlWordMeaning LookupControlWord(std::string_view name) {
    const uint32_t hash = Hash(name);
    for (std::size_t slot = hash & kSlotMask; kSlots[slot].word != kEmptySlot; slot = (slot + 1) & kSlotMask) {
        if (kSlots[slot].hash != hash) continue;
        const Word& word = kWords[kSlots[slot].word];
        if (word.name == name) return word.meaning;
    }
    return {};
}

}  // namespace rtf
