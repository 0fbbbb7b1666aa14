#include "documents/Form_Drukuj_Duplikat.h"

#include "documents/Form_Drukuj_Fakt.h"
#include "platform/data/Table.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Modal.h"
#include "support/TestDb.h"
#include "tests/documents/DrukujTestowe.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

using drukuj_test::wywolania;

namespace {

const QString Klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\Wydruki\\");

class DrukujDuplikat : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* n : {"FV_O", "FV_K", "PFV_O", "PFV_K"})
            ASSERT_TRUE(registry::write(registry::Root::LocalMachine, Klucz, n, "1"));
        Form_Drukuj_Fakt = new TForm_Drukuj_Fakt;
        drukuj_test::podlacz(Form_Drukuj_Fakt);
        okno = new TForm_Drukuj_Duplikat;
        okno->ADOTable_Faktura->setConnection(db.conn.get());
        db.conn->exec("insert into Faktura (Id, Typ, Rok, Nr, Netto_Brutto) values (12, 'FV', '2011', 3, 'brutto')");
        db.conn->exec("insert into Faktura (Id, Typ, Rok, Nr, Netto_Brutto) values (13, 'FV', '2011', 4, 'netto')");
    }
    void TearDown() override
    {
        delete okno;
        delete Form_Drukuj_Fakt;
        Form_Drukuj_Fakt = nullptr;
    }

    void dokument(const QString& id, const QString& typ, const QString& nr, const QString& tryb)
    {
        okno->Edit_Id->setText(id);
        okno->LEdit_Typ->setText(typ);
        okno->LEdit_Nr->setText(nr);
        okno->LEdit_Rok->setText(QStringLiteral("2011"));
        okno->Edit_Netto_Brutto->setText(tryb);
    }

    // Shows the duplicate dialog and presses its "Drukuj"; `w_dialogu_drukowania` then plays the
    // user of the print dialog (by default: "Drukuj").
    void duplikat(const std::function<void(TForm_Drukuj_Duplikat*)>& ustaw = {},
                  const std::function<void(TForm_Drukuj_Fakt*)>& w_dialogu_drukowania = {})
    {
        script.onModal([&](QDialog*) {
            if (ustaw)
                ustaw(okno);
            okno->BitBtn_Drukuj->click();
            EXPECT_FALSE(okno->isVisible()) << "the duplicate dialog closes";
            return int(QDialog::Rejected);
        });
        script.onModal([&](QDialog* d) {
            EXPECT_EQ(d, Form_Drukuj_Fakt);
            if (w_dialogu_drukowania)
                w_dialogu_drukowania(Form_Drukuj_Fakt);
            else
                Form_Drukuj_Fakt->BitBtn_Drukuj->click();
            return int(QDialog::Rejected);
        });
        ui::showModal(okno);
        EXPECT_EQ(script.pending(), 0);
    }

    // Czy_Duplikat and Data_Duplikatu of a document, as "1 2011-03-05".
    QString znacznik(int id)
    {
        const QVariant c = db.conn->scalar("select Czy_Duplikat from Faktura where Id=?", {id});
        const QVariant d = db.conn->scalar("select Data_Duplikatu from Faktura where Id=?", {id});
        return c.toString() + " " + d.toString();
    }

    RejestrTestowy rejestr;
    TestDb db;
    ui::Script script;
    Komunikaty komunikaty{script};
    ui::FixedClock zegar{QDate(2011, 3, 5)};
    TForm_Drukuj_Duplikat* okno = nullptr;
};

} // namespace

TEST_F(DrukujDuplikat, PrintedDuplicateCarriesCaptionAndDateAndIsRecorded)
{
    dokument("12", "FV", "3", "brutto");
    duplikat();

    ASSERT_EQ(wywolania().size(), 1u);
    EXPECT_EQ(wywolania()[0].wydruk, "_ShowFaktStdBRep");
    EXPECT_EQ(wywolania()[0].id, "12");
    EXPECT_EQ(wywolania()[0].duplikat, "Duplikat");
    EXPECT_EQ(wywolania()[0].data_duplikatu, "2011-03-05") << "today by default";
    EXPECT_EQ(znacznik(12), "1 2011-03-05");
    EXPECT_EQ(znacznik(13), "0 ") << "only that document";

    // Identity fields go with the showing; the price mode stays.
    EXPECT_TRUE(okno->Edit_Id->text().isEmpty());
    EXPECT_TRUE(okno->LEdit_Typ->text().isEmpty());
    EXPECT_TRUE(okno->LEdit_Nr->text().isEmpty());
    EXPECT_TRUE(okno->LEdit_Rok->text().isEmpty());
    EXPECT_EQ(okno->Edit_Netto_Brutto->text(), "brutto");

    // A following normal print of the same document carries no duplicate caption.
    Form_Drukuj_Fakt->Edit_Id->setText("12");
    script.onModal([](QDialog*) {
        Form_Drukuj_Fakt->BitBtn_Drukuj->click();
        return int(QDialog::Rejected);
    });
    ui::showModal(Form_Drukuj_Fakt);
    ASSERT_EQ(wywolania().size(), 2u);
    EXPECT_EQ(wywolania()[1].duplikat, "");
    EXPECT_EQ(wywolania()[1].data_duplikatu, "");
}

