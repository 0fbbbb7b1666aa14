#include "dictionaries/Form_Stawka_Vat_Popraw.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/Lookups.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Stawka_Vat_Popraw* Form_Stawka_Vat_Popraw = nullptr;

using namespace dictionaries;

namespace {
UstawieniaPoprawy ustawienia()
{
    UstawieniaPoprawy u;
    u.nazwa = QStringLiteral("Form_Stawka_Vat_Popraw");
    u.tytul = QStringLiteral("Popraw stawkę VAT");
    u.tabela = QStringLiteral("Vat");
    u.nazwaTabeli = QStringLiteral("ADOTable_Stawka_Vat");
    u.pola = {
        {QStringLiteral("DBEdit1"), QStringLiteral("Nazwa"), QStringLiteral("Nazwa"), 10, Rodzaj::TylkoOdczyt},
        {QStringLiteral("DBEdit2"), QStringLiteral("Wartość %"), QStringLiteral("Wart")},
        {QStringLiteral("DBCheckBox1"), QStringLiteral("Czy podstawowa stawka?"), QStringLiteral("Czy_Podst"), 0,
         Rodzaj::Zaznaczenie},
        {QStringLiteral("DBCheckBox2"), QStringLiteral("Czy archiwum?"), QStringLiteral("Arch"), 0,
         Rodzaj::Zaznaczenie},
    };
    u.przyciski.zamknijNapis = QStringLiteral("Anuluj");
    // Basic rates other than this one, counted at the save: the stored row (not yet changed)
    // tells whether this rate is among them.
    u.reguly = [](EditRecordDialog& d) {
        return regulyPoprawStawki([&d] {
            data::Table* t = d.tabela();
            const bool bylaPodstawowa = t->fieldByName(QStringLiteral("Czy_Podst")).asBoolean()
                && !t->fieldByName(QStringLiteral("Arch")).asBoolean();
            return liczbaPodstawowych(*polaczenie()) - (bylaPodstawowa ? 1 : 0);
        });
    };
    u.odswiez = []() -> data::Dataset* { return DataModule1 ? DataModule1->ADOTable_Stawki_Vat : nullptr; };
    return u;
}
} // namespace

TForm_Stawka_Vat_Popraw::TForm_Stawka_Vat_Popraw(QWidget* owner) : EditRecordDialog(ustawienia(), owner) {}
