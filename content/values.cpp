#include "values.h"

#include <cctype>

#include "scenario/numbers.h"

namespace {

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool ParseWhole(const std::string& text, uint32_t max, uint32_t& value) {
    uint32_t read = 0;
    if (!AllDigits(text) || !parseUnsigned32(text, read) || read > max) return false;
    value = read;
    return true;
}

bool ParseDecimal(const std::string& text, unsigned decimals, uint64_t max, uint64_t& scaled) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    if (!AllDigits(whole) || fraction.size() > decimals) return false;
    if (point != std::string::npos && !AllDigits(fraction)) return false;
    uint64_t value = 0;
    if (whole.size() > 12 || !parseUnsigned64(whole, value)) return false;
    for (unsigned i = 0; i < decimals; ++i) {
        value = value * 10 + (i < fraction.size() ? static_cast<uint64_t>(fraction[i] - '0') : 0);
    }
    if (value > max) return false;
    scaled = value;
    return true;
}

bool ParseHexNumber(const std::string& text, uint32_t max, uint32_t& value) {
    const bool prefixed = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = prefixed ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 8) return false;
    uint64_t read = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        read = read * 16 + static_cast<uint64_t>(digit);
    }
    if (read > max) return false;
    value = static_cast<uint32_t>(read);
    return true;
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        const int high = HexDigit(text[i]);
        const int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
        i += 2;
    }
    return true;
}
