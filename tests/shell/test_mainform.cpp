#include "shell/MainForm.h"

#include "app/Okna.h"
#include "platform/ui/UnsavedWork.h"

#include "platform/data/Schema.h"
#include "platform/report/Output.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Modal.h"
#include "settings/Form_Ust_Firma.h"
#include "settings/Form_Ust_Prog.h"
#include "settings/Form_Ust_Wydruki.h"
#include "shell/Form_About.h"
#include "shell/DataModule1.h"
#include "shell/PrintNotice.h"
#include "shell/Rejestr.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <map>
#include <utility>
#include <vector>

namespace {

// A document window as the menu sees it: the preset fields and one field the presets leave alone.
class OknoTestowe : public QWidget, public ui::UnsavedWork {
public:
    std::function<bool()> pytanie; // what the window asks before the program closes
    bool mayDiscard() override { return !pytanie || pytanie(); }
    explicit OknoTestowe(QWidget* parent = nullptr) : QWidget(parent)
    {
        for (QLineEdit** e : {&LEdit_Wyroznik, &LEdit_Rok, &LEdit_Data_Wyst, &LEdit_Miejsce_Wyst, &LEdit_Nazwa})
            *e = new QLineEdit(this);
        ++utworzone;
    }
    QLineEdit* LEdit_Wyroznik;
    QLineEdit* LEdit_Rok;
    QLineEdit* LEdit_Data_Wyst;
    QLineEdit* LEdit_Miejsce_Wyst;
    QLineEdit* LEdit_Nazwa;
    static inline int utworzone = 0;
    bool odmawia = false; // unsaved work the user keeps

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (odmawia)
            e->ignore();
    }
};

OknoTestowe* Form_Testowe = nullptr;
QWidget* Form_Lista = nullptr;

const QString Klucz_Ust = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");

void ustawFormatDaty(const QString& format)
{
    ASSERT_TRUE(registry::write(registry::Root::CurrentUser, QStringLiteral("Control Panel\\International"),
                                QStringLiteral("sShortDate"), format));
}

class Glowne : public ::testing::Test {
protected:
    void SetUp() override
    {
        ustawFormatDaty(QStringLiteral("yyyy-MM-dd"));
        Zarejestruj_Okna();
        MainForm = new TMainForm;
        OknoTestowe::utworzone = 0;
    }
    void TearDown() override
    {
        delete MainForm;
        ASSERT_EQ(MainForm, nullptr);
        ASSERT_EQ(Form_Testowe, nullptr) << "the child goes with the main window";
    }

    // "Faktura Vat" as the document window will wire it.
    OknoTestowe* otworzFakture()
    {
        return MainForm->Otworz_Okno(Form_Testowe, MainForm->Czy_Faktura, [](OknoTestowe* f) {
            Wpisz_Presety(Daj_Presety(QStringLiteral("FV"), ui::today()), f->LEdit_Wyroznik, f->LEdit_Rok,
                          f->LEdit_Data_Wyst, f->LEdit_Miejsce_Wyst);
        });
    }

    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty{script};
};

QStringList teksty(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

} // namespace

