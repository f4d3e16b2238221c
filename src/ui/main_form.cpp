#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolTip>
#include <algorithm>
#include <optional>

#include "model/result_fields.h"
#include "app/readout.h"
#include "model/errors.h"
#include "display/legend.h"
#include "ui/drawing_surface.h"
#include "ui/help_window.h"
#include "ui/properties_dialog.h"
#include "ui/pictures.h"
#include "ui/qt_file_chooser.h"
#include "ui/results_area.h"

namespace trivane {

// Panels 1 and 3 of the status bar show the counts of the last redraw. A
// panel keeps its width unless a count of a large model would not fit it.
class StatusCounts : public CountSink {
 public:
  explicit StatusCounts(QStatusBar* bar)
      : nodes_(bar->findChild<QLabel*>("StatusPanel1")),
        elements_(bar->findChild<QLabel*>("StatusPanel3")),
        nodesWidth_(nodes_->width()),
        elementsWidth_(elements_->width()) {}
  void ShowCounts(int32_t nodes, int32_t elements) override {
    Show(nodes_, nodesWidth_, nodes);
    Show(elements_, elementsWidth_, elements);
  }

 private:
  static void Show(QLabel* panel, int width, int32_t count) {
    const QString text = QString::number(count);
    panel->setText(text);
    const int needed = panel->fontMetrics().horizontalAdvance(text) + 2 * panel->frameWidth() + 4;
    panel->setFixedWidth(std::max(width, needed));
  }

