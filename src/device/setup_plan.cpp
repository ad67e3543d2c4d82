#include "device/setup_plan.h"

#include "device/bandwidth.h"
#include "device/color_value.h"
#include "device/setup_status.h"
#include "scenario/read_error.h"

namespace {

using enum FindingKind;
using enum FindingPoint;

// Warnings older than the findings: the check shows them with "WARNING: " as well.
Finding SettingWarning(FindingPoint point, std::string text) {
    return Finding{kWarning, point, std::move(text), "", true};
}

// A setting that is not written keeps its default silently; one the device cannot use is
// written anyway and the device takes its default.
void PlanColorSettings(SetupPlan& plan) {
    const ScenarioSettings& s = plan.settings;
    plan.showsLoadingColor = ParseColorValue(s.loadingRGB, s.colorspace, plan.loadingColor);
    if (!plan.showsLoadingColor) {
        plan.findings.add(SettingWarning(kLoadingColour, "the loading colour '" +
                                                             ShownValue(s.loadingRGB) +
                                                             "' is not R,G,B: it is not shown."));
    }
    if (!s.colorspace.empty() && ParseColorSpace(s.colorspace) == ColorSpace::kOther) {
        plan.findings.add(
            SettingWarning(kColourWrite, "unknown colour space '" + ShownValue(s.colorspace) +
                                             "': the device gets its default, RGB444."));
    }
    // 0 is what a scenario without the key holds.
    if (s.bitspercolor != 0 && plan.format.depth == ColorDepth::kOther) {
        plan.findings.add(SettingWarning(kColourWrite, "unsupported bits per colour " +
                                                           std::to_string(s.bitspercolor) +
                                                           ": the device runs at 6 bits."));
    }
}

// HDMI only classifies the rate, which needs nothing from the device; DisplayPort compares
// with the lanes and their rate, which do, unless no generator could carry the request:
// the DisplayPort run then fails at its link check, the HDMI run warns and goes on.
void PlanLink(SetupPlan& plan) {
    const ScenarioSettings& s = plan.settings;
    std::string beyond = LinkBeyondEveryGenerator(s.timing, plan.format, s.hdmi);
    std::string unscrambled = ScramblingOffProblem(s.timing, plan.format, s.hdmi, s.scrambler);
    const bool carried = beyond.empty();
    if (!carried) {
        plan.findings.add(s.hdmi ? kWarning : kRefusal, s.hdmi ? kLinkCheck : kCheckOnly,
                          std::move(beyond));
    }
    if (!unscrambled.empty()) plan.findings.add(kWarning, kLinkCheck, std::move(unscrambled));
    if (!carried) return;
    if (s.hdmi) {
        plan.findings.add(kNote, kCheckOnly, "Link: " + HdmiLinkRateText(s.timing, plan.format));
    } else {
        plan.findings.add(kNote, kCheckOnly,
                          "Link: requested " +
                              std::to_string(DisplayPortRequestedRate(s.timing, plan.format)) +
                              " Mbps; the check against the link needs the device.");
    }
}

}  // namespace

SetupPlan PlanSetup(const ScenarioSettings& settings) {
    SetupPlan plan;
    plan.settings = settings;
    plan.format = ColorFormatOf(settings.colorspace, settings.bitspercolor);
    if (settings.timing.isZero()) {
        plan.findings.add(kRefusal, kSetupStart, StatusMessage(kSetupNoTimings, ""));
    } else {
        PlanLink(plan);
    }
    PlanColorSettings(plan);
    return plan;
}
