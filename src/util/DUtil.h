// Small text helpers shared by the song writer and the program.
#pragma once

#include <string>

// Removes `count` characters of `source` from the 1-based position `start`
// (fewer when `source` is shorter) and returns them. A start below 1 counts
// as 1 and a negative count as 0, so the text returned is always the text
// removed.
std::string CutText(std::string& source, int start, int count);

// When `delimiter` occurs in `source`, returns the text before its first
// occurrence and leaves in `source` only the text after it; otherwise returns
// the whole of `source` and empties it.
std::string FetchBefore(std::string& source, char delimiter);

// Folder ids of the shell's special folders that the tool asks for.
constexpr int CSIDL_PERSONAL = 0x0005;  // the user's documents
constexpr int CSIDL_PROFILE = 0x0028;   // the user's home folder

// The native path of a special folder with a trailing separator; empty when
// it cannot be determined or the id is not one of the above.
std::string GetSpecialFolderPath(int folderId);

// GetSpecialFolderPath(CSIDL_PERSONAL).
std::string GetMyDocumentsPath();
