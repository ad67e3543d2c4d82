// What a sink declares it can take, read from its EDID: clocks, deep colour, colour
// formats, scrambling, HDR, the Dolby VSVDB and audio. Every CTA-861 extension counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "format/color_format.h"

struct ShortAudioDescriptor {
    uint8_t format = 0;    // audio format code; 1 is LPCM
    uint8_t channels = 0;  // at most
    uint8_t rates = 0;     // bit 0 32 kHz, 1 44.1, 2 48, 3 88.2, 4 96, 5 176.4, 6 192 kHz
};

// The HDMI Sink Capability Data Structure, from an HF-VSDB or an HF-SCDB.
struct SinkScds {
    bool present = false;
    uint8_t maxTmdsCharacterRate = 0;  // x 5 MHz; 0 when not given
    bool scdc = false;                 // SCDC_Present
    bool lte340Scramble = false;       // LTE_340Mcsc_scramble
    bool dc420_30 = false;
    bool dc420_36 = false;
    bool dc420_48 = false;
};

struct SinkCapabilities {
    bool cta = false;  // the EDID has a CTA-861 extension
    // Byte 3 of the extensions.
    bool ycbcr444 = false;
    bool ycbcr422 = false;
    bool basicAudio = false;
    // The HDMI VSDB.
    bool hdmiVsdb = false;
    uint8_t maxTmdsClock = 0;  // x 5 MHz; 0 when not given
    bool dc30 = false;
    bool dc36 = false;
    bool dc48 = false;
    bool dcY444 = false;
    // The HF-VSDB's, or where there is none the HF-SCDB's.
    SinkScds scds;
    bool ycbcr420Video = false;  // a YCbCr 4:2:0 Video Data Block
    bool ycbcr420Map = false;    // a YCbCr 4:2:0 Capability Map Data Block
    bool hdrStatic = false;      // an HDR Static Metadata Data Block
    uint8_t eotfs = 0;           // its EOTFs: bit n for EOTF n
    bool dolbyVsvdb = false;
    std::vector<ShortAudioDescriptor> audio;  // of every Audio Data Block, in order
};

// Reads the first `size` bytes of an EDID. The first occurrence of a block gives its
// fields; the flags of byte 3, the 4:2:0 blocks and the audio descriptors of every
// CTA-861 extension add up. Never reads outside the bytes.
SinkCapabilities ReadSinkCapabilities(const uint8_t* edid, size_t size);

// Reads an EDID file (see ReadSinkEdidFile). Empty when read; otherwise the refusal.
std::string ReadSinkCapabilitiesFile(const std::string& path, SinkCapabilities& capabilities);

// The highest TMDS clock in Hz: Max_TMDS_Character_Rate, else Max_TMDS_Clock, else 165 MHz.
uint64_t SinkTmdsLimit(const SinkCapabilities& sink);
// Whether the sink takes the colour space (RGB always; kOther never).
bool DeclaresColorSpace(const SinkCapabilities& sink, ColorSpace space);
// Whether an LPCM descriptor (or the basic-audio flag: 2 channels at 32, 44.1 and 48 kHz)
// has at least these channels at this rate.
bool DeclaresPcm(const SinkCapabilities& sink, uint32_t channels, uint32_t rate);
// Whether a descriptor other than LPCM is declared.
bool DeclaresCompressedAudio(const SinkCapabilities& sink);

// "Sink <file>: max TMDS 600 MHz; deep colour 30, 36, 48 bits (YCbCr 4:4:4 too); ...".
std::string SinkSummaryLine(const std::string& file, const SinkCapabilities& sink);