TEST_F(Glowne, MenuCaptionsAreExactlyTheProgramsOwn)
{
    const std::vector<std::pair<QString, QStringList>> oczekiwane = {
        {"Faktury",
         {"Faktura Vat", "Korekta Faktury", "Faktura Proforma", "Nota Korygująca", "-", "Poprawa faktury VAT"}},
        {"Słowniki", {"Stawki VAT", "Towary / Uslugi", "Klienci", "Rodzaje płatności"}},
        {"Zestawienia",
         {"Lista faktur wg roku", "Lista faktur w okresie czasu", "Sprzedaż wg. klientów", "Sprzedaż wg. towarów"}},
        {"Wydruki",
         {"Dokumenty w okresie czasu", "Sprzedaż wg. Klientów", "Sprzedaż dla Klienta", "Sprzedaż wg. towarów / usług",
          "Sprzedaż dla towaru / usługi"}},
        {"Narzędzia", {"Kalkulator netto<->brutto", "Sprawdzanie numeru NIP", "Kalkulator"}},
        {"Ustawienia", {"Dane Firmy", "Ustawienia wydruków", "Ustawienia domyślne"}},
        {"Pomoc", {"Pomoc", "O programie ..."}},
    };
    const QList<QAction*> menus = MainForm->menuBar()->actions();
    ASSERT_EQ(menus.size(), qsizetype(oczekiwane.size()));
    for (size_t i = 0; i < oczekiwane.size(); ++i) {
        SCOPED_TRACE(oczekiwane[i].first.toStdString());
        EXPECT_EQ(menus[i]->text(), oczekiwane[i].first);
        ASSERT_NE(menus[i]->menu(), nullptr);
        EXPECT_EQ(teksty(menus[i]->menu()->actions()), oczekiwane[i].second);
    }
    EXPECT_EQ(MainForm->windowTitle(), QStringLiteral("Orlimek - Tarnex"));
}

TEST_F(Glowne, ToolBarButtonsCarryTheirHintsAndDoWhatTheirItemsDo)
{
    // "|" is a divider (a line), "_" a separator (a gap).
    const QStringList oczekiwane = {"Faktura VAT",      "|", "Korekta Faktury VAT", "_", "Słownik towarów i usług", "|",
                                    "Słownik klientów", "_", "Kalkulator cen"};
    QStringList jest;
    for (QAction* a : MainForm->ToolBar2->actions()) {
        if (a->isSeparator())
            jest << "|";
        else if (a->text().isEmpty())
            jest << "_";
        else
            jest << a->toolTip();
    }
    EXPECT_EQ(jest, oczekiwane);

    const std::vector<std::pair<QAction*, QAction*>> pary = {
        {MainForm->ToolButton1, MainForm->FakturaVat1},
        {MainForm->ToolButton2, MainForm->KorektaFaktury1},
        {MainForm->ToolButton4, MainForm->TowaryUslugi1},
        {MainForm->ToolButton6, MainForm->Klienci1},
        {MainForm->ToolButton9, MainForm->Kalkulatornettobrutto1},
    };
    for (auto [przycisk, pozycja] : pary) {
        SCOPED_TRACE(przycisk->objectName().toStdString());
        EXPECT_EQ(przycisk->statusTip(), przycisk->toolTip()) << "the status bar shows the hint";
        auto* w = qobject_cast<QToolButton*>(MainForm->ToolBar2->widgetForAction(przycisk));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->size(), QSize(39, 38));
        int wywolania = 0;
        auto c = QObject::connect(pozycja, &QAction::triggered, [&] { ++wywolania; });
        pozycja->setEnabled(true);
        EXPECT_TRUE(przycisk->isEnabled()) << "a button follows its item";
        przycisk->trigger();
        EXPECT_EQ(wywolania, 1);
        pozycja->setEnabled(false);
        EXPECT_FALSE(przycisk->isEnabled());
        QObject::disconnect(c);
    }
    EXPECT_EQ(MainForm->ToolBar2->iconSize(), QSize(32, 32));
}

