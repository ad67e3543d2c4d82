#include "scenario/findings.h"

#include <algorithm>

#include "files/text.h"
#include "log/logger.h"

namespace {

constexpr const char* kWarningPrefix = "WARNING: ";

}  // namespace

std::string Finding::checkText() const {
    const bool prefixed = kind == FindingKind::kWarning && prefixedInCheck;
    return (prefixed ? kWarningPrefix : "") + text + (detail.empty() ? "" : "\n" + detail);
}

std::vector<std::string> Finding::runLines() const {
    switch (kind) {
        case FindingKind::kRefusal:
            return splitPieces(text, '\n');
        case FindingKind::kWarning:
            return {kWarningPrefix + text};
        case FindingKind::kNote:
            break;
    }
    return {text};
}

void Findings::add(FindingKind kind, FindingPoint point, std::string text, std::string detail) {
    items_.push_back(Finding{kind, point, std::move(text), std::move(detail), false});
}

void Findings::add(Finding finding) {
    items_.push_back(std::move(finding));
}

void Findings::append(const Findings& other) {
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
}

bool Findings::refusesAt(FindingPoint point) const {
    return std::any_of(items_.begin(), items_.end(), [point](const Finding& f) {
        return f.kind == FindingKind::kRefusal && f.point == point;
    });
}

std::vector<const Finding*> Findings::at(FindingPoint point) const {
    std::vector<const Finding*> found;
    for (const Finding& finding : items_) {
        if (finding.point == point) found.push_back(&finding);
    }
    return found;
}

std::string Findings::firstProblemLine() const {
    for (const Finding& finding : items_) {
        if (finding.problem()) return FirstLine(finding.checkText());
    }
    return {};
}

size_t Findings::problemCount() const {
    return static_cast<size_t>(
        std::count_if(items_.begin(), items_.end(), [](const Finding& f) { return f.problem(); }));
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

void LogFindingsAt(const Findings& findings, FindingPoint point) {
    for (const Finding* finding : findings.at(point)) {
        for (const std::string& line : finding->runLines()) logText(line);
    }
}
