#include "documents/Form_Drukuj_Fakt.h"

#include "platform/registry/Registry.h"
#include "platform/system/Library.h"
#include "platform/ui/Modal.h"
#include "shell/MainForm.h"
#include "tests/documents/DrukujTestowe.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

using drukuj_test::wywolania;

namespace {

const QString Klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\Wydruki\\");
const QString Zle_Oryginaly = QStringLiteral("Niepoprawna wartość w polu 'Liczba oryginałów'");
const QString Zle_Kopie = QStringLiteral("Niepoprawna wartość w polu 'Liczba kopii'");

void ustaw(const QString& nazwa, const QString& wartosc)
{
    ASSERT_TRUE(registry::write(registry::Root::LocalMachine, Klucz, nazwa, wartosc));
}

std::string nazwa(const char* n) { return n ? n : "(none)"; }

} // namespace

TEST(WyborWydruku, EveryTypeModeAndLanguage)
{
    const auto PL = Jezyk_Faktury::Polski;
    const auto ANG = Jezyk_Faktury::Polski_Angielski;
    struct Przypadek {
        const char* typ;
        const char* tryb;
        Jezyk_Faktury jezyk;
        const char* wydruk;
    };
    // clang-format off
    const Przypadek przypadki[] = {
        {"FV", "netto", PL, "_ShowFaktStdRep"},        {"FV", "brutto", PL, "_ShowFaktStdBRep"},
        {"FV", "netto", ANG, "_ShowFaktStdRepAng"},    {"FV", "brutto", ANG, "_ShowFaktStdRepAng"},
        {"PFV", "netto", PL, "_ShowFaktProFRep"},      {"PFV", "brutto", PL, "_ShowFaktProFBRep"},
        {"PFV", "netto", ANG, "_ShowFaktProFRepAng"},  {"PFV", "brutto", ANG, "_ShowFaktProFRepAng"},
        {"KFV", "netto", PL, "_ShowFaktKorRep"},       {"KFV", "brutto", PL, "_ShowFaktKorBRep"},
        {"KFV", "netto", ANG, "_ShowFaktKorRepAng"},   {"KFV", "brutto", ANG, "_ShowFaktKorRepAng"},
        {"NFV", "netto", PL, "_ShowFaktNotaRep"},      {"NFV", "brutto", PL, "_ShowFaktNotaRep"},
        {"NFV", "netto", ANG, "_ShowFaktNotaRepAng"},  {"NFV", "brutto", ANG, "_ShowFaktNotaRepAng"},
        // A note in Polish prints whatever mode the caller left.
        {"NFV", "", PL, "_ShowFaktNotaRep"},           {"NFV", "xyz", PL, "_ShowFaktNotaRep"},
        // Bilingual printouts ignore the mode.
        {"FV", "", ANG, "_ShowFaktStdRepAng"},         {"KFV", "Brutto", ANG, "_ShowFaktKorRepAng"},
        // Modes other than "netto"/"brutto", compared exactly: no printout in Polish.
        {"FV", "", PL, nullptr},                       {"FV", "Netto", PL, nullptr},
        {"PFV", "brutto ", PL, nullptr},               {"KFV", "BRUTTO", PL, nullptr},
        // Unknown types, compared exactly.
        {"fv", "netto", PL, nullptr},                  {"FV_P", "netto", PL, nullptr},
        {"", "netto", ANG, nullptr},                   {"KFVb", "brutto", ANG, nullptr},
    };
    // clang-format on
    for (const Przypadek& p : przypadki)
        EXPECT_EQ(nazwa(Wybierz_Wydruk(p.typ, p.tryb, p.jezyk)), nazwa(p.wydruk))
            << p.typ << " / " << p.tryb << " / " << int(p.jezyk);
}

TEST(LiczbyWydrukow, ValueNamesPerType)
{
    for (const char* typ : {"FV", "PFV", "KFV", "NFV"}) {
        const auto n = Nazwy_Liczb(typ);
        ASSERT_TRUE(n.has_value()) << typ;
        EXPECT_EQ(n->Oryginaly, QString(typ) + "_O");
        EXPECT_EQ(n->Kopie, QString(typ) + "_K");
    }
    for (const char* typ : {"", "fv", "FV_P", "X"})
        EXPECT_FALSE(Nazwy_Liczb(typ).has_value()) << typ;
}

