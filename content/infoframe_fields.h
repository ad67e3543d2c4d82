// The keys of each InfoFrame type, what values they take, and the data bytes they make
// (CTA-861 for AVI and audio, CTA-861.3 for Dynamic Range and Mastering).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "infoframe.h"

// Every field any type has; a key left out stays 0 (CTA-861's "no data" or "unknown").
struct InfoFrameFields {
    // avi
    uint8_t format = 0;        // Y: 0 RGB, 1 YCbCr 4:2:2, 2 YCbCr 4:4:4, 3 YCbCr 4:2:0
    uint8_t colorimetry = 0;   // 0 none, 1 BT.601, 2 BT.709, 3 BT.2020
    uint8_t quantization = 0;  // 0 default, 1 limited, 2 full
    uint32_t vic = 0;
    // drm
    uint8_t eotf = 0;
    uint16_t primaries[6] = {};  // rx, ry, gx, gy, bx, by in 0.00002 units
    uint16_t white[2] = {};
    uint16_t maxLuminance = 0;  // cd/m2
    uint16_t minLuminance = 0;  // 0.0001 cd/m2
    uint16_t maxCll = 0;
    uint16_t maxFall = 0;
    // audio
    uint32_t channels = 0;
    // vendor
    uint32_t oui = 0;
    uint32_t version = 1;
    std::vector<uint8_t> payload;
};

struct FieldRule {
    const char* key;
    const char* expected;  // the values it takes, for the message of a bad one
    bool (*apply)(const std::string& value, InfoFrameFields& fields);
};

struct InfoFrameKind {
    const char* name;  // the value of type=
    const FieldRule* rules;
    size_t ruleCount;
    InfoFrameToWrite (*build)(const InfoFrameFields& fields);
};

// The kind that type=<name> names; null for none.
const InfoFrameKind* FindInfoFrameKind(const std::string& name);
// "avi, drm, audio or vendor".
std::string InfoFrameKindNames();
// The kind's rule of that key; null when the kind has no such key.
const FieldRule* FindFieldRule(const InfoFrameKind& kind, const std::string& key);
