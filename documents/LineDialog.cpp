#include "documents/LineDialog.h"

#include "documents/FormControls.h"
#include "documents/LineGridModel.h"
#include "documents/LineTarget.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace documents {

LineDialog::LineDialog(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    ADOTable_Vat = new data::Table(this);
    ADOTable_Vat->setObjectName(QStringLiteral("ADOTable_Vat"));
    ADOTable_Vat->setTableName(QStringLiteral("Vat"));
    ADOTable_Vat->setFilter(QStringLiteral("arch=false"));
    ADOTable_Vat->setFiltered(true);
    DataSource1 = new data::DataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setDataset(ADOTable_Vat);

    LEdit_Symbol = labeledEdit(this, "LEdit_Symbol", QStringLiteral("Symbol towaru / usługi"), {}, 20);
    LEdit_Symbol->setReadOnly(true);
    LEdit_Symbol->setFocusPolicy(Qt::NoFocus);
    LEdit_Nazwa = labeledEdit(this, "LEdit_Nazwa", QStringLiteral("Nazwa towaru / usługi"), {}, 40);
    LEdit_Nazwa_cd = labeledEdit(this, "LEdit_Nazwa_cd", QStringLiteral("Nazwa towaru / usługi cd."), {}, 40);
    LEdit_PKWIU = labeledEdit(this, "LEdit_PKWIU", QStringLiteral("PKWiU"), {}, 20);
    LEdit_Cena = labeledEdit(this, "LEdit_Cena", QStringLiteral("Cena"), {});
    LEdit_Jm = labeledEdit(this, "LEdit_Jm", QStringLiteral("J.m."), {});
    LEdit_Ilosc = labeledEdit(this, "LEdit_Ilosc", QStringLiteral("Ilość"), {});
    LEdit_Rabat = labeledEdit(this, "LEdit_Rabat", QStringLiteral("Rabat %"), {});
    for (QLineEdit* e : {LEdit_Cena, LEdit_Ilosc, LEdit_Rabat})
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    DBLCBox_Vat = new ui::DbLookupCombo(this);
    DBLCBox_Vat->setObjectName(QStringLiteral("DBLCBox_Vat"));
    DBLCBox_Vat->setListSource(DataSource1);
    DBLCBox_Vat->setKeyField(QStringLiteral("Nazwa"));
    DBLCBox_Vat->setListField(QStringLiteral("Nazwa"));
    DBLCBox_Vat->setGeometry(402, 184, 98, 22);
    setCaption(DBLCBox_Vat, QStringLiteral("Stawka VAT %"));

    DBEdit_Vat = new ui::DbEdit(this);
    DBEdit_Vat->setObjectName(QStringLiteral("DBEdit_Vat"));
    DBEdit_Vat->setDataSource(DataSource1);
    DBEdit_Vat->setDataField(QStringLiteral("Wart"));
    DBEdit_Vat->setReadOnly(true);
    DBEdit_Vat->hide();
    DBCheckBox_Czy_Podst = new ui::DbCheckBox(QString(), this);
    DBCheckBox_Czy_Podst->setObjectName(QStringLiteral("DBCheckBox_Czy_Podst"));
    DBCheckBox_Czy_Podst->setDataSource(DataSource1);
    DBCheckBox_Czy_Podst->setDataField(QStringLiteral("Czy_Podst"));
    DBCheckBox_Czy_Podst->hide();

    BitBtn_Wstaw = button(this, "BitBtn_Wstaw", QStringLiteral("Wstaw"), {16, 236, 110, 30});
    BitBtn_Zmknij = button(this, "BitBtn_Zmknij", QStringLiteral("Zamknij"), {});
    setCloseButton(BitBtn_Zmknij);

    setFixedSize(520, 290);
    placeWithCaption(LEdit_Nazwa, {16, 84, 300, 22});
    placeWithCaption(LEdit_Nazwa_cd, {16, 134, 300, 22});
    placeWithCaption(LEdit_PKWIU, {330, 84, 170, 22});
}

void LineDialog::Uloz_Wiersz_Ceny(std::initializer_list<QLineEdit*> pola)
{
    int x = 16;
    for (QLineEdit* p : pola) {
        const int szer = p == LEdit_Cena ? 100 : p == LEdit_Ilosc ? 90 : 70;
        placeWithCaption(p, {x, 184, szer, 22});
        x += szer + 14;
    }
}

