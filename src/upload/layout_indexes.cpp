#include "upload/layout_indexes.h"

#include "scenario/scenario.h"
#include "scenario/selection.h"
#include "scenario/split.h"

std::vector<std::string> VideoItems(const std::string& video) {
    std::vector<std::string> items;
    for (std::string& piece : splitPieces(video, ';')) {
        if (!piece.empty()) items.push_back(std::move(piece));
    }
    return items;
}

uint32_t VideoItemCount(const ScenarioSettings& settings) {
    if (!IsSelected(settings.video)) return 0;
    return static_cast<uint32_t>(VideoItems(settings.video).size());
}
