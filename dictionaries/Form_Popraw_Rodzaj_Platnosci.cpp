#include "dictionaries/Form_Popraw_Rodzaj_Platnosci.h"

#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Popraw_Rodzaj_Platnosci* Form_Popraw_Rodzaj_Platnosci = nullptr;

using namespace dictionaries;

namespace {
UstawieniaPoprawy ustawienia()
{
    UstawieniaPoprawy u;
    u.nazwa = QStringLiteral("Form_Popraw_Rodzaj_Platnosci");
    u.tytul = QStringLiteral("Popraw rodzaj płatności");
    u.tabela = QStringLiteral("Forma_Zaplaty");
    u.nazwaTabeli = QStringLiteral("ADOTable_Rodzaj_Platnosci");
    u.pola = {{QStringLiteral("DBEdit_Nazwa"), QStringLiteral("Nazwa"), QStringLiteral("Nazwa"), 20},
              {QStringLiteral("DBEdit_Opis"), QStringLiteral("Opis"), QStringLiteral("Opis"), 50}};
    u.przyciski.zamknijNapis = QStringLiteral("Anuluj");
    u.reguly = [](EditRecordDialog&) { return Reguly{}; };
    u.odswiez = []() -> data::Dataset* { return DataModule1 ? DataModule1->ADOTable_Rodzaje_Platnosci : nullptr; };
    return u;
}
} // namespace

TForm_Popraw_Rodzaj_Platnosci::TForm_Popraw_Rodzaj_Platnosci(QWidget* owner) : EditRecordDialog(ustawienia(), owner) {}
