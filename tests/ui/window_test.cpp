// The window driven as a user drives it: mouse on the drawing surface, the
// toolbar, the model-properties dialog, message boxes and resizing.
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPushButton>
#include <QTimer>

#include <QTextBrowser>
#include <algorithm>
#include <filesystem>

#include "display/legend.h"
#include "support/tolerance.h"
#include "ui/start_up.h"
#include "window_fixture.h"

namespace trivane::testing {
namespace {

std::vector<int32_t> Selected(const Session& s) {
  std::vector<int32_t> nodes;
  for (int32_t k = 1; k <= s.selection().count; ++k) nodes.push_back(s.selection().nodes[k]);
  return nodes;
}

TEST_F(WindowTest, ARubberBandSelectsTheNodesInsideWithItsLeftAndTopEdges) {
  Open(Cantilever());
  const Pixel p1 = PixelOf(1), p3 = PixelOf(3);  // bottom left, top right
  // Corner to corner: node 4 (top left) lies on the two included edges, the
  // other three on an excluded one.
  Drag({p1.x, p1.y}, {p3.x, p3.y});
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{4}));
  Drag({p1.x + 1, p3.y}, {p3.x - 1, p1.y + 1});
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{}));
  Drag({p3.x + 1, p1.y + 1}, {p1.x, p3.y});
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{1, 2, 3, 4}));
  Drag({p3.x + 1, p3.y + 1}, {p3.x, p3.y});
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{3}));
  // The yellow marker is on the picture.
  EXPECT_EQ(form1->canvas().Image().pixelColor(p3.x, p3.y), QColor(255, 255, 0));
}

TEST_F(WindowTest, AClickOnTheSurfaceClearsTheSelection) {
  Open(Cantilever());
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  ASSERT_EQ(session().selection().count, 4);
  QTest::mouseClick(Image1(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(session().selection().count, 0);
}

TEST_F(WindowTest, TheRestraintButtonsCycleThroughTheirSupports) {
  Open(Cantilever());
  const Pixel p2 = PixelOf(2);
  Drag({p2.x - 3, p2.y - 3}, {p2.x + 3, p2.y + 3});
  using Pair = std::pair<int32_t, int32_t>;
  const Node& n2 = session().model().nodes[2];
  for (Pair expected : {Pair{1, 2}, Pair{2, 3}, Pair{1, 0}, Pair{2, 1}}) {
    QTest::mouseClick(Button("ToolButton8"), Qt::LeftButton);
    EXPECT_EQ((Pair{n2.restraint, n2.orientation}), expected);
  }
  for (int32_t orientation : {2, 3, 0, 1}) {
    QTest::mouseClick(Button("ToolButton10"), Qt::LeftButton);
    EXPECT_EQ((Pair{n2.restraint, n2.orientation}), (Pair{3, orientation}));
  }
  QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
  EXPECT_EQ((Pair{n2.restraint, n2.orientation}), (Pair{0, 0}));
}

TEST_F(WindowTest, TheLoadButtonTakesTheFieldsAndABadFieldIsReported) {
  Open(Cantilever());
  const Pixel p2 = PixelOf(2);
  Drag({p2.x - 3, p2.y - 3}, {p2.x + 3, p2.y + 3});
  auto* edit1 = Find<QLineEdit>("Edit1");
  auto* edit2 = Find<QLineEdit>("Edit2");
  edit1->setText("250");
  edit2->setText("90");
  QTest::mouseClick(Button("ToolButton12"), Qt::LeftButton);
  EXPECT_EQ(session().model().nodes[2].load, 250.0);
  EXPECT_EQ(session().model().nodes[2].loadAngle, 90.0);

  edit1->setText("75");
  edit2->setText("up");
  QTest::mouseClick(Button("ToolButton12"), Qt::LeftButton);
  EXPECT_EQ(errors, QStringList{"'up' is not a valid floating point value"});
  EXPECT_EQ(session().model().nodes[2].load, 250.0);
}

TEST_F(WindowTest, ThePropertiesDialogConvertsForPlaneStrainAndStaysOpenOnError) {
  QTest::mouseClick(Button("ToolButton1"), Qt::LeftButton);
  ASSERT_TRUE(form3->isVisible());
  auto* type = form3->findChild<QComboBox*>("ComboBox1");
  auto* mu = form3->findChild<QLineEdit*>("Edit2");
  auto* apply = form3->findChild<QPushButton*>("Button1");
  EXPECT_EQ(form3->windowTitle(), "模型属性");
  EXPECT_EQ(form3->findChild<QLabel*>("Label3")->text(), "泊松比(μ):");
  EXPECT_EQ(apply->text(), "修改");
  type->setCurrentIndex(1);
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_FALSE(form3->isVisible());
  const Material& m = session().model().material;
  EXPECT_TRUE(Close(m.E, 2.0e10 / (1 - 0.167 * 0.167)));
  EXPECT_TRUE(Close(m.mu, 0.167 / (1 - 0.167)));

  form1->ToolButton1Click();
  EXPECT_EQ(mu->text(), "0.167");  // the typed text, not the converted value
  mu->setText("1");
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_TRUE(form3->isVisible());
  EXPECT_EQ(errors, QStringList{"材料参数无效：平面应变的泊松比μ必须小于0.5"});
  EXPECT_TRUE(Close(session().model().material.mu, 0.167 / (1 - 0.167)));

  type->setEditText("平面");  // matches no item: nothing is converted
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_FALSE(form3->isVisible());
  EXPECT_EQ(errors.size(), 1);
}

TEST_F(WindowTest, AFailingCommandShowsItsTextInAModalMessageBox) {
  form1->SetErrorReporter(ShowErrorBox);
  QString shown;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    shown = box->text();
    modal = box->isModal();
    box->accept();
  });
  Action("x1")->trigger();  // no results yet
  EXPECT_EQ(shown, "请先计算");
  EXPECT_TRUE(modal);
  EXPECT_TRUE(form1->isVisible());
}

