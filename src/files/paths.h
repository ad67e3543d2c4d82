// Path helpers and the program's one boundary to the file system. Paths are byte
// strings; both "/" and "\" separate components, and the program joins with "\".
// On POSIX every "\" becomes "/" just before the system call.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The path as the operating system wants it.
std::string nativePath(const std::string& path);

// True when the file system reports a status for the path (a folder counts too).
bool fileExists(const std::string& path);
// Size of a readable regular file in bytes; -1 when it cannot be opened as one.
int64_t fileSize(const std::string& path);
// One status query: whether the path exists (as fileExists) and, for a regular file,
// its size in `size` (-1 otherwise). The file is not opened.
bool fileStatus(const std::string& path, int64_t& size);
// Text after the last "."; the whole text without one.
std::string fileExtension(const std::string& path);
// Text after the last separator; the whole text without one.
std::string fileName(const std::string& path);
// Text before the last separator; empty without one.
std::string folderOf(const std::string& path);
// `value` resolved against the folder of the file `base`.
std::string resolveRelativePath(const std::string& base, const std::string& value);
// Joins a folder and a name with "\"; an empty folder gives the name alone.
std::string joinPath(const std::string& folder, const std::string& name);

// Why a file was refused, when the file system refused it: worded to follow its name.
inline constexpr const char* kFileCannotBeOpened = "the file cannot be opened";
inline constexpr const char* kFileCannotBeRead = "the file cannot be read";

// Opens a file in binary mode ("rb", "wb", ...); null on failure.
std::FILE* openFile(const std::string& path, const char* mode);
// True for a named pipe or a similar stream whose size is not known before it is read
// (a shell's process substitution, for example).
bool isStream(const std::string& path);
// Reads a whole regular file into `data`, reusing its capacity. False when the
// file cannot be opened or read, or holds more than `maxBytes`.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& data,
                   uint64_t maxBytes = UINT64_MAX);
// The same for a text file, which may also be a stream (read to its end). A UTF-8
// byte-order mark at the start is dropped. `tooLarge`, when given, tells whether the
// file failed by holding more than `maxBytes`.
bool readTextFile(const std::string& path, std::string& text, uint64_t maxBytes = UINT64_MAX,
                  bool* tooLarge = nullptr);

// Whether `path` can be written through writeFileAtomically: it is not a folder, and a
// file can be created beside it (that file is removed again).
bool canWriteFile(const std::string& path);
// Writes a temporary file in the folder of `path` and renames it over `path`, so that a
// reader never sees half a file and an earlier file stays whole until the new one is.
bool writeFileAtomically(const std::string& path, std::string_view data);
// Renames `from` to `to`, replacing a file `to` that exists.
bool replaceFile(const std::string& from, const std::string& to);
