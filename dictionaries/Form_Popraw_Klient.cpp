#include "dictionaries/Form_Popraw_Klient.h"

#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Popraw_Klient* Form_Popraw_Klient = nullptr;

using namespace dictionaries;

namespace {
UstawieniaPoprawy ustawienia()
{
    UstawieniaPoprawy u;
    u.nazwa = QStringLiteral("Form_Popraw_Klient");
    u.tytul = QStringLiteral("Popraw dane Klienta");
    u.tabela = QStringLiteral("Klienci");
    u.nazwaTabeli = QStringLiteral("ADOTable_Klient");
    u.pola = {
        {QStringLiteral("DBEdit_Nr_Klienta"), QStringLiteral("Nr Klienta"), QStringLiteral("Nr_Klienta"), 10,
         Rodzaj::TylkoOdczyt},
        {QStringLiteral("DBEdit_Nazwa"), QStringLiteral("Nazwa / Nazwisko, imię"), QStringLiteral("Nazwa_Nazwisko"),
         75},
        {QStringLiteral("DBEdit_Nazwa_cd"), QStringLiteral("Nazwa / Nazwisko, imię cd."),
         QStringLiteral("Nazwa_Nazwisko_cd"), 75},
        {QStringLiteral("DBCBox_Czy_Firma"), QStringLiteral("Czy firma ?"), QStringLiteral("Czy_Firma"), 0,
         Rodzaj::Zaznaczenie},
        {QStringLiteral("DBEdit_NIP"), QStringLiteral("NIP"), QStringLiteral("NIP"), 16},
        {QStringLiteral("DBEdit_Kod"), QStringLiteral("Kod"), QStringLiteral("Kod"), 15},
        {QStringLiteral("DBEdit_Miasto"), QStringLiteral("Miasto"), QStringLiteral("Miasto"), 30},
        {QStringLiteral("DBEdit_Adres"), QStringLiteral("Adres (ulica, nr domu)"), QStringLiteral("Adres"), 50},
        {QStringLiteral("DBEdit_Tel"), QStringLiteral("Telefon"), QStringLiteral("Tel"), 50},
        {QStringLiteral("DBEdit_Uwagi"), QStringLiteral("Uwagi"), QStringLiteral("Uwagi"), 255},
    };
    u.reguly = [](EditRecordDialog&) { return regulyPoprawKlienta(); };
    u.odswiez = []() -> data::Dataset* { return DataModule1 ? DataModule1->ADOTable_Klienci : nullptr; };
    return u;
}
} // namespace

TForm_Popraw_Klient::TForm_Popraw_Klient(QWidget* owner) : EditRecordDialog(ustawienia(), owner) {}
