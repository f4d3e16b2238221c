#include "window_fixture.h"

#include "io/problem_file.h"

namespace trivane::testing {

WindowTest::WindowTest() {
  form1 = std::make_unique<MainForm>(&chooser);
  form1->SetErrorReporter([this](QWidget*, const QString& text) { errors << text; });
  form1->SetSaveQuestion([this](QWidget*) {
    ++saveQuestions;
    return saveAnswer;
  });
  form2 = std::make_unique<AboutBox>();
  form3 = std::make_unique<PropertiesDialog>(form1->session(), form1->errorReporter());
  form1->SetDialogs(form2.get(), form3.get());
  form1->show();
  form1->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(form1.get()));
  form1->FormCreate(TRIVANE_PALETTE_PATH);
}

WindowTest::~WindowTest() {
  saveAnswer = SaveAnswer::Discard;
  form3->hide();
  form2->hide();
  form1->close();
}

void WindowTest::Open(const Model& model) {
  chooser.Answer(folder.Write("model.trv", WriteProblem(model)));
  Action("ToolButton2")->trigger();
}

void WindowTest::Drag(QPoint from, QPoint to) {
  DrawingSurface* surface = Image1();
  QTest::mousePress(surface, Qt::LeftButton, {}, from);
  QTest::mouseMove(surface, (from + to) / 2);
  QTest::mouseMove(surface, to);
  QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
}

Pixel WindowTest::PixelOf(int32_t node) {
  const Node& n = session().model().nodes[node];
  return ToPixel(session().view(), n.x, n.y);
}

}  // namespace trivane::testing
