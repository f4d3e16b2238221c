#pragma once
// TForm2: a tool window that shows the about picture and nothing else.
#include <QWidget>

namespace trivane {

class AboutBox : public QWidget {
 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace trivane
