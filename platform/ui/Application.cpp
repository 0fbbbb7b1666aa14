#include "platform/ui/Application.h"

#include "platform/ui/MessageDialog.h"

#include <new>
#include <stdexcept>

namespace ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    guard([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

QString errorText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Brak pamięci");
    } catch (const std::exception& e) {
        const QString what = QString::fromUtf8(e.what());
        return what.isEmpty() ? QStringLiteral("Nieoczekiwany błąd programu") : what;
    } catch (...) {
        return QStringLiteral("Nieoczekiwany błąd programu");
    }
}

bool guard(const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        const QString text = errorText(std::current_exception());
        try {
            showMessage(text);
        } catch (...) {
            // nothing more can be told
        }
        return false;
    }
}

} // namespace ui
