// Where the user's own folders are, as the desktop says.
#pragma once

#include <string>
#include <string_view>

// The user's documents folder: XDG_DOCUMENTS_DIR from user-dirs.dirs (in
// $XDG_CONFIG_HOME, else ~/.config) with $HOME expanded, else $HOME/Documents.
// Empty when there is no home folder. No trailing separator.
std::string UserDocumentsFolder();

// The home folder ($HOME); empty when unset.
std::string UserHomeFolder();

// The value of `key` in the text of a user-dirs.dirs file, with "$HOME"
// expanded to `home`; empty when the key is absent or its value is not of the
// two forms the file allows ("$HOME/..." or an absolute path).
std::string ParseUserDirsValue(std::string_view fileText, std::string_view key, const std::string& home);
