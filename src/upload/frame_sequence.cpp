#include "upload/frame_sequence.h"

#include <algorithm>

#include "scenario/paths.h"
#include "scenario/split.h"

namespace {

struct SequenceName {
    std::string prefix;     // the stem without its trailing digits
    size_t digits = 0;      // how many digits the stem ends with
    std::string extension;  // last piece after '.'
};

// False when the name cannot stand for a frame file at all.
bool parseSequenceName(const std::string& name, SequenceName& parsed) {
    const std::vector<std::string> pieces = splitPieces(name, '.');
    if (pieces.empty() || pieces.front().empty() || pieces.back().empty()) return false;
    const std::string& stem = pieces.front();
    size_t start = stem.size();
    while (start > 0 && stem[start - 1] >= '0' && stem[start - 1] <= '9') --start;
    parsed.prefix = stem.substr(0, start);
    parsed.digits = stem.size() - start;
    parsed.extension = pieces.back();
    return true;
}

std::string numberedName(const SequenceName& name, uint64_t number) {
    std::string digits = std::to_string(number);
    if (digits.size() < name.digits) digits.insert(0, name.digits - digits.size(), '0');
    return name.prefix + digits + "." + name.extension;
}

}  // namespace

std::vector<SequenceFile> ExpandFileSequenceSized(const std::string& path) {
    std::string base = path;
    while (!base.empty() && base.back() == ';') base.pop_back();
    std::vector<SequenceFile> files;
    SequenceName name;
    if (base.empty() || !parseSequenceName(fileName(base), name)) return files;
    int64_t size = -1;
    if (name.digits == 0) {
        if (fileStatus(base, size)) files.push_back({base, size});
        return files;
    }
    // A bare name stays in the current folder rather than moving to the root.
    const std::string folder = folderOf(base);
    for (uint64_t number = 0;; ++number) {
        std::string candidate = joinPath(folder, numberedName(name, number));
        std::replace(candidate.begin(), candidate.end(), '/', '\\');
        if (fileStatus(candidate, size)) {
            files.push_back({std::move(candidate), size});
        } else if (number != 0) {
            break;  // a sequence may start at 0 or 1 and ends before the first gap
        }
    }
    return files;
}

std::vector<std::string> ExpandFileSequence(const std::string& path) {
    std::vector<std::string> paths;
    for (SequenceFile& file : ExpandFileSequenceSized(path)) paths.push_back(std::move(file.path));
    return paths;
}

uint32_t CountFileSequence(const std::string& path) {
    return static_cast<uint32_t>(ExpandFileSequenceSized(path).size());
}

bool IsBinaryImagePath(const std::string& path) {
    return path.find(".bin") != std::string::npos;
}
