// Every result field through every place that names it: the command line's
// word finds it, its plot paints the values its export column holds, a legend
// titles it, the probe labels its value, and the averaged column holds what
// its smooth plot paints. The names are the files' and the command line's
// interface, so they are written out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/exported_results.h"
#include "app/readout.h"
#include "display/legend.h"
#include "fakes.h"
#include "io/number_text.h"
#include "io/results_files.h"

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
};

// A CSV table's column by its header; empty when there is no such column.
std::vector<double> Column(const std::string& csv, const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  for (size_t start = 0; start < csv.size();) {
    const size_t end = csv.find("\r\n", start);
    std::vector<std::string>& cells = rows.emplace_back();
    for (size_t at = start;;) {
      const size_t comma = csv.find(',', at);
      if (comma == std::string::npos || comma > end) {
        cells.push_back(csv.substr(at, end - at));
        break;
      }
      cells.push_back(csv.substr(at, comma - at));
      at = comma + 1;
    }
    start = end + 2;
  }
  const auto& header = rows.front();
  const auto found = std::find(header.begin(), header.end(), name);
  if (found == header.end()) return {};
  std::vector<double> values;
  for (size_t r = 1; r < rows.size(); ++r) values.push_back(ReadReal(rows[r][found - header.begin()]));
  return values;
}

ValueRange RangeOf(const std::vector<double>& values) {
  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  return {*min, *max};
}

TEST(ResultFields, EachFieldMeansTheSameEverywhereItIsNamed) {
  Harness h;
  h.canvas.Resize(160, 120);  // the smooth plots paint every pixel
  h.Load(Cantilever());
  h.session.Compute();
  const Model& model = h.session.model();
  const ExportedResults exported = ExportedResultsOf(h.session.tables());
  const std::string elements = ElementCsvText(model, exported);
  const std::string nodes = NodeCsvText(model, exported);
  const std::string probe = ProbeText(model, {ProbeHit::Element, 1}, &h.session.tables());

  std::set<std::string> columns;
  size_t probed = 0;
  for (const ResultFieldRow& row : ResultFields()) {
    const Names& names = Expected[static_cast<int>(row.field)];
    SCOPED_TRACE(names.key);
    EXPECT_EQ(ResultFieldOfKey(names.key), row.field);

    h.session.SetPlotOptions({});
    h.session.StressPlot(static_cast<int>(row.field));
    const ValueRange plotted = h.session.shown().range;
    const std::vector<double> column = Column(elements, names.column);
    EXPECT_EQ(column.empty(), *names.column == '\0');
    if (!column.empty()) {
      EXPECT_EQ(RangeOf(column).min, plotted.min);
      EXPECT_EQ(RangeOf(column).max, plotted.max);
      EXPECT_TRUE(columns.insert(names.column).second);
    }
    if (*names.probeLabel != '\0' && !column.empty()) {
      ++probed;
      EXPECT_NE(probe.find(std::string(names.probeLabel) + " = " + FormatSignificant(column[0], ReadoutDigits)),
                std::string::npos)
          << probe;
    }

    // A node the cantilever's elements share has the mean of theirs, which
    // the smooth plot paints at its corners.
    PlotOptions smooth;
    smooth.smooth = true;
    h.session.SetPlotOptions(smooth);
    h.canvas.Clear();
    h.session.StressPlot(static_cast<int>(row.field));
    EXPECT_TRUE(std::any_of(h.canvas.Calls().begin(), h.canvas.Calls().end(),
                            [](const DrawCall& call) { return call.kind == Primitive::Pixels; }));
    const std::vector<double> averaged = Column(nodes, names.averagedColumn);
    EXPECT_EQ(averaged.empty(), *names.averagedColumn == '\0');
    if (!averaged.empty()) {
      EXPECT_EQ(RangeOf(averaged).min, h.session.shown().range.min);
      EXPECT_EQ(RangeOf(averaged).max, h.session.shown().range.max);
      EXPECT_TRUE(columns.insert(names.averagedColumn).second);
    }

    PictureSpec legend;
    legend.kind = PictureKind::Stress;
    legend.field = row.field;
    legend.legend = true;
    RecordingCanvas canvas(400 + LegendWidth, 300);
    DrawResultPicture(canvas, legend, {model, &h.session.tables(), h.session.palette()});
    EXPECT_TRUE(std::any_of(canvas.Calls().begin(), canvas.Calls().end(),
                            [&](const DrawCall& call) { return call.text == names.title; }));
  }
  // The columns hold what their names say: the principal stresses of the
  // element's stress state, the greater first, half their difference, and
  // von Mises of plane stress.
  const auto c = [&](const char* name) { return Column(elements, name); };
  const std::vector<double> sx = c("sigma_x"), sy = c("sigma_y"), txy = c("tau_xy"), s1 = c("sigma_1"),
                            s2 = c("sigma_2"), tmax = c("tau_max"), mises = c("von_mises");
  ASSERT_EQ(sx.size(), 2u);
  for (size_t e = 0; e < sx.size(); ++e) {
    const double scale = 1e-12 * (std::fabs(s1[e]) + std::fabs(s2[e]));
    EXPECT_NEAR(s1[e] + s2[e], sx[e] + sy[e], scale);
    EXPECT_NEAR(s1[e] - s2[e], std::hypot(sx[e] - sy[e], 2 * txy[e]), scale);
    EXPECT_GE(s1[e], s2[e]);
    EXPECT_EQ(tmax[e], (s1[e] - s2[e]) * 0.5);
    EXPECT_NEAR(mises[e], std::sqrt(s1[e] * s1[e] - s1[e] * s2[e] + s2[e] * s2[e]), scale);
  }

  // Nothing beyond the fields: every other column of the files, and every
  // value the probe shows, belongs to one.
  const auto headerCells = [](const std::string& csv) {
    return static_cast<size_t>(std::count(csv.begin(), csv.begin() + static_cast<long>(csv.find('\r')), ',')) + 1;
  };
  EXPECT_EQ(headerCells(elements) + headerCells(nodes), std::size({"element", "node1", "node2", "node3"}) +
                                                             std::size({"node", "x", "y", "u", "v", "Rx", "Ry"}) +
                                                             columns.size());
  EXPECT_EQ(static_cast<size_t>(std::count(probe.begin(), probe.end(), '=')), probed);
}

}  // namespace
}  // namespace trivane::testing
