// The correction invoice window, its corrected-line dialog, the note window and the two invoice
// pickers driven in-process: the three parallel grids, a new pick, a failed save, a note saved
// through its window, and what the pickers list afterwards.
#include "corrections/Form_Do_Korekty.h"
#include "corrections/Form_Do_Noty.h"
#include "corrections/Form_Faktura_Korekta.h"
#include "corrections/Form_Faktura_Nota.h"
#include "corrections/Form_Korekta_Pozycja.h"
#include "corrections/WindowParts.h"
#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/DocumentStore.h"
#include "documents/FormControls.h"
#include "documents/LineGrid.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "platform/ui/WindowFit.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"
#include "tests/support/MessageCapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QHeaderView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace documents;
using namespace corrections;

namespace {

class Korekty : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QString::fromUtf8(TARNEX_SOURCE_DIR) + "/db/schema.sql"), QString());
        DataModule1 = new TDataModule1(nullptr, path);
        ASSERT_TRUE(c().isConnected());
        // A retired rate that shares the name of the rate in use comes first.
        c().exec("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values ('23', 22, 1, 1), ('23', 23, 1, 0)");
        c().exec(QString::fromUtf8("insert into Forma_Zaplaty (Nazwa, Opis) values ('Przelew', ''), ('Gotówka', '')"));
        c().exec(
            QString::fromUtf8("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Kod, Miasto, Adres, Czy_Firma) "
                              "values ('K7', 'Nowak Sp. z o.o.', '5260001246', '00-950', 'Warszawa', 'Krótka 2', 1)"));
        fakturaA = zapiszFakture(7, 3);
        fakturaB = zapiszFakture(8, 1);

        Form_Komunikat = new TForm_Komunikat();
        Dlg_Czy_Nowa_Fakt = new TDlg_Czy_Nowa_Fakt();
        Form_Jaki_Nr = new TForm_Jaki_Nr();
        Form_Do_Korekty = new TForm_Do_Korekty();
        Form_Do_Noty = new TForm_Do_Noty();
        Form_Korekta_Pozycja = new TForm_Korekta_Pozycja();
        Form_Lista_Klientow_Pob_Nota = new TForm_Lista_Klientow_Pob_Nota();
        k = Form_Faktura_Korekta = new TForm_Faktura_Korekta();
        // What the main window's menu item writes.
        k->LEdit_Rok->setText("2011");
        k->LEdit_Data_Wyst->setText("2011-04-01");
        k->show();
    }

    void TearDown() override
    {
        delete k.data();
        delete n.data();
        for (QWidget* w :
             std::initializer_list<QWidget*>{Form_Komunikat, Dlg_Czy_Nowa_Fakt, Form_Jaki_Nr, Form_Do_Korekty,
                                             Form_Do_Noty, Form_Korekta_Pozycja, Form_Lista_Klientow_Pob_Nota})
            delete w;
        Form_Komunikat = nullptr;
        Dlg_Czy_Nowa_Fakt = nullptr;
        Form_Jaki_Nr = nullptr;
        Form_Do_Korekty = nullptr;
        Form_Do_Noty = nullptr;
        Form_Korekta_Pozycja = nullptr;
        Form_Lista_Klientow_Pob_Nota = nullptr;
        delete DataModule1;
        DataModule1 = nullptr;
        registry::setStorePath(QString());
    }

    data::Connection& c() { return *DataModule1->ADOConnection1; }
    qint64 ile(const QString& sql, const QVariantList& binds = {}) { return c().scalar(sql, binds).toLongLong(); }

    // A stored VAT invoice numbered `nr` with `lines` lines of net 100, 200, ... at 23 %.
    qint64 zapiszFakture(qint64 nr, int lines)
    {
        Document d;
        d.own = Identity{"FV", "2011", 0};
        d.dataWyst = QDate(2011, 3, 5);
        d.dataSprzedarzy = "marzec";
        d.miejsceWyst = "Kraków";
        d.buyer = Buyer{"K1", "Stary Nabywca", "", false, "", "30-001", "Kraków", "Długa 1"};
        d.formaZaplaty = 1;
        for (int i = 1; i <= lines; ++i) {
            DocumentLine l;
            l.symbol = QString("T%1").arg(i);
            l.nazwa = QString("Towar %1").arg(i);
            l.jm = "opakowanie zb."; // longer than any width a unit was ever given
            l.ilosc = 1;
            l.cena = 100.0 * i;
            l.vatOpis = "23";
            l.vatWart = 23;
            l.netto = Money::fromGrosze(10000 * i);
            l.vat = Money::fromGrosze(2300 * i);
            l.brutto = l.netto + l.vat;
            d.lines.push_back(l);
        }
        DocumentStore store(c());
        const SaveOutcome r = store.saveNew(d, [nr](const QString&) { return std::optional<qint64>(nr); });
        EXPECT_TRUE(r.saved()) << r.error.toStdString();
        return r.id;
    }

    // "Pobierz dokument" of the correction window, choosing the invoice listed under `nr`.
    void pobierz(qint64 nr)
    {
        script.onModal([nr](QDialog* d) {
            EXPECT_EQ(d, Form_Do_Korekty);
            EXPECT_TRUE(DataModule1->ADOTable_Faktura_Korekta->locate(QStringLiteral("Nr_Koncowy"), nr));
            Form_Do_Korekty->panel()->przycisk(QStringLiteral("BitBtn_Wstaw"))->click();
            return int(QDialog::Accepted);
        });
        k->Button1->click();
        EXPECT_EQ(script.pending(), 0);
    }

    // "Koryguj pozcję" on the invoice line at `miejsce`, typing the new quantity and net price.
    void koryguj(int miejsce, const QString& ilosc, const QString& cena)
    {
        ASSERT_TRUE(k->ADOTable_Faktura_Szczegol->locate(QStringLiteral("Lp_Koncowe"), miejsce));
        script.onModal([=](QDialog* d) {
            EXPECT_EQ(d, Form_Korekta_Pozycja);
            EXPECT_EQ(d->focusWidget(), Form_Korekta_Pozycja->LEdit_Ilosc); // what a correction changes
            Form_Korekta_Pozycja->LEdit_Ilosc->setText(ilosc);
            Form_Korekta_Pozycja->LEdit_Cena->setText(cena);
            Form_Korekta_Pozycja->BitBtn_OK->click();
            return d->result();
        });
        k->BitBtn1->click();
        EXPECT_EQ(script.pending(), 0);
    }

    void platnosc(const char* nazwa)
    {
        auto* combo = k->DBLookupComboBox1;
        const int i = combo->findText(QString::fromUtf8(nazwa));
        ASSERT_GE(i, 0);
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }

    // "Zapisz" when the first number of the type is asked for.
    void zapiszPierwsza(QPushButton* zapisz, const QString& nr)
    {
        script.onModal([nr](QDialog* d) {
            EXPECT_EQ(d, Form_Jaki_Nr);
            Form_Jaki_Nr->Edit_Nr->setText(nr);
            return int(QDialog::Accepted);
        });
        zapisz->click();
    }

    // Column `col` of the line rows of each of the three grids.
    std::array<QStringList, 3> kolumnaSiatek(int col)
    {
        const CorrectionRows& p = k->Pozycje();
        std::array<QStringList, 3> out;
        for (int r = 1; r <= p.lineCount(); ++r) {
            out[0] << p.winnoByc().cell(r, col);
            out[1] << p.storno().cell(r, col);
            out[2] << p.kopie().cell(r, col);
        }
        return out;
    }

    QTemporaryDir dir;
    ui::FixedClock zegar{QDate(2011, 4, 1)};
    ui::Script script;
    MessageCapture messages{script};
    QStringList& komunikaty = messages.texts;
    QStringList& inne = messages.others;
    QPointer<TForm_Faktura_Korekta> k;
    QPointer<TForm_Faktura_Nota> n;
    qint64 fakturaA = 0;
    qint64 fakturaB = 0;
};

} // namespace

