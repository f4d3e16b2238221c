// Work is not lost without a word: the commands that drop a changed model ask
// first, and the file dialogs start where the user's files are.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "io/files.h"
#include "io/problem_file.h"
#include "support/tolerance.h"
#include "ui/qt_file_chooser.h"
#include "window_fixture.h"

namespace trivane::testing {
namespace {

const std::string Triangle =
    "*MESH_NUMFACES 1\r\n"
    "*MESH_VERTEX    0\t0.0\t0.0\t0.0\r\n"
    "*MESH_VERTEX    1\t1.0\t0.0\t0.0\r\n"
    "*MESH_VERTEX    2\t0.0\t0.0\t1.0\r\n"
    "*MESH_FACE    0:    A:    0 B:    1 C:    2\r\n";

enum class Drop { New, Open, Import, Exit };

struct DropRow {
  const char* name;
  const char* action;
  Drop command;
  const char* caption;  // after saving the changed model as saved.trv and running the command
};

void PrintTo(const DropRow& row, std::ostream* os) { *os << row.name; }

class DroppingAChangedModel : public WindowTest, public ::testing::WithParamInterface<DropRow> {
 protected:
  // The cantilever with a support taken off node 4 through the window.
  void OpenAndEdit() {
    form1->show();
    Open(Cantilever());
    const Pixel p4 = PixelOf(4);
    Drag({p4.x - 3, p4.y - 3}, {p4.x + 3, p4.y + 3});
    Action("ToolButton4")->trigger();
    ASSERT_TRUE(session().modified());
  }
  bool Changed() { return session().model().nodes[4].restraint == Free && session().model().nodeCount == 4; }
  // Answers the command's own file question.
  void Prepare(Drop command) {
    if (command == Drop::Open) {
      Model other = Cantilever();
      other.nodes[2].load = 7.0;
      chooser.Answer(folder.Write("other.trv", WriteProblem(other)));
    } else if (command == Drop::Import) {
      chooser.Answer(folder.Write("tri.ase", Triangle));
    }
  }
  bool Ran(Drop command) {
    switch (command) {
      case Drop::New: return session().model().nodeCount == 0;
      case Drop::Open: return session().model().nodes[2].load == 7.0;
      case Drop::Import: return session().model().nodeCount == 3;
      case Drop::Exit: return !form1->isVisible();
    }
    return false;
  }
};

TEST_P(DroppingAChangedModel, AsksAndSavesDiscardsOrCancelsAsAnswered) {
  const DropRow& row = GetParam();
  const auto trigger = [&](SaveAnswer answer) {
    saveAnswer = answer;
    const int asked = saveQuestions;
    Action(row.action)->trigger();
    return saveQuestions - asked;
  };
  OpenAndEdit();
  EXPECT_EQ(trigger(SaveAnswer::Cancel), 1);
  EXPECT_TRUE(Changed());
  EXPECT_TRUE(form1->isVisible());
  EXPECT_FALSE(Ran(row.command));

  Prepare(row.command);
  EXPECT_EQ(trigger(SaveAnswer::Discard), 1);
  EXPECT_TRUE(Ran(row.command));

  saveAnswer = SaveAnswer::Discard;
  OpenAndEdit();
  const Model edited = session().model();
  const std::string saved = folder.File("saved.trv");
  chooser.Answer(saved);
  Prepare(row.command);
  EXPECT_EQ(trigger(SaveAnswer::Save), 1);
  EXPECT_EQ(ReadFileBytes(saved), WriteProblem(edited));
  EXPECT_TRUE(Ran(row.command));
  if (row.caption) {
    EXPECT_EQ(form1->windowHandle()->title(), row.caption);
  }

  // Nothing changed since the open: nothing to ask.
  form1->show();
  saveAnswer = SaveAnswer::Discard;
  Open(Cantilever());
  Prepare(row.command);
  EXPECT_EQ(trigger(SaveAnswer::Cancel), 0);
  EXPECT_TRUE(Ran(row.command));

  // A mesh import changes the model as an edit does.
  form1->show();
  saveAnswer = SaveAnswer::Discard;
  Open(Cantilever());
  chooser.Answer(DataPath("gmsh/plate-41.msh"));
  Action("N10")->trigger();
  ASSERT_EQ(session().model().nodeCount, 65);
  EXPECT_EQ(trigger(SaveAnswer::Cancel), 1);
  EXPECT_FALSE(Ran(row.command));
}

INSTANTIATE_TEST_SUITE_P(Commands, DroppingAChangedModel,
                         ::testing::Values(DropRow{"New", "N6", Drop::New, "Trivane"},
                                           DropRow{"Open", "N7", Drop::Open, "other.trv - Trivane"},
                                           DropRow{"Import", "N10", Drop::Import, "saved.trv* - Trivane"},
                                           DropRow{"Exit", "N13", Drop::Exit, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs `answer` on the file dialog once it is up.
void WhenTheDialogIsUp(const std::function<void(QFileDialog*)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(dialog);
  });
}

// The first dialog opens in the home folder, never the program's data folder;
// later ones in the folder of the last file chosen. Their buttons speak
// Chinese.
TEST(FileDialogs, StartAtHomeThenWhereTheLastFileWas) {
  TempFolder folder;
  const std::string model = folder.Write("model.trv", WriteProblem(Cantilever()));
  QtFileChooser chooser(nullptr);
  QString started, cancel;
  WhenTheDialogIsUp([&](QFileDialog* d) {
    started = d->directory().absolutePath();
    cancel = d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
    d->selectFile(QString::fromStdString(model));
    QMetaObject::invokeMethod(d, "accept");
  });
  EXPECT_EQ(chooser.ChooseFileToOpen({ProblemOpenFilter}), model);
  EXPECT_EQ(started, QDir::homePath());
  EXPECT_EQ(cancel, "取消");

  WhenTheDialogIsUp([&](QFileDialog* d) {
    started = d->directory().absolutePath();
    d->reject();
  });
  EXPECT_EQ(chooser.ChooseFileToSave(ProblemSaveFilter, ProblemExtension, ""), std::nullopt);
  EXPECT_EQ(started, QDir(QString::fromStdString(folder.File(""))).absolutePath());
}

// Saving or exporting onto an existing file asks with the toolkit's own
// question, about the file that will be written ("No" keeps the dialog open);
// saving onto the model's own file, the one the dialog proposes, does not.
struct OverwriteRow {
  const char* name;
  bool exporting;
  const char* typed;
  const char* written;   // the file chosen, existing beforehand
  const char* question;  // none when empty
};

void PrintTo(const OverwriteRow& row, std::ostream* os) { *os << row.name; }

class Overwriting : public ::testing::TestWithParam<OverwriteRow> {};

TEST_P(Overwriting, AsksBeforeAnotherFileIsReplaced) {
  const OverwriteRow& row = GetParam();
  TempFolder folder;
  const std::string own = folder.Write("plate.trv", "old");
  const std::string written = folder.Write(row.written, "old");
  QtFileChooser chooser(nullptr);
  QString proposed;
  QStringList questions;
  const auto answerQuestion = [&](QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [&, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      questions << box->text();
      box->button(answer)->click();
    });
  };
  // A question where none belongs is answered, and counted, while the test lasts.
  QObject watch;
  WhenTheDialogIsUp([&](QFileDialog* d) {
    proposed = d->selectedFiles().value(0);
    d->setDirectory(QString::fromStdString(folder.File("")));
    d->selectFile(row.typed);
    if (*row.question) {
      answerQuestion(QMessageBox::No);
      QMetaObject::invokeMethod(d, "accept");
      ASSERT_EQ(QApplication::activeModalWidget(), d);
      answerQuestion(QMessageBox::Yes);
    } else {
      QTimer::singleShot(300, &watch, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          questions << box->text();
          box->button(QMessageBox::Yes)->click();
        }
      });
    }
    QMetaObject::invokeMethod(d, "accept");
  });
  const FileFilter filters[] = {VtuFilter, CsvFilter};
  const auto chosen = row.exporting ? chooser.ChooseExportFile(filters)
                                    : chooser.ChooseFileToSave(ProblemSaveFilter, ProblemExtension, own);
  EXPECT_EQ(chosen, std::filesystem::path(written).lexically_normal().string());
  if (!row.exporting) EXPECT_EQ(proposed.toStdString(), own);
  const QStringList expected = *row.question ? QStringList{row.question, row.question} : QStringList{};
  EXPECT_EQ(questions, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Overwriting,
    ::testing::Values(OverwriteRow{"SaveOntoTheModelsOwnFile", false, "plate.trv", "plate.trv", ""},
                      OverwriteRow{"SaveOntoAnotherFile", false, "other", "other.trv", "other.trv 已存在。\n您想要替换它吗？"},
                      OverwriteRow{"ExportWithTheFiltersExtension", true, "out", "out.vtu", "out.vtu 已存在。\n您想要替换它吗？"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxes, ShowQtsButtonsInChinese) {
  QMessageBox box(QMessageBox::Question, "Trivane", "?", QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
}

TEST(SaveQuestion, OffersSaveDiscardAndCancel) {
  QString text;
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    text = box->text();
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == "不保存") b->click();
  });
  EXPECT_EQ(AskToSave(nullptr), SaveAnswer::Discard);
  EXPECT_EQ(text, "模型已修改，是否保存？");
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"不保存", "保存", "取消"}));  // in sort order
}

}  // namespace
}  // namespace trivane::testing
