#include "state.h"

#include <utility>

namespace hlxsim {

SimState& State() {
    static SimState state;
    return state;
}

void ApplyProfile(Profile profile) {
    SimState& s = State();
    s.profile = std::move(profile);
    s.profileLoaded = true;
    s.initialised = false;
    s.device = -1;
    s.output = -1;
    s.items.clear();
    s.registers.clear();
    s.registerBytes.clear();
    s.registerAddress = 0;
    s.layout.clear();
    s.blocks.clear();
    s.selectedBlock = -1;
    s.playback = 0;
    s.stopReadsLeft = 0;
    s.faults = Faults{};
}

bool FailsSet(uint32_t item) {
    const SimState& s = State();
    return s.profile.failSet.count(item) != 0 || s.faults.set.count(item) != 0;
}

bool FailsGet(uint32_t item) {
    const SimState& s = State();
    return s.profile.failGet.count(item) != 0 || s.faults.get.count(item) != 0;
}

bool FailsRegister(uint32_t address) {
    const SimState& s = State();
    return s.profile.failRegister.count(address) != 0 || s.faults.registers.count(address) != 0;
}

uint64_t SetByteCount(uint32_t item, uint32_t size) {
    constexpr uint32_t kLayoutItem = 2179;
    return item == kLayoutItem ? 8ULL * size : size;
}

}  // namespace hlxsim
