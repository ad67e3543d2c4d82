#include "app/capture.h"

#include <gtest/gtest.h>

#include <chrono>

#include "device/wait.h"
#include "scenario/playing_order.h"

namespace {

Playlist CapturePlaylist() {
    Playlist playlist;
    playlist.sinkSerialNumber = "1234";
    playlist.interface = "HDMI";
    playlist.captureFolder = "D:\\cap";
    return playlist;
}

ScenarioSettings Content(const char* packets, const char* audio, const char* porder) {
    ScenarioSettings settings;
    settings.packets = packets;
    settings.audio = audio;
    settings.porder = porder;
    return settings;
}

TEST(CaptureCommand, PiecesInOrder) {
    struct Case {
        Playlist playlist;
        ScenarioSettings settings;
        std::string expected;
    };
    Playlist reset = CapturePlaylist();
    reset.sinkResetBeforeCapture = true;
    Playlist star = CapturePlaylist();
    star.sinkSerialNumber = "*";
    star.captureFolder = "C:\\my captures";
    Playlist dashes = CapturePlaylist();
    dashes.sinkSerialNumber = "a-p-d";
    const Case cases[] = {
        {CapturePlaylist(), Content("p0.bin", "a.wav", "0-119:1::256"),
         "Quillet.exe -v -e -a -n 120 -sn 1234 -p HDMI -d \"D:\\cap\""},
        {CapturePlaylist(), Content("not selected", "", ""),
         "Quillet.exe -v -n 1 -sn 1234 -p HDMI -d \"D:\\cap\""},
        {reset, Content("", "", "0:1::256"),
         "Quillet.exe -v -n 1 -reset-before-capture -sn 1234 -p HDMI -d \"D:\\cap\""},
        {star, Content("", "", "0:5::256;p2-3:1::256"),
         "Quillet.exe -v -n 7 -sn * -p HDMI -d \"C:\\my captures\""},
        // A serial number holding "-p" and "-d" suppresses the later pieces.
        {dashes, Content("", "", "0:1:2"), "Quillet.exe -v -n 0 -sn a-p-d"},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildCaptureCommand(c.playlist, c.settings), c.expected);
}

TEST(FrameCount, SumsRepeatsOfEveryItem) {
    EXPECT_EQ(CountPlayingOrderFrames(""), 1u);
    EXPECT_EQ(CountPlayingOrderFrames("0:1::256"), 1u);
    EXPECT_EQ(CountPlayingOrderFrames("0-9:2::256"), 20u);
    EXPECT_EQ(CountPlayingOrderFrames("0:5::256;p2-3:1::256"), 7u);
    EXPECT_EQ(CountPlayingOrderFrames("0:1:"), 0u);
}

TEST(Sleep, ZeroReturnsAtOnceAndShortWaitsLastLongEnough) {
    const auto start = std::chrono::steady_clock::now();
    SleepMilliseconds(0);
    SleepMilliseconds(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

}  // namespace
