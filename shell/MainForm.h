#pragma once
// The main window: MDI frame with the menu, the tool bar and the status bar, the bookkeeping of
// the MDI child windows (one instance per kind), the document presets and the print libraries.
//
// What each menu item opens is a row of the window table (shell/WindowTable.h); an item with no
// row is shown disabled. An MDI child that can hold unsaved work implements ui::UnsavedWork, and
// closing the main window asks it first.
#include "platform/system/Library.h"

#include <QDate>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <type_traits>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QStatusBar;
class QMenuBar;

// What the menu writes into a new document window.
struct Presety_Dokumentu {
    QString Typ;          // "FV", "PFV", "KFV", "NFV"
    QString Rok;          // "2011"
    QString Data_Wyst;    // "2011-03-05", whatever the desktop's date format
    QString Miejsce_Wyst; // the default place of issue ("FV" and "PFV" only; else empty)
    bool Z_Miejscem = false;
};

// The presets of a document type for the date `dzis`; the place of issue is read from the
// settings for "FV" and "PFV".
Presety_Dokumentu Daj_Presety(const QString& typ, const QDate& dzis);

// Writes the presets into the fields of a document window; `miejsce` may be null (corrections
// and notes have no place of issue preset). Other fields of the window stay as they are.
template <class Edit>
void Wpisz_Presety(const Presety_Dokumentu& p, Edit* typ, Edit* rok, Edit* data, Edit* miejsce)
{
    typ->setText(p.Typ);
    rok->setText(p.Rok);
    data->setText(p.Data_Wyst);
    if (miejsce && p.Z_Miejscem)
        miejsce->setText(p.Miejsce_Wyst);
}

// The desktop's date text passes when it has the form yyyy-mm-dd (10 characters, "-" at the 5th
// and 8th): the document windows read typed dates through that format.
bool Czy_Poprawny_Format_Daty(const QString& data_tekst);

extern const char* const Komunikat_Format_Daty;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Which MDI child windows exist.
    bool Czy_Faktura = false;
    bool Czy_Lista_Towarow = false;
    bool Czy_Lista_Klientow = false;
    bool Czy_Lista_Faktur_Wg_Roku = false;
    bool Czy_Lista_Faktur_W_Okresie = false;
    bool Czy_Faktura_Korekta = false;
    bool Czy_Faktura_Nota = false;
    bool Czy_Faktura_Proforma = false;
    bool Czy_Sprzedaz_Wg_Klienta = false;
    bool Czy_Sprzedaz_Wg_Towarow = false;
    bool Czy_Lista_Rodzajow_Platnosci = false;
    bool Czy_Faktura_Poprawa = false;
    sys::LibraryHandle Uchwyt_Dokpress = nullptr;
    sys::LibraryHandle Uchwyt_Salvista = nullptr;

    void Ustaw_Czy_Faktura(bool b) { Czy_Faktura = b; }
    void Ustaw_Czy_Lista_Faktur_Wg_Roku(bool b) { Czy_Lista_Faktur_Wg_Roku = b; }
    void Ustaw_Czy_Lista_Towarow(bool b) { Czy_Lista_Towarow = b; }
    void Ustaw_Czy_Lista_Klientow(bool b) { Czy_Lista_Klientow = b; }
    void Ustaw_Czy_Faktura_Korekta(bool b) { Czy_Faktura_Korekta = b; }
    void Ustaw_Czy_Faktura_Proforma(bool b) { Czy_Faktura_Proforma = b; }
    void Ustaw_Czy_Sprzedaz_Wg_Klienta(bool b) { Czy_Sprzedaz_Wg_Klienta = b; }
    void Ustaw_Czy_Sprzedaz_Wg_Towarow(bool b) { Czy_Sprzedaz_Wg_Towarow = b; }
    void Ustaw_Czy_Faktura_Nota(bool b) { Czy_Faktura_Nota = b; }
    void Ustaw_Czy_Lista_Faktur_W_Okresie(bool b) { Czy_Lista_Faktur_W_Okresie = b; }
    void Ustaw_Czy_Lista_Rodzajow_Platnosci(bool b) { Czy_Lista_Rodzajow_Platnosci = b; }
    void Ustaw_Czy_Faktura_Poprawa(bool b) { Czy_Faktura_Poprawa = b; }

    // The print libraries, loaded at the first call. A library that failed to load is looked for
    // again at the next call; a loaded one stays until the main window closes.
    void Zaladuj_Dokpress();
    sys::LibraryHandle Daj_Dokpress();
    void Zaladuj_Salvista();
    sys::LibraryHandle Daj_Salvista();

    // How libraries are loaded and freed (tests replace them).
    std::function<sys::LibraryHandle(const QString&)> Laduj_Biblioteke = sys::loadLibrary;
    std::function<void(sys::LibraryHandle)> Zwolnij_Biblioteke = sys::freeLibrary;

    // Opens an MDI child of one kind, or brings up the one that exists. `przed` runs on the window
    // before it is shown: right after creation, or on the existing window. When the window is
    // destroyed its global pointer is cleared and its flag set to false.
    template <class T>
    T* Otworz_Okno(T*& okno, bool& flaga, const std::function<void(std::type_identity_t<T>*)>& przed = {});

    // Asks every open MDI child that can hold unsaved work (ui::UnsavedWork), in the order they
    // were opened; false when one of them refuses.
    bool Czy_Mozna_Zamknac();

    // Runs what the window table says the menu item does (nothing when it has no row).
    void Otworz_Z_Tabeli(QAction* pozycja);

    // The date-format check of each showing.
    void Sprawdz_Format_Daty();
    // At the first showing: a settings file that could not be read is told (the program then
    // runs on its defaults).
    void Sprawdz_Plik_Ustawien();

    QMdiArea* MdiArea;
    QMenuBar* MainMenu1;
    QToolBar* ToolBar2;
    QStatusBar* StatusBar;

    QMenu* Faktury1;
    QMenu* Slowniki1;
    QMenu* Zestawienia1;
    QMenu* Wydruki1;
    QMenu* Narzedzia1;
    QMenu* Ustawienia1;
    QMenu* Pomoc1;

    QAction* FakturaVat1;
    QAction* KorektaFaktury1;
    QAction* FakturaProforma1;
    QAction* NotaKorygujaca1;
    QAction* PoprawafakturyVAT1;
    QAction* StawkiVAT1;
    QAction* TowaryUslugi1;
    QAction* Klienci1;
    QAction* Rodzajeplatnosci1;
    QAction* Listafakturwgroku1;
    QAction* Listafakturwokresieczasu1;
    QAction* Sprzedazwgklientow1;
    QAction* Sprzedazwgtowarow1;
    QAction* Dokumentywokresieczasu1;
    QAction* SprzedazwgKlientow2;
    QAction* SprzedazdlaKlienta1;
    QAction* Sprzedazwgtowarowuslug1;
    QAction* Sprzedazdlatowaruuslugi1;
    QAction* Kalkulatornettobrutto1;
    QAction* SprawdzanienumeruNIP1;
    QAction* Kalkulator1;
    QAction* DaneFirmy1;
    QAction* Ustawieniawydrukow1;
    QAction* Ustawieniadomyslne1;
    QAction* Pomoc2;
    QAction* Oprogramie1;

    QAction* ToolButton1;
    QAction* ToolButton2;
    QAction* ToolButton4;
    QAction* ToolButton6;
    QAction* ToolButton9;

