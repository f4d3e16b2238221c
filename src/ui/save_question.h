#pragma once
// The question asked before a command would drop a changed model.
#include <functional>

class QWidget;

namespace trivane {

enum class SaveAnswer { Save, Discard, Cancel };

// Windows take the question as a value so that tests can answer it.
using SaveQuestion = std::function<SaveAnswer(QWidget* parent)>;

// "模型已修改，是否保存？" in a modal box with 保存, 不保存 and 取消; closing
// the box cancels.
SaveAnswer AskToSave(QWidget* parent);

}  // namespace trivane
