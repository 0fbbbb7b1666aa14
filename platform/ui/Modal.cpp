#include "platform/ui/Modal.h"

#include "platform/ui/Application.h"

#include <QCoreApplication>
#include <QPointer>

namespace ui {

namespace {
Script* g_script = nullptr;
}

Script::Script() : m_previous(g_script)
{
    g_script = this;
}

Script::~Script()
{
    g_script = m_previous;
}

void Script::onModal(ModalHandler handler)
{
    m_queue.push_back(std::move(handler));
}

void Script::setDefault(ModalHandler handler)
{
    m_default = std::move(handler);
}

int Script::pending() const
{
    return static_cast<int>(m_queue.size());
}

QStringList Script::unhandled() const
{
    return m_unhandled;
}

QStringList Script::messages() const
{
    return m_messages;
}

QString Script::lastMessage() const
{
    return m_messages.isEmpty() ? QString() : m_messages.back();
}

void Script::clearMessages()
{
    m_messages.clear();
}

Script* Script::current()
{
    return g_script;
}

int showModal(QDialog* dialog)
{
    if (!dialog)
        return QDialog::Rejected;
    Script* script = g_script;
    if (!script)
        return dialog->exec();

    ModalHandler handler;
    if (!script->m_queue.empty()) {
        handler = std::move(script->m_queue.front());
        script->m_queue.pop_front();
    } else if (script->m_default) {
        handler = script->m_default;
    }

    QPointer<QDialog> guard(dialog);
    dialog->setResult(0);
    dialog->show(); // runs the show handlers, as exec would
    int code = QDialog::Rejected;
    if (handler)
        code = handler(dialog);
    else
        script->m_unhandled << dialog->windowTitle();
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
