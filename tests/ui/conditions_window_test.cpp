// The window's selection modes, the 条件 menu's load dialogs, selection by
// group, undo and redo, and the model-properties dialog with density and
// regions, driven as a user drives them.
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "io/problem_file.h"
#include "model/errors.h"
#include "support/tolerance.h"
#include "ui/condition_dialog.h"
#include "window_fixture.h"

namespace trivane::testing {
namespace {

std::vector<int32_t> Selected(const Session& s) {
  std::vector<int32_t> nodes;
  for (int32_t k = 1; k <= s.selection().count; ++k) nodes.push_back(s.selection().nodes[k]);
  return nodes;
}

// Runs `answer` on the modal dialog of type T once it is up.
template <typename T>
void WhenUp(const std::function<void(T*)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(dialog);
  });
}

class ConditionsWindowTest : public WindowTest {
 protected:
  void OpenGrouped() {
    Open(GroupedCantilever());
    const_cast<Model&>(session().model()).conditions = GroupedCantilever().conditions;
  }
  // A band around the given nodes' pixels, with the modifiers held.
  void Band(std::initializer_list<int32_t> nodes, Qt::KeyboardModifiers held = {}) {
    QRect box;
    for (int32_t k : nodes) {
      const Pixel p = PixelOf(k);
      box |= QRect(p.x - 4, p.y - 4, 9, 9);
    }
    QTest::mousePress(Image1(), Qt::LeftButton, held, box.topLeft());
    QTest::mouseMove(Image1(), box.bottomRight());
    QTest::mouseRelease(Image1(), Qt::LeftButton, held, box.bottomRight());
  }
};

// Shift adds, Ctrl removes, a plain band replaces; what stays selected keeps
// its yellow disc and what was removed loses it.
TEST_F(ConditionsWindowTest, ShiftAddsToTheSelectionAndCtrlRemovesFromIt) {
  Open(Cantilever());
  Band({3});
  Band({1}, Qt::ShiftModifier);
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{1, 3}));
  Band({2, 3}, Qt::ShiftModifier);
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{1, 2, 3}));
  Band({3}, Qt::ControlModifier);
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{1, 2}));
  const QImage picture = form1->canvas().Image();
  EXPECT_EQ(picture.pixelColor(PixelOf(2).x, PixelOf(2).y), QColor(255, 255, 0));
  EXPECT_NE(picture.pixelColor(PixelOf(3).x, PixelOf(3).y), QColor(255, 255, 0));
  Band({4});
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{4}));
}

// The chosen group's nodes take the focus to the drawing, as a band does, so
// Ctrl+A then supports them even with the load field focused before.
TEST_F(ConditionsWindowTest, SelectsTheNodesOfAGroupChosenFromTheList) {
  Action("SelectGroupItem")->trigger();
  EXPECT_EQ(errors, QStringList{messages::NoGroups});

  OpenGrouped();
  QStringList items;
  WhenUp<QInputDialog>([&](QInputDialog* d) {
    items = d->comboBoxItems();
    d->setTextValue(items.value(1));
    d->accept();
  });
  Find<QLineEdit>("Edit1")->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
  Action("SelectGroupItem")->trigger();
  EXPECT_EQ(items, (QStringList{"plate（区域 1，4 个结点）", "right（边组 2，2 个结点）", "tip（结点组 3，1 个结点）"}));
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{2, 3}));
  EXPECT_EQ(form1->canvas().Image().pixelColor(PixelOf(2).x, PixelOf(2).y), QColor(255, 255, 0));
  form1->activateWindow();  // as the window manager does when the dialog goes
  ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
  ASSERT_TRUE(Image1()->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(session().model().nodes[2].restraint, FixedY);
  EXPECT_EQ(session().model().nodes[3].restraint, FixedY);
}

struct CommandRow {
  const char* name;
  const char* item;
  std::vector<int32_t> band;  // the nodes selected
  std::function<void(ConditionDialog*)> fill;  // null: the command has no dialog
  std::function<bool(const Model&)> done;
};

void PrintTo(const CommandRow& row, std::ostream* os) { *os << row.name; }

class ConditionCommand : public ConditionsWindowTest, public ::testing::WithParamInterface<CommandRow> {};

