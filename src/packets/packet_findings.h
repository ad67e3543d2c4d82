// What a packet file does wrong, as far as its own bytes and the steps that send it tell:
// an InfoFrame the sink drops, an AVI InfoFrame that contradicts the step's colour space,
// an HDMI packet on a DisplayPort output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/playing_order.h"

// A step that sends the packet, with the colour code it plays in.
struct StepColor {
    uint32_t step = 0;
    uint16_t colorCode = 0;
};

// For each of the first `packets` packets, the steps that list it, in playing order; of
// the steps in one colour code only the first, which is all a colour space check needs.
// One pass over the steps, whatever their number.
std::vector<std::vector<StepColor>> StepsSendingPackets(const std::vector<PlayingOrderStep>& steps,
                                                        size_t packets);

// The warnings for one packet file `file` (as it is named in them), in this order: the
// HDMI checksum or the length beyond a packet, the AVI colour space against the first
// step that sends another, the DisplayPort HB0. Empty when none applies.
std::vector<std::string> PacketFindings(const std::string& file, const uint8_t* data, size_t size,
                                        bool hdmi, const std::vector<StepColor>& steps);
