#include "bad_inputs.h"

#include <filesystem>

#include "e2e_fixture.h"

namespace fs = std::filesystem;

const std::string kScenario = ScenarioText();
const char* const kHdmiPlaylist =
    "[Device]\nserialnumber=SIM0001\nconnectortype=HDMI Out\n[Scenario]\npath=s1.txt\n";
const char* const kPlaylistFailed = "Failed loading playlist!";

namespace {

const char* const kDpPlaylist =
    "[Device]\nserialnumber=SIM0001\nconnectortype=DisplayPort Out\n[Scenario]\npath=s1.txt\n";
const char* const kUploadError = "Error happened during upload.";
const char* const kAudioFailed = "Fatal: failed to read audio file";
const char* const kPacketsFailed = "Fatal: failed to read/upload packets!";
const char* const kEnded = "Playlist has ended.";
const char* const kNoMemory = "Not enough memory in the device!";

// Bytes that hold no line feed, "=" or "[" often enough to look like settings.
std::string Garbage(size_t size) {
    std::string bytes(size, '\0');
    uint32_t state = 12345;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const BadInput& input) {
    return out << input.name;
}

void WriteBadInputBase(const TempFolder& folder) {
    DemoContent::Write(folder, 64, 4, 3);
    folder.write("s1.txt", kScenario);
    folder.write("p.ini", kHdmiPlaylist);
    folder.write("pdp.ini", kDpPlaylist);
}

const std::vector<BadInput> kBadAudio = {
    {"WavCutInsideItsHeader",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 30); },
     {kAudioFailed, kUploadError}},
    // A recording that stopped early plays what it holds (the header's size is cut).
    {"WavSamplesCutShort",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 100); },
     {"Audio data size: 12288 bytes.", "Set audio parameters [2, 48000, 16] OK", kEnded},
     0},
    {"WavDataSizeClaims4GB",
     [](const TempFolder& f) { PatchLe(f, "content/tone.wav", 40, 0xFFFFFFF0u, 4); },
     {"Audio data size: 12288 bytes.", "Upload succeeded!", kEnded},
     0},
    // The samples are really there: their device data is sized, not read.
    {"WavHolding4GBOfSamples",
     [](const TempFolder& f) {
         PatchLe(f, "content/tone.wav", 40, 0xFFFFFFF0u, 4);
         Resize(f, "content/tone.wav", 44 + uintmax_t{0xFFFFFFF0u});
     },
     {"Audio data size: 8589938688 bytes.", kNoMemory, kUploadError}},
    {"WavWithZeroChannels",
     [](const TempFolder& f) { PatchLe(f, "content/tone.wav", 22, 0, 2); },
     {kAudioFailed, kUploadError}},
    {"WavEmpty",
     [](const TempFolder& f) { Resize(f, "content/tone.wav", 0); },
     {kAudioFailed, kUploadError}},
    {"WavMissing",
     [](const TempFolder& f) { fs::remove(At(f, "content/tone.wav")); },
     {"File tone.wav doesn't exist!", kUploadError}},
    {"WavIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/tone.wav"); },
     {kAudioFailed, kUploadError}},
    {"RawAudioOf3GB",
     [](const TempFolder& f) {
         f.write("content/tone.bin", "");
         Resize(f, "content/tone.bin", uintmax_t{3} << 30);
         Replace(f, "s1.txt", "tone.wav", "tone.bin");
     },
     {"Audio data size: 6442450944 bytes.", kNoMemory, kUploadError}},
};

const std::vector<BadInput> kBadPackets = {
    {"PacketFileEmpty",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", 0); },
     {"pk0.bin: the file is empty", kPacketsFailed, kUploadError}},
    {"PacketFileOf8GBForDisplayPort",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", uintmax_t{8} << 30); },
     {"pk0.bin: a DisplayPort packet of 8589934592 bytes is longer than its 4 header bytes and "
      "112 payload bytes",
      kPacketsFailed, kUploadError},
     1,
     "--playlist pdp.ini"},
    // HDMI packets use their first 32 bytes whatever the file's length.
    {"PacketFileOf8GBForHdmi",
     [](const TempFolder& f) { Resize(f, "content/pk0.bin", uintmax_t{8} << 30); },
     {"Loaded packet(s)", kEnded},
     0},
    {"PacketFileWithAnotherExtension",
     [](const TempFolder& f) {
         fs::rename(At(f, "content/pk0.bin"), At(f, "content/pk0.dat"));
         Replace(f, "s1.txt", "pk0.bin", "pk0.dat");
     },
     {"pk0.dat: the extension is not bin", kPacketsFailed, kUploadError}},
    {"PacketFileIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/pk0.bin"); },
     {"pk0.bin: the file cannot be opened", kPacketsFailed, kUploadError}},
};

