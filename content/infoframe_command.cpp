// tavrel-content infoframe: one packet file from a few key=value lines.
#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "files/paths.h"
#include "infoframe_description.h"
#include "output_file.h"
#include "scenario/settings_file.h"

int RunInfoFrameCommand(const std::vector<std::string>& words) {
    Arguments a;
    std::string error;
    if (!ParseArguments(words, "description file", {"--out"}, {"--displayport"}, a, error)) {
        return UsageProblem(error);
    }
    if (!a.Has("--out")) return UsageProblem("--out is missing");
    const std::string& path = a.positional.front();
    std::string text;
    if (!readSettingsFile(path, text)) {
        PrintProblem(fileExists(path) ? path + ": " + kFileCannotBeRead : DoesNotExist(path));
        return 1;
    }
    InfoFrameToWrite frame;
    if (!ParseInfoFrameDescription(path, text, frame, error)) return PrintProblem(error), 1;
    const bool displayPort = a.flags.count("--displayport") != 0;
    const std::vector<uint8_t> packet =
        displayPort ? DisplayPortInfoFramePacket(frame) : HdmiInfoFramePacket(frame);
    const std::string out = a.Value("--out");
    if (!WriteOutputFile(out, {reinterpret_cast<const char*>(packet.data()), packet.size()},
                         error)) {
        return PrintProblem(error), 1;
    }
    PrintLine("Wrote " + std::string(displayPort ? "DisplayPort" : "HDMI") + " packet " + out +
              ", " + std::to_string(packet.size()) + " bytes.");
    return 0;
}