TEST_F(Korekty, RemovingTheMiddleOfThreeRenumbersAllThreeGridsAndTheSaveFollows)
{
    pobierz(7);
    EXPECT_EQ(k->DBEdit_Id->text().toLongLong(), fakturaA);
    EXPECT_EQ(k->DBEdit_Wyroznik->text(), "FV");
    koryguj(1, "1", "80");
    koryguj(2, "2", "50");
    koryguj(3, "1", "330");
    // A line corrected once is refused the second time, without the dialog.
    ASSERT_TRUE(k->ADOTable_Faktura_Szczegol->locate(QStringLiteral("Lp_Koncowe"), 2));
    k->BitBtn1->click();
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty[0], QString::fromUtf8("Ta pozycja jest już poprawiona !"));
    // (80 - 100) + (100 - 200) + (330 - 300); the rate in use (23 %), not the retired one of its name.
    EXPECT_EQ(k->LEdit_Suma_Netto->text(), "-90,00");
    EXPECT_EQ(k->Pozycje().winnoByc().cell(2, K_Kwota_Vat), "23,00");
    EXPECT_EQ(k->Pozycje().storno().cell(3, P_Netto), "-300");
    EXPECT_EQ(k->Pozycje().kopie().cell(3, P_Netto), "300");

    k->StringGrid1->setRow(2);
    k->BitBtn2->click();
    const auto lp = kolumnaSiatek(0);
    for (const QStringList& g : lp)
        EXPECT_EQ(g, (QStringList{"1", "2"}));
    EXPECT_EQ(kolumnaSiatek(K_Lp_Z_Fakt)[0], (QStringList{"1", "3"}));
    EXPECT_EQ(kolumnaSiatek(P_Symbol)[1], (QStringList{"T1", "T3"}));
    EXPECT_EQ(k->LEdit_Suma_Netto->text(), "10,00");
    EXPECT_EQ(k->LEdit_Suma_Brutto->text(), "12,30");

    // The kind shown at the save counts, wherever the kinds' table stands by then.
    platnosc("Gotówka");
    EXPECT_EQ(k->LEdit_Data_Zap->text(), "2011-04-01");
    k->ADOTable_Forma_Zap->first();
    zapiszPierwsza(k->BitBtn_Zapisz, "5");
    ASSERT_EQ(komunikaty.size(), 1) << komunikaty.join("|").toStdString();
    EXPECT_EQ(k->LEdit_Nr->text(), "5");
    EXPECT_FALSE(k->BitBtn_Zapisz->isEnabled());
    EXPECT_TRUE(k->BitBtn_Drukuj->isEnabled());
    const qint64 id = k->DBEdit_New_Id->text().toLongLong();
    EXPECT_EQ(ile("select Forma_Zaplaty from Faktura where Id=?", {id}),
              ile(QString::fromUtf8("select Id from Forma_Zaplaty where Nazwa='Gotówka'")));
    EXPECT_DOUBLE_EQ(c().scalar("select Wart_Netto from Faktura where Id=?", {id}).toDouble(), 10.0);
    const auto nowe = c().selectRows("select Lp, Lp_Z_Fakt, Lp_Koncowe, Wartosc_Netto, Jm from Faktura_Szczegoly "
                                     "where Id_Fakt=? and Faktura_Typ='KFV' order by Lp",
                                     {id});
    ASSERT_EQ(nowe.size(), 2);
    EXPECT_EQ(nowe[0].value("Jm").toString(), "opakowanie zb."); // the unit of the old line, whole
    EXPECT_EQ(nowe[1].value("Lp").toInt(), 2);
    EXPECT_EQ(nowe[1].value("Lp_Koncowe").toInt(), 3);
    EXPECT_DOUBLE_EQ(nowe[1].value("Wartosc_Netto").toDouble(), 330.0);
    EXPECT_EQ(ile("select count(*) from Faktura_Szczegoly where Id_Fakt=? and Faktura_Typ='KFVb'", {id}), 2);

    // "Drukuj" prints the correction itself, in the invoice's price mode.
    TForm_Drukuj_Fakt drukuj;
    Form_Drukuj_Fakt = &drukuj;
    script.onModal([id](QDialog* d) {
        EXPECT_EQ(d, Form_Drukuj_Fakt);
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Id->text().toLongLong(), id);
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Wyroznik->text(), "KFV");
        EXPECT_EQ(Form_Drukuj_Fakt->Edit_Netto_Brutto->text(), "netto");
        return int(QDialog::Rejected);
    });
    k->BitBtn_Drukuj->click();
    Form_Drukuj_Fakt = nullptr;
    EXPECT_EQ(script.pending(), 0);
}

