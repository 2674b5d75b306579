// The import run: every record of the song table becomes one song file.
//
// The window's Go button and the command-line converter both call it, so what
// a user gets never depends on how they started the tool.
#pragma once

#include <cstddef>
#include <string>

class SongTable;
class RichTextConverter;

// The editor stamp written into every song.
inline constexpr const char* kEditorStamp = "Tessaline 1.0";

// The sub-path below the documents folder where songs go unless the user
// picks another folder.
inline constexpr const char* kDefaultOutputSubPath = "Lumacant/Songs/Easyworship";

// The documents folder followed by kDefaultOutputSubPath; just the sub-path
// (a relative folder) when there is no documents folder.
std::string DefaultOutputFolder();

// Told what happened to each record, in table order (record numbers from 0),
// so callers can show progress and a summary. It cannot change what is
// written.
class ImportObserver {
public:
    virtual ~ImportObserver() = default;
    virtual void SongWritten(size_t record, const std::string& path) = 0;
    virtual void SongSkipped(size_t record) = 0;   // no lyrics: no file
};

// Converts every record of `table`, first to last, into `folder` (a native
// path). Does nothing for an empty folder text. Makes the folder first
// (EInOutError "Unable to create directory" for a relative text that can never
// be made), then looks up "Words", "Title", "Author" and "Copyright" in that
// order (EDatabaseError for the first one missing). Any error ends the run at
// once: files written so far stay and the table stays on the record being
// converted; after a full run it stands on its last record, at its end.
void ImportSongs(const std::string& folder, SongTable& table, RichTextConverter& richText,
                 ImportObserver* observer = nullptr);
