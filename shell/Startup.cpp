#include "shell/Startup.h"

#include "documents/Form_Drukuj_Duplikat.h"
#include "documents/Form_Drukuj_Fakt.h"
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
    pending("Form_Lista_Klientow_Pob_Nota", 11),
    pending("Form_Lista_Towarow_Pob", 14),
    pending("Form_Popraw_Klient", 17),
    pending("Form_Nowy_Towar", 20),
    pending("Form_Faktura_Nowa_Pozycja", 23),
    pending("Form_Stawki_VAT", 26),
    step<TForm_Drukuj_Fakt, &Form_Drukuj_Fakt>("Form_Drukuj_Fakt", 29),
    pending("Form_Do_Korekty", 32),
    pending("Form_Korekta_Pozycja", 35),
    pending("Dlg_Czy_Nowa_Fakt", 38),
    pending("Form_Nowa_Stawka", 41),
    pending("Form_Stawka_Vat_Popraw", 44),
    step<TForm_Komunikat, &Form_Komunikat>("Form_Komunikat", 47),
    pending("Form_Do_Noty", 50),
    pending("Form_Lista_Klientow_Pob", 53),
    pending("Form_Nowy_Klient", 56),
    pending("Form_Popraw_Towar", 59),
    pending("Form_Kalk_Brutto_Netto", 62),
    step<TForm_Ust_Firma, &Form_Ust_Firma>("Form_Ust_Firma", 65),
    step<TForm_Ust_Wydruki, &Form_Ust_Wydruki>("Form_Ust_Wydruki", 68),
    pending("Form_Wydruki_Sprzedaz_Wg_Dokumentow", 71),
    pending("Form_Wydruki_Wg_Klientow", 74),
    pending("Form_Wydruki_Dla_Klienta", 77),
    pending("Form_Wydruki_Wg_Towarow", 80),
    pending("Form_Wydruki_Dla_Towaru", 83),
    step<TForm_About, &Form_About>("Form_About", 85),
    pending("Form_Nowy_Rodzaj_Platnosci", 87),
    pending("Form_Popraw_Rodzaj_Platnosci", 89),
    step<TForm_Drukuj_Duplikat, &Form_Drukuj_Duplikat>("Form_Drukuj_Duplikat", 91),
    step<TForm_Jaki_Nr, &Form_Jaki_Nr>("Form_Jaki_Nr", 93),
    pending("Form_Check_NIP", 95),
    step<TForm_Ust_Prog, &Form_Ust_Prog>("Form_Ust_Prog", 97),
    pending("Form_Faktura_Popraw_Pozycje", 99),
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
