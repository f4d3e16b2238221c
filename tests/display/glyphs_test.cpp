#include "display/glyphs.h"

#include <gtest/gtest.h>

#include <vector>

#include "display/recording_canvas.h"

namespace trivane {
namespace {

// A primitive relative to the node pixel: a line segment or an ellipse box.
struct Shape {
  Primitive kind;
  int32_t x1, y1, x2, y2;
};

Shape L(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return {Primitive::Line, x1, y1, x2, y2}; }
Shape E(int32_t l, int32_t t, int32_t r, int32_t b) { return {Primitive::Ellipse, l, t, r, b}; }

std::vector<Shape> Relative(const std::vector<DrawCall>& calls, int32_t a, int32_t b) {
  std::vector<Shape> shapes;
  for (const DrawCall& call : calls) {
    shapes.push_back({call.kind, call.points[0].x - a, call.points[0].y - b, call.points[1].x - a,
                      call.points[1].y - b});
  }
  return shapes;
}

bool operator==(const Shape& p, const Shape& q) {
  return p.kind == q.kind && p.x1 == q.x1 && p.y1 == q.y1 && p.x2 == q.x2 && p.y2 == q.y2;
}

void PrintTo(const Shape& s, std::ostream* os) {
  *os << (s.kind == Primitive::Line ? "line " : "ellipse ") << s.x1 << "," << s.y1 << " " << s.x2 << ","
      << s.y2;
}

using GlyphRoutine = void (*)(Canvas&, int32_t, int32_t, int32_t);

struct SupportCase {
  const char* name;
  GlyphRoutine draw;
  int32_t orientation;
  std::vector<Shape> shapes;
};

class SupportGlyph : public ::testing::TestWithParam<SupportCase> {};

TEST_P(SupportGlyph, DrawsEveryPrimitiveInOrderWithAGreenHollowPen) {
  const SupportCase& c = GetParam();
  for (const Pixel node : {Pixel{100, 100}, Pixel{-7, 3000}}) {
    RecordingCanvas canvas;
    canvas.SetPenWidth(5);
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetPenStyle(PenStyle::Dashed);
    c.draw(canvas, node.x, node.y, c.orientation);
    EXPECT_EQ(Relative(canvas.Calls(), node.x, node.y), c.shapes);
    for (const DrawCall& call : canvas.Calls()) {
      EXPECT_EQ(call.attributes.penColour, (Rgb{0, 255, 0}));
      EXPECT_EQ(call.attributes.penWidth, 1);
      EXPECT_EQ(call.attributes.brushStyle, BrushStyle::Hollow);
      EXPECT_EQ(call.attributes.penStyle, PenStyle::Dashed);  // the caller's
    }
    // Attributes stay set for whatever draws next, even when nothing was drawn.
    EXPECT_EQ(canvas.Attributes().penColour, (Rgb{0, 255, 0}));
    EXPECT_EQ(canvas.Attributes().penWidth, 1);
    EXPECT_EQ(canvas.Attributes().brushStyle, BrushStyle::Hollow);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SupportGlyph,
    ::testing::Values(
        SupportCase{"OneWayBelow", DrawOneWaySupport, 0,
                    {L(0, 3, 0, 10), L(-7, 11, 7, 11), L(-7, 12, 7, 12), E(-3, 0, 3, 6), E(-3, 7, 3, 13)}},
        SupportCase{"OneWayLeft", DrawOneWaySupport, 1,
                    {L(-3, 0, -10, 0), L(-11, 7, -11, -7), L(-12, 7, -12, -7), E(-6, -3, 0, 3),
                     E(-13, -3, -7, 3)}},
        SupportCase{"OneWayAbove", DrawOneWaySupport, 2,
                    {L(0, -3, 0, -10), L(-7, -11, 7, -11), L(-7, -12, 7, -12), E(-3, -6, 3, 0),
                     E(-3, -13, 3, -7)}},
        SupportCase{"OneWayRight", DrawOneWaySupport, 3,
                    {L(3, 0, 10, 0), L(12, 7, 12, -7), L(11, 7, 11, -7), E(0, -3, 6, 3), E(7, -3, 13, 3)}},
        SupportCase{"OneWayInvalid", DrawOneWaySupport, 4, {}},
        SupportCase{"OneWayNegative", DrawOneWaySupport, -1, {}},
        SupportCase{"TwoWayBelow", DrawTwoWaySupport, 0,
                    {L(0, 3, -5, 10), L(-5, 10, 5, 10), L(5, 10, 0, 3), L(-7, 13, 7, 13), L(-7, 12, 7, 12),
                     E(-3, 0, 3, 6), E(-8, 7, -2, 13), E(2, 7, 8, 13)}},
        SupportCase{"TwoWayLeft", DrawTwoWaySupport, 1,
                    {L(-3, 0, -10, 5), L(-10, 5, -10, -5), L(-10, -5, -3, 0), L(-12, 7, -12, -7),
                     L(-13, 7, -13, -7), E(-6, -3, 0, 3), E(-13, 2, -7, 8), E(-13, -8, -7, -2)}},
        SupportCase{"TwoWayAbove", DrawTwoWaySupport, 2,
                    {L(0, -3, -5, -10), L(-5, -10, 5, -10), L(5, -10, 0, -3), L(-7, -13, 7, -13),
                     L(-7, -12, 7, -12), E(-3, -6, 3, 0), E(-8, -13, -2, -7), E(2, -13, 8, -7)}},
        SupportCase{"TwoWayRight", DrawTwoWaySupport, 3,
                    {L(3, 0, 10, -5), L(10, -5, 10, 5), L(10, 5, 3, 0), L(12, -7, 12, 7), L(13, -7, 13, 7),
                     E(0, -3, 6, 3), E(7, -8, 13, -2), E(7, 2, 13, 8)}},
        SupportCase{"TwoWayInvalid", DrawTwoWaySupport, 7, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ArrowCase {
  const char* name;
  double angle;
  Pixel tail, head1, head2, label;
};

class LoadArrow : public ::testing::TestWithParam<ArrowCase> {};

TEST_P(LoadArrow, ShaftEndsOnTheNodeAndTheHeadPointsTheWayTheLoadActs) {
  const ArrowCase& c = GetParam();
  RecordingCanvas canvas;
  DrawLoadArrow(canvas, 100, 100, c.angle, "-3");
  const Pixel node{100, 100};
  const std::vector<DrawCall>& calls = canvas.Calls();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].points, (std::vector<Pixel>{c.tail, node}));
  EXPECT_EQ(calls[1].points, (std::vector<Pixel>{c.tail, c.head1}));
  EXPECT_EQ(calls[2].points, (std::vector<Pixel>{c.head1, c.head2}));
  EXPECT_EQ(calls[3].points, (std::vector<Pixel>{c.head2, c.tail}));
  EXPECT_EQ(calls[4].kind, Primitive::Text);
  EXPECT_EQ(calls[4].points[0], c.label);
  EXPECT_EQ(calls[4].text, "-3");
  for (const DrawCall& call : calls) {
    EXPECT_EQ(call.attributes.penColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(call.attributes.fontColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(call.attributes.penWidth, 2);
    EXPECT_EQ(call.attributes.brushStyle, BrushStyle::Hollow);
  }
}

// Rows: the tail (where the head's tip is), the head's two base corners and
// the label's top-left corner, for a node at (100, 100).
INSTANTIATE_TEST_SUITE_P(
    Angles, LoadArrow,
    ::testing::Values(ArrowCase{"Right", 0, {140, 100}, {130, 103}, {130, 97}, {150, 105}},
                      ArrowCase{"Up", 90, {100, 60}, {103, 70}, {97, 70}, {105, 50}},
                      ArrowCase{"Left", 180, {60, 100}, {70, 97}, {70, 103}, {50, 95}},
                      ArrowCase{"Down", -90, {100, 140}, {97, 130}, {103, 130}, {95, 150}},
                      ArrowCase{"FullTurnMore", 450, {100, 60}, {103, 70}, {97, 70}, {105, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace trivane
