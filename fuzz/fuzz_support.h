// Shared set-up of the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "log/logger.h"

// Reader messages would flood the fuzzer's output.
inline void SilenceLog() {
    Logger::instance().setSink([](const std::string&) {});
}

inline std::string FuzzText(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}
