// The call trace: one line per library call, to a file (HLX_SIM_TRACE) and/or memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace hlxsim {

class Trace {
  public:
    Trace() = default;
    ~Trace() { closeFile(); }
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    // Opens the file named by HLX_SIM_TRACE for appending; tracing to a file is off
    // when the variable is unset or the file cannot be opened.
    void openFromEnvironment();
    void closeFile();
    void capture(bool on) { capturing_ = on; }
    std::vector<std::string> take();

    // Formatting a line costs time; callers skip it when nobody listens.
    bool active() const { return file_ != nullptr || capturing_; }
    void write(const std::string& line);

  private:
    FILE* file_ = nullptr;
    bool capturing_ = false;
    std::vector<std::string> lines_;
};

// Bytes as the trace shows them: lower-case hex when at most 64, else '#' and their CRC-32.
std::string TraceBytes(const void* data, uint64_t size);

}  // namespace hlxsim
