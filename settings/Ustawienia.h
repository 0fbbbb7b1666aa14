#pragma once
// The settings keys of the program (under HKEY_LOCAL_MACHINE) and the writing of a dialog's
// values, shared by the settings dialogs and the windows that read the settings.
#include "shell/Rejestr.h"

#include <QString>
#include <QStringList>

class QDialog;
class QLayout;
class QLineEdit;
class QPushButton;

inline const QString Komunikat_Zapisane = QStringLiteral("Dane zostały zapisane");
inline const QString Komunikat_Blad_Zapisu = QStringLiteral(
    "Nie udało się zapisać danych ! \nSprawdź, czy plik rejestr.ini w katalogu programu można zapisywać.");
// The message of a failed write: Komunikat_Blad_Zapisu and, below it, the file and the cause.
QString Komunikat_Bledu_Zapisu();

// Writes `wartosci[i]` as `nazwy[i]` of `klucz`, in order; stops at the first value that cannot
// be written and returns false.
bool Zapisz_Wartosci(const QString& klucz, const QStringList& nazwy, const QStringList& wartosci);

// Reads the values `nazwy` of `klucz`, in order (missing ones as empty text).
QStringList Czytaj_Wartosci(const QString& klucz, const QStringList& nazwy);

// Fills the edits `pola` with the values `nazwy` of `klucz` (one for one, in order), replacing
// whatever was typed in them.
void Wpisz_Wartosci(const QList<QLineEdit*>& pola, const QString& klucz, const QStringList& nazwy);
// The texts of the edits, in order.
QStringList Teksty_Pol(const QList<QLineEdit*>& pola);

// A button of a settings dialog (Enter does not press it).
QPushButton* Przycisk_Ustawien(QDialog* okno, const char* nazwa, const QString& tekst);
// Lays out a settings dialog: its fields, then the two buttons at the bottom right; the dialog
// gets a fixed size.
void Uloz_Okno_Ustawien(QDialog* okno, QLayout* pola, QPushButton* zapisz, QPushButton* zamknij);
