// Broken inputs of every kind, each with what the run must end with. The bad-input test
// runs them for their messages; the agreement test runs the check beside each of them.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "support.h"

extern const std::string kScenario;  // the scenario s1.txt every input starts from
extern const char* const kHdmiPlaylist;
extern const char* const kPlaylistFailed;

using Prepare = std::function<void(const TempFolder&)>;

struct BadInput {
    std::string name;
    Prepare prepare;
    std::vector<std::string> expected;  // in this order; the last is the run's last line
    int exitCode = 1;
    std::string arguments = "--playlist p.ini";
};

std::ostream& operator<<(std::ostream& out, const BadInput& input);

// What every input starts from: 64x4 demo content of three frames, s1.txt, p.ini for
// HDMI and pdp.ini for DisplayPort, both playing s1.txt.
void WriteBadInputBase(const TempFolder& folder);

extern const std::vector<BadInput> kBadAudio;
extern const std::vector<BadInput> kBadPackets;
extern const std::vector<BadInput> kBadVideo;
extern const std::vector<BadInput> kBadFiles;
extern const std::vector<BadInput> kBadOrder;
