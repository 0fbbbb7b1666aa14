// The VAT invoice window and its line dialogs driven in-process: lines in net and gross mode,
// totals, delete and edit, payment kind, due date, the header checks, numbering and the save, and
// the question about an unsaved document.
#include "app/Okna.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/FormControls.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/Form_Faktura.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"
#include "shell/Rejestr.h"
#include "tests/support/MessageCapture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace documents;

namespace {

const QString Ustawienia = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");

QString captionOfPrice() { return captionOf(Form_Faktura_Nowa_Pozycja->LEdit_Cena)->text(); }

class OknoFaktury : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        Zapisz_Rejestr(Ustawienia, QStringLiteral("Faktura_od"), QStringLiteral("0"));
        Zapisz_Rejestr(Ustawienia, QStringLiteral("Miejsce_Wyst"), QStringLiteral("Kraków"));
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QString::fromUtf8(TARNEX_SOURCE_DIR) + "/db/schema.sql"), QString());
        DataModule1 = new TDataModule1(nullptr, path);
        ASSERT_TRUE(c().isConnected());
        c().exec("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values ('23', 23, 1, 0), ('50', 50, 0, 0), "
                 "('5', 5, 0, 0), ('-100', -100, 1, 0), ('22', 22, 1, 1)");
        c().exec(QString::fromUtf8("insert into Forma_Zaplaty (Nazwa, Opis) values ('Przelew', ''), ('Gotówka', '')"));

        Form_Komunikat = new TForm_Komunikat();
        Dlg_Czy_Nowa_Fakt = new TDlg_Czy_Nowa_Fakt();
        Form_Faktura_Nowa_Pozycja = new TForm_Faktura_Nowa_Pozycja();
        Form_Faktura_Popraw_Pozycje = new TForm_Faktura_Popraw_Pozycje();
        Form_Jaki_Nr = new TForm_Jaki_Nr();
        otworz();
    }

    void TearDown() override
    {
        delete f.data();
        for (QWidget* w : std::initializer_list<QWidget*>{Form_Komunikat, Dlg_Czy_Nowa_Fakt, Form_Faktura_Nowa_Pozycja,
                                                          Form_Faktura_Popraw_Pozycje, Form_Jaki_Nr})
            delete w;
        Form_Komunikat = nullptr;
        Dlg_Czy_Nowa_Fakt = nullptr;
        Form_Faktura_Nowa_Pozycja = nullptr;
        Form_Faktura_Popraw_Pozycje = nullptr;
        Form_Jaki_Nr = nullptr;
        delete DataModule1;
        DataModule1 = nullptr;
        registry::setStorePath(QString());
    }

    void otworz()
    {
        f = new TForm_Faktura();
        Form_Faktura = f;
        // What the main window's menu item writes.
        f->LEdit_Wyroznik->setText("FV");
        f->LEdit_Rok->setText("2011");
        f->LEdit_Data_Wyst->setText("2011-03-05");
        f->LEdit_Miejsce_Wyst->setText(QString::fromUtf8("Kraków"));
        f->show();
    }

    data::Connection& c() { return *DataModule1->ADOConnection1; }
    qint64 ile(const QString& sql) { return c().scalar(sql).toLongLong(); }

    struct Linia {
        QString nazwa, cena, ilosc, rabat, stawka;
        QString pkwiu = {};
        QString jm = QStringLiteral("szt.");
    };

    // Types a line into the add dialog and presses "Wstaw"; returns whether the dialog closed.
    bool dodaj(const Linia& l)
    {
        bool zamkniety = false;
        script.onModal([&](QDialog* d) {
            auto* p = Form_Faktura_Nowa_Pozycja;
            EXPECT_EQ(d, p);
            wpisz(p, l);
            p->BitBtn_Wstaw->click();
            zamkniety = !p->isVisible();
            return QDialog::Rejected;
        });
        f->BitBtn_Dodaj->click();
        return zamkniety;
    }
    static void wpisz(LineDialog* p, const Linia& l)
    {
        p->LEdit_Nazwa->setText(l.nazwa);
        p->LEdit_Cena->setText(l.cena);
        p->LEdit_Ilosc->setText(l.ilosc);
        p->LEdit_Rabat->setText(l.rabat);
        p->LEdit_Jm->setText(l.jm);
        p->LEdit_PKWIU->setText(l.pkwiu);
        p->DBLCBox_Vat->setKeyValue(l.stawka);
    }

    void klient()
    {
        f->LEdit_Data_Sprzedarzy->setText("2011-03-05");
        f->LEdit_Nazwa->setText("Jan Kowalski");
        f->LEdit_Kod->setText("30-001");
        f->LEdit_Miasto->setText(QString::fromUtf8("Kraków"));
        f->LEdit_Adres->setText(QString::fromUtf8("Długa 1"));
    }
    void platnosc(const char* nazwa)
    {
        auto* combo = f->DBLookupComboBox1;
        const int i = combo->findText(QString::fromUtf8(nazwa));
        ASSERT_GE(i, 0) << nazwa;
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    // "Zapisz" when the first-number prompt is expected: answered by `nr`, or cancelled.
    void zapiszPierwsza(std::optional<QString> nr)
    {
        script.onModal([nr](QDialog* d) -> int {
            EXPECT_EQ(d, Form_Jaki_Nr);
            if (!nr)
                return QDialog::Rejected;
            Form_Jaki_Nr->Edit_Nr->setText(*nr);
            Form_Jaki_Nr->BitBtn1->click();
            return QDialog::Accepted;
        });
        f->BitBtn_Zapisz->click();
        EXPECT_EQ(script.pending(), 0);
    }
    // A question answered by one of its buttons (nullptr: its close box).
    void odpowiedz(QPushButton* TDlg_Czy_Nowa_Fakt::*przycisk)
    {
        script.onModal([przycisk](QDialog* d) -> int {
            EXPECT_EQ(d, Dlg_Czy_Nowa_Fakt);
            if (!przycisk)
                return QDialog::Rejected;
            (Dlg_Czy_Nowa_Fakt->*przycisk)->click();
            return d->result();
        });
    }

    QTemporaryDir dir;
    ui::Script script;
    MessageCapture messages{script};
    QStringList& komunikaty = messages.texts;
    QStringList& inne = messages.others;
    QPointer<TForm_Faktura> f;
};

} // namespace

