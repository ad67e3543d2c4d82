#include "e2e_fixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "sim_control.h"
#include "upload/audio_files.h"

namespace fs = std::filesystem;

ProgramRun ProgramTest::Run(const std::string& arguments, const std::string& profile,
                            Environment extra) {
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.path().string().ends_with("_log.txt")) fs::remove(entry.path());
    }
    fs::remove(folder.path() + "/trace.txt");
    Environment environment = std::move(extra);
    environment.emplace_back("HLX_SIM_TRACE", folder.path() + "/trace.txt");
    if (!profile.empty()) {
        environment.emplace_back("HLX_SIM_PROFILE", folder.write("profile.ini", profile));
    }
    last_ = RunProgram(ShellQuote(TAVREL_CMD_PATH) + " " + arguments, folder.path(), environment);
    return last_;
}

std::vector<std::string> ProgramTest::Trace() const {
    return OutputLines(ReadFileText(folder.path() + "/trace.txt"));
}

bool ProgramTest::TraceHas(const std::string& part) const {
    const auto trace = Trace();
    return std::any_of(trace.begin(), trace.end(), [&](const std::string& line) {
        return line.find(part) != std::string::npos;
    });
}

std::string ProgramTest::LogFileText() const {
    std::string text;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("TavrelCmd_") && name.ends_with("_log.txt")) {
            text = ReadTextFile(entry.path().string());
            ++files;
        }
    }
    return files == 1 ? text : "(" + std::to_string(files) + " log files)";
}

bool ProgramTest::HasInOrder(const std::vector<std::string>& expected) const {
    const std::vector<std::string> lines = Lines();
    size_t at = 0;
    for (const std::string& line : lines) {
        if (at < expected.size() && line == expected[at]) ++at;
    }
    return at == expected.size();
}

bool ProgramTest::HasLine(const std::string& line) const {
    return HasInOrder({line});
}

std::string At(const TempFolder& folder, const std::string& name) {
    return folder.path() + "/" + name;
}

void Resize(const TempFolder& folder, const std::string& name, uintmax_t size) {
    fs::resize_file(At(folder, name), size);
}

void PatchLe(const TempFolder& folder, const std::string& name, std::streamoff offset,
             uint32_t value, int width) {
    std::fstream file(At(folder, name), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    for (int i = 0; i < width; ++i) file.put(static_cast<char>(value >> (8 * i)));
}

void Replace(const TempFolder& folder, const std::string& name, const std::string& from,
             const std::string& to) {
    std::string text = ReadFileText(At(folder, name));
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    folder.write(name, text.replace(at, from.size(), to));
}

void Append(const TempFolder& folder, const std::string& name, const std::string& text) {
    folder.write(name, ReadFileText(At(folder, name)) + text);
}

void MakeFolder(const TempFolder& folder, const std::string& name) {
    fs::remove(At(folder, name));
    fs::create_directories(At(folder, name));
}

std::string ScenarioText(const std::string& extra, const std::string& porder) {
    return "timing.hactive=64\ntiming.vactive=4\ntiming.htotal=80\ntiming.vtotal=10\n"
           "timing.hstart=8\ntiming.vstart=2\ntiming.hsync=4\ntiming.vsync=1\n"
           "timing.frate=60000\ncolorspace=RGB444\nbitspercolor=8\n"
           "video=content\\f000.bin\naudio=content\\tone.wav\npackets=content\\pk0.bin\n"
           "porder=" +
           porder + "\n" + extra;
}

std::string PlaylistText(const std::string& device, const std::vector<std::string>& scenarios) {
    std::string text = "[Device]\n" + device;
    for (const std::string& scenario : scenarios) text += "[Scenario]\n" + scenario;
    return text;
}

std::string DefaultProfileWith(const std::string& generatorKeys) {
    std::string profile = hlxsim::DefaultProfileText();
    const size_t generator = profile.find("[generator]");
    const size_t end = profile.find('\n', generator);
    return profile.insert(end + 1, generatorKeys);
}

namespace {

// One stereo 16-bit 48 kHz WAV of `frames` sample frames.
std::vector<uint8_t> Wav(uint32_t frames) {
    std::vector<uint8_t> samples;
    for (uint32_t i = 0; i < frames * 2; ++i) PutNumber(samples, i * 97, 2, false);
    return MakeWav(WavSpec{}, samples);
}

}  // namespace

void DemoContent::Write(const TempFolder& folder, uint32_t width, uint32_t height, int frames) {
    for (int i = 0; i < frames; ++i) {
        std::vector<uint8_t> frame(width * height * 3, static_cast<uint8_t>(i * 40));
        char name[32];
        std::snprintf(name, sizeof name, "content/f%03d.bin", i);
        folder.write(name, frame);
    }
    folder.write("content/tone.wav", Wav(480));
    std::vector<uint8_t> packet(31, 0);
    packet[0] = 0x82;  // an AVI InfoFrame of zeros, with its checksum
    packet[1] = 2;
    packet[2] = 13;
    packet[3] = 0x6F;
    folder.write("content/pk0.bin", packet);
}

void DemoContent::WriteDisplayPortPacket(const TempFolder& folder) {
    std::vector<uint8_t> sdp(36, 0);
    sdp[1] = 0x82;
    sdp[2] = 0x1D;
    sdp[3] = 0x4C;
    sdp[4] = 2;   // version
    sdp[5] = 13;  // length
    folder.write("content/pk0.bin", sdp);
}
