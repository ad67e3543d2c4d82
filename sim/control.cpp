// The C++ control interface that tests use instead of files and environment variables.
#include <cstdio>

#include "sim_control.h"
#include "state.h"

namespace hlxsim {
namespace {

// Profile files are small; a bigger one is not a profile.
constexpr long kMaxProfileBytes = 1 << 20;

Profile defaultProfile() {
    Profile profile;
    std::string ignored;
    ParseProfile(DefaultProfileText(), ".", profile, ignored);
    return profile;
}

std::string folderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

bool readFile(const std::string& path, std::string& text, std::string& error) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = path + ": cannot open the profile";
        return false;
    }
    text.assign(kMaxProfileBytes + 1, '\0');
    size_t got = std::fread(text.data(), 1, text.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) error = path + ": cannot read the profile";
    if (!failed && got > kMaxProfileBytes) error = path + ": the profile is larger than 1 MiB";
    text.resize(got);
    return error.empty();
}

const Block* blockAt(uint32_t index) {
    const SimState& s = State();
    return index < s.blocks.size() ? &s.blocks[index] : nullptr;
}

void mark(std::set<uint32_t>& set, uint32_t value, bool on) {
    if (on) {
        set.insert(value);
    } else {
        set.erase(value);
    }
}

}  // namespace

bool LoadProfile(const std::string& text, const std::string& baseFolder, std::string* error) {
    Profile profile;
    std::string problem;
    if (ParseProfile(text, baseFolder, profile, problem)) {
        ApplyProfile(std::move(profile));
        return true;
    }
    ApplyProfile(defaultProfile());
    if (error != nullptr) *error = problem;
    return false;
}

bool LoadProfileFile(const std::string& path, std::string* error) {
    std::string text;
    std::string problem;
    if (readFile(path, text, problem)) {
        if (LoadProfile(text, folderOf(path), &problem)) return true;
        problem = path + ": " + problem;
    } else {
        ApplyProfile(defaultProfile());
    }
    if (error != nullptr) *error = problem;
    return false;
}

void LoadDefaultProfile() {
    ApplyProfile(defaultProfile());
}

void Reset() {
    ApplyProfile(defaultProfile());
    State().profileLoaded = false;
}

void CaptureTrace(bool on) {
    State().trace.capture(on);
}
std::vector<std::string> TakeTrace() {
    return State().trace.take();
}

std::vector<uint64_t> Layout() {
    return State().layout;
}

std::vector<uint8_t> BlockBytes(uint32_t index) {
    const Block* block = blockAt(index);
    return block != nullptr ? block->bytes : std::vector<uint8_t>{};
}

uint64_t BlockFill(uint32_t index) {
    const Block* block = blockAt(index);
    return block != nullptr ? block->fill : 0;
}

uint32_t BlockCrc(uint32_t index) {
    const Block* block = blockAt(index);
    if (block == nullptr) return 0;
    if (State().profile.store == StoreMode::kFull) {
        return Crc32(block->bytes.data(), block->bytes.size());
    }
    return block->crc;
}

uint64_t Register(uint32_t address) {
    const auto& registers = State().registers;
    auto found = registers.find(address);
    return found != registers.end() ? found->second : 0;
}

std::vector<uint8_t> RegisterBytes(uint32_t address) {
    const auto& blocks = State().registerBytes;
    auto found = blocks.find(address);
    return found != blocks.end() ? found->second : std::vector<uint8_t>{};
}

std::vector<uint8_t> ItemBytes(uint32_t item) {
    const auto& items = State().items;
    auto found = items.find(item);
    return found != items.end() ? found->second : std::vector<uint8_t>{};
}

bool HasItem(uint32_t item) {
    return State().items.count(item) != 0;
}
uint32_t PlaybackState() {
    return State().playback;
}
int32_t SelectedDevice() {
    return State().device;
}
int32_t SelectedOutput() {
    return State().output;
}

void FailSet(uint32_t item, bool fail) {
    mark(State().faults.set, item, fail);
}
void FailGet(uint32_t item, bool fail) {
    mark(State().faults.get, item, fail);
}
void FailRegister(uint32_t address, bool fail) {
    mark(State().faults.registers, address, fail);
}
void ClearFaults() {
    State().faults = Faults{};
}

}  // namespace hlxsim
