#include "dictionaries/Form_Popraw_Towar.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/Lookups.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

TForm_Popraw_Towar* Form_Popraw_Towar = nullptr;

using namespace dictionaries;

namespace {
Pole ukryte(const char* nazwa, const char* kolumna, bool zaznaczenie = false)
{
    Pole p{QString::fromLatin1(nazwa), QString(), QString::fromLatin1(kolumna)};
    p.ukryta = true;
    if (zaznaczenie)
        p.rodzaj = Rodzaj::Zaznaczenie;
    return p;
}

UstawieniaPoprawy ustawienia()
{
    UstawieniaPoprawy u;
    u.nazwa = QStringLiteral("Form_Popraw_Towar");
    u.tytul = QStringLiteral("Popraw dane towaru / usługi");
    u.tabela = QStringLiteral("Towary");
    u.nazwaTabeli = QStringLiteral("ADOTable_Towary");
    Pole stawka{QStringLiteral("DBLookupComboBox_Vat_Nazwa"), QStringLiteral("Stawka VAT")};
    stawka.utworz = [](QWidget* p) -> QWidget* { return new ui::DbLookupCombo(p); };
    // The rate's own values come from the dialog's rate table, bound in the constructor.
    Pole wart{QStringLiteral("DBEdit_Vat_Wart"), QString()};
    wart.ukryta = true;
    wart.utworz = [](QWidget* p) -> QWidget* { return new ui::DbEdit(p); };
    Pole podst{QStringLiteral("DBCheckBox_Podst"), QString()};
    podst.ukryta = true;
    podst.utworz = [](QWidget* p) -> QWidget* { return new ui::DbCheckBox(QString(), p); };
    u.pola = {
        {QStringLiteral("DBEdit_Symbol"), QStringLiteral("Symbol"), QStringLiteral("Symbol"), 20, Rodzaj::TylkoOdczyt},
        {QStringLiteral("DBEdit_Nazwa"), QStringLiteral("Nazwa towaru / usługi"), QStringLiteral("Nazwa"), 40},
        {QStringLiteral("DBEdit_Nazwa_cd"), QStringLiteral("Nazwa towaru / usługi cd."), QStringLiteral("Nazwa_cd"),
         40},
        {QStringLiteral("DBEdit_PKWIU"), QStringLiteral("PKWiU"), QStringLiteral("PKWIU"), 20},
        {QStringLiteral("DBEdit_Jm"), QStringLiteral("j.m."), QStringLiteral("jm"), 0},
        {QStringLiteral("DBEdit_Cena_Zak"), QStringLiteral("Cena zakupu (netto)"), QStringLiteral("Cena_Netto_Zak")},
        {QStringLiteral("DBEdit_Cena_Sprz"), QStringLiteral("Cena sprzedaży (netto)"),
         QStringLiteral("Cena_Netto_Sprz")},
        {QStringLiteral("DBEdit_Cena_Brutto_Sprz"), QStringLiteral("Cena sprzedaży (brutto)"),
         QStringLiteral("Cena_Brutto_Sprz")},
        stawka,
        {QStringLiteral("DBEdit_Uwagi"), QStringLiteral("Uwagi"), QStringLiteral("Uwagi"), 80},
        {QStringLiteral("DBCheckBox_Arch"), QStringLiteral("Czy archiwum ?"), QStringLiteral("Arch"), 0,
         Rodzaj::Zaznaczenie},
        ukryte("DBEdit_Tow_Vat_Opis", "Vat_Opis"),
        ukryte("DBEdit_Tow_Vat_Wart", "Vat_Wart"),
        wart,
        podst,
    };
    u.przyciski.zamknijNapis = QStringLiteral("Anuluj");
    u.reguly = [](EditRecordDialog&) { return regulyPoprawTowaru(); };
    u.odswiez = []() -> data::Dataset* { return DataModule1 ? DataModule1->ADOTable_Towary : nullptr; };
    return u;
}
} // namespace

TForm_Popraw_Towar::TForm_Popraw_Towar(QWidget* owner) : EditRecordDialog(ustawienia(), owner)
{
    DBLookupComboBox_Vat_Nazwa =
        static_cast<ui::DbLookupCombo*>(kontrolka(QStringLiteral("DBLookupComboBox_Vat_Nazwa")));
    DBEdit_Tow_Vat_Opis = static_cast<ui::DbEdit*>(kontrolka(QStringLiteral("DBEdit_Tow_Vat_Opis")));
    DBEdit_Tow_Vat_Wart = static_cast<ui::DbEdit*>(kontrolka(QStringLiteral("DBEdit_Tow_Vat_Wart")));
    DBEdit_Vat_Wart = static_cast<ui::DbEdit*>(kontrolka(QStringLiteral("DBEdit_Vat_Wart")));
    DBCheckBox_Podst = static_cast<ui::DbCheckBox*>(kontrolka(QStringLiteral("DBCheckBox_Podst")));
    DataSource_Vat =
        stawkiTowaru(this, QStringLiteral("arch=false"), DBLookupComboBox_Vat_Nazwa, DBEdit_Vat_Wart, DBCheckBox_Podst);
    ADOTable_Vat = static_cast<data::Table*>(DataSource_Vat->dataset());
}

void TForm_Popraw_Towar::poOtwarciu()
{
    if (!ADOTable_Vat->isActive()) {
        ADOTable_Vat->setConnection(tabela()->connection());
        ADOTable_Vat->open();
    }
    DBLookupComboBox_Vat_Nazwa->setKeyValue(DBEdit_Tow_Vat_Opis->text());
}

void TForm_Popraw_Towar::uzupelnijWpis(Wpis& w) const
{
    // No rate chosen (the stored one has been retired): the stored rate decides.
    if (DBLookupComboBox_Vat_Nazwa->currentText().isEmpty())
        w.insert(QStringLiteral("DBCheckBox_Podst"),
                 czyStawkaPodstawowa(*tabela()->connection(), DBEdit_Tow_Vat_Opis->text()));
}

void TForm_Popraw_Towar::przedZapisem()
{
    const QString nazwa = DBLookupComboBox_Vat_Nazwa->currentText();
    if (nazwa.isEmpty())
        return; // the stored rate stays
    tabela()->fieldByName(QStringLiteral("Vat_Opis")).setAsString(nazwa);
    tabela()
        ->fieldByName(QStringLiteral("Vat_Wart"))
        .setAsFloat(ADOTable_Vat->fieldByName(QStringLiteral("Wart")).asFloat());
}

bool TForm_Popraw_Towar::closing(int result)
{
    EditRecordDialog::closing(result);
    ADOTable_Vat->close();
    return true;
}
