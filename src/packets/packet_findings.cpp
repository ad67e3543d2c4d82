#include "packets/packet_findings.h"

#include <algorithm>

#include "format/color_format.h"
#include "packets/infoframe.h"

namespace {

// The checksum first: a frame too long for a packet has no PB<length> to sum up to.
void HdmiFindings(const std::string& file, const uint8_t* data, size_t size, const InfoFrame& frame,
                  std::vector<std::string>& findings) {
    if (frame.length > infoframe::kMaxLength) {
        findings.push_back(file + ": the InfoFrame length " + std::to_string(frame.length) +
                           " is beyond the " + std::to_string(infoframe::kMaxLength) +
                           " bytes a packet holds: the sink drops it.");
        return;
    }
    const uint8_t need = InfoFrameChecksum(PacketByte(data, size, 0), PacketByte(data, size, 1),
                                           PacketByte(data, size, 2), frame.pb + 1);
    if (need == frame.pb[0]) return;
    findings.push_back(file + ": the InfoFrame checksum is " + HexByteText(frame.pb[0]) +
                       ", but its bytes need " + HexByteText(need) + ": the sink drops it.");
}

void AviFinding(const std::string& file, const InfoFrame& frame,
                const std::vector<StepColor>& steps, std::vector<std::string>& findings) {
    if (frame.type != infoframe::kAvi) return;
    const ColorSpace says = AviColorSpace(frame);
    for (const StepColor& step : steps) {
        const ColorSpace sends = ColorFormatOfStepCode(step.colorCode).space;
        if (sends == says || sends == ColorSpace::kOther) continue;
        findings.push_back(file + ": the AVI InfoFrame says " + SignalName(says) + ", but step " +
                           std::to_string(step.step) + " sends " + SignalName(sends) + ".");
        return;
    }
}

}  // namespace

std::vector<std::vector<StepColor>> StepsSendingPackets(const std::vector<PlayingOrderStep>& steps,
                                                        size_t packets) {
    std::vector<std::vector<StepColor>> sending(packets);
    for (size_t i = 0; i < steps.size(); ++i) {
        for (uint32_t packet : steps[i].packetIndices) {
            if (packet >= packets) continue;
            std::vector<StepColor>& seen = sending[packet];
            const uint16_t code = steps[i].colorCode;
            const bool known = std::any_of(seen.begin(), seen.end(), [code](const StepColor& s) {
                return s.colorCode == code;
            });
            if (!known) seen.push_back({static_cast<uint32_t>(i), code});
        }
    }
    return sending;
}

std::vector<std::string> PacketFindings(const std::string& file, const uint8_t* data, size_t size,
                                        bool hdmi, const std::vector<StepColor>& steps) {
    std::vector<std::string> findings;
    const InfoFrame frame = ReadInfoFrame(data, size, hdmi);
    if (hdmi && frame.present) HdmiFindings(file, data, size, frame, findings);
    if (frame.present) AviFinding(file, frame, steps, findings);
    const uint8_t hb0 = PacketByte(data, size, 0);
    if (!hdmi && hb0 != 0) {
        findings.push_back(file + ": HB0 is " + HexByteText(hb0) +
                           ", but a DisplayPort SDP begins with 0.");
    }
    return findings;
}
