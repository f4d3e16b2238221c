#pragma once
// The help window: the user guide shipped with the program, in Chinese.
#include <QWidget>

namespace trivane {

class HelpWindow : public QWidget {
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace trivane
