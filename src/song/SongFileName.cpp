#include "song/CreateSngUnit.h"

namespace {

constexpr size_t kMaxFileNameBytes = 50;

// Letters and digits of plain ASCII, space, and the German umlauts and ß as
// Windows-1252 bytes: what every file system and every Lumacant version
// accepts in a song file name.
bool IsFileNameByte(unsigned char b)
{
    switch (b) {
    case ' ':
    case 0xC4: case 0xD6: case 0xDC: case 0xDF:  // Ä Ö Ü ß
    case 0xE4: case 0xF6: case 0xFC:              // ä ö ü
        return true;
    default:
        return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    }
}

}  // namespace

std::string SongFileNameFromText(const std::string& ansi)
{
    std::string name;
    for (unsigned char b : ansi) {
        if (name.size() == kMaxFileNameBytes) break;
        if (IsFileNameByte(b)) name += static_cast<char>(b);
    }
    return name;
}