public slots:
    void FakturaVat1Click();
    void KorektaFaktury1Click();
    void FakturaProforma1Click();
    void NotaKorygujaca1Click();
    void PoprawafakturyVAT1Click();
    void StawkiVAT1Click();
    void TowaryUslugi1Click();
    void Klienci1Click();
    void Rodzajeplatnosci1Click();
    void Listafakturwgroku1Click();
    void Listafakturwokresieczasu1Click();
    void Sprzedazwgklientow1Click();
    void Sprzedazwgtowarow1Click();
    void Dokumentywokresieczasu1Click();
    void SprzedazwgKlientow2Click();
    void SprzedazdlaKlienta1Click();
    void Sprzedazwgtowarowuslug1Click();
    void Sprzedazdlatowaruuslugi1Click();
    void Kalkulatornettobrutto1Click();
    void SprawdzanienumeruNIP1Click();
    void Kalkulator1Click();
    void DaneFirmy1Click();
    void Ustawieniawydrukow1Click();
    void Ustawieniadomyslne1Click();
    void Pomoc2Click();
    void Oprogramie1Click();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QAction* dodajPozycje(QMenu* menu, const QString& nazwa, const QString& tekst, const QString& obrazek,
                          void (TMainForm::*handler)());
    QAction* dodajPrzycisk(const QString& nazwa, const QString& podpowiedz, QAction* jak);
    void dodajOdstep();
    void budujMenu();
    void budujPasek();
    void pokazOkno(QWidget* okno);
    void dodajOkno(QWidget* okno);
    void FormClose();
    // A PDF file written in place of the printer: the status bar tells the files of this
    // printout (those told before control returns to the event loop).
    void wydrukZapisany(const QString& plik);
    // The next printout begins, or another window became active: the message goes.
    void zapomnijWydruki();
    // Items open their windows through the table; those with no row there are disabled.
    void Ustaw_Dostepnosc();

    QStringList wydruki_;                 // the files the status bar tells of
    bool zbieranie_ = false;              // a printout is writing them
    bool ustawieniaSprawdzone_ = false;   // the settings file was looked at (first showing)
    QPointer<QMdiSubWindow> oknoWydruku_; // the window active when they were written
};

extern TMainForm* MainForm;

template <class T>
T* TMainForm::Otworz_Okno(T*& okno, bool& flaga, const std::function<void(std::type_identity_t<T>*)>& przed)
{
    if (flaga && okno) {
        if (przed)
            przed(okno);
        pokazOkno(okno);
        return okno;
    }
    if constexpr (std::is_constructible_v<T, QWidget*>)
        okno = new T(nullptr);
    else
        okno = new T();
    flaga = true;
    connect(okno, &QObject::destroyed, this, [&okno, &flaga, self = static_cast<QObject*>(okno)] {
        // The window's own destructor may have cleared its pointer already.
        if (okno == self || okno == nullptr) {
            okno = nullptr;
            flaga = false;
        }
    });
    if (przed)
        przed(okno);
    dodajOkno(okno);
    return okno;
}
