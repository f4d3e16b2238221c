#pragma once
// Small models for the drawing tests.
#include <map>
#include <memory>
#include <utility>

#include "display/palette.h"
#include "display/recording_canvas.h"
#include "model/model.h"

namespace trivane::testing {

// Two triangles forming the square (0,0)-(10,10), nodes 1..4 counter-clockwise
// from the origin. Heap-allocated: a Model holds full tables.
inline std::unique_ptr<Model> SquareModel() {
  auto model = std::make_unique<Model>();
  model->nodeCount = 4;
  model->nodes[1] = {0, 0};
  model->nodes[2] = {10, 0};
  model->nodes[3] = {10, 10};
  model->nodes[4] = {0, 10};
  model->elementCount = 2;
  model->elements[1] = {1, 2, 3};
  model->elements[2] = {1, 3, 4};
  UpdateBounds(*model);
  return model;
}

// Every colour its own, (i, 0, 7), so a painted pixel names its palette index.
inline Palette Numbered() {
  Palette p;
  for (int32_t i = 0; i < PaletteSize; ++i) p.colours[static_cast<std::size_t>(i)] = {static_cast<uint8_t>(i), 0, 7};
  return p;
}

// The palette index (Numbered) each pixel set by PutPixels ended up with.
inline std::map<std::pair<int32_t, int32_t>, int32_t> Painted(const RecordingCanvas& canvas) {
  std::map<std::pair<int32_t, int32_t>, int32_t> pixels;
  for (const DrawCall& call : canvas.Calls()) {
    if (call.kind != Primitive::Pixels) continue;
    for (std::size_t k = 0; k < call.colours.size(); ++k)
      pixels[{call.points[0].x + static_cast<int32_t>(k), call.points[0].y}] = call.colours[k].r;
  }
  return pixels;
}

}  // namespace trivane::testing