TEST(LiczbyWydrukow, OriginalsAreCheckedBeforeCopiesAndNoRangeIsChecked)
{
    struct Przypadek {
        const char* oryginaly;
        const char* kopie;
        int pole;
        int o, k;
    };
    // clang-format off
    const Przypadek przypadki[] = {
        {"1", "1", -1, 1, 1},   {"1", "0", -1, 1, 0},  {"99", "99", -1, 99, 99}, {"2", "+1", -1, 2, 1},
        {"", "1", 0, 0, 0},     {"x", "y", 0, 0, 0},   {"1,5", "1", 0, 0, 0},    {"1", "2a", 1, 1, 0},
        {"1", "", 1, 1, 0},     {"1", " 1", 1, 1, 0},  {"99999999999", "1", 0, 0, 0},
        // Whole numbers the printer cannot be asked for: no original, a negative or huge count.
        {"0", "0", 0, 0, 0},    {"-2", "3", 0, 0, 0},  {"1", "-1", 1, 0, 0},     {"1", "2147483647", 1, 0, 0},
        {"100", "1", 0, 0, 0},
    };
    // clang-format on
    for (const Przypadek& p : przypadki) {
        const Liczby_Wydrukow l = Sprawdz_Liczby(p.oryginaly, p.kopie);
        SCOPED_TRACE(std::string(p.oryginaly) + " / " + p.kopie);
        EXPECT_EQ(l.Pole_Bledu, p.pole);
        EXPECT_TRUE(l.Komunikat.startsWith(p.pole == 0 ? Zle_Oryginaly : p.pole == 1 ? Zle_Kopie : QString()));
        EXPECT_EQ(l.ok(), l.Komunikat.isEmpty());
        if (l.ok()) {
            EXPECT_EQ(l.Oryginaly, p.o);
            EXPECT_EQ(l.Kopie, p.k);
        }
    }
}

namespace {

class DrukujFakt : public ::testing::Test {
protected:
    void SetUp() override
    {
        okno = new TForm_Drukuj_Fakt;
        drukuj_test::podlacz(okno);
    }
    void TearDown() override { delete okno; }

    void dokument(const QString& id, const QString& typ, const QString& tryb)
    {
        okno->Edit_Id->setText(id);
        okno->Edit_Wyroznik->setText(typ);
        okno->Edit_Netto_Brutto->setText(tryb);
    }

    // Shows the dialog; `uzytkownik` plays the user and presses "Drukuj" unless it returns false.
    // Returns the field with the focus when the dialog stayed open (nullptr when it closed).
    QWidget* drukuj(const std::function<bool(TForm_Drukuj_Fakt*)>& uzytkownik = {})
    {
        QWidget* fokus = nullptr;
        script.onModal([&](QDialog*) {
            if (uzytkownik && !uzytkownik(okno))
                return int(QDialog::Rejected);
            okno->BitBtn_Drukuj->click();
            if (okno->isVisible()) {
                fokus = okno->focusWidget();
                okno->BitBtn_Anuluj->click();
            }
            return int(QDialog::Rejected);
        });
        ui::showModal(okno);
        return fokus;
    }

    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty{script};
    TForm_Drukuj_Fakt* okno = nullptr;
};

} // namespace

TEST_F(DrukujFakt, CountsComeFromTheTypesSettingsAndReachTheLibrary)
{
    ustaw("FV_O", "2");
    ustaw("FV_K", "0");
    ustaw("KFV_O", "1");
    ustaw("KFV_K", "3");
    dokument("15", "FV", "brutto");
    EXPECT_EQ(drukuj(), nullptr);
    dokument("16", "KFV", "netto");
    drukuj();

    ASSERT_EQ(wywolania().size(), 2u);
    EXPECT_EQ(wywolania()[0].wydruk, "_ShowFaktStdBRep");
    EXPECT_EQ(wywolania()[0].id, "15");
    EXPECT_EQ(wywolania()[0].oryginaly, 2);
    EXPECT_EQ(wywolania()[0].kopie, 0) << "FV_K 0: originals only";
    EXPECT_EQ(wywolania()[0].duplikat, "");
    EXPECT_EQ(wywolania()[0].data_duplikatu, "");
    EXPECT_EQ(wywolania()[1].wydruk, "_ShowFaktKorRep");
    EXPECT_EQ(wywolania()[1].oryginaly, 1);
    EXPECT_EQ(wywolania()[1].kopie, 3);
    EXPECT_TRUE(komunikaty.teksty.isEmpty());
}

