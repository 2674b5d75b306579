// The few file-system operations the core needs, kept behind small functions
// so that only this file knows which operating system it runs on.
#pragma once

#include <string>
#include <string_view>

// Whether a folder of that name exists (following symbolic links).
bool DirectoryExists(const std::string& path);

// Creates one folder; false when it cannot (its parent is missing, a file of
// that name exists, no permission, ...). Never throws.
bool CreateDir(const std::string& path);

// Replaces the file at `path` with `bytes` in one step: the bytes go to a
// temporary file beside it, which is then renamed over the target, so a failed
// write never leaves half a file and never destroys the file that was there.
// The new file gets the permissions of a plainly created one (0666 less the
// umask). A target without any write permission bit is refused, even for a
// user whom the system would let write it. Throws EFCreateError with
// 'Cannot create file "<path>". <the system's reason>' on any failure.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// The system's text for an error number, e.g. "No such file or directory".
std::string SystemErrorText(int errorNumber);
