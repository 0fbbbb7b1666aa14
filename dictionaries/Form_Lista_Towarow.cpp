#include "dictionaries/Form_Lista_Towarow.h"

#include "dictionaries/Form_Nowy_Towar.h"
#include "dictionaries/Form_Popraw_Towar.h"
#include "dictionaries/Konfiguracja.h"
#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"
#include "shell/MainForm.h"

TForm_Lista_Towarow* Form_Lista_Towarow = nullptr;

using namespace dictionaries;

namespace {
UstawieniaOknaListy ustawienia()
{
    UstawieniaOknaListy u;
    u.lista = widokTowarow(true,
                           {QStringLiteral("Symbol"), QStringLiteral("Nazwa towaru / usługi"), QStringLiteral("PKWiU"),
                            QStringLiteral("Cena sprzedaży")},
                           sortWedlugListy({QStringLiteral("Symbol"), QStringLiteral("Nazwa"), QStringLiteral("PKWIU"),
                                            QStringLiteral("Cena_Netto_Sprz")},
                                           QStringLiteral("Symbol")));
    u.lista.nazwaOkna = QStringLiteral("Form_Lista_Towarow");
    u.lista.tytul = QStringLiteral("Słownik towarów / usług");
    u.lista.nazwaSiatki = QStringLiteral("DBGrid_Lista_Towarow");
    u.nowy = [] { return Form_Nowy_Towar; };
    u.poprawa = [] { return Form_Popraw_Towar; };
    u.filtrWiersza = filtrWedlug(QStringLiteral("symbol"));
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Lista_Towarow(false);
    };
    return u;
}
} // namespace

TForm_Lista_Towarow::TForm_Lista_Towarow(QWidget* parent) : ListWindow(ustawienia(), parent)
{
    DBGrid_Lista_Towarow = panel()->siatka();
}
