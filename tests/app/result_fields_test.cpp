// Every result field through every place that names it: the command line's
// word finds it, its plot paints the values its export column holds, the
// probe labels its value, its averaged column holds what its smooth plot
// paints, and a legend titles it. The names are the files' and the command
// line's interface, so they are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/recovery/fields.h"
#include "app/exported_results.h"
#include "app/readout.h"
#include "fakes.h"
#include "io/number_text.h"
#include "io/results_files.h"
#include "model/condition_edits.h"

namespace trivane::testing {
namespace {

struct Names {
  const char* key;
  const char* column;          // "" where the files have none
  const char* averagedColumn;  // "" where the files have none
  const char* title;
  const char* probeLabel;  // "" where the probe does not show it
};

constexpr Names Expected[ResultFieldCount] = {
    {"sx", "sigma_x", "sigma_x_avg", "σx (Pa)", "σx"},
    {"sy", "sigma_y", "sigma_y_avg", "σy (Pa)", "σy"},
    {"txy", "tau_xy", "tau_xy_avg", "τxy (Pa)", "τxy"},
    {"s1", "sigma_1", "", "σ1 (Pa)", "σ1"},
    {"s2", "sigma_2", "", "σ2 (Pa)", "σ2"},
    {"tmax", "tau_max", "", "τmax (Pa)", "τmax"},
    {"mises", "von_mises", "von_mises_avg", "von Mises (Pa)", "von Mises"},
    {"umag", "", "", "|u| (m)", ""},
    {"error", "error", "", "误差 ‖e‖ (√J)", ""},
    {"stheta", "sigma_theta", "sigma_theta_avg", "σθ (Pa)", "σθ"},
};

std::string Header(const std::string& csv) { return csv.substr(0, csv.find('\r')); }

// A CSV table's column by its header; empty when there is no such column.
std::vector<double> Column(const std::string& csv, const std::string& name) {
  std::istringstream lines(csv);
  std::string line;
  long index = -1;
  std::vector<double> values;
  for (bool header = true; std::getline(lines, line); header = false) {
    std::istringstream cells(line.substr(0, line.size() - 1));  // less the CR
    std::string cell;
    for (long k = 0; std::getline(cells, cell, ','); ++k) {
      if (header && cell == name) index = k;
      if (!header && k == index) values.push_back(ReadReal(cell));
    }
  }
  return values;
}

::testing::AssertionResult SameRange(const std::vector<double>& values, ValueRange painted) {
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  if (*min == painted.min && *max == painted.max) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the column spans " << *min << " .. " << *max << ", the plot "
                                       << painted.min << " .. " << painted.max;
}

// The cantilever cut into four triangles about its centre: every node is
// shared, so the averaged values span less than the elements' own.
Model FourTriangles() {
  Model m = Cantilever();
  m.nodes[++m.nodeCount] = {1.0, 0.5, Free, 0, 0.0, 0.0};
  m.elementCount = 4;
  for (int32_t e = 1; e <= 4; ++e) m.elements[e] = {e, e % 4 + 1, 5};
  return m;
}

// A plane model, and the same turned about its left side into a solid of
// revolution, which has the hoop stress besides.
class ResultFieldsOf : public ::testing::TestWithParam<ProblemType> {};

TEST_P(ResultFieldsOf, EachFieldMeansTheSameEverywhereItIsNamed) {
  Harness h;
  h.canvas.Resize(160, 120);  // the smooth plots paint every pixel
  Model four = FourTriangles();
  const bool ring = GetParam() == Axisymmetric;
  if (ring) SetMaterial(four, EnteredMaterial{Axisymmetric, 2.0e10, 0.167, 1.0, 0.0, 0.0});
  h.Load(four);
  h.session.Compute();
  const Model& model = h.session.model();
  const ExportedResults exported = ExportedResultsOf(h.session.solution());
  const std::string elements = ElementCsvText(model, exported);
  const std::string nodes = NodeCsvText(model, exported);
  const std::string probe = ProbeText(model, {ProbeHit::Element, 1}, &h.session.solution());
  EXPECT_EQ(Header(elements), std::string("element,node1,node2,node3,sigma_x,sigma_y,tau_xy,sigma_1,sigma_2,tau_max,"
                                           "von_mises,error") + (ring ? ",sigma_theta" : ""));
  EXPECT_EQ(Header(nodes), std::string("node,x,y,u,v,Rx,Ry,sigma_x_avg,sigma_y_avg,tau_xy_avg,von_mises_avg") +
                               (ring ? ",sigma_theta_avg" : ""));

  // A solid of revolution's legends and probe name the stresses in its own
  // axes; everything else reads as in a plane model.
  const auto axial = [&](const std::string& text) {
    if (!ring) return text;
    for (const auto& [plane, axes] : {std::pair{"σx", "σr"}, {"σy", "σz"}, {"τxy", "τrz"}})
      if (text.starts_with(plane)) return axes + text.substr(std::string(plane).size());
    return text;
  };
  long probed = 0;
  for (const ResultFieldRow& row : ResultFields()) {
    if (!FieldApplies(row, GetParam())) continue;
    const Names& names = Expected[static_cast<int>(row.field)];
    SCOPED_TRACE(names.key);
    EXPECT_EQ(ResultFieldOfKey(names.key), row.field);
    EXPECT_EQ(ResultFieldTitle(row.field, GetParam()), axial(names.title));

    h.session.SetPlotOptions({});
    h.session.StressPlot(static_cast<int>(row.field));
    const std::vector<double> column = Column(elements, names.column);
    if (!column.empty()) {
      EXPECT_TRUE(SameRange(column, h.session.shown().range));
    }
    if (*names.probeLabel) {
      ++probed;
      const std::string value = FormatSignificant(ElementFieldValue(model, h.session.solution(), row.field, 1),
                                                  ReadoutDigits);
      EXPECT_NE(probe.find(axial(names.probeLabel) + " = " + value), std::string::npos) << probe;
      EXPECT_EQ(value, FormatSignificant(column.at(0), ReadoutDigits));
    }

    // A node has the mean of its elements' values, which the smooth plot
    // paints at its corners; a field without values at the nodes paints its
    // elements' own.
    PlotOptions smooth;
    smooth.smooth = true;
    h.session.SetPlotOptions(smooth);
    h.canvas.Clear();
    h.session.StressPlot(static_cast<int>(row.field));
    EXPECT_TRUE(std::any_of(h.canvas.Calls().begin(), h.canvas.Calls().end(),
                            [](const DrawCall& call) { return call.kind == Primitive::Pixels; }));
    const std::vector<double> averaged = Column(nodes, names.averagedColumn);
    if (!averaged.empty()) {
      EXPECT_TRUE(SameRange(averaged, h.session.shown().range));
      EXPECT_FALSE(SameRange(column, h.session.shown().range));
    }
    if (!row.averaged) {
      EXPECT_TRUE(SameRange(column, h.session.shown().range));
    }
  }
  EXPECT_EQ(std::count(probe.begin(), probe.end(), '='), probed);

  // The columns hold what their names say: the principal stresses of the
  // element's stress state, the greater first, half their difference, and
  // von Mises of plane stress.
  if (ring) return;
  const auto c = [&](const char* name) { return Column(elements, name); };
  const std::vector<double> sx = c("sigma_x"), sy = c("sigma_y"), txy = c("tau_xy"), s1 = c("sigma_1"),
                            s2 = c("sigma_2"), tmax = c("tau_max"), mises = c("von_mises");
  ASSERT_EQ(sx.size(), 4u);
  for (size_t e = 0; e < sx.size(); ++e) {
    const double scale = 1e-12 * (std::fabs(s1[e]) + std::fabs(s2[e]));
    EXPECT_NEAR(s1[e] + s2[e], sx[e] + sy[e], scale);
    EXPECT_NEAR(s1[e] - s2[e], std::hypot(sx[e] - sy[e], 2 * txy[e]), scale);
    EXPECT_GE(s1[e], s2[e]);
    EXPECT_EQ(tmax[e], (s1[e] - s2[e]) * 0.5);
    EXPECT_NEAR(mises[e], std::sqrt(s1[e] * s1[e] - s1[e] * s2[e] + s2[e] * s2[e]), scale);
  }
}

INSTANTIATE_TEST_SUITE_P(Problems, ResultFieldsOf, ::testing::Values(PlaneStress, Axisymmetric));

// Every name a field shows, by problem type: only the three stresses in x
// and y take a solid of revolution's axes, in all three of their names.
TEST(ResultFields, ASolidOfRevolutionNamesTheStressesInItsAxes) {
  const struct {
    ResultField field;
    ProblemType problem;
    const char* name;
  } cases[] = {{ResultField::SigmaX, Axisymmetric, "σr"}, {ResultField::SigmaY, Axisymmetric, "σz"},
               {ResultField::TauXY, Axisymmetric, "τrz"}, {ResultField::Sigma1, Axisymmetric, "σ1"},
               {ResultField::SigmaTheta, Axisymmetric, "σθ"}, {ResultField::SigmaX, PlaneStress, "σx"},
               {ResultField::SigmaY, PlaneStrain, "σy"}, {ResultField::TauXY, PlaneStrain, "τxy"}};
  for (const auto& [field, problem, name] : cases) {
    const ResultFieldRow row = NamedRow(field, problem);
    EXPECT_EQ(row.name, name);
    EXPECT_EQ(row.shortName, name);
    EXPECT_EQ(row.symbol, name);
  }
}

// The cantilever of six-node triangles: the files name all six nodes of an
// element and hold its corner stresses as the compute recovered them, every
// node (middle nodes too) has its averaged values, and the .vtu's cells are
// VTK's quadratic triangles over all the points.
Model SixNodeCantilever() {
  Model m = Cantilever();
  const double middles[5][2] = {{1.0, 0.0}, {2.0, 0.5}, {1.0, 0.5}, {1.0, 1.0}, {0.0, 0.5}};
  for (const auto& [x, y] : middles) m.nodes[++m.nodeCount] = {x, y, Free, 0, 0.0, 0.0};
  m.nodes[9].restraint = FixedXY;
  m.elements[1] = {{1, 2, 3, 5, 6, 7}, 6};
  m.elements[2] = {{1, 3, 4, 7, 8, 9}, 6};
  m.elementOrder = 2;
  return m;
}

TEST(ResultFields, SixNodeFilesHoldEveryNodeAndTheCornerStresses) {
  const Model m = SixNodeCantilever();
  Harness h;
  h.Load(m);
  h.session.Compute();
  const Solution& solution = h.session.solution();
  const ExportedResults exported = ExportedResultsOf(solution);
  const std::string elements = ElementCsvText(h.session.model(), exported);
  const std::string nodes = NodeCsvText(h.session.model(), exported);
  EXPECT_EQ(Header(elements),
            "element,node1,node2,node3,node4,node5,node6,sigma_x,sigma_y,tau_xy,sigma_1,sigma_2,tau_max,von_mises,"
            "error,sigma_x_corner1,sigma_y_corner1,tau_xy_corner1,sigma_x_corner2,sigma_y_corner2,tau_xy_corner2,"
            "sigma_x_corner3,sigma_y_corner3,tau_xy_corner3");
  EXPECT_EQ(Column(elements, "node6"), (std::vector<double>{7, 9}));
  const struct {
    const char* column;
    int32_t component, corner;
  } corners[] = {{"sigma_x_corner1", 0, 0}, {"sigma_y_corner2", 1, 1}, {"tau_xy_corner3", 2, 2}};
  for (const auto& [column, component, corner] : corners)
    for (int32_t e = 1; e <= 2; ++e)
      EXPECT_EQ(Column(elements, column).at(static_cast<std::size_t>(e - 1)),
                solution.pointStresses[static_cast<std::size_t>(component)][static_cast<std::size_t>(3 * (e - 1) + corner)])
          << column << " " << e;
  const std::vector<double> averaged = Column(nodes, "sigma_x_avg");
  ASSERT_EQ(averaged.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(averaged[i], solution.averaged.nodeMean[0][i]) << i;
  const std::string vtu = VtuText(h.session.model(), exported);
  EXPECT_NE(vtu.find("NumberOfPoints=\"9\" NumberOfCells=\"2\""), std::string::npos);
  const std::string cellTypes{'\x02', '\0', '\0', '\0', '\0', '\0', '\0', '\0', 22, 22};
  EXPECT_NE(vtu.find(cellTypes), std::string::npos);
}

// The same turned into a solid of revolution: every field it has is painted
// from its corners' values, the hoop stress among them, as elements and smooth.
TEST(ResultFields, SixNodeRingPaintsEveryField) {
  Model m = SixNodeCantilever();
  SetMaterial(m, EnteredMaterial{Axisymmetric, 2.0e10, 0.167, 1.0, 0.0, 0.0});
  Harness h;
  h.canvas.Resize(160, 120);
  h.Load(m);
  h.session.Compute();
  for (const ResultField field : FieldsFor(ResultFields(), Axisymmetric))
    for (const bool smooth : {false, true}) {
      PlotOptions options;
      options.smooth = smooth;
      h.session.SetPlotOptions(options);
      h.canvas.Clear();
      h.session.StressPlot(static_cast<int>(field));
      EXPECT_FALSE(h.canvas.Calls().empty()) << static_cast<int>(field);
      EXPECT_EQ(h.session.shown().component, static_cast<int>(field));
    }
  // The element plot of the hoop stress spans its corners' values.
  h.session.SetPlotOptions({});
  h.session.StressPlot(static_cast<int>(ResultField::SigmaTheta));
  EXPECT_TRUE(SameRange(h.session.solution().pointHoop, h.session.shown().range));
}

// A field only a solid of revolution has is offered for an axisymmetric model
// alone; the others for every model, in the table's order.
TEST(ResultFields, AModelIsOfferedTheFieldsOfItsProblemType) {
  using enum ResultField;
  const auto row = [](ResultField field, bool axisymmetricOnly) {
    ResultFieldRow r = RowOf(field);
    r.axisymmetricOnly = axisymmetricOnly;
    return r;
  };
  const ResultFieldRow rows[] = {row(SigmaX, false), row(Sigma1, true), row(Mises, false)};
  EXPECT_EQ(FieldsFor(rows, PlaneStress), (std::vector<ResultField>{SigmaX, Mises}));
  EXPECT_EQ(FieldsFor(rows, PlaneStrain), (std::vector<ResultField>{SigmaX, Mises}));
  EXPECT_EQ(FieldsFor(rows, Axisymmetric), (std::vector<ResultField>{SigmaX, Sigma1, Mises}));
}

}  // namespace
}  // namespace trivane::testing
