// The menu bar's captions and shortcuts, and that each item runs its toolbar
// button's handler, also with the keyboard focus in an edit field, where the
// field's own editing keys edit its text.
#include <filesystem>

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

#include "window_fixture.h"

namespace trivane::testing {
namespace {

struct MenuRow {
  const char* item;     // the menu item's name
  const char* menu;     // caption of the menu holding it
  const char* caption;
  const char* shortcut;  // empty: none
  const char* button;    // the toolbar button it fires; empty: none
};

void PrintTo(const MenuRow& row, std::ostream* os) { *os << row.item; }

const MenuRow Rows[] = {
    {"N6", "文件", "新建", "Ctrl+N", "ToolButton16"},
    {"N7", "文件", "打开", "Ctrl+O", "ToolButton2"},
    {"N8", "文件", "保存", "Ctrl+S", "ToolButton3"},
    {"N10", "文件", "导入模型", "Ctrl+I", "ToolButton6"},
    {"N11", "文件", "导出数据", "Ctrl+E", ""},
    {"N13", "文件", "退出", "", ""},
    {"UndoItem", "编辑", "撤销", "Ctrl+Z", ""},
    {"RedoItem", "编辑", "重做", "Ctrl+Y", ""},
    {"N14", "设置", "模型属性", "Ctrl+M", "ToolButton1"},
    {"N15", "条件", "单向约束", "Ctrl+A", "ToolButton8"},
    {"N16", "条件", "双向约束", "Ctrl+B", "ToolButton10"},
    {"N17", "条件", "删除约束", "Ctrl+C", "ToolButton4"},
    {"N18", "条件", "集中荷载", "Ctrl+D", "ToolButton12"},
    {"EdgeLoadItem", "条件", "分布荷载…", "", ""},
    {"WaterItem", "条件", "水压力…", "", ""},
    {"GravityItem", "条件", "自重…", "", ""},
    {"TemperatureItem", "条件", "温度…", "", ""},
    {"RemoveEdgeLoadsItem", "条件", "删除分布荷载", "", ""},
    {"SelectGroupItem", "条件", "按组选择", "", ""},
    {"N19", "计算", "计算", "Ctrl+G", "ToolButton14"},
    {"N21", "计算", "变形图", "Ctrl+H", "ToolButton15"},
    {"x1", "应力图", "σx", "Ctrl+F1", "ToolButton18"},
    {"y1", "应力图", "σy", "Ctrl+F2", "ToolButton18"},
    {"xy1", "应力图", "τxy", "Ctrl+F3", "ToolButton18"},
    {"N110", "应力图", "σ1", "Ctrl+F4", "ToolButton18"},
    {"N24", "应力图", "σ2", "Ctrl+F5", "ToolButton18"},
    {"max1", "应力图", "τmax", "Ctrl+F6", "ToolButton18"},
    {"N25", "帮助", "帮助", "F1", "ToolButton9"},
    {"N26", "帮助", "关于", "", "ToolButton20"},
};

class MenuItem : public WindowTest, public ::testing::WithParamInterface<MenuRow> {};

TEST_P(MenuItem, HasItsCaptionAndShortcutInItsMenu) {
  const MenuRow& row = GetParam();
  QAction* action = Action(row.item);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
  EXPECT_EQ(action->shortcut(), QKeySequence(row.shortcut));
  ASSERT_EQ(action->associatedObjects().size(), 1);
  auto* menu = qobject_cast<QMenu*>(action->associatedObjects().front());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), QString::fromUtf8(row.menu));
}

bool IsEditingKey(const QKeySequence& keys) {
  for (const auto editing : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut,
                             QKeySequence::Undo, QKeySequence::Redo})
    if (QKeySequence::keyBindings(editing).contains(keys)) return true;
  return false;
}

