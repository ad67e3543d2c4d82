#include "scenario/file_pieces.h"

bool readFilePieces(const std::string& path, uint64_t size, size_t pieceUnit,
                    std::vector<uint8_t>& scratch, const FilePieceConsumer& consume) {
    return readFilePiecesBuffered(path, size, pieceUnit, scratch, consume);
}
