#include "scenario/settings_file.h"

#include "files/paths.h"
#include "log/logger.h"

bool readSettingsFile(const std::string& path, std::string& text, bool* tooLarge) {
    bool large = false;
    if (readTextFile(path, text, kMaxSettingsFileBytes, &large)) return true;
    if (large) Logger::instance().log("File %s is too large to read.", path.c_str());
    if (tooLarge != nullptr) *tooLarge = large;
    return false;
}
