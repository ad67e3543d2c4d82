// A frame shown as the device gets it: the picture is read from the bytes the upload
// sends, not from the file.
#pragma once

#include <cstdint>

#include "preview/picture.h"

struct SentFrame;

// The frame has no known component layout (YUV 4:2:2 and 4:2:0) and is shown as the
// grey of the first sample of each pixel.
bool IsShownAsGrey(const SentFrame& frame);

// The picture of a sent frame of a scenario with `bitsPerColor`; false when it would pass
// kMaxPicturePixels or its memory cannot be had.
bool DecodeSentFrame(const SentFrame& frame, uint32_t bitsPerColor, Picture& picture);
// Its thumbnail, made line by line without the whole picture (see Thumbnail); empty
// where DecodeSentFrame would fail.
Picture SentFrameThumbnail(const SentFrame& frame, uint32_t bitsPerColor, uint32_t width);
