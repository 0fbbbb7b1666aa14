// The pro forma window and the editing of a stored invoice, driven through the picker and the
// editing window: what is loaded, what the save writes, and what is never mixed or offered.
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/DocumentStore.h"
#include "documents/Form_Do_Poprawy.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/Form_Faktura_Poprawa.h"
#include "documents/Form_Faktura_Proforma.h"
#include "documents/FormControls.h"
#include "documents/LineGridModel.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Jaki_Nr.h"
#include "shell/Form_Komunikat.h"
#include "shell/Rejestr.h"
#include "tests/support/MessageCapture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace documents;

namespace {

Document faktura(const QString& nabywca, PriceMode mode, int linie)
{
    Document d;
    d.own = Identity{"FV", "2011", 0};
    d.dataWyst = QDate(2011, 3, 5);
    d.miejsceWyst = "Kraków";
    d.dataSprzedarzy = "marzec";
    d.buyer.nazwa = nabywca;
    d.buyer.kod = "30-001";
    d.buyer.miasto = "Kraków";
    d.buyer.adres = "Długa 1";
    d.formaZaplaty = 1;
    d.mode = mode;
    for (int i = 1; i <= linie; ++i) {
        DocumentLine l;
        l.nazwa = QString("%1 %2").arg(nabywca).arg(i);
        l.jm = "szt.";
        l.ilosc = i;
        (mode == PriceMode::Netto ? l.cena : l.cenaBrutto) = 10.0 * i;
        l.vatOpis = "23";
        l.vatWart = 23;
        l.netto = Money::fromGrosze(1000 * i);
        l.vat = Money::fromGrosze(230 * i);
        l.brutto = Money::fromGrosze(1230 * i);
        d.wartNetto += l.netto;
        d.wartBrutto += l.brutto;
        d.lines.push_back(l);
    }
    return d;
}

class Poprawa : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry::setStorePath(dir.filePath("rejestr.ini"));
        const QString path = dir.filePath("db.mdb");
        ASSERT_EQ(data::createDatabase(path, QString::fromUtf8(TARNEX_SOURCE_DIR) + "/db/schema.sql"), QString());
        DataModule1 = new TDataModule1(nullptr, path);
        c().exec("insert into Forma_Zaplaty (Id, Nazwa) values (1, 'Przelew')");
        Form_Komunikat = new TForm_Komunikat();
        Dlg_Czy_Nowa_Fakt = new TDlg_Czy_Nowa_Fakt();
        Form_Jaki_Nr = new TForm_Jaki_Nr();
        Form_Do_Poprawy = new TForm_Do_Poprawy();
        Form_Faktura_Poprawa = new TForm_Faktura_Poprawa();
    }
    void TearDown() override
    {
        delete Form_Faktura_Poprawa;
        delete Form_Do_Poprawy;
        for (QWidget* w : std::initializer_list<QWidget*>{Form_Komunikat, Dlg_Czy_Nowa_Fakt, Form_Jaki_Nr})
            delete w;
        Form_Komunikat = nullptr;
        Dlg_Czy_Nowa_Fakt = nullptr;
        Form_Jaki_Nr = nullptr;
        delete DataModule1;
        DataModule1 = nullptr;
        registry::setStorePath(QString());
    }

    data::Connection& c() { return *DataModule1->ADOConnection1; }
    qint64 zapisana(const Document& d)
    {
        return DocumentStore(c()).saveNew(d, [](const QString&) { return 1; }).id;
    }

    // The picker for 2011: the invoices it lists, and "Wstaw" on the row of `id` (0: none).
    QStringList wybierz(qint64 id)
    {
        QStringList lista;
        script.onModal([&](QDialog*) {
            data::Table* t = Form_Do_Poprawy->ADOTable_Faktura_Poprawa;
            for (t->first(); !t->eof(); t->next())
                lista << t->fieldByName("Klient_Nazwa_Nazwisko").asString();
            if (id && t->locate("Faktura.Id", id))
                Form_Do_Poprawy->BitBtn_WstawClick();
            return QDialog::Rejected;
        });
        Form_Do_Poprawy->Otworz(2011);
        return lista;
    }
    void zaplata()
    {
        auto* w = Form_Faktura_Poprawa;
        w->DBLookupComboBox1->setKeyValue("Przelew");
        w->DBLookupComboBox1CloseUp();
    }

    QTemporaryDir dir;
    ui::Script script;
    MessageCapture messages{script, QDialog::Rejected, QDialog::Rejected};
    QStringList& komunikaty = messages.texts;
};

} // namespace

