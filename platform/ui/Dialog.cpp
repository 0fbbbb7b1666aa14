#include "platform/ui/Dialog.h"
#include "platform/ui/Connect.h"
#include "platform/ui/WindowFit.h"

#include <QAbstractButton>
#include <QShowEvent>

namespace ui {

Dialog::Dialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void Dialog::done(int result)
{
    if (!closing(result))
        return;
    QDialog::done(result);
}

void Dialog::reject() { done(closeResult_); }

void Dialog::setCloseButton(QAbstractButton* button, int result)
{
    closeResult_ = result;
    on(button, &QAbstractButton::clicked, this, &Dialog::reject);
}

bool Dialog::closing(int) { return true; }

void Dialog::showing() {}

void Dialog::setVisible(bool visible)
{
    if (visible && !isVisible())
        fitToScreen(this);
    QDialog::setVisible(visible);
}

void Dialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        focusFirstInput(this);
        showing();
    }
}

} // namespace ui
