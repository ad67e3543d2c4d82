// tavrel-content: the frame, scenario and packet files TavrelCmd plays, made from PNG
// pictures, ffmpeg's Y4M output and a few lines of text.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "console.h"
#include "version.h"

namespace {

constexpr const char* kUsage =
    "tavrel-content, version " TAVREL_VERSION
    ": makes the files TavrelCmd plays.\n"
    "\n"
    "  tavrel-content frames <input> --colorspace RGB444|YUV444 --bits 8|10|12|16\n"
    "                 --out <folder>/<name>000.bin [--matrix bt601|bt709|bt2020]\n"
    "                 [--scenario <file> [--rate <Hz>]]\n"
    "      One frame file per picture of <input>: a PNG (8 or 16 bits), the first PNG of a\n"
    "      numbered sequence (name000.png), or a Y4M stream (444, 444p10, 444p12, 444p16 or\n"
    "      mono; ffmpeg ... -pix_fmt yuv444p10le -strict -1 -f yuv4mpegpipe clip.y4m).\n"
    "      --scenario also writes a scenario that plays every frame once, in the CTA-861\n"
    "      timing of the size and rate (a Y4M gives its rate; for PNG give --rate, 59.94 ...).\n"
    "  tavrel-content infoframe <description-file> --out <file> [--displayport]\n"
    "      One packet file from key=value lines: type=avi (format, colorimetry,\n"
    "      quantization, vic), type=drm (eotf, primaries, white, max-luminance,\n"
    "      min-luminance, max-cll, max-fall), type=audio (channels) or type=vendor (oui,\n"
    "      version, payload).\n"
    "  tavrel-content demo <folder>\n"
    "      The demo's frames, tone and packet (the folder is made when missing).\n"
    "  tavrel-content --help\n"
    "\n"
    "The exit code is 0 on success, 1 otherwise. See man tavrel-content.";

bool AsksForHelp(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        if (word == "--help" || word == "-h") return true;
    }
    return false;
}

int Run(const std::vector<std::string>& words) {
    if (AsksForHelp(words)) {
        PrintLine(kUsage);
        return 0;
    }
    if (words.empty()) return UsageProblem("no command given");
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (words[0] == "frames") return RunFramesCommand(rest);
    if (words[0] == "infoframe") return RunInfoFrameCommand(rest);
    if (words[0] == "demo") return RunDemoCommand(rest);
    return UsageProblem("unknown command " + words[0]);
}

}  // namespace

int UsageProblem(const std::string& problem) {
    PrintProblem("tavrel-content: " + problem + " (tavrel-content --help shows the usage)");
    return 1;
}

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (...) {
        PrintProblem("tavrel-content: out of memory");
    }
    return 1;
}
