#include "scenario/settings_file.h"

#include "files/paths.h"
#include "log/logger.h"

bool readSettingsFile(const std::string& path, std::string& text) {
    bool tooLarge = false;
    if (readTextFile(path, text, kMaxSettingsFileBytes, &tooLarge)) return true;
    if (tooLarge) Logger::instance().log("File %s is too large to read.", path.c_str());
    return false;
}
