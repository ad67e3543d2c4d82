#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "files/paths.h"

std::string nativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

bool fileExists(const std::string& path) {
    struct stat status {};
    return ::stat(nativePath(path).c_str(), &status) == 0;
}

bool fileStatus(const std::string& path, int64_t& size) {
    struct stat status {};
    size = -1;
    if (::stat(nativePath(path).c_str(), &status) != 0) return false;
    if (S_ISREG(status.st_mode)) size = static_cast<int64_t>(status.st_size);
    return true;
}

int64_t fileSize(const std::string& path) {
    struct stat status {};
    // A folder or device is not a file whose bytes can be read whole.
    if (::stat(nativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return -1;
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) return -1;
    std::fclose(file);
    return static_cast<int64_t>(status.st_size);
}

bool isStream(const std::string& path) {
    struct stat status {};
    if (::stat(nativePath(path).c_str(), &status) != 0) return false;
    return S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode);
}

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(nativePath(from).c_str(), nativePath(to).c_str()) == 0;
}
