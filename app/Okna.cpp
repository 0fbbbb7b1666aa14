#include "app/Okna.h"

#include "corrections/Form_Do_Korekty.h"
#include "corrections/Form_Do_Noty.h"
#include "corrections/Form_Faktura_Korekta.h"
#include "corrections/Form_Faktura_Nota.h"
#include "corrections/Form_Korekta_Pozycja.h"
#include "dictionaries/Form_Lista_Klientow.h"
#include "dictionaries/Form_Lista_Klientow_Pob.h"
#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "dictionaries/Form_Lista_Rodzajow_Platnosci.h"
#include "dictionaries/Form_Lista_Towarow.h"
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
#include "documents/Form_Do_Poprawy.h"
#include "documents/Form_Faktura.h"
#include "documents/Form_Faktura_Poprawa.h"
#include "documents/Form_Faktura_Proforma.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Modal.h"
#include "settings/Form_Ust_Firma.h"
#include "settings/Form_Ust_Prog.h"
#include "settings/Form_Ust_Wydruki.h"
#include "shell/DataModule1.h"
#include "statements/Form_Check_NIP.h"
#include "statements/Form_Kalk_Brutto_Netto.h"
#include "statements/Form_Lista_Faktur_W_Okresie.h"
#include "statements/Form_Lista_Faktur_Wg_Roku.h"
#include "statements/Form_Sprzedaz_Wg_Klienta.h"
#include "statements/Form_Sprzedaz_Wg_Towarow.h"
#include "statements/Form_Wydruki_Dla_Klienta.h"
#include "statements/Form_Wydruki_Dla_Towaru.h"
#include "statements/Form_Wydruki_Sprzedaz_Wg_Dokumentow.h"
#include "statements/Form_Wydruki_Wg_Klientow.h"
#include "statements/Form_Wydruki_Wg_Towarow.h"
#include "shell/Form_About.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/Form_Winieta.h"
#include "shell/MainForm.h"
#include "shell/WindowTable.h"

#include <QLineEdit>