TEST_F(OknoFaktury, NetLinesAndTotals)
{
    EXPECT_EQ(f->StringGrid1->RowCount(), 2);
    EXPECT_TRUE(f->CBox_Netto_Brutto->isEnabled());
    ASSERT_TRUE(dodaj({"Śruba", "12,35", "3", "5", "23"}));
    const auto& g = f->StringGrid1->lines();
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(
        g.row(1),
        (QStringList{"1", "", "Śruba", "", "", "3,000", "szt.", "12,35", "5", "35,20", "23", "8,10", "43,29", "23"}));
    EXPECT_FALSE(f->CBox_Netto_Brutto->isEnabled());
    ASSERT_TRUE(dodaj({"Usługa", "10", "3", "10", "23"}));
    EXPECT_EQ(g.cell(2, Col_Lp), "2");
    EXPECT_EQ(g.cell(2, Col_Netto), "27,00");
    EXPECT_EQ(g.cell(2, Col_Kwota_Vat), "6,21");
    EXPECT_EQ(g.cell(2, Col_Brutto), "33,21");
    // The totals are the sums of the shown cells.
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "62,20");
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "76,50");
    // The add dialog was cleared after the line.
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->LEdit_Nazwa->text(), "");
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->LEdit_Cena->text(), "0,00");
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->LEdit_Ilosc->text(), "0,000");
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.join("|").toStdString();
}

// The amounts a business writes are taken, up to what prints whole: 100 000 screws at 0,05 zł,
// 9 999 999,999 units, a machine of 800 000 000,00 zł at 23 %. A line that would take the totals
// past 999 999 999,99 zł is refused on its quantity, with the focus there and nothing added.
TEST_F(OknoFaktury, TotalsPastTheBoundAreRefusedOnEntry)
{
    ASSERT_TRUE(dodaj({"Śruba", "0,05", "100000", "0", "23"})) << komunikaty.join("|").toStdString();
    ASSERT_TRUE(dodaj({"Prąd", "0,05", "9999999,999", "0", "23"})) << komunikaty.join("|").toStdString();
    ASSERT_TRUE(dodaj({"Maszyna", "800000000", "1", "0", "23"})) << komunikaty.join("|").toStdString();
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "984621150,00");
    ASSERT_TRUE(dodaj({"Maszyna", "12500000", "1", "0", "23"}));
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "999996150,00");
    komunikaty.clear();
    EXPECT_FALSE(dodaj({"Śruba", "10000", "1", "0", "23"})); // 12300,00 gross more
    EXPECT_EQ(komunikaty, QStringList{QString::fromUtf8("Suma dokumentu nie może przekroczyć 999 999 999,99 zł")});
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->focusWidget(), Form_Faktura_Nowa_Pozycja->LEdit_Ilosc);
    EXPECT_EQ(f->StringGrid1->RowCount(), 6);
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "999996150,00");
}

