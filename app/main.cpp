// The program Tarnex: the main window first, then the splash and every window of start-up, then
// the message loop.
#include "app/Okna.h"
#include "grid/TxgridStartup.h"
#include "platform/ui/Application.h"
#include "shell/Form_Winieta.h"
#include "shell/MainForm.h"
#include "shell/Startup.h"

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    // The title of the program (taskbar, plain message dialog).
    QApplication::setApplicationName(QStringLiteral("Orlimek - Tarnex"));

    // The grid library's own start-up runs before any window exists.
    grid::LibraryStartUp();

    Zarejestruj_Okna();
    MainForm = new TMainForm;
    Utworz_Formularze();

    MainForm->showMaximized();
    const int rc = app.exec();

    Zwolnij_Formularze();
    delete MainForm;
    grid::LibraryShutDown();
    return rc;
}