TEST_F(Korekty, AnotherInvoiceEmptiesTheGridsAndNoInvoiceStopsEverything)
{
    // With no invoice "Koryguj pozcję" opens nothing; with no row "Wstaw" of the picker keeps the window.
    k->BitBtn1->click();
    EXPECT_TRUE(inne.isEmpty());
    pobierz(7);
    koryguj(2, "1", "150");
    pobierz(7); // the same invoice again keeps the corrected line
    EXPECT_EQ(k->Pozycje().lineCount(), 1);
    EXPECT_EQ(k->LEdit_Suma_Netto->text(), "-50,00");
    pobierz(8);
    EXPECT_EQ(k->DBEdit_Id->text().toLongLong(), fakturaB);
    EXPECT_EQ(k->Pozycje().lineCount(), 0);
    EXPECT_EQ(k->Pozycje().storno().rows(), 2);
    EXPECT_EQ(k->LEdit_Suma_Netto->text(), "0,00");
    EXPECT_EQ(k->LEdit_Suma_Brutto->text(), "0,00");

    script.onModal([](QDialog*) {
        Form_Do_Korekty->JvDBLookupCombo_Rok->setKeyValue(QStringLiteral("2010"));
        Form_Do_Korekty->JvDBLookupCombo_RokClick();
        EXPECT_EQ(DataModule1->ADOTable_Faktura_Korekta->recordCount(), 0);
        Form_Do_Korekty->panel()->przycisk(QStringLiteral("BitBtn_Wstaw"))->click();
        return int(QDialog::Accepted);
    });
    k->Button1->click();
    EXPECT_EQ(k->DBEdit_Id->text().toLongLong(), fakturaB);

    // A row that is gone by the time it is located leaves the window without an invoice.
    koryguj(1, "2", "100");
    k->Wstaw_Fakture(Identity{"FV", "2011", 99});
    EXPECT_EQ(k->DBEdit_Wyroznik->text(), "");
    EXPECT_EQ(k->Pozycje().lineCount(), 0);
    platnosc("Przelew");
    k->BitBtn_Zapisz->click();
    EXPECT_EQ(komunikaty.value(0), QString::fromUtf8("Nie wybrano dokumentu do korekty !"));
    EXPECT_EQ(k->focusWidget(), k->Button1);
}

