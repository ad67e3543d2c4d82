// The device's own grammar of a playing order (docs/simulator.md), so that an order the
// device would refuse is caught before a lab run. Kept apart from the program's parser,
// which reads numbers more leniently ("25b" is 25 there).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct RefusedItems {
    std::vector<std::string> shown;  // the first refused items, as written
    size_t more = 0;                 // refused items past those
};

// The items of `text` that the grammar refuses, in order; none for a text it takes. At
// most `shown` items are kept, the rest only counted.
RefusedItems RefusedPlayingOrderItems(std::string_view text, size_t shown);
