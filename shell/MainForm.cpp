#include "shell/MainForm.h"
#include "platform/ui/Connect.h"

#include "platform/report/Output.h"
#include "platform/system/Shell.h"
#include "platform/text/Dates.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "shell/Form_Winieta.h"
#include "shell/Obrazki.h"
#include "shell/PrintNotice.h"
#include "shell/Rejestr.h"
#include "shell/WindowTable.h"
#include "platform/ui/UnsavedWork.h"
#include "platform/ui/WindowFit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>

#include <utility>

TMainForm* MainForm = nullptr;

const char* const Komunikat_Format_Daty =
    "Niepoprawny format daty systemowej.\nDla poprawnego działania programu należy przestawić\n"
    "format systemowej 'Daty krótkiej' na 'rrrr-MM-dd'.";

namespace {
const QString Plik_Instrukcji = QStringLiteral("Instrukcja obsługi programu Orlimek Tarnex.pdf");
const QString Plik_Dokpress = QStringLiteral("Dokpress.dll");
const QString Plik_Salvista = QStringLiteral("Salvista.dll");
} // namespace

Presety_Dokumentu Daj_Presety(const QString& typ, const QDate& dzis)
{
    Presety_Dokumentu p;
    p.Typ = typ;
    p.Rok = QString::number(dzis.year());
    // Always yyyy-mm-dd, whatever the desktop's date format.
    p.Data_Wyst = QStringLiteral("%1-%2-%3")
                      .arg(dzis.year())
                      .arg(dzis.month(), 2, 10, QLatin1Char('0'))
                      .arg(dzis.day(), 2, 10, QLatin1Char('0'));
    p.Z_Miejscem = typ == QLatin1String("FV") || typ == QLatin1String("PFV");
    if (p.Z_Miejscem)
        p.Miejsce_Wyst = Czytaj_Rejestr(HKEY_LOCAL_MACHINE, Klucz_Ustawienia, QStringLiteral("Miejsce_Wyst"));
    return p;
}

bool Czy_Poprawny_Format_Daty(const QString& data_tekst)
{
    return data_tekst.size() == 10 && data_tekst[4] == QLatin1Char('-') && data_tekst[7] == QLatin1Char('-');
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orlimek - Tarnex"));

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    MdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(MdiArea);

    StatusBar = statusBar();
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    // Without a printer a printout becomes PDF files; the user is told how many went where.
    report::setPdfNotice([okno = QPointer<TMainForm>(this)](const QString& plik) {
        if (okno)
            okno->wydrukZapisany(plik);
    });

    ui::on(MdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (w && w != oknoWydruku_)
            zapomnijWydruki();
    });

    budujMenu();
    budujPasek();

    // A database that does not open at start-up is told in the plain message dialog, and
    // start-up goes on with the tables closed.
    // The splash stays on top of everything, so it steps aside while the message is up.
    TDataModule1::setReporter([](const QString& tekst) {
        const bool winieta = Form_Winieta && Form_Winieta->isVisible();
        if (winieta)
            Form_Winieta->hide();
        ui::showMessage(tekst);
        if (winieta)
            Form_Winieta->show();
    });

    // Long waits of the database (indexes added to an older file, another copy's lock) are told
    // on the splash while it is up, on the status bar afterwards; both are painted at once,
    // since the wait holds the event loop.
    auto tell = [okno = QPointer<TMainForm>(this)](const QString& tekst) {
        if (Form_Winieta && Form_Winieta->isVisible()) {
            Form_Winieta->Ustaw_Tekst(tekst);
        } else if (okno) {
            if (tekst.isEmpty())
                okno->StatusBar->clearMessage();
            else
                okno->StatusBar->showMessage(tekst);
            okno->StatusBar->repaint();
        }
    };
    TDataModule1::setNotice(tell);
    data::Connection::setBusyNotice(tell);

    Ustaw_Dostepnosc();
}

TMainForm::~TMainForm()
{
    TDataModule1::setNotice({});
    data::Connection::setBusyNotice({});
    report::setPdfNotice({});
    if (MainForm == this)
        MainForm = nullptr;
}