TEST_F(Glowne, ItemsOfBuiltWindowsAreEnabled)
{
    for (QAction* a : {MainForm->DaneFirmy1, MainForm->Ustawieniawydrukow1, MainForm->Ustawieniadomyslne1,
                       MainForm->Kalkulator1, MainForm->Pomoc2, MainForm->Oprogramie1})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(Glowne, SettingsItemsShowTheirDialogsModally)
{
    Form_Ust_Firma = new TForm_Ust_Firma(MainForm);
    Form_Ust_Wydruki = new TForm_Ust_Wydruki(MainForm);
    Form_Ust_Prog = new TForm_Ust_Prog(MainForm);
    Form_About = new TForm_About(MainForm);
    registry::write(registry::Root::LocalMachine, Klucz_Ust, QStringLiteral("Faktura_od"), QStringLiteral("0"));
    const std::vector<std::pair<QAction*, QString>> pozycje = {
        {MainForm->DaneFirmy1, "Dane Firmy"},
        {MainForm->Ustawieniawydrukow1, "Ustawienia wydruków"},
        {MainForm->Ustawieniadomyslne1, "Ustawienia domyślne"},
        {MainForm->Oprogramie1, "O programie ..."},
    };
    for (auto& [pozycja, tytul] : pozycje) {
        QString pokazany;
        script.onModal([&](QDialog* d) {
            pokazany = d->windowTitle();
            return QDialog::Rejected;
        });
        pozycja->trigger();
        EXPECT_EQ(pokazany, tytul);
    }
    EXPECT_TRUE(komunikaty.inne.isEmpty());
    EXPECT_TRUE(script.messages().isEmpty());
    // The dialogs are children of the main window and go with it.
    Form_Ust_Firma = nullptr;
    Form_Ust_Wydruki = nullptr;
    Form_Ust_Prog = nullptr;
    Form_About = nullptr;
}

TEST_F(Glowne, SettersStoreTheirFlags)
{
    using Setter = void (TMainForm::*)(bool);
    const std::vector<std::pair<Setter, bool TMainForm::*>> pary = {
        {&TMainForm::Ustaw_Czy_Faktura, &TMainForm::Czy_Faktura},
        {&TMainForm::Ustaw_Czy_Lista_Faktur_Wg_Roku, &TMainForm::Czy_Lista_Faktur_Wg_Roku},
        {&TMainForm::Ustaw_Czy_Lista_Towarow, &TMainForm::Czy_Lista_Towarow},
        {&TMainForm::Ustaw_Czy_Lista_Klientow, &TMainForm::Czy_Lista_Klientow},
        {&TMainForm::Ustaw_Czy_Faktura_Korekta, &TMainForm::Czy_Faktura_Korekta},
        {&TMainForm::Ustaw_Czy_Faktura_Proforma, &TMainForm::Czy_Faktura_Proforma},
        {&TMainForm::Ustaw_Czy_Sprzedaz_Wg_Klienta, &TMainForm::Czy_Sprzedaz_Wg_Klienta},
        {&TMainForm::Ustaw_Czy_Sprzedaz_Wg_Towarow, &TMainForm::Czy_Sprzedaz_Wg_Towarow},
        {&TMainForm::Ustaw_Czy_Faktura_Nota, &TMainForm::Czy_Faktura_Nota},
        {&TMainForm::Ustaw_Czy_Lista_Faktur_W_Okresie, &TMainForm::Czy_Lista_Faktur_W_Okresie},
        {&TMainForm::Ustaw_Czy_Lista_Rodzajow_Platnosci, &TMainForm::Czy_Lista_Rodzajow_Platnosci},
        {&TMainForm::Ustaw_Czy_Faktura_Poprawa, &TMainForm::Czy_Faktura_Poprawa},
    };
    for (auto [ustaw, flaga] : pary)
        EXPECT_FALSE(MainForm->*flaga);
    for (size_t i = 0; i < pary.size(); ++i) {
        (MainForm->*pary[i].first)(true);
        for (size_t j = 0; j < pary.size(); ++j)
            EXPECT_EQ(MainForm->*pary[j].second, j == i) << i << " " << j;
        (MainForm->*pary[i].first)(false);
    }
    EXPECT_EQ(MainForm->Uchwyt_Dokpress, nullptr);
    EXPECT_EQ(MainForm->Uchwyt_Salvista, nullptr);
}

TEST_F(Glowne, SecondClickShowsTheSameWindowAndRewritesThePresets)
{
    registry::write(registry::Root::LocalMachine, Klucz_Ust, QStringLiteral("Miejsce_Wyst"), QStringLiteral("Tarnów"));
    ustawFormatDaty(QStringLiteral("dd.MM.yyyy")); // the presets do not depend on it
    OknoTestowe* pierwsze = nullptr;
    {
        ui::FixedClock zegar(QDate(2011, 3, 5));
        pierwsze = otworzFakture();
    }
    ASSERT_NE(pierwsze, nullptr);
    EXPECT_TRUE(MainForm->Czy_Faktura);
    EXPECT_EQ(pierwsze->LEdit_Wyroznik->text(), QStringLiteral("FV"));
    EXPECT_EQ(pierwsze->LEdit_Rok->text(), QStringLiteral("2011"));
    EXPECT_EQ(pierwsze->LEdit_Data_Wyst->text(), QStringLiteral("2011-03-05"));
    EXPECT_EQ(pierwsze->LEdit_Miejsce_Wyst->text(), QStringLiteral("Tarnów"));
    EXPECT_TRUE(pierwsze->isVisibleTo(MainForm));

    // The user works in the window; the next day the item is clicked again.
    pierwsze->LEdit_Nazwa->setText(QStringLiteral("Klient"));
    pierwsze->LEdit_Miejsce_Wyst->setText(QStringLiteral("Kraków"));
    registry::write(registry::Root::LocalMachine, Klucz_Ust, QStringLiteral("Miejsce_Wyst"), QStringLiteral("Dębica"));
    MainForm->MdiArea->subWindowList().first()->showMinimized();
    OknoTestowe* drugie = nullptr;
    {
        ui::FixedClock zegar(QDate(2012, 1, 9));
        drugie = otworzFakture();
    }
    EXPECT_EQ(drugie, pierwsze);
    EXPECT_EQ(OknoTestowe::utworzone, 1);
    EXPECT_EQ(MainForm->MdiArea->subWindowList().size(), 1);
    EXPECT_FALSE(MainForm->MdiArea->subWindowList().first()->isMinimized());
    EXPECT_EQ(MainForm->MdiArea->activeSubWindow(), MainForm->MdiArea->subWindowList().first());
    EXPECT_EQ(drugie->LEdit_Rok->text(), QStringLiteral("2012"));
    EXPECT_EQ(drugie->LEdit_Data_Wyst->text(), QStringLiteral("2012-01-09"));
    EXPECT_EQ(drugie->LEdit_Miejsce_Wyst->text(), QStringLiteral("Dębica"));
    EXPECT_EQ(drugie->LEdit_Nazwa->text(), QStringLiteral("Klient")) << "the rest of the window stays";
}

TEST_F(Glowne, ClosingAChildLetsTheNextClickCreateANewOne)
{
    otworzFakture();
    ASSERT_EQ(MainForm->MdiArea->subWindowList().size(), 1);
    MainForm->MdiArea->subWindowList().first()->close();
    przetworzZdarzenia();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form_Testowe, nullptr);
    EXPECT_FALSE(MainForm->Czy_Faktura);
    EXPECT_TRUE(MainForm->MdiArea->subWindowList().isEmpty());

    OknoTestowe* nowe = otworzFakture();
    EXPECT_EQ(OknoTestowe::utworzone, 2);
    EXPECT_EQ(Form_Testowe, nowe);
    EXPECT_TRUE(MainForm->Czy_Faktura);
}

