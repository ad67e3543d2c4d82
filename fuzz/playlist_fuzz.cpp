// Playlist text. Scenario files it names are opened relative to the current folder.
#include "fuzz_support.h"
#include "scenario/playlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Playlist playlist = parsePlaylistText("playlist.ini", FuzzText(data, size));
    for (const PlaylistEntry& entry : playlist.entries) {
        const ScenarioSettings& s = entry.settings;
        if (s.video.empty() && s.audio.empty() && s.packets.empty()) __builtin_trap();
    }
    return 0;
}
