// Clock rates as the program's texts show them.
#pragma once

#include <cstdint>
#include <string>

// Megahertz with up to three decimals, trailing zeros dropped: "594", "742.5", "148.352".
std::string MhzText(uint64_t hertz);
