#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "platform/ui/Connect.h"

#include "documents/FormControls.h"
#include "documents/LineGridModel.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"

#include <QLabel>

TForm_Faktura_Popraw_Pozycje* Form_Faktura_Popraw_Pozycje = nullptr;

using namespace documents;

TForm_Faktura_Popraw_Pozycje::TForm_Faktura_Popraw_Pozycje(QWidget* owner) : LineDialog(owner)
{
    setObjectName(QStringLiteral("Form_Faktura_Popraw_Pozycje"));
    setWindowTitle(QStringLiteral("Popraw pozycję..."));
    placeWithCaption(LEdit_Symbol, {16, 34, 160, 22});
    Uloz_Wiersz_Ceny({LEdit_Rabat, LEdit_Ilosc, LEdit_Jm, LEdit_Cena});

    BitBtn_Wstaw->setText(QStringLiteral("Popraw"));
    BitBtn_Zmknij->setText(QStringLiteral("Anuluj / Zamknij"));
    BitBtn_Zmknij->setGeometry(370, 236, 130, 30);

    tabChain({LEdit_Nazwa, LEdit_Nazwa_cd, LEdit_PKWIU, LEdit_Rabat, LEdit_Ilosc, LEdit_Jm, LEdit_Cena, DBLCBox_Vat,
              BitBtn_Zmknij, BitBtn_Wstaw});

    ui::on(BitBtn_Wstaw, &QPushButton::clicked, this, &TForm_Faktura_Popraw_Pozycje::BitBtn_WstawClick);

    Wyczysc_Wpis();
}

void TForm_Faktura_Popraw_Pozycje::showing()
{
    LineDialog::showing();
    LEdit_Nazwa->setFocus();
}

void TForm_Faktura_Popraw_Pozycje::BitBtn_WstawClick()
{
    const bool wstawiono =
        Przekaz_Pozycje([this](LineGridModel& grid,
                               const QStringList& cells) { grid.replaceLine(Poprawiany_Wiersz, cells, Col_Nazwa); },
                        Poprawiany_Wiersz);
    if (wstawiono)
        accept();
}

namespace documents {

bool Popraw_Pozycje(const QString& typ, const QString& tryb, const LineGridModel& grid, int row)
{
    if (!grid.isLine(row))
        return false;
    if (!Form_Faktura_Popraw_Pozycje)
        Form_Faktura_Popraw_Pozycje = new TForm_Faktura_Popraw_Pozycje();
    auto* d = Form_Faktura_Popraw_Pozycje;
    d->Ustaw_Typ_Faktury(typ);
    d->Ustaw_Netto_Brutto(tryb);
    d->Ustaw_Poprawiany_Wiersz(row);
    d->LEdit_Symbol->setText(grid.cell(row, Col_Symbol));
    d->LEdit_Nazwa->setText(grid.cell(row, Col_Nazwa));
    d->LEdit_Nazwa_cd->setText(grid.cell(row, Col_Nazwa_cd));
    d->LEdit_PKWIU->setText(grid.cell(row, Col_PKWiU));
    d->LEdit_Ilosc->setText(grid.cell(row, Col_Ilosc));
    d->LEdit_Jm->setText(grid.cell(row, Col_Jm));
    d->LEdit_Cena->setText(grid.cell(row, Col_Cena));
    d->LEdit_Rabat->setText(grid.cell(row, Col_Rabat));
    d->Ustaw_Stara_Wartosc_Netto(readNumber(grid.cell(row, Col_Netto)).value_or(0));
    d->Ustaw_Stara_Wartosc_Brutto(readNumber(grid.cell(row, Col_Brutto)).value_or(0));
    d->Otworz_Stawki();
    d->DBLCBox_Vat->setKeyValue(grid.cell(row, Col_Stawka));
    ui::showModal(d);
    return true;
}

} // namespace documents
