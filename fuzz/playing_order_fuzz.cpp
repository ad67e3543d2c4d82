// Playing-order expressions: parse, expansion limits and the frame count agree, and the
// program's copy of the device's grammar agrees with the simulated device.
#include "files/paths.h"
#include "files/text.h"
#include "fuzz_support.h"
#include "porder_check.h"
#include "scenario/playing_order.h"
#include "scenario/porder_grammar.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = FuzzText(data, size);
    const PlayingOrder order = parsePlayingOrderText(text);
    const uint64_t counted = CountPlayingOrderFrames(text);
    if (RefusedPlayingOrderItems(text, 1).shown.empty() != hlxsim::IsValidPlayingOrder(text)) {
        __builtin_trap();
    }
    if (order.tooManySteps && !order.steps.empty()) __builtin_trap();
    if (order.steps.size() > kMaxPlayingOrderSteps) __builtin_trap();
    uint64_t frames = 0;
    for (size_t i = 0; i < order.steps.size(); ++i) {
        if (order.steps[i].index != i) __builtin_trap();
        frames += order.steps[i].duration;
    }
    // The count reads the text untrimmed and without the default, so compare only then.
    if (!order.steps.empty() && !text.empty() && trim(text) == text && frames != counted) {
        __builtin_trap();
    }
    return 0;
}
