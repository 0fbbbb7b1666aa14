#include "statements/Form_Kalk_Brutto_Netto.h"

#include "documents/FormControls.h"
#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/Form_Komunikat.h"
#include "statements/Kontrolki.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

TForm_Kalk_Brutto_Netto* Form_Kalk_Brutto_Netto = nullptr;

Wynik_Kalkulacji Przelicz_Cene(Rodzaj_Obliczen rodzaj, const QString& cena, const QString& stawka, double procent)
{
    Wynik_Kalkulacji w;
    bool ok = false;
    const double p = double(text::parseFloat(cena, &ok));
    if (!ok) {
        w.Komunikat = QStringLiteral("Nipoprawna wartość");
        w.Pole_Bledu = 0;
        return w;
    }
    if (stawka.isEmpty()) {
        w.Komunikat = QStringLiteral("Podaj stawkę VAT");
        w.Pole_Bledu = 1;
        return w;
    }
    if (rodzaj == Rodzaj_Obliczen::Brutto_Netto) {
        if (procent + 100 == 0) { // a gross price at -100 % has no net price
            w.Komunikat = QStringLiteral("Nie można wyliczyć ceny netto przy stawce VAT -100 %");
            w.Pole_Bledu = 1;
            return w;
        }
        w.Wynik = text::formatGeneral(p * 100 / (procent + 100));
    } else {
        w.Wynik = text::formatGeneral(p + p * procent * 0.01);
    }
    return w;
}

TForm_Kalk_Brutto_Netto::TForm_Kalk_Brutto_Netto(QWidget* owner)
    : ui::Dialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form_Kalk_Brutto_Netto"));
    setWindowTitle(QStringLiteral("Kalkulator cen"));
    setFixedSize(300, 290);

    GroupBox_Rodzaj = new QGroupBox(QStringLiteral("Rodzaj obliczeń"), this);
    GroupBox_Rodzaj->setObjectName(QStringLiteral("RadioGroup1"));
    GroupBox_Rodzaj->setGeometry(16, 10, 268, 70);
    RadioButton_Brutto_Netto = new QRadioButton(QStringLiteral("brutto --> netto"), GroupBox_Rodzaj);
    RadioButton_Brutto_Netto->setGeometry(12, 20, 240, 20);
    RadioButton_Netto_Brutto = new QRadioButton(QStringLiteral("netto -->brutto"), GroupBox_Rodzaj);
    RadioButton_Netto_Brutto->setGeometry(12, 42, 240, 20);
    RadioGroup1 = new QButtonGroup(this);
    RadioGroup1->addButton(RadioButton_Brutto_Netto, int(Rodzaj_Obliczen::Brutto_Netto));
    RadioGroup1->addButton(RadioButton_Netto_Brutto, int(Rodzaj_Obliczen::Netto_Brutto));
    RadioButton_Brutto_Netto->setChecked(true);

    LEdit1 = documents::labeledEdit(this, "LEdit1", QStringLiteral("Brutto"), QRect(16, 106, 130, 21));

    // Every rate, archived ones included; the chosen row's percentage is what the price uses.
    ADOTable1 = statements::Tabela_Do_Odczytu(this, QStringLiteral("ADOTable1"), QStringLiteral("Vat"), QString());
    DataSource1 = statements::Zrodlo(this, ADOTable1);
    JvDBLookupCombo1 = new ui::DbLookupCombo(this);
    JvDBLookupCombo1->setObjectName(QStringLiteral("JvDBLookupCombo1"));
    JvDBLookupCombo1->setGeometry(160, 106, 124, 21);
    documents::setCaption(JvDBLookupCombo1, QStringLiteral("Stawka VAT"));
    JvDBLookupCombo1->setKeyField(QStringLiteral("Nazwa"));
    JvDBLookupCombo1->setListSource(DataSource1);
    DBEdit1 = new ui::DbEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->setDataSource(DataSource1);
    DBEdit1->setDataField(QStringLiteral("Wart"));
    DBEdit1->hide();

    LEdit3 = documents::labeledEdit(this, "LEdit3", QStringLiteral("Wynik netto"), QRect(16, 162, 268, 21));
    LEdit3->setReadOnly(true);

    BitBtn1 = documents::button(this, "BitBtn1", QStringLiteral("Przelicz"), QRect(16, 220, 120, 34));
    BitBtn2 = documents::button(this, "BitBtn2", QStringLiteral("Zamknij"), QRect(164, 220, 120, 34));
    documents::tabChain({RadioButton_Brutto_Netto, LEdit1, JvDBLookupCombo1, BitBtn1, BitBtn2});

    // However the direction changes (a click, an arrow key, the reset on closing), the captions
    // and the names a screen reader gives the two fields follow it.
    ui::on(RadioGroup1, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RadioGroup1Click();
    });
    ui::on(BitBtn1, &QPushButton::clicked, this, &TForm_Kalk_Brutto_Netto::BitBtn1Click);
    setCloseButton(BitBtn2);
    ui::on(JvDBLookupCombo1, &ui::DbLookupCombo::closeUp, this, &TForm_Kalk_Brutto_Netto::Wybrano_Stawke);
}