TEST_F(OknoFaktury, LineDialogRefusesAndKeepsTheEntry)
{
    // A reduced rate without PKWiU: message, focus on PKWiU, nothing written.
    EXPECT_FALSE(dodaj({"Książka", "10", "1", "0", "5"}));
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty[0], "Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU");
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->focusWidget(), Form_Faktura_Nowa_Pozycja->LEdit_PKWIU);
    EXPECT_EQ(f->StringGrid1->RowCount(), 2);
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "0,00");
    // The dialog closed without a line, by whatever road, forgets what was typed.
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->LEdit_Nazwa->text(), "");

    komunikaty.clear();
    EXPECT_FALSE(dodaj({"Książka", "1,5", "1", "5,5", "23"}));
    EXPECT_EQ(komunikaty, QStringList{"Rabat musi być liczbą calkowitą"});
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->focusWidget(), Form_Faktura_Nowa_Pozycja->LEdit_Rabat);
}

TEST_F(OknoFaktury, RateFoundByItsExactName)
{
    auto* p = Form_Faktura_Nowa_Pozycja;
    p->Otworz_Stawki();
    p->DBLCBox_Vat->setKeyValue("5");
    EXPECT_EQ(p->DBLCBox_Vat->currentText(), "5");
    EXPECT_EQ(p->DBEdit_Vat->text(), "5");
    EXPECT_FALSE(p->DBCheckBox_Czy_Podst->isChecked());
    p->DBLCBox_Vat->setKeyValue("23");
    EXPECT_EQ(p->DBEdit_Vat->text(), "23");
    EXPECT_TRUE(p->DBCheckBox_Czy_Podst->isChecked());
    // The user's choice positions the table too.
    const int i = p->DBLCBox_Vat->findText("50");
    p->DBLCBox_Vat->setCurrentIndex(i);
    emit p->DBLCBox_Vat->activated(i);
    EXPECT_EQ(p->DBEdit_Vat->text(), "50");
    // Archived rates are not offered.
    EXPECT_EQ(p->DBLCBox_Vat->findText("22"), -1);
}

TEST_F(OknoFaktury, GrossModeInvoice)
{
    const int brutto = f->CBox_Netto_Brutto->findText("brutto");
    f->CBox_Netto_Brutto->setCurrentIndex(brutto);
    emit f->CBox_Netto_Brutto->activated(brutto);
    const auto& g = f->StringGrid1->lines();
    EXPECT_EQ(g.cell(0, Col_Cena), "Cena brutto");
    EXPECT_EQ(g.cell(0, Col_Netto), "");
    EXPECT_EQ(f->StringGrid1->columnWidthOf(Col_Netto), 0);
    EXPECT_EQ(f->StringGrid1->columnWidthOf(Col_Cena), 110);

    script.onModal([](QDialog*) {
        EXPECT_EQ(captionOfPrice(), "Cena brutto");
        return QDialog::Rejected;
    });
    f->BitBtn_Dodaj->click();

    ASSERT_TRUE(dodaj({"Usługa", "10", "3", "10", "23"}));
    EXPECT_EQ(g.cell(1, Col_Netto), "21,95");
    EXPECT_EQ(g.cell(1, Col_Kwota_Vat), "5,05");
    EXPECT_EQ(g.cell(1, Col_Brutto), "27,00");
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "27,00");

    // A rate of -100 % cannot give a net value out of a gross price.
    EXPECT_FALSE(dodaj({"Zwrot", "10", "1", "0", "-100"}));
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(Form_Faktura_Nowa_Pozycja->focusWidget(), Form_Faktura_Nowa_Pozycja->DBLCBox_Vat);
    EXPECT_EQ(g.lineCount(), 1);

    klient();
    platnosc("Przelew");
    zapiszPierwsza(QStringLiteral("1"));
    EXPECT_EQ(f->LEdit_Nr->text(), "1");
    EXPECT_EQ(c().scalar("select Netto_Brutto from Faktura").toString(), "brutto");
    EXPECT_DOUBLE_EQ(c().scalar("select Wart_Netto from Faktura").toDouble(), 21.95);
    EXPECT_DOUBLE_EQ(c().scalar("select Wart_Brutto from Faktura").toDouble(), 27.0);
    EXPECT_DOUBLE_EQ(c().scalar("select Towary_Cena_Brutto from Faktura_Szczegoly").toDouble(), 10.0);
    EXPECT_TRUE(c().scalar("select Towary_Cena from Faktura_Szczegoly").isNull());
}

