// The song writer: one song in memory, brought into slide form and written as
// a Lumacant ".sng" file.
//
// All song text is ANSI bytes of the system code page (platform/CodePage.h)
// and goes to the file byte for byte. Folder and path texts are native paths.
#pragma once

#include <string>
#include <vector>

// One song while it is converted: created, filled, tidied, saved, dropped.
class TSimpleSNG {
public:
    std::vector<std::string> Header;   // "key=value" lines, in insertion order
    std::vector<std::string> Lines;    // the song text, one entry per line

    // Keeps at most one line per key (keys match without regard to case):
    // a non-empty value replaces the key's line in place or is appended; an
    // empty value removes the key's line.
    void SetHeaderValue(const std::string& key, const std::string& value);

    // The value of the first line whose key matches; empty when none does.
    std::string GetHeaderValue(const std::string& key) const;

    void SetTitle(const std::string& value);          // "#Title"
    void SetOTitle(const std::string& value);         // "#OTitle"
    void SetAuthor(const std::string& value);         // "#Author"
    void SetMelody(const std::string& value);         // "#Melody"
    void SetTranslation(const std::string& value);    // "#Translation"
    void SetNatCopyright(const std::string& value);   // "#NatCopyright"
    void SetCopyright(const std::string& value);      // "#(c)"
    void SetKeywords(const std::string& value);       // "#Keywords"
    void SetKey(const std::string& value);            // "#Key", see ConvertKeyNotation
    void SetBible(const std::string& value);          // "#Bible"
    void SetSongBook(const std::string& value);       // "#SongBook"
    void SetCCLI(const std::string& value);           // "#CCLI"
    void SetQuickFind(const std::string& value);      // "#QuickFind"
    void SetEditor(const std::string& value);         // "#Editor"

    // Replaces Lines with the lines of `text`, cut at CR LF, lone CR and lone
    // LF (LF CR is two breaks); a final break adds no empty line; the text
    // ends at its first NUL.
    void SetLinesText(const std::string& text);

    // "#Title", else the old spelling "#Titel", which is then moved to a
    // "#Title" line at the end of the header.
    std::string GetTitle();

    // Slide form: no blank lines at either end, no trailing whitespace, every
    // run of blank or "---" lines one "---" separator.
    void Tidy();

    // Writes the song into `folder` (created when missing) under a name made
    // from its title, or from its first line when it has none. Returns the
    // path written; empty, and nothing written, when the song has no lines.
    std::string SaveToFolder(const std::string& folder);

    // Writes header, "---" and lines, each ending in CR LF, replacing any file
    // at `path`. Throws EFCreateError when the file cannot be created.
    void SaveToFile(const std::string& path);
};

// Makes `folder` and every missing folder above it. Returns false when a
// folder could not be made; throws EInOutError "Unable to create directory"
// for an empty text and for a relative text whose first folder (three or more
// characters) is missing, which could never be made.
bool CreateFolderChain(const std::string& folder);

// A musical key in German or English notation ("Fis-Dur", "a-moll", "Bb") in
// the song file's compact form: note letter, "#" or "b", "m" for minor.
std::string ConvertKeyNotation(const std::string& key);

// The file name (without ".sng") that the bytes of a title or first line give:
// only space, digits, ASCII letters and the German umlauts and ß of Windows-1252
// are kept, then the first 50 bytes. Empty when nothing is kept.
std::string SongFileNameFromText(const std::string& ansi);
