#include "settings/Ustawienia.h"

#include "shell/Rejestr.h"

bool Zapisz_Wartosci(const QString& klucz, const QStringList& nazwy, const QStringList& wartosci)
{
    for (qsizetype i = 0; i < nazwy.size(); ++i)
        if (!Zapisz_Rejestr(HKEY_LOCAL_MACHINE, klucz, nazwy[i], wartosci.value(i)))
            return false;
    return true;
}

QStringList Czytaj_Wartosci(const QString& klucz, const QStringList& nazwy)
{
    QStringList wartosci;
    for (const QString& n : nazwy)
        wartosci << Czytaj_Rejestr(HKEY_LOCAL_MACHINE, klucz, n);
    return wartosci;
}
