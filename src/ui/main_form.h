#pragma once
// TForm1, the main window: menu bar, toolbar, drawing surface, status bar. It
// holds no model logic: every handler forwards to the command layer and shows
// a failure in a message box.
#include <QMainWindow>
#include <QString>
#include <memory>

#include "app/session.h"
#include "display_qt/qt_canvas.h"
#include "ui/error_box.h"
#include "ui/save_question.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;

namespace trivane {

class DrawingSurface;
class HelpWindow;
class ConditionDialog;
class PropertiesDialog;
class ResultsArea;
class StatusCounts;

class MainForm : public QMainWindow {
 public:
  // chooser: where file names come from; null means the toolkit's dialogs.
  explicit MainForm(FileChooser* chooser = nullptr, QWidget* parent = nullptr);
  ~MainForm() override;

  // Window creation: paints the surface black and loads the palette; a palette
  // error is reported and the window carries on with a black palette.
  void FormCreate(const QString& palettePath);
  // The about box and the model-properties dialog, created after this window.
  void SetDialogs(QWidget* aboutBox, PropertiesDialog* propertiesDialog);
  // The file named on the command line (`trivane FILE`); a failure is
  // reported and the window shows the empty model.
  void OpenFile(const QString& path);
  void SetErrorReporter(ErrorReporter report) { report_ = std::move(report); }
  const ErrorReporter& errorReporter() const { return report_; }
  // Asked before 新建, 打开, 导入模型 and closing drop a changed model.
  void SetSaveQuestion(SaveQuestion ask) { askToSave_ = std::move(ask); }

  Session& session() { return *session_; }
  const QtCanvas& canvas() const { return *canvas_; }

  // Handlers, named after the control that raises them.
  void ToolButton2Click();
  void ToolButton3Click();
  void ToolButton16Click();
  void ToolButton6Click();
  void ToolButton1Click();
  void ToolButton8Click();
  void ToolButton10Click();
  void ToolButton4Click();
  void ToolButton12Click();
  void ToolButton14MouseDown();
  void ToolButton14Click();
  void ToolButton15Click();
  void ToolButton18Click();
  void ToolButton20Click();
  // The probe: while checked, a press on the drawing shows the values under
  // the pointer instead of starting a rubber band.
  void ToolButton7Click(bool checked);
  // The help window with the user guide.
  void ToolButton9Click();
  void N11Click();
  void N13Click();
  // Results beyond the six stresses and how they are drawn.
  void ResultPlot(int field);
  void PlotOptionsChanged();
  void DeformationScaleClick();
  void LineGraphClick();
  void FormResize();
  // 条件: loads on the selected boundary edges, gravity, selection by group.
  void EdgeLoadClick();
  void WaterClick();
  void GravityClick();
  // 温度…: a temperature change for the model or the selected regions.
  void TemperatureClick();
  void RemoveEdgeLoadsClick();
  void SelectGroupClick();
  // 编辑
  void UndoClick();
  void RedoClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildConditionDialogs();
  // The component list offers the fields of the model's problem type.
  void FillComponentList();
  QAction* AddButton(const char* name, const char* picture, const QString& hint, void (MainForm::*handler)());
  void Run(const std::function<void()>& command);
  // True when the model may go: unchanged, saved now, or the user lets it go.
  bool MayDiscardModel();
  void ProbeAt(int x, int y);
  void UpdateResultsArea();
  void ShowLineGraph(LinePoint from, LinePoint to);
  // Everything beside the picture that follows the model: the results area,
  // the material panel, the caption and the undo and redo items.
  void UpdateWindow();

  std::unique_ptr<QtCanvas> canvas_;
  std::unique_ptr<StatusCounts> counts_;
  std::unique_ptr<FileChooser> ownChooser_;
  std::unique_ptr<Session> session_;
  ErrorReporter report_ = ShowErrorBox;
  SaveQuestion askToSave_ = AskToSave;
  DrawingSurface* image1_ = nullptr;
  QLabel* image2_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QComboBox* comboBox1_ = nullptr;
  QWidget* aboutBox_ = nullptr;
  QWidget* propertiesDialog_ = nullptr;
  QWidget* toolButton14_ = nullptr;
  ResultsArea* results_ = nullptr;
  HelpWindow* help_ = nullptr;
  QLabel* materialPanel_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  ConditionDialog* edgeLoadDialog_ = nullptr;
  ConditionDialog* waterDialog_ = nullptr;
  ConditionDialog* gravityDialog_ = nullptr;
  ConditionDialog* temperatureDialog_ = nullptr;
  ProblemType listedProblem_ = PlaneStress;
  bool probing_ = false;
  Qt::KeyboardModifiers pressModifiers_;
  QString probeText_;
  std::vector<QAction*> menuShortcuts_;
};

}  // namespace trivane
