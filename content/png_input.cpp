// The one source file that compiles stb_image's implementation.
#include "png_input.h"

#include <cstring>
#include <new>

#include "files/paths.h"

// PNG only, and read through the program's own file boundary.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// A PNG larger than this is not a picture for a frame: it is refused before it is read.
constexpr uint64_t kMaxPngFileBytes = uint64_t{1} << 30;

template <typename Sample>
void Deinterleave(const Sample* rgb, FramePlanes& picture) {
    const size_t pixels = picture.Pixels();
    for (unsigned c = 0; c < 3; ++c) picture.plane[c].resize(pixels);
    for (size_t i = 0; i < pixels; ++i, rgb += 3) {
        for (unsigned c = 0; c < 3; ++c) picture.plane[c][i] = rgb[c];
    }
}

}  // namespace

bool IsPngSignature(const unsigned char* bytes, size_t size) {
    return size >= sizeof kSignature && std::memcmp(bytes, kSignature, sizeof kSignature) == 0;
}

std::string ReadPng(const std::string& path, FramePlanes& picture) {
    std::vector<uint8_t> file;
    if (!readWholeFile(path, file, kMaxPngFileBytes)) return kFileCannotBeRead;
    if (file.size() > INT32_MAX || !IsPngSignature(file.data(), file.size())) {
        return "the file is not a PNG";
    }
    const int size = static_cast<int>(file.size());
    int width = 0, height = 0, components = 0;
    if (stbi_info_from_memory(file.data(), size, &width, &height, &components) == 0) {
        return std::string("the PNG cannot be read: ") + stbi_failure_reason();
    }
    if (uint64_t(width) * uint64_t(height) > kMaxFramePixels) return "the picture is too large";
    const bool deep = stbi_is_16_bit_from_memory(file.data(), size) != 0;
    void* rgb = deep ? static_cast<void*>(stbi_load_16_from_memory(file.data(), size, &width,
                                                                   &height, &components, 3))
                     : static_cast<void*>(stbi_load_from_memory(file.data(), size, &width, &height,
                                                                &components, 3));
    if (rgb == nullptr) return std::string("the PNG cannot be read: ") + stbi_failure_reason();
    picture.width = static_cast<uint32_t>(width);
    picture.height = static_cast<uint32_t>(height);
    picture.bits = deep ? 16 : 8;
    picture.kind = SampleKind::kRgb;
    std::string why;
    try {
        if (deep) {
            Deinterleave(static_cast<const uint16_t*>(rgb), picture);
        } else {
            Deinterleave(static_cast<const uint8_t*>(rgb), picture);
        }
    } catch (const std::bad_alloc&) {
        why = "the picture is too large for the memory";
    }
    stbi_image_free(rgb);
    return why;
}
