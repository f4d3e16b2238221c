// The rubber band and the selection it leaves.
#include <gtest/gtest.h>

#include <vector>

#include "display/view.h"
#include "fakes.h"

namespace trivane::testing {
namespace {

std::vector<int32_t> Selected(const Session& s) {
  const Selection& sel = s.selection();
  std::vector<int32_t> nodes;
  for (int32_t k = 1; k <= sel.count; ++k) nodes.push_back(sel.nodes[k]);
  return nodes;
}

Pixel PixelOf(const Session& s, int32_t node) {
  return ToPixel(s.view(), s.model().nodes[node].x, s.model().nodes[node].y);
}

// Band edges relative to node 3's image point (the cantilever's top right).
struct EdgeCase {
  const char* name;
  int left, top, right, bottom;  // offsets from node 3's pixel
  bool selected;
};

class BandEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(BandEdges, LeftAndTopEdgesBelongToTheBandRightAndBottomDoNot) {
  const EdgeCase& c = GetParam();
  Harness h;
  h.Load(Cantilever());
  const Pixel p = PixelOf(h.session, 3);
  // Dragged from the bottom right to the top left, as the band is normalised.
  h.Drag(p.x + c.right, p.y + c.bottom, p.x + c.left, p.y + c.top);
  EXPECT_EQ(Selected(h.session), c.selected ? std::vector<int32_t>{3} : std::vector<int32_t>{});
}

INSTANTIATE_TEST_SUITE_P(Node3, BandEdges,
                         ::testing::Values(EdgeCase{"OnLeftEdge", 0, -5, 5, 5, true},
                                           EdgeCase{"OnTopEdge", -5, 0, 5, 5, true},
                                           EdgeCase{"OnRightEdge", -5, -5, 0, 5, false},
                                           EdgeCase{"OnBottomEdge", -5, -5, 5, 0, false},
                                           EdgeCase{"OnTopLeftCorner", 0, 0, 1, 1, true},
                                           EdgeCase{"Inside", -1, -1, 1, 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RubberBand, SelectsInNodeOrderAndAPlainClickClearsTheSelection) {
  Harness h;
  h.Load(Cantilever());
  h.SelectAll();
  EXPECT_EQ(Selected(h.session), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(h.session.band().dragging, 0);

  h.Drag(300, 300, 300, 300);
  EXPECT_TRUE(Selected(h.session).empty());
}

TEST(RubberBand, MovesDrawTheBandInvertedTwiceAndTheReleaseRemovesIt) {
  Harness h;
  h.Load(Cantilever());
  h.session.MouseDown(300, 200);
  h.canvas.Clear();
  h.session.MouseMove(200, 100);
  h.session.MouseUp(100, 50);
  const auto& calls = h.canvas.Calls();
  ASSERT_GE(calls.size(), 3u);
  const std::vector<std::vector<Pixel>> boxes = {
      {{300, 200}, {300, 200}}, {{300, 200}, {200, 100}}, {{100, 50}, {300, 200}}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[i].kind, Primitive::Rectangle);
    EXPECT_EQ(calls[i].points, boxes[i]);
    EXPECT_EQ(calls[i].attributes.penMode, PenMode::Invert);
    EXPECT_EQ(calls[i].attributes.penStyle, PenStyle::Dashed);
    EXPECT_EQ(calls[i].attributes.brushStyle, BrushStyle::Hollow);
  }
  const RubberBand& b = h.session.band();
  EXPECT_EQ((std::vector<int>{b.bandX1, b.bandY1, b.bandX2, b.bandY2}),
            (std::vector<int>{100, 50, 300, 200}));
}

TEST(RubberBand, MovesAndReleasesWithoutAPressDoNothing) {
  Harness h;
  h.Load(Cantilever());
  h.canvas.Clear();
  h.session.MouseMove(10, 10);
  h.session.MouseUp(500, 500);
  EXPECT_TRUE(h.canvas.Calls().empty());
  EXPECT_EQ(h.session.selection().count, 0);
}

TEST(RubberBand, UsesTheSurfaceSizeAtReleaseForTheHitTest) {
  Harness h;
  h.Load(Cantilever());
  const ViewTransform before = h.session.view();
  h.canvas.Resize(400, 300);
  h.session.MouseDown(0, 0);  // the press redraws and refits
  h.canvas.Resize(800, 600);
  h.session.MouseUp(800, 600);
  EXPECT_EQ(h.session.view().halfWidth, 400);
  EXPECT_EQ(h.session.view().halfHeight, 300);
  EXPECT_NE(h.session.view().scale, before.scale);
}

TEST(RubberBand, AFullModelIsSelectedWhole) {
  Harness h;
  Model grid;
  grid.nodeCount = MaxNodes;
  for (int32_t k = 1; k <= MaxNodes; ++k) grid.nodes[k] = {double(k % 400), double(k / 400)};
  UpdateBounds(grid);
  h.Load(grid);
  h.SelectAll();
  EXPECT_EQ(h.session.selection().count, MaxNodes);
  EXPECT_EQ(h.session.selection().nodes[MaxNodes], MaxNodes);
}

TEST(Resize, RefitsToTheNewSizeAndRedrawsTheMarkers) {
  Harness h;
  h.Load(Cantilever());
  h.SelectAll();
  h.canvas.Resize(401, 301);
  h.canvas.Clear();
  h.session.Resize();
  EXPECT_EQ(h.session.view().halfWidth, 200);
  EXPECT_EQ(h.session.view().halfHeight, 150);
  const auto& calls = h.canvas.Calls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ(calls.front().points[1], (Pixel{401, 301}));
  for (size_t i = calls.size() - 4; i < calls.size(); ++i) {
    EXPECT_EQ(calls[i].kind, Primitive::Ellipse);
    EXPECT_EQ(calls[i].attributes.brushColour, (Rgb{255, 255, 0}));
  }
}

}  // namespace
}  // namespace trivane::testing
