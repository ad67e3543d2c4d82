// A simulated generator for one test: loads a profile, initialises the library,
// records the trace, and restores the default profile afterwards.
#pragma once

#include <string>
#include <vector>

#include "device/hlx.h"
#include "sim_control.h"

class SimDevice {
  public:
    // An empty profile text means the built-in default profile.
    explicit SimDevice(const std::string& profile = "", const std::string& baseFolder = ".") {
        if (profile.empty()) {
            hlxsim::LoadDefaultProfile();
        } else {
            std::string error;
            loaded_ = hlxsim::LoadProfile(profile, baseFolder, &error);
            error_ = error;
        }
        HLX_Init(0);
        hlxsim::CaptureTrace(true);
        hlxsim::TakeTrace();
    }
    ~SimDevice() {
        hlxsim::CaptureTrace(false);
        hlxsim::LoadDefaultProfile();
    }
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    bool loaded() const { return loaded_; }
    const std::string& error() const { return error_; }
    // Selects a device entry and the output with that name, then forgets those trace lines.
    void open(uint32_t device = 0, uint32_t output = 0) {
        HLX_DEV_Select(device);
        HLX_VOUT_Select(output);
        HLX_VOUT_Enable(0);
        hlxsim::TakeTrace();
    }
    // The trace lines since the last call.
    std::vector<std::string> trace() { return hlxsim::TakeTrace(); }

  private:
    bool loaded_ = true;
    std::string error_;
};
