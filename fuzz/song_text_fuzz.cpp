// Lyrics and header values come from the song table, written by other
// programs: whatever bytes arrive, splitting, tidying, key conversion and
// file naming must hold.
#include "platform/CodePage.h"
#include "song/CreateSngUnit.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool pinned = (SetACP(1252), true);
    (void)pinned;
    const std::string text(reinterpret_cast<const char*>(data), size);

    TSimpleSNG song;
    song.SetLinesText(text);
    song.Tidy();
    for (size_t i = 1; i < song.Lines.size(); ++i)
        if (song.Lines[i] == "---" && song.Lines[i - 1] == "---") std::abort();

    song.SetKey(text);
    song.SetTitle(text);
    if (SongFileNameFromText(song.GetTitle()).size() > 50) std::abort();
    return 0;
}
