#include "scenario/summary.h"

#include "scenario/selection.h"

namespace {

void addLine(std::string& text, const char* label, const std::string& value) {
    text.append(label).append(value).append(";\n");
}

const char* trueFalse(bool flag) {
    return flag ? "true" : "false";
}

void addAudio(std::string& text, const ScenarioSettings& s) {
    addLine(text, "Audio path: ", s.audio);
    addLine(text, "    sync: ", trueFalse(s.audiosync));
    addLine(text, "    swap: ", trueFalse(s.audioswap));
    addLine(text, "    compressed: ", trueFalse(s.audiocompressed));
    addLine(text, "    sampling: ", std::to_string(s.audiosampling));
    addLine(text, "    channels: ", std::to_string(s.audiochannels));
    addLine(text, "    bits: ", std::to_string(s.audiobits));
}

}  // namespace

std::string describeTimings(const Timing& t) {
    using std::to_string;
    return "Timings:\n    hactive: " + to_string(t.hactive) + "; vactive: " + to_string(t.vactive) +
           "\n    htotal: " + to_string(t.htotal) + "; vtotal: " + to_string(t.vtotal) +
           "\n    hstart: " + to_string(t.hstart) + "; vstart: " + to_string(t.vstart) +
           "\n    hsync: " + to_string(t.hsync) + "; vsync: " + to_string(t.vsync) +
           "\n    frate: " + to_string(t.frate);
}

std::string describeScenario(const ScenarioSettings& s) {
    std::string text;
    addLine(text, "Color space: ", s.colorspace);
    addLine(text, "Bits per color: ", std::to_string(s.bitspercolor));
    if (IsSelected(s.video)) addLine(text, "Video path: ", s.video);
    if (IsSelected(s.packets)) addLine(text, "Packets path: ", s.packets);
    if (IsSelected(s.audio)) addAudio(text, s);
    if (!s.porder.empty()) addLine(text, "Playing order: ", s.porder);
    if (!s.mapping.empty()) addLine(text, "Mapping: ", s.mapping);
    addLine(text, "Align to 12 bits: ", trueFalse(s.align12));
    addLine(text, "Scrambler: ", s.scrambler ? "enabled" : "disabled");
    addLine(text, "Loading RGB: ", s.loadingRGB);
    static const char* const kHdcp[] = {"none", "v14", "v23"};
    if (s.hdcp < 3) addLine(text, "HDCP: ", kHdcp[s.hdcp]);
    return text;
}
