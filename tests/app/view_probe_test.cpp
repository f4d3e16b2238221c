// Moving the view, and what the probe and the rubber band find in it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/readout.h"
#include "display/view.h"
#include "analysis/elements/finite_element.h"
#include "analysis/recovery/fields.h"
#include "fakes.h"
#include "io/number_text.h"
#include "meshes.h"
#include "support/six_node_grid.h"

namespace trivane::testing {
namespace {

// Four triangles over (0,0)-(2,1); elements 1 and 4 share the side x = 1
// from node 2 (1,0) to node 3 (1,1). Node 7 lies far off to the right when
// `stretched`, making the mesh small on the screen.
Model FourTriangles(bool stretched) {
  Model m;
  const double xy[][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {2, 0}, {2, 1}, {100, 0}};
  m.nodeCount = stretched ? 7 : 6;
  for (int32_t k = 1; k <= m.nodeCount; ++k) m.nodes[k] = {xy[k - 1][0], xy[k - 1][1]};
  m.elementCount = 4;
  m.elements[1] = {1, 2, 3};
  m.elements[2] = {1, 3, 4};
  m.elements[3] = {2, 5, 6};
  m.elements[4] = {2, 6, 3};
  UpdateBounds(m);
  return m;
}

Pixel At(const Session& s, int32_t node) { return ToPixel(s.view(), s.model().nodes[node].x, s.model().nodes[node].y); }

// Later elements are drawn over earlier ones: on a shared side the later one
// is what the user sees. (1, 0.5) is the centre pixel (400, 300) of the fit.
TEST(Probe, OnASharedSideFindsTheElementDrawnLast) {
  Harness h;
  h.Load(FourTriangles(false));
  EXPECT_EQ(h.session.Probe(400, 300), (ProbeHit{ProbeHit::Element, 4}));
}

TEST(Probe, OfTwoNodesAtOnePlaceFindsTheFirst) {
  Harness h;
  Model m = FourTriangles(false);
  m.nodes[++m.nodeCount] = m.nodes[1];
  h.Load(m);
  const Pixel p1 = At(h.session, 1);
  EXPECT_EQ(h.session.Probe(p1.x, p1.y), (ProbeHit{ProbeHit::Node, 1}));
}

// On a mesh small on the screen (sides of 6.4 pixels) a node is picked only
// within a quarter of its shortest side; zoomed in, within ProbeRadius again,
// and the band and the markers follow the view.
TEST(Probe, PicksANodeOnlyCloseToItComparedWithItsSidesAtAnyZoom) {
  Harness h;
  h.Load(FourTriangles(true));
  const Pixel p2 = At(h.session, 2);
  EXPECT_EQ(h.session.Probe(p2.x + 1, p2.y), (ProbeHit{ProbeHit::Node, 2}));
  EXPECT_EQ(h.session.Probe(p2.x + 3, p2.y - 1), (ProbeHit{ProbeHit::Element, 3}));

  h.session.ZoomAt(p2.x, p2.y, 10);
  const Pixel z2 = At(h.session, 2);  // within the pixel's rounding, times 10
  EXPECT_LE(std::abs(z2.x - p2.x) + std::abs(z2.y - p2.y), 10);
  EXPECT_EQ(h.session.Probe(z2.x + 3, z2.y - 1), (ProbeHit{ProbeHit::Node, 2}));
  EXPECT_EQ(h.session.Probe(z2.x + 6, z2.y - 9), (ProbeHit{ProbeHit::Element, 4}));
  const Pixel p3 = At(h.session, 3);
  EXPECT_EQ(p3.y, z2.y - 64);

  h.Drag(p3.x - 2, p3.y - 2, p3.x + 2, p3.y + 2);
  ASSERT_EQ(h.session.selection().count, 1);
  EXPECT_EQ(h.session.selection().nodes[1], 3);
  const DrawCall& marker = h.canvas.Calls().back();
  EXPECT_EQ(marker.kind, Primitive::Ellipse);
  EXPECT_EQ(marker.points[0], (Pixel{p3.x - 5, p3.y - 5}));
}

// A six-node model's middle nodes are nodes as its corners are: the band
// selects them, and the probe picks one only within a quarter of the half
// side it lies on (3.2 pixels here), as it picks corners.
TEST(Probe, PicksAndSelectsTheMiddleNodesOfSixNodeTriangles) {
  Harness h;
  h.Load(examples::WithMiddleNodes(FourTriangles(true)));  // node 8 in the middle of side 1-2
  const Pixel p8 = At(h.session, 8);
  EXPECT_EQ(h.session.Probe(p8.x, p8.y), (ProbeHit{ProbeHit::Node, 8}));
  EXPECT_NE(h.session.Probe(p8.x + 1, p8.y), (ProbeHit{ProbeHit::Node, 8}));
  h.Drag(p8.x - 1, p8.y - 1, p8.x + 1, p8.y + 1);
  ASSERT_EQ(h.session.selection().count, 1);
  EXPECT_EQ(h.session.selection().nodes[1], 8);
}

// Each command redraws the picture shown, in the moved view; 全图 and
// opening a model fit again.
TEST(ViewCommands, ZoomPanAndFitRedrawThePictureShown) {
  Harness h;
  h.Load(Cantilever());
  const ViewTransform fit = h.session.view();
  h.session.Compute();
  h.session.StressPlot(2);
  h.session.Zoom(ZoomStep);
  EXPECT_EQ(h.session.shown().kind, PictureKind::Stress);
  EXPECT_EQ(h.session.view().scale, fit.scale * ZoomStep);
  EXPECT_EQ(h.session.view().centreX, fit.centreX);
  h.session.Pan(10, -20);
  EXPECT_EQ(ToPixel(h.session.view(), fit.centreX, fit.centreY), (Pixel{410, 280}));
  const size_t before = h.canvas.Calls().size();
  h.session.FitWhole();
  EXPECT_EQ(h.session.view(), fit);
  EXPECT_EQ(h.session.shown().kind, PictureKind::Stress);
  EXPECT_GT(h.canvas.Calls().size(), before);

  h.session.Zoom(1 / ZoomStep);
  h.Load(Cantilever());
  EXPECT_EQ(h.session.view(), fit);
}

// Every result plot is drawn in the view as the user left it: zoomed and
// moved, the plot is the fitted one magnified and moved (the deformed shape
// keeps its magnification), the selection's markers on top; a resize draws
// the same plot at the new size.
struct PlotRow {
  const char* name;
  PlotOptions options;
  bool deformed;
};

void PrintTo(const PlotRow& row, std::ostream* os) { *os << row.name; }

class PlotsFollowTheView : public ::testing::TestWithParam<PlotRow> {};

TEST_P(PlotsFollowTheView, ZoomedMovedAndResized) {
  const PlotRow& row = GetParam();
  Harness h;
  h.Load(Cantilever());
  h.session.Compute();
  h.session.SetPlotOptions(row.options);
  const Pixel p3 = At(h.session, 3);
  h.Drag(p3.x - 3, p3.y - 3, p3.x + 3, p3.y + 3);
  const auto plot = [&] { row.deformed ? h.session.DeformedPlot() : h.session.StressPlot(6); };
  plot();
  const ShownPicture fitted = h.session.shown();

  h.session.ZoomAt(p3.x, p3.y, 2.5);  // node 3 stays in view
  h.session.Pan(7, -3);
  const ViewTransform zoomed = h.session.view();
  h.canvas.Clear();
  plot();
  EXPECT_EQ(h.session.view(), zoomed);
  EXPECT_EQ(h.session.shown().deformed.magnification, fitted.deformed.magnification);
  ASSERT_FALSE(h.canvas.Calls().empty());
  EXPECT_EQ(h.canvas.Calls().back().kind, Primitive::Ellipse);

  h.canvas.Resize(900, 700);
  h.session.Resize();
  EXPECT_EQ(h.session.shown().kind, fitted.kind);
  EXPECT_EQ(h.session.shown().component, fitted.component);
  EXPECT_EQ(h.session.view().halfWidth, 450);
  EXPECT_EQ(h.session.view().scale, zoomed.scale);
  EXPECT_EQ(h.canvas.Calls().back().kind, Primitive::Ellipse);
}

INSTANTIATE_TEST_SUITE_P(Plots, PlotsFollowTheView,
                         ::testing::Values(PlotRow{"Elements", {}, false}, PlotRow{"Smooth", {true, false, {}}, false},
                                           PlotRow{"SmoothPrincipal", {true, true, {}}, false},
                                           PlotRow{"Deformed", {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Six-node triangles holding sigma x = -10 (5 - y): the probe reads, at the
// pointer, the element's own stress and the averaged one, both that value.
TEST(ProbeText, ASixNodeElementIsReadAtThePointer) {
  Harness h;
  h.Load(WaterLoadedBlock());
  h.session.Compute();
  const int x = 500, y = 260;
  const ProbeHit hit = h.session.Probe(x, y);
  ASSERT_EQ(hit.kind, ProbeHit::Element);
  const ModelPoint at = FromPixel(h.session.view(), x, y);
  const ElementNodes nodes = NodesOf(h.session.model(), hit.number);
  const ShapeValues n = ElementTypeOf(h.session.model()).N(hit.at);
  double px = 0.0, py = 0.0;
  for (std::size_t k = 0; k < 6; ++k) px += n[k] * nodes.at[k].x, py += n[k] * nodes.at[k].y;
  EXPECT_NEAR(px, at.x, 1e-9);
  EXPECT_NEAR(py, at.y, 1e-9);
  const std::string sigma = "σx = " + FormatSignificant(-10.0 * (5.0 - at.y), ReadoutDigits);
  const std::string text = ProbeText(h.session.model(), hit, &h.session.solution());
  const std::size_t own = text.find(sigma), averaged = text.find("；结点平均：" + sigma);
  EXPECT_LT(own, averaged) << text;
  EXPECT_NE(averaged, std::string::npos) << text;

  // A load on a corner bends the field: the two readings part, each in its place.
  Model loaded = WaterLoadedBlock();
  loaded.nodes[20].load = 100.0;
  loaded.nodes[20].loadAngle = 270.0;
  h.Load(loaded);
  h.session.Compute();
  const ProbeHit bent = h.session.Probe(x, y);
  const auto reading = [&](auto value) {
    return "σx = " + FormatSignificant(value(h.session.model(), h.session.solution(), ResultField::SigmaX, bent.number, bent.at),
                                       ReadoutDigits);
  };
  const std::string ownValue = reading(ElementFieldValueAt), averagedValue = reading(AveragedFieldValueAt);
  ASSERT_NE(ownValue, averagedValue);
  const std::string bentText = ProbeText(h.session.model(), bent, &h.session.solution());
  EXPECT_EQ(bentText.find("单元 " + std::to_string(bent.number) + "：" + ownValue), 0u) << bentText;
  EXPECT_NE(bentText.find("；结点平均：" + averagedValue), std::string::npos) << bentText;
}

// A label the picture leaves out is still read by the probe. An axisymmetric
// model names the radius and the axis, and says that a node on the axis is
// held radially, which no support symbol shows.
TEST(ProbeText, ANodesPlaceAndLoadAreRead) {
  Model m = Cantilever();
  EXPECT_EQ(ProbeText(m, {ProbeHit::Node, 3}, nullptr), "结点 3：x = 2，y = 1，荷载 = 1000，方向 = 270");
  m.entered.problem = Axisymmetric;
  EXPECT_EQ(ProbeText(m, {ProbeHit::Node, 3}, nullptr), "结点 3：r = 2，z = 1，荷载 = 1000，方向 = 270");
  EXPECT_EQ(ProbeText(m, {ProbeHit::Node, 1}, nullptr), "结点 1：r = 0，z = 0，轴上结点径向固定");
}

}  // namespace
}  // namespace trivane::testing
