// Runs the built TavrelCmd in a fresh folder against the simulator, with a
// profile and a trace file, and reads back output, log file and trace.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ios>
#include <string>
#include <vector>

#include "run_program.h"
#include "support.h"

class ProgramTest : public ::testing::Test {
  protected:
    // Runs TavrelCmd with `arguments` (already shell-quoted where needed). A non-empty
    // profile is written to profile.ini and used; the trace goes to trace.txt.
    ProgramRun Run(const std::string& arguments, const std::string& profile = "",
                   Environment extra = {});
    std::vector<std::string> Lines() const { return OutputLines(last_.output); }
    std::vector<std::string> Trace() const;
    // True when a trace line holds `part`.
    bool TraceHas(const std::string& part) const;
    // The content of the one log file the run left in the folder.
    std::string LogFileText() const;
    // True when `expected` appear in this order among the output lines.
    bool HasInOrder(const std::vector<std::string>& expected) const;
    bool HasLine(const std::string& line) const;

    TempFolder folder;

  private:
    ProgramRun last_;
};

// A scenario of 64x4 HDMI frames using DemoContent's files, with `extra` lines at the end.
std::string ScenarioText(const std::string& extra = "", const std::string& porder = "0-2:40:0:256");
// A playlist of a [Device] section and one [Scenario] section per text.
std::string PlaylistText(const std::string& device, const std::vector<std::string>& scenarios);

// The default simulator profile with extra [generator] keys.
std::string DefaultProfileWith(const std::string& generatorKeys);

// Changes to the files below a test folder, named relative to it.
std::string At(const TempFolder& folder, const std::string& name);
// Past the end the file stays sparse: gigabytes cost no disk.
void Resize(const TempFolder& folder, const std::string& name, uintmax_t size);
// Writes `value` little-endian in `width` bytes at `offset`.
void PatchLe(const TempFolder& folder, const std::string& name, std::streamoff offset,
             uint32_t value, int width);
// Replaces the first `from` in a text file; a test failure when there is none.
void Replace(const TempFolder& folder, const std::string& name, const std::string& from,
             const std::string& to);
void Append(const TempFolder& folder, const std::string& name, const std::string& text);
// Replaces the file by an empty folder of the same name.
void MakeFolder(const TempFolder& folder, const std::string& name);

// Small content for a scenario: RGB frames, a WAV and an HDMI packet, written below `folder`.
struct DemoContent {
    static void Write(const TempFolder& folder, uint32_t width, uint32_t height, int frames);
    // The packet as the AVI InfoFrame SDP a DisplayPort output sends.
    static void WriteDisplayPortPacket(const TempFolder& folder);
};
