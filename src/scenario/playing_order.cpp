#include "scenario/playing_order.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "files/paths.h"
#include "files/text.h"
#include "scenario/numbers.h"
#include "scenario/scenario.h"

namespace {

constexpr std::string_view kDefaultOrder = "0:1::256";

// One item of the expression, before its frame range is expanded.
struct Item {
    bool pPrefix = false;
    uint32_t first = 0;
    uint32_t last = 0;
    uint32_t duration = 0;
    uint32_t vNumber = 0;
    uint16_t colorCode = 0;
    std::vector<uint32_t> packets;

    uint64_t stepCount() const { return first > last ? 0 : uint64_t{last} - first + 1; }
};

// A single frame, or an inclusive range "a-b" (a > b is an empty range).
bool parseFrames(std::string_view field, uint32_t& first, uint32_t& last) {
    const size_t dash = field.find('-');
    if (dash == std::string_view::npos) {
        if (!parseUnsigned32(field, first)) return false;
        last = first;
        return true;
    }
    if (field.find('-', dash + 1) != std::string_view::npos) return false;
    return parseUnsigned32(field.substr(0, dash), first) &&
           parseUnsigned32(field.substr(dash + 1), last);
}

// Numbers separated by ","; every piece must be a number. A "," at the very end adds
// no piece, as a ";" at the end of the expression adds no item.
bool parsePackets(std::string_view field, std::vector<uint32_t>& packets) {
    return forEachPiece(field, ',', [&packets](std::string_view piece) {
        uint32_t packet = 0;
        if (!parseUnsigned32(piece, packet)) return false;
        packets.push_back(packet);
        return true;
    });
}

// "<code>" or "<code>v<number>"; only the low 16 bits of the code are kept.
bool parseColour(std::string_view field, uint16_t& colorCode, uint32_t& vNumber) {
    uint32_t code = 0;
    vNumber = 0;
    if (field.find('v') == std::string_view::npos) {
        if (!parseUnsigned32(field, code)) return false;
    } else {
        std::vector<std::string_view> pieces;
        for (size_t start = 0; start <= field.size();) {
            size_t v = field.find('v', start);
            if (v == std::string_view::npos) v = field.size();
            if (v > start) pieces.push_back(field.substr(start, v - start));
            start = v + 1;
        }
        if (pieces.size() < 2) return false;
        if (!parseUnsigned32(pieces[0], code) || !parseUnsigned32(pieces[1], vNumber)) return false;
    }
    colorCode = static_cast<uint16_t>(code & 0xFFFFu);
    return true;
}

// The four ":"-separated fields of an item; any other count makes it unusable.
bool splitFields(std::string_view piece, std::array<std::string_view, 4>& fields) {
    size_t count = 0;
    const bool fits = forEachPiece(piece, ':', [&](std::string_view field) {
        if (count == fields.size()) return false;
        fields[count++] = field;
        return true;
    });
    return fits && count == fields.size();
}

bool parseItem(std::string_view piece, Item& item) {
    item.pPrefix = !piece.empty() && piece.front() == 'p';
    if (item.pPrefix) piece.remove_prefix(1);
    std::array<std::string_view, 4> fields;
    if (!splitFields(piece, fields)) return false;
    return parseUnsigned32(fields[1], item.duration) &&
           parseColour(fields[3], item.colorCode, item.vNumber) &&
           parseFrames(fields[0], item.first, item.last) && parsePackets(fields[2], item.packets);
}

// Appends the item's steps, numbered on from the last one.
void expand(const Item& item, uint64_t total, std::vector<PlayingOrderStep>& steps) {
    if (item.stepCount() == 0) return;
    // `total` counts this item's steps too; the growth stays within the step limit.
    if (steps.capacity() < total) {
        steps.reserve(static_cast<size_t>(std::max<uint64_t>(
            total, std::min<uint64_t>(2 * steps.capacity(), kMaxPlayingOrderSteps))));
    }
    auto index = static_cast<uint32_t>(steps.size());
    for (uint64_t frame = item.first; frame <= item.last; ++frame) {
        PlayingOrderStep& step = steps.emplace_back();
        step.index = index++;
        step.frame = static_cast<uint32_t>(frame);
        step.duration = item.duration;
        step.vNumber = item.vNumber;
        step.colorCode = item.colorCode;
        step.packetIndices = item.packets;
        step.pPrefix = item.pPrefix;
    }
}

}  // namespace

PlayingOrder parsePlayingOrder(const ScenarioSettings& settings) {
    return parsePlayingOrderText(settings.porder);
}

PlayingOrder parsePlayingOrderText(const std::string& porder) {
    PlayingOrder order;
    const std::string text = trim(porder.empty() ? std::string(kDefaultOrder) : porder);
    // One step an item is the common case; the limit bounds the guess.
    const auto items = static_cast<uint64_t>(std::count(text.begin(), text.end(), ';')) + 1;
    order.steps.reserve(static_cast<size_t>(std::min<uint64_t>(items, kMaxPlayingOrderSteps)));
    uint64_t steps = 0;
    uint64_t packetRefs = 0;
    const bool usable = forEachPiece(text, ';', [&](std::string_view piece) {
        Item item;
        if (!parseItem(piece, item)) return false;
        // Counted before the item is expanded: a huge range must not allocate. Past the
        // limits the remaining items are only checked.
        steps += item.stepCount();
        packetRefs += item.stepCount() * item.packets.size();
        if (steps <= kMaxPlayingOrderSteps && packetRefs <= kMaxPlayingOrderPacketRefs) {
            expand(item, steps, order.steps);
        }
        return true;
    });
    const bool tooMany = steps > kMaxPlayingOrderSteps || packetRefs > kMaxPlayingOrderPacketRefs;
    if (!usable || tooMany) {
        std::vector<PlayingOrderStep>().swap(order.steps);
        order.tooManySteps = usable && tooMany;
        order.tooManyPackets = order.tooManySteps && steps <= kMaxPlayingOrderSteps;
    }
    return order;
}

uint64_t CountPlayingOrderFrames(const std::string& porder) {
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t total = 0;
    // An empty order plays one step of one frame, as the step check counts it.
    const std::string_view text = porder.empty() ? kDefaultOrder : std::string_view(porder);
    const bool usable = forEachPiece(text, ';', [&](std::string_view piece) {
        if (!piece.empty() && piece.front() == 'p') piece.remove_prefix(1);
        std::array<std::string_view, 4> fields;
        Item item;
        if (!splitFields(piece, fields) || !parseUnsigned32(fields[1], item.duration) ||
            !parseFrames(fields[0], item.first, item.last)) {
            return false;
        }
        // (b - a + 1) * repeat fits 64 bits; only the sum can pass the range.
        const uint64_t frames = item.stepCount() * item.duration;
        total = frames > kMax - total ? kMax : total + frames;
        return true;
    });
    if (!usable) return 0;
    return total;
}