TEST_F(Korekty, AFailedSaveKeepsZapiszAndTheGridsAndARetryWritesOne)
{
    pobierz(7);
    koryguj(1, "1", "80");
    koryguj(3, "1", "250");
    platnosc("Przelew");
    int seen = 0;
    k->Krok_Zapisu = [&](const char* krok) {
        if (std::string(krok) == "detach" && ++seen == 2)
            throw data::Error("awaria dysku");
    };
    zapiszPierwsza(k->BitBtn_Zapisz, "1");
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_TRUE(komunikaty[0].contains("awaria dysku")) << komunikaty[0].toStdString();
    EXPECT_TRUE(k->BitBtn_Zapisz->isEnabled());
    EXPECT_FALSE(k->BitBtn_Drukuj->isEnabled());
    EXPECT_EQ(k->LEdit_Nr->text(), "");
    EXPECT_EQ(k->Pozycje().lineCount(), 2);
    EXPECT_EQ(k->LEdit_Suma_Netto->text(), "-70,00");
    EXPECT_EQ(ile("select count(*) from Faktura where Typ='KFV'"), 0);
    EXPECT_EQ(ile("select count(*) from Faktura_Szczegoly where Czy_Korekta<>0"), 0);

    k->Krok_Zapisu = {};
    zapiszPierwsza(k->BitBtn_Zapisz, "1");
    EXPECT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(ile("select count(*) from Faktura where Typ='KFV'"), 1);
    EXPECT_EQ(ile("select count(*) from Faktura_Szczegoly where Czy_Korekta<>0"), 2);

    // The correction picker then shows the view: the untouched line and the two new ones.
    script.onModal([](QDialog*) {
        data::Table* t = DataModule1->ADOTable_Faktura_Korekta;
        EXPECT_TRUE(t->locate(QStringLiteral("Nr_Koncowy"), 7));
        QStringList typy;
        data::Table* l = DataModule1->ADOTable_Faktura_Szczegol_Korekta;
        for (l->first(); !l->eof(); l->next())
            typy << l->fieldByName("Faktura_Typ").asString() + l->fieldByName("Lp_Koncowe").asString();
        typy.sort();
        EXPECT_EQ(typy, (QStringList{"FV2", "KFV1", "KFV3"}));
        EXPECT_EQ(Form_Do_Korekty->DBGrid2->datasetModel()->rowCount(), 3);
        return int(QDialog::Rejected);
    });
    k->Button1->click();
    // Closing the picker leaves the shared tables closed and the sort back on "Nr".
    EXPECT_FALSE(DataModule1->ADOTable_Faktura_Korekta->isActive());
    EXPECT_EQ(Form_Do_Korekty->JvCBox_Sort->currentText(), "Nr");
}