// With the focus in the load field, every shortcut but the field's own editing
// keys reaches its menu item, also Ctrl+D and Ctrl+H, which a line edit would
// take for itself.
TEST_P(MenuItem, ShortcutFiresItsButtonWithTheFocusInTheLoadField) {
  const MenuRow& row = GetParam();
  if (!*row.shortcut) GTEST_SKIP() << "no shortcut";
  if (IsEditingKey(QKeySequence(row.shortcut))) GTEST_SKIP() << "the field's own key";
  QLineEdit* edit1 = Find<QLineEdit>("Edit1");
  edit1->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
  QSignalSpy item(Action(row.item), &QAction::triggered);
  std::unique_ptr<QSignalSpy> button;
  if (*row.button) button = std::make_unique<QSignalSpy>(Action(row.button), &QAction::triggered);

  const QKeyCombination keys = QKeySequence(row.shortcut)[0];
  QTest::keyClick(edit1, keys.key(), keys.keyboardModifiers());

  EXPECT_EQ(item.count(), 1);
  if (button) {
    EXPECT_EQ(button->count(), 1);
  }
  EXPECT_EQ(edit1->text(), "1");
  EXPECT_FALSE(edit1->hasSelectedText());
}

INSTANTIATE_TEST_SUITE_P(Table, MenuItem, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return std::string(info.param.item); });

TEST_F(WindowTest, MenuCaptionsAreExactAndCarryNoHotKeys) {
  QStringList titles;
  for (QAction* a : form1->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{"文件", "编辑", "设置", "条件", "视图", "计算", "帮助"}));
  for (QAction* a : form1->findChildren<QAction*>()) EXPECT_FALSE(a->text().contains('&')) << a->text().toStdString();
}

TEST_F(WindowTest, AMenuItemAndItsButtonRunTheSameHandler) {
  QTest::mouseClick(Button("ToolButton8"), Qt::LeftButton);
  EXPECT_EQ(session().oneWayToggle(), 2);
  Action("N15")->trigger();
  EXPECT_EQ(session().oneWayToggle(), 3);
  QTest::mouseClick(Button("ToolButton10"), Qt::LeftButton);
  Action("N16")->trigger();
  EXPECT_EQ(session().twoWayToggle(), 3);
}

TEST_F(WindowTest, TheStressItemsChooseTheirComponentBeforePlotting) {
  auto* combo = Find<QComboBox>("ComboBox1");
  int seen = -1;
  QObject::connect(Action("ToolButton18"), &QAction::triggered, [&] { seen = combo->currentIndex(); });
  Action("y1")->trigger();
  EXPECT_EQ(seen, 1);
  Action("max1")->trigger();
  EXPECT_EQ(seen, 5);
  EXPECT_EQ(combo->currentText(), "τmax");
}

// σθ joins 应力图 while the model is a solid of revolution, chooses itself
// in the component list and plots; a plane model's menu hides it again.
TEST_F(WindowTest, TheStressMenuOffersTheHoopStressOfASolidOfRevolution) {
  QAction* hoop = Action("StressPlot_stheta");
  ASSERT_NE(hoop, nullptr);
  EXPECT_EQ(hoop->text(), "σθ");
  Open(Cantilever());
  EXPECT_FALSE(hoop->isVisible());
  const auto problem = [this](ProblemType type) {
    form1->ToolButton1Click();
    form3->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(type);
    QTest::mouseClick(form3->findChild<QPushButton*>("Button1"), Qt::LeftButton);
  };
  problem(Axisymmetric);
  EXPECT_TRUE(hoop->isVisible());
  // The stresses in x and y are named in the solid's axes r and z.
  EXPECT_EQ(Action("x1")->text(), "σr");
  EXPECT_EQ(Action("xy1")->text(), "τrz");
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->itemText(1), "σz");
  Action("N19")->trigger();
  hoop->trigger();
  ASSERT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  EXPECT_EQ(session().shown().kind, PictureKind::Stress);
  EXPECT_EQ(session().shown().component, static_cast<int>(ResultField::SigmaTheta));
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->currentText(), "σθ");
  problem(PlaneStress);
  EXPECT_FALSE(hoop->isVisible());
  EXPECT_EQ(Action("x1")->text(), "σx");
  EXPECT_EQ(Find<QComboBox>("ComboBox1")->itemText(1), "σy");
}

// In an edit field its editing keys edit the text and never reach the menu:
// Ctrl+A once put a support on the selection, Ctrl+C deleted every support.
struct EditingRow {
  const char* name;
  QKeyCombination keys;
  const char* textAfter;
  const char* selectedAfter;
  const char* clipboardAfter;
};

