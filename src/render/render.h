// Drawing exported Gerber (RS-274X) and Excellon drill files into an RGBA
// picture: what the preview window and the gerber-render tool show. Files are
// read from disk as they stand; nothing here writes beside them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;  // a: opacity when laid over the picture
};

// A rectangle on the board, in inches.
struct Box {
  double minX = 0, minY = 0, maxX = -1, maxY = -1;
  bool empty() const { return maxX < minX || maxY < minY; }
  void add(const Box& other);
};

// Which part of the board the picture shows and how large it is. Pixel (0, 0)
// is the picture's top left: board point (window.minX, window.maxY), or
// (window.maxX, window.maxY) when mirrored (the board seen from below).
struct View {
  Box window;
  int width = 0;
  int height = 0;
  bool mirrored = false;
};

// The smallest view at `dpi` that holds `board` with `margin` inches around it.
View viewAt(const Box& board, double dpi, double margin, bool mirrored = false);
// The view of `width` x `height` pixels that shows all of `board`, centred,
// with `margin` pixels around it.
View fitView(const Box& board, int width, int height, int margin, bool mirrored = false);

// An RGBA picture, rows from the top, 4 bytes a pixel.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  Image() = default;
  Image(int w, int h, Colour background);
};

// One file to draw and its colours: flashes (pads, holes) in `flash`, draws
// (tracks, arcs, regions) in `line`.
struct Layer {
  std::string path;
  Colour flash;
  Colour line;
};

// What reading a file found. `error` is set when the file could not be read
// at all or stopped early (the picture then holds what came before);
// `skipped` names each construct that was not understood, once.
struct FileReport {
  bool drill = false;       // read as an Excellon drill file
  bool unreadable = false;  // not opened, or nothing in it this reader knows
  std::uint64_t objects = 0;
  std::string error;
  std::vector<std::string> skipped;
};

// The extent of everything the file draws (empty when it draws nothing).
FileReport measureFile(const std::string& path, Box& extent);
// Draws the file over `image` as `view` sees it.
FileReport drawFile(const Layer& layer, const View& view, Image& image);

}  // namespace render