TEST_F(OknoFaktury, DeleteRenumbersAndFreesTheMode)
{
    dodaj({"A", "1", "1", "0", "23"});
    dodaj({"B", "2", "1", "0", "23"});
    dodaj({"C", "4", "1", "0", "23"});
    auto& g = f->StringGrid1->lines();
    // The empty last row selected: nothing happens.
    f->StringGrid1->setRow(4);
    f->BitBtn_Usun->click();
    EXPECT_EQ(g.lineCount(), 3);
    f->StringGrid1->setRow(2);
    f->BitBtn_Usun->click();
    EXPECT_EQ(g.lineCount(), 2);
    EXPECT_EQ(g.cell(2, Col_Lp), "2");
    EXPECT_EQ(g.cell(2, Col_Nazwa), "C");
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "5,00");
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "6,15");
    EXPECT_FALSE(f->CBox_Netto_Brutto->isEnabled());
    f->StringGrid1->setRow(1);
    f->BitBtn_Usun->click();
    f->StringGrid1->setRow(1);
    f->BitBtn_Usun->click();
    EXPECT_EQ(f->StringGrid1->RowCount(), 2);
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "0,00");
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), "0,00");
    EXPECT_TRUE(f->CBox_Netto_Brutto->isEnabled());
}

TEST_F(OknoFaktury, EditingALineKeepsNumberSymbolAndPrecision)
{
    ASSERT_TRUE(dodaj({"Maszyna", "1234567,89", "1", "0", "23"}));
    f->StringGrid1->lines().setCell(1, Col_Symbol, "M1");
    ASSERT_TRUE(dodaj({"Drobne", "0,01", "1", "0", "23"}));
    const QString netto = f->LEdit_Suma_Netto->text();
    const QString brutto = f->LEdit_Suma_Brutto->text();
    EXPECT_EQ(netto, "1234567,90");

    // "Popraw" on an unchanged line leaves everything as it was.
    script.onModal([](QDialog* d) {
        auto* p = Form_Faktura_Popraw_Pozycje;
        EXPECT_EQ(d, p);
        EXPECT_EQ(p->LEdit_Cena->text(), "1234567,89");
        EXPECT_EQ(p->DBLCBox_Vat->currentText(), "23");
        EXPECT_EQ(p->DBEdit_Vat->text(), "23");
        p->BitBtn_Wstaw->click();
        return QDialog::Accepted;
    });
    f->StringGrid1->setRow(1);
    f->BitBtn_Popraw->click();
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), netto);
    EXPECT_EQ(f->LEdit_Suma_Brutto->text(), brutto);

    // A change: the totals follow by exactly the difference; Lp and symbol stay.
    script.onModal([](QDialog*) {
        auto* p = Form_Faktura_Popraw_Pozycje;
        p->LEdit_Cena->setText("1234617,89");
        p->BitBtn_Wstaw->click();
        return QDialog::Accepted;
    });
    f->BitBtn_Popraw->click();
    const auto& g = f->StringGrid1->lines();
    EXPECT_EQ(g.cell(1, Col_Lp), "1");
    EXPECT_EQ(g.cell(1, Col_Symbol), "M1");
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "1234617,90");
    // The edit dialog is emptied when it closes.
    EXPECT_EQ(Form_Faktura_Popraw_Pozycje->LEdit_Nazwa->text(), "");

    // The empty last row is not a line: no dialog.
    f->StringGrid1->setRow(3);
    f->BitBtn_Popraw->click();
    EXPECT_TRUE(inne.isEmpty());
}