TEST_F(Glowne, ChildThatClosesItselfTakesItsFrameAlong)
{
    MainForm->show();
    otworzFakture();
    Form_Testowe->close(); // the window's own "Zamknij"
    for (int i = 0; i < 3; ++i) {
        przetworzZdarzenia();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(Form_Testowe, nullptr);
    EXPECT_FALSE(MainForm->Czy_Faktura);
    EXPECT_TRUE(MainForm->MdiArea->subWindowList().isEmpty());
}

TEST_F(Glowne, ChildOpensInTheTopLeftCornerWhateverElseIsOpen)
{
    static OknoTestowe* Form_Inne = nullptr;
    MainForm->resize(1200, 800);
    MainForm->show();
    MainForm->Otworz_Okno(Form_Inne, MainForm->Czy_Lista_Klientow)->resize(300, 200);
    przetworzZdarzenia();
    otworzFakture();
    przetworzZdarzenia();
    auto* ramka = qobject_cast<QMdiSubWindow*>(Form_Testowe->parentWidget());
    ASSERT_NE(ramka, nullptr);
    EXPECT_EQ(ramka->pos(), QPoint(0, 0));
}

TEST_F(Glowne, ChildThatRefusesToCloseKeepsItsFrame)
{
    MainForm->show();
    otworzFakture()->odmawia = true;
    QMdiSubWindow* ramka = MainForm->MdiArea->subWindowList().first();
    EXPECT_FALSE(ramka->close());
    EXPECT_FALSE(Form_Testowe->close());
    przetworzZdarzenia();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(Form_Testowe, nullptr);
    EXPECT_TRUE(MainForm->Czy_Faktura);
    EXPECT_EQ(MainForm->MdiArea->subWindowList().size(), 1);
    EXPECT_TRUE(Form_Testowe->isVisible());
}

TEST(Presety, DateTextIsAlwaysYearMonthDayWithLeadingZeros)
{
    RejestrTestowy rejestr;
    registry::write(registry::Root::LocalMachine, Klucz_Ust, QStringLiteral("Miejsce_Wyst"), QStringLiteral("Rzeszów"));
    struct P {
        const char* typ;
        QDate dzis;
        const char* data;
        const char* rok;
        bool miejsce;
    };
    const P przypadki[] = {
        {"FV", QDate(2011, 3, 5), "2011-03-05", "2011", true},
        {"PFV", QDate(2011, 12, 31), "2011-12-31", "2011", true},
        {"KFV", QDate(2010, 10, 1), "2010-10-01", "2010", false},
        {"NFV", QDate(2024, 2, 29), "2024-02-29", "2024", false},
    };
    for (const P& p : przypadki) {
        SCOPED_TRACE(p.typ);
        const Presety_Dokumentu d = Daj_Presety(QString::fromLatin1(p.typ), p.dzis);
        EXPECT_EQ(d.Typ, QString::fromLatin1(p.typ));
        EXPECT_EQ(d.Data_Wyst, QString::fromLatin1(p.data));
        EXPECT_EQ(d.Rok, QString::fromLatin1(p.rok));
        EXPECT_EQ(d.Z_Miejscem, p.miejsce);
        EXPECT_EQ(d.Miejsce_Wyst, p.miejsce ? QStringLiteral("Rzeszów") : QString());

        QLineEdit typ, rok, data, miejsce(QStringLiteral("bez zmian"));
        Wpisz_Presety(d, &typ, &rok, &data, &miejsce);
        EXPECT_EQ(miejsce.text(), p.miejsce ? QStringLiteral("Rzeszów") : QStringLiteral("bez zmian"));
        Wpisz_Presety<QLineEdit>(d, &typ, &rok, &data, nullptr); // a note has no place of issue
        EXPECT_EQ(typ.text(), QString::fromLatin1(p.typ));
    }
}

TEST(Presety, MissingPlaceOfIssueGivesEmptyText)
{
    RejestrTestowy rejestr;
    EXPECT_EQ(Daj_Presety(QStringLiteral("FV"), QDate(2011, 3, 5)).Miejsce_Wyst, QString());
}

TEST(FormatDaty, OnlyYearMonthDayWithDashesPasses)
{
    const std::pair<const char*, bool> przypadki[] = {
        {"2011-03-05", true},  {"05.03.2011", false},  {"2011-3-5", false}, {"11-03-05", false},
        {"2011/03/05", false}, {"2011-03-05 ", false}, {"", false},
    };
    for (auto [tekst, ok] : przypadki)
        EXPECT_EQ(Czy_Poprawny_Format_Daty(QString::fromLatin1(tekst)), ok) << tekst;
}

TEST_F(Glowne, WrongDateFormatIsToldAtEachShowing)
{
    ustawFormatDaty(QStringLiteral("dd.MM.yyyy"));
    MainForm->show();
    EXPECT_TRUE(komunikaty.teksty.isEmpty()) << "the message waits until the window is up";
    przetworzZdarzenia();
    const QString tekst =
        QStringLiteral("Niepoprawny format daty systemowej.\nDla poprawnego działania programu należy przestawić\n"
                       "format systemowej 'Daty krótkiej' na 'rrrr-MM-dd'.");
    EXPECT_EQ(komunikaty.teksty, QStringList{tekst});

    MainForm->hide();
    MainForm->show();
    przetworzZdarzenia();
    EXPECT_EQ(komunikaty.teksty, (QStringList{tekst, tekst}));
}

TEST_F(Glowne, ASettingsFileTooLargeToReadIsToldOnceAndTheProgramRunsOnDefaults)
{
    const QString plik = registry::storePath();
    ASSERT_TRUE(QFile::resize(plik, 2 * 1024 * 1024));
    MainForm->show();
    przetworzZdarzenia();
    MainForm->hide();
    MainForm->show();
    przetworzZdarzenia();
    ASSERT_EQ(komunikaty.teksty.size(), 1) << komunikaty.teksty.join(u'|').toStdString();
    EXPECT_TRUE(komunikaty.teksty.front().startsWith(QStringLiteral("Nie można odczytać pliku ustawień ") + plik))
        << komunikaty.teksty.front().toStdString();
    EXPECT_EQ(QFileInfo(plik).size(), 2 * 1024 * 1024);
}

TEST_F(Glowne, RightDateFormatGivesNoMessage)
{
    for (const char* format : {"yyyy-MM-dd", ""}) { // empty: the desktop default
        ustawFormatDaty(QString::fromLatin1(format));
        MainForm->show();
        przetworzZdarzenia();
        MainForm->hide();
    }
    EXPECT_TRUE(komunikaty.teksty.isEmpty());
}

namespace {
// A loader that fails until the library "appears".
struct Ladowanie {
    QStringList proby;
    QStringList zwolnione;
    bool jest = false;
    int dokpress = 1, salvista = 2; // stand-ins for the handles

    void podlacz(TMainForm* f)
    {
        f->Laduj_Biblioteke = [this](const QString& nazwa) -> sys::LibraryHandle {
            proby << nazwa;
            if (!jest)
                return nullptr;
            return nazwa == QLatin1String("Dokpress.dll") ? static_cast<void*>(&dokpress)
                                                          : static_cast<void*>(&salvista);
        };
        f->Zwolnij_Biblioteke = [this](sys::LibraryHandle h) {
            zwolnione << (h == &dokpress ? QStringLiteral("Dokpress") : QStringLiteral("Salvista"));
        };
    }
};
} // namespace

TEST_F(Glowne, MissingLibraryIsLookedForAgainAtTheNextCall)
{
    Ladowanie l;
    l.podlacz(MainForm);
    EXPECT_EQ(MainForm->Daj_Salvista(), nullptr);
    EXPECT_EQ(MainForm->Daj_Salvista(), nullptr);
    EXPECT_EQ(l.proby, (QStringList{"Salvista.dll", "Salvista.dll"}));

    l.jest = true;
    EXPECT_EQ(MainForm->Daj_Salvista(), &l.salvista);
    EXPECT_EQ(MainForm->Daj_Salvista(), &l.salvista);
    EXPECT_EQ(MainForm->Daj_Dokpress(), &l.dokpress);
    EXPECT_EQ(MainForm->Daj_Dokpress(), &l.dokpress);
    EXPECT_EQ(l.proby, (QStringList{"Salvista.dll", "Salvista.dll", "Salvista.dll", "Dokpress.dll"}))
        << "a loaded library is kept";
    EXPECT_TRUE(script.messages().isEmpty()) << "nothing is told at load time";

    MainForm->show();
    EXPECT_TRUE(MainForm->close());
    EXPECT_EQ(l.zwolnione, (QStringList{"Dokpress", "Salvista"}));
    EXPECT_EQ(MainForm->Uchwyt_Dokpress, nullptr);
    EXPECT_EQ(MainForm->Uchwyt_Salvista, nullptr);
}

TEST_F(Glowne, ClosingWithoutPrintoutsFreesNothing)
{
    Ladowanie l;
    l.podlacz(MainForm);
    MainForm->show();
    EXPECT_TRUE(MainForm->close());
    EXPECT_TRUE(l.proby.isEmpty());
    EXPECT_TRUE(l.zwolnione.isEmpty());
}

TEST_F(Glowne, UnsavedDocumentCanStopTheExit)
{
    Ladowanie l;
    l.podlacz(MainForm);
    l.jest = true;
    MainForm->Daj_Dokpress();

    OknoTestowe* dokument = otworzFakture();
    std::vector<QString> pytania;
    bool odpowiedz = false; // "Nie"
    dokument->pytanie = [&] {
        pytania.push_back("faktura");
        return odpowiedz;
    };
    // A child that cannot hold unsaved work is not asked.
    MainForm->Otworz_Okno(Form_Lista, MainForm->Czy_Lista_Klientow);

    MainForm->show();
    EXPECT_FALSE(MainForm->close());
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_TRUE(l.zwolnione.isEmpty()) << "nothing is freed while the program goes on";
    EXPECT_EQ(MainForm->Uchwyt_Dokpress, &l.dokpress);

    odpowiedz = true; // "Tak"
    EXPECT_TRUE(MainForm->close());
    EXPECT_EQ(pytania, (std::vector<QString>{"faktura", "faktura"}));
    EXPECT_EQ(l.zwolnione, QStringList{"Dokpress"});
}

TEST_F(Glowne, ClosingFreesBothLibrariesInOrderThenDisconnects)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    ASSERT_TRUE(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")).isEmpty());
    TDataModule1::setReporter([](const QString&) {});
    auto* dm = new TDataModule1(nullptr, path);
    ASSERT_TRUE(dm->ADOConnection1->isConnected());

    QStringList kolejnosc;
    int dokpress = 1, salvista = 2;
    MainForm->Laduj_Biblioteke = [&](const QString& nazwa) -> sys::LibraryHandle {
        kolejnosc << QStringLiteral("ładuj ") + nazwa;
        return nazwa == QLatin1String("Dokpress.dll") ? static_cast<void*>(&dokpress) : static_cast<void*>(&salvista);
    };
    MainForm->Zwolnij_Biblioteke = [&](sys::LibraryHandle h) {
        // The libraries read through the program's connection: it is still open when they go.
        kolejnosc << QStringLiteral("zwolnij ")
                + (h == &dokpress ? QStringLiteral("Dokpress") : QStringLiteral("Salvista"))
                + (dm->ADOConnection1->isConnected() ? QString() : QStringLiteral(" po rozłączeniu"));
    };
    QObject::connect(dm->ADOConnection1, &data::Connection::aboutToClose,
                     [&] { kolejnosc << QStringLiteral("rozłącz"); });

    // Salvista is asked for first (a sales report), Dokpress later (an invoice).
    EXPECT_EQ(MainForm->Daj_Salvista(), &salvista);
    EXPECT_EQ(MainForm->Daj_Dokpress(), &dokpress);
    MainForm->show();
    EXPECT_TRUE(MainForm->close());
    EXPECT_EQ(
        kolejnosc,
        (QStringList{"ładuj Salvista.dll", "ładuj Dokpress.dll", "zwolnij Dokpress", "zwolnij Salvista", "rozłącz"}));
    EXPECT_FALSE(dm->ADOConnection1->isConnected());
    delete dm;
    TDataModule1::setReporter({});
}

TEST_F(Glowne, HelpWithoutTheManualSaysSo)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    MainForm->Pomoc2->trigger();
    QDir::setCurrent(old);
    ASSERT_EQ(komunikaty.teksty.size(), 1);
    EXPECT_TRUE(komunikaty.teksty[0].startsWith(QStringLiteral("Nie znaleziono instrukcji obsługi.")))
        << komunikaty.teksty[0].toStdString();
    EXPECT_TRUE(komunikaty.teksty[0].contains(QStringLiteral("Instrukcja obsługi programu Orlimek Tarnex.pdf")));
}

