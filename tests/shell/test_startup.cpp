#include "shell/Startup.h"
#include "statements/Form_Check_NIP.h"

#include "app/Okna.h"

#include "shell/DataModule1.h"
#include "shell/Form_About.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/Form_Winieta.h"
#include "shell/MainForm.h"
#include "settings/Form_Ust_Firma.h"
#include "settings/Form_Ust_Prog.h"
#include "settings/Form_Ust_Wydruki.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The order of creation and the splash positions of start-up.
const std::vector<std::pair<QString, int>> Tabela = {
    {"Form_Winieta", 5},
    {"DataModule1", 8},
    {"Form_Lista_Klientow_Pob_Nota", 11},
    {"Form_Lista_Towarow_Pob", 14},
    {"Form_Popraw_Klient", 17},
    {"Form_Nowy_Towar", 20},
    {"Form_Faktura_Nowa_Pozycja", 23},
    {"Form_Stawki_VAT", 26},
    {"Form_Drukuj_Fakt", 29},
    {"Form_Do_Korekty", 32},
    {"Form_Korekta_Pozycja", 35},
    {"Dlg_Czy_Nowa_Fakt", 38},
    {"Form_Nowa_Stawka", 41},
    {"Form_Stawka_Vat_Popraw", 44},
    {"Form_Komunikat", 47},
    {"Form_Do_Noty", 50},
    {"Form_Lista_Klientow_Pob", 53},
    {"Form_Nowy_Klient", 56},
    {"Form_Popraw_Towar", 59},
    {"Form_Kalk_Brutto_Netto", 62},
    {"Form_Ust_Firma", 65},
    {"Form_Ust_Wydruki", 68},
    {"Form_Wydruki_Sprzedaz_Wg_Dokumentow", 71},
    {"Form_Wydruki_Wg_Klientow", 74},
    {"Form_Wydruki_Dla_Klienta", 77},
    {"Form_Wydruki_Wg_Towarow", 80},
    {"Form_Wydruki_Dla_Towaru", 83},
    {"Form_About", 85},
    {"Form_Nowy_Rodzaj_Platnosci", 87},
    {"Form_Popraw_Rodzaj_Platnosci", 89},
    {"Form_Drukuj_Duplikat", 91},
    {"Form_Jaki_Nr", 93},
    {"Form_Check_NIP", 95},
    {"Form_Ust_Prog", 97},
    {"Form_Faktura_Popraw_Pozycje", 99},
    {"Form_Do_Poprawy", 100},
};

// The globals of the windows built so far, by name.
std::map<QString, QObject*> globalne()
{
    return {
        {"Form_Winieta", Form_Winieta},     {"DataModule1", DataModule1},           {"Form_Komunikat", Form_Komunikat},
        {"Form_Ust_Firma", Form_Ust_Firma}, {"Form_Ust_Wydruki", Form_Ust_Wydruki}, {"Form_About", Form_About},
        {"Form_Jaki_Nr", Form_Jaki_Nr},     {"Form_Ust_Prog", Form_Ust_Prog},
    };
}

// What a screen reader is told of a line edit: read-only, editable, and whether it may write the
// text.
std::tuple<bool, bool, bool> told(QLineEdit* e)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(e);
    return {bool(a->state().readOnly), bool(a->state().editable), a->editableTextInterface() != nullptr};
}

} // namespace

TEST(Startup, TableHasEveryWindowInOrderWithItsSplashPosition)
{
    Zarejestruj_Okna();
    const auto tabela = startupTable();
    ASSERT_EQ(tabela.size(), Tabela.size());
    for (size_t i = 0; i < Tabela.size(); ++i) {
        EXPECT_EQ(QString::fromLatin1(tabela[i]->global), Tabela[i].first) << i;
        EXPECT_EQ(tabela[i]->startup, Tabela[i].second) << i;
        EXPECT_EQ(tabela[i]->create == nullptr, tabela[i]->destroy == nullptr) << i;
    }
}

