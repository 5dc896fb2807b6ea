// PNG through stb_image_write, its deflate done by zlib at a fast level:
// the pictures are large and mostly one colour.
#include "png_write.h"

#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

unsigned char* deflateForPng(unsigned char* data, int length, int* outLength, int) {
  uLongf size = compressBound(static_cast<uLong>(length));
  auto* out = static_cast<unsigned char*>(std::malloc(size));
  if (!out || compress2(out, &size, data, static_cast<uLong>(length), 1) != Z_OK) {
    std::free(out);
    *outLength = 0;
    return nullptr;
  }
  *outLength = static_cast<int>(size);
  return out;
}

}  // namespace

#define STBIW_ZLIB_COMPRESS deflateForPng
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

bool writePng(const std::string& utf8Path, const render::Image& image) {
#if defined(__cpp_char8_t)
  const std::filesystem::path path(
      std::u8string(reinterpret_cast<const char8_t*>(utf8Path.data()), utf8Path.size()));
#else
  const std::filesystem::path path = std::filesystem::u8path(utf8Path);
#endif
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  auto put = [](void* context, void* data, int size) {
    static_cast<std::ofstream*>(context)->write(static_cast<const char*>(data), size);
  };
  // no per-row choice of filter: the pictures are flat areas of a few
  // colours, which deflate packs well as they are, and trying every filter
  // on every row costs more than the drawing
  stbi_write_force_png_filter = 0;
  const int ok = stbi_write_png_to_func(put, &out, image.width, image.height, 4, image.rgba.data(),
                                        image.width * 4);
  out.close();
  return ok && out.good();
}
