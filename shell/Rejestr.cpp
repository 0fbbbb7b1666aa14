#include "shell/Rejestr.h"

QString Czytaj_Rejestr(HKEY Klucz_Glowny, const QString& Klucz, const QString& Nazwa)
{
    return registry::read(Klucz_Glowny, Klucz, Nazwa);
}

bool Zapisz_Rejestr(HKEY Klucz_Glowny, const QString& Klucz, const QString& Nazwa, const QString& Wartosc)
{
    return registry::write(Klucz_Glowny, Klucz, Nazwa, Wartosc);
}

QString Czytaj_Rejestr(const QString& Klucz, const QString& Nazwa)
{
    return Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz, Nazwa);
}

bool Zapisz_Rejestr(const QString& Klucz, const QString& Nazwa, const QString& Wartosc)
{
    return Zapisz_Rejestr(HKEY_LOCAL_MACHINE, Klucz, Nazwa, Wartosc);
}
