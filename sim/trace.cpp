#include "trace.h"

#include <cstdlib>

#include "sim_control.h"

namespace hlxsim {
namespace {

constexpr uint64_t kMaxHexBytes = 64;

}  // namespace

void Trace::openFromEnvironment() {
    closeFile();
    const char* path = std::getenv("HLX_SIM_TRACE");
    if (path == nullptr || *path == '\0') return;
    file_ = std::fopen(path, "ab");
}

void Trace::closeFile() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

std::vector<std::string> Trace::take() {
    std::vector<std::string> lines;
    lines.swap(lines_);
    return lines;
}

void Trace::write(const std::string& line) {
    if (capturing_) lines_.push_back(line);
    if (file_ == nullptr) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

std::string TraceBytes(const void* data, uint64_t size) {
    static const char kDigits[] = "0123456789abcdef";
    char text[2 * kMaxHexBytes + 1];
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (size > kMaxHexBytes) {
        std::snprintf(text, sizeof text, "#%08x", Crc32(data, static_cast<size_t>(size)));
        return text;
    }
    for (uint64_t i = 0; i < size; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return std::string(text, static_cast<size_t>(2 * size));
}

}  // namespace hlxsim
