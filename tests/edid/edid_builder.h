// EDIDs made by the tests: a base block followed by CTA or other extensions.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "edid/cta_blocks.h"
#include "edid/sink_capabilities.h"

namespace edidtest {

using Bytes = std::vector<uint8_t>;

// A data block with the tag and these payload bytes; the length comes from the payload.
inline Bytes DataBlock(uint8_t tag, const Bytes& payload) {
    Bytes block{static_cast<uint8_t>((tag << 5) | payload.size())};
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

// A Dolby VSVDB of `size` bytes (header included), its payload after the OUI filled with `fill`.
inline Bytes Vsvdb(uint32_t size = 12, uint8_t fill = 0x40) {
    Bytes payload{0x01, 0x46, 0xD0, 0x00};
    payload.resize(size - 1, fill);
    return DataBlock(7, payload);
}
inline Bytes Vsadb() {
    return DataBlock(7, {0x11, 0x46, 0xD0, 0x00, 0x01, 0x02});
}
inline Bytes Hfvsdb() {
    return DataBlock(3, {0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x00});
}
inline Bytes Hdmi14Vsdb() {
    return DataBlock(3, {0x03, 0x0C, 0x00, 0x10, 0x00});
}
inline Bytes Adb() {
    return DataBlock(1, {0x09, 0x7F, 0x07});
}
inline Bytes Hdr() {
    return DataBlock(7, {0x06, 0x05, 0x01});
}

inline SinkCapabilities CapsOf(const Bytes& edid) {
    return ReadSinkCapabilities(edid.data(), edid.size());
}

// The bytes as a simulator profile writes them: "00 ff ff ".
inline std::string HexWords(const Bytes& bytes) {
    std::string text;
    char word[4];
    for (uint8_t byte : bytes) {
        std::snprintf(word, sizeof(word), "%02x ", byte);
        text += word;
    }
    return text;
}

class EdidBuilder {
  public:
    EdidBuilder() : bytes_(128, 0) {}

    // A CTA extension with its data blocks from offset 4; d defaults to the end of them.
    // Returns the buffer offset of the first data block.
    size_t cta(const std::vector<Bytes>& blocks, int d = -1, uint8_t revision = 3) {
        const size_t base = addExtension(0x02);
        bytes_[base + 1] = revision;
        size_t offset = 4;
        for (const Bytes& block : blocks) {
            for (uint8_t byte : block) {
                if (base + offset >= bytes_.size()) bytes_.resize(base + offset + 1, 0);
                bytes_[base + offset++] = byte;
            }
        }
        bytes_[base + 2] = static_cast<uint8_t>(d < 0 ? offset : d);
        return base + 4;
    }
    // Any other extension, known only by its tag (0xF0 Block Map, 0x70 DisplayID...).
    size_t other(uint8_t tag) { return addExtension(tag); }

    // The bytes; an extension's data may run past its 128 bytes when d says so.
    const Bytes& bytes() const { return bytes_; }
    // The bytes in a zero-filled buffer of `size` bytes, as the device read leaves them.
    Bytes buffer(size_t size = 8192) const {
        Bytes all(size, 0);
        for (size_t i = 0; i < bytes_.size() && i < size; ++i) all[i] = bytes_[i];
        return all;
    }
    uint32_t size() const { return static_cast<uint32_t>(128 * (extensions_ + 1)); }

  private:
    size_t addExtension(uint8_t tag) {
        ++extensions_;
        bytes_.resize(128 * (extensions_ + 1), 0);
        bytes_[126] = static_cast<uint8_t>(extensions_);
        const size_t base = 128 * extensions_;
        bytes_[base] = tag;
        return base;
    }

    Bytes bytes_;
    uint32_t extensions_ = 0;
};

}  // namespace edidtest