QAction* TMainForm::dodajPozycje(QMenu* menu, const QString& nazwa, const QString& tekst, const QString& obrazek,
                                 void (TMainForm::*handler)())
{
    QAction* a = menu->addAction(Ikona(obrazek), tekst);
    a->setObjectName(nazwa);
    ui::on(a, &QAction::triggered, this, handler);
    return a;
}

void TMainForm::budujMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = MainMenu1->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    Faktury1 = menu("Faktury1", QStringLiteral("Faktury"));
    FakturaVat1 = dodajPozycje(Faktury1, QStringLiteral("FakturaVat1"), QStringLiteral("Faktura Vat"),
                               QStringLiteral("faktura"), &TMainForm::FakturaVat1Click);
    KorektaFaktury1 = dodajPozycje(Faktury1, QStringLiteral("KorektaFaktury1"), QStringLiteral("Korekta Faktury"),
                                   QStringLiteral("korekta"), &TMainForm::KorektaFaktury1Click);
    FakturaProforma1 = dodajPozycje(Faktury1, QStringLiteral("FakturaProforma1"), QStringLiteral("Faktura Proforma"),
                                    QStringLiteral("proforma"), &TMainForm::FakturaProforma1Click);
    NotaKorygujaca1 = dodajPozycje(Faktury1, QStringLiteral("NotaKorygujaca1"), QStringLiteral("Nota Korygująca"),
                                   QStringLiteral("nota"), &TMainForm::NotaKorygujaca1Click);
    Faktury1->addSeparator();
    PoprawafakturyVAT1 =
        dodajPozycje(Faktury1, QStringLiteral("PoprawafakturyVAT1"), QStringLiteral("Poprawa faktury VAT"),
                     QStringLiteral("poprawa"), &TMainForm::PoprawafakturyVAT1Click);

    Slowniki1 = menu("Slowniki1", QStringLiteral("Słowniki"));
    StawkiVAT1 = dodajPozycje(Slowniki1, QStringLiteral("StawkiVAT1"), QStringLiteral("Stawki VAT"),
                              QStringLiteral("stawki"), &TMainForm::StawkiVAT1Click);
    TowaryUslugi1 = dodajPozycje(Slowniki1, QStringLiteral("TowaryUslugi1"), QStringLiteral("Towary / Uslugi"),
                                 QStringLiteral("towary"), &TMainForm::TowaryUslugi1Click);
    Klienci1 = dodajPozycje(Slowniki1, QStringLiteral("Klienci1"), QStringLiteral("Klienci"), QStringLiteral("klienci"),
                            &TMainForm::Klienci1Click);
    Rodzajeplatnosci1 =
        dodajPozycje(Slowniki1, QStringLiteral("Rodzajeplatnosci1"), QStringLiteral("Rodzaje płatności"),
                     QStringLiteral("platnosci"), &TMainForm::Rodzajeplatnosci1Click);

    Zestawienia1 = menu("Zestawienia1", QStringLiteral("Zestawienia"));
    Listafakturwgroku1 =
        dodajPozycje(Zestawienia1, QStringLiteral("Listafakturwgroku1"), QStringLiteral("Lista faktur wg roku"),
                     QStringLiteral("lista_rok"), &TMainForm::Listafakturwgroku1Click);
    Listafakturwokresieczasu1 = dodajPozycje(Zestawienia1, QStringLiteral("Listafakturwokresieczasu1"),
                                             QStringLiteral("Lista faktur w okresie czasu"),
                                             QStringLiteral("lista_okres"), &TMainForm::Listafakturwokresieczasu1Click);
    Sprzedazwgklientow1 =
        dodajPozycje(Zestawienia1, QStringLiteral("Sprzedazwgklientow1"), QStringLiteral("Sprzedaż wg. klientów"),
                     QStringLiteral("sprzedaz_klienci"), &TMainForm::Sprzedazwgklientow1Click);
    Sprzedazwgtowarow1 =
        dodajPozycje(Zestawienia1, QStringLiteral("Sprzedazwgtowarow1"), QStringLiteral("Sprzedaż wg. towarów"),
                     QStringLiteral("sprzedaz_towary"), &TMainForm::Sprzedazwgtowarow1Click);

    Wydruki1 = menu("Wydruki1", QStringLiteral("Wydruki"));
    Dokumentywokresieczasu1 =
        dodajPozycje(Wydruki1, QStringLiteral("Dokumentywokresieczasu1"), QStringLiteral("Dokumenty w okresie czasu"),
                     QStringLiteral("wydruk"), &TMainForm::Dokumentywokresieczasu1Click);
    SprzedazwgKlientow2 =
        dodajPozycje(Wydruki1, QStringLiteral("SprzedazwgKlientow2"), QStringLiteral("Sprzedaż wg. Klientów"),
                     QStringLiteral("wydruk"), &TMainForm::SprzedazwgKlientow2Click);
    SprzedazdlaKlienta1 =
        dodajPozycje(Wydruki1, QStringLiteral("SprzedazdlaKlienta1"), QStringLiteral("Sprzedaż dla Klienta"),
                     QStringLiteral("wydruk"), &TMainForm::SprzedazdlaKlienta1Click);
    Sprzedazwgtowarowuslug1 = dodajPozycje(Wydruki1, QStringLiteral("Sprzedazwgtowarowuslug1"),
                                           QStringLiteral("Sprzedaż wg. towarów / usług"), QStringLiteral("wydruk"),
                                           &TMainForm::Sprzedazwgtowarowuslug1Click);
    Sprzedazdlatowaruuslugi1 = dodajPozycje(Wydruki1, QStringLiteral("Sprzedazdlatowaruuslugi1"),
                                            QStringLiteral("Sprzedaż dla towaru / usługi"), QStringLiteral("wydruk"),
                                            &TMainForm::Sprzedazdlatowaruuslugi1Click);

    Narzedzia1 = menu("Narzedzia1", QStringLiteral("Narzędzia"));
    Kalkulatornettobrutto1 =
        dodajPozycje(Narzedzia1, QStringLiteral("Kalkulatornettobrutto1"), QStringLiteral("Kalkulator netto<->brutto"),
                     QStringLiteral("kalkulator_cen"), &TMainForm::Kalkulatornettobrutto1Click);
    SprawdzanienumeruNIP1 =
        dodajPozycje(Narzedzia1, QStringLiteral("SprawdzanienumeruNIP1"), QStringLiteral("Sprawdzanie numeru NIP"),
                     QStringLiteral("nip"), &TMainForm::SprawdzanienumeruNIP1Click);
    Kalkulator1 = dodajPozycje(Narzedzia1, QStringLiteral("Kalkulator1"), QStringLiteral("Kalkulator"),
                               QStringLiteral("kalkulator"), &TMainForm::Kalkulator1Click);

    Ustawienia1 = menu("Ustawienia1", QStringLiteral("Ustawienia"));
    DaneFirmy1 = dodajPozycje(Ustawienia1, QStringLiteral("DaneFirmy1"), QStringLiteral("Dane Firmy"),
                              QStringLiteral("firma"), &TMainForm::DaneFirmy1Click);
    Ustawieniawydrukow1 =
        dodajPozycje(Ustawienia1, QStringLiteral("Ustawieniawydrukow1"), QStringLiteral("Ustawienia wydruków"),
                     QStringLiteral("ust_wydruki"), &TMainForm::Ustawieniawydrukow1Click);
    Ustawieniadomyslne1 =
        dodajPozycje(Ustawienia1, QStringLiteral("Ustawieniadomyslne1"), QStringLiteral("Ustawienia domyślne"),
                     QStringLiteral("ustawienia"), &TMainForm::Ustawieniadomyslne1Click);

    Pomoc1 = menu("Pomoc1", QStringLiteral("Pomoc"));
    Pomoc2 = dodajPozycje(Pomoc1, QStringLiteral("Pomoc2"), QStringLiteral("Pomoc"), QStringLiteral("pomoc"),
                          &TMainForm::Pomoc2Click);
    Oprogramie1 = dodajPozycje(Pomoc1, QStringLiteral("Oprogramie1"), QStringLiteral("O programie ..."),
                               QStringLiteral("o_programie"), &TMainForm::Oprogramie1Click);
}

