// The device's own check of a playing-order text, independent of the program's parser.
#pragma once

#include <string_view>

namespace hlxsim {

// Items separated by ';' (one trailing ';' allowed), each an optional 'p' and four
// ':'-separated fields: frames N or N-M, duration N, packets empty or N(,N)* (one trailing
// ',' allowed), colour N or NvN; N is decimal digits, optionally after blanks. Empty text
// is valid.
bool IsValidPlayingOrder(std::string_view text);

}  // namespace hlxsim
