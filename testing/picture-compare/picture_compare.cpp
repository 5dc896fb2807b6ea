// Compares the covered pixels of two pictures of the same drawing made by two
// Gerber renderers, both drawn in one colour over one background. A pixel is
// covered when its colour lies nearer the drawing colour than the background
// (so a renderer that smooths its edges and one that does not are compared on
// the same terms). Prints one line:
//   "agreement P % (exact E %; covered: first N, second N, both N, either N)"
// where E = pixels covered in both / pixels covered in either (100 when
// neither picture covers any), and P the same with a pixel that only one
// picture covers counted as agreeing when the other covers a pixel at most
// --tolerance pixels away in each direction (default 0: P = E). With --diff,
// writes a picture of the disagreement: white where both cover, red only the
// first, green only the second. Exit code 0 when both pictures were read and
// have the same size.
// Usage: picture-compare FIRST.png SECOND.png [--tolerance N]
//        [--background #RRGGBB] [--foreground #RRGGBB] [--diff OUT.png]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

bool parseColour(const char* text, Rgb& out) {
  if (text[0] == '#') ++text;
  if (std::strlen(text) != 6) return false;
  char* end = nullptr;
  const unsigned long v = std::strtoul(text, &end, 16);
  if (*end != '\0') return false;
  out = {static_cast<int>(v >> 16 & 255), static_cast<int>(v >> 8 & 255),
         static_cast<int>(v & 255)};
  return true;
}

struct Picture {
  int width = 0, height = 0;
  std::unique_ptr<unsigned char, void (*)(void*)> rgba{nullptr, stbi_image_free};
};

bool load(const char* path, Picture& p) {
  int channels = 0;
  p.rgba.reset(stbi_load(path, &p.width, &p.height, &channels, 4));
  if (!p.rgba)
    std::fprintf(stderr, "picture-compare: cannot read %s: %s\n", path, stbi_failure_reason());
  return p.rgba != nullptr;
}

// Nearer the drawing colour than the background, after laying the pixel over
// the background by its opacity.
bool covered(const unsigned char* px, const Rgb& bg, const Rgb& fg) {
  const int a = px[3];
  const int c[3] = {(px[0] * a + bg.r * (255 - a)) / 255, (px[1] * a + bg.g * (255 - a)) / 255,
                    (px[2] * a + bg.b * (255 - a)) / 255};
  const int toBg = std::abs(c[0] - bg.r) + std::abs(c[1] - bg.g) + std::abs(c[2] - bg.b);
  const int toFg = std::abs(c[0] - fg.r) + std::abs(c[1] - fg.g) + std::abs(c[2] - fg.b);
  return toFg < toBg;
}

// Whether `covers` holds a pixel within `reach` of (x, y) in each direction.
bool coveredNear(const std::vector<bool>& covers, int width, int height, int x, int y, int reach) {
  for (int ny = std::max(0, y - reach); ny <= std::min(height - 1, y + reach); ++ny) {
    for (int nx = std::max(0, x - reach); nx <= std::min(width - 1, x + reach); ++nx) {
      if (covers[static_cast<std::size_t>(ny) * width + nx]) return true;
    }
  }
  return false;
}

int usage() {
  std::fprintf(stderr,
               "usage: picture-compare FIRST.png SECOND.png [--tolerance N] [--background #RRGGBB] "
               "[--foreground #RRGGBB] [--diff OUT.png]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<const char*> files;
  Rgb bg{0, 0, 0}, fg{255, 255, 255};
  const char* diffPath = nullptr;
  int tolerance = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--background" && hasValue) {
      if (!parseColour(argv[++i], bg)) return usage();
    } else if (arg == "--foreground" && hasValue) {
      if (!parseColour(argv[++i], fg)) return usage();
    } else if (arg == "--tolerance" && hasValue) {
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || n < 0 || n > 100) return usage();
      tolerance = static_cast<int>(n);
    } else if (arg == "--diff" && hasValue) {
      diffPath = argv[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return usage();
    } else {
      files.push_back(argv[i]);
    }
  }
  if (files.size() != 2) return usage();
  Picture first, second;
  if (!load(files[0], first) || !load(files[1], second)) return 2;
  if (first.width != second.width || first.height != second.height) {
    std::fprintf(stderr, "picture-compare: sizes differ: %dx%d and %dx%d\n", first.width,
                 first.height, second.width, second.height);
    return 2;
  }
  const int width = first.width, height = first.height;
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  std::vector<bool> inFirst(pixels), inSecond(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    inFirst[i] = covered(first.rgba.get() + 4 * i, bg, fg);
    inSecond[i] = covered(second.rgba.get() + 4 * i, bg, fg);
  }
  std::vector<unsigned char> diff(diffPath ? pixels * 3 : 0);
  unsigned long long countFirst = 0, countSecond = 0, both = 0, near = 0;
  for (std::size_t i = 0; i < pixels; ++i) {
    const bool a = inFirst[i], b = inSecond[i];
    countFirst += a;
    countSecond += b;
    both += a && b;
    if (a != b && tolerance > 0) {
      const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
      near += coveredNear(a ? inSecond : inFirst, width, height, x, y, tolerance);
    }
    if (diffPath) {
      diff[3 * i] = a ? 255 : 0;
      diff[3 * i + 1] = b ? 255 : 0;
      diff[3 * i + 2] = a && b ? 255 : 0;
    }
  }
  const unsigned long long either = countFirst + countSecond - both;
  const auto percent = [either](unsigned long long n) {
    return either ? 100.0 * static_cast<double>(n) / static_cast<double>(either) : 100.0;
  };
  std::printf(
      "agreement %.2f %% (exact %.2f %%; covered: first %llu, second %llu, both %llu, either "
      "%llu)\n",
      percent(both + near), percent(both), countFirst, countSecond, both, either);
  if (diffPath && !stbi_write_png(diffPath, width, height, 3, diff.data(), width * 3)) {
    std::fprintf(stderr, "picture-compare: cannot write %s\n", diffPath);
    return 2;
  }
  return 0;
}
