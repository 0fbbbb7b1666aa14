#pragma once
// The application object. An exception escaping an event handler is shown in the plain message
// dialog and the program goes on, as the class library's default error handling did.
#include <QApplication>

#include <exception>
#include <functional>

namespace ui {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text shown for an exception: its message, or a general one for unknown kinds.
QString errorText(std::exception_ptr error);

// Runs `fn`; an exception is shown in the plain message dialog instead of travelling on (for
// C entry points and callbacks that must not let one out). Returns whether `fn` completed.
bool guard(const std::function<void()>& fn);

} // namespace ui