TEST(Startup, CreatesTheWindowsInOrderWithTheBarAtEachPosition)
{
    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty(script);
    // The program runs in a working folder holding the empty database of the build (when built).
    const QString baza = QStringLiteral(TARNEX_BINARY_DIR "/bin/db.mdb");
    const bool jest_baza = QFile::exists(baza);
    if (jest_baza) {
        ASSERT_TRUE(QFile::copy(baza, rejestr.folder() + QStringLiteral("/db.mdb")));
    }
    const QString katalog = QDir::currentPath();
    QDir::setCurrent(rejestr.folder());
    // Start-up creates its own message box (one made on demand by an earlier test is dropped).
    delete Form_Komunikat;
    Form_Komunikat = nullptr;
    for (auto& [nazwa, wsk] : globalne())
        ASSERT_EQ(wsk, nullptr) << nazwa.toStdString() << " left over by another test";
    Zarejestruj_Okna();
    MainForm = new TMainForm;

    struct Krok {
        QString nazwa;
        int pasek;
        bool winieta_widoczna;
        std::map<QString, bool> istnieja;
    };
    std::vector<Krok> kroki;
    Utworz_Formularze([&](const StartupStep& s) {
        Krok k{QString::fromLatin1(s.global),
               Form_Winieta ? Form_Winieta->ProgressBar1->value() : -1,
               Form_Winieta && Form_Winieta->isVisible(),
               {}};
        for (auto& [nazwa, wsk] : globalne())
            k.istnieja[nazwa] = wsk != nullptr;
        kroki.push_back(k);
    });

    ASSERT_EQ(kroki.size(), Tabela.size());
    std::map<QString, size_t> krok_utworzenia;
    for (size_t i = 0; i < kroki.size(); ++i) {
        SCOPED_TRACE(kroki[i].nazwa.toStdString());
        EXPECT_EQ(kroki[i].nazwa, Tabela[i].first);
        EXPECT_EQ(kroki[i].pasek, Tabela[i].second);
        EXPECT_TRUE(kroki[i].winieta_widoczna) << "the splash is up while the windows are created";
        for (auto& [nazwa, jest] : kroki[i].istnieja)
            if (jest && !krok_utworzenia.count(nazwa))
                krok_utworzenia[nazwa] = i;
    }
    // Each window built so far appears exactly at its own step.
    for (auto& [nazwa, wsk] : globalne()) {
        SCOPED_TRACE(nazwa.toStdString());
        ASSERT_NE(wsk, nullptr);
        ASSERT_TRUE(krok_utworzenia.count(nazwa));
        EXPECT_EQ(Tabela[krok_utworzenia[nazwa]].first, nazwa);
    }
    ASSERT_NE(Form_Winieta, nullptr);
    EXPECT_FALSE(Form_Winieta->isVisible()) << "the splash is hidden, not deleted";
    EXPECT_EQ(Form_Winieta->ProgressBar1->value(), 100);
    EXPECT_FALSE(MainForm->isVisible()) << "the main window is shown by the message loop";
    EXPECT_EQ(Form_Komunikat->parentWidget(), MainForm) << "dialogs are centred on the main window";

    if (jest_baza) {
        EXPECT_TRUE(DataModule1->ADOConnection1->isConnected());
        EXPECT_TRUE(script.messages().isEmpty());
    } else {
        EXPECT_FALSE(script.messages().isEmpty()) << "a database that does not open is told";
    }

    Zwolnij_Formularze();
    QDir::setCurrent(katalog);
    for (auto& [nazwa, wsk] : globalne())
        EXPECT_EQ(wsk, nullptr) << nazwa.toStdString();
    delete MainForm;
    EXPECT_TRUE(script.unhandled().isEmpty());
}

// The whole program as a user meets it: start-up over the empty database of the build, then every
// menu item, each opening its window (dialogs are closed by the script, children stay open), then
// the main window closed.
TEST(Startup, EveryMenuItemOpensItsWindow)
{
    const QString baza = QStringLiteral(TARNEX_BINARY_DIR "/bin/db.mdb");
    if (!QFile::exists(baza))
        GTEST_SKIP() << "the build's empty database is not there";
    RejestrTestowy rejestr;
    ui::Script script;
    ASSERT_TRUE(QFile::copy(baza, rejestr.folder() + QStringLiteral("/db.mdb")));
    // The settings an installation starts with.
    QFile::remove(rejestr.folder() + QStringLiteral("/rejestr.ini"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TARNEX_SOURCE_DIR "/db/rejestr.ini"),
                            rejestr.folder() + QStringLiteral("/rejestr.ini")));
    const QString katalog = QDir::currentPath();
    QDir::setCurrent(rejestr.folder());
    delete Form_Komunikat;
    Form_Komunikat = nullptr;
    Zarejestruj_Okna();
    MainForm = new TMainForm;
    Utworz_Formularze();
    QStringList pokazane;
    script.setDefault([&](QDialog* d) {
        pokazane << d->windowTitle();
        return QDialog::Rejected;
    });

    int pozycje = 0;
    for (QAction* menu : MainForm->MainMenu1->actions())
        for (QAction* a : menu->menu()->actions()) {
            if (a->isSeparator() || a == MainForm->Kalkulator1 || a == MainForm->Pomoc2)
                continue;
            SCOPED_TRACE(a->text().toStdString());
            EXPECT_TRUE(a->isEnabled());
            const qsizetype przed = pokazane.size() + MainForm->MdiArea->subWindowList().size();
            a->trigger();
            QCoreApplication::processEvents();
            // The NIP check is shown without blocking.
            const bool okno = a == MainForm->SprawdzanienumeruNIP1 && Form_Check_NIP && Form_Check_NIP->isVisible();
            EXPECT_TRUE(pokazane.size() + MainForm->MdiArea->subWindowList().size() > przed || okno);
            ++pozycje;
        }
    EXPECT_EQ(pozycje, 24);
    // Closing the invoice picker without a choice closes the correction window behind it,
    // as its "Zamknij" does: every other item leaves one window.
    EXPECT_EQ(MainForm->MdiArea->subWindowList().size(), 11);
    EXPECT_TRUE(script.messages().isEmpty()) << script.messages().join('|').toStdString();

    // Every line edit of the windows is told to a screen reader as read-only alone or as editable,
    // and told anew when switched either way (a spin box's own edit is told as the spin box).
    int readOnlyEdits = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* e = qobject_cast<QLineEdit*>(w); e && !qobject_cast<QAbstractSpinBox*>(e->parentWidget())) {
            SCOPED_TRACE(e->parentWidget()->metaObject()->className() + ('/' + e->objectName().toStdString()));
            const bool ro = e->isReadOnly();
            readOnlyEdits += ro;
            for (bool state : {ro, !ro, ro}) {
                e->setReadOnly(state);
                EXPECT_EQ(told(e), std::tuple(state, !state, !state));
            }
        }
    EXPECT_GT(readOnlyEdits, 50);

    MainForm->show();
    EXPECT_TRUE(MainForm->close());
    Zwolnij_Formularze();
    delete MainForm;
    QDir::setCurrent(katalog);
}