TEST_F(Korekty, ANoteSavedThroughItsWindowTakesTheInvoiceOverInBothPickers)
{
    // The correction window shows the invoice before the note is taken.
    pobierz(7);
    n = Form_Faktura_Nota = new TForm_Faktura_Nota();
    n->LEdit_Rok->setText("2011");
    n->LEdit_Data_Wyst->setText("2011-05-02");
    n->show();
    script.onModal([](QDialog* d) {
        EXPECT_EQ(d, Form_Do_Noty);
        EXPECT_EQ(Form_Do_Noty->JvDBLookupCombo_Rok->currentText(), "2011");
        EXPECT_TRUE(DataModule1->ADOTable_Faktura_Korekta->locate(QStringLiteral("Nr_Koncowy"), 7));
        Form_Do_Noty->panel()->przycisk(QStringLiteral("BitBtn_Wstaw"))->click();
        return int(QDialog::Accepted);
    });
    n->BitBtn_Pobierz->click();
    EXPECT_EQ(n->DBEdit_Nazwa->text(), "Stary Nabywca");
    EXPECT_EQ(n->DBEdit_Id->text().toLongLong(), fakturaA);

    script.onModal([](QDialog* d) {
        EXPECT_EQ(d, Form_Lista_Klientow_Pob_Nota);
        EXPECT_TRUE(DataModule1->ADOTable_Klienci->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("K7")));
        Form_Lista_Klientow_Pob_Nota->Wstaw();
        return int(QDialog::Accepted);
    });
    n->BitBtn_Pobierz_Klienta->click();
    EXPECT_EQ(n->LEdit_Nazwa->text(), "Nowak Sp. z o.o.");
    EXPECT_TRUE(n->CBox_Czy_Firma->isChecked());
    n->JvMemo1->setText("zmiana nabywcy");
    zapiszPierwsza(n->BitBtn_Zapisz, "3");
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.join("|").toStdString();
    EXPECT_EQ(n->LEdit_Nr->text(), "3");
    EXPECT_FALSE(n->BitBtn_Zapisz->isEnabled());
    EXPECT_TRUE(n->BitBtn_Drukuj->isEnabled());

    const qint64 nota = n->Edit_Id_Noty->text().toLongLong();
    const auto r = c().selectRows("select * from Faktura where Id=?", {nota}).value(0);
    EXPECT_EQ(r.value("Typ").toString(), "NFV");
    EXPECT_EQ(r.value("Typ_Koncowy").toString(), "FV");
    EXPECT_EQ(r.value("Nr_Koncowy").toInt(), 7);
    EXPECT_EQ(r.value("Klient_Nr").toString(), "K7");
    EXPECT_EQ(r.value("Nr_Z_Fakt").toInt(), 7);
    EXPECT_EQ(r.value("Uwagi").toString(), "zmiana nabywcy");
    EXPECT_EQ(
        c().scalar("select Klient_Nazwa_Nazwisko from Faktury_Skorygowane where Id=?", {r.value("Id_Fakt_Skoryg")})
            .toString(),
        "Stary Nabywca");
    EXPECT_EQ(ile("select count(*) from Faktura where Id=? and Typ_Koncowy='' and Nr_Koncowy=0", {fakturaA}), 1);

    // Both pickers list the note in the invoice's place, with its new buyer and the invoice's lines.
    script.onModal([](QDialog*) {
        data::Table* t = DataModule1->ADOTable_Faktura_Korekta;
        EXPECT_EQ(t->recordCount(), 2);
        EXPECT_TRUE(t->locate(QStringLiteral("Nr_Koncowy"), 7));
        EXPECT_EQ(t->fieldByName("Typ").asString(), "NFV");
        EXPECT_EQ(t->fieldByName("Klient_Nazwa_Nazwisko").asString(), "Nowak Sp. z o.o.");
        return int(QDialog::Rejected);
    });
    n->BitBtn_Pobierz->click();
    // The correction twin reads its tables again: the window now stands on the note's row.
    pobierz(7);
    EXPECT_EQ(k->DBEdit_Id->text().toLongLong(), nota);
    EXPECT_EQ(k->DBEdit_Nazwa->text(), "Nowak Sp. z o.o.");
    EXPECT_EQ(k->ADOTable_Faktura_Szczegol->recordCount(), 3);

    // "Nowa" after a save resets without asking.
    n->BitBtn_Nowa->click();
    EXPECT_TRUE(inne.isEmpty());
    EXPECT_EQ(n->DBEdit_Typ->text(), "");
    EXPECT_EQ(n->LEdit_Data_Wyst->text(), "2011-04-01");
}