namespace {

// A dialog created at start-up that a menu item shows modally.
template <class T, T** Global>
WindowKind modal(const char* global, int position, const char* action)
{
    WindowKind k = createdAtStartup<T, Global>(global, position);
    k.action = action;
    k.open = [](TMainForm&) {
        if (*Global)
            ui::showModal(*Global);
    };
    return k;
}

// A dialog created at start-up that a menu item shows without blocking the program.
template <class T, T** Global>
WindowKind modeless(const char* global, int position, const char* action)
{
    WindowKind k = createdAtStartup<T, Global>(global, position);
    k.action = action;
    k.open = [](TMainForm&) {
        if (T* w = *Global) {
            w->show();
            w->raise();
            w->activateWindow();
        }
    };
    return k;
}

// An MDI child created on first use and kept as one instance; `Prepare` runs on it before it is
// shown (the menu's presets), on a new window and on the one that exists.
template <class T, T** Global, bool TMainForm::*Flag, auto Prepare = nullptr>
WindowKind child(const char* global, const char* action)
{
    WindowKind k;
    k.global = global;
    k.action = action;
    k.flag = Flag;
    k.open = [](TMainForm& m) {
        if constexpr (std::is_null_pointer_v<decltype(Prepare)>)
            m.Otworz_Okno<T>(*Global, m.*Flag);
        else
            m.Otworz_Okno<T>(*Global, m.*Flag, Prepare);
    };
    return k;
}

void presetyFaktury(TForm_Faktura* f)
{
    Wpisz_Presety(Daj_Presety(QStringLiteral("FV"), ui::today()), f->LEdit_Wyroznik, f->LEdit_Rok, f->LEdit_Data_Wyst,
                  f->LEdit_Miejsce_Wyst);
}

void presetyProformy(TForm_Faktura_Proforma* f)
{
    Wpisz_Presety(Daj_Presety(QStringLiteral("PFV"), ui::today()), f->LEdit_Wyroznik, f->LEdit_Rok, f->LEdit_Data_Wyst,
                  f->LEdit_Miejsce_Wyst);
}

void presetyKorekty(TForm_Faktura_Korekta* f)
{
    Wpisz_Presety(Daj_Presety(QStringLiteral("KFV"), ui::today()), f->LEdit_Wyroznik, f->LEdit_Rok, f->LEdit_Data_Wyst,
                  static_cast<QLineEdit*>(nullptr));
}

void presetyNoty(TForm_Faktura_Nota* f)
{
    Wpisz_Presety(Daj_Presety(QStringLiteral("NFV"), ui::today()), f->LEdit_Typ, f->LEdit_Rok, f->LEdit_Data_Wyst,
                  static_cast<QLineEdit*>(nullptr));
}

// The editing window, then the picker of the invoice to edit for the current year.
WindowKind poprawa()
{
    WindowKind k = child<TForm_Faktura_Poprawa, &Form_Faktura_Poprawa, &TMainForm::Czy_Faktura_Poprawa>(
        "Form_Faktura_Poprawa", "PoprawafakturyVAT1");
    k.open = [](TMainForm& m) {
        m.Otworz_Okno<TForm_Faktura_Poprawa>(Form_Faktura_Poprawa, m.Czy_Faktura_Poprawa);
        Otworz_Wybor_Faktury_Do_Poprawy();
    };
    return k;
}

std::vector<WindowKind> rows()
{
    return {
        // Start-up, in the order of creation, with the splash position after each.
        createdAtStartup<TForm_Winieta, &Form_Winieta>("Form_Winieta", 5),
        createdAtStartup<TDataModule1, &DataModule1>("DataModule1", 8),
        createdAtStartup<TForm_Lista_Klientow_Pob_Nota, &Form_Lista_Klientow_Pob_Nota>("Form_Lista_Klientow_Pob_Nota",
                                                                                       11),
        createdAtStartup<TForm_Lista_Towarow_Pob, &Form_Lista_Towarow_Pob>("Form_Lista_Towarow_Pob", 14),
        createdAtStartup<TForm_Popraw_Klient, &Form_Popraw_Klient>("Form_Popraw_Klient", 17),
        createdAtStartup<TForm_Nowy_Towar, &Form_Nowy_Towar>("Form_Nowy_Towar", 20),
        createdAtStartup<TForm_Faktura_Nowa_Pozycja, &Form_Faktura_Nowa_Pozycja>("Form_Faktura_Nowa_Pozycja", 23),
        modal<TForm_Stawki_VAT, &Form_Stawki_VAT>("Form_Stawki_VAT", 26, "StawkiVAT1"),
        createdAtStartup<TForm_Drukuj_Fakt, &Form_Drukuj_Fakt>("Form_Drukuj_Fakt", 29),
        createdAtStartup<TForm_Do_Korekty, &Form_Do_Korekty>("Form_Do_Korekty", 32),
        createdAtStartup<TForm_Korekta_Pozycja, &Form_Korekta_Pozycja>("Form_Korekta_Pozycja", 35),
        createdAtStartup<TDlg_Czy_Nowa_Fakt, &Dlg_Czy_Nowa_Fakt>("Dlg_Czy_Nowa_Fakt", 38),
        createdAtStartup<TForm_Nowa_Stawka, &Form_Nowa_Stawka>("Form_Nowa_Stawka", 41),
        createdAtStartup<TForm_Stawka_Vat_Popraw, &Form_Stawka_Vat_Popraw>("Form_Stawka_Vat_Popraw", 44),
        createdAtStartup<TForm_Komunikat, &Form_Komunikat>("Form_Komunikat", 47),
        createdAtStartup<TForm_Do_Noty, &Form_Do_Noty>("Form_Do_Noty", 50),
        createdAtStartup<TForm_Lista_Klientow_Pob, &Form_Lista_Klientow_Pob>("Form_Lista_Klientow_Pob", 53),
        createdAtStartup<TForm_Nowy_Klient, &Form_Nowy_Klient>("Form_Nowy_Klient", 56),
        createdAtStartup<TForm_Popraw_Towar, &Form_Popraw_Towar>("Form_Popraw_Towar", 59),
        modal<TForm_Kalk_Brutto_Netto, &Form_Kalk_Brutto_Netto>("Form_Kalk_Brutto_Netto", 62, "Kalkulatornettobrutto1"),
        modal<TForm_Ust_Firma, &Form_Ust_Firma>("Form_Ust_Firma", 65, "DaneFirmy1"),
        modal<TForm_Ust_Wydruki, &Form_Ust_Wydruki>("Form_Ust_Wydruki", 68, "Ustawieniawydrukow1"),
        modal<TForm_Wydruki_Sprzedaz_Wg_Dokumentow, &Form_Wydruki_Sprzedaz_Wg_Dokumentow>(
            "Form_Wydruki_Sprzedaz_Wg_Dokumentow", 71, "Dokumentywokresieczasu1"),
        modal<TForm_Wydruki_Wg_Klientow, &Form_Wydruki_Wg_Klientow>("Form_Wydruki_Wg_Klientow", 74,
                                                                    "SprzedazwgKlientow2"),
        modal<TForm_Wydruki_Dla_Klienta, &Form_Wydruki_Dla_Klienta>("Form_Wydruki_Dla_Klienta", 77,
                                                                    "SprzedazdlaKlienta1"),
        modal<TForm_Wydruki_Wg_Towarow, &Form_Wydruki_Wg_Towarow>("Form_Wydruki_Wg_Towarow", 80,
                                                                  "Sprzedazwgtowarowuslug1"),
        modal<TForm_Wydruki_Dla_Towaru, &Form_Wydruki_Dla_Towaru>("Form_Wydruki_Dla_Towaru", 83,
                                                                  "Sprzedazdlatowaruuslugi1"),
        modal<TForm_About, &Form_About>("Form_About", 85, "Oprogramie1"),
        createdAtStartup<TForm_Nowy_Rodzaj_Platnosci, &Form_Nowy_Rodzaj_Platnosci>("Form_Nowy_Rodzaj_Platnosci", 87),
        createdAtStartup<TForm_Popraw_Rodzaj_Platnosci, &Form_Popraw_Rodzaj_Platnosci>("Form_Popraw_Rodzaj_Platnosci",
                                                                                       89),
        createdAtStartup<TForm_Drukuj_Duplikat, &Form_Drukuj_Duplikat>("Form_Drukuj_Duplikat", 91),
        createdAtStartup<TForm_Jaki_Nr, &Form_Jaki_Nr>("Form_Jaki_Nr", 93),
        modeless<TForm_Check_NIP, &Form_Check_NIP>("Form_Check_NIP", 95, "SprawdzanienumeruNIP1"),
        modal<TForm_Ust_Prog, &Form_Ust_Prog>("Form_Ust_Prog", 97, "Ustawieniadomyslne1"),
        createdAtStartup<TForm_Faktura_Popraw_Pozycje, &Form_Faktura_Popraw_Pozycje>("Form_Faktura_Popraw_Pozycje", 99),
        createdAtStartup<TForm_Do_Poprawy, &Form_Do_Poprawy>("Form_Do_Poprawy", 100),

        // MDI children, created on first use.
        child<TForm_Faktura, &Form_Faktura, &TMainForm::Czy_Faktura, &presetyFaktury>("Form_Faktura", "FakturaVat1"),
        child<TForm_Faktura_Proforma, &Form_Faktura_Proforma, &TMainForm::Czy_Faktura_Proforma, &presetyProformy>(
            "Form_Faktura_Proforma", "FakturaProforma1"),
        poprawa(),
        child<TForm_Faktura_Korekta, &Form_Faktura_Korekta, &TMainForm::Czy_Faktura_Korekta, &presetyKorekty>(
            "Form_Faktura_Korekta", "KorektaFaktury1"),
        child<TForm_Faktura_Nota, &Form_Faktura_Nota, &TMainForm::Czy_Faktura_Nota, &presetyNoty>("Form_Faktura_Nota",
                                                                                                  "NotaKorygujaca1"),
        child<TForm_Lista_Faktur_Wg_Roku, &Form_Lista_Faktur_Wg_Roku, &TMainForm::Czy_Lista_Faktur_Wg_Roku>(
            "Form_Lista_Faktur_Wg_Roku", "Listafakturwgroku1"),
        child<TForm_Lista_Faktur_W_Okresie, &Form_Lista_Faktur_W_Okresie, &TMainForm::Czy_Lista_Faktur_W_Okresie>(
            "Form_Lista_Faktur_W_Okresie", "Listafakturwokresieczasu1"),
        child<TForm_Sprzedaz_Wg_Klienta, &Form_Sprzedaz_Wg_Klienta, &TMainForm::Czy_Sprzedaz_Wg_Klienta>(
            "Form_Sprzedaz_Wg_Klienta", "Sprzedazwgklientow1"),
        child<TForm_Sprzedaz_Wg_Towarow, &Form_Sprzedaz_Wg_Towarow, &TMainForm::Czy_Sprzedaz_Wg_Towarow>(
            "Form_Sprzedaz_Wg_Towarow", "Sprzedazwgtowarow1"),
        child<TForm_Lista_Towarow, &Form_Lista_Towarow, &TMainForm::Czy_Lista_Towarow>("Form_Lista_Towarow",
                                                                                       "TowaryUslugi1"),
        child<TForm_Lista_Klientow, &Form_Lista_Klientow, &TMainForm::Czy_Lista_Klientow>("Form_Lista_Klientow",
                                                                                          "Klienci1"),
        child<TForm_Lista_Rodzajow_Platnosci, &Form_Lista_Rodzajow_Platnosci, &TMainForm::Czy_Lista_Rodzajow_Platnosci>(
            "Form_Lista_Rodzajow_Platnosci", "Rodzajeplatnosci1"),
    };
}

} // namespace

void Zarejestruj_Okna() { Ustaw_Tabele_Okien(rows()); }
