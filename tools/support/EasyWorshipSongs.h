// Song tables shaped like EasyWorship's, for the sample library, the tests
// and the benchmarks: one place that knows how EasyWorship writes a song.
#pragma once

#include "platform/paradox/TableWriter.h"

#include <string>
#include <vector>

namespace sample {

// Lyrics (ANSI lines) as EasyWorship's rich edit control stores them: its
// font and colour tables, then one paragraph per line with its formatting
// words; non-ASCII bytes as \'hh escapes; an empty line is an empty paragraph.
std::string EasyWorshipRichText(const std::vector<std::string>& ansiLines);

struct Song {
    std::string title, author, copyright;  // ANSI
    std::string words;                     // as stored: rich text, plain text or empty
};

// The record of EasyWorship's 45-field table (paradox::EasyWorshipSongsSpec)
// for `song`, with the number `recId` and the other fields as a new song has.
paradox::RecordValues EasyWorshipRecord(const Song& song, int recId);

// A library of `count` songs for the benchmarks: verses of German and English
// words with umlauts, section labels and slide breaks, each song's rich text
// 3 to 5 KB as in real libraries. The same count always gives the same songs.
std::vector<Song> MakeBenchmarkLibrary(int count);

// Writes `songs` as an EasyWorship song table at `tablePath` (and its memo
// file beside it).
void WriteEasyWorshipTable(const std::string& tablePath, const std::vector<Song>& songs);

}  // namespace sample