Rodzaj_Obliczen TForm_Kalk_Brutto_Netto::Rodzaj() const
{
    return RadioGroup1->checkedId() == int(Rodzaj_Obliczen::Netto_Brutto) ? Rodzaj_Obliczen::Netto_Brutto
                                                                          : Rodzaj_Obliczen::Brutto_Netto;
}

void TForm_Kalk_Brutto_Netto::RadioGroup1Click()
{
    const bool brutto_netto = Rodzaj() == Rodzaj_Obliczen::Brutto_Netto;
    documents::captionOf(LEdit1)->setText(brutto_netto ? QStringLiteral("Brutto") : QStringLiteral("Netto"));
    documents::captionOf(LEdit3)->setText(brutto_netto ? QStringLiteral("Wynik netto")
                                                       : QStringLiteral("Wynik brutto"));
    LEdit1->setAccessibleName(documents::captionOf(LEdit1)->text());
    LEdit3->setAccessibleName(documents::captionOf(LEdit3)->text());
}

void TForm_Kalk_Brutto_Netto::Wybrano_Stawke()
{
    // Two rates may share a name (an archived one and its successor): the row chosen is the
    // entry's own row, not the first row with that name. The entries are the rows in order.
    const int i = JvDBLookupCombo1->currentIndex();
    if (i >= 0 && ADOTable1->isActive() && ADOTable1->recNo() != i + 1)
        ADOTable1->setRecNo(i + 1);
}

void TForm_Kalk_Brutto_Netto::BitBtn1Click()
{
    const QString stawka = JvDBLookupCombo1->currentText();
    const bool jest_stawka = !stawka.isEmpty() && ADOTable1->isActive() && ADOTable1->recNo() > 0;
    const double procent = jest_stawka ? ADOTable1->fieldByName(QStringLiteral("Wart")).asFloat() : 0;
    const Wynik_Kalkulacji w = Przelicz_Cene(Rodzaj(), LEdit1->text(), jest_stawka ? stawka : QString(), procent);
    if (!w.ok()) {
        Pokaz_Komunikat(w.Komunikat);
        (w.Pole_Bledu == 0 ? static_cast<QWidget*>(LEdit1) : JvDBLookupCombo1)->setFocus();
        return;
    }
    LEdit3->setText(w.Wynik);
}

void TForm_Kalk_Brutto_Netto::showing()
{
    // The rates are read again at each showing (a rate added meanwhile is offered); the chosen
    // one stays chosen.
    statements::Czytaj_Na_Nowo(*ADOTable1);
}

bool TForm_Kalk_Brutto_Netto::closing(int)
{
    RadioButton_Brutto_Netto->setChecked(true);
    RadioGroup1Click();
    LEdit1->clear();
    LEdit3->clear();
    return true;
}
