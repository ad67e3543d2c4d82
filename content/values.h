// The values tavrel-content reads from its command line and description files: whole
// numbers, decimals and hex, each taken whole (no trailing text), so "10x" is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Digits only, at most `max`.
bool ParseWhole(const std::string& text, uint32_t max, uint32_t& value);
// Digits with an optional "." and at most `decimals` digits after it; `scaled` is the
// value times 10^decimals, at most `max`.
bool ParseDecimal(const std::string& text, unsigned decimals, uint64_t max, uint64_t& scaled);
// Hex digits, with or without "0x", at most `max`.
bool ParseHexNumber(const std::string& text, uint32_t max, uint32_t& value);
// Pairs of hex digits, blanks between bytes allowed ("01 02 ff", "0102ff").
bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes);
