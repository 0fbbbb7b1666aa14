#include "shell/Startup.h"

#include "dictionaries/Form_Lista_Klientow_Pob.h"
#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "dictionaries/Form_Lista_Towarow_Pob.h"
#include "dictionaries/Form_Nowa_Stawka.h"
#include "dictionaries/Form_Nowy_Klient.h"
#include "dictionaries/Form_Nowy_Rodzaj_Platnosci.h"
#include "dictionaries/Form_Nowy_Towar.h"
#include "dictionaries/Form_Popraw_Klient.h"
#include "dictionaries/Form_Popraw_Rodzaj_Platnosci.h"
#include "dictionaries/Form_Popraw_Towar.h"
#include "dictionaries/Form_Stawka_Vat_Popraw.h"
#include "dictionaries/Form_Stawki_VAT.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Drukuj_Duplikat.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "shell/DataModule1.h"
#include "shell/Form_About.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/Form_Winieta.h"
#include "shell/MainForm.h"
#include "settings/Form_Ust_Firma.h"
#include "settings/Form_Ust_Prog.h"
#include "settings/Form_Ust_Wydruki.h"

#include <vector>

QWidget* startup_detail::owner()
{
    return MainForm;
}

namespace {

// One row per line: each window's row is edited on its own when that window is built.
const StartupStep kStartup[] = {
    step<TForm_Winieta, &Form_Winieta>("Form_Winieta", 5),
    step<TDataModule1, &DataModule1>("DataModule1", 8),
    step<TForm_Lista_Klientow_Pob_Nota, &Form_Lista_Klientow_Pob_Nota>("Form_Lista_Klientow_Pob_Nota", 11),
    step<TForm_Lista_Towarow_Pob, &Form_Lista_Towarow_Pob>("Form_Lista_Towarow_Pob", 14),
    step<TForm_Popraw_Klient, &Form_Popraw_Klient>("Form_Popraw_Klient", 17),
    step<TForm_Nowy_Towar, &Form_Nowy_Towar>("Form_Nowy_Towar", 20),
    step<TForm_Faktura_Nowa_Pozycja, &Form_Faktura_Nowa_Pozycja>("Form_Faktura_Nowa_Pozycja", 23),
    step<TForm_Stawki_VAT, &Form_Stawki_VAT>("Form_Stawki_VAT", 26),
    step<TForm_Drukuj_Fakt, &Form_Drukuj_Fakt>("Form_Drukuj_Fakt", 29),
    pending("Form_Do_Korekty", 32),
    pending("Form_Korekta_Pozycja", 35),
    step<TDlg_Czy_Nowa_Fakt, &Dlg_Czy_Nowa_Fakt>("Dlg_Czy_Nowa_Fakt", 38),
    step<TForm_Nowa_Stawka, &Form_Nowa_Stawka>("Form_Nowa_Stawka", 41),
    step<TForm_Stawka_Vat_Popraw, &Form_Stawka_Vat_Popraw>("Form_Stawka_Vat_Popraw", 44),
    step<TForm_Komunikat, &Form_Komunikat>("Form_Komunikat", 47),
    pending("Form_Do_Noty", 50),
    step<TForm_Lista_Klientow_Pob, &Form_Lista_Klientow_Pob>("Form_Lista_Klientow_Pob", 53),
    step<TForm_Nowy_Klient, &Form_Nowy_Klient>("Form_Nowy_Klient", 56),
    step<TForm_Popraw_Towar, &Form_Popraw_Towar>("Form_Popraw_Towar", 59),
    pending("Form_Kalk_Brutto_Netto", 62),
    step<TForm_Ust_Firma, &Form_Ust_Firma>("Form_Ust_Firma", 65),
    step<TForm_Ust_Wydruki, &Form_Ust_Wydruki>("Form_Ust_Wydruki", 68),
    pending("Form_Wydruki_Sprzedaz_Wg_Dokumentow", 71),
    pending("Form_Wydruki_Wg_Klientow", 74),
    pending("Form_Wydruki_Dla_Klienta", 77),
    pending("Form_Wydruki_Wg_Towarow", 80),
    pending("Form_Wydruki_Dla_Towaru", 83),
    step<TForm_About, &Form_About>("Form_About", 85),
    step<TForm_Nowy_Rodzaj_Platnosci, &Form_Nowy_Rodzaj_Platnosci>("Form_Nowy_Rodzaj_Platnosci", 87),
    step<TForm_Popraw_Rodzaj_Platnosci, &Form_Popraw_Rodzaj_Platnosci>("Form_Popraw_Rodzaj_Platnosci", 89),
    step<TForm_Drukuj_Duplikat, &Form_Drukuj_Duplikat>("Form_Drukuj_Duplikat", 91),
    step<TForm_Jaki_Nr, &Form_Jaki_Nr>("Form_Jaki_Nr", 93),
    pending("Form_Check_NIP", 95),
    step<TForm_Ust_Prog, &Form_Ust_Prog>("Form_Ust_Prog", 97),
    step<TForm_Faktura_Popraw_Pozycje, &Form_Faktura_Popraw_Pozycje>("Form_Faktura_Popraw_Pozycje", 99),
    pending("Form_Do_Poprawy", 100),
};

// The steps whose window was created, in creation order.
std::vector<const StartupStep*>& created()
{
    static std::vector<const StartupStep*> list;
    return list;
}

} // namespace

std::span<const StartupStep> startupTable()
{
    return kStartup;
}

void Utworz_Formularze(const std::function<void(const StartupStep&)>& afterStep)
{
    for (const StartupStep& s : kStartup) {
        if (s.create) {
            s.create();
            created().push_back(&s);
        }
        if (Form_Winieta)
            Form_Winieta->Ustaw_Postep(s.position);
        if (afterStep)
            afterStep(s);
    }
    // The splash is only hidden: it stays in memory until the program ends.
    if (Form_Winieta)
        Form_Winieta->hide();
}

void Zwolnij_Formularze()
{
    auto& list = created();
    while (!list.empty()) {
        const StartupStep* s = list.back();
        list.pop_back();
        s->destroy();
    }
}
