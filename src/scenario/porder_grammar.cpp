#include "scenario/porder_grammar.h"

#include <algorithm>

// The grammar, as the device documents it:
//   text    = "" | item { ";" item } [ ";" ]
//   item    = [ "p" ] frames ":" N ":" packets ":" colour
//   frames  = N | N "-" N
//   packets = "" | N { "," N } [ "," ]
//   colour  = N | N "v" N
//   N       = { " " | TAB } digit { digit }

namespace {

// Reads an item left to right; every rule either takes its part or fails.
class ItemScanner {
  public:
    explicit ItemScanner(std::string_view item) : item_(item) {}

    bool Take(char c) {
        if (at_ == item_.size() || item_[at_] != c) return false;
        ++at_;
        return true;
    }
    bool Next(char c) const { return at_ < item_.size() && item_[at_] == c; }
    bool Number() {
        while (Next(' ') || Next('\t')) ++at_;
        const size_t digits = at_;
        while (at_ < item_.size() && item_[at_] >= '0' && item_[at_] <= '9') ++at_;
        return at_ > digits;
    }
    // N, then `separator` N when the separator follows.
    bool NumberOrPair(char separator) { return Number() && (!Take(separator) || Number()); }
    bool Packets() {
        if (Next(':')) return true;
        do {
            if (!Number()) return false;
        } while (Take(',') && !Next(':'));
        return true;
    }
    bool AtEnd() const { return at_ == item_.size(); }

  private:
    std::string_view item_;
    size_t at_ = 0;
};

bool IsItem(std::string_view item) {
    ItemScanner scan(item);
    scan.Take('p');
    return scan.NumberOrPair('-') && scan.Take(':') && scan.Number() && scan.Take(':') &&
           scan.Packets() && scan.Take(':') && scan.NumberOrPair('v') && scan.AtEnd();
}

}  // namespace

RefusedItems RefusedPlayingOrderItems(std::string_view text, size_t shown) {
    RefusedItems refused;
    if (text.empty()) return refused;
    if (text.back() == ';') text.remove_suffix(1);
    size_t start = 0;
    while (true) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        if (!IsItem(item)) {
            if (refused.shown.size() < shown) {
                refused.shown.emplace_back(item);
            } else {
                ++refused.more;
            }
        }
        if (end == text.size()) return refused;
        start = end + 1;
    }
}
