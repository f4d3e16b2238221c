// The menu bar's captions and shortcuts, and that each item runs its toolbar
// button's handler, also with the keyboard focus in an edit field.
#include <filesystem>
#include <QMenu>
#include <QMenuBar>
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
    {"N14", "设置", "模型属性", "Ctrl+M", "ToolButton1"},
    {"N15", "条件", "单向约束", "Ctrl+A", "ToolButton8"},
    {"N16", "条件", "双向约束", "Ctrl+B", "ToolButton10"},
    {"N17", "条件", "删除约束", "Ctrl+C", "ToolButton4"},
    {"N18", "条件", "集中荷载", "Ctrl+D", "ToolButton12"},
    {"N19", "计算", "计算", "Ctrl+G", "ToolButton14"},
    {"N21", "计算", "变形图", "Ctrl+H", "ToolButton15"},
    {"x1", "应力图", "σx", "Ctrl+F1", "ToolButton18"},
    {"y1", "应力图", "σy", "Ctrl+F2", "ToolButton18"},
    {"xy1", "应力图", "τxy", "Ctrl+F3", "ToolButton18"},
    {"N110", "应力图", "σ1", "Ctrl+F4", "ToolButton18"},
    {"N24", "应力图", "σ2", "Ctrl+F5", "ToolButton18"},
    {"max1", "应力图", "τmax", "Ctrl+F6", "ToolButton18"},
    {"N25", "帮助", "帮助", "F1", ""},
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

// With the focus in the load field, where Ctrl+A, Ctrl+C, Ctrl+D and Ctrl+H
// are the field's own keys, every shortcut still reaches its menu item.
TEST_P(MenuItem, ShortcutFiresItsButtonWithTheFocusInTheLoadField) {
  const MenuRow& row = GetParam();
  if (!*row.shortcut) GTEST_SKIP() << "no shortcut";
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
  EXPECT_EQ(titles, (QStringList{"文件", "设置", "条件", "计算", "帮助"}));
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

TEST_F(WindowTest, HelpAndTheTwoSpareButtonsDoNothing) {
  Open(Cantilever());
  const QImage before = form1->canvas().Image();
  Action("N25")->trigger();
  QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
  QTest::mouseClick(Button("ToolButton9"), Qt::LeftButton);
  EXPECT_EQ(form1->canvas().Image(), before);
  EXPECT_TRUE(errors.isEmpty());
  EXPECT_TRUE(chooser.asked.size() == 1);
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