void PrintTo(const EditingRow& row, std::ostream* os) { *os << row.name; }

class EditingKey : public WindowTest, public ::testing::WithParamInterface<EditingRow> {};

TEST_P(EditingKey, EditsTheFieldAndLeavesTheModelAlone) {
  const EditingRow& row = GetParam();
  Open(Cantilever());
  Drag({1, 1}, {Image1()->width(), Image1()->height()});
  ASSERT_EQ(session().selection().count, 4);
  Action("N16")->trigger();  // an edit that the menu's Ctrl+Z would undo
  const Model edited = session().model();
  form1->ToolButton1Click();
  for (QLineEdit* field : {Find<QLineEdit>("Edit1"), Find<QLineEdit>("Edit2"), form3->findChild<QLineEdit*>("Edit1"),
                           form3->findChild<QLineEdit*>("Edit3")}) {
    field->window()->activateWindow();
    field->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(field->window()));
    QApplication::clipboard()->setText("250");
    field->setText("75");
    field->setSelection(0, 1);  // the first digit, as a user selects it
    QTest::keyClick(field, row.keys.key(), row.keys.keyboardModifiers());
    EXPECT_EQ(field->text(), row.textAfter) << field->objectName().toStdString();
    EXPECT_EQ(field->selectedText(), row.selectedAfter);
    EXPECT_EQ(QApplication::clipboard()->text(), row.clipboardAfter);
  }
  EXPECT_TRUE(SameModel(session().model(), edited));
  EXPECT_EQ(session().oneWayToggle(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EditingKey,
    ::testing::Values(EditingRow{"SelectAll", Qt::CTRL | Qt::Key_A, "75", "75", "250"},
                      EditingRow{"Copy", Qt::CTRL | Qt::Key_C, "75", "7", "7"},
                      EditingRow{"Paste", Qt::CTRL | Qt::Key_V, "2505", "", "250"},
                      EditingRow{"Cut", Qt::CTRL | Qt::Key_X, "5", "", "7"},
                      EditingRow{"Undo", Qt::CTRL | Qt::Key_Z, "75", "7", "250"}),
    [](const auto& info) { return std::string(info.param.name); });

// A press on the drawing takes the focus from the field, so the condition
// shortcuts act on the band's selection as the menu says.
TEST_F(WindowTest, AfterARubberBandCtrlAToCtrlDActOnTheSelection) {
  Open(Cantilever());
  auto* edit1 = Find<QLineEdit>("Edit1");
  edit1->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
  edit1->setText("500");
  const Pixel p3 = PixelOf(3);
  Drag({p3.x - 3, p3.y - 3}, {p3.x + 3, p3.y + 3});
  EXPECT_TRUE(Image1()->hasFocus());
  const Node& n3 = session().model().nodes[3];
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(n3.restraint, FixedY);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(n3.restraint, FixedXY);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(n3.restraint, Free);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(n3.load, 500.0);
  EXPECT_EQ(edit1->text(), "500");
  // Outside the fields Ctrl+Z and Ctrl+Y undo and redo.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(n3.load, 1000.0);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(n3.load, 500.0);
}

// 导出数据 (Ctrl+E): refused before a compute, then the two formats offered and
// the chosen file written.
TEST_F(WindowTest, ExportAsksForAComputeFirstThenWritesTheChosenFile) {
  Open(Cantilever());
  const std::string vtu = folder.File("out.vtu");
  chooser.Answer(vtu);
  QTest::keyClick(form1.get(), Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(errors, QStringList{"请先计算"});
  EXPECT_EQ(chooser.asked.size(), 1u);  // only the open
  Action("N19")->trigger();
  Action("N11")->trigger();
  ASSERT_EQ(chooser.asked.size(), 3u);
  EXPECT_EQ(chooser.asked[1].label, "VTK结果文件 (*.vtu)");
  EXPECT_EQ(chooser.asked[2].label, "CSV表格 (*.csv)");
  EXPECT_TRUE(std::filesystem::exists(vtu));
  EXPECT_EQ(errors.size(), 1);
}

}  // namespace
}  // namespace trivane::testing
