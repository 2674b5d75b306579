#include "app/ImportRun.h"

#include "platform/SongTable.h"
#include "platform/rtf/RichText.h"
#include "song/CreateSngUnit.h"
#include "util/DUtil.h"

#include <array>

namespace {

using Setter = void (TSimpleSNG::*)(const std::string&);

// One header slot: the writer's setter and the table column that feeds it,
// or none. The order is the order in which every record fills its header.
struct ColumnSlot {
    Setter setter;
    const char* column;
};

constexpr std::array<ColumnSlot, 13> kColumnSlots = {{
    {&TSimpleSNG::SetTitle, "Title"},
    {&TSimpleSNG::SetOTitle, nullptr},
    {&TSimpleSNG::SetAuthor, "Author"},
    {&TSimpleSNG::SetMelody, nullptr},
    {&TSimpleSNG::SetTranslation, nullptr},
    {&TSimpleSNG::SetNatCopyright, nullptr},
    {&TSimpleSNG::SetCopyright, "Copyright"},
    {&TSimpleSNG::SetKeywords, nullptr},
    {&TSimpleSNG::SetKey, nullptr},
    {&TSimpleSNG::SetBible, nullptr},
    {&TSimpleSNG::SetSongBook, nullptr},
    {&TSimpleSNG::SetCCLI, nullptr},
    {&TSimpleSNG::SetQuickFind, nullptr},
}};

constexpr int kUnbound = -1;
constexpr const char* kLyricsColumn = "Words";

}  // namespace

std::string DefaultOutputFolder()
{
    return GetMyDocumentsPath() + kDefaultOutputSubPath;
}

void ImportSongs(const std::string& folder, SongTable& table, RichTextConverter& richText,
                 ImportObserver* observer)
{
    if (folder.empty()) return;
    CreateFolderChain(folder);

    // Resolved once per run; the lyrics first, so a table that is not a song
    // table at all is reported by its missing lyrics.
    const int words = table.FieldIndex(kLyricsColumn);
    std::array<int, kColumnSlots.size()> positions{};
    for (size_t i = 0; i < kColumnSlots.size(); ++i)
        positions[i] = kColumnSlots[i].column ? table.FieldIndex(kColumnSlots[i].column) : kUnbound;

    size_t record = 0;
    for (table.First(); !table.Eof(); table.Next(), ++record) {
        TSimpleSNG song;
        for (size_t i = 0; i < kColumnSlots.size(); ++i)
            if (positions[i] != kUnbound) (song.*kColumnSlots[i].setter)(table.AsText(positions[i]));
        song.SetLinesText(richText.Convert(table.AsText(words)));
        song.SetEditor(kEditorStamp);
        song.Tidy();
        const std::string path = song.SaveToFolder(folder);
        if (observer == nullptr) continue;
        if (path.empty())
            observer->SongSkipped(record);
        else
            observer->SongWritten(record, path);
    }
}