  QLabel* nodes_;
  QLabel* elements_;
  int nodesWidth_;
  int elementsWidth_;
};

namespace {

// The wait pointer while it lives.
struct BusyPointer {
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

// Shift adds to the selection, Ctrl removes from it.
SelectionMode BandMode(Qt::KeyboardModifiers held) {
  if (held & Qt::ShiftModifier) return SelectionMode::Add;
  if (held & Qt::ControlModifier) return SelectionMode::Remove;
  return SelectionMode::Replace;
}

// The probe's readout one value a line, for the tooltip at the pointer; the
// status bar shows it in one line.
QString ProbeTooltip(QString readout) { return readout.replace("：", "\n").replace("，", "\n"); }

// The client area between toolbar and status bar; tells its owner when it
// changes size.
class SurfaceHost : public QWidget {
 public:
  explicit SurfaceHost(QWidget* parent) : QWidget(parent) {}
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent*) override {
    if (onResize) onResize();
  }
};

}  // namespace

MainForm::MainForm(FileChooser* chooser, QWidget* parent)
    : QMainWindow(parent), canvas_(std::make_unique<QtCanvas>(1024, 640)) {
  LoadPictures();
  setObjectName("TForm1");
  move(313, 155);
  resize(813, 535);

  BuildStatusBar();
  BuildToolBar();
  BuildMenu();
  counts_ = std::make_unique<StatusCounts>(statusBar());
  if (!chooser) {
    ownChooser_ = std::make_unique<QtFileChooser>(this);
    chooser = ownChooser_.get();
  }
  session_ = std::make_unique<Session>(*canvas_, *counts_, *chooser);
  FillComponentList();
  BuildConditionDialogs();

  auto* host = new SurfaceHost(this);
  host->setObjectName("ClientArea");
  setCentralWidget(host);
  image1_ = new DrawingSurface(*canvas_, host);
  // Picking a line's ends comes first, also with the probe on.
  image1_->onMouseDown = [this](int x, int y) {
    if (session_->PickingLine()) {
      if (const auto line = session_->PickLinePoint(x, y)) ShowLineGraph(line->first, line->second);
      return;
    }
    if (probing_) return ProbeAt(x, y);
    Run([&] { session_->MouseDown(x, y, BandMode(pressModifiers_)); });
  };
  image1_->onMouseMove = [this](int x, int y) {
    if (probing_) return ProbeAt(x, y);
    Run([&] { session_->MouseMove(x, y); });
  };
  // A release hides every tooltip; the probe's comes back at the pointer.
  image1_->onMouseUp = [this](int x, int y) {
    if (probing_) return ProbeAt(x, y);
    Run([&] { session_->MouseUp(x, y); });
  };
  image1_->onZoom = [this](int x, int y, double factor) { Run([&] { session_->ZoomAt(x, y, factor); }); };
  image1_->onPan = [this](int dx, int dy) { Run([&] { session_->Pan(dx, dy); }); };

  // The computation-in-progress picture, centred over the surface when shown.
  image2_ = new QLabel(host);
  image2_->setObjectName("Image2");
  image2_->setPixmap(QPixmap(":/pictures/computing.png"));
  image2_->setAlignment(Qt::AlignCenter);
  image2_->setGeometry(232, 168 - 40, 400, 141);
  image2_->hide();

  auto* memo1 = new QPlainTextEdit("Memo1", host);
  memo1->setObjectName("Memo1");
  memo1->hide();

  for (QLineEdit* edit : {edit1_, edit2_}) edit->installEventFilter(this);
  image1_->installEventFilter(this);
  host->onResize = [this] { FormResize(); };
  UpdateWindow();
}

MainForm::~MainForm() = default;

void MainForm::FormCreate(const QString& palettePath) {
  canvas_->SetVisibleSize(image1_->width(), image1_->height());
  Run([&] { session_->Start(palettePath.toStdString()); });
}

void MainForm::OpenFile(const QString& path) {
  Run([&] { session_->OpenFile(path.toStdString()); });
}

// A new material puts the results out of date, which the status bar says.
void MainForm::SetDialogs(QWidget* aboutBox, PropertiesDialog* propertiesDialog) {
  aboutBox_ = aboutBox;
  propertiesDialog_ = propertiesDialog;
  if (propertiesDialog) propertiesDialog->onApplied = [this] { UpdateWindow(); };
}

// Every command may change the picture, the results or the selection, so the
// values beside the picture follow each one; a probe's readout goes with the
// picture it was read from.
void MainForm::Run(const std::function<void()>& command) {
  probeText_.clear();
  RunReporting(this, [this](QWidget* parent, const QString& text) {
    image1_->update();
    UpdateWindow();
    report_(parent, text);
  }, command);
  image1_->update();
  UpdateWindow();
}

// The caption names the present file, with Qt's marker while the model
// differs from it; with no file and nothing to save it is just the program's
// name.
void MainForm::UpdateWindow() {
  FillComponentList();
  UpdateResultsArea();
  materialPanel_->setText(QString::fromStdString(MaterialText(session_->model().entered)));
  const QString file = QFileInfo(QString::fromStdString(session_->fileName())).fileName();
  const bool modified = session_->modified();
  if (!file.isEmpty()) setWindowTitle(file + "[*] - Trivane");
  else setWindowTitle(modified ? "Trivane[*]" : "Trivane");
  setWindowModified(modified);
  undo_->setEnabled(session_->history().CanUndo());
  redo_->setEnabled(session_->history().CanRedo());
}

void MainForm::UpdateResultsArea() {
  // A legend the status bar cannot hold whole goes into the drawing.
  const ShownPicture& shown = session_->shown();
  if (shown.kind == PictureKind::Stress) {
    const ResultFieldRow row =
        NamedRow(static_cast<ResultField>(shown.component), session_->model().entered.problem);
    const bool fits =
        results_->ShowLegend(QString::fromStdString(std::string(row.name)), shown.range, session_->palette());
    if (fits == session_->LegendInDrawing()) {
      RunReporting(this, report_, [&] { session_->SetLegendInDrawing(!fits); });
      image1_->update();
    }
  } else {
    results_->HideLegend();
  }
  QStringList parts;
  if (!probeText_.isEmpty()) parts << probeText_;
  if (shown.kind == PictureKind::Deformed)
    parts << QString::fromStdString(DeformedText(shown.deformed));
  if (session_->HasResults()) parts << QString::fromStdString(ErrorText(session_->solution().error));
  if (session_->PickingLine()) parts << "路径图：在图上点击直线的两端";
  if (session_->ResultsOutOfDate()) parts << ResultsOutOfDate;
  const std::string selected = SelectionText(session_->selection().count);
  if (!selected.empty()) parts << QString::fromStdString(selected);
  results_->SetText(parts.join("    "));
}

void MainForm::ProbeAt(int x, int y) {
  const ProbeHit hit = session_->Probe(x, y);
  probeText_ = QString::fromStdString(
      ProbeText(session_->model(), hit, session_->HasResults() ? &session_->solution() : nullptr));
  UpdateResultsArea();
  if (probeText_.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(image1_->mapToGlobal(QPoint(x, y)), ProbeTooltip(probeText_), image1_);
  }
}

void MainForm::ToolButton7Click(bool checked) {
  probing_ = checked;
  if (checked) return;
  probeText_.clear();
  QToolTip::hideText();
  UpdateResultsArea();
}

void MainForm::ToolButton9Click() {
  if (!help_) {
    help_ = new HelpWindow(this);
    help_->move(pos() + QPoint(40, 40));
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

bool MainForm::MayDiscardModel() {
  if (!session_->modified()) return true;
  switch (askToSave_(this)) {
    case SaveAnswer::Discard:
      return true;
    case SaveAnswer::Save:
      ToolButton3Click();
      return !session_->modified();
    case SaveAnswer::Cancel:
      break;
  }
  return false;
}

// The program ends with its main window, the secondary windows with it.
void MainForm::closeEvent(QCloseEvent* event) {
  if (!MayDiscardModel()) return event->ignore();
  for (QWidget* window : {aboutBox_, propertiesDialog_, static_cast<QWidget*>(help_)}) {
    if (window) window->close();
  }
  event->accept();
}

void MainForm::ToolButton2Click() {
  if (MayDiscardModel()) Run([this] { session_->OpenProblem(); });
}
void MainForm::ToolButton3Click() { Run([this] { session_->SaveProblem(); }); }
void MainForm::ToolButton16Click() {
  if (MayDiscardModel()) Run([this] { session_->NewModel(); });
}
void MainForm::ToolButton6Click() {
  if (MayDiscardModel()) Run([this] { session_->ImportMesh(); });
}
void MainForm::ToolButton8Click() { Run([this] { session_->OneWayRestraint(); }); }
void MainForm::ToolButton10Click() { Run([this] { session_->TwoWayRestraint(); }); }
void MainForm::ToolButton4Click() { Run([this] { session_->DeleteRestraint(); }); }
void MainForm::ToolButton15Click() { Run([this] { session_->DeformedPlot(); }); }
void MainForm::ToolButton18Click() { Run([this] { session_->StressPlot(comboBox1_->currentData().toInt()); }); }

void MainForm::ToolButton12Click() {
  Run([this] { session_->ApplyLoad(edit1_->text().toStdString(), edit2_->text().toStdString()); });
}

void MainForm::ToolButton1Click() {
  if (!propertiesDialog_) return;
  propertiesDialog_->show();
  propertiesDialog_->raise();
}

void MainForm::ToolButton20Click() {
  if (!aboutBox_) return;
  aboutBox_->show();
  aboutBox_->raise();
}

// Painted at once: the click that follows keeps the thread busy until the
// computation ends.
void MainForm::ToolButton14MouseDown() {
  image2_->show();
  image2_->raise();
  image2_->repaint();
}

// The picture goes away when the computation ends, also when it fails, before
// the failure is reported. A large model takes seconds, so the picture and a
// busy pointer show however the computation was started.
void MainForm::ToolButton14Click() {
  std::optional<BusyPointer> busy;
  if (session_->model().nodeCount > MaxGaussJordanNodes) {
    ToolButton14MouseDown();
    busy.emplace();
  }
  RunReporting(this, [this, &busy](QWidget* parent, const QString& text) {
    image2_->hide();
    busy.reset();
    report_(parent, text);
  }, [this] { session_->Compute(); });
  image2_->hide();
  probeText_.clear();
  UpdateWindow();
}

void MainForm::N11Click() { Run([this] { session_->ExportResults(); }); }
void MainForm::N13Click() { close(); }

void MainForm::FormResize() {
  const QSize area = centralWidget()->size();
  image1_->setGeometry(0, 0, std::max(area.width(), DrawingSurface::MinWidth),
                       std::max(area.height(), DrawingSurface::MinHeight));
  canvas_->GrowRaster(image1_->width(), image1_->height());
  canvas_->SetVisibleSize(image1_->width(), image1_->height());
  Run([this] { session_->Resize(); });
}

// In an edit field its own editing keys (select all, copy, paste, cut, undo,
// redo) edit the text. Every other menu shortcut goes first, whichever control has
// the focus, also those a line edit would take for itself, like Ctrl+D and
// Ctrl+H: a load typed into 荷载 is applied at once with Ctrl+D.
bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == toolButton14_) {
    if (event->type() == QEvent::MouseButtonPress) ToolButton14MouseDown();
    return false;
  }
  // The keys held at a press on the drawing decide what its band selects.
  if (watched == image1_) {
    if (event->type() == QEvent::MouseButtonPress) pressModifiers_ = static_cast<QMouseEvent*>(event)->modifiers();
    return false;
  }
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  for (const auto editing : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut,
                             QKeySequence::Undo, QKeySequence::Redo}) {
    if (key->matches(editing)) return false;
  }
  const QKeySequence pressed(key->keyCombination());
  const auto match = std::find_if(menuShortcuts_.begin(), menuShortcuts_.end(),
                                  [&](QAction* a) { return a->shortcut() == pressed; });
  if (match == menuShortcuts_.end()) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
  } else {
    (*match)->trigger();
  }
  return true;
}

}  // namespace trivane
