// PNG files of pictures, written with stb_image_write.
#pragma once

#include <string>

#include "preview/picture.h"

// Writes the picture as an 8-bit RGB PNG file; false when the file cannot be written.
bool WritePng(const std::string& path, const Picture& picture);
