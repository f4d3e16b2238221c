#include "ui/condition_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace trivane {

ConditionDialog::ConditionDialog(QWidget* parent, const char* name, const QString& title,
                                 const std::vector<Field>& fields, const QStringList& kinds, ErrorReporter report)
    : QDialog(parent), report_(std::move(report)) {
  setObjectName(name);
  setWindowTitle(title);
  setModal(true);
  auto* column = new QVBoxLayout(this);
  note_ = new QLabel(this);
  note_->setObjectName("Note");
  note_->setWordWrap(true);
  column->addWidget(note_);

  auto* form = new QFormLayout;
  if (!kinds.isEmpty()) {
    kinds_ = new QComboBox(this);
    kinds_->setObjectName("ComboBox1");
    kinds_->addItems(kinds);
    kindLabel_ = new QLabel("类型:", this);
    kindLabel_->setObjectName("KindLabel");
    form->addRow(kindLabel_, kinds_);
    connect(kinds_, &QComboBox::currentIndexChanged, this, [this](int kind) { KindChanged(kind); });
    connect(kinds_, &QComboBox::currentIndexChanged, this, [this] { RefreshNote(); });
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    auto* label = new QLabel(fields[i].label, this);
    label->setObjectName(QString("Label%1").arg(i + 1));
    auto* edit = new QLineEdit(fields[i].text, this);
    edit->setObjectName(QString("Edit%1").arg(i + 1));
    edit->setMinimumWidth(140);
    label->setBuddy(edit);
    connect(edit, &QLineEdit::textChanged, this, [this] { RefreshNote(); });
    form->addRow(label, edit);
    labels_.push_back(label);
    edits_.push_back(edit);
  }
  column->addLayout(form);
  QStringList texts;
  for (const Field& field : fields) texts << field.text;
  kindTexts_.assign(static_cast<std::size_t>(std::max<qsizetype>(kinds.size(), 1)), texts);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("确定", QDialogButtonBox::AcceptRole);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  buttons->addButton("取消", QDialogButtonBox::RejectRole)->setObjectName("Button2");
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Accept(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

void ConditionDialog::SetKindTexts(int kind, const QStringList& texts) {
  kindTexts_.at(static_cast<std::size_t>(kind)) = texts;
  if (kind == kind_)
    for (std::size_t i = 0; i < edits_.size(); ++i) edits_[i]->setText(texts.value(static_cast<qsizetype>(i)));
}

void ConditionDialog::KindChanged(int kind) {
  if (kind < 0) return;
  QStringList& left = kindTexts_.at(static_cast<std::size_t>(kind_));
  for (std::size_t i = 0; i < edits_.size(); ++i) left[static_cast<qsizetype>(i)] = edits_[i]->text();
  kind_ = kind;
  SetKindTexts(kind, kindTexts_.at(static_cast<std::size_t>(kind)));
  if (onKindChanged) onKindChanged(kind);
}

void ConditionDialog::SetKindLabel(const QString& label) { kindLabel_->setText(label); }

void ConditionDialog::SetNote(const QString& note) {
  describe_ = nullptr;
  note_->setText(note);
}

void ConditionDialog::SetNote(std::function<QString()> note) {
  describe_ = std::move(note);
  RefreshNote();
}

void ConditionDialog::RefreshNote() {
  if (describe_) note_->setText(describe_());
}

int ConditionDialog::Kind() const { return kinds_ ? kinds_->currentIndex() : 0; }

QString ConditionDialog::Text(int field) const { return Edit(field)->text(); }

void ConditionDialog::Accept() {
  bool applied = false;
  RunReporting(this, report_, [&] {
    if (onAccept) onAccept();
    applied = true;
  });
  if (applied) accept();
}

}  // namespace trivane
