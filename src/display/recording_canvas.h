#pragma once
// A canvas that paints nothing and keeps every call, with the attributes in
// force when it was made, so tests can check what a routine drew and in what
// order.
#include <string>
#include <vector>

#include "display/canvas.h"

namespace trivane {

enum class Primitive { Rectangle, Polygon, Ellipse, Line, Text, Pixels };

struct DrawCall {
  Primitive kind = Primitive::Line;
  // Rectangle and Ellipse: {left, top}, {right, bottom}. Line: {from}, {to}.
  // Polygon: its points. Text and Pixels: {first pixel}.
  std::vector<Pixel> points;
  std::string text;
  CanvasAttributes attributes;
  std::vector<Rgb> colours;  // Pixels: the colours from the first pixel on
  bool operator==(const DrawCall&) const = default;
};

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int32_t width = 1024, int32_t height = 640) : width_(width), height_(height) {}

  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void Polygon(std::span<const Pixel> points) override;
  void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
  void TextOut(int32_t x, int32_t y, const std::string& text) override;
  void PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) override;
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }

  void Resize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
  }
  const std::vector<DrawCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 protected:
  void DrawLine(Pixel from, Pixel to) override;

 private:
  void Record(Primitive kind, std::vector<Pixel> points, std::string text = {});

  int32_t width_;
  int32_t height_;
  std::vector<DrawCall> calls_;
};

}  // namespace trivane
