#pragma once
// The real main window with its two dialogs, shown off screen, with file names
// answered by a script and errors collected instead of shown (unless a test
// asks for the real message box).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/fakes.h"
#include "ui/about_box.h"
#include "ui/drawing_surface.h"
#include "ui/main_form.h"
#include "ui/properties_dialog.h"

namespace trivane::testing {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  template <typename T>
  T* Find(const char* name) const {
    T* found = form1->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QAction* Action(const char* name) const { return Find<QAction>(name); }
  QToolButton* Button(const char* name) const { return Find<QToolButton>(name); }
  DrawingSurface* Image1() const { return Find<DrawingSurface>("Image1"); }
  // Opens model through the open button and the scripted chooser.
  void Open(const Model& model);
  // QTest takes the point (0, 0) for the widget's centre: start at (1, 1) or beyond.
  void Drag(QPoint from, QPoint to);
  Pixel PixelOf(int32_t node);
  Session& session() { return form1->session(); }

  FakeChooser chooser;
  TempFolder folder;
  QStringList errors;
  // The answer to "模型已修改，是否保存？" and how often it was asked.
  SaveAnswer saveAnswer = SaveAnswer::Discard;
  int saveQuestions = 0;
  std::unique_ptr<MainForm> form1;
  std::unique_ptr<AboutBox> form2;
  std::unique_ptr<PropertiesDialog> form3;
};

}  // namespace trivane::testing
