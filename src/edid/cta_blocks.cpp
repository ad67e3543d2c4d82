#include "edid/cta_blocks.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kEdidBlockSize = 128;
constexpr size_t kExtensionCountOffset = 126;
constexpr uint8_t kCtaExtensionTag = 0x02;
constexpr uint8_t kCtaRevision3 = 0x03;
constexpr uint8_t kBlockMapTag = 0xF0;
constexpr uint32_t kFirstDataBlock = 4;

constexpr uint8_t kTagAudio = 1;
constexpr uint8_t kTagVendor = 3;
constexpr uint8_t kTagExtended = 7;
constexpr uint8_t kExtendedDolbyVideo = 1;
constexpr uint8_t kExtendedHdrStatic = 6;
constexpr uint8_t kExtendedDolbyAudio = 17;

// OUIs as the EDID stores them, least significant byte first.
constexpr uint8_t kDolbyOui[3] = {0x46, 0xD0, 0x00};
constexpr uint8_t kHdmiForumOui[3] = {0xD8, 0x5D, 0xC4};

struct Walk {
    const uint8_t* buffer;
    size_t bufferSize;
    uint32_t n;
    CtaBlockIndex& index;
};

// A peek past the block's own bytes never matches: its length, not the buffer, says
// which bytes belong to it.
bool ByteIs(const uint8_t* block, uint32_t size, uint32_t at, uint8_t value) {
    return at < size && block[at] == value;
}

bool OuiAt(const uint8_t* block, uint32_t size, uint32_t at, const uint8_t (&oui)[3]) {
    return at + sizeof(oui) <= size && std::memcmp(block + at, oui, sizeof(oui)) == 0;
}

void RecordBlock(const Walk& walk, size_t pos, uint32_t size) {
    const uint8_t* block = walk.buffer + pos;
    const uint8_t tag = block[0] >> 5;
    const int32_t start = static_cast<int32_t>(pos);
    const int32_t end = start + static_cast<int32_t>(size);
    const bool extended = tag == kTagExtended;
    const bool dolby = OuiAt(block, size, 2, kDolbyOui);
    CtaBlockIndex& index = walk.index;
    if (tag == kTagAudio) index.adb.set(block, size, start, end);
    if (tag == kTagVendor) index.vsdb.set(block, size, -1, -1);
    if (extended && dolby && ByteIs(block, size, 1, kExtendedDolbyVideo)) {
        index.vsvdb.set(block, size, start, end);
    }
    if (OuiAt(block, size, 1, kHdmiForumOui)) index.hfvsdb.set(block, size, start, end);
    if (extended && dolby && ByteIs(block, size, 1, kExtendedDolbyAudio)) {
        index.vsadb.set(block, size, start, end);
    }
    if (extended && ByteIs(block, size, 1, kExtendedHdrStatic)) {
        index.hdr.set(walk.buffer, walk.n, start, end);
    }
}

// The data block collection of the extension at blockOffset, up to offset d. A block
// that would reach d, or past the buffer, ends the collection.
void WalkCollection(const Walk& walk, size_t blockOffset, uint32_t d) {
    for (uint32_t offset = kFirstDataBlock; offset < d;) {
        const size_t pos = blockOffset + offset;
        if (pos >= walk.bufferSize) return;
        const uint32_t length = walk.buffer[pos] & 0x1F;
        if (length == 0 || offset + length >= d) return;
        const uint32_t size = length + 1;
        if (pos + size > walk.bufferSize) return;
        RecordBlock(walk, pos, size);
        offset += size;
    }
}

// False when the whole walk stops at this extension.
bool WalkExtension(const Walk& walk, uint32_t k) {
    const size_t blockOffset = static_cast<size_t>(kEdidBlockSize) * k;
    if (blockOffset + kEdidBlockSize > walk.n) return false;
    const uint8_t* block = walk.buffer + blockOffset;
    // A Block Map only lists the extensions; the CTA blocks come after it.
    if (block[0] == kBlockMapTag) return true;
    if (block[0] != kCtaExtensionTag || block[1] != kCtaRevision3) return false;
    if (block[2] == 0) return false;
    // The collection cannot run past the extension's last byte into the next one.
    const uint32_t d = std::min<uint32_t>(block[2], kEdidBlockSize - 1);
    WalkCollection(walk, blockOffset, d);
    return true;
}

}  // namespace

CtaBlockIndex IndexCtaBlocks(const uint8_t* buffer, size_t bufferSize, uint32_t n) {
    CtaBlockIndex index;
    // A length beyond the buffer cannot be trusted further than the buffer itself.
    if (n > bufferSize) n = static_cast<uint32_t>(bufferSize);
    if (buffer == nullptr || n < kEdidBlockSize) return index;
    const Walk walk{buffer, bufferSize, n, index};
    const uint32_t extensions = buffer[kExtensionCountOffset];
    for (uint32_t k = 1; k <= extensions; ++k) {
        if (!WalkExtension(walk, k)) break;
    }
    return index;
}

std::string HexText(const uint8_t* bytes, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 3);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
        text += ' ';
    }
    return text;
}