QAction* TMainForm::dodajPrzycisk(const QString& nazwa, const QString& podpowiedz, QAction* jak)
{
    QAction* a = ToolBar2->addAction(jak->icon(), podpowiedz);
    a->setObjectName(nazwa);
    a->setToolTip(podpowiedz);
    a->setStatusTip(podpowiedz);
    a->setEnabled(jak->isEnabled());
    // The button does what its menu item does, and is available when the item is.
    ui::on(a, &QAction::triggered, jak, &QAction::trigger);
    ui::on(jak, &QAction::changed, a, [a, jak] { a->setEnabled(jak->isEnabled()); });
    if (QWidget* w = ToolBar2->widgetForAction(a)) {
        w->setObjectName(nazwa);
        w->setFixedSize(39, 38);
    }
    return a;
}

void TMainForm::dodajOdstep()
{
    auto* odstep = new QWidget(ToolBar2);
    odstep->setFixedWidth(8);
    ToolBar2->addWidget(odstep);
}

void TMainForm::budujPasek()
{
    ToolBar2 = addToolBar(QStringLiteral("ToolBar2"));
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setMovable(false);
    ToolBar2->setIconSize(QSize(32, 32));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonIconOnly);

    ToolButton1 = dodajPrzycisk(QStringLiteral("ToolButton1"), QStringLiteral("Faktura VAT"), FakturaVat1);
    ToolBar2->addSeparator();
    ToolButton2 = dodajPrzycisk(QStringLiteral("ToolButton2"), QStringLiteral("Korekta Faktury VAT"), KorektaFaktury1);
    dodajOdstep();
    ToolButton4 =
        dodajPrzycisk(QStringLiteral("ToolButton4"), QStringLiteral("Słownik towarów i usług"), TowaryUslugi1);
    ToolBar2->addSeparator();
    ToolButton6 = dodajPrzycisk(QStringLiteral("ToolButton6"), QStringLiteral("Słownik klientów"), Klienci1);
    dodajOdstep();
    ToolButton9 =
        dodajPrzycisk(QStringLiteral("ToolButton9"), QStringLiteral("Kalkulator cen"), Kalkulatornettobrutto1);
}