TEST_F(OknoFaktury, PaymentKindAndDueDate)
{
    f->LEdit_Ilosc_Dni->setText("14");
    platnosc("Gotówka");
    EXPECT_EQ(f->LEdit_Ilosc_Dni->text(), "0");
    EXPECT_EQ(f->LEdit_Data_Zap->text(), "2011-03-05");
    EXPECT_EQ(f->DBEdit_Forma->text(),
              c().scalar(QString::fromUtf8("select Id from Forma_Zaplaty where Nazwa='Gotówka'")).toString());

    platnosc("Przelew");
    EXPECT_EQ(f->LEdit_Data_Zap->text(), "");
    EXPECT_EQ(f->focusWidget(), f->LEdit_Ilosc_Dni);

    struct {
        const char* wyst;
        const char* dni;
        const char* zap;
    } przypadki[] = {
        {"2011-03-05", "30", "2011-04-04"}, {"2012-02-28", "1", "2012-02-29"}, {"2011-03-05", "0", "2011-03-05"}};
    for (const auto& p : przypadki) {
        f->LEdit_Data_Wyst->setText(p.wyst);
        f->LEdit_Ilosc_Dni->setText(p.dni);
        f->BitBtn1->click();
        EXPECT_EQ(f->LEdit_Data_Zap->text(), p.zap);
    }
    // Typed and clicked: -3 days is a due date three days before the issue date, as the save
    // takes it too.
    f->LEdit_Data_Wyst->setText("2011-03-05");
    f->LEdit_Ilosc_Dni->clear();
    QTest::keyClicks(f->LEdit_Ilosc_Dni, "-3");
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.join(u'|').toStdString();
    EXPECT_EQ(f->LEdit_Data_Zap->text(), "2011-03-02");
    f->LEdit_Ilosc_Dni->setText("x");
    f->BitBtn1->click();
    EXPECT_EQ(komunikaty.value(0), "Pole 'Ilość dni' musi być liczbą całkowitą");
    EXPECT_EQ(f->focusWidget(), f->LEdit_Ilosc_Dni);

    // Cash with an unreadable issue date: the message, the focus on the date, no due date.
    komunikaty.clear();
    f->LEdit_Data_Zap->setText("2011-01-01");
    f->LEdit_Data_Wyst->setText("2011-02-30");
    platnosc("Gotówka");
    EXPECT_EQ(komunikaty, QStringList{"Niepoprawna data !"});
    EXPECT_EQ(f->focusWidget(), f->LEdit_Data_Wyst);
    EXPECT_EQ(f->LEdit_Data_Zap->text(), "2011-01-01");
}

TEST_F(OknoFaktury, HeaderChecksShowTheirMessageAndFocus)
{
    f->LEdit_Data_Wyst->clear();
    f->BitBtn_Zapisz->click();
    // The empty issue date goes to the plain message dialog.
    EXPECT_EQ(script.lastMessage(), "Pole 'Data Wystawienia' musi być wypełnione !");
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(f->focusWidget(), f->LEdit_Data_Wyst);

    f->LEdit_Data_Wyst->setText("2009-01-05");
    f->LEdit_Rok->setText("2008");
    f->BitBtn_Zapisz->click();
    EXPECT_EQ(komunikaty.value(0), "Niepoprawna wartość w polu 'Rok'");
    EXPECT_EQ(f->focusWidget(), f->LEdit_Rok);

    komunikaty.clear();
    f->LEdit_Rok->setText("2009");
    klient();
    f->CBox_Czy_Firma->setChecked(true);
    f->BitBtn_Zapisz->click();
    EXPECT_EQ(komunikaty.value(0), "Pole 'NIP' dla Klienta firmowego musi być wypełnione !");
    EXPECT_EQ(f->focusWidget(), f->LEdit_NIP);

    komunikaty.clear();
    f->LEdit_NIP->setText("5260000000");
    f->BitBtn_Zapisz->click();
    EXPECT_EQ(komunikaty.value(0), "Nie dodano żadnych pozycji do faktury");
    EXPECT_EQ(f->focusWidget(), f->BitBtn_Dodaj);

    komunikaty.clear();
    dodaj({"A", "1", "1", "0", "23"});
    f->BitBtn_Zapisz->click();
    EXPECT_EQ(komunikaty.value(0), "Należy podać sposób zapłaty");
    EXPECT_EQ(f->focusWidget(), f->DBLookupComboBox1);
    EXPECT_EQ(ile("select count(*) from Faktura"), 0);
}

