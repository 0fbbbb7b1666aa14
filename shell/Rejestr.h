#pragma once
// The system's registry operations. Every setting is a text value of a key under
// HKEY_LOCAL_MACHINE; the values live in the store of platform/registry (rejestr.ini).
#include "platform/registry/Registry.h"

#include <QString>

// The keys of the program's settings (under HKEY_LOCAL_MACHINE).
// Seller data: Nazwa_L1, Nazwa_L2, Kod, Miasto, Adres, Nip, Konto, Tel, Logo.
inline const QString Klucz_Firma = QStringLiteral("Software\\Orlimek\\Tarnex\\");
// Program defaults: Faktura_od ("0" netto, "1" brutto), Miejsce_Wyst.
inline const QString Klucz_Ustawienia = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");
// Copy counts: FV_O, FV_K, PFV_O, PFV_K, KFV_O, KFV_K, NFV_O, NFV_K.
inline const QString Klucz_Wydruki = QStringLiteral("Software\\Orlimek\\Tarnex\\Wydruki\\");

using HKEY = registry::Root;
inline constexpr HKEY HKEY_LOCAL_MACHINE = registry::Root::LocalMachine;
inline constexpr HKEY HKEY_CURRENT_USER = registry::Root::CurrentUser;

// Reads the value `Nazwa` of the key `Klucz` (e.g. "Software\\Orlimek\\Tarnex\\"); a key or value
// that does not exist gives empty text and nothing is created.
QString Czytaj_Rejestr(HKEY Klucz_Glowny, const QString& Klucz, const QString& Nazwa);

// Writes `Wartosc` as the value `Nazwa` of the key `Klucz`, creating the key when it is missing.
// Returns whether the value was written; callers tell the user when it was not.
bool Zapisz_Rejestr(HKEY Klucz_Glowny, const QString& Klucz, const QString& Nazwa, const QString& Wartosc);

// The same under HKEY_LOCAL_MACHINE, the root every caller uses.
QString Czytaj_Rejestr(const QString& Klucz, const QString& Nazwa);
bool Zapisz_Rejestr(const QString& Klucz, const QString& Nazwa, const QString& Wartosc);
