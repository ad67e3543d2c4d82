// Profile reader: INI text, sections [device] (one per listed entry) and [generator].
#include "profile.h"

#include <cstdio>
#include <functional>
#include <map>

namespace hlxsim {
namespace {

// EDIDs are at most a few KiB; this bounds what a profile can make us hold.
constexpr size_t kMaxEdidBytes = 65536;

enum class Section { kNone, kDevice, kGenerator };

struct LineError {
    std::string text;
    size_t line = 0;  // when the problem belongs to another line than the current one
};

std::string trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// A ';' or '#' after a blank starts a comment; inside a word it is data.
std::string stripComment(const std::string& value) {
    for (size_t i = 1; i < value.size(); ++i) {
        bool marker = value[i] == ';' || value[i] == '#';
        if (marker && (value[i - 1] == ' ' || value[i - 1] == '\t')) return value.substr(0, i);
    }
    return value;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decimal or 0x hexadecimal, the whole text, at most `max`.
bool parseNumber(const std::string& text, uint64_t max, uint64_t& out) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    size_t start = hex ? 2 : 0;
    uint64_t base = hex ? 16 : 10;
    if (text.size() <= start) return false;
    uint64_t value = 0;
    for (size_t i = start; i < text.size(); ++i) {
        int digit = hexDigit(text[i]);
        if (digit < 0 || static_cast<uint64_t>(digit) >= base) return false;
        if (value > (max - static_cast<uint64_t>(digit)) / base) return false;
        value = value * base + static_cast<uint64_t>(digit);
    }
    out = value;
    return true;
}

uint64_t numberValue(const std::string& key, const std::string& value, uint64_t max) {
    uint64_t out = 0;
    if (!parseNumber(value, max, out)) {
        throw LineError{"invalid number '" + value + "' for key '" + key + "'"};
    }
    return out;
}

uint32_t number32(const std::string& key, const std::string& value) {
    return static_cast<uint32_t>(numberValue(key, value, UINT32_MAX));
}

bool flagValue(const std::string& key, const std::string& value) {
    if (value == "0") return false;
    if (value == "1") return true;
    throw LineError{"key '" + key + "' takes 0 or 1, not '" + value + "'"};
}

std::vector<std::string> splitList(const std::string& key, const std::string& value) {
    std::vector<std::string> pieces;
    if (value.empty()) return pieces;
    size_t start = 0;
    while (true) {
        size_t comma = value.find(',', start);
        std::string piece = trim(value.substr(start, comma - start));
        if (piece.empty()) throw LineError{"empty entry in the list of key '" + key + "'"};
        pieces.push_back(piece);
        if (comma == std::string::npos) return pieces;
        start = comma + 1;
    }
}

std::set<uint32_t> numberSet(const std::string& key, const std::string& value) {
    std::set<uint32_t> numbers;
    for (const std::string& piece : splitList(key, value)) numbers.insert(number32(key, piece));
    return numbers;
}

std::vector<uint8_t> hexBytes(const std::string& value) {
    std::string digits;
    for (char c : value) {
        if (c == ' ' || c == '\t') continue;
        if (hexDigit(c) < 0)
            throw LineError{"invalid hex digit '" + std::string(1, c) + "' in edid-hex"};
        digits.push_back(c);
    }
    if (digits.size() % 2 != 0) throw LineError{"odd number of hex digits in edid-hex"};
    if (digits.size() / 2 > kMaxEdidBytes) throw LineError{"edid-hex is longer than 65536 bytes"};
    std::vector<uint8_t> bytes(digits.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]));
    }
    return bytes;
}

bool isAbsolute(const std::string& path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
    return path.size() > 1 && path[1] == ':';
}

std::vector<uint8_t> edidFile(const std::string& name, const std::string& baseFolder) {
    if (name.empty()) return {};
    std::string path = isAbsolute(name) || baseFolder.empty() ? name : baseFolder + "/" + name;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw LineError{"cannot open EDID file '" + path + "'"};
    std::vector<uint8_t> bytes(kMaxEdidBytes + 1);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw LineError{"cannot read EDID file '" + path + "'"};
    if (got > kMaxEdidBytes) throw LineError{"EDID file '" + path + "' is larger than 65536 bytes"};
    bytes.resize(got);
    return bytes;
}

// A link that carries nothing would never finish a write.
uint64_t rateValue(const std::string& key, const std::string& value) {
    const uint64_t rate = numberValue(key, value, UINT64_MAX);
    if (rate == 0) throw LineError{"key '" + key + "' takes 1 or more bytes per second, not '0'"};
    return rate;
}

StoreMode storeMode(const std::string& value) {
    if (value == "full") return StoreMode::kFull;
    if (value == "digest") return StoreMode::kDigest;
    if (value == "none") return StoreMode::kNone;
    throw LineError{"key 'store' takes full, digest or none, not '" + value + "'"};
}

