// The CTA-861 data blocks of a sink's EDID that the program looks for, and the
// walk over the CTA extensions that finds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// One recorded data block. Pointers refer into the EDID buffer the walk was given,
// so an entry is valid only while that buffer lives.
class SomePart {
  public:
    virtual ~SomePart() = default;
    // A readable account of the block: its kind, place, bytes and a few fields.
    virtual std::string report() const = 0;

    bool present() const { return data != nullptr; }
    void set(const uint8_t* blockData, uint32_t blockSize, int32_t blockStart, int32_t blockEnd);

    const uint8_t* data = nullptr;  // the block's header byte; null while not found
    uint32_t size = 0;              // header byte included
    int32_t start = -1;             // offset of the header byte in the EDID buffer
    int32_t end = -1;               // start + size

  protected:
    // The block's own bytes; empty while not found.
    virtual std::string blockHex() const;
    std::string describe(const char* kind, const std::string& fields) const;
};

// Audio Data Block (tag 1).
class ADB : public SomePart {
  public:
    std::string report() const override;
};

// Vendor-Specific Data Block (tag 3), any OUI. Its place is not recorded.
class VSDB : public SomePart {
  public:
    std::string report() const override;
};

// Dolby Vendor-Specific Audio Data Block (tag 7, extended tag 17, OUI 00-D0-46).
class VSADB : public SomePart {
  public:
    std::string report() const override;
};

// Dolby Vendor-Specific Video Data Block (tag 7, extended tag 1, OUI 00-D0-46).
class VSVDB : public SomePart {
  public:
    std::string report() const override;
};

// HDMI Forum Vendor-Specific Data Block (OUI C4-5D-D8).
class HFVSDB : public SomePart {
  public:
    std::string report() const override;
};

// HDR Static Metadata Data Block (tag 7, extended tag 6). Its data and size describe
// the whole EDID buffer; start and end locate the block inside it.
class HDR : public SomePart {
  public:
    std::string report() const override;

  protected:
    std::string blockHex() const override;
};

struct CtaBlockIndex {
    ADB adb;
    VSDB vsdb;
    VSADB vsadb;
    VSVDB vsvdb;
    HFVSDB hfvsdb;
    HDR hdr;
};

inline constexpr uint32_t kEdidBlockSize = 128;
inline constexpr uint8_t kCtaExtensionTag = 0x02;

// CTA-861 data block tags (header bits 5-7) and the extended tags of tag 7 (byte 1).
namespace cta {
inline constexpr uint8_t kTagAudio = 1;
inline constexpr uint8_t kTagVendor = 3;
inline constexpr uint8_t kTagExtended = 7;
inline constexpr uint8_t kExtendedVendorVideo = 1;
inline constexpr uint8_t kExtendedHdrStatic = 6;
inline constexpr uint8_t kExtendedYcbcr420Video = 14;
inline constexpr uint8_t kExtendedYcbcr420Map = 15;
inline constexpr uint8_t kExtendedVendorAudio = 17;
inline constexpr uint8_t kExtendedHdmiForumScdb = 0x79;
}  // namespace cta

// Whether the block of `size` bytes holds the OUI at byte `at`, least significant byte first.
bool OuiAt(const uint8_t* block, uint32_t size, uint32_t at, uint32_t oui);

// The extension blocks that lie wholly inside the first n bytes of a buffer of bufferSize
// bytes, k = 1 up to the count in byte 126 of the base block: visit(block, k) sees the
// block's 128 bytes. Stops at the first block past n, or when visit returns false.
void ForEachEdidExtension(const uint8_t* buffer, size_t bufferSize, uint32_t n,
                          const std::function<bool(const uint8_t* block, uint32_t k)>& visit);

// What a data block of length 0 does to the collection: the VSVDB report's walk ends it,
// a reader of the whole collection passes over it as the one byte it is.
enum class EmptyDataBlock { kEndsCollection, kSkipped };

// The data block collection of a CTA-861 extension's 128 bytes, from offset 4 up to its
// detailed timings (byte 2, at most 127): visit(offset, size) for each block of length 1 or
// more, size with the header byte. A block that would reach the timings ends the
// collection, so every block visited lies inside the extension.
void ForEachCtaDataBlock(const uint8_t* extension, EmptyDataBlock empty,
                         const std::function<void(uint32_t offset, uint32_t size)>& visit);

// Walks the CTA-861 revision 3 extensions of the first n bytes of an EDID buffer of
// bufferSize bytes; the last occurrence of each kind wins. Never reads outside the buffer.
CtaBlockIndex IndexCtaBlocks(const uint8_t* buffer, size_t bufferSize, uint32_t n);

// Every byte as two upper-case hexadecimal digits followed by one space.
std::string HexText(const uint8_t* bytes, size_t count);
