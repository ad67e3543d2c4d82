#include "edid/cta_blocks.h"

#include <algorithm>

#include "packets/infoframe.h"

namespace {

constexpr size_t kExtensionCountOffset = 126;
constexpr uint8_t kCtaRevision3 = 0x03;
constexpr uint8_t kBlockMapTag = 0xF0;
constexpr uint32_t kFirstDataBlock = 4;

using namespace cta;

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

void RecordBlock(const Walk& walk, size_t pos, uint32_t size) {
    const uint8_t* block = walk.buffer + pos;
    const uint8_t tag = block[0] >> 5;
    const int32_t start = static_cast<int32_t>(pos);
    const int32_t end = start + static_cast<int32_t>(size);
    const bool extended = tag == kTagExtended;
    const bool dolby = OuiAt(block, size, 2, infoframe::kDolbyOui);
    CtaBlockIndex& index = walk.index;
    if (tag == kTagAudio) index.adb.set(block, size, start, end);
    if (tag == kTagVendor) index.vsdb.set(block, size, -1, -1);
    if (extended && dolby && ByteIs(block, size, 1, kExtendedVendorVideo)) {
        index.vsvdb.set(block, size, start, end);
    }
    if (OuiAt(block, size, 1, infoframe::kHdmiForumOui)) index.hfvsdb.set(block, size, start, end);
    if (extended && dolby && ByteIs(block, size, 1, kExtendedVendorAudio)) {
        index.vsadb.set(block, size, start, end);
    }
    if (extended && ByteIs(block, size, 1, kExtendedHdrStatic)) {
        index.hdr.set(walk.buffer, walk.n, start, end);
    }
}

// False when the whole walk stops at this extension.
bool WalkExtension(const Walk& walk, const uint8_t* block, uint32_t k) {
    // A Block Map only lists the extensions; the CTA blocks come after it.
    if (block[0] == kBlockMapTag) return true;
    if (block[0] != kCtaExtensionTag || block[1] != kCtaRevision3) return false;
    if (block[2] == 0) return false;
    const size_t blockOffset = static_cast<size_t>(kEdidBlockSize) * k;
    ForEachCtaDataBlock(block, EmptyDataBlock::kEndsCollection,
                        [&walk, blockOffset](uint32_t offset, uint32_t size) {
                            RecordBlock(walk, blockOffset + offset, size);
                        });
    return true;
}

}  // namespace

bool OuiAt(const uint8_t* block, uint32_t size, uint32_t at, uint32_t oui) {
    if (at + 3 > size) return false;
    return (block[at] | block[at + 1] << 8 | uint32_t{block[at + 2]} << 16) == oui;
}

void ForEachEdidExtension(const uint8_t* buffer, size_t bufferSize, uint32_t n,
                          const std::function<bool(const uint8_t* block, uint32_t k)>& visit) {
    // A length beyond the buffer cannot be trusted further than the buffer itself.
    if (n > bufferSize) n = static_cast<uint32_t>(bufferSize);
    if (buffer == nullptr || n < kEdidBlockSize) return;
    const uint32_t extensions = buffer[kExtensionCountOffset];
    for (uint32_t k = 1; k <= extensions; ++k) {
        const size_t blockOffset = static_cast<size_t>(kEdidBlockSize) * k;
        if (blockOffset + kEdidBlockSize > n) return;
        if (!visit(buffer + blockOffset, k)) return;
    }
}

void ForEachCtaDataBlock(const uint8_t* extension, EmptyDataBlock empty,
                         const std::function<void(uint32_t offset, uint32_t size)>& visit) {
    // The collection cannot run past the extension's last byte into the next one.
    const uint32_t d = std::min<uint32_t>(extension[2], kEdidBlockSize - 1);
    for (uint32_t offset = kFirstDataBlock; offset < d;) {
        const uint32_t length = extension[offset] & 0x1F;
        if (length == 0 && empty == EmptyDataBlock::kEndsCollection) return;
        if (offset + length >= d) return;
        if (length != 0) visit(offset, length + 1);
        offset += length + 1;
    }
}

CtaBlockIndex IndexCtaBlocks(const uint8_t* buffer, size_t bufferSize, uint32_t n) {
    CtaBlockIndex index;
    if (n > bufferSize) n = static_cast<uint32_t>(bufferSize);
    const Walk walk{buffer, bufferSize, n, index};
    ForEachEdidExtension(buffer, bufferSize, n, [&walk](const uint8_t* block, uint32_t k) {
        return WalkExtension(walk, block, k);
    });
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