TEST_F(DrukujFakt, TypedCopiesArePassedWithinTheirRangeIncludingZero)
{
    ustaw("NFV_O", "1");
    ustaw("NFV_K", "1");
    for (const char* kopie : {"0", "-1", "4"}) {
        dokument("3", "NFV", "");
        drukuj([&](TForm_Drukuj_Fakt* f) {
            f->LEdit_Kopie->setText(kopie);
            return true;
        });
    }
    ASSERT_EQ(wywolania().size(), 2u) << "-1 copies are refused";
    EXPECT_EQ(wywolania()[0].kopie, 0);
    EXPECT_EQ(wywolania()[1].kopie, 4);
    EXPECT_EQ(wywolania()[1].wydruk, "_ShowFaktNotaRep");
}

TEST_F(DrukujFakt, BadCountsStopWithTheirMessageAndFocus)
{
    // Originals missing from the settings: the read-only field is empty.
    ustaw("PFV_K", "1");
    dokument("7", "PFV", "netto");
    QWidget* fokus = drukuj();
    EXPECT_EQ(komunikaty.teksty, QStringList{Zle_Oryginaly});
    EXPECT_EQ(fokus, okno->LEdit_Oryginal);
    EXPECT_TRUE(okno->LEdit_Oryginal->text().isEmpty());

    // Copies typed as "2a"; both bad: the originals are reported.
    ustaw("FV_O", "1");
    ustaw("FV_K", "1");
    dokument("8", "FV", "netto");
    komunikaty.teksty.clear();
    fokus = drukuj([](TForm_Drukuj_Fakt* f) {
        f->LEdit_Kopie->setText("2a");
        return true;
    });
    EXPECT_EQ(komunikaty.teksty, QStringList{Zle_Kopie});
    EXPECT_EQ(fokus, okno->LEdit_Kopie);

    ustaw("FV_O", "x");
    komunikaty.teksty.clear();
    drukuj([](TForm_Drukuj_Fakt* f) {
        f->LEdit_Kopie->setText("2a");
        return true;
    });
    EXPECT_EQ(komunikaty.teksty, QStringList{Zle_Oryginaly});

    EXPECT_TRUE(wywolania().empty());
    EXPECT_FALSE(okno->Czy_Wydrukowano());
}

TEST_F(DrukujFakt, UnknownTypeKeepsTheCountsAndPrintsNothing)
{
    ustaw("FV_O", "1");
    ustaw("FV_K", "2");
    dokument("1", "FV", "netto");
    drukuj();
    dokument("1", "XX", "netto");
    drukuj([](TForm_Drukuj_Fakt* f) {
        EXPECT_EQ(f->LEdit_Oryginal->text(), "1");
        EXPECT_EQ(f->LEdit_Kopie->text(), "2");
        return true;
    });
    EXPECT_EQ(wywolania().size(), 1u);
    EXPECT_FALSE(okno->Czy_Wydrukowano());
}

TEST_F(DrukujFakt, LanguageReturnsToPolishOnEveryShowing)
{
    ustaw("FV_O", "1");
    ustaw("FV_K", "0");
    dokument("5", "FV", "netto");
    drukuj([](TForm_Drukuj_Fakt* f) {
        f->RadioButton_Polski_Angielski->click();
        return true;
    });
    drukuj([](TForm_Drukuj_Fakt* f) {
        EXPECT_TRUE(f->RadioButton_Polski->isChecked());
        f->RadioButton_Polski_Angielski->click();
        return false; // "Anuluj" with the bilingual choice
    });
    drukuj();
    ASSERT_EQ(wywolania().size(), 2u);
    EXPECT_EQ(wywolania()[0].wydruk, "_ShowFaktStdRepAng");
    EXPECT_EQ(wywolania()[1].wydruk, "_ShowFaktStdRep");
}

