// One scenario: what to play and how, read from a scenario file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Timing {
    uint32_t hactive = 0;
    uint32_t vactive = 0;
    uint32_t htotal = 0;
    uint32_t vtotal = 0;
    uint32_t hstart = 0;
    uint32_t vstart = 0;
    int32_t hsync = 0;
    int32_t vsync = 0;
    int32_t frate = 0;  // thousandths of a hertz

    bool isZero() const {
        return hactive == 0 && vactive == 0 && htotal == 0 && vtotal == 0 && hstart == 0 &&
               vstart == 0 && hsync == 0 && vsync == 0 && frate == 0;
    }
};

struct ScenarioSettings {
    std::string path;  // empty when the file could not be read
    std::string video;
    std::string audio;
    std::string packets;
    std::string porder;
    std::string mapping;
    std::string colorspace;
    uint32_t bitspercolor = 0;
    bool scrambler = false;
    bool align12 = false;
    uint32_t hdcp = 0;
    std::string loadingRGB;
    bool audioswap = false;
    bool audiosync = false;
    bool audiocompressed = false;
    uint32_t audiosampling = 0;
    uint32_t audiochannels = 0;
    uint32_t audiobits = 0;
    bool strict = true;
    Timing timing;
    bool hdmi = false;
};

// Reads a scenario file. A file that cannot be opened, or that holds an invalid
// number, gives the default record with an empty `path` (the latter is logged).
ScenarioSettings readScenarioFile(const std::string& path);

// Why a scenario file gives no scenario to play.
enum class ScenarioFileError {
    kNone,
    kMissing,
    kUnreadable,
    kTooLarge,       // the reader has logged it, naming the file
    kInvalidNumber,  // the reader has logged it, naming the file, key and line
    kNoContent,      // read, but it names no video, audio or packets (a playlist's concern)
};

struct ScenarioFile {
    ScenarioSettings settings;
    ScenarioFileError error = ScenarioFileError::kNone;
    // Lines whose key the reader does not know, named for a warning (run) or a problem (check).
    std::vector<std::string> ignored;
};

// readScenarioFile, with the reason when the file gives no scenario.
ScenarioFile loadScenarioFile(const std::string& path);
// The line that names the file and why it gives no scenario.
std::string ScenarioFileErrorLine(const std::string& path, ScenarioFileError error);
// Whether the reader's own line already names the file and the reason.
bool ScenarioFileErrorLogged(ScenarioFileError error);

class IgnoredLines;

// The parser behind readScenarioFile: `path` is the file's path as given (for
// resolving content paths and for messages), `text` its content. Lines of an unknown key
// go to `ignored` when given.
ScenarioSettings parseScenarioText(const std::string& path, const std::string& text,
                                   IgnoredLines* ignored = nullptr);
