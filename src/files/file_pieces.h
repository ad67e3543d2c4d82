// Hands a file's bytes to a consumer without keeping a copy of the whole file:
// frames are converted straight from the system's file cache where it can be
// mapped, otherwise piece by piece through a small reused buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Receives the bytes at `offset` of the file, `size` of them, in file order.
// It may be left by a jump when the file shrinks under it, so it must not own
// resources (no allocation, no locks): a pure conversion kernel is what fits.
using FilePieceConsumer = std::function<void(uint64_t offset, const uint8_t* data, size_t size)>;

// Passes the whole file in pieces whose sizes are multiples of `pieceUnit` (the
// last one excepted). True when the file holds exactly `size` bytes and all were
// passed; false when it cannot be opened, has another size, or shrinks meanwhile.
// `scratch` is reused between calls when the file has to be read rather than mapped.
bool readFilePieces(const std::string& path, uint64_t size, size_t pieceUnit,
                    std::vector<uint8_t>& scratch, const FilePieceConsumer& consume);

enum class MappedRange { kDone, kFailed, kNotMapped };

// Passes bytes [offset, offset + size) of the file in one piece, straight from its
// mapped pages. kFailed when the file cannot be opened, holds too few bytes (or, with
// `wholeFile`, other than offset + size), or shrinks meanwhile; kNotMapped when the
// system cannot map it, so the caller reads it instead.
MappedRange consumeMappedRange(const std::string& path, uint64_t offset, uint64_t size,
                               bool wholeFile, const FilePieceConsumer& consume);

// The same through plain reads only; the fallback where mapping is not possible.
bool readFilePiecesBuffered(const std::string& path, uint64_t size, size_t pieceUnit,
                            std::vector<uint8_t>& scratch, const FilePieceConsumer& consume);