// ---- MDI children -----------------------------------------------------------------------------

void TMainForm::dodajOkno(QWidget* okno)
{
    // A child frees itself when closed, whether by its frame or by its own "Zamknij"; its frame
    // goes with it (queued: the frame may be the one deleting it).
    okno->setAttribute(Qt::WA_DeleteOnClose);
    // The children have a fixed frame with only the system menu and the close box.
    QMdiSubWindow* sub = MdiArea->addSubWindow(okno,
                                               Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    ui::on(okno, &QObject::destroyed, sub, &QWidget::close, Qt::QueuedConnection);
    okno->show();
    // Every child opens in the top-left corner of the work space, whatever else is open there
    // (the work space would otherwise look for a free spot of its own), no larger than the work
    // space, with the focus on its first input.
    sub->move(0, 0);
    ui::fitSubWindow(sub);
    MdiArea->setActiveSubWindow(sub);
    ui::focusFirstInput(okno);
}

void TMainForm::pokazOkno(QWidget* okno)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(okno->parentWidget());
    if (!sub) {
        okno->show();
        okno->raise();
        return;
    }
    if (sub->isMinimized())
        sub->showNormal();
    okno->show();
    sub->show();
    sub->raise();
    MdiArea->setActiveSubWindow(sub);
}

// ---- exit check -------------------------------------------------------------------------------

