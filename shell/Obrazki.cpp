#include "shell/Obrazki.h"

#include <QtGlobal>

// The resources are compiled into a static library: nothing would pull them into the program
// unless they are registered by hand.
static void zarejestrujZasoby()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tarnex);
        return true;
    }();
    (void)done;
}

QPixmap Obrazek(const QString& nazwa)
{
    zarejestrujZasoby();
    return QPixmap(QStringLiteral(":/obrazki/%1.png").arg(nazwa));
}

QIcon Ikona(const QString& nazwa) { return QIcon(Obrazek(nazwa)); }