TEST_F(Poprawa, GrossInvoiceLoadsInItsLayoutAndSavesOnlyTheGrossPrice)
{
    const qint64 id = zapisana(faktura("Brutto", PriceMode::Brutto, 3));
    wybierz(id);
    auto* w = Form_Faktura_Poprawa;
    EXPECT_EQ(w->Wczytane_Id(), id);
    EXPECT_EQ(w->Edit_Netto_Brutto->text(), "brutto");
    EXPECT_TRUE(w->Edit_Netto_Brutto->isReadOnly());
    EXPECT_TRUE(w->LEdit_Rok->isReadOnly());
    const LineGridModel& g = w->StringGrid1->lines();
    ASSERT_EQ(g.lineCount(), 3);
    EXPECT_EQ(g.cell(0, Col_Cena), "Cena brutto");
    EXPECT_EQ(g.cell(2, Col_Cena), "20,00");
    EXPECT_EQ(w->LEdit_Suma_Brutto->text(), "73,80");
    EXPECT_TRUE(w->DBLookupComboBox1->currentText().isEmpty()) << "the payment kind is chosen again";

    // Line 2 of 3 removed, then saved.
    w->StringGrid1->lines().removeLine(2);
    w->linesChanged();
    zaplata();
    w->BitBtn_ZapiszClick();
    ASSERT_TRUE(komunikaty.isEmpty()) << komunikaty.join('|').toStdString();
    EXPECT_FALSE(w->BitBtn_Zapisz->isEnabled());
    EXPECT_EQ(c().scalar("select group_concat(Lp) from Faktura_Szczegoly where Id_Fakt=?", {id}).toString(), "1,2");
    EXPECT_EQ(c().scalar("select count(*) from Faktura_Szczegoly where Towary_Cena is not null").toInt(), 0);
    EXPECT_EQ(c().scalar("select Towary_Cena_Brutto from Faktura_Szczegoly where Id_Fakt=? and Lp=2", {id}).toDouble(),
              30.0);
    EXPECT_EQ(c().scalar("select Wart_Brutto from Faktura where Id=?", {id}).toDouble(), 49.2);
}