// As the main window opens them: presets on creation and on a second click, the exit check asks
// about unsaved work, and closing through the frame clears the flag.
TEST_F(Korekty, OpenedAsTheMainWindowOpensThem)
{
    delete k.data();
    MainForm = new TMainForm;
    auto odpowiedz = [this](bool zachowaj) {
        script.onModal([zachowaj](QDialog* d) {
            EXPECT_EQ(d, Dlg_Czy_Nowa_Fakt);
            (zachowaj ? Dlg_Czy_Nowa_Fakt->CancelBtn : Dlg_Czy_Nowa_Fakt->OKBtn)->click();
            return d->result();
        });
    };
    auto korekta = [] {
        return MainForm->Otworz_Okno<TForm_Faktura_Korekta>(
            Form_Faktura_Korekta, MainForm->Czy_Faktura_Korekta, [](TForm_Faktura_Korekta* f) {
                Wpisz_Presety(Daj_Presety("KFV", ui::today()), f->LEdit_Wyroznik, f->LEdit_Rok, f->LEdit_Data_Wyst,
                              static_cast<QLineEdit*>(nullptr));
            });
    };
    auto notaOkno = [] {
        return MainForm->Otworz_Okno<TForm_Faktura_Nota>(
            Form_Faktura_Nota, MainForm->Czy_Faktura_Nota, [](TForm_Faktura_Nota* f) {
                Wpisz_Presety(Daj_Presety("NFV", ui::today()), f->LEdit_Typ, f->LEdit_Rok, f->LEdit_Data_Wyst,
                              static_cast<QLineEdit*>(nullptr));
            });
    };
    k = korekta();
    n = notaOkno();
    EXPECT_TRUE(MainForm->Czy_Faktura_Korekta && MainForm->Czy_Faktura_Nota);
    EXPECT_EQ(k->LEdit_Wyroznik->text() + k->LEdit_Rok->text() + k->LEdit_Data_Wyst->text(), "KFV20112011-04-01");
    EXPECT_EQ(n->LEdit_Typ->text() + n->LEdit_Rok->text() + n->LEdit_Data_Wyst->text(), "NFV20112011-04-01");
    pobierz(7);
    k->LEdit_Data_Wyst->setText("2011-04-09");
    EXPECT_EQ(korekta(), k.data());
    EXPECT_EQ(k->LEdit_Data_Wyst->text(), "2011-04-01");
    EXPECT_EQ(k->DBEdit_Numer->text(), "7");

    // Both are unsaved: the first "Nie" keeps the program running; "Tak" twice lets it close.
    odpowiedz(true);
    EXPECT_FALSE(MainForm->Czy_Mozna_Zamknac());
    odpowiedz(false);
    odpowiedz(false);
    EXPECT_TRUE(MainForm->Czy_Mozna_Zamknac());

    for (QWidget* w : {static_cast<QWidget*>(k.data()), static_cast<QWidget*>(n.data())}) {
        odpowiedz(false);
        closeWindow(w);
    }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(k.isNull() && n.isNull());
    EXPECT_FALSE(MainForm->Czy_Faktura_Korekta || MainForm->Czy_Faktura_Nota);
    EXPECT_EQ(Form_Faktura_Korekta, nullptr);
    EXPECT_EQ(Form_Faktura_Nota, nullptr);
    delete MainForm;
}

