// The values beside the picture: the stress legend, the deformed plot's scale,
// results out of date, the selection count and the probe. The picture itself
// stays as the plots draw it.
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolTip>
#include <set>

#include "analysis/compute.h"
#include "app/readout.h"
#include "io/files.h"
#include "display/legend.h"
#include "io/number_text.h"
#include "meshes.h"
#include "ui/line_graph_window.h"
#include "window_fixture.h"

namespace trivane::testing {
namespace {

class ResultsArea : public WindowTest {
 protected:
  QString Text() { return Find<QLabel>("ResultsText")->text(); }
  QString Label(const char* name) { return Find<QLabel>(name)->text(); }
  static QString Readout(double v) { return QString::fromStdString(FormatSignificant(v, ReadoutDigits)); }
  Pixel Centroid(int32_t element) {
    double x = 0.0, y = 0.0;
    for (const int32_t k : session().model().elements[element].Nodes())
      x += session().model().nodes[k].x / 3, y += session().model().nodes[k].y / 3;
    return ToPixel(session().view(), x, y);
  }
  void Press(Pixel p) { QTest::mouseClick(Image1(), Qt::LeftButton, {}, QPoint(p.x, p.y)); }
};

TEST_F(ResultsArea, AStressPlotShowsItsComponentWithTheLargestAndSmallestValue) {
  Open(Cantilever());
  Action("N19")->trigger();
  const QImage beforeLegend = form1->canvas().Image();
  Action("y1")->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  const auto values = StressValues(session().solution(), SigmaY);
  const auto [min, max] = std::minmax(values[0], values[1]);
  EXPECT_EQ(Label("LegendComponent"), "σy");
  EXPECT_EQ(Label("LegendLargest"), Readout(max));
  EXPECT_EQ(Label("LegendSmallest"), Readout(min));
  EXPECT_TRUE(Find<QLabel>("LegendBar")->isVisible());
  // The drawing surface is not the place of the legend.
  EXPECT_EQ(form1->canvas().Image().size(), beforeLegend.size());

  Press({1, 1});  // a press redraws the model: the legend goes with the plot
  EXPECT_FALSE(Find<QLabel>("LegendBar")->isVisible());
}

// A uniform field (here none at all: no load) is painted in the middle colour
// and its legend shows the one value.
TEST_F(ResultsArea, AUniformFieldIsPaintedInTheMiddleColourWithItsOneValue) {
  Model unloaded = Cantilever();
  unloaded.nodes[3].load = 0.0;
  Open(unloaded);
  Action("N19")->trigger();
  Action("x1")->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  const Rgb middle = session().palette().colours[74];
  for (int32_t e : {1, 2}) {
    const Pixel c = Centroid(e);
    EXPECT_EQ(form1->canvas().Image().pixelColor(c.x, c.y), QColor(middle.r, middle.g, middle.b)) << e;
  }
  EXPECT_EQ(Label("LegendLargest"), "= 0");
  EXPECT_EQ(Label("LegendSmallest"), "");
}

TEST_F(ResultsArea, ADeformedPlotShowsItsMagnificationAndTheLargestDisplacement) {
  Open(Cantilever());
  Action("N19")->trigger();
  Action("N21")->trigger();
  const Solution& t = session().solution();
  const double largest = std::hypot(DisplacementU(t, 3), DisplacementV(t, 3));
  const double magnification = session().shown().deformed.magnification;
  EXPECT_TRUE(Text().startsWith("放大 " + Readout(magnification) + " 倍")) << Text().toStdString();
  EXPECT_TRUE(Text().contains("最大位移 " + Readout(largest) + "（结点 3）")) << Text().toStdString();
  // 60 pixels for the largest displacement component.
  EXPECT_NEAR(magnification * std::fabs(DisplacementV(t, 3)) * session().view().scale, 60.0, 1e-9);
}

// 面积加权平均 recovers the shown results again, and the estimate beside them
// follows; unchecked, patch recovery gives back its own figure.
TEST_F(ResultsArea, AreaAverageRecoversTheShownResultsAgain) {
  Open(examples::PlateWithHole(8, 4));
  Action("N19")->trigger();
  Action("x1")->trigger();
  const QString patch = Text();
  ASSERT_TRUE(patch.startsWith("误差估计 ")) << patch.toStdString();
  Action("AreaAverage")->trigger();
  EXPECT_NE(Text(), patch);
  EXPECT_TRUE(Text().startsWith("误差估计 ")) << Text().toStdString();
  Action("AreaAverage")->trigger();
  EXPECT_EQ(Text(), patch);
}

TEST_F(ResultsArea, EditingAfterAComputeSaysTheResultsAreOutOfDateUntilTheNext) {
  Open(Cantilever());
  Action("N19")->trigger();
  EXPECT_FALSE(Text().contains("结果已过期"));
  const Pixel p2 = PixelOf(2);
  Drag({p2.x - 3, p2.y - 3}, {p2.x + 3, p2.y + 3});
  EXPECT_EQ(Text(), "误差估计 40.2%    已选 1 个结点");
  Action("ToolButton12")->trigger();
  // The estimated error of the cantilever's coarse mesh stays beside the results.
  EXPECT_EQ(Text(), "误差估计 40.2%    结果已过期    已选 1 个结点");
  Action("N19")->trigger();
  EXPECT_EQ(Text(), "误差估计 40.2%    已选 1 个结点");
  Press({1, 1});
  EXPECT_EQ(Text(), "误差估计 40.2%");

  form1->ToolButton1Click();
  form3->findChild<QLineEdit*>("Edit1")->setText("3E10");
  form3->Button1Click();
  EXPECT_EQ(Text(), "误差估计 40.2%    结果已过期");
}

struct ProbeRow {
  const char* name;
  bool computed;
  const char* expected;  // the readout's start; "…" where values follow
};

void PrintTo(const ProbeRow& row, std::ostream* os) { *os << row.name; }

class Probe : public ResultsArea, public ::testing::WithParamInterface<ProbeRow> {};

// Node 4 (top left, held both ways) from 5 pixels away, then inside element 2
// away from every node.
TEST_P(Probe, ShowsTheNodeOrElementUnderThePointerWithoutARubberBand) {
  const ProbeRow& row = GetParam();
  Open(Cantilever());
  if (row.computed) Action("N19")->trigger();
  const Pixel p4 = PixelOf(4);
  Drag({p4.x - 3, p4.y - 3}, {p4.x + 3, p4.y + 3});
  QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
  ASSERT_TRUE(Button("ToolButton7")->isChecked());
  const QImage picture = form1->canvas().Image();

  Press({p4.x + 3, p4.y + 4});
  const QString node = Text();
  Press(Centroid(2));
  const QString element = Text();
  EXPECT_EQ(QToolTip::text(), element.section("    ", 0, 0).replace("：", "\n").replace("，", "\n"));
  const QString expected = QString::fromUtf8(row.expected);
  const QString shown = expected.startsWith("结点") ? node : element;
  EXPECT_TRUE(shown.startsWith(expected.section("…", 0, 0))) << shown.toStdString();
  EXPECT_EQ(form1->canvas().Image(), picture);  // no band, no redraw
  EXPECT_EQ(session().selection().count, 1);

  if (row.computed) {
    const Solution& t = session().solution();
    EXPECT_TRUE(node.contains("Rx = " + Readout(*ReactionAt(t, 4).rx))) << node.toStdString();
    EXPECT_TRUE(element.contains("τmax = " + Readout(StressValue(t, 2, TauMax))));
    EXPECT_TRUE(element.contains("von Mises = " + Readout(MisesValue(t, 2)))) << element.toStdString();
  } else {
    EXPECT_EQ(node, "结点 4：x = 0，y = 1    已选 1 个结点");
    EXPECT_EQ(element, "单元 2    已选 1 个结点");
  }

  // Leaving probe mode restores the rubber band.
  QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
  EXPECT_FALSE(Text().contains("单元"));
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  EXPECT_EQ(session().selection().count, 4);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Probe,
    ::testing::Values(ProbeRow{"BeforeAnyCompute", false, "结点 4：x = 0，y = 1"},
                      ProbeRow{"NodeWithResults", true, "结点 4：x = 0，y = 1，u = …"},
                      ProbeRow{"ElementWithResults", true, "单元 2：σx = …"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every text of the status bar shows whole: a line's text within its width,
// the readout within its two lines.
void ExpectStatusBarTextsWhole(QWidget* bar) {
  for (QLabel* label : bar->findChildren<QLabel*>()) {
    if (!label->isVisible()) continue;
    const QString name = label->objectName();
    if (!label->pixmap().isNull()) {
      EXPECT_LE(label->pixmap().width(), label->contentsRect().width()) << name.toStdString();
    } else if (label->wordWrap()) {
      EXPECT_LE(label->heightForWidth(label->width()), label->height())
          << name.toStdString() << " " << label->width() << ": " << label->text().toStdString();
    } else {
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
          << name.toStdString() << ": " << label->text().toStdString();
    }
  }
}

// At the default size, with a plot, a selection and the longest readout (an
// element's seven values), every text of the status bar is whole, and the
// colour bar shows all its colours: the bar cannot hold the legend, so the
// drawing does, as trivane-cli render --legend draws it.
TEST_F(ResultsArea, AtTheDefaultSizeEveryStatusBarTextIsWhole) {
  form1->resize(813, 535);
  Open(Cantilever());
  Action("N19")->trigger();
  const Pixel p3 = PixelOf(3);
  Drag({p3.x - 3, p3.y - 3}, {p3.x + 3, p3.y + 3});
  form3->findChild<QLineEdit*>("Edit1")->setText("3E10");
  form3->Button1Click();
  Action("MisesPlot")->trigger();
  QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
  Press(Centroid(2));
  QApplication::processEvents();
  EXPECT_TRUE(Text().contains("von Mises = ")) << Text().toStdString();
  ExpectStatusBarTextsWhole(form1->statusBar());

  ASSERT_TRUE(session().LegendInDrawing());
  const QImage picture = form1->canvas().Image();
  std::set<QRgb> strip;
  for (int y = 0; y < Image1()->height(); ++y)
    for (int x = Image1()->width() - LegendWidth; x < Image1()->width(); ++x) strip.insert(picture.pixel(x, y) | 0xFF000000u);
  for (const Rgb& c : session().palette().colours) EXPECT_EQ(strip.count(qRgb(c.r, c.g, c.b)), 1u);

  Action("N21")->trigger();
  QApplication::processEvents();
  ExpectStatusBarTextsWhole(form1->statusBar());
}

// 路径图 with the probe on: it turns the probe off, takes the two presses,
// and starts on the field plotted, whose key heads the samples' columns; it
// names the line's ends.
TEST_F(ResultsArea, ThePathGraphTakesOverFromTheProbeOnTheFieldPlotted) {
  Open(Cantilever());
  Action("N19")->trigger();
  Action("DisplacementPlot")->trigger();
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 7);
  QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
  Action("LineGraph")->trigger();
  EXPECT_FALSE(Button("ToolButton7")->isChecked());
  Press(PixelOf(1));
  Press(PixelOf(3));
  auto* graph = form1->findChild<LineGraphWindow*>("LineGraphWindow");
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->field(), ResultField::DisplacementMagnitude);
  EXPECT_EQ(graph->findChild<QComboBox*>("LineField")->currentText(), "|u|");
  EXPECT_TRUE(graph->findChild<QLabel*>("LineEnds")->text().startsWith("(x, y) = ("));
  graph->SaveSamples(QString::fromStdString(folder.File("line.csv")));
  EXPECT_EQ(ReadFileBytes(folder.File("line.csv")).substr(0, 42), "s,x,y,element,umag_element,umag_averaged\r\n");
  graph->close();
}

}  // namespace
}  // namespace trivane::testing
