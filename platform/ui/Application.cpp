#include "platform/ui/Application.h"

#include "platform/data/Error.h"
#include "platform/ui/Font.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/ReadOnlyEdit.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <new>
#include <stdexcept>

namespace ui {

namespace {

// A failure inside the data layer's own signal handlers is shown like that of any handler.
[[maybe_unused]] const bool dataFailuresShown = [] {
    data::setSignalFailureHandler([](std::exception_ptr e) { guard([&] { std::rethrow_exception(e); }); });
    return true;
}();

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    useDesignedFonts();
    loadQtTranslations();
    describeLineEdits();
}

bool loadQtTranslations()
{
    // Every window of the program speaks Polish; Qt's own dialogs do too.
    auto* tr = new QTranslator(QCoreApplication::instance());
    if (!tr->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete tr;
        return false;
    }
    QCoreApplication::installTranslator(tr);
    return true;
}

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

QObject* hostApplication(QApplication* caller)
{
    static QApplication* host = nullptr;
    if (!host)
        host = caller ? caller : qApp;
    return host;
}

} // namespace ui
