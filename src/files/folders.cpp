#include "files/folders.h"

#include <filesystem>
#include <system_error>

#include "files/paths.h"

namespace fs = std::filesystem;

bool makeFolders(const std::string& path) {
    std::error_code error;
    const fs::path native(nativePath(path));
    fs::create_directories(native, error);
    return fs::is_directory(native, error);
}

std::vector<std::string> folderFileNames(const std::string& path) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(path), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error)) names.push_back(it->path().filename().string());
    }
    return names;
}

bool removeFile(const std::string& path) {
    std::error_code error;
    const fs::path native(nativePath(path));
    fs::remove(native, error);
    return !fs::exists(native, error) && !error;
}