// With the right edge selected each command names its one edge and applies
// what was typed; a refused text keeps the dialog open (undo and redo of each
// edit are the history's table). With only an inner edge selected the edge
// commands refuse.
TEST_P(ConditionCommand, AppliesToTheSelectedBoundaryEdges) {
  const CommandRow& row = GetParam();
  OpenGrouped();
  const Model before = session().model();
  const bool edges = row.name != std::string("Gravity");
  if (edges) {
    Band({1});
    Band({3}, Qt::ShiftModifier);  // the diagonal 1-3 is shared by both triangles
    Action(row.item)->trigger();
    EXPECT_EQ(errors, QStringList{messages::NoBoundaryEdgeSelected});
    EXPECT_TRUE(SameModel(session().model(), before));
  }
  Band({row.band.front()});
  Band({row.band.back()}, Qt::ShiftModifier);
  QString note;
  if (row.fill) {
    WhenUp<ConditionDialog>([&](ConditionDialog* d) {
      note = d->findChild<QLabel*>("Note")->text();
      d->Edit(0)->setText("x");
      d->findChild<QPushButton*>("Button1")->click();
      EXPECT_TRUE(d->isVisible());
      row.fill(d);
      d->findChild<QPushButton*>("Button1")->click();
    });
  }
  errors.clear();
  Action(row.item)->trigger();
  EXPECT_EQ(errors, row.fill ? QStringList{"'x' is not a valid floating point value"} : QStringList{});
  if (edges && row.fill) {
    EXPECT_TRUE(note.startsWith("加在 1 条边界边")) << note.toStdString();
  }
  EXPECT_TRUE(row.done(session().model()));
  EXPECT_TRUE(session().modified());
}