const std::vector<BadInput> kBadVideo = {
    {"FrameOfWrongSize",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", 100); },
     {"Not expected image size 100 for 64x4, Bpp = 0", "Failed to load content\\f001.bin",
      kUploadError}},
    {"FrameOf8GB",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", uintmax_t{8} << 30); },
     {"Not expected image size 8589934592 for 64x4, Bpp = 33554432",
      "Failed to load content\\f001.bin", kUploadError}},
    {"FrameEmpty",
     [](const TempFolder& f) { Resize(f, "content/f001.bin", 0); },
     {"Not expected image size 0 for 64x4, Bpp = 0", "Failed to load content\\f001.bin",
      kUploadError}},
    // Unsized 4:2:0 frames still reserve 4 + 2 bytes a pixel: 6 GiB each, never wrapped.
    {"Yuv420FramesReserving6GiBEach",
     [](const TempFolder& f) {
         Replace(f, "s1.txt", "hactive=64\ntiming.vactive=4\ntiming.htotal=80\ntiming.vtotal=10",
                 "hactive=16384\ntiming.vactive=65536\ntiming.htotal=16400\ntiming.vtotal=65600");
         Replace(f, "s1.txt", "frate=60000\ncolorspace=RGB444", "frate=100\ncolorspace=YUV420");
         for (const char* frame : {"content/f000.bin", "content/f001.bin", "content/f002.bin"}) {
             Resize(f, frame, uintmax_t{1} << 30);
         }
     },
     {"Video data size: 19327352832 bytes.", kNoMemory, kUploadError}},
    {"FrameIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "content/f001.bin"); },
     {"Cannot open content\\f001.bin", "Failed to load content\\f001.bin", kUploadError}},
    {"FrameMissing",
     [](const TempFolder& f) { Replace(f, "s1.txt", "f000.bin", "clip.bin"); },
     {"File clip.bin doesn't exist!", kUploadError}},
    {"ZeroTiming",
     [](const TempFolder& f) {
         std::string text = kScenario;
         f.write("s1.txt", text.substr(text.find("colorspace")));
     },
     {"No timings specified in the scenario!"}},
};

const std::vector<BadInput> kBadFiles = {
    {"PlaylistMissing",
     [](const TempFolder& f) { fs::remove(At(f, "p.ini")); },
     {"Playlist file p.ini does not exist!",
      "  --reset-sink-before-capture\tResets the Sink device when starting capture "
      "application."}},
    {"PlaylistEmpty", [](const TempFolder& f) { f.write("p.ini", ""); }, {kPlaylistFailed}},
    {"PlaylistIsAFolder", [](const TempFolder& f) { MakeFolder(f, "p.ini"); }, {kPlaylistFailed}},
    {"PlaylistOfBinaryGarbage",
     [](const TempFolder& f) { f.write("p.ini", Garbage(100000)); },
     {kPlaylistFailed}},
    {"PlaylistOf8GB",
     [](const TempFolder& f) { Resize(f, "p.ini", uintmax_t{8} << 30); },
     {"File p.ini is too large to read.", kPlaylistFailed}},
    {"ScenarioMissing",
     [](const TempFolder& f) { fs::remove(At(f, "s1.txt")); },
     {"Scenario file s1.txt cannot be read: it does not exist.", kPlaylistFailed}},
    {"ScenarioEmpty",
     [](const TempFolder& f) { f.write("s1.txt", ""); },
     {"Scenario file s1.txt names no video, audio or packets.", kPlaylistFailed}},
    {"ScenarioIsAFolder",
     [](const TempFolder& f) { MakeFolder(f, "s1.txt"); },
     {"Scenario file s1.txt cannot be read: it is not a file that can be read.", kPlaylistFailed}},
    {"ScenarioOf8GB",
     [](const TempFolder& f) { Resize(f, "s1.txt", uintmax_t{8} << 30); },
     {"File s1.txt is too large to read.", kPlaylistFailed}},
    {"ScenarioModeWithMissingFile",
     [](const TempFolder&) {},
     {"Scenario file none.txt does not exist!",
      "  --reset-sink-before-capture\tResets the Sink device when starting capture "
      "application."},
     1,
     "--scenario none.txt --interface HDMI"},
};

const std::vector<BadInput> kBadOrder = {
    {"PlayingOrderOf5000000Steps",
     [](const TempFolder& f) {
         Replace(f, "s1.txt", "porder=0-2:40:0:256", "porder=0-4999999:1::256");
     },
     {"Scenario: FATAL error, playing order has more than 1048576 steps", kUploadError}},
    {"PlayingOrderOf2000000Items",
     [](const TempFolder& f) {
         std::string order = "porder=";
         for (int i = 0; i < 2000000; ++i) order += "0:1:0:256;";
         Append(f, "s1.txt", order + "\n");
     },
     {"Scenario: FATAL error, playing order has more than 1048576 steps", kUploadError}},
    {"TwoMegabyteNumber",
     [](const TempFolder& f) {
         Append(f, "s1.txt", "bitspercolor=" + std::string(2 << 20, '7') + "\n");
     },
     {"Invalid number '" + std::string(64, '7') + "...' for key 'bitspercolor' in s1.txt, line 16.",
      kPlaylistFailed}},
    {"TwoMegabyteVideoPath",
     [](const TempFolder& f) {
         Append(f, "s1.txt", "video=" + std::string(2 << 20, 'v') + ".bin\n");
     },
     {"File " + std::string(2 << 20, 'v') + ".bin doesn't exist!", kUploadError}},
    {"TwoMegabyteCaption",
     [](const TempFolder& f) { Append(f, "p.ini", "caption=" + std::string(2 << 20, 'c') + "\n"); },
     {"Upload succeeded!", kEnded},
     0},
};
