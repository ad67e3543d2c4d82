// Every configuration item and device register the program touches, by name.
#pragma once

#include <cstdint>

namespace item {
// Generator settings.
inline constexpr uint32_t kHdcp1Control = 641;         // 0x281
inline constexpr uint32_t kHdcp2Control = 657;         // 0x291
inline constexpr uint32_t kApplySettings = 1795;       // 0x703
inline constexpr uint32_t kHTotal = 1796;              // 0x704
inline constexpr uint32_t kHStart = 1797;              // 0x705
inline constexpr uint32_t kHActive = 1798;             // 0x706
inline constexpr uint32_t kHSync = 1799;               // 0x707
inline constexpr uint32_t kVTotal = 1800;              // 0x708
inline constexpr uint32_t kVStart = 1801;              // 0x709
inline constexpr uint32_t kVActive = 1802;             // 0x70A
inline constexpr uint32_t kVSync = 1803;               // 0x70B
inline constexpr uint32_t kColorFormat = 1804;         // 0x70C
inline constexpr uint32_t kFrameRate = 1805;           // 0x70D
inline constexpr uint32_t kPattern = 1809;             // 0x711
inline constexpr uint32_t kSolidColor = 1812;          // 0x714
inline constexpr uint32_t kImageWidth = 1813;          // 0x715
inline constexpr uint32_t kImageHeight = 1814;         // 0x716
inline constexpr uint32_t kImageFormat = 1815;         // 0x717
inline constexpr uint32_t kPatternMemoryBlock = 1817;  // 0x719
inline constexpr uint32_t kImageData = 1824;           // 0x720
inline constexpr uint32_t kDpLaneCount = 1931;         // 0x78B
inline constexpr uint32_t kDpLinkRate = 1932;          // 0x78C
inline constexpr uint32_t kMemorySize = 2176;          // 0x880
inline constexpr uint32_t kMemoryLayoutReset = 2178;   // 0x882
inline constexpr uint32_t kMemoryLayout = 2179;        // 0x883
inline constexpr uint32_t kMemoryBlockSelect = 2180;   // 0x884
inline constexpr uint32_t kMemoryBlockData = 2181;     // 0x885
inline constexpr uint32_t kSinkEdid = 4352;            // 0x1100
// Register window.
inline constexpr uint32_t kRegisterAddress = 0xFF00000;
inline constexpr uint32_t kRegisterRead = 0xFF00001;
inline constexpr uint32_t kRegisterWrite = 0xFF00003;
inline constexpr uint32_t kRegisterBlockWrite = 0xFF00004;
inline constexpr uint32_t kDeviceReset = 0xFF00008;
// Playback group.
inline constexpr uint32_t kPlaybackState = 0x5002B000;
inline constexpr uint32_t kPlaybackContent = 0x5002B001;
inline constexpr uint32_t kPlaybackMemoryBlock = 0x5002B002;
inline constexpr uint32_t kPlaybackScenario = 0x5002B00E;
// Information text.
inline constexpr uint32_t kInformation = 0x80000001;
}  // namespace item

namespace reg {
inline constexpr uint32_t kImageWidth = 3091;  // plus kHdmiOffset on HDMI outputs
inline constexpr uint32_t kImageHeight = 3092;
inline constexpr uint32_t kHdmiOffset = 4096;
inline constexpr uint32_t kScrambler = 6146;           // 0x1802
inline constexpr uint32_t kAudioControl = 8192;        // 0x2000
inline constexpr uint32_t kAudioFlags = 8193;          // 0x2001
inline constexpr uint32_t kAudioChannels = 8194;       // 0x2002
inline constexpr uint32_t kAudioRate = 8195;           // 0x2003
inline constexpr uint32_t kAudioBits = 8196;           // 0x2004
inline constexpr uint32_t kAudioPacketType = 8197;     // 0x2005
inline constexpr uint32_t kAudioChannelStatus = 8198;  // 0x2006
inline constexpr uint32_t kAudioMute = 8200;           // 0x2008
inline constexpr uint32_t kAudioSize = 8202;           // 0x200A
inline constexpr uint32_t kAudioMemoryBlock = 8205;    // 0x200D
}  // namespace reg

// Values the program writes or tests, by meaning.
namespace pattern {  // item kPattern
inline constexpr uint32_t kSolidColor = 3;
inline constexpr uint32_t kAfterLayoutReset = 11;  // shown once the memory holds no scenario
inline constexpr uint32_t kPlayback = 14;
}  // namespace pattern

namespace content {  // bits of item kPlaybackContent
inline constexpr uint32_t kVideo = 0x1;
inline constexpr uint32_t kPackets = 0x2;
inline constexpr uint32_t kAudio = 0x4;
}  // namespace content

namespace flag {
inline constexpr uint32_t kTransmitter = 0x10;     // bit 4 of a device's flag word
inline constexpr uint32_t kPlaybackRunning = 0x1;  // bit 0 of item kPlaybackState
inline constexpr uint32_t kScramblerActive = 0x1;  // bit 0 of register kScrambler
// Bits of register kAudioFlags, named by the operations that change them.
inline constexpr uint32_t kAudioCompressed = 0x4;
inline constexpr uint32_t kAudioChannelStatusWritten = 0x8;
inline constexpr uint32_t kAudioChannelStatusGenerated = 0x1;
inline constexpr uint32_t kAudioPacketTypeWritten = 0x100;
inline constexpr uint32_t kAudioPacketTypeUsed = 0x1000;
}  // namespace flag

namespace setting {
inline constexpr uint32_t kPlaybackStop = 0;  // item kPlaybackState
inline constexpr uint32_t kPlaybackRun = 1;
inline constexpr uint32_t kPlaybackPlayOnly = 2;  // starts what the memory already holds
inline constexpr uint32_t kAudioOff = 0;          // register kAudioControl
inline constexpr uint32_t kApply = 1;             // item kApplySettings
inline constexpr uint32_t kDeviceOpened = 2;      // item kApplySettings, once after opening
inline constexpr uint32_t kDeviceReset = 3;       // item kDeviceReset
inline constexpr uint32_t kScramblerOn = 1;       // register kScrambler
inline constexpr uint32_t kScramblerOff = 2;
// Items kHdcp1Control and kHdcp2Control; HDCP 2 is prepared before it is switched on.
inline constexpr uint32_t kHdcpOff = 0x107;
inline constexpr uint32_t kHdcpOn = 0x106;
inline constexpr uint32_t kHdcp2Prepare = 0x102;
// Registers kAudioControl (kAudioOff above) and kAudioMute.
inline constexpr uint32_t kAudioOn = 1;
inline constexpr uint32_t kAudioOnSynced = 0x40000001;  // the scenario's audiosync
inline constexpr uint32_t kAudioMuted = 1;
}  // namespace setting
