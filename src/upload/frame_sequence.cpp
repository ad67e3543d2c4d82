#include "upload/frame_sequence.h"

#include <algorithm>

#include "files/paths.h"
#include "files/text.h"

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

std::string withoutTrailingSemicolons(std::string path) {
    while (!path.empty() && path.back() == ';') path.pop_back();
    return path;
}

// A bare name stays in the current folder rather than moving to the root.
std::string candidatePath(const std::string& base, const SequenceName& name, uint64_t number) {
    std::string candidate = SiblingPath(base, numberedName(name, number));
    std::replace(candidate.begin(), candidate.end(), '/', '\\');
    return candidate;
}

}  // namespace

std::vector<SequenceFile> ExpandFileSequenceSized(const std::string& path) {
    const std::string base = withoutTrailingSemicolons(path);
    std::vector<SequenceFile> files;
    SequenceName name;
    if (base.empty() || !parseSequenceName(fileName(base), name)) return files;
    int64_t size = -1;
    if (name.digits == 0) {
        if (fileStatus(base, size)) files.push_back({base, size});
        return files;
    }
    for (uint64_t number = 0;; ++number) {
        std::string candidate = candidatePath(base, name, number);
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

std::string FirstSequenceFile(const std::string& path) {
    return SequenceFilePath(path, 0);
}

std::string SequenceFilePath(const std::string& path, uint64_t number) {
    const std::string base = withoutTrailingSemicolons(path);
    SequenceName name;
    if (base.empty() || !parseSequenceName(fileName(base), name) || name.digits == 0) return path;
    return candidatePath(base, name, number);
}

size_t SequenceDigits(const std::string& path) {
    SequenceName name;
    return parseSequenceName(fileName(withoutTrailingSemicolons(path)), name) ? name.digits : 0;
}

std::string SiblingPath(const std::string& path, const std::string& name) {
    const std::string folder = folderOf(path);
    // folderOf gives no folder for a file in the root, which would put it in the current one.
    if (folder.empty() && !path.empty() && (path[0] == '/' || path[0] == '\\')) {
        return path.substr(0, 1) + name;
    }
    return joinPath(folder, name);
}

bool IsBinaryImagePath(const std::string& path) {
    return path.find(".bin") != std::string::npos;
}