// At 1280x688 (a 1280x720 screen less a desktop panel) both windows open within the main window's
// work space with every control in sight: the note, which has no line grid, fitted as a whole;
// the correction whole, unscrolled, each line grid showing three rows. Each opens with the focus
// on a control, and a failed check of the note puts it on the field at fault once the message is
// closed; the invoice picker opens within its screen. On a smaller screen the correction's line
// grids give up rows first, then its controls scroll under its buttons, the scrolled area ending
// where a row of controls ends; "Nowa korekta" brings it back to its top. Where there is room the
// windows keep their designed size.
TEST_F(Korekty, W1280x720PrzyciskiWZasieguIFokusNaPolu)
{
    delete k.data();
    MainForm = new TMainForm;
    MainForm->resize(1280, 688);
    MainForm->show();
    MainForm->activateWindow();
    QApplication::processEvents();
    QWidget* obszar = MainForm->MdiArea->viewport();
    const auto wZasiegu = [obszar](QWidget* w) {
        return obszar->rect().contains(QRect(w->mapTo(obszar, QPoint(0, 0)), w->size()));
    };
    k = MainForm->Otworz_Okno<TForm_Faktura_Korekta>(Form_Faktura_Korekta, MainForm->Czy_Faktura_Korekta);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), k->LEdit_Rok);
    n = MainForm->Otworz_Okno<TForm_Faktura_Nota>(Form_Faktura_Nota, MainForm->Czy_Faktura_Nota);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), n->BitBtn_Pobierz);

    EXPECT_EQ(n->findChild<QScrollArea*>(), nullptr);
    for (QWidget* okno : {static_cast<QWidget*>(n.data()), static_cast<QWidget*>(k.data())})
        for (QWidget* w : okno->findChildren<QWidget*>()) {
            if (w->isVisibleTo(okno) && !w->isWindow() && !qobject_cast<QScrollBar*>(w)
                && !w->objectName().startsWith(QStringLiteral("qt_"))) {
                EXPECT_TRUE(wZasiegu(w)) << okno->objectName().toStdString() << " " << w->objectName().toStdString();
            }
        }

    auto* przewijanie = k->findChild<QScrollArea*>();
    ASSERT_NE(przewijanie, nullptr);
    EXPECT_EQ(przewijanie->verticalScrollBar()->maximum(), 0); // nothing to scroll to
    EXPECT_EQ(przewijanie->horizontalScrollBar()->maximum(), 0);
    for (QWidget* w : {static_cast<QWidget*>(k->DBLookupComboBox1), static_cast<QWidget*>(k->LEdit_Ilosc_Dni),
                       static_cast<QWidget*>(k->LEdit_Data_Zap), static_cast<QWidget*>(k->LEdit_Suma_Netto),
                       static_cast<QWidget*>(k->LEdit_Suma_Brutto), static_cast<QWidget*>(k->BitBtn_Zapisz)})
        EXPECT_TRUE(wZasiegu(w)) << w->objectName().toStdString();
    const auto wierszeSiatek = [&k = k] {
        const int wiersz = k->DBGrid_Faktura_Szcz->verticalHeader()->defaultSectionSize();
        return std::pair(k->DBGrid_Faktura_Szcz->viewport()->height() / wiersz,
                         (k->StringGrid1->viewport()->height() - k->StringGrid1->rowHeight(0))
                             / k->StringGrid1->rowHeight(1));
    };
    EXPECT_GE(wierszeSiatek().first, 3);
    EXPECT_GE(wierszeSiatek().second, 3);

    // A smaller screen: the grids give up rows, then the controls scroll, cut where a row ends.
    for (const int wysokosc : {736, 600, 480}) {
        SCOPED_TRACE(wysokosc);
        delete k.data();
        MainForm->resize(1024, wysokosc);
        QApplication::processEvents();
        k = MainForm->Otworz_Okno<TForm_Faktura_Korekta>(Form_Faktura_Korekta, MainForm->Czy_Faktura_Korekta);
        QApplication::processEvents();
        auto* p = k->findChild<QScrollArea*>();
        ASSERT_NE(p, nullptr);
        EXPECT_TRUE(wZasiegu(k->BitBtn_Zamknij));
        if (wysokosc == 736) { // a 1024x768 screen: whole, as at 1280x720
            EXPECT_EQ(p->verticalScrollBar()->maximum(), 0);
            EXPECT_GE(wierszeSiatek().first, 3);
            EXPECT_GE(wierszeSiatek().second, 3);
            continue;
        }
        EXPECT_LT(k->DBGrid_Faktura_Szcz->height() + k->StringGrid1->height(), 104 + 100);
        const int koniec = p->viewport()->height();
        if (p->verticalScrollBar()->maximum() > 0) {
            EXPECT_EQ(k->DBGrid_Faktura_Szcz->height() + k->StringGrid1->height(), 2 * ui::kLeastGridHeight);
            for (QWidget* w : p->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!w->isHidden()) {
                    EXPECT_FALSE(w->y() < koniec && koniec < w->y() + w->height()) << w->objectName().toStdString();
                }
            }
            p->verticalScrollBar()->setValue(p->verticalScrollBar()->maximum());
            script.onModal([](QDialog* d) { // the empty correction is discarded
                Dlg_Czy_Nowa_Fakt->OKBtn->click();
                return d->result();
            });
            QTest::mouseClick(k->BitBtn_Nowa, Qt::LeftButton);
            EXPECT_EQ(p->verticalScrollBar()->value(), 0);
            EXPECT_TRUE(wZasiegu(k->Button1));
        } else {
            EXPECT_EQ(wysokosc, 600) << "a 480 pixels high work space scrolls";
        }
    }
    delete k.data();
    MainForm->resize(1280, 688);
    QApplication::processEvents();
    k = MainForm->Otworz_Okno<TForm_Faktura_Korekta>(Form_Faktura_Korekta, MainForm->Czy_Faktura_Korekta);
    QApplication::processEvents();

    // The note with an invoice and no buyer's name, saved by a click.
    n->LEdit_Rok->setText("2011");
    n->LEdit_Data_Wyst->setText("2011-05-02");
    script.onModal([](QDialog*) {
        EXPECT_TRUE(DataModule1->ADOTable_Faktura_Korekta->locate(QStringLiteral("Nr_Koncowy"), 7));
        Form_Do_Noty->panel()->przycisk(QStringLiteral("BitBtn_Wstaw"))->click();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(n->BitBtn_Pobierz, Qt::LeftButton);
    QTest::mouseClick(n->BitBtn_Zapisz, Qt::LeftButton);
    QApplication::processEvents();
    MainForm->activateWindow(); // the message closed, its owner is active again
    QApplication::processEvents();
    EXPECT_EQ(komunikaty.value(komunikaty.size() - 1), QStringLiteral("Nie wprowadzono nazwy Klienta !"));
    EXPECT_EQ(QApplication::focusWidget(), n->LEdit_Nazwa);

    Form_Do_Korekty->show();
    QApplication::processEvents();
    const QRect ekran = Form_Do_Korekty->screen()->availableGeometry();
    EXPECT_LE(Form_Do_Korekty->frameGeometry().width(), ekran.width());
    EXPECT_LE(Form_Do_Korekty->frameGeometry().height(), ekran.height());
    ASSERT_TRUE(Form_Do_Korekty->panel()->przycisk(QStringLiteral("BitBtn_Wstaw"))->isVisibleTo(Form_Do_Korekty));
    Form_Do_Korekty->hide();

    // With room enough the designed size stays.
    delete k.data();
    MainForm->resize(1600, 1000);
    QApplication::processEvents();
    delete n.data();
    k = MainForm->Otworz_Okno<TForm_Faktura_Korekta>(Form_Faktura_Korekta, MainForm->Czy_Faktura_Korekta);
    n = MainForm->Otworz_Okno<TForm_Faktura_Nota>(Form_Faktura_Nota, MainForm->Czy_Faktura_Nota);
    const QWidget* przyciski = k->findChild<QWidget*>(QStringLiteral("Form_Faktura_Korekta_Buttons"));
    ASSERT_NE(przyciski, nullptr);
    EXPECT_EQ(k->size(), QSize(680, 542 + przyciski->height()));
    EXPECT_EQ(n->size(), QSize(686, 660));
    delete MainForm;
    MainForm = nullptr;
}