TEST(Wydruki, PolskaLiczbaPlikow)
{
    const std::pair<int, const char*> t[] = {{1, "plik"},    {2, "pliki"},   {4, "pliki"},    {5, "plików"},
                                             {11, "plików"}, {12, "plików"}, {14, "plików"},  {21, "plików"},
                                             {22, "pliki"},  {104, "pliki"}, {112, "plików"}, {0, "plików"}};
    for (const auto& [n, slowo] : t)
        EXPECT_EQ(shell::filesWord(n), QString::fromUtf8(slowo)) << n;
    EXPECT_EQ(shell::savedFilesMessage({"/p/wydruki/A.pdf", "/p/wydruki/B.pdf", "/q/C.pdf"}, "/p"),
              QString::fromUtf8("Zapisano 2 pliki w folderze wydruki: A.pdf, B.pdf; 1 plik w folderze /q: C.pdf"));
}

// After a printout without a printer the status bar tells how many files went where, until the
// next printout or until another window becomes active.
TEST_F(Glowne, PasekStanuMowiIlePlikowGdzieDoNastepnegoWydrukuLubOkna)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    QTemporaryDir dir;
    const QString stary = QDir::currentPath();
    QDir::setCurrent(dir.path());
    MainForm->resize(1280, 720);
    MainForm->show();
    QWidget* faktura = otworzFakture();
    report::PageList strony;
    strony.pages.resize(1);
    // A document's originals and copies, printed in one go.
    report::print(strony, {"FV/1/2011", QString::fromUtf8("Oryginał"), 1});
    report::print(strony, {"FV/1/2011", "Kopia", 1});
    const QString tekst = MainForm->StatusBar->currentMessage();
    EXPECT_EQ(tekst,
              QString::fromUtf8("Zapisano 2 pliki w folderze wydruki: FV-1-2011 Oryginał.pdf, FV-1-2011 Kopia.pdf"));
    QApplication::processEvents();
    // The next printout tells its own files only.
    report::print(strony, {"FV/1/2011", "Kopia", 1});
    EXPECT_EQ(MainForm->StatusBar->currentMessage(),
              QString::fromUtf8("Zapisano 1 plik w folderze wydruki: FV-1-2011 Kopia (2).pdf"));
    // The same window again keeps it; another window clears it.
    MainForm->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(faktura->parentWidget()));
    EXPECT_FALSE(MainForm->StatusBar->currentMessage().isEmpty());
    MainForm->Otworz_Okno(Form_Lista, MainForm->Czy_Lista_Towarow, [](QWidget*) {});
    EXPECT_TRUE(MainForm->StatusBar->currentMessage().isEmpty());
    report::print(strony, {"FV/1/2011", "Kopia", 1});
    EXPECT_FALSE(MainForm->StatusBar->currentMessage().isEmpty());
    MainForm->Daj_Dokpress(); // a printout begins
    EXPECT_TRUE(MainForm->StatusBar->currentMessage().isEmpty());
    QDir::setCurrent(stary);
}