TEST_F(OknoFaktury, SaveNumbersAndLocksTheDocument)
{
    klient();
    dodaj({"A", "1", "1", "0", "23"});
    platnosc("Przelew");
    f->LEdit_Ilosc_Dni->setText("14");
    // Cancelling the first-number prompt saves nothing and says nothing.
    zapiszPierwsza(std::nullopt);
    EXPECT_EQ(ile("select count(*) from Faktura"), 0);
    EXPECT_TRUE(f->BitBtn_Zapisz->isEnabled());
    EXPECT_TRUE(komunikaty.isEmpty());
    EXPECT_EQ(f->LEdit_Nr->text(), "");

    zapiszPierwsza(QStringLiteral("120"));
    EXPECT_EQ(f->LEdit_Nr->text(), "120");
    EXPECT_EQ(f->DBEdit_Id->text(), c().scalar("select Id from Faktura where Nr=120").toString());
    EXPECT_FALSE(f->BitBtn_Zapisz->isEnabled());
    EXPECT_FALSE(f->BitBtn_Dodaj->isEnabled());
    EXPECT_FALSE(f->BitBtn_Popraw->isEnabled());
    EXPECT_FALSE(f->BitBtn_Usun->isEnabled());
    EXPECT_TRUE(f->BitBtn_Drukuj->isEnabled());
    EXPECT_EQ(ile("select count(*) from Faktura_Szczegoly"), 1);

    // "Drukuj" hands the saved document to the print dialog.
    Form_Drukuj_Fakt = new TForm_Drukuj_Fakt();
    script.onModal([this](QDialog* d) -> int {
        EXPECT_EQ(d, Form_Drukuj_Fakt);
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Id->text(), f->DBEdit_Id->text());
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Wyroznik->text(), "FV");
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Netto_Brutto->text(), "netto");
        return QDialog::Rejected;
    });
    f->BitBtn_Drukuj->click();
    EXPECT_EQ(script.pending(), 0);
    delete Form_Drukuj_Fakt;
    Form_Drukuj_Fakt = nullptr;

    // "Nowa faktura" after a save asks nothing; the next number follows.
    ui::FixedClock zegar(QDate(2011, 3, 7));
    f->BitBtn_Nowa->click();
    EXPECT_TRUE(inne.isEmpty());
    EXPECT_EQ(f->LEdit_Data_Wyst->text(), "2011-03-07");
    EXPECT_EQ(f->LEdit_Rok->text(), "2011");
    EXPECT_EQ(f->LEdit_Miejsce_Wyst->text(), "Kraków");
    EXPECT_FALSE(f->BitBtn_Drukuj->isEnabled());
    klient();
    dodaj({"B", "2", "1", "0", "23"});
    platnosc("Przelew");
    f->BitBtn_Zapisz->click();
    EXPECT_EQ(f->LEdit_Nr->text(), "121");
}

TEST_F(OknoFaktury, FailedSaveShowsTheErrorAndChangesNothing)
{
    c().exec("create trigger awaria before insert on Faktura_Szczegoly when new.Lp = 2 "
             "begin select raise(abort, 'awaria dysku'); end");
    klient();
    dodaj({"A", "1", "1", "0", "23"});
    dodaj({"B", "2", "1", "0", "23"});
    platnosc("Przelew");
    zapiszPierwsza(QStringLiteral("5"));
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].contains("awaria dysku")) << komunikaty[0].toStdString();
    EXPECT_EQ(ile("select count(*) from Faktura"), 0);
    EXPECT_EQ(ile("select count(*) from Faktura_Szczegoly"), 0);
    EXPECT_EQ(f->LEdit_Nr->text(), "");
    EXPECT_TRUE(f->BitBtn_Zapisz->isEnabled());
    EXPECT_FALSE(f->BitBtn_Drukuj->isEnabled());
    EXPECT_EQ(f->StringGrid1->lines().lineCount(), 2);
}

// db.mdb deleted under the running program: the save is refused, naming the file, instead of
// going down with the deleted file; the document stays in the window to be saved again.
TEST_F(OknoFaktury, SaveIntoADeletedDatabaseFileIsRefusedAndTheDocumentKept)
{
    klient();
    dodaj({"A", "1", "1", "0", "23"});
    platnosc("Przelew");
    zapiszPierwsza(QStringLiteral("7"));
    ASSERT_EQ(f->LEdit_Nr->text(), "7");
    f->BitBtn_Nowa->click();
    klient();
    dodaj({"B", "2", "1", "0", "23"});
    platnosc("Przelew");
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    ASSERT_TRUE(QFile::remove(path));
    f->BitBtn_Zapisz->click();
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].startsWith("Nie udało się zapisać faktury: plik bazy danych został usunięty lub "
                                         "zastąpiony innym plikiem")
                && komunikaty[0].contains(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())))
        << komunikaty[0].toStdString();
    EXPECT_EQ(f->LEdit_Nr->text(), "");
    EXPECT_TRUE(f->BitBtn_Zapisz->isEnabled());
    EXPECT_FALSE(f->BitBtn_Drukuj->isEnabled());
    EXPECT_EQ(f->StringGrid1->lines().lineCount(), 1);
}

