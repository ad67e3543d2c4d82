// Playlist text. The scenarios it names come from a loader that reads no file: every
// other path gives content, so entries with and without it are both met.
#include "fuzz_support.h"
#include "scenario/playlist.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ScenarioLoader loader = [](const std::string& path) {
        ScenarioSettings settings;
        if (path.size() % 2 == 1) settings.audio = path;
        return ScenarioFile{settings, ScenarioFileError::kNone, {}};
    };
    const Playlist playlist =
        parsePlaylistText("playlist.ini", FuzzText(data, size), loader).playlist;
    for (const PlaylistEntry& entry : playlist.entries) {
        const ScenarioSettings& s = entry.settings;
        if (s.video.empty() && s.audio.empty() && s.packets.empty()) __builtin_trap();
    }
    return 0;
}
