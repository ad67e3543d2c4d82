// Scenario file text: the reader, and everything built from what it accepts.
#include "fuzz_support.h"
#include "scenario/playing_order.h"
#include "scenario/scenario.h"
#include "scenario/summary.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ScenarioSettings settings =
        parseScenarioText("D:\\fuzz\\scenario.txt", FuzzText(data, size));
    if (describeScenario(settings).empty() || describeTimings(settings.timing).empty()) {
        __builtin_trap();  // both always hold fixed lines
    }
    parsePlayingOrder(settings);
    CountPlayingOrderFrames(settings.porder);
    return 0;
}
