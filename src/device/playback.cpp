#include "device/playback.h"

#include "device/config_items.h"
#include "device/items.h"
#include "log/logger.h"

bool StartPlayback() {
    // Results ignored: only the playback state decides whether playback started.
    SelectPattern(pattern::kSolidColor);
    ApplySettings();
    SelectPattern(pattern::kPlayback);
    ApplySettings();
    const bool ok = SetPlaybackState(setting::kPlaybackPlayOnly);
    Logger::instance().log("Playback started: %s", ok ? "Success" : "Fail");
    return ok;
}
