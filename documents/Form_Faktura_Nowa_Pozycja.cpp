#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "platform/ui/Connect.h"

#include "dictionaries/Form_Lista_Towarow_Pob.h"
#include "dictionaries/PickTargets.h"
#include "documents/FormControls.h"
#include "documents/LineGridModel.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"

#include <QLabel>


TForm_Faktura_Nowa_Pozycja* Form_Faktura_Nowa_Pozycja = nullptr;

using namespace documents;

TForm_Faktura_Nowa_Pozycja::TForm_Faktura_Nowa_Pozycja(QWidget* owner) : LineDialog(owner)
{
    setObjectName(QStringLiteral("Form_Faktura_Nowa_Pozycja"));
    setWindowTitle(QStringLiteral("Nowa pozycja ..."));
    BitBtn_Pob_Tow = button(this, "BitBtn_Pob_Tow", QStringLiteral("Ze słownika"), {16, 26, 110, 28});
    placeWithCaption(LEdit_Symbol, {140, 30, 160, 22});
    Uloz_Wiersz_Ceny({LEdit_Cena, LEdit_Jm, LEdit_Ilosc, LEdit_Rabat});
    BitBtn_Anuluj = button(this, "BitBtn_Anuluj", QStringLiteral("Anuluj"), {140, 236, 110, 30});
    BitBtn_Zmknij->setGeometry(390, 236, 110, 30);

    // The goods pick writes the chosen item into these fields.
    dictionaries::Ustaw_Blok_Towaru(this,
                                    {LEdit_Symbol, LEdit_Nazwa, LEdit_Nazwa_cd, LEdit_PKWIU, LEdit_Cena, LEdit_Jm,
                                     DBLCBox_Vat, [this] { return Daj_Netto_Brutto(); }});

    tabChain({BitBtn_Pob_Tow, LEdit_Nazwa, LEdit_Nazwa_cd, LEdit_PKWIU, LEdit_Cena, LEdit_Jm, LEdit_Ilosc, LEdit_Rabat,
              DBLCBox_Vat, BitBtn_Wstaw, BitBtn_Anuluj, BitBtn_Zmknij});

    ui::on(BitBtn_Pob_Tow, &QPushButton::clicked, this, &TForm_Faktura_Nowa_Pozycja::BitBtn_Pob_TowClick);
    ui::on(DBLCBox_Vat, &ui::DbLookupCombo::closeUp, this, &TForm_Faktura_Nowa_Pozycja::DBLCBox_VatCloseUp);
    ui::on(BitBtn_Wstaw, &QPushButton::clicked, this, &TForm_Faktura_Nowa_Pozycja::BitBtn_WstawClick);
    ui::on(BitBtn_Anuluj, &QPushButton::clicked, this, &TForm_Faktura_Nowa_Pozycja::BitBtn_AnulujClick);

    Wyczysc_Wpis();
}

void TForm_Faktura_Nowa_Pozycja::showing()
{
    LineDialog::showing();
    if (!ADOTable_Vat->isActive())
        Otworz_Stawki();
    LEdit_Nazwa->setFocus();
}

void TForm_Faktura_Nowa_Pozycja::BitBtn_Pob_TowClick()
{
    // The pick offers only goods not archived: it filters the shared goods table while it is
    // shown and takes the filter off when it closes.
    if (Form_Lista_Towarow_Pob)
        ui::showModal(Form_Lista_Towarow_Pob);
}

void TForm_Faktura_Nowa_Pozycja::DBLCBox_VatCloseUp()
{
    // The exact rate name: "5" must never land on "50".
    if (ADOTable_Vat->isActive())
        ADOTable_Vat->locate(QStringLiteral("Nazwa"), DBLCBox_Vat->keyValue(), {.caseInsensitive = true});
}

void TForm_Faktura_Nowa_Pozycja::BitBtn_WstawClick()
{
    if (!Przekaz_Pozycje([](LineGridModel& grid, const QStringList& cells) { grid.appendLine(cells); }))
        return;
    accept(); // the close empties the entry
}

void TForm_Faktura_Nowa_Pozycja::BitBtn_AnulujClick() { Wyczysc_Wpis(); }

namespace documents {

void Dodaj_Pozycje(const QString& typ, const QString& tryb)
{
    if (!Form_Faktura_Nowa_Pozycja)
        Form_Faktura_Nowa_Pozycja = new TForm_Faktura_Nowa_Pozycja();
    auto* d = Form_Faktura_Nowa_Pozycja;
    d->Ustaw_Typ_Faktury(typ);
    d->Ustaw_Netto_Brutto(tryb);
    d->Otworz_Stawki();
    ui::showModal(d);
}

} // namespace documents
