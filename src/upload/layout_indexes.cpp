#include "upload/layout_indexes.h"

#include "scenario/scenario.h"
#include "scenario/split.h"
#include "upload/upload_scenario.h"

uint32_t VideoItemCount(const ScenarioSettings& settings) {
    if (!IsSelected(settings.video)) return 0;
    uint32_t count = 0;
    for (const std::string& item : splitPieces(settings.video, ';')) {
        if (!item.empty()) ++count;
    }
    return count;
}