// An invoice stored with more than the line dialogs take (written by another program) opens with
// its amounts whole and is saved again as it is: the bound holds for what is typed, not for
// what is stored.
TEST_F(Poprawa, InvoiceStoredBeyondTheBoundsOpensAndSaves)
{
    Document d = faktura("Duża", PriceMode::Netto, 1);
    DocumentLine& l = d.lines[0];
    l.ilosc = 20000000;
    l.cena = 100;
    l.netto = Money::fromGrosze(200'000'000'000);
    l.vat = Money::fromGrosze(46'000'000'000);
    l.brutto = Money::fromGrosze(246'000'000'000);
    d.wartNetto = l.netto;
    d.wartBrutto = l.brutto;
    const qint64 id = zapisana(d);
    wybierz(id);
    auto* w = Form_Faktura_Poprawa;
    ASSERT_EQ(w->Wczytane_Id(), id);
    const LineGridModel& g = w->StringGrid1->lines();
    EXPECT_EQ(g.cell(1, Col_Ilosc), "20000000,000");
    EXPECT_EQ(g.cell(1, Col_Netto), "2000000000,00");
    EXPECT_EQ(w->LEdit_Suma_Brutto->text(), "2460000000,00");
    zaplata();
    w->BitBtn_ZapiszClick();
    EXPECT_TRUE(komunikaty.isEmpty()) << komunikaty.join('|').toStdString();
    EXPECT_EQ(c().scalar("select Wart_Brutto from Faktura where Id=?", {id}).toDouble(), 2460000000.0);
}

TEST_F(Poprawa, ASecondInvoiceNeverMixesWithTheFirst)
{
    const qint64 a = zapisana(faktura("Alfa", PriceMode::Netto, 2));
    const qint64 b = zapisana(faktura("Beta", PriceMode::Netto, 1));
    wybierz(a);
    wybierz(b);
    auto* w = Form_Faktura_Poprawa;
    ASSERT_EQ(w->StringGrid1->lines().lineCount(), 1);
    EXPECT_EQ(w->StringGrid1->lines().cell(1, Col_Nazwa), "Beta 1");
    EXPECT_EQ(w->Wczytane_Id(), b);
}

TEST_F(Poprawa, NothingLoadedNothingSavedAndCorrectedInvoicesAreNotOffered)
{
    const qint64 a = zapisana(faktura("Alfa", PriceMode::Netto, 1));
    zapisana(faktura("Beta", PriceMode::Netto, 1));
    c().exec("update Faktura set Czy_Korekta=1 where Id=?", {a});
    EXPECT_EQ(wybierz(0), QStringList{"Beta"});

    // "Wstaw" was never pressed: the save refuses and changes nothing.
    auto* w = Form_Faktura_Poprawa;
    w->LEdit_Data_Wyst->setText("2011-03-05");
    w->LEdit_Rok->setText("2011");
    w->LEdit_Data_Sprzedarzy->setText("marzec");
    w->LEdit_Miejsce_Wyst->setText("Kraków");
    w->LEdit_Nazwa->setText("Ktoś");
    w->LEdit_Kod->setText("30-001");
    w->LEdit_Miasto->setText("Kraków");
    w->LEdit_Adres->setText("Długa 1");
    w->StringGrid1->lines().appendLine(gridCells(faktura("X", PriceMode::Netto, 1).lines[0], PriceMode::Netto));
    w->linesChanged();
    zaplata();
    const QString przed = c().scalar("select group_concat(Klient_Nazwa_Nazwisko) from Faktura").toString();
    w->BitBtn_ZapiszClick();
    ASSERT_EQ(komunikaty.size(), 1) << script.messages().join('|').toStdString();
    EXPECT_TRUE(komunikaty[0].startsWith("Nie udało się zapisać faktury")) << komunikaty[0].toStdString();
    EXPECT_TRUE(w->BitBtn_Zapisz->isEnabled());
    EXPECT_EQ(c().scalar("select group_concat(Klient_Nazwa_Nazwisko) from Faktura").toString(), przed);
}

TEST(Proforma, PostalCodeLimitIsForTypingOnly)
{
    ui::Script script; // no database: the window says so and opens anyway
    TForm_Faktura_Proforma w;
    EXPECT_EQ(w.windowTitle(), "Faktura proforma");
    w.show();
    w.LEdit_Kod->setFocus();
    QTest::keyClicks(w.LEdit_Kod, "12-3456789");
    EXPECT_EQ(w.LEdit_Kod->text(), "12-345");
    // A longer code that the client pick writes stays whole and can still be shortened.
    w.LEdit_Kod->setText("00-950 WAW");
    QTest::keyClick(w.LEdit_Kod, Qt::Key_Backspace);
    EXPECT_EQ(w.LEdit_Kod->text(), "00-950 WA");
    QTest::keyClicks(w.LEdit_Kod, "X");
    EXPECT_EQ(w.LEdit_Kod->text(), "00-950 WA");
}

// Leaving the picker without a choice by Esc or by its title-bar close asks as "Anuluj / Zamknij"
// does: "Nie" keeps the picker open, "Tak" closes it and the editing window it was opened for.
TEST_F(Poprawa, LeavingThePickerByAnyRoadAsksFirst)
{
    QPointer<QWidget> okno = Form_Faktura_Poprawa;
    okno->show();
    QStringList pytania;
    int odpowiedz = TDlg_Czy_Nowa_Fakt::mrNo;
    script.setDefault([&](QDialog* d) {
        pytania << Dlg_Czy_Nowa_Fakt->Label1->text();
        return d == Dlg_Czy_Nowa_Fakt ? odpowiedz : int(QDialog::Rejected);
    });
    const std::function<void()> drogi[] = {
        [] { QTest::keyClick(Form_Do_Poprawy, Qt::Key_Escape); },
        [] { Form_Do_Poprawy->close(); },
    };
    for (const auto& droga : drogi) {
        Form_Do_Poprawy->show();
        pytania.clear();
        droga();
        EXPECT_TRUE(Form_Do_Poprawy->isVisible());
        EXPECT_EQ(pytania, QStringList{"Nie wybrano faktury do poprawy"});
        EXPECT_TRUE(okno && okno->isVisible());
    }
    odpowiedz = TDlg_Czy_Nowa_Fakt::mrYes;
    drogi[0]();
    EXPECT_FALSE(Form_Do_Poprawy->isVisible());
    EXPECT_TRUE(!okno || !okno->isVisible()) << "the editing window closes with the picker";
    EXPECT_EQ(Dlg_Czy_Nowa_Fakt->Label1->text(), QString::fromUtf8("Faktura nie została zapisana !"));
}

// The picker's year combo is wide enough for a whole year, as the picker is laid out when shown.
TEST_F(Poprawa, YearComboShowsTheWholeYear)
{
    Form_Do_Poprawy->show();
    QApplication::processEvents();
    QComboBox* rok = Form_Do_Poprawy->JvDBLookupCombo_Rok;
    QStyleOptionComboBox o;
    o.initFrom(rok);
    const int strzalka = rok->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxArrow, rok).width();
    EXPECT_GE(rok->width() - strzalka, rok->fontMetrics().horizontalAdvance(QStringLiteral("2026")) + 4)
        << rok->width();
    Form_Do_Poprawy->hide();
}

// A screen reader is told that the fields the user cannot change are read-only, not editable:
// the stored invoice's number, year and issue date, and the print dialog's count of originals
// (changed only in the printout settings); it reads their names and texts. The other fields
// stay editable.
TEST_F(Poprawa, ReadOnlyFieldsAreToldReadOnlyOnly)
{
    wybierz(zapisana(faktura("Alfa", PriceMode::Netto, 1)));
    auto* w = Form_Faktura_Poprawa;
    TForm_Drukuj_Fakt drukuj;
    const struct {
        QLineEdit* edit;
        const char* name;
        bool readOnly;
    } fields[] = {
        {w->LEdit_Rok, "Rok", true},
        {w->LEdit_Data_Wyst, "Data wystawienia (rrrr-mm-dd)", true},
        {w->LEdit_Nr, "Nr", true},
        {drukuj.LEdit_Oryginal, "Liczba orginałów:", true},
        {w->LEdit_Miejsce_Wyst, "Miejsce wystawienia", false},
        {drukuj.LEdit_Kopie, "Liczba kopii:", false},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.edit);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(f.name));
        EXPECT_EQ(a->text(QAccessible::Value), f.edit->text());
        EXPECT_EQ(a->role(), QAccessible::EditableText);
        EXPECT_EQ(bool(a->state().readOnly), f.readOnly);
        EXPECT_EQ(bool(a->state().editable), !f.readOnly);
        ASSERT_NE(a->textInterface(), nullptr);
        EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()), f.edit->text());
    }
    EXPECT_EQ(w->LEdit_Rok->text(), "2011");
}
