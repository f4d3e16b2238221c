#include "ui/main_form.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <algorithm>

#include "ui/drawing_surface.h"
#include "ui/pictures.h"
#include "ui/qt_file_chooser.h"

namespace trivane {

// Panels 1 and 3 of the status bar show the counts of the last redraw.
class StatusCounts : public CountSink {
 public:
  explicit StatusCounts(QStatusBar* bar) : bar_(bar) {}
  void ShowCounts(int32_t nodes, int32_t elements) override {
    bar_->findChild<QLabel*>("StatusPanel1")->setText(QString::number(nodes));
    bar_->findChild<QLabel*>("StatusPanel3")->setText(QString::number(elements));
  }

 private:
  QStatusBar* bar_;
};

namespace {

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
    : QMainWindow(parent), canvas_(std::make_unique<QtCanvas>(DrawingSurface::MaxWidth, DrawingSurface::MaxHeight)) {
  LoadPictures();
  setObjectName("TForm1");
  setWindowTitle("Trivane");
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

  auto* host = new SurfaceHost(this);
  host->setObjectName("ClientArea");
  setCentralWidget(host);
  image1_ = new DrawingSurface(*canvas_, host);
  image1_->onMouseDown = [this](int x, int y) { Run([&] { session_->MouseDown(x, y); }); };
  image1_->onMouseMove = [this](int x, int y) { Run([&] { session_->MouseMove(x, y); }); };
  image1_->onMouseUp = [this](int x, int y) { Run([&] { session_->MouseUp(x, y); }); };

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
  host->onResize = [this] { FormResize(); };
}

MainForm::~MainForm() = default;

void MainForm::FormCreate(const QString& palettePath) {
  canvas_->SetVisibleSize(image1_->width(), image1_->height());
  Run([&] { session_->Start(palettePath.toStdString()); });
}

void MainForm::SetDialogs(QWidget* aboutBox, QWidget* propertiesDialog) {
  aboutBox_ = aboutBox;
  propertiesDialog_ = propertiesDialog;
}

void MainForm::Run(const std::function<void()>& command) {
  RunReporting(this, [this](QWidget* parent, const QString& text) {
    image1_->update();
    report_(parent, text);
  }, command);
  image1_->update();
}

void MainForm::ToolButton2Click() { Run([this] { session_->OpenProblem(); }); }
void MainForm::ToolButton3Click() { Run([this] { session_->SaveProblem(); }); }
void MainForm::ToolButton16Click() { Run([this] { session_->NewModel(); }); }
void MainForm::ToolButton6Click() { Run([this] { session_->ImportMesh(); }); }
void MainForm::ToolButton8Click() { Run([this] { session_->OneWayRestraint(); }); }
void MainForm::ToolButton10Click() { Run([this] { session_->TwoWayRestraint(); }); }
void MainForm::ToolButton4Click() { Run([this] { session_->DeleteRestraint(); }); }
void MainForm::ToolButton15Click() { Run([this] { session_->DeformedPlot(); }); }
void MainForm::ToolButton18Click() { Run([this] { session_->StressPlot(comboBox1_->currentIndex()); }); }

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
// the failure is reported.
void MainForm::ToolButton14Click() {
  RunReporting(this, [this](QWidget* parent, const QString& text) {
    image2_->hide();
    report_(parent, text);
  }, [this] { session_->Compute(); });
  image2_->hide();
}

void MainForm::N11Click() { Run([this] { session_->ExportResults(); }); }
void MainForm::N13Click() { close(); }

void MainForm::FormResize() {
  const QSize area = centralWidget()->size();
  image1_->setGeometry(0, 0, std::clamp(area.width(), DrawingSurface::MinWidth, DrawingSurface::MaxWidth),
                       std::clamp(area.height(), DrawingSurface::MinHeight, DrawingSurface::MaxHeight));
  canvas_->SetVisibleSize(image1_->width(), image1_->height());
  Run([this] { session_->Resize(); });
}

// An edit field would take Ctrl+A, Ctrl+C, Ctrl+D, Ctrl+H for itself; the menu's
// shortcuts go first, whichever control has the focus.
bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == toolButton14_) {
    if (event->type() == QEvent::MouseButtonPress) ToolButton14MouseDown();
    return false;
  }
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
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