TEST_F(WindowTest, ComputeThenDeformedAndStressPlotsThroughTheMenus) {
  Open(Cantilever());
  const QImage model = form1->canvas().Image();
  Action("N19")->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  EXPECT_EQ(form1->canvas().Image(), model);  // computing draws nothing

  Action("N21")->trigger();
  EXPECT_NE(form1->canvas().Image(), model);
  EXPECT_TRUE(SameModel(session().model(), Cantilever()));

  Action("y1")->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  // Each triangle is filled with a palette colour, never the model's grey.
  const Palette& palette = session().palette();
  for (int32_t e : {1, 2}) {
    double cx = 0.0, cy = 0.0;
    for (const int32_t k : session().model().elements[e].Nodes())
      cx += session().model().nodes[k].x / 3, cy += session().model().nodes[k].y / 3;
    const Pixel c = ToPixel(session().view(), cx, cy);
    const QColor colour = form1->canvas().Image().pixelColor(c.x, c.y);
    const bool fromPalette = std::any_of(palette.colours.begin(), palette.colours.end(), [&](Rgb p) {
      return QColor(p.r, p.g, p.b) == colour;
    });
    EXPECT_TRUE(fromPalette) << e;
    EXPECT_NE(colour, QColor(150, 150, 150));
  }
}

TEST_F(WindowTest, TheComputingPictureShowsOnPressAndGoesWhenComputeEnds) {
  Open(Cantilever());
  auto* image2 = Find<QLabel>("Image2");
  EXPECT_FALSE(image2->isVisible());
  QTest::mousePress(Button("ToolButton14"), Qt::LeftButton);
  EXPECT_TRUE(image2->isVisible());
  QTest::mouseRelease(Button("ToolButton14"), Qt::LeftButton);
  EXPECT_FALSE(image2->isVisible());
  EXPECT_NE(session().solution().displacements[5], 0.0);

  // From the menu the picture is not shown, and a failed compute hides it too.
  QTest::mousePress(Button("ToolButton14"), Qt::RightButton);
  ASSERT_TRUE(image2->isVisible());
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
  Action("N19")->trigger();
  EXPECT_EQ(errors, QStringList{"Singular matrix.\n结点 1 所在的部分没有任何约束"});
  EXPECT_FALSE(image2->isVisible());
}

