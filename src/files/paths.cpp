#include "files/paths.h"

#include "files/file_ptr.h"
#include "files/folders.h"

namespace {

std::string temporaryPathFor(const std::string& path) {
    return path + ".tmp";
}

size_t lastSeparator(const std::string& path) {
    return path.find_last_of("/\\");
}

template <typename Buffer>
bool readInto(const std::string& path, Buffer& data, uint64_t maxBytes, bool& tooLarge) {
    const int64_t size = fileSize(path);
    tooLarge = size >= 0 && static_cast<uint64_t>(size) > maxBytes;
    if (size < 0 || tooLarge) return false;
    FilePtr file(openFile(path, "rb"));
    if (!file) return false;
    data.resize(static_cast<size_t>(size));
    if (size == 0) return true;
    const size_t got = std::fread(data.data(), 1, data.size(), file.get());
    data.resize(got);
    return got == static_cast<size_t>(size);
}

// A stream has no size up front: it is read to its end, and given up once past the limit.
bool readStream(const std::string& path, std::string& text, uint64_t maxBytes, bool& tooLarge) {
    FilePtr file(openFile(path, "rb"));
    if (!file) return false;
    text.clear();
    char piece[64 * 1024];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, file.get())) > 0) {
        if (got > maxBytes - text.size()) {
            tooLarge = true;
            return false;
        }
        text.append(piece, got);
    }
    return std::ferror(file.get()) == 0;
}

}  // namespace

std::string fileExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::string fileName(const std::string& path) {
    const size_t sep = lastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string folderOf(const std::string& path) {
    const size_t sep = lastSeparator(path);
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "\\" + name;
}

std::string resolveRelativePath(const std::string& base, const std::string& value) {
    if (value.size() < 2) return value;
    if (value[0] == '/' && value[1] == '/') return value;    // network path
    if (value[0] == '\\' && value[1] == '\\') return value;  // network path
    if (value[1] == ':') return value;                       // drive letter
#ifndef _WIN32
    if (value[0] == '/') return value;  // absolute on POSIX
#endif
    if (lastSeparator(base) == std::string::npos) return value;
    return folderOf(base) + "\\" + value;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(nativePath(path).c_str(), mode);
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& data, uint64_t maxBytes) {
    bool tooLarge = false;
    return readInto(path, data, maxBytes, tooLarge);
}

bool readTextFile(const std::string& path, std::string& text, uint64_t maxBytes, bool* tooLarge) {
    bool over = false;
    const bool read = isStream(path) ? readStream(path, text, maxBytes, over)
                                     : readInto(path, text, maxBytes, over);
    if (tooLarge != nullptr) *tooLarge = over;
    if (!read) return false;
    // Editors on Windows start UTF-8 files with a byte-order mark; the first line counts.
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    return true;
}

bool canWriteFile(const std::string& path) {
    int64_t size = 0;
    if (fileStatus(path, size) && size < 0) return false;  // a folder or a device
    const std::string temporary = temporaryPathFor(path);
    FilePtr file(openFile(temporary, "wb"));
    if (!file) return false;
    file.reset();
    removeFile(temporary);
    return true;
}

bool writeFileAtomically(const std::string& path, std::string_view data) {
    const std::string temporary = temporaryPathFor(path);
    std::FILE* file = openFile(temporary, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && replaceFile(temporary, path)) return true;
    removeFile(temporary);
    return false;
}