bool HasLoad(const Model& m, EdgeLoad load) {
  return m.conditions.edgeLoads.size() == 2 && m.conditions.edgeLoads[1] == load;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConditionCommand,
    ::testing::Values(
        CommandRow{"Pressure", "EdgeLoadItem", {2, 3}, [](ConditionDialog* d) { d->Edit(0)->setText("250"); },
                   [](const Model& m) { return HasLoad(m, {{2, 3}, EdgeLoadKind::Pressure, 250.0, 0.0}); }},
        CommandRow{"Traction", "EdgeLoadItem", {2, 3},
                   [](ConditionDialog* d) {
                     d->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1);
                     d->Edit(0)->setText("3");
                     d->Edit(1)->setText("-4");
                   },
                   [](const Model& m) { return HasLoad(m, {{2, 3}, EdgeLoadKind::Traction, 3.0, -4.0}); }},
        CommandRow{"Water", "WaterItem", {2, 3},
                   [](ConditionDialog* d) {
                     d->Edit(0)->setText("0.5");
                     d->Edit(1)->setText("10000");
                   },
                   [](const Model& m) { return HasLoad(m, {{2, 3}, EdgeLoadKind::Water, 0.5, 10000.0}); }},
        CommandRow{"Gravity", "GravityItem", {2, 3},
                   [](ConditionDialog* d) {
                     d->Edit(0)->setText("0");
                     d->Edit(1)->setText("-9.81");
                   },
                   [](const Model& m) { return m.conditions.gravity == Gravity{0.0, -9.81}; }},
        CommandRow{"RemoveEdgeLoads", "RemoveEdgeLoadsItem", {1, 2}, nullptr,
                   [](const Model& m) {
                     return m.conditions.edgeLoads.empty();
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// 分布荷载 keeps what was typed for each kind: a pressure never shows as tx,
// and switching back brings the pressure back.
TEST_F(ConditionsWindowTest, TheEdgeLoadDialogKeepsEachKindsValues) {
  auto* d = Find<ConditionDialog>("EdgeLoadDialog");
  auto* kind = d->findChild<QComboBox*>("ComboBox1");
  d->Edit(0)->setText("5000");
  kind->setCurrentIndex(1);
  EXPECT_EQ(d->Label(0)->text(), "tx(Pa):");
  EXPECT_EQ(d->Text(0), "0");
  EXPECT_EQ(d->Text(1), "0");
  d->Edit(0)->setText("3");
  d->Edit(1)->setText("-4");
  kind->setCurrentIndex(0);
  EXPECT_EQ(d->Text(0), "5000");
  EXPECT_FALSE(d->Edit(1)->isEnabled());
  kind->setCurrentIndex(1);
  EXPECT_EQ(d->Text(0), "3");
  EXPECT_EQ(d->Text(1), "-4");
}

// Over the bottom edge, which has a pressure, and the right edge: each dialog
// counts the edges that already have a load of the kind chosen, which 确定
// replaces; the water dialog says, as the level is typed, when the water
// stays below both edges, and refuses water that weighs nothing.
TEST_F(ConditionsWindowTest, TheLoadDialogsCountWhatTheyReplaceAndWarnOfDryWater) {
  OpenGrouped();
  Band({1, 2});
  Band({3}, Qt::ShiftModifier);
  QStringList notes;
  const auto note = [](ConditionDialog* d) { return d->findChild<QLabel*>("Note")->text(); };
  WhenUp<ConditionDialog>([&](ConditionDialog* d) {
    notes << note(d);
    d->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(1);
    notes << note(d);
    d->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(0);
    d->Edit(0)->setText("80");
    d->findChild<QPushButton*>("Button1")->click();
  });
  Action("EdgeLoadItem")->trigger();
  EXPECT_EQ(notes, (QStringList{"加在 2 条边界边（两端结点都已选中），其中 1 条已有压力，将被替换",
                                "加在 2 条边界边（两端结点都已选中），其中 0 条已有面力，将被替换"}));
  EXPECT_EQ(session().model().conditions.edgeLoads,
            (std::vector<EdgeLoad>{{{1, 2}, EdgeLoadKind::Pressure, 80.0, 0.0},
                                   {{2, 3}, EdgeLoadKind::Pressure, 80.0, 0.0}}));

  notes.clear();
  WhenUp<ConditionDialog>([&](ConditionDialog* d) {
    for (const char* level : {"-1", "0", "0.5"}) {
      d->Edit(0)->setText(level);
      notes << note(d).section('\n', 2);
    }
    d->Edit(1)->setText("-9810");
    d->findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(d->isVisible());
    d->reject();
  });
  Action("WaterItem")->trigger();
  EXPECT_EQ(notes, (QStringList{"水位 -1 不高于所选边的最低点，没有边受水压", "水位 0 不高于所选边的最低点，没有边受水压", ""}));
  EXPECT_EQ(errors, QStringList{"水的重度必须大于零"});
  EXPECT_EQ(session().model().conditions.edgeLoads.size(), 2u);
}

// Modal: Ctrl+G does not compute behind it, and Escape closes it. It sets
// the density and, in its table, a region's own material, a blank field
// taking the model's value; the status bar shows the material in force.
TEST_F(ConditionsWindowTest, ThePropertiesDialogIsModalAndSetsDensityAndRegions) {
  OpenGrouped();
  auto* panel = Find<QLabel>("MaterialPanel");
  EXPECT_EQ(panel->text(), "平面应力  E = 2e+10 Pa  μ = 0.167  t = 1 m");
  QTest::mouseClick(Button("ToolButton1"), Qt::LeftButton);
  ASSERT_TRUE(form3->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), form3.get());
  QTest::keyClick(form1->windowHandle(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_FALSE(session().HasResults());
  QTest::keyClick(form3.get(), Qt::Key_Escape);
  EXPECT_FALSE(form3->isVisible());

  form1->ToolButton1Click();
  auto* table = form3->findChild<QTableWidget*>("RegionTable");
  ASSERT_EQ(table->rowCount(), 1);
  EXPECT_EQ(table->item(0, 0)->text(), "plate");
  table->setItem(0, 1, new QTableWidgetItem("3E10"));
  table->setItem(0, 3, new QTableWidgetItem("2600"));
  form3->findChild<QLineEdit*>("Edit4")->setText("2400");
  QTest::mouseClick(form3->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  EXPECT_FALSE(form3->isVisible());
  EXPECT_EQ(session().model().entered.rho, 2400.0);
  EXPECT_EQ(session().model().conditions.regionMaterials, (std::vector<RegionMaterial>{{"plate", 3e10, 0.167, 2600.0}}));
  EXPECT_EQ(panel->text(), "平面应力  E = 2e+10 Pa  μ = 0.167  t = 1 m  ρ = 2400 kg/m³");
  EXPECT_EQ(form1->windowHandle()->title(), "model.trv* - Trivane");

  Action("UndoItem")->trigger();
  EXPECT_EQ(session().model().entered.rho, 0.0);
  EXPECT_TRUE(session().model().conditions.regionMaterials.empty());
  EXPECT_EQ(form1->windowHandle()->title(), "model.trv - Trivane");
  form1->ToolButton1Click();
  EXPECT_EQ(form3->findChild<QLineEdit*>("Edit4")->text(), "0");
  EXPECT_EQ(table->item(0, 1), nullptr);
}

// 轴对称 asks no thickness and reads none; a plane type asks it again. α
// goes into the model and the region table, and the status bar shows the
// material without t.
TEST_F(ConditionsWindowTest, ThePropertiesDialogAsksNoThicknessOfAnAxisymmetricModel) {
  OpenGrouped();
  form1->ToolButton1Click();
  auto* type = form3->findChild<QComboBox*>("ComboBox1");
  auto* t = form3->findChild<QLineEdit*>("Edit3");
  auto* table = form3->findChild<QTableWidget*>("RegionTable");
  auto* apply = form3->findChild<QPushButton*>("Button1");
  EXPECT_EQ(type->itemText(Axisymmetric), "轴对称");
  EXPECT_EQ(table->horizontalHeaderItem(4)->text(), "α(1/K)");
  type->setCurrentIndex(Axisymmetric);
  EXPECT_FALSE(t->isEnabled());
  t->setText("t?");
  form3->findChild<QLineEdit*>("Edit5")->setText("1.2e-5");
  table->setItem(0, 4, new QTableWidgetItem("2e-5"));
  QTest::mouseClick(apply, Qt::LeftButton);
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  const EnteredMaterial& m = session().model().entered;
  EXPECT_EQ(m.problem, Axisymmetric);
  EXPECT_EQ(m.t, 1.0);
  EXPECT_EQ(m.alpha, 1.2e-5);
  EXPECT_EQ(session().model().conditions.regionMaterials,
            (std::vector<RegionMaterial>{{"plate", 2e10, 0.167, 0.0, 2e-5}}));
  EXPECT_EQ(Find<QLabel>("MaterialPanel")->text(), "轴对称  E = 2e+10 Pa  μ = 0.167  α = 1.2e-05 1/K");

  form1->ToolButton1Click();
  EXPECT_FALSE(t->isEnabled());
  type->setCurrentIndex(PlaneStress);
  EXPECT_TRUE(t->isEnabled());
  t->setText("t?");
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_EQ(errors, QStringList{"'t?' is not a valid floating point value"});
  EXPECT_TRUE(form3->isVisible());
  t->setText("2");
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_EQ(session().model().entered.t, 2.0);
}

// 温度… opens on the region the selection covers whole and sets its own
// change, else on the model; its note shows the changes in force. 自重…
// opens its spin only in an axisymmetric model.
TEST_F(ConditionsWindowTest, TemperatureGoesToTheSelectedRegionOrTheModelAndSpinToAxisymmetricModels) {
  OpenGrouped();
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  int kind = -1;
  QString note;
  const auto type = [&](const char* dt) {
    WhenUp<ConditionDialog>([&, dt](ConditionDialog* d) {
      kind = d->findChild<QComboBox*>("ComboBox1")->isEnabled() ? d->Kind() : -d->Kind();
      note = d->findChild<QLabel*>("Note")->text();
      d->Edit(0)->setText(dt);
      d->findChild<QPushButton*>("Button1")->click();
    });
    Action("TemperatureItem")->trigger();
  };
  type("35");
  EXPECT_EQ(kind, 1);
  EXPECT_TRUE(note.contains("作用于选中的区域 plate")) << note.toStdString();
  Drag({1, 1}, {2, 2});
  type("-10");
  EXPECT_EQ(kind, 0);
  EXPECT_TRUE(note.contains("模型 ΔT = 0 K，区域 plate ΔT = 35 K")) << note.toStdString();
  EXPECT_EQ(session().model().conditions.temperature, (Temperature{-10.0, {{"plate", 35.0}}}));

  bool spinAsked = true;
  WhenUp<ConditionDialog>([&](ConditionDialog* d) {
    spinAsked = d->Edit(2)->isEnabled();
    d->reject();
  });
  Action("GravityItem")->trigger();
  EXPECT_FALSE(spinAsked);
  session().ApplyMaterial(Axisymmetric, "2E11", "0.3", "", "7800");
  WhenUp<ConditionDialog>([&](ConditionDialog* d) {
    spinAsked = d->Edit(2)->isEnabled();
    d->Edit(2)->setText("314");
    d->findChild<QPushButton*>("Button1")->click();
  });
  Action("GravityItem")->trigger();
  EXPECT_TRUE(spinAsked);
  EXPECT_EQ(session().model().conditions.spin, 314.0);
}

// 打开 empties the selection: its numbers meant the old model's nodes. An .ase
// import keeps it and shows it.
TEST_F(ConditionsWindowTest, OpeningEmptiesTheSelectionAndAnAseImportKeepsIt) {
  Open(Cantilever());
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  ASSERT_EQ(session().selection().count, 4);
  Model other = Cantilever();
  other.nodes[2].load = 7.0;
  chooser.Answer(folder.Write("other.trv", WriteProblem(other)));
  Action("N7")->trigger();
  EXPECT_EQ(session().selection().count, 0);
  Action("N18")->trigger();
  EXPECT_TRUE(SameModel(session().model(), other));

  Band({4});
  chooser.Answer(folder.Write("tri.ase",
                              "*MESH_NUMFACES 1\r\n*MESH_VERTEX 0\t0.0\t0.0\t0.0\r\n*MESH_VERTEX 1\t2.0\t0.0\t0.0\r\n"
                              "*MESH_VERTEX 2\t0.0\t0.0\t1.0\r\n*MESH_VERTEX 3\t2.0\t0.0\t1.0\r\n"
                              "*MESH_FACE    0:    A:    0 B:    1 C:    2\r\n"));
  Action("N10")->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  EXPECT_EQ(Selected(session()), (std::vector<int32_t>{4}));
  EXPECT_EQ(form1->canvas().Image().pixelColor(PixelOf(4).x, PixelOf(4).y), QColor(255, 255, 0));
}

}  // namespace
}  // namespace trivane::testing
