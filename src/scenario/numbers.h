// Decimal number reading shared by every reader of text files: leading white
// space is skipped, an optional sign is taken, reading stops at the first
// non-digit. No digit, or a value beyond the type's range, is an error (false).
// A minus sign on an unsigned type wraps, as the standard conversions do (-1 is the maximum).
#pragma once

#include <cstdint>
#include <string_view>

bool parseUnsigned32(std::string_view text, uint32_t& value);
bool parseSigned32(std::string_view text, int32_t& value);
bool parseUnsigned64(std::string_view text, uint64_t& value);

// Lenient reading for colour components: no digit gives 0, never an error;
// the value saturates at the 64-bit range instead of failing.
int64_t parseLenientInteger(std::string_view text);
