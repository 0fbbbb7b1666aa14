#pragma once
// Checks of the correction invoice and the correction note before they are saved, and the check
// and arithmetic of one corrected line, as plain functions: each returns the message and the
// field to focus, and the window shows the message. The order is the order users know.
#include "documents/LineMath.h"

#include <QString>

#include <optional>
#include <variant>

namespace corrections {

// The control that receives the focus after a failed check.
enum class Pole {
    Data_Wyst,
    Rok,
    Pobierz,       // "Pobierz dokument": no invoice chosen
    Koryguj,       // "Koryguj pozcję": no corrected line
    Forma_Zaplaty, // the payment kind combo
    Data_Zap,
    Ilosc_Dni,
    Nazwa,
    NIP,
    Kod,
    // The corrected-line dialog.
    Ilosc,
    Cena,
    Cena_Brutto,
    Rabat,
    Vat,
    PKWIU,
};

struct Blad {
    QString message;
    Pole field;
};

// The correction invoice as typed: its own date and year, the invoice shown (its final type and
// number as the block shows them), the number of corrected lines and the payment.
struct KorektaEntry {
    QString dataWyst;
    QString rok;
    QString typFaktury;
    QString nrFaktury;
    int lineCount = 0;
    QString formaZaplaty; // the payment combo's text
    QString dataZap;
    QString iloscDni;
};

std::optional<Blad> checkKorekta(const KorektaEntry& e);

// The correction note as typed: its own date and year, the invoice shown and the new buyer.
struct NotaEntry {
    QString dataWyst;
    QString rok;
    QString typFaktury;
    QString nrFaktury;
    QString nazwa;
    bool czyFirma = false;
    QString nip;
    QString kod;
    QString miasto;
    QString adres;
};

std::optional<Blad> checkNota(const NotaEntry& e);

// One corrected line as typed into its dialog. Only the price of the invoice's mode is typed; the
// other field still holds the old line's price.
struct PozycjaEntry {
    QString pkwiu;
    QString ilosc;
    QString cena;
    QString cenaBrutto;
    QString rabat;
    QString vatNazwa; // the rate combo's text
    QString vatWart;  // the shown rate's percent
    bool czyPodst = false;
};

struct Pozycja {
    double ilosc = 0;
    double cena = 0;
    double cenaBrutto = 0;
    documents::LineValues values;
};

// Checks the entry in the dialog's order and computes the new line in `mode`, unrounded.
// Quantities and prices must be finite numbers, and so must the values they give.
std::variant<Blad, Pozycja> evaluatePozycja(const PozycjaEntry& e, documents::PriceMode mode);

} // namespace corrections