TEST_F(DrukujFakt, DuplicateMarkingLastsOneShowingAndTravelsAsWindows1250)
{
    ustaw("FV_O", "1");
    ustaw("FV_K", "0");
    dokument("9", "FV", "netto");
    okno->Edit_Duplikat->setText(QStringLiteral("Duplikat"));
    okno->Edit_Data_Duplikatu->setText(QStringLiteral("2011-03-05 ąś"));
    drukuj();
    drukuj();
    okno->Edit_Duplikat->setText(QStringLiteral("Duplikat"));
    drukuj([](TForm_Drukuj_Fakt*) { return false; }); // closed by "Anuluj"
    EXPECT_TRUE(okno->Edit_Duplikat->text().isEmpty());
    EXPECT_TRUE(okno->Edit_Data_Duplikatu->text().isEmpty());

    ASSERT_EQ(wywolania().size(), 2u);
    EXPECT_EQ(wywolania()[0].duplikat, "Duplikat");
    EXPECT_EQ(wywolania()[0].data_duplikatu, QByteArray("2011-03-05 \xB9\x9C"));
    EXPECT_EQ(wywolania()[1].duplikat, "");
    EXPECT_EQ(wywolania()[1].data_duplikatu, "");
    // The caller's document stays for the next caller.
    EXPECT_EQ(okno->Edit_Id->text(), "9");
}

TEST_F(DrukujFakt, OutcomeTellsWhetherAPrintoutWasMade)
{
    ustaw("FV_O", "1");
    ustaw("FV_K", "1");
    dokument("2", "FV", "netto");
    drukuj();
    EXPECT_TRUE(okno->Czy_Wydrukowano());
    drukuj([](TForm_Drukuj_Fakt*) { return false; });
    EXPECT_FALSE(okno->Czy_Wydrukowano()) << "cancelled";
    dokument("2", "FV", "");
    drukuj();
    EXPECT_FALSE(okno->Czy_Wydrukowano()) << "no printout fits the mode";
}

namespace {

// The real road to the library: the main window loads it on demand.
class DrukujBezBiblioteki : public DrukujFakt {
protected:
    void SetUp() override
    {
        DrukujFakt::SetUp();
        delete okno;
        okno = new TForm_Drukuj_Fakt; // with the main window's library, not the stand-in
        MainForm = new TMainForm;
        ustaw("FV_O", "1");
        ustaw("FV_K", "0");
        dokument("4", "FV", "brutto");
    }
    void TearDown() override
    {
        delete MainForm;
        MainForm = nullptr;
        DrukujFakt::TearDown();
    }
};

} // namespace

TEST_F(DrukujBezBiblioteki, MissingLibraryIsReportedAndLookedForAgain)
{
    int proby = 0;
    MainForm->Laduj_Biblioteke = [&](const QString&) {
        ++proby;
        return sys::loadLibrary(rejestr.folder() + QStringLiteral("/Dokpress.so"));
    };
    drukuj();
    ASSERT_EQ(script.messages().size(), 1);
    EXPECT_FALSE(script.lastMessage().isEmpty());
    EXPECT_EQ(script.lastMessage(), sys::lastErrorText());
    EXPECT_TRUE(script.lastMessage().contains("Dokpress.so")) << script.lastMessage().toStdString();
    EXPECT_FALSE(okno->isVisible()) << "the dialog closes";
    EXPECT_FALSE(okno->Czy_Wydrukowano());

    drukuj();
    EXPECT_EQ(proby, 2) << "looked for again at the next print";
    EXPECT_EQ(script.messages().size(), 2);
    EXPECT_TRUE(komunikaty.teksty.isEmpty()) << "not the program's message box";
}

TEST_F(DrukujBezBiblioteki, MissingEntryPointIsReported)
{
    int proby = 0;
    MainForm->Laduj_Biblioteke = [&](const QString&) {
        ++proby;
        return sys::loadLibrary(QStringLiteral("libm.so.6")); // loads, but prints nothing
    };
    drukuj();
    drukuj();
    EXPECT_EQ(proby, 1) << "a loaded library stays";
    ASSERT_EQ(script.messages().size(), 2);
    EXPECT_TRUE(script.lastMessage().contains("_ShowFaktStdBRep")) << script.lastMessage().toStdString();
    EXPECT_FALSE(okno->Czy_Wydrukowano());
}