// Two wheel notches arriving together are drawn once, about the pointer; a
// right-button drag and the arrow keys pan; 全图 fits again.
TEST_F(WindowTest, TheWheelZoomsAboutThePointerAndDragsAndKeysPan) {
  Open(Cantilever());
  const ViewTransform fit = session().view();
  const QPoint pointer(100, 80);
  const ModelPoint under = FromPixel(fit, pointer.x(), pointer.y());
  for (int notch = 0; notch < 2; ++notch) {
    QWheelEvent wheel(pointer, Image1()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(Image1(), &wheel);
  }
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(session().view().scale, fit.scale * ZoomStep * ZoomStep);
  EXPECT_NEAR(FromPixel(session().view(), pointer.x(), pointer.y()).x, under.x, 1e-12);
  EXPECT_NEAR(FromPixel(session().view(), pointer.x(), pointer.y()).y, under.y, 1e-12);

  const Pixel p3 = PixelOf(3);
  QTest::mousePress(Image1(), Qt::RightButton, {}, QPoint(50, 50));
  QMouseEvent move(QEvent::MouseMove, QPointF(70, 40), Image1()->mapToGlobal(QPointF(70, 40)), Qt::NoButton,
                   Qt::RightButton, {});
  QApplication::sendEvent(Image1(), &move);
  QTest::mouseRelease(Image1(), Qt::RightButton, {}, QPoint(70, 40));
  QApplication::processEvents();
  EXPECT_EQ(PixelOf(3), (Pixel{p3.x + 20, p3.y - 10}));
  EXPECT_EQ(session().selection().count, 0);  // no rubber band

  Image1()->setFocus();
  QTest::keyClick(Image1(), Qt::Key_Left);
  QApplication::processEvents();
  EXPECT_EQ(PixelOf(3).x, p3.x + 20 + Image1()->width() / 8);

  Action("FitAll")->trigger();
  EXPECT_EQ(session().view(), fit);
  Action("ZoomIn")->trigger();
  EXPECT_EQ(session().view().scale, fit.scale * ZoomStep);
  Action("ZoomOut")->trigger();
  EXPECT_DOUBLE_EQ(session().view().scale, fit.scale);

  // In the load field + - and Home edit the text; on the drawing they zoom.
  auto* load = Find<QLineEdit>("Edit1");
  load->setFocus();
  load->setText("");
  QTest::keyClicks(load, "-5");
  QTest::keyClick(load, Qt::Key_Home);
  EXPECT_EQ(load->text(), "-5");
  EXPECT_EQ(load->cursorPosition(), 0);
  EXPECT_DOUBLE_EQ(session().view().scale, fit.scale);
  Image1()->setFocus();
  QTest::keyClick(Image1(), Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(session().view().scale, fit.scale / ZoomStep);
  QTest::keyClick(Image1(), Qt::Key_Home);
  EXPECT_EQ(session().view(), fit);
}

// A resize draws the plot shown again at the new size, with its legend and
// the selection's markers over it.
TEST_F(WindowTest, ResizingRefitsToTheSurfaceAndTheRasterFollowsIt) {
  Open(Cantilever());
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  Action("ToolButton14")->trigger();
  Action("N110")->trigger();
  form1->resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(session().shown().kind, PictureKind::Stress);
  EXPECT_EQ(session().shown().component, 3);
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentIndex(), 3);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
  const QSize area = form1->centralWidget()->size();
  EXPECT_EQ(Image1()->size(), area);
  // Too narrow a status bar for the legend: the plot leaves room for it.
  EXPECT_TRUE(session().LegendInDrawing());
  EXPECT_EQ(session().view().halfWidth, (area.width() - LegendWidth) / 2);
  EXPECT_EQ(session().view().halfHeight, area.height() / 2);
  const Pixel p3 = PixelOf(3);
  EXPECT_EQ(form1->canvas().Image().pixelColor(p3.x, p3.y), QColor(255, 255, 0));

  form1->resize(1600, 1100);
  QApplication::processEvents();
  const QSize large = form1->centralWidget()->size();
  EXPECT_EQ(Image1()->size(), large);
  EXPECT_FALSE(session().LegendInDrawing());
  EXPECT_TRUE(Find<QLabel>("LegendBar")->isVisible());
  EXPECT_EQ(session().view().halfWidth, large.width() / 2);
  EXPECT_EQ(form1->canvas().Width(), large.width());
  ASSERT_GT(PixelOf(3).x, 1024);  // drawn beyond the old ceiling, with its marker
  EXPECT_EQ(form1->canvas().Image().pixelColor(PixelOf(3).x, PixelOf(3).y), QColor(255, 255, 0));
}

TEST_F(WindowTest, TheWindowIsComposedAsTheUserSeesIt) {
  EXPECT_EQ(form1->windowTitle(), "Trivane");
  EXPECT_EQ(Find<QLineEdit>("Edit1")->text(), "1");
  EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "0");
  EXPECT_EQ(Find<QWidget>("Panel1")->width(), 190);
  QStringList items;
  auto* combo = Find<QComboBox>("ComboBox1");
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  EXPECT_EQ(items, (QStringList{"σx", "σy", "τxy", "σ1", "σ2", "τmax", "σv", "|u|", "误差"}));
  EXPECT_EQ(Find<QWidget>("Panel2")->width(), 72);
  const std::pair<const char*, int> panels[] = {{"结点数", 50}, {"4", 30}, {"单元数", 50}, {"2", 50}, {"", 50}};
  Open(Cantilever());
  for (int i = 0; i < 5; ++i) {
    auto* panel = Find<QLabel>(QString("StatusPanel%1").arg(i).toUtf8().constData());
    EXPECT_EQ(panel->text(), QString::fromUtf8(panels[i].first));
    EXPECT_EQ(panel->width(), panels[i].second);
  }
  EXPECT_EQ(Image1()->minimumSize(), QSize(64, 102));
  EXPECT_EQ(form1->canvas().Image().size(), QSize(1024, 640));
  EXPECT_FALSE(form2->isVisible());
  QTest::mouseClick(Button("ToolButton20"), Qt::LeftButton);
  EXPECT_TRUE(form2->isVisible());
  EXPECT_EQ(form2->windowTitle(), "关于本程序");
}

