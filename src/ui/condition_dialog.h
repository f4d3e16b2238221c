#pragma once
// The dialogs of the 条件 menu's loads: a line saying what the load will act
// on, an optional choice of kind, and labelled number fields. "确定" hands the
// typed texts to the command layer; when they are refused the error is
// reported and the dialog stays open with them. The dialog keeps its texts
// from one showing to the next, and one set of them for each kind: a value
// typed for one kind never shows as another's.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "ui/error_box.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace trivane {

class ConditionDialog : public QDialog {
 public:
  struct Field {
    QString label;
    QString text;  // the first showing's text
  };

  // kinds: the entries of the kind choice ("ComboBox1"); none shows no choice.
  // The fields are "Edit1", "Edit2", ... with labels "Label1", "Label2", ...
  ConditionDialog(QWidget* parent, const char* name, const QString& title, const std::vector<Field>& fields,
                  const QStringList& kinds, ErrorReporter report);

  // The texts a kind's fields show until the user types others; by default
  // the fields' own.
  void SetKindTexts(int kind, const QStringList& texts);

  // The label of the kind choice, "类型:" unless set.
  void SetKindLabel(const QString& label);

  // The line above the fields ("Note").
  void SetNote(const QString& note);
  // A note that follows what is typed: `note` is asked again whenever the
  // kind or a field changes, so the dialog says what 确定 will do before it
  // is pressed.
  void SetNote(std::function<QString()> note);
  int Kind() const;
  QString Text(int field) const;
  QLabel* Label(int field) const { return labels_[static_cast<std::size_t>(field)]; }
  QLineEdit* Edit(int field) const { return edits_[static_cast<std::size_t>(field)]; }

  // Runs the command with the texts; called by "确定".
  std::function<void()> onAccept;
  // The kind chosen changed: relabel or disable the fields that depend on it.
  std::function<void(int kind)> onKindChanged;

 private:
  void Accept();
  void KindChanged(int kind);
  void RefreshNote();

  ErrorReporter report_;
  std::function<QString()> describe_;
  QLabel* note_;
  QComboBox* kinds_ = nullptr;
  QLabel* kindLabel_ = nullptr;
  std::vector<QLabel*> labels_;
  std::vector<QLineEdit*> edits_;
  std::vector<QStringList> kindTexts_;  // per kind, the texts of the fields
  int kind_ = 0;                        // the kind the fields show
};

}  // namespace trivane