TEST_F(DrukujDuplikat, ChosenDateIsPrintedAndRecorded)
{
    dokument("13", "FV", "4", "netto");
    duplikat([](TForm_Drukuj_Duplikat* f) { f->JvDTP->setDate(QDate(2012, 1, 31)); });
    ASSERT_EQ(wywolania().size(), 1u);
    EXPECT_EQ(wywolania()[0].data_duplikatu, "2012-01-31");
    EXPECT_EQ(znacznik(13), "1 2012-01-31");

    // The next showing starts from today again.
    dokument("13", "FV", "4", "netto");
    script.onModal([](QDialog* d) {
        EXPECT_EQ(static_cast<TForm_Drukuj_Duplikat*>(d)->JvDTP->date(), QDate(2011, 3, 5));
        return int(QDialog::Rejected);
    });
    ui::showModal(okno);
}

TEST_F(DrukujDuplikat, NothingIsRecordedWithoutAPrintout)
{
    struct Przypadek {
        const char* co;
        std::function<void(TForm_Drukuj_Fakt*)> uzytkownik;
    };
    const Przypadek przypadki[] = {
        {"Anuluj", [](TForm_Drukuj_Fakt* f) { f->BitBtn_Anuluj->click(); }},
        {"bad copies, then Anuluj",
         [](TForm_Drukuj_Fakt* f) {
             f->LEdit_Kopie->setText("2a");
             f->BitBtn_Drukuj->click();
             EXPECT_TRUE(f->isVisible());
             f->BitBtn_Anuluj->click();
         }},
        {"missing library",
         [](TForm_Drukuj_Fakt* f) {
             f->Znajdz_Wydruk = [](const char*) -> void* { return nullptr; };
             f->BitBtn_Drukuj->click();
         }},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.co);
        dokument("12", "FV", "3", "brutto");
        duplikat({}, p.uzytkownik);
        EXPECT_FALSE(okno->isVisible());
        EXPECT_EQ(znacznik(12), "0 ");
        drukuj_test::podlacz(Form_Drukuj_Fakt);
    }
    EXPECT_EQ(komunikaty.teksty, QStringList{"Niepoprawna wartość w polu 'Liczba kopii'"});
    EXPECT_EQ(script.messages().size(), 1) << "the missing library was reported";
    EXPECT_TRUE(wywolania().empty());
}

TEST_F(DrukujDuplikat, PrintedDuplicateOfAnEmptyIdRecordsNothing)
{
    dokument("", "FV", "", "netto");
    duplikat();
    EXPECT_EQ(wywolania().size(), 1u) << "the library has its own say on the id";
    EXPECT_EQ(db.count("select count(*) from Faktura where Czy_Duplikat<>0"), 0);
}

TEST(ZapiszDuplikat, OnlyAWholeNumberIdOfADocumentIsMarked)
{
    TestDb db;
    db.conn->exec("insert into Faktura (Id, Typ, Rok, Nr) values (1, 'FV', '2011', 1)");
    db.conn->exec("insert into Faktura (Id, Typ, Rok, Nr) values (2, 'FV', '2011', 2)");
    for (const char* id : {"", " 1", "1 or 1=1", "1' or '1'='1", "x", "1,0", "99"})
        EXPECT_FALSE(Zapisz_Duplikat(*db.conn, id, QDate(2011, 5, 6))) << id;
    EXPECT_EQ(db.count("select count(*) from Faktura where Czy_Duplikat<>0 or Data_Duplikatu is not null"), 0);

    EXPECT_TRUE(Zapisz_Duplikat(*db.conn, "2", QDate(2011, 5, 6)));
    EXPECT_FALSE(db.conn->inTransaction());
    EXPECT_EQ(db.count("select count(*) from Faktura where Id=2 and Czy_Duplikat<>0 and Data_Duplikatu='2011-05-06'"),
              1);
    EXPECT_EQ(db.count("select count(*) from Faktura where Czy_Duplikat<>0"), 1);
}
