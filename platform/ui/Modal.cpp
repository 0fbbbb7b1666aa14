#include "platform/ui/Modal.h"

#include "platform/ui/Application.h"

#include <QCoreApplication>
#include <QPointer>

namespace ui {

namespace {
Script* g_script = nullptr;
}

Script::Script() : previous_(g_script) { g_script = this; }

Script::~Script() { g_script = previous_; }

void Script::onModal(ModalHandler handler) { queue_.push_back(std::move(handler)); }

void Script::setDefault(ModalHandler handler) { default_ = std::move(handler); }

int Script::pending() const { return static_cast<int>(queue_.size()); }

QStringList Script::unhandled() const { return unhandled_; }

QStringList Script::messages() const { return messages_; }

QString Script::lastMessage() const { return messages_.isEmpty() ? QString() : messages_.back(); }

void Script::clearMessages() { messages_.clear(); }

Script* Script::current() { return g_script; }

int showModal(QDialog* dialog)
{
    if (!dialog)
        return QDialog::Rejected;
    Script* script = g_script;
    if (!script)
        return dialog->exec();

    ModalHandler handler;
    if (!script->queue_.empty()) {
        handler = std::move(script->queue_.front());
        script->queue_.pop_front();
    } else if (script->default_) {
        handler = script->default_;
    }

    QPointer<QDialog> guard(dialog);
    dialog->setResult(0);
    dialog->show(); // runs the show handlers, as exec would
    int code = QDialog::Rejected;
    if (handler)
        code = handler(dialog);
    else
        script->unhandled_ << dialog->windowTitle();
    if (!guard)
        return code;
    if (dialog->isVisible()) {
        dialog->done(code);
        if (dialog->isVisible()) // the dialog refused to close: do not leave it hanging
            dialog->hide();
        return code;
    }
    return dialog->result();
}

void later(std::function<void()> fn)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [fn = std::move(fn)] { guard(fn); }, Qt::QueuedConnection);
}

} // namespace ui