TEST_F(OknoFaktury, UnsavedDocumentQuestion)
{
    dodaj({"A", "1", "1", "0", "23"});
    // "Nie" keeps everything.
    odpowiedz(&TDlg_Czy_Nowa_Fakt::CancelBtn);
    f->BitBtn_Nowa->click();
    EXPECT_EQ(f->StringGrid1->lines().lineCount(), 1);
    // "Tak" drops the document.
    odpowiedz(&TDlg_Czy_Nowa_Fakt::OKBtn);
    f->BitBtn_Nowa->click();
    EXPECT_EQ(f->StringGrid1->lines().lineCount(), 0);
    EXPECT_EQ(f->LEdit_Suma_Netto->text(), "0,00");

    // Closing: "Nie" keeps the window, the question's close box lets it go.
    dodaj({"A", "1", "1", "0", "23"});
    odpowiedz(&TDlg_Czy_Nowa_Fakt::CancelBtn);
    f->BitBtn_Zamknij->click();
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(f->StringGrid1->lines().lineCount(), 1);
    odpowiedz(nullptr);
    f->BitBtn_Zamknij->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
}

TEST_F(OknoFaktury, EscAnswersNo)
{
    script.onModal([](QDialog* d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(d, &esc);
        return d->result();
    });
    EXPECT_TRUE(Czy_Zachowac_Dokument());
}

TEST_F(OknoFaktury, DamagedPriceModeSettingMeansNet)
{
    delete f.data();
    Zapisz_Rejestr(Ustawienia, QStringLiteral("Faktura_od"), QStringLiteral("1"));
    otworz();
    EXPECT_EQ(f->CBox_Netto_Brutto->currentText(), "brutto");
    EXPECT_EQ(f->StringGrid1->lines().cell(0, Col_Cena), "Cena brutto");
    EXPECT_EQ(f->StringGrid1->columnWidthOf(Col_Cena), 100);

    // "Nowa faktura" restores the mode of the settings and lays the grid out for it.
    Zapisz_Rejestr(Ustawienia, QStringLiteral("Faktura_od"), QStringLiteral("x"));
    odpowiedz(&TDlg_Czy_Nowa_Fakt::OKBtn);
    f->BitBtn_Nowa->click();
    EXPECT_EQ(f->CBox_Netto_Brutto->currentText(), "netto");
    EXPECT_EQ(f->StringGrid1->lines().cell(0, Col_Cena), "Cena");
    EXPECT_EQ(f->StringGrid1->columnWidthOf(Col_Netto), 90);

    delete f.data();
    Zapisz_Rejestr(Ustawienia, QStringLiteral("Faktura_od"), QString());
    otworz();
    EXPECT_EQ(f->CBox_Netto_Brutto->currentText(), "netto");
}

// Through the main window: the menu item opens the window with its presets, a second click
// presets it again, and closing the program asks about the unsaved document first.
TEST_F(OknoFaktury, MainWindowOpensPresetsAndAsksBeforeExit)
{
    delete f.data();
    Zarejestruj_Okna();
    MainForm = new TMainForm;
    {
        ui::FixedClock zegar(QDate(2011, 3, 5));
        ASSERT_TRUE(MainForm->FakturaVat1->isEnabled());
        MainForm->FakturaVat1->trigger();
        ASSERT_TRUE(Form_Faktura);
        f = Form_Faktura;
        EXPECT_TRUE(MainForm->Czy_Faktura);
        EXPECT_EQ(f->LEdit_Wyroznik->text(), "FV");
        EXPECT_EQ(f->LEdit_Rok->text(), "2011");
        EXPECT_EQ(f->LEdit_Data_Wyst->text(), "2011-03-05");
        EXPECT_EQ(f->LEdit_Miejsce_Wyst->text(), "Kraków");
    }
    dodaj({"A", "1", "1", "0", "23"});
    {
        ui::FixedClock zegar(QDate(2012, 1, 2));
        MainForm->FakturaVat1->trigger();
        EXPECT_EQ(Form_Faktura, f.data());
        EXPECT_EQ(f->LEdit_Data_Wyst->text(), "2012-01-02");
        EXPECT_EQ(f->StringGrid1->lines().lineCount(), 1);
    }
    odpowiedz(&TDlg_Czy_Nowa_Fakt::CancelBtn);
    EXPECT_FALSE(MainForm->Czy_Mozna_Zamknac());
    odpowiedz(&TDlg_Czy_Nowa_Fakt::OKBtn);
    EXPECT_TRUE(MainForm->Czy_Mozna_Zamknac());

    // Closing the window clears the main window's flag.
    odpowiedz(&TDlg_Czy_Nowa_Fakt::OKBtn);
    f->BitBtn_Zamknij->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    EXPECT_FALSE(MainForm->Czy_Faktura);
    EXPECT_EQ(Form_Faktura, nullptr);
    delete MainForm;
}

