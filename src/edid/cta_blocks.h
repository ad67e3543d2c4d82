// The CTA-861 data blocks of a sink's EDID that the program looks for, and the
// walk over the CTA extensions that finds them.
#pragma once

#include <cstddef>
#include <cstdint>
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

// Walks the CTA-861 revision 3 extensions of the first n bytes of an EDID buffer of
// bufferSize bytes; the last occurrence of each kind wins. Never reads outside the buffer.
CtaBlockIndex IndexCtaBlocks(const uint8_t* buffer, size_t bufferSize, uint32_t n);

// Every byte as two upper-case hexadecimal digits followed by one space.
std::string HexText(const uint8_t* bytes, size_t count);
