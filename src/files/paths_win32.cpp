#include <sys/stat.h>
#include <sys/types.h>

#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "files/paths.h"

std::string nativePath(const std::string& path) {
    return path;
}

bool fileExists(const std::string& path) {
    struct _stat64 status {};
    return ::_stat64(path.c_str(), &status) == 0;
}

bool fileStatus(const std::string& path, int64_t& size) {
    struct _stat64 status {};
    size = -1;
    if (::_stat64(path.c_str(), &status) != 0) return false;
    if ((status.st_mode & _S_IFREG) != 0) size = static_cast<int64_t>(status.st_size);
    return true;
}

int64_t fileSize(const std::string& path) {
    struct _stat64 status {};
    // A folder or device is not a file whose bytes can be read whole.
    if (::_stat64(path.c_str(), &status) != 0 || (status.st_mode & _S_IFREG) == 0) return -1;
    std::FILE* file = openFile(path, "rb");
    if (file == nullptr) return -1;
    std::fclose(file);
    return static_cast<int64_t>(status.st_size);
}

bool isStream(const std::string& path) {
    struct _stat64 status {};
    if (::_stat64(path.c_str(), &status) != 0) return false;
    return (status.st_mode & (_S_IFIFO | _S_IFCHR)) != 0 && (status.st_mode & _S_IFREG) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    // rename() refuses an existing target on Windows.
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
