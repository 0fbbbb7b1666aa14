#include "platform/ui/MessageDialog.h"

#include "platform/ui/Modal.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {

void showMessage(const QString& text)
{
    if (Script* script = Script::current()) {
        script->messages_ << text;
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace ui