bool TMainForm::Czy_Mozna_Zamknac()
{
    // A question may close windows, so the list is taken first and each window checked again.
    QList<QPointer<QWidget>> okna;
    for (QMdiSubWindow* sub : MdiArea->subWindowList(QMdiArea::CreationOrder))
        okna << QPointer<QWidget>(sub->widget());
    for (const QPointer<QWidget>& okno : okna)
        if (auto* praca = dynamic_cast<ui::UnsavedWork*>(okno.data()); praca && !praca->mayDiscard())
            return false;
    return true;
}

void TMainForm::Otworz_Z_Tabeli(QAction* pozycja)
{
    if (const WindowKind* k = pozycja ? Okno_Dla_Pozycji(pozycja->objectName()) : nullptr; k && k->open)
        k->open(*this);
}

void TMainForm::Ustaw_Dostepnosc()
{
    for (QMenu* m : {Faktury1, Slowniki1, Zestawienia1, Wydruki1, Narzedzia1, Ustawienia1, Pomoc1})
        for (QAction* a : m->actions()) {
            if (a->isSeparator() || a == Kalkulator1 || a == Pomoc2)
                continue;
            const WindowKind* k = Okno_Dla_Pozycji(a->objectName());
            a->setEnabled(k && k->open);
        }
}

// ---- print libraries --------------------------------------------------------------------------

void TMainForm::Zaladuj_Dokpress()
{
    if (!Uchwyt_Dokpress)
        Uchwyt_Dokpress = Laduj_Biblioteke(Plik_Dokpress);
}

void TMainForm::wydrukZapisany(const QString& plik)
{
    if (!zbieranie_) {
        zbieranie_ = true;
        wydruki_.clear();
        QTimer::singleShot(0, this, [this] { zbieranie_ = false; });
    }
    wydruki_ << plik;
    oknoWydruku_ = MdiArea->activeSubWindow();
    StatusBar->showMessage(shell::savedFilesMessage(wydruki_, QDir::currentPath()));
}

void TMainForm::zapomnijWydruki()
{
    wydruki_.clear();
    zbieranie_ = false;
    oknoWydruku_ = nullptr;
    StatusBar->clearMessage();
}

sys::LibraryHandle TMainForm::Daj_Dokpress()
{
    zapomnijWydruki(); // a printout begins
    if (!Uchwyt_Dokpress)
        Zaladuj_Dokpress();
    return Uchwyt_Dokpress;
}

void TMainForm::Zaladuj_Salvista()
{
    if (!Uchwyt_Salvista)
        Uchwyt_Salvista = Laduj_Biblioteke(Plik_Salvista);
}

sys::LibraryHandle TMainForm::Daj_Salvista()
{
    zapomnijWydruki(); // a report begins
    if (!Uchwyt_Salvista)
        Zaladuj_Salvista();
    return Uchwyt_Salvista;
}

// ---- showing and closing ----------------------------------------------------------------------

void TMainForm::Sprawdz_Plik_Ustawien()
{
    if (!std::exchange(ustawieniaSprawdzone_, true))
        if (const QString problem = registry::problem(); !problem.isEmpty())
            Pokaz_Komunikat(problem);
}

void TMainForm::Sprawdz_Format_Daty()
{
    if (!Czy_Poprawny_Format_Daty(text::dateToText(ui::today())))
        Pokaz_Komunikat(QString::fromUtf8(Komunikat_Format_Daty));
}

void TMainForm::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // Each showing by the program (not a restore by the window system); the message box waits
    // until the window is on the screen.
    if (!e->spontaneous())
        ui::later([this, self = QPointer<TMainForm>(this)] {
            if (self) {
                Sprawdz_Plik_Ustawien();
                Sprawdz_Format_Daty();
            }
        });
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    if (!Czy_Mozna_Zamknac()) {
        e->ignore();
        return;
    }
    FormClose();
    e->accept();
}

void TMainForm::FormClose()
{
    if (Uchwyt_Dokpress) {
        Zwolnij_Biblioteke(Uchwyt_Dokpress);
        Uchwyt_Dokpress = nullptr;
    }
    if (Uchwyt_Salvista) {
        Zwolnij_Biblioteke(Uchwyt_Salvista);
        Uchwyt_Salvista = nullptr;
    }
    if (DataModule1 && DataModule1->ADOConnection1)
        DataModule1->ADOConnection1->close();
}

