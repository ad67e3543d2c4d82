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
