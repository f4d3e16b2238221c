#include "display/recording_canvas.h"

#include <utility>

namespace trivane {

void RecordingCanvas::Record(Primitive kind, std::vector<Pixel> points, std::string text) {
  calls_.push_back(DrawCall{kind, std::move(points), std::move(text), Attributes(), {}});
}

void RecordingCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Record(Primitive::Rectangle, {{left, top}, {right, bottom}});
}

void RecordingCanvas::Polygon(std::span<const Pixel> points) {
  Record(Primitive::Polygon, {points.begin(), points.end()});
}

void RecordingCanvas::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Record(Primitive::Ellipse, {{left, top}, {right, bottom}});
}

void RecordingCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  Record(Primitive::Text, {{x, y}}, text);
}

void RecordingCanvas::PutPixels(int32_t x, int32_t y, std::span<const Rgb> colours) {
  Record(Primitive::Pixels, {{x, y}});
  calls_.back().colours.assign(colours.begin(), colours.end());
}

void RecordingCanvas::DrawLine(Pixel from, Pixel to) { Record(Primitive::Line, {from, to}); }

}  // namespace trivane
