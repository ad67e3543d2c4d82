#include "files/file_pieces.h"

// Mapping with a guard against files that shrink meanwhile is left to POSIX systems:
// here every file is read.
MappedRange consumeMappedRange(const std::string&, uint64_t, uint64_t, bool,
                               const FilePieceConsumer&) {
    return MappedRange::kNotMapped;
}

bool readFilePieces(const std::string& path, uint64_t size, size_t pieceUnit,
                    std::vector<uint8_t>& scratch, const FilePieceConsumer& consume) {
    return readFilePiecesBuffered(path, size, pieceUnit, scratch, consume);
}