// ---- menu -------------------------------------------------------------------------------------
// The handlers keep their names; what they open is the window table's business.

void TMainForm::FakturaVat1Click() { Otworz_Z_Tabeli(FakturaVat1); }

void TMainForm::KorektaFaktury1Click() { Otworz_Z_Tabeli(KorektaFaktury1); }

void TMainForm::FakturaProforma1Click() { Otworz_Z_Tabeli(FakturaProforma1); }

void TMainForm::NotaKorygujaca1Click() { Otworz_Z_Tabeli(NotaKorygujaca1); }

void TMainForm::PoprawafakturyVAT1Click() { Otworz_Z_Tabeli(PoprawafakturyVAT1); }

void TMainForm::StawkiVAT1Click() { Otworz_Z_Tabeli(StawkiVAT1); }

void TMainForm::TowaryUslugi1Click() { Otworz_Z_Tabeli(TowaryUslugi1); }

void TMainForm::Klienci1Click() { Otworz_Z_Tabeli(Klienci1); }

void TMainForm::Rodzajeplatnosci1Click() { Otworz_Z_Tabeli(Rodzajeplatnosci1); }

void TMainForm::Listafakturwgroku1Click() { Otworz_Z_Tabeli(Listafakturwgroku1); }

void TMainForm::Listafakturwokresieczasu1Click() { Otworz_Z_Tabeli(Listafakturwokresieczasu1); }

void TMainForm::Sprzedazwgklientow1Click() { Otworz_Z_Tabeli(Sprzedazwgklientow1); }

void TMainForm::Sprzedazwgtowarow1Click() { Otworz_Z_Tabeli(Sprzedazwgtowarow1); }

void TMainForm::Dokumentywokresieczasu1Click() { Otworz_Z_Tabeli(Dokumentywokresieczasu1); }

void TMainForm::SprzedazwgKlientow2Click() { Otworz_Z_Tabeli(SprzedazwgKlientow2); }

void TMainForm::SprzedazdlaKlienta1Click() { Otworz_Z_Tabeli(SprzedazdlaKlienta1); }

void TMainForm::Sprzedazwgtowarowuslug1Click() { Otworz_Z_Tabeli(Sprzedazwgtowarowuslug1); }

void TMainForm::Sprzedazdlatowaruuslugi1Click() { Otworz_Z_Tabeli(Sprzedazdlatowaruuslugi1); }

void TMainForm::Kalkulatornettobrutto1Click() { Otworz_Z_Tabeli(Kalkulatornettobrutto1); }

void TMainForm::SprawdzanienumeruNIP1Click() { Otworz_Z_Tabeli(SprawdzanienumeruNIP1); }

void TMainForm::Kalkulator1Click()
{
    // Nothing is told when no calculator is installed.
    sys::startCalculator();
}

void TMainForm::DaneFirmy1Click() { Otworz_Z_Tabeli(DaneFirmy1); }

void TMainForm::Ustawieniawydrukow1Click() { Otworz_Z_Tabeli(Ustawieniawydrukow1); }

void TMainForm::Ustawieniadomyslne1Click() { Otworz_Z_Tabeli(Ustawieniadomyslne1); }

void TMainForm::Pomoc2Click()
{
    if (!QFileInfo::exists(Plik_Instrukcji)) {
        Pokaz_Komunikat(QStringLiteral("Nie znaleziono instrukcji obsługi.\nBrak pliku \"%1\" w folderze programu:\n%2")
                            .arg(Plik_Instrukcji, QDir::toNativeSeparators(QDir::currentPath())));
        return;
    }
    if (!sys::shellOpen(Plik_Instrukcji))
        Pokaz_Komunikat(
            QStringLiteral(
                "Nie udało się otworzyć instrukcji obsługi \"%1\":\nnie ma programu do przeglądania plików PDF.")
                .arg(Plik_Instrukcji));
}

void TMainForm::Oprogramie1Click() { Otworz_Z_Tabeli(Oprogramie1); }
