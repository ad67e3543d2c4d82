// The readable reports of the recorded CTA data blocks.
#include <cstdio>

#include "edid/cta_blocks.h"

namespace {

std::string Format(const char* format, unsigned value) {
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

}  // namespace

void SomePart::set(const uint8_t* blockData, uint32_t blockSize, int32_t blockStart,
                   int32_t blockEnd) {
    data = blockData;
    size = blockSize;
    start = blockStart;
    end = blockEnd;
}

std::string SomePart::blockHex() const {
    return present() ? HexText(data, size) : "";
}

std::string SomePart::describe(const char* kind, const std::string& fields) const {
    std::string text = kind;
    if (!present()) return text + " not present";
    if (start >= 0) text += " at " + std::to_string(start) + ".." + std::to_string(end);
    text += ": " + blockHex();
    return fields.empty() ? text : text + "(" + fields + ")";
}

std::string ADB::report() const {
    return describe("ADB", Format("%u short audio descriptors", present() ? (size - 1) / 3 : 0));
}

std::string VSDB::report() const {
    if (!present() || size < 4) return describe("VSDB", "");
    char oui[16];
    std::snprintf(oui, sizeof(oui), "OUI %02X-%02X-%02X", data[3], data[2], data[1]);
    return describe("VSDB", oui);
}

std::string VSADB::report() const {
    return describe("Dolby VSADB", Format("%u payload bytes", present() ? size - 1 : 0));
}

std::string VSVDB::report() const {
    if (!present() || size < 6) return describe("Dolby VSVDB", "");
    return describe("Dolby VSVDB", Format("version %u", data[5] >> 5));
}

std::string HFVSDB::report() const {
    if (!present() || size < 7) return describe("HF-VSDB", "");
    return describe("HF-VSDB",
                    Format("version %u, ", data[4]) + Format("max TMDS %u MHz", data[5] * 5u));
}

std::string HDR::blockHex() const {
    if (!present() || start < 0 || end < start || static_cast<uint32_t>(end) > size) return "";
    return HexText(data + start, static_cast<size_t>(end - start));
}

std::string HDR::report() const {
    // The EOTF byte follows the header and the extended tag.
    if (blockHex().empty() || end - start < 3) return describe("HDR static metadata", "");
    return describe("HDR static metadata", Format("EOTF mask 0x%02X", data[start + 2]));
}
