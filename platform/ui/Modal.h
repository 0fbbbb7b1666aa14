#pragma once
// The one way modal dialogs are shown. In the program it runs the dialog's own event loop; while
// a ui::Script exists (tests) the dialog is shown without blocking and a scripted handler plays
// the user: it fills fields, clicks buttons and says how the dialog ends.
#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

namespace ui {

// Plays the user on one dialog. When the dialog is still open after the handler returns, it is
// ended with the returned code (QDialog::Accepted / QDialog::Rejected).
using ModalHandler = std::function<int(QDialog*)>;

// Shows `dialog` modally and returns its result code.
int showModal(QDialog* dialog);

// Runs `fn` once control is back in the event loop (a modal dialog raised from a show handler
// must not run inside it). Exceptions are shown like those of any event handler.
void later(std::function<void()> fn);

// Scripted mode for tests, active for the lifetime of the object (one at a time).
class Script {
public:
    Script();
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    // Handlers are used in the order the dialogs are shown (a dialog opened from within
    // another's handler takes the next one).
    void onModal(ModalHandler handler);
    // Used when no queued handler is left; without one such a dialog is ended with Rejected and
    // its title noted in unhandled().
    void setDefault(ModalHandler handler);
    int pending() const;

    // Window titles of the dialogs shown with no handler at all.
    QStringList unhandled() const;
    // Every text given to the plain message dialog (ui::showMessage), oldest first.
    QStringList messages() const;
    QString lastMessage() const;
    void clearMessages();

    // The active script, or nullptr in the program.
    static Script* current();

private:
    friend int showModal(QDialog*);
    friend void showMessage(const QString&);
    std::deque<ModalHandler> queue_;
    ModalHandler default_;
    QStringList unhandled_;
    QStringList messages_;
    Script* previous_ = nullptr;
};

} // namespace ui
