#include "packets/packet_description.h"

#include <cstdio>

#include "packets/infoframe.h"

namespace {

uint32_t Word(const InfoFrame& frame, size_t k) {
    return frame.pb[k] | uint32_t{frame.pb[k + 1]} << 8;
}

std::string AviDetails(const InfoFrame& frame) {
    static const char* const kColorimetry[] = {"none", "BT.601", "BT.709"};
    static const char* const kRange[] = {"default", "limited", "full"};
    const unsigned colorimetry = frame.pb[2] >> 6;
    const unsigned range = (frame.pb[3] >> 2) & 3;
    std::string text = SignalName(AviColorSpace(frame)) + ", colorimetry ";
    text += colorimetry < 3 ? kColorimetry[colorimetry]
                            : "extended " + std::to_string((frame.pb[3] >> 4) & 7);
    text += ", VIC " + std::to_string(frame.pb[4]) + ", RGB range ";
    return text + (range < 3 ? kRange[range] : std::to_string(range));
}

std::string MasteringDetails(const InfoFrame& frame) {
    // The minimum luminance counts in units of 0.0001 cd/m2.
    const uint32_t min = Word(frame, 21);
    char minText[24];
    std::snprintf(minText, sizeof(minText), "%u.%04u", min / 10000, min % 10000);
    return "EOTF " + EotfText(MasteringEotf(frame)) + ", mastering " +
           std::to_string(Word(frame, 19)) + " to " + minText + " cd/m2, MaxCLL " +
           std::to_string(Word(frame, 23)) + " cd/m2, MaxFALL " + std::to_string(Word(frame, 25)) +
           " cd/m2";
}

std::string AudioDetails(const InfoFrame& frame) {
    const unsigned count = frame.pb[1] & 7;  // channels - 1; 0 leaves it to the stream
    return count == 0 ? "channels from the stream" : std::to_string(count + 1) + " channels";
}

std::string VendorName(const InfoFrame& frame) {
    switch (frame.Oui()) {
        case infoframe::kHdmiOui:
            return "HDMI";
        case infoframe::kHdmiForumOui:
            return "HDMI Forum";
        case infoframe::kDolbyOui:
            return "Dolby";
    }
    char text[16];
    std::snprintf(text, sizeof(text), "OUI 0x%06X", frame.Oui());
    return text;
}

struct TypeEntry {
    uint8_t type;
    const char* name;
    std::string (*details)(const InfoFrame&);  // after ": "; none when null
};

constexpr TypeEntry kTypes[] = {
    {infoframe::kVendorSpecific, "Vendor-Specific", nullptr},
    {infoframe::kAvi, "AVI", AviDetails},
    {infoframe::kSourceProductDescription, "Source Product Description", nullptr},
    {infoframe::kAudio, "Audio", AudioDetails},
    {infoframe::kMpegSource, "MPEG Source", nullptr},
    {infoframe::kNtscVbi, "NTSC VBI", nullptr},
    {infoframe::kDynamicRangeMastering, "Dynamic Range and Mastering", MasteringDetails},
};

const TypeEntry* EntryOf(uint8_t type) {
    for (const TypeEntry& entry : kTypes) {
        if (entry.type == type) return &entry;
    }
    return nullptr;
}

std::string DescribeInfoFrame(const TypeEntry& entry, const InfoFrame& frame, const char* kind) {
    std::string text = std::string(entry.name) + " " + kind;
    if (entry.type == infoframe::kVendorSpecific) text += " (" + VendorName(frame) + ")";
    text += " v" + std::to_string(frame.version) + ", " + std::to_string(frame.length) + " bytes";
    return entry.details ? text + ": " + entry.details(frame) : text;
}

}  // namespace

std::string DescribePacket(const uint8_t* data, size_t size, bool hdmi) {
    const InfoFrame frame = ReadInfoFrame(data, size, hdmi);
    const TypeEntry* entry = frame.present ? EntryOf(frame.type) : nullptr;
    if (entry) return DescribeInfoFrame(*entry, frame, hdmi ? "InfoFrame" : "InfoFrame SDP");
    if (hdmi) return "HDMI packet type " + HexByteText(PacketByte(data, size, 0));
    return "DisplayPort SDP type " + HexByteText(PacketByte(data, size, 1)) + ", version " +
           HexByteText(PacketByte(data, size, 3) >> 2);
}

std::string PacketNote(size_t k, const std::string& file, const std::string& description) {
    return "Packet " + std::to_string(k) + " " + file + ": " + description + ".";
}
