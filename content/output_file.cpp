#include "output_file.h"

#include "files/folders.h"
#include "files/paths.h"

bool WriteOutputFile(const std::string& path, std::string_view bytes, std::string& message) {
    const std::string folder = folderOf(path);
    if (!folder.empty() && !fileExists(folder) && !makeFolders(folder)) {
        message = folder + ": the folder cannot be made";
        return false;
    }
    if (writeFileAtomically(path, bytes)) return true;
    message = path + ": the file cannot be written";
    return false;
}
