#pragma once
// The plain message dialog: the text, the application's title as caption
// and one "OK" button. Used for the few messages that do not go through the program's own
// message box (missing library, unexpected errors). Under a ui::Script the text is only recorded.
#include <QString>

namespace ui {

void showMessage(const QString& text);

} // namespace ui