TEST_F(OknoFaktury, AnulujInTheAddDialogClearsTheEntryAndTheSameRateWorksAgain)
{
    bool otwarty = false;
    script.onModal([&](QDialog* d) {
        auto* p = Form_Faktura_Nowa_Pozycja;
        EXPECT_EQ(d, p);
        p->LEdit_Symbol->setText("S1"); // as the goods pick writes it
        // "23", the basic rate, is the first row of the rate table: choosing it moves nothing.
        wpisz(p, {"Śruba", "10,00", "2", "5", "23", "1.1", "kg"});
        p->BitBtn_Anuluj->click();
        otwarty = p->isVisible();
        QStringList wpis;
        for (QLineEdit* e : {p->LEdit_Symbol, p->LEdit_Nazwa, p->LEdit_Nazwa_cd, p->LEdit_PKWIU, p->LEdit_Cena,
                             p->LEdit_Jm, p->LEdit_Ilosc, p->LEdit_Rabat})
            wpis << e->text();
        EXPECT_EQ(wpis.join('|') + '|' + p->DBLCBox_Vat->currentText(), "||||0,00||0,000|0|");
        EXPECT_FALSE(f->StringGrid1->lines().hasLines()) << "nothing reached the grid";

        // The same basic rate again: no PKWiU is asked for.
        wpisz(p, {"Nakrętka", "1,00", "4", "0", "23"});
        p->BitBtn_Wstaw->click();
        return QDialog::Rejected;
    });
    f->BitBtn_Dodaj->click();
    EXPECT_TRUE(otwarty) << "\"Anuluj\" leaves the dialog open";
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.join('\n').toStdString();
    const auto& g = f->StringGrid1->lines();
    ASSERT_EQ(g.lineCount(), 1);
    EXPECT_EQ(g.cell(1, Col_Nazwa), QString::fromUtf8("Nakrętka"));
    EXPECT_EQ(g.cell(1, Col_Wart), "23");
    EXPECT_EQ(g.cell(1, Col_Brutto), "4,92");
}

TEST_F(OknoFaktury, RateChosenAfterAnAbandonedEntryIsTheRateOfTheLine)
{
    // An entry abandoned by closing the add dialog is gone at its next showing; there the rate
    // table is read afresh and opens on its first row ("23"), and the rate chosen ("5") is the
    // line's.
    script.onModal([&](QDialog*) {
        wpisz(Form_Faktura_Nowa_Pozycja, {"Śruba", "10,00", "1", "0", "5", "1.1"});
        return QDialog::Rejected;
    });
    f->BitBtn_Dodaj->click();
    script.onModal([&](QDialog*) {
        EXPECT_EQ(Form_Faktura_Nowa_Pozycja->DBLCBox_Vat->currentText(), "");
        EXPECT_EQ(Form_Faktura_Nowa_Pozycja->LEdit_Ilosc->text(), "0,000");
        wpisz(Form_Faktura_Nowa_Pozycja, {"Śruba", "10,00", "1", "0", "5", "1.1"});
        Form_Faktura_Nowa_Pozycja->BitBtn_Wstaw->click();
        return QDialog::Rejected;
    });
    f->BitBtn_Dodaj->click();
    const auto& g = f->StringGrid1->lines();
    ASSERT_EQ(g.lineCount(), 1);
    EXPECT_EQ(g.cell(1, Col_Stawka), "5");
    EXPECT_EQ(g.cell(1, Col_Wart), "5");
    EXPECT_EQ(g.cell(1, Col_Kwota_Vat), "0,50");
}
