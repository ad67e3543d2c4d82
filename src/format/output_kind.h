// HDMI or DisplayPort: the one rule by which a name tells the kind of output.
#pragma once

#include <string>

// True when the name stands for an HDMI output: it holds "HDMI" anywhere, case-sensitive.
// Works on every name the program meets: an interface ("HDMI"), a connector or output name
// ("HDMI TX") and a device name ("KVX-4 [1234] / HDMI TX"). Anything else is DisplayPort.
inline bool IsHdmiOutput(const std::string& name) {
    return name.find("HDMI") != std::string::npos;
}

// The interfaces a user can name: "HDMI" and "DisplayPort", exactly.
inline bool IsInterfaceName(const std::string& name) {
    return name == "HDMI" || name == "DisplayPort";
}

// How the generators list the transmitter output of an interface: "HDMI TX".
inline std::string TransmitterOutputName(const std::string& interface) {
    return interface + " TX";
}

// Whether a playlist's connector type names a transmitter output of the generators.
inline bool IsTransmitterOutputName(const std::string& name) {
    return name == TransmitterOutputName("HDMI") || name == TransmitterOutputName("DisplayPort");
}