void deviceKey(const std::string& key, const std::string& value, DeviceSpec& device) {
    if (key == "name") {
        device.name = value;
    } else if (key == "flags") {
        device.flags = number32(key, value);
    } else if (key == "outputs") {
        device.outputs = splitList(key, value);
    } else {
        throw LineError{"unknown key '" + key + "' in [device]"};
    }
}

using Setter = std::function<void(const std::string& value, Profile& p, const std::string& base)>;

const std::map<std::string, Setter>& generatorKeys() {
    static const std::map<std::string, Setter> keys = {
        {"memory",
         [](auto& v, Profile& p, auto&) { p.memory = numberValue("memory", v, UINT64_MAX); }},
        {"edid", [](auto& v, Profile& p, auto& base) { p.edid = edidFile(v, base); }},
        {"edid-hex", [](auto& v, Profile& p, auto&) { p.edid = hexBytes(v); }},
        {"edid-claim",
         [](auto& v, Profile& p, auto&) {
             p.edidClaim = static_cast<int32_t>(numberValue("edid-claim", v, INT32_MAX));
             p.hasEdidClaim = true;
         }},
        {"dp-lanes", [](auto& v, Profile& p, auto&) { p.dpLanes = number32("dp-lanes", v); }},
        {"dp-rate", [](auto& v, Profile& p, auto&) { p.dpRate = number32("dp-rate", v); }},
        {"info", [](auto& v, Profile& p, auto&) { p.info = v; }},
        {"stop-delay", [](auto& v, Profile& p, auto&) { p.stopDelay = number32("stop-delay", v); }},
        {"fail-set", [](auto& v, Profile& p, auto&) { p.failSet = numberSet("fail-set", v); }},
        {"fail-get", [](auto& v, Profile& p, auto&) { p.failGet = numberSet("fail-get", v); }},
        {"fail-register",
         [](auto& v, Profile& p, auto&) { p.failRegister = numberSet("fail-register", v); }},
        {"fail-init", [](auto& v, Profile& p, auto&) { p.failInit = flagValue("fail-init", v); }},
        {"fail-clean",
         [](auto& v, Profile& p, auto&) { p.failClean = flagValue("fail-clean", v); }},
        {"store", [](auto& v, Profile& p, auto&) { p.store = storeMode(v); }},
        {"write-rate",
         [](auto& v, Profile& p, auto&) { p.writeRate = rateValue("write-rate", v); }},
    };
    return keys;
}

Section sectionOf(const std::string& line) {
    std::string name = trim(line.substr(1, line.size() - 2));
    if (name == "device") return Section::kDevice;
    if (name == "generator") return Section::kGenerator;
    throw LineError{"unknown section [" + name + "]"};
}

struct Reader {
    const std::string& baseFolder;
    Profile& profile;
    Section section = Section::kNone;
    size_t deviceLine = 0;

    void checkDeviceNamed() const {
        if (section == Section::kDevice && profile.devices.back().name.empty()) {
            throw LineError{"[device] has no name", deviceLine};
        }
    }

    void line(const std::string& raw, size_t number) {
        std::string text = trim(raw);
        if (text.empty() || text[0] == ';' || text[0] == '#') return;
        if (text.front() == '[' && text.back() == ']') {
            checkDeviceNamed();
            section = sectionOf(text);
            if (section == Section::kDevice) {
                profile.devices.emplace_back();
                deviceLine = number;
            }
            return;
        }
        size_t equals = text.find('=');
        if (equals == std::string::npos) throw LineError{"expected 'key = value' or [section]"};
        std::string key = trim(text.substr(0, equals));
        std::string value = trim(stripComment(trim(text.substr(equals + 1))));
        keyValue(key, value);
    }

    void keyValue(const std::string& key, const std::string& value) {
        if (section == Section::kDevice) return deviceKey(key, value, profile.devices.back());
        if (section == Section::kNone) throw LineError{"key '" + key + "' outside a section"};
        auto found = generatorKeys().find(key);
        if (found == generatorKeys().end()) {
            throw LineError{"unknown key '" + key + "' in [generator]"};
        }
        found->second(value, profile, baseFolder);
    }
};

}  // namespace

bool ParseProfile(const std::string& text, const std::string& baseFolder, Profile& profile,
                  std::string& error) {
    Profile result;
    result.edid = DefaultEdid();
    Reader reader{baseFolder, result};
    size_t number = 0;
    size_t start = 0;
    try {
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            ++number;
            reader.line(text.substr(start, end - start), number);
            start = end + 1;
        }
        reader.checkDeviceNamed();
    } catch (const LineError& problem) {
        size_t line = problem.line != 0 ? problem.line : number;
        error = "line " + std::to_string(line) + ": " + problem.text;
        return false;
    }
    profile = std::move(result);
    return true;
}

}  // namespace hlxsim