// A problem file or any text chosen by mistake in the import dialog is
// refused and the model stays whole.
TEST_F(WindowTest, AnImportWithoutAMeshIsRefusedAndTheModelStays) {
  Open(Cantilever());
  chooser.Answer(folder.Write("notes.ase", "4\r\n2\r\nsome text\r\n"));
  Action("N10")->trigger();
  EXPECT_EQ(errors, QStringList{"文件中没有网格"});
  EXPECT_TRUE(SameModel(session().model(), Cantilever()));
  EXPECT_EQ(Find<QLabel>("StatusPanel1")->text(), "4");
  EXPECT_EQ(Find<QLabel>("StatusPanel3")->text(), "2");
}

// A Gmsh mesh of either order imports, and 模型属性 names its element.
TEST_F(WindowTest, GmshMeshesOfEitherOrderImportAndThePropertiesNameTheirElement) {
  struct Row {
    const char* file;
    int32_t nodes;
    int32_t order;
    const char* element;
  };
  for (const Row& row : {Row{"gmsh/order2-22.msh", 37, 2, "六结点三角形"}, Row{"gmsh/plate-41.msh", 65, 1, "三结点三角形"}}) {
    chooser.Answer(DataPath(row.file));
    Action("N10")->trigger();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
    EXPECT_EQ(session().model().nodeCount, row.nodes);
    EXPECT_EQ(session().model().elementOrder, row.order);
    QTest::mouseClick(Button("ToolButton1"), Qt::LeftButton);
    EXPECT_EQ(form3->findChild<QLabel*>("ElementOrder")->text(), row.element);
    form3->Button2Click();
  }
}

TEST_F(WindowTest, HelpOpensTheUserGuideFromTheMenuF1AndTheBook) {
  for (const auto& open : std::initializer_list<std::function<void()>>{
           [&] { Action("N25")->trigger(); },
           [&] { QTest::keyClick(form1.get(), Qt::Key_F1); },
           [&] { QTest::mouseClick(Button("ToolButton9"), Qt::LeftButton); }}) {
    if (auto* help = form1->findChild<QWidget*>("HelpWindow")) help->close();
    open();
    auto* help = form1->findChild<QWidget*>("HelpWindow");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "帮助");
    const QString guide = help->findChild<QTextBrowser*>("HelpText")->toPlainText();
    for (const char* topic : {"计算", "Ctrl+G", ".trv", ".ase", ".msh", "99999", "Cholesky", "导出数据", ".vtu"})
      EXPECT_TRUE(guide.contains(QString::fromUtf8(topic))) << topic;
  }
  EXPECT_EQ(form1->findChildren<QWidget*>("HelpWindow").size(), 1);
}

// Started outside the palette's folder, the window still finds one; a
// palette in the working directory comes first.
TEST(StartUp, ThePaletteIsFoundWhereverTheProgramStarts) {
  const std::filesystem::path previous = std::filesystem::current_path();
  TempFolder folder;
  std::filesystem::current_path(folder.File(""));
  const QString found = PalettePath();
  EXPECT_NE(found, "color.bmp");
  EXPECT_TRUE(std::filesystem::exists(found.toStdString()));
  std::filesystem::copy_file(found.toStdString(), folder.File("color.bmp"));
  EXPECT_EQ(PalettePath(), "color.bmp");
  std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace trivane::testing
