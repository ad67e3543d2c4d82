#include "files/file_pieces.h"

#include <algorithm>
#include <cstdio>

#include "files/file_ptr.h"
#include "files/paths.h"

namespace {

// Small enough that a piece is still in the core's cache when it is consumed.
constexpr size_t kPieceBytes = 192 * 1024;

}  // namespace

bool readFilePiecesBuffered(const std::string& path, uint64_t size, size_t pieceUnit,
                            std::vector<uint8_t>& scratch, const FilePieceConsumer& consume) {
    FilePtr file(openFile(path, "rb"));
    if (!file) return false;
    std::setvbuf(file.get(), nullptr, _IONBF, 0);  // pieces go straight into `scratch`
    const size_t unit = std::max<size_t>(pieceUnit, 1);
    const size_t piece = std::max(kPieceBytes / unit, size_t{1}) * unit;
    scratch.resize(static_cast<size_t>(std::min<uint64_t>(size, piece)) + 1);
    for (uint64_t done = 0; done < size;) {
        const size_t count = static_cast<size_t>(std::min<uint64_t>(size - done, piece));
        if (std::fread(scratch.data(), 1, count, file.get()) != count) return false;
        consume(done, scratch.data(), count);
        done += count;
    }
    // A byte past the expected end means the file has grown since it was sized.
    return std::fread(scratch.data(), 1, 1, file.get()) == 0;
}
