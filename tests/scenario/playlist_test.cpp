#include "scenario/playlist.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support.h"

namespace {

// A playlist file in a temporary folder next to the scenario files it names.
class PlaylistFile : public testing::Test {
  protected:
    PlaylistFile() {
        folder.write("video.txt", "video=v.bin\nstrict=0\n");
        folder.write("packets.txt", "packets=p.bin\n");
        folder.write("empty.txt", "porder=0:1::256\n");
        folder.write("badnumber.txt", "video=v.bin\nbitspercolor=ten\n");
    }
    Playlist read(const std::string& text) {
        return readPlaylistFile(folder.write("list.ini", text));
    }
    std::string under(const std::string& name) const { return folder.path() + "\\" + name; }

    TempFolder folder;
};

TEST_F(PlaylistFile, ReadsDeviceAndEntries) {
    const Playlist p = read(
        "; a playlist\n# comment\n// also\n[Device]\nserialnumber = 1234\nconnectortype=HDMI Out\n"
        "reset=1\nstrict=0\n\n[Scenario]\npath=video.txt\nperiod=500\ncaption = first one \n"
        "close-after-upload=1\nexecute-after-upload=tool -x = 1\n[Scenario]\npath = packets.txt\n");
    EXPECT_EQ(p.serialnumber, "1234");
    EXPECT_EQ(p.connectortype, "HDMI TX");
    EXPECT_TRUE(p.reset);
    EXPECT_FALSE(p.strict);
    ASSERT_EQ(p.entries.size(), 2u);
    const PlaylistEntry& first = p.entries[0];
    EXPECT_EQ(first.settings.path, under("video.txt"));
    EXPECT_EQ(first.settings.video, folder.path() + "\\v.bin");
    EXPECT_EQ(first.period, 500u);
    EXPECT_EQ(first.caption, "first one");
    EXPECT_TRUE(first.closeAfterUpload);
    EXPECT_EQ(first.executeAfterUpload, "tool -x = 1");
    EXPECT_TRUE(EntrySettings(p, 0).hdmi);
    // The scenario's own strict line is kept here; the playlist's replaces it when applied.
    EXPECT_FALSE(first.settings.strict);
    const PlaylistEntry& second = p.entries[1];
    EXPECT_EQ(second.settings.packets, folder.path() + "\\p.bin");
    EXPECT_EQ(second.period, 0u);
    EXPECT_FALSE(second.closeAfterUpload);
    EXPECT_TRUE(p.isUsable());
    EXPECT_TRUE(p.sinkSerialNumber.empty() && p.interface.empty() && p.captureFolder.empty());
}

TEST_F(PlaylistFile, DeviceValues) {
    struct Case {
        const char* device;
        const char* connector;
        bool reset;
        bool strict;
        bool hdmi;
    };
    const Case cases[] = {
        {"connectortype=DP Out\nreset=2\nstrict=2", "DP TX", false, true, false},
        {"connectortype=HDMI Out Out\nreset=1", "HDMI TX TX", true, true, true},
        {"connectortype=hdmi out\nstrict=0", "hdmi out", false, false, false},
        {"connectortype=OOutut", "OTXut", false, true, false},
    };
    for (const Case& c : cases) {
        const Playlist p = read("[Device]\nserialnumber=1\n" + std::string(c.device) +
                                "\n[Scenario]\npath=video.txt\n");
        EXPECT_EQ(p.connectortype, c.connector) << c.device;
        EXPECT_EQ(p.reset, c.reset) << c.device;
        EXPECT_EQ(p.strict, c.strict) << c.device;
        ASSERT_EQ(p.entries.size(), 1u) << c.device;
        EXPECT_EQ(EntrySettings(p, 0).hdmi, c.hdmi) << c.device;
        EXPECT_EQ(EntrySettings(p, 0).strict, c.strict) << c.device;
    }
}

TEST_F(PlaylistFile, HdmiFollowsTheLastConnectorType) {
    const Playlist p = read(
        "[Scenario]\npath=video.txt\n[Device]\nconnectortype=HDMI "
        "Out\n[Scenario]\npath=video.txt\n");
    ASSERT_EQ(p.entries.size(), 2u);
    EXPECT_TRUE(EntrySettings(p, 0).hdmi);
    EXPECT_TRUE(EntrySettings(p, 1).hdmi);
}

TEST_F(PlaylistFile, SectionRules) {
    // Keys before any header, lower-case section names and unknown sections are skipped.
    const Playlist p = read(
        "serialnumber=early\n[device]\nserialnumber=lower\n[Other]\nserialnumber=other\n"
        "[ Device ]\nserialnumber=blank\n[Scenario]\npath=video.txt\nperiod=1\n"
        "[scenario]\nperiod=2\npath=packets.txt\n[Scenario]\nunknown=1\nno equals sign\n");
    EXPECT_EQ(p.serialnumber, "");
    ASSERT_EQ(p.entries.size(), 1u);
    EXPECT_EQ(p.entries[0].settings.video, folder.path() + "\\v.bin");
    EXPECT_EQ(p.entries[0].period, 1u);
    // Each is named once: an unknown section's keys go unnamed with it.
    const std::string list = (std::filesystem::path(folder.path()) / "list.ini").string();
    EXPECT_EQ(p.ignored,
              (std::vector<std::string>{
                  "unknown key 'serialnumber' in " + list + ", line 1: it is ignored.",
                  "unknown section '[device]' in " + list + ", line 2: its keys are ignored.",
                  "unknown section '[Other]' in " + list + ", line 4: its keys are ignored.",
                  "unknown section '[ Device ]' in " + list + ", line 6: its keys are ignored.",
                  "unknown section '[scenario]' in " + list + ", line 11: its keys are ignored.",
                  "unknown key 'unknown' in " + list + ", line 15: it is ignored."}));
}

TEST_F(PlaylistFile, ByteOrderMarkIsSkipped) {
    folder.write("bom.txt", "\xEF\xBB\xBFhdcp=v23\nvideo=v.bin\n");
    const Playlist p = read("\xEF\xBB\xBF[Device]\nserialnumber=1\n[Scenario]\npath=bom.txt\n");
    EXPECT_EQ(p.serialnumber, "1");
    ASSERT_EQ(p.entries.size(), 1u);
    EXPECT_EQ(p.entries[0].settings.hdcp, 2u);
}

TEST_F(PlaylistFile, SectionWithoutPathCarriesItsValues) {
    const Playlist p = read(
        "[Scenario]\nperiod=500\ncaption=c\nclose-after-upload=1\n[Scenario]\npath=video.txt\n"
        "[Scenario]\npath=video.txt\npath=packets.txt\n");
    ASSERT_EQ(p.entries.size(), 2u);
    EXPECT_EQ(p.entries[0].period, 500u);
    EXPECT_EQ(p.entries[0].caption, "c");
    EXPECT_TRUE(p.entries[0].closeAfterUpload);
    // A second path replaces the first; the entry starts from its defaults.
    EXPECT_EQ(p.entries[1].settings.video, "");
    EXPECT_EQ(p.entries[1].settings.packets, folder.path() + "\\p.bin");
    EXPECT_EQ(p.entries[1].period, 0u);
}

TEST_F(PlaylistFile, CloseAfterUploadOnlyWhenOne) {
    for (const auto& [value, on] :
         {std::pair{"1", true}, {"2", false}, {"0", false}, {"01", true}}) {
        const Playlist p =
            read("[Scenario]\npath=video.txt\nclose-after-upload=" + std::string(value) + "\n");
        ASSERT_EQ(p.entries.size(), 1u);
        EXPECT_EQ(p.entries[0].closeAfterUpload, on) << value;
    }
}

TEST_F(PlaylistFile, ScenarioWithoutContentEmptiesEverythingAndIsNamed) {
    LogCapture log;
    for (const char* bad : {"empty.txt", "missing.txt", ""}) {
        const Playlist p = read(
            "[Device]\nserialnumber=1\nconnectortype=HDMI Out\n[Scenario]\n"
            "path=video.txt\n[Scenario]\npath=" +
            std::string(bad) + "\n[Scenario]\npath=video.txt\n");
        EXPECT_EQ(p.serialnumber, "") << bad;
        EXPECT_EQ(p.connectortype, "") << bad;
        EXPECT_TRUE(p.entries.empty()) << bad;
    }
    const std::string at = "Scenario file " + folder.path() + "\\";
    EXPECT_EQ(log.lines, (std::vector<std::string>{
                             at + "empty.txt names no video, audio or packets.",
                             at + "missing.txt cannot be read: it does not exist.",
                             "Scenario file  cannot be read: it does not exist.",  // path=
                         }));
}

TEST_F(PlaylistFile, InvalidNumbersEmptyThePlaylist) {
    const std::string list = folder.write("list.ini", "");  // the path read() hands over
    const std::pair<std::string, std::string> cases[] = {
        {"[Device]\nreset=yes\n", "Invalid number 'yes' for key 'reset' in " + list + ", line 6."},
        {"[Device]\nstrict=\n", "Invalid number '' for key 'strict' in " + list + ", line 6."},
        {"[Scenario]\npath=video.txt\n\nperiod = 4294967396 \n",
         "Invalid number '4294967396' for key 'period' in " + list + ", line 8."},
        {"[Scenario]\nperiod=" + std::string(100, 'z') + "\n",
         "Invalid number '" + std::string(64, 'z') + "...' for key 'period' in " + list +
             ", line 6."},
        {"[Scenario]\nclose-after-upload=x\r\n",
         "Invalid number 'x' for key 'close-after-upload' in " + list + ", line 6."},
        {"[Scenario]\npath=badnumber.txt\n",
         "Invalid number 'ten' for key 'bitspercolor' in " + under("badnumber.txt") + ", line 2."},
    };
    for (const auto& [text, message] : cases) {
        LogCapture log;
        const Playlist p =
            read(std::string("[Device]\nserialnumber=1\n[Scenario]\npath=video.txt\n") + text);
        EXPECT_EQ(p.serialnumber, "") << text;
        EXPECT_TRUE(p.entries.empty()) << text;
        EXPECT_EQ(log.lines, std::vector<std::string>{message});
    }
}

TEST_F(PlaylistFile, NumberSyntax) {
    const Playlist p = read("[Scenario]\npath=video.txt\nperiod=4294967295ms\n");
    ASSERT_EQ(p.entries.size(), 1u);
    EXPECT_EQ(p.entries[0].period, UINT32_MAX);
}

TEST_F(PlaylistFile, LongLinesStayLinear) {
    std::string outs;
    for (int i = 0; i < 700000; ++i) outs += "Out";
    const Playlist p = read("[Device]\nconnectortype=" + outs + "\ncaption=" + outs +
                            "\n[Scenario]\npath=video.txt\n");
    EXPECT_EQ(p.connectortype.size(), 2u * 700000);
    EXPECT_EQ(p.connectortype.compare(0, 4, "TXTX"), 0);
}

TEST_F(PlaylistFile, UnreadableFileIsEmpty) {
    LogCapture log;
    EXPECT_TRUE(readPlaylistFile(under("none.ini")).entries.empty());
    EXPECT_TRUE(readPlaylistFile(folder.path()).entries.empty());  // a folder
    EXPECT_TRUE(log.lines.empty());
}

TEST(PlaylistText, ScenarioPathsFollowThePlaylistFolder) {
    TempFolder folder;
    folder.write("sub/sc.txt", "audio=a.wav\n");
    const std::string list = folder.path() + "/sub/list.ini";
    const Playlist p =
        parsePlaylistText(list, "[Scenario]\npath=sc.txt\n", loadScenarioFile).playlist;
    ASSERT_EQ(p.entries.size(), 1u);
    EXPECT_EQ(p.entries[0].settings.path, folder.path() + "/sub\\sc.txt");
    EXPECT_EQ(p.entries[0].settings.audio, folder.path() + "/sub\\a.wav");
}

TEST(PlaylistText, ReadsNoFileAndReturnsTheInvalidNumber) {
    LogCapture log;
    std::vector<std::string> asked;
    const ScenarioLoader loader = [&asked](const std::string& path) {
        asked.push_back(path);
        ScenarioSettings settings;
        settings.audio = "a.wav";
        return ScenarioFile{settings, ScenarioFileError::kNone, {}};
    };
    const std::string text = "[Device]\nconnectortype=HDMI Out\n[Scenario]\npath=sc.txt\n";
    EXPECT_TRUE(EntrySettings(parsePlaylistText("lists\\p.ini", text, loader).playlist, 0).hdmi);
    const PlaylistText bad = parsePlaylistText("p.ini", text + "period=soon\n", loader);
    EXPECT_EQ(asked, (std::vector<std::string>{"lists\\sc.txt", "sc.txt"}));
    EXPECT_TRUE(bad.playlist.entries.empty());
    ASSERT_TRUE(bad.invalidNumber);
    EXPECT_EQ(bad.invalidNumber->value + "|" + bad.invalidNumber->key, "soon|period");
    EXPECT_EQ(bad.invalidNumber->line, 5u);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
