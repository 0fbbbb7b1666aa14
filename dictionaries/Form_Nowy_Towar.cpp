#include "dictionaries/Form_Nowy_Towar.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/Lookups.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

TForm_Nowy_Towar* Form_Nowy_Towar = nullptr;

using namespace dictionaries;

namespace {
UstawieniaNowego ustawienia()
{
    UstawieniaNowego u;
    u.nazwa = QStringLiteral("Form_Nowy_Towar");
    u.tytul = QStringLiteral("Nowy towar / usługa...");
    const QString zero = QStringLiteral("0,00");
    Pole brutto{QStringLiteral("LEdit_Cena_Brutto_Sprz"),
                QStringLiteral("Cena sprzedaży (brutto)"),
                {},
                0,
                Rodzaj::Tekst,
                zero};
    brutto.czyszczone = false;
    Pole stawka{QStringLiteral("DBCBox_Vat_Nazwa"), QStringLiteral("Stawka VAT")};
    stawka.utworz = [](QWidget* p) -> QWidget* { return new ui::DbLookupCombo(p); };
    Pole wart{QStringLiteral("DBEdit_Vat_Wart"), QString()};
    wart.ukryta = true;
    wart.utworz = [](QWidget* p) -> QWidget* { return new ui::DbEdit(p); };
    Pole podst{QStringLiteral("DBCBox_Czy_Podst"), QString()};
    podst.ukryta = true;
    podst.utworz = [](QWidget* p) -> QWidget* { return new ui::DbCheckBox(QString(), p); };
    u.pola = {
        {QStringLiteral("LEdit_Symbol"), QStringLiteral("Symbol"), {}, 20},
        {QStringLiteral("LEdit_Nazwa"), QStringLiteral("Nazwa towaru / usługi"), {}, 40},
        {QStringLiteral("LEdit_Nazwa_cd"), QStringLiteral("Nazwa towaru / usługi cd."), {}, 40},
        {QStringLiteral("LEdit_PKWIU"), QStringLiteral("PKWiU"), {}, 20},
        {QStringLiteral("LEdit_Jm"), QStringLiteral("j.m."), {}, 0},
        {QStringLiteral("LEdit_Cena_Zak"), QStringLiteral("Cena zakupu (netto)"), {}, 0, Rodzaj::Tekst, zero},
        {QStringLiteral("LEdit_Cena_Sprz"), QStringLiteral("Cena sprzedaży (netto)"), {}, 0, Rodzaj::Tekst, zero},
        brutto,
        stawka,
        {QStringLiteral("LEdit_Uwagi"), QStringLiteral("Uwagi"), {}, 80},
        wart,
        podst,
    };
    u.przyciski.nowy = QStringLiteral("BitBtn_Nowy");
    u.przyciski.nowyNapis = QStringLiteral("Nowy");
    u.wynikZamkniecia = QDialog::Accepted;
    // The symbol is looked for among all goods, archived ones included, whatever filter the
    // shared table has at the moment.
    u.reguly = [] {
        return regulyNowegoTowaru([](const QString& s) {
            return czyZajety(*polaczenie(), QStringLiteral("Towary"), QStringLiteral("Symbol"), s);
        });
    };
    u.zapisz = [](const Wpis& w) {
        auto t = [&](const char* pole) { return tekst(w, QString::fromLatin1(pole)); };
        auto liczba = [&](const char* pole) { return *naRzeczywista(t(pole)); };
        data::Table& tw = otwarta(DataModule1->ADOTable_Towary);
        tw.append();
        auto f = [&](const char* pole) -> data::Field& { return tw.fieldByName(QString::fromLatin1(pole)); };
        f("Nazwa").setAsString(t("LEdit_Nazwa"));
        f("Nazwa_cd").setAsString(t("LEdit_Nazwa_cd"));
        f("Symbol").setAsString(t("LEdit_Symbol"));
        f("PKWIU").setAsString(t("LEdit_PKWIU"));
        f("JM").setAsString(t("LEdit_Jm"));
        f("Cena_Netto_Zak").setAsFloat(liczba("LEdit_Cena_Zak"));
        f("Cena_Netto_Sprz").setAsFloat(liczba("LEdit_Cena_Sprz"));
        f("Cena_Brutto_Sprz").setAsFloat(liczba("LEdit_Cena_Brutto_Sprz"));
        f("Vat_Opis").setAsString(t("DBCBox_Vat_Nazwa"));
        f("Vat_Wart").setAsFloat(naRzeczywista(t("DBEdit_Vat_Wart")).value_or(0.0));
        f("Uwagi").setAsString(t("LEdit_Uwagi"));
        f("Cena_Netto_Zak_Eu").setAsFloat(0);
        f("Cena_Netto_Sprz_Eu").setAsFloat(0);
        f("Waluta").setAsString(QStringLiteral("PLN"));
        tw.post();
        tw.refresh();
    };
    return u;
}
} // namespace

TForm_Nowy_Towar::TForm_Nowy_Towar(QWidget* owner) : NewRecordDialog(ustawienia(), owner)
{
    DBCBox_Vat_Nazwa = static_cast<ui::DbLookupCombo*>(kontrolka(QStringLiteral("DBCBox_Vat_Nazwa")));
    DBEdit_Vat_Wart = static_cast<ui::DbEdit*>(kontrolka(QStringLiteral("DBEdit_Vat_Wart")));
    DBCBox_Czy_Podst = static_cast<ui::DbCheckBox*>(kontrolka(QStringLiteral("DBCBox_Czy_Podst")));
    DataSource_Vat =
        stawkiTowaru(this, QStringLiteral("Arch=false"), DBCBox_Vat_Nazwa, DBEdit_Vat_Wart, DBCBox_Czy_Podst);
    ADOTable_Vat = static_cast<data::Table*>(DataSource_Vat->dataset());
    ADOTable_Vat->setReadOnly(true);
    Wyczysc_Pola();
}

void TForm_Nowy_Towar::Wyczysc_Pola()
{
    if (!ADOTable_Vat->isActive() && polaczenie() && polaczenie()->isConnected()) {
        ADOTable_Vat->setConnection(polaczenie());
        ADOTable_Vat->open();
        // Reopened: the kept rate is the current row again.
        DBCBox_Vat_Nazwa->setKeyValue(DBCBox_Vat_Nazwa->keyValue());
    }
    NewRecordDialog::Wyczysc_Pola();
}

void TForm_Nowy_Towar::showing()
{
    // The rates are read afresh at every showing: a rate added or retired since the dialog was
    // created (e.g. on the first run, rates typed in before the first goods) is offered as it is now.
    ADOTable_Vat->close();
    NewRecordDialog::showing();
}

bool TForm_Nowy_Towar::closing(int result)
{
    NewRecordDialog::closing(result);
    ADOTable_Vat->close();
    return true;
}