PriceMode LineDialog::tryb() const { return priceModeFromText(Tryb_Netto_Brutto).value_or(PriceMode::Netto); }

void LineDialog::Otworz_Stawki()
{
    if (!ADOTable_Vat->connection() && DataModule1)
        ADOTable_Vat->setConnection(DataModule1->ADOConnection1);
    ADOTable_Vat->close();
    ADOTable_Vat->open();
}

void LineDialog::Zamknij_Stawki() { ADOTable_Vat->close(); }

bool LineDialog::closing(int)
{
    // However the dialog closes, nothing typed and left is offered again at the next line.
    Wyczysc_Wpis();
    Zamknij_Stawki();
    return true;
}

void LineDialog::showing()
{
    QLabel* cena = captionOf(LEdit_Cena);
    if (Tryb_Netto_Brutto == QLatin1String("netto"))
        cena->setText(QStringLiteral("Cena netto"));
    else if (Tryb_Netto_Brutto == QLatin1String("brutto"))
        cena->setText(QStringLiteral("Cena brutto"));
    LEdit_Cena->setAccessibleName(cena->text());
}

LineTarget* LineDialog::Cel() const { return lineTarget(Typ_Faktury); }

bool LineDialog::Przekaz_Pozycje(const std::function<void(LineGridModel&, const QStringList&)>& wstaw, int zastepowany)
{
    const auto linia = Sprawdz_Pozycje();
    if (!linia)
        return false;
    LineTarget* cel = Cel();
    if (!cel)
        return false;
    const LineGridModel& g = cel->lineGrid();
    const auto kwoty = [](const QStringList& c) {
        const auto n = [&c](int col) { return readNumber(c.value(col)).value_or(0); };
        return LineAmounts{c.value(Col_Stawka), n(Col_Netto), n(Col_Kwota_Vat), n(Col_Brutto)};
    };
    std::vector<LineAmounts> pozycje{kwoty(linia->cells)};
    for (int r = 1; r <= g.lineCount(); ++r)
        if (r != zastepowany)
            pozycje.push_back(kwoty(g.row(r)));
    if (!totalsWithinBound(pozycje)) {
        Pokaz_Komunikat(totalsTooLargeText());
        LEdit_Ilosc->setFocus();
        return false;
    }
    wstaw(cel->lineGrid(), linia->cells);
    cel->linesChanged();
    return true;
}

std::optional<LineResult> LineDialog::Sprawdz_Pozycje()
{
    LineEntry e;
    e.symbol = LEdit_Symbol->text();
    e.nazwa = LEdit_Nazwa->text();
    e.nazwaCd = LEdit_Nazwa_cd->text();
    e.pkwiu = LEdit_PKWIU->text();
    e.cena = LEdit_Cena->text();
    e.jm = LEdit_Jm->text();
    e.ilosc = LEdit_Ilosc->text();
    e.rabat = LEdit_Rabat->text();
    e.vatNazwa = DBLCBox_Vat->currentText();
    e.vatWart = DBEdit_Vat->text();
    e.czyPodst = DBCheckBox_Czy_Podst->isChecked();
    auto v = evaluateLine(e, tryb());
    if (auto* f = std::get_if<LineFailure>(&v)) {
        Pokaz_Komunikat(f->message);
        QWidget* pole = nullptr;
        switch (f->field) {
        case LineField::Nazwa: pole = LEdit_Nazwa; break;
        case LineField::Vat: pole = DBLCBox_Vat; break;
        case LineField::PKWIU: pole = LEdit_PKWIU; break;
        case LineField::Cena: pole = LEdit_Cena; break;
        case LineField::Jm: pole = LEdit_Jm; break;
        case LineField::Ilosc: pole = LEdit_Ilosc; break;
        case LineField::Rabat: pole = LEdit_Rabat; break;
        }
        pole->setFocus();
        return std::nullopt;
    }
    return std::get<LineResult>(std::move(v));
}

void LineDialog::Wyczysc_Wpis()
{
    LEdit_Symbol->clear();
    LEdit_Nazwa->clear();
    LEdit_Nazwa_cd->clear();
    LEdit_Cena->setText(text::formatAmount(0));
    LEdit_Jm->clear();
    LEdit_Ilosc->setText(text::formatQuantity(0));
    LEdit_PKWIU->clear();
    LEdit_Rabat->setText(QStringLiteral("0"));
    DBLCBox_Vat->clearValue();
}

} // namespace documents
