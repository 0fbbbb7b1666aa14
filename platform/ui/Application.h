#pragma once
// The application object. An exception escaping an event handler is shown in the plain message
// dialog and the program goes on: one failed action must not end the program and lose the
// work open in other windows.
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

// Loads Qt's own Polish translations (the buttons and texts of the file chooser and the standard
// dialogs), from Qt's translations folder. Returns whether they were found.
bool loadQtTranslations();

// The text shown for an exception: its message, or a general one for unknown kinds.
QString errorText(std::exception_ptr error);

// Runs `fn`; an exception is shown in the plain message dialog instead of travelling on (for
// C entry points and callbacks that must not let one out). Returns whether `fn` completed.
bool guard(const std::function<void()>& fn);

// The owner of what a print library creates: the host's application object, taken at the
// library's first call and kept for the rest of the run (the application of this process when
// the host passes none).
QObject* hostApplication(QApplication* caller);

} // namespace ui
