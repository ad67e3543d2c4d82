#include "edid/sink_edid.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "device/config_items.h"
#include "edid/cta_blocks.h"
#include "files/paths.h"
#include "log/logger.h"

namespace {

void ReportVsvdb(const std::vector<uint8_t>& buffer, uint32_t n) {
    const CtaBlockIndex index = IndexCtaBlocks(buffer.data(), buffer.size(), n);
    const VSVDB& vsvdb = index.vsvdb;
    if (!vsvdb.present()) {
        Logger::instance().log("VSVDB is not present");
        return;
    }
    // The walk keeps every recorded block inside the buffer.
    const std::string hex = HexText(buffer.data() + vsvdb.start, vsvdb.size);
    Logger::instance().log("VSVDB is present: %s", hex.c_str());
}

// The whole buffer, zero fill included, as other tools expect a fixed-size file.
bool WriteEdidFile(const std::string& path, const std::vector<uint8_t>& buffer) {
    std::FILE* file = openFile(path, "wb");
    if (file == nullptr) return false;
    const size_t written = std::fwrite(buffer.data(), 1, buffer.size(), file);
    const bool closed = std::fclose(file) == 0;
    return written == buffer.size() && closed;
}

constexpr uint8_t kEdidHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

// Why the file holds no EDID; empty when `edid` holds one.
std::string EdidFileProblem(const std::string& path, std::vector<uint8_t>& edid) {
    const int64_t size = fileSize(path);
    if (size < 0) return kFileCannotBeOpened;
    if (size > kEdidFileMaxBytes) {
        return "the file is larger than " + std::to_string(kEdidFileMaxBytes) + " bytes";
    }
    if (size == 0 || size % kEdidBlockSize != 0) {
        return "its " + std::to_string(size) + " bytes are not a whole number of " +
               std::to_string(kEdidBlockSize) + "-byte blocks";
    }
    if (!readWholeFile(path, edid, kEdidFileMaxBytes) || edid.size() != static_cast<size_t>(size)) {
        return kFileCannotBeRead;
    }
    if (!HasEdidHeader(edid)) return "its first block has no EDID header";
    return {};
}

}  // namespace

std::string ReadSinkEdidFile(const std::string& path, std::vector<uint8_t>& edid) {
    const std::string why = EdidFileProblem(path, edid);
    if (why.empty()) return {};
    edid.clear();
    return "Cannot read the sink's EDID " + path + ": " + why + ".";
}

bool HasEdidHeader(const std::vector<uint8_t>& edid) {
    return edid.size() >= kEdidBlockSize &&
           std::equal(std::begin(kEdidHeader), std::end(kEdidHeader), edid.begin());
}

bool ReadSinkEdid(const std::string& path, std::vector<uint8_t>* edid) {
    std::vector<uint8_t> buffer(kSinkEdidBufferSize, 0);
    const int32_t status = GetSinkEdid(buffer.data(), kSinkEdidBufferSize);
    if (status < 0) {
        Logger::instance().log("Reading EDID failed!");
        return false;
    }
    // A library that claims more than the buffer holds gets no further than the buffer.
    uint32_t n = static_cast<uint32_t>(status);
    if (n > kSinkEdidBufferSize) n = kSinkEdidBufferSize;
    ReportVsvdb(buffer, n);
    if (edid != nullptr) edid->assign(buffer.begin(), buffer.begin() + n);
    if (path.empty()) return true;
    if (WriteEdidFile(path, buffer)) return true;
    // Reporting success without the file would leave a test run without its EDID.
    Logger::instance().log("Writing EDID file '%s' failed!", path.c_str());
    return false;
}
