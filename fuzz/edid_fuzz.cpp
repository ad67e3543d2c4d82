// The walk over a sink EDID's CTA extensions and the reports of the blocks it finds, and the
// sink's capabilities with their summary line.
// The first four bytes give the byte count the walk is told to read.
#include <cstring>
#include <vector>

#include "edid/cta_blocks.h"
#include "edid/sink_capabilities.h"
#include "edid/sink_edid.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

namespace {

void Check(const SomePart& part, const uint8_t* buffer, size_t size) {
    if (part.present() && (part.data < buffer || part.data >= buffer + size)) __builtin_trap();
    part.report();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size - 4 > kSinkEdidBufferSize) return 0;
    uint32_t n = 0;
    std::memcpy(&n, data, 4);
    // An exact-size copy lets the sanitizer see any read past the buffer.
    std::vector<uint8_t> buffer(data + 4, data + size);
    const CtaBlockIndex index = IndexCtaBlocks(buffer.data(), buffer.size(), n);
    Check(index.adb, buffer.data(), buffer.size());
    Check(index.vsdb, buffer.data(), buffer.size());
    Check(index.vsadb, buffer.data(), buffer.size());
    Check(index.vsvdb, buffer.data(), buffer.size());
    Check(index.hfvsdb, buffer.data(), buffer.size());
    Check(index.hdr, buffer.data(), buffer.size());
    SinkSummaryLine("f", ReadSinkCapabilities(buffer.data(), buffer.size()));
    return 0;
}
