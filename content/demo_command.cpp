// tavrel-content demo: the demo's content in a folder (made when missing): colour-bar
// frames (RGB, 3 bytes per pixel), a 10-bit YUV 4:2:2 ramp, a stereo tone WAV and an AVI
// InfoFrame packet.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "console.h"
#include "files/paths.h"
#include "infoframe.h"
#include "output_file.h"

namespace {

constexpr uint32_t kWidth = 640;
constexpr uint32_t kHeight = 480;

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string message;
    if (WriteOutputFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                        message)) {
        return true;
    }
    PrintProblem(message);
    return false;
}

std::string Numbered(const std::string& folder, const char* stem, int number) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%03d.bin", stem, number);
    return joinPath(folder, name);
}

// Eight vertical bars, rotated by `shift` bars so the frames differ.
std::vector<uint8_t> ColourBars(int shift) {
    static const uint8_t kBars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                        {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    std::vector<uint8_t> frame(kWidth * kHeight * 3);
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            const uint8_t* bar = kBars[(x * 8 / kWidth + shift) % 8];
            uint8_t* pixel = &frame[(y * kWidth + x) * 3];
            pixel[0] = bar[0];
            pixel[1] = bar[1];
            pixel[2] = bar[2];
        }
    }
    return frame;
}

// 4:2:2 as two 16-bit words per pixel (luma, alternating chroma), 10-bit values.
std::vector<uint8_t> LumaRamp(int phase) {
    std::vector<uint8_t> frame(kWidth * kHeight * 4);
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            const uint16_t luma =
                static_cast<uint16_t>(64 + ((x + phase * 80) % kWidth) * 876 / kWidth);
            const uint16_t chroma = 512;
            uint8_t* pixel = &frame[(y * kWidth + x) * 4];
            pixel[0] = static_cast<uint8_t>(chroma & 0xFF);
            pixel[1] = static_cast<uint8_t>(chroma >> 8);
            pixel[2] = static_cast<uint8_t>(luma & 0xFF);
            pixel[3] = static_cast<uint8_t>(luma >> 8);
        }
    }
    return frame;
}

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// One second of a 1 kHz tone, 48 kHz, 16-bit stereo.
std::vector<uint8_t> ToneWav() {
    const uint32_t rate = 48000;
    const uint32_t frames = rate;
    const uint32_t dataBytes = frames * 4;
    std::vector<uint8_t> wav;
    for (char c : std::string("RIFF")) wav.push_back(static_cast<uint8_t>(c));
    Put32(wav, 36 + dataBytes);
    for (char c : std::string("WAVEfmt ")) wav.push_back(static_cast<uint8_t>(c));
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, 2);
    Put32(wav, rate);
    Put32(wav, rate * 4);
    Put16(wav, 4);
    Put16(wav, 16);
    for (char c : std::string("data")) wav.push_back(static_cast<uint8_t>(c));
    Put32(wav, dataBytes);
    for (uint32_t i = 0; i < frames; ++i) {
        const double phase = 2.0 * 3.14159265358979 * 1000.0 * i / rate;
        const auto sample = static_cast<int16_t>(std::lround(8000.0 * std::sin(phase)));
        Put16(wav, static_cast<uint16_t>(sample));
        Put16(wav, static_cast<uint16_t>(sample));
    }
    return wav;
}

// AVI InfoFrame, version 2: RGB with its active format present, a 4:3 picture.
std::vector<uint8_t> AviInfoFrame() {
    InfoFrameToWrite avi{TypeCodeOf(infoframe::kAvi), 0x02, std::vector<uint8_t>(13, 0)};
    avi.data[0] = 0x10;  // active format present, RGB
    avi.data[1] = 0x18;  // 4:3, same as picture
    return HdmiInfoFramePacket(avi);
}

}  // namespace

int RunDemoCommand(const std::vector<std::string>& words) {
    Arguments arguments;
    std::string error;
    if (!ParseArguments(words, "folder", {}, {}, arguments, error)) return UsageProblem(error);
    const std::string& folder = arguments.positional.front();
    bool ok = true;
    for (int i = 0; i < 4; ++i) ok = ok && WriteFile(Numbered(folder, "bars", i), ColourBars(i));
    for (int i = 0; i < 2; ++i) ok = ok && WriteFile(Numbered(folder, "ramp", i), LumaRamp(i));
    ok = ok && WriteFile(joinPath(folder, "tone.wav"), ToneWav());
    ok = ok && WriteFile(joinPath(folder, "avi0.bin"), AviInfoFrame());
    if (ok) PrintLine("Wrote the demo content into " + folder + ".");
    return ok ? 0 : 1;
}
