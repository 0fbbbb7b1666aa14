#pragma once
// Where the client picks write: the client block of a document window. Each document window
// registers its block under its caller code ("FV", "PFV", "FV_P"; the correction note window
// under "NFV") while it exists, e.g. in its constructor:
//
//     dictionaries::Ustaw_Blok_Klienta("FV", this, dictionaries::blokKlienta(this));
//
// The registration goes away with the window.
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QWidget;

namespace data {
class Dataset;
}
namespace ui {
class DbLookupCombo;
}

namespace dictionaries {

struct BlokKlienta {
    QLineEdit* LEdit_Nazwa = nullptr;
    QLineEdit* LEdit_Nazwa_cd = nullptr;
    QLineEdit* LEdit_Nr_Klienta = nullptr;
    QLineEdit* LEdit_NIP = nullptr;
    QLineEdit* LEdit_Kod = nullptr;
    QLineEdit* LEdit_Miasto = nullptr;
    QLineEdit* LEdit_Adres = nullptr;
    QCheckBox* CBox_Czy_Firma = nullptr;
};

// The block of any window whose members carry the block's names.
template <class W>
BlokKlienta blokKlienta(W* w)
{
    return {w->LEdit_Nazwa, w->LEdit_Nazwa_cd, w->LEdit_Nr_Klienta, w->LEdit_NIP,
            w->LEdit_Kod,   w->LEdit_Miasto,   w->LEdit_Adres,      w->CBox_Czy_Firma};
}

void Ustaw_Blok_Klienta(const QString& typ, QWidget* okno, const BlokKlienta& blok);
// The registered block of `typ`, or nothing (no such window now).
std::optional<BlokKlienta> Blok_Klienta(const QString& typ);

// Copies the current client of `klienci` into `blok`: name, name continued, number, NIP, postal
// code, town, address (as text) and the company flag. Phone and remarks are not copied.
void Wpisz_Klienta(data::Dataset& klienci, const BlokKlienta& blok);

// Where the goods pick writes: the item fields of the line dialog that opened it, and the price
// mode that decides which sale price it takes. The line dialog registers them while it exists.
struct BlokTowaru {
    QLineEdit* LEdit_Symbol = nullptr;
    QLineEdit* LEdit_Nazwa = nullptr;
    QLineEdit* LEdit_Nazwa_cd = nullptr;
    QLineEdit* LEdit_PKWIU = nullptr;
    QLineEdit* LEdit_Cena = nullptr;
    QLineEdit* LEdit_Jm = nullptr;
    ui::DbLookupCombo* DBLCBox_Vat = nullptr;
    std::function<QString()> Netto_Brutto; // "netto" / "brutto"
};

void Ustaw_Blok_Towaru(QWidget* okno, const BlokTowaru& blok);
std::optional<BlokTowaru> Blok_Towaru();

} // namespace dictionaries
