// PNG pictures (8 or 16 bits; grey, RGB or RGBA, alpha dropped), read with stb_image.
#pragma once

#include <string>

#include "frame_planes.h"

// The eight bytes every PNG file begins with.
bool IsPngSignature(const unsigned char* bytes, size_t size);

// Reads the PNG into full-range RGB planes of its depth; empty when it can, otherwise
// why not (worded to follow the file's name).
std::string ReadPng(const std::string& path, FramePlanes& picture);
