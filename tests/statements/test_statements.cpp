// The document lists, the sales statements and the sales report dialogs driven in-process on a
// small database.
#include "statements/Form_Lista_Faktur_W_Okresie.h"
#include "statements/Form_Lista_Faktur_Wg_Roku.h"
#include "statements/Form_Sprzedaz_Wg_Klienta.h"
#include "statements/Form_Sprzedaz_Wg_Towarow.h"
#include "statements/Form_Wydruki_Dla_Klienta.h"
#include "statements/Form_Wydruki_Dla_Towaru.h"
#include "statements/Form_Wydruki_Sprzedaz_Wg_Dokumentow.h"
#include "statements/Form_Wydruki_Wg_Towarow.h"
#include "statements/Form_Wydruki_Wg_Klientow.h"
#include "statements/Nawigacja.h"

#include "corrections/Form_Do_Korekty.h"
#include "corrections/Form_Do_Noty.h"
#include "documents/Form_Do_Poprawy.h"
#include "documents/Form_Drukuj_Duplikat.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/system/Library.h"
#include "platform/codepage/Cp1250.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "shell/MainForm.h"
#include "tests/support/MessageCapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using statements::Typy_Dokumentow;

namespace {

class Zestawienia : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")), QString());
        DataModule1 = dm = new TDataModule1(nullptr, path);
        ASSERT_TRUE(c().isConnected());
        c().exec(QStringLiteral("insert into Forma_Zaplaty (Id, Nazwa) values (1, 'Gotówka')"));
        // One document of each type in 2010 and in 2011; ids 1..8.
        int id = 0;
        for (const char* rok : {"2010", "2011"})
            for (const char* typ : {"FV", "KFV", "PFV", "NFV"}) {
                ++id;
                dokument(id, typ, rok, QStringLiteral("%1-03-%2").arg(QLatin1String(rok)).arg(10 + id));
            }
        // The 2011 invoice (5) had a line of 100,00 net, corrected by the correction (6) to 80,00:
        // the old line stays detached beside its reversal and the new line.
        linia(5, 1, "FV", "T1", 100, true);
        linia(6, 1, "KFVb", "T1", -100, false);
        linia(6, 2, "KFV", "T1", 80, false);
        linia(1, 1, "FV", "T2", 10, false, QStringLiteral("O'Brien"));
        c().exec(QStringLiteral("update Faktura set Czy_Korekta=1 where Id=5"));
        c().exec(QStringLiteral("update Faktura set Czy_Duplikat=1 where Id=1"));
        c().exec(QStringLiteral("update Faktura set Nr_Z_Fakt=1, Rok_Z_Fakt='2011' where Id=8"));
        c().exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP) values "
                                "('K1', 'Zając Jan', '1'), ('O''Brien', 'Abacki', '2'), ('KŁ3', 'Mazur', '3')"));
        c().exec(QStringLiteral("insert into Towary (Symbol, Nazwa, PKWIU, Arch) values "
                                "('T1', 'Śruba', 'B', 0), ('T2', 'Kabel', 'A', 0), ('STARY', 'Stary', 'C', 1)"));
        Form_Komunikat = new TForm_Komunikat(nullptr);
    }
    void TearDown() override
    {
        delete Form_Komunikat;
        Form_Komunikat = nullptr;
        delete dm;
        DataModule1 = nullptr;
        registry::setStorePath(QString());
    }

    data::Connection& c() { return *dm->ADOConnection1; }
    void dokument(int id, const char* typ, const char* rok, const QString& data)
    {
        c().exec(QStringLiteral("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Forma_Zaplaty, Netto_Brutto, "
                                "Klient_Nr) values (?, ?, ?, ?, ?, 1, 'netto', 'K1')"),
                 {id, QLatin1String(typ), QLatin1String(rok), id, data});
    }
    void linia(int fakt, int lp, const char* typ, const char* symbol, double netto, bool korekta,
               const QString& klient = QStringLiteral("K1"))
    {
        c().exec(QStringLiteral("insert into Faktura_Szczegoly (Id_Fakt, Lp, Faktura_Typ, Towary_Symbol, Ilosc, "
                                "Wartosc_Netto, Wartosc_Brutto, Klient_Nr, Faktura_Data_Wyst, Czy_Korekta) "
                                "values (?, ?, ?, ?, 1, ?, ?, ?, '2011-03-15', ?)"),
                 {fakt, lp, QLatin1String(typ), QLatin1String(symbol), netto, netto * 1.23, klient, korekta});
    }
    // (Typ, Rok) of every listed document.
    static QSet<QString> lista(data::Dataset& d)
    {
        QSet<QString> s;
        for (d.first(); !d.eof(); d.next())
            s << d.fieldByName(QStringLiteral("Typ")).asString() + QLatin1Char('/')
                    + d.fieldByName(QStringLiteral("Rok")).asString();
        d.first();
        return s;
    }
    static void zaznacz(statements::Lista_Faktur& l, const Typy_Dokumentow& t)
    {
        l.JvCheckBox_FV->setChecked(t.FV);
        l.JvCheckBox_KFV->setChecked(t.KFV);
        l.JvCheckBox_PFV->setChecked(t.PFV);
        l.JvCheckBox_NFV->setChecked(t.NFV);
    }

    QTemporaryDir dir;
    TDataModule1* dm = nullptr;
    ui::Script script;
    MessageCapture messages{script, QDialog::Rejected, QDialog::Rejected};
    QStringList& komunikaty = messages.texts;
    QStringList& inne = messages.others;
};

} // namespace

// --- document lists ------------------------------------------------------------------------

TEST(FiltrDokumentow, TekstFiltra)
{
    EXPECT_EQ(statements::Filtr_Dokumentow(QStringLiteral("Rok='2011'"), {true, true, false, false}),
              QStringLiteral("Rok='2011' and Typ='FV' or (Rok='2011' and Typ='KFV')"));
    EXPECT_EQ(statements::Filtr_Dokumentow(QStringLiteral("Rok>0"), {false, false, false, true}),
              QStringLiteral("Rok>0 and Typ='NFV'"));
    EXPECT_EQ(statements::Filtr_Dokumentow(QStringLiteral("Rok>0"), {}), QStringLiteral("Rok>0"));
    EXPECT_EQ(statements::Warunek_Roku(QStringLiteral("%")), QStringLiteral("Rok>0"));
    EXPECT_EQ(statements::Warunek_Roku(QStringLiteral("20'11")), QStringLiteral("Rok='20''11'"));
    // The filter's own date form, whatever the desktop shows.
    EXPECT_EQ(statements::Warunek_Okresu(QDate(2011, 3, 1), QDate(2011, 3, 31)),
              QStringLiteral("data_wyst>='2011-03-01' and data_wyst<='2011-03-31'"));
}

TEST_F(Zestawienia, KazdaKombinacjaRokuOkresuITypow)
{
    TForm_Lista_Faktur_Wg_Roku rok;
    TForm_Lista_Faktur_W_Okresie okres;
    EXPECT_EQ(rok.JvDBLookupCombo_Rok->currentText(), QStringLiteral("Wszystkie"));
    EXPECT_EQ(rok.JvDBLookupCombo_Rok->count(), 3);
    okres.JvDateTimePicker_Od->setDate(QDate(2011, 1, 1));
    okres.JvDateTimePicker_Do->setDate(QDate(2011, 3, 15)); // 2011's documents are dated 03-15 .. 03-18
    const char* typy[] = {"FV", "KFV", "PFV", "NFV"};
    for (int maska = 0; maska < 16; ++maska) {
        const Typy_Dokumentow t{bool(maska & 1), bool(maska & 2), bool(maska & 4), bool(maska & 8)};
        // year, all years, period
        for (int wybor = 0; wybor < 3; ++wybor) {
            SCOPED_TRACE(testing::Message() << "types " << maska << " choice " << wybor);
            QSet<QString> oczekiwane;
            for (int i = 0; i < 4; ++i) {
                if (maska != 0 && !(maska & (1 << i)))
                    continue;
                for (const char* r : {"2010", "2011"}) {
                    const bool wRoku = wybor == 1 || QLatin1String(r) == QLatin1String("2011");
                    const bool wOkresie = wybor != 2 || i == 0; // only FV (03-15) falls in the period
                    if (wRoku && wOkresie)
                        oczekiwane << QLatin1String(typy[i]) + QLatin1Char('/') + QLatin1String(r);
                }
            }
            statements::Lista_Faktur& l = wybor == 2 ? static_cast<statements::Lista_Faktur&>(okres) : rok;
            if (wybor == 0)
                rok.JvDBLookupCombo_Rok->setKeyValue(QStringLiteral("2011"));
            else if (wybor == 1)
                rok.JvDBLookupCombo_Rok->setKeyValue(QStringLiteral("%"));
            zaznacz(l, t);
            l.BitBtn_Pokaz->click();
            EXPECT_EQ(lista(*l.ADOTable_Faktura), oczekiwane);
        }
    }
    // The desktop's date format changes what the pickers show, not what the filter compares.
    ASSERT_TRUE(registry::write(registry::Root::CurrentUser, QStringLiteral("Control Panel\\International"),
                                QStringLiteral("sShortDate"), QStringLiteral("dd.MM.yyyy")));
    zaznacz(okres, {});
    okres.BitBtn_Pokaz->click();
    EXPECT_EQ(lista(*okres.ADOTable_Faktura), QSet<QString>{QStringLiteral("FV/2011")});
    // The from date after the to date lists nothing.
    okres.JvDateTimePicker_Od->setDate(QDate(2011, 4, 1));
    okres.BitBtn_Pokaz->click();
    EXPECT_TRUE(okres.ADOTable_Faktura->isEmpty());
}

TEST_F(Zestawienia, NotaIKorektaWLiscie)
{
    TForm_Lista_Faktur_Wg_Roku l;
    zaznacz(l, {});
    l.JvDBLookupCombo_Rok->setKeyValue(QStringLiteral("2011"));
    l.BitBtn_Pokaz->click();
    data::Dataset& d = *l.ADOTable_Faktura;
    // Ordered by type, year and number: FV, KFV, NFV, PFV.
    ASSERT_TRUE(d.locate(QStringLiteral("Typ"), QStringLiteral("NFV")));
    EXPECT_EQ(d.fieldByName(QStringLiteral("Nr")).asString(), QStringLiteral("8"));
    EXPECT_EQ(d.fieldByName(QStringLiteral("Nr_z_Fakt")).asString(), QStringLiteral("1"));
    EXPECT_EQ(d.fieldByName(QStringLiteral("Rok_z_Fakt")).asString(), QStringLiteral("2011"));
    EXPECT_EQ(d.fieldByName(QStringLiteral("Nazwa")).asString(), QStringLiteral("Gotówka"));
    EXPECT_TRUE(l.Szczegoly->isEmpty()) << "a note writes no lines";

    // A correction shows its own reversal and new lines, not the invoice's.
    ASSERT_TRUE(d.locate(QStringLiteral("Typ"), QStringLiteral("KFV")));
    ASSERT_EQ(l.Szczegoly->recordCount(), 2);
    l.Szczegoly->first();
    EXPECT_EQ(l.Szczegoly->fieldByName(QStringLiteral("Faktura_Typ")).asString(), QStringLiteral("KFVb"));
    EXPECT_EQ(l.Szczegoly->fieldByName(QStringLiteral("Wartosc_Netto")).asFloat(), -100);
    l.Szczegoly->next();
    EXPECT_EQ(l.Szczegoly->fieldByName(QStringLiteral("Wartosc_Netto")).asFloat(), 80);
}

TEST_F(Zestawienia, EtykietyIdaZaBiezacymWierszem)
{
    TForm_Lista_Faktur_Wg_Roku l;
    EXPECT_TRUE(l.Label_Korekta->text().isEmpty());
    l.BitBtn_Pokaz->click(); // every year, FV and KFV: FV/2010 (duplicate), FV/2011 (corrected), KFV/2010, KFV/2011
    data::Dataset& d = *l.ADOTable_Faktura;
    const auto etykiety = [&] { return QStringList{l.Label_Korekta->text(), l.Label_Duplikat->text()}; };
    EXPECT_EQ(etykiety(), (QStringList{"", "Wystawiono duplikat"}));
    d.next();
    EXPECT_EQ(d.fieldByName(QStringLiteral("Id")).asInteger(), 5);
    EXPECT_EQ(etykiety(), (QStringList{"Wystawiono korektę", ""}));
    d.next();
    EXPECT_EQ(etykiety(), (QStringList{"", ""}));
    d.first();
    statements::Na_Ostatni_Wiersz(d);
    EXPECT_EQ(d.fieldByName(QStringLiteral("Id")).asInteger(), 6);
    EXPECT_EQ(etykiety(), (QStringList{"", ""}));
}

TEST_F(Zestawienia, DrukujTylkoGdyJestDokument)
{
    Form_Drukuj_Fakt = new TForm_Drukuj_Fakt;
    Form_Drukuj_Duplikat = new TForm_Drukuj_Duplikat;
    {
        TForm_Lista_Faktur_W_Okresie l;
        // Before the first "Pokaż", and on an empty list, nothing opens.
        l.BitBtn_Drukuj->click();
        l.BitBtn_Drukuj_Duplikat->click();
        l.BitBtn_Pokaz->click(); // today: no document
        ASSERT_TRUE(l.ADOTable_Faktura->isEmpty());
        l.BitBtn_Drukuj->click();
        l.BitBtn_Drukuj_Duplikat->click();
        EXPECT_TRUE(inne.isEmpty());

        l.JvDateTimePicker_Od->setDate(QDate(2010, 1, 1));
        l.BitBtn_Pokaz->click();
        ASSERT_TRUE(l.ADOTable_Faktura->locate(QStringLiteral("Id"), 2));
        QStringList dokument;
        script.onModal([&](QDialog*) {
            dokument << Form_Drukuj_Fakt->Edit_Id->text() << Form_Drukuj_Fakt->Edit_Wyroznik->text()
                     << Form_Drukuj_Fakt->Edit_Netto_Brutto->text();
            return int(QDialog::Rejected);
        });
        l.BitBtn_Drukuj->click();
        EXPECT_EQ(dokument, (QStringList{"2", "KFV", "netto"}));
        script.onModal([&](QDialog*) {
            dokument = {Form_Drukuj_Duplikat->Edit_Id->text(), Form_Drukuj_Duplikat->LEdit_Typ->text(),
                        Form_Drukuj_Duplikat->LEdit_Nr->text(), Form_Drukuj_Duplikat->LEdit_Rok->text()};
            return int(QDialog::Rejected);
        });
        l.BitBtn_Drukuj_Duplikat->click();
        EXPECT_EQ(dokument, (QStringList{"2", "KFV", "2", "2010"}));
    }
    delete Form_Drukuj_Duplikat;
    Form_Drukuj_Duplikat = nullptr;
    delete Form_Drukuj_Fakt;
    Form_Drukuj_Fakt = nullptr;
}

// --- sales statements ----------------------------------------------------------------------

TEST_F(Zestawienia, SumyKlientaZKorekta)
{
    TForm_Sprzedaz_Wg_Klienta s;
    // K1 first: 100 (replaced) - 100 (reversal) + 80 (new) = 80.
    EXPECT_EQ(s.ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K1"));
    EXPECT_EQ(s.DBEdit1->text(), QStringLiteral("80,00"));
    EXPECT_EQ(s.ADOTable_Faktura_Szczegol->recordCount(), 3);

    // A client number with an apostrophe is bound, not spliced.
    s.CBox_Szukaj->setCurrentIndex(0);
    s.Edit_Szukaj->setText(QStringLiteral("o'b"));
    s.BitBtn_Szukaj->click();
    EXPECT_EQ(s.DBEdit1->text(), QStringLiteral("10,00"));
    EXPECT_EQ(s.DBEdit2->text(), QStringLiteral("12,30"));

    // A new sort order keeps the client and its sums, also when the client moves far down.
    c().exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 150) "
                            "insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) select printf('N%03d', i), "
                            "printf('B%03d', i) from n"));
    s.ADOTable_Klienci->refresh();
    s.ADOTable_Klienci->first();
    ASSERT_EQ(s.ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K1"));
    s.CBox_Sortuj->setCurrentIndex(1);
    emit s.CBox_Sortuj->activated(1);
    EXPECT_EQ(s.ADOTable_Klienci->indexFieldNames(), QStringLiteral("Nazwa_Nazwisko"));
    EXPECT_EQ(s.ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K1"));
    EXPECT_EQ(s.ADOTable_Klienci->recNo(), 153);
    EXPECT_EQ(s.DBEdit1->text(), QStringLiteral("80,00"));

    // A client without lines: empty lines and sums.
    ASSERT_TRUE(s.ADOTable_Klienci->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("KŁ3")));
    EXPECT_TRUE(s.ADOTable_Faktura_Szczegol->isEmpty());
    EXPECT_TRUE(s.DBEdit1->text().isEmpty());
    EXPECT_TRUE(komunikaty.isEmpty());
    s.Edit_Szukaj->setText(QStringLiteral("X"));
    s.BitBtn_Szukaj->click();
    EXPECT_EQ(komunikaty, QStringList{QStringLiteral("Nie znaleziono takiego Klienta")});
    EXPECT_EQ(s.ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("KŁ3"));
}

TEST_F(Zestawienia, TowaryBezArchiwalnych)
{
    TForm_Sprzedaz_Wg_Towarow s;
    EXPECT_EQ(s.ADOTable_Towary->recordCount(), 2);
    EXPECT_FALSE(s.ADOTable_Towary->locate(QStringLiteral("Symbol"), QStringLiteral("STARY")));
    ASSERT_TRUE(s.ADOTable_Towary->locate(QStringLiteral("Symbol"), QStringLiteral("T1")));
    EXPECT_EQ(s.DBEdit3->text(), QStringLiteral("3,000"));
    EXPECT_EQ(s.DBEdit1->text(), QStringLiteral("80,00"));
    EXPECT_EQ(s.BitBtn_Zamknj->text(), QStringLiteral("Zamknj"));
}

// Sums of stored amounts carry binary noise (10 + 0,1 + 0,2 sums to 10,299999999999999): every
// sum field and every amount column shows two decimals.
TEST_F(Zestawienia, SumyIKwotyZDwomaMiejscami)
{
    linia(1, 2, "FV", "T2", 0.1, false);
    linia(1, 3, "FV", "T2", 0.2, false);
    TForm_Sprzedaz_Wg_Towarow t;
    ASSERT_TRUE(t.ADOTable_Towary->locate(QStringLiteral("Symbol"), QStringLiteral("T2")));
    EXPECT_EQ(t.DBEdit1->text(), QStringLiteral("10,30"));
    EXPECT_EQ(t.DBEdit2->text(), QStringLiteral("12,67"));
    EXPECT_EQ(t.DBEdit3->text(), QStringLiteral("3,000"));
    TForm_Sprzedaz_Wg_Klienta k;
    EXPECT_EQ(k.DBEdit1->text(), QStringLiteral("80,30"));
    TForm_Lista_Faktur_Wg_Roku l;
    zaznacz(l, {});
    l.BitBtn_Pokaz->click();
    ASSERT_TRUE(l.ADOTable_Faktura->locate(QStringLiteral("Id"), 1));
    QApplication::processEvents();
    const auto tekst = [](ui::DbGrid* g, const char* pole) {
        const auto& kolumny = g->datasetModel()->columns();
        for (int i = 0; i < int(kolumny.size()); ++i)
            if (kolumny[size_t(i)].field == QLatin1String(pole))
                return g->model()->index(g->selectedRow(), i).data().toString();
        return QStringLiteral("?");
    };
    EXPECT_EQ(tekst(l.JvDBUltimGrid2, "Wartosc_Netto"), QStringLiteral("10,00"));
    EXPECT_EQ(tekst(l.JvDBUltimGrid2, "Wartosc_Brutto"), QStringLiteral("12,30"));
    EXPECT_EQ(tekst(l.JvDBUltimGrid2, "Lp"), QStringLiteral("1")) << "other numbers as they are";
}


// --- sales report dialogs ------------------------------------------------------------------

namespace {

struct Wywolanie {
    QByteArray od, do_, klucz;
    std::vector<bool> typy;
};
std::vector<Wywolanie>& wywolania()
{
    static std::vector<Wywolanie> w;
    return w;
}
void okres(QApplication*, const char* od, const char* do_) { wywolania().push_back({od, do_, {}, {}}); }
void dokumenty(QApplication*, const char* od, const char* do_, bool fv, bool kfv, bool pfv, bool nfv)
{
    wywolania().push_back({od, do_, {}, {fv, kfv, pfv, nfv}});
}
void dla(QApplication*, const char* od, const char* do_, const char* klucz)
{
    wywolania().push_back({od, do_, klucz, {}});
}

// Hands out the recording entry point of the signature each name has, noting the names asked for.
void podlacz(statements::Wydruk_Sprzedazy& d, QStringList& nazwy)
{
    wywolania().clear();
    d.Znajdz_Raport = [&nazwy](const char* nazwa) -> void* {
        nazwy << QLatin1String(nazwa);
        const QByteArray n(nazwa);
        if (n == "_ShowSprzWgDok")
            return reinterpret_cast<void*>(&dokumenty);
        if (n == "_ShowSprzDlaKlienta" || n == "_ShowSprzDlaTowaru")
            return reinterpret_cast<void*>(&dla);
        return reinterpret_cast<void*>(&okres);
    };
}

} // namespace

TEST_F(Zestawienia, RaportyDostajaSwojeArgumenty)
{
    const ui::FixedClock zegar(QDate(2011, 3, 31));
    QStringList nazwy;

    TForm_Wydruki_Sprzedaz_Wg_Dokumentow dok;
    podlacz(dok, nazwy);
    dok.show();
    dok.JvOdDaty->setDate(QDate(2011, 3, 1));
    dok.CBox_FV->setChecked(false);
    dok.CBox_KFV->setChecked(false);
    dok.CBox_PFV->setChecked(true);
    dok.BitBtn_Wykonaj->click();
    ASSERT_EQ(wywolania().size(), 1u);
    EXPECT_EQ(wywolania()[0].od, QByteArray("2011-03-01"));
    EXPECT_EQ(wywolania()[0].do_, QByteArray("2011-03-31"));
    EXPECT_EQ(wywolania()[0].typy, (std::vector<bool>{false, false, true, false}));
    EXPECT_TRUE(dok.isVisible()) << "the dialog stays for another report";
    dok.close();
    dok.show();
    EXPECT_TRUE(dok.CBox_PFV->isChecked()) << "the boxes keep their state";
    EXPECT_EQ(dok.JvOdDaty->date(), QDate(2011, 3, 31)) << "the dates are today again";

    TForm_Wydruki_Wg_Klientow wg;
    podlacz(wg, nazwy);
    wg.show();
    wg.BitBtn_Wykonaj->click();
    wg.BitBtn_Wykonaj->click();
    ASSERT_EQ(wywolania().size(), 2u);
    EXPECT_EQ(wywolania()[1].od, QByteArray("2011-03-31"));

    // The client of the current row, in Windows-1250; new clients are seen at the next showing.
    TForm_Wydruki_Dla_Klienta kl;
    podlacz(kl, nazwy);
    kl.show();
    EXPECT_EQ(kl.ComboBox_Sortuj->currentIndex(), 0);
    kl.CBox_Szukaj->setCurrentIndex(0);
    kl.Edit_Szukaj->setText(QString::fromUtf8("kł"));
    kl.BitBtn_Szukaj->click();
    kl.BitBtn_Wykonaj->click();
    ASSERT_EQ(wywolania().size(), 1u);
    EXPECT_EQ(wywolania()[0].klucz, text::toCp1250(QString::fromUtf8("KŁ3")));
    kl.close();
    c().exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values ('A0', 'Nowy')"));
    kl.show();
    ASSERT_TRUE(kl.ADOTable_Klienci->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("A0")));
    kl.BitBtn_Wykonaj->click();
    EXPECT_EQ(wywolania()[1].klucz, QByteArray("A0"));

    // Archived goods are not offered.
    TForm_Wydruki_Dla_Towaru tw;
    podlacz(tw, nazwy);
    tw.show();
    EXPECT_EQ(tw.ADOTable_Towary->recordCount(), 2);
    tw.BitBtn_Wykonaj->click();
    EXPECT_EQ(wywolania()[0].klucz, QByteArray("T1"));
    tw.CBox_Szukaj->setCurrentIndex(1);
    tw.Edit_Szukaj->setText(QStringLiteral("kab"));
    tw.BitBtn_Szukaj->click();
    tw.BitBtn_Wykonaj->click();
    EXPECT_EQ(wywolania()[1].klucz, QByteArray("T2"));
    EXPECT_EQ(nazwy,
              (QStringList{"_ShowSprzWgDok", "_ShowSprzWgKlientow", "_ShowSprzWgKlientow", "_ShowSprzDlaKlienta",
                           "_ShowSprzDlaKlienta", "_ShowSprzDlaTowaru", "_ShowSprzDlaTowaru"}));
    EXPECT_TRUE(script.messages().isEmpty());
}

TEST_F(Zestawienia, BrakBibliotekiLubFunkcji)
{
    MainForm = new TMainForm;
    int proby = 0;
    bool jest = false;
    MainForm->Laduj_Biblioteke = [&](const QString& nazwa) -> sys::LibraryHandle {
        ++proby;
        EXPECT_EQ(nazwa, QStringLiteral("Salvista.dll"));
        // A library that loads but has no such entry point.
        return jest ? sys::loadLibrary(QStringLiteral("libm.so.6"))
                    : sys::loadLibrary(QStringLiteral("/brak/Salvista.so"));
    };
    {
        TForm_Wydruki_Wg_Klientow d;
        d.show();
        d.BitBtn_Wykonaj->click();
        d.BitBtn_Wykonaj->click();
        EXPECT_EQ(proby, 2) << "looked for again at the next report";
        ASSERT_EQ(script.messages().size(), 2);
        EXPECT_TRUE(script.lastMessage().contains(QStringLiteral("Salvista.so"))) << script.lastMessage().toStdString();
        EXPECT_TRUE(d.isVisible());

        jest = true;
        d.BitBtn_Wykonaj->click();
        d.BitBtn_Wykonaj->click();
        EXPECT_EQ(proby, 3) << "a loaded library stays";
        EXPECT_TRUE(script.lastMessage().contains(QStringLiteral("_ShowSprzWgKlientow")))
            << script.lastMessage().toStdString();
        EXPECT_TRUE(komunikaty.isEmpty()) << "not the program's message box";
    }
    delete MainForm;
    MainForm = nullptr;
}

// --- in the main window ---------------------------------------------------------------------

TEST_F(Zestawienia, OknaPotomneJednoNaRodzaj)
{
    MainForm = new TMainForm;
    auto sprawdz = [](auto*& okno, bool& flaga) {
        auto* pierwsze = MainForm->Otworz_Okno(okno, flaga);
        EXPECT_TRUE(flaga);
        EXPECT_EQ(MainForm->Otworz_Okno(okno, flaga), pierwsze) << "a second click shows the same window";
        pierwsze->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // it frees itself
        EXPECT_FALSE(flaga);
        EXPECT_EQ(okno, nullptr);
    };
    sprawdz(Form_Lista_Faktur_Wg_Roku, MainForm->Czy_Lista_Faktur_Wg_Roku);
    sprawdz(Form_Lista_Faktur_W_Okresie, MainForm->Czy_Lista_Faktur_W_Okresie);
    sprawdz(Form_Sprzedaz_Wg_Klienta, MainForm->Czy_Sprzedaz_Wg_Klienta);
    sprawdz(Form_Sprzedaz_Wg_Towarow, MainForm->Czy_Sprzedaz_Wg_Towarow);
    delete MainForm;
    MainForm = nullptr;
}

// A date typed whole, or a year alone, takes in the period list and the five report dialogs,
// whatever the cursor's place in the field; anything else leaves the date as it was.
TEST_F(Zestawienia, WpisanaDataLubRokPrzyjete)
{
    const QDate dzis(2026, 12, 9);
    const ui::FixedClock zegar(dzis);
    TForm_Lista_Faktur_W_Okresie okres;
    TForm_Wydruki_Sprzedaz_Wg_Dokumentow dok;
    TForm_Wydruki_Wg_Klientow wk;
    TForm_Wydruki_Dla_Klienta dk;
    TForm_Wydruki_Wg_Towarow wt;
    TForm_Wydruki_Dla_Towaru dt;
    for (QWidget* w : std::initializer_list<QWidget*>{&okres, &dok, &wk, &dk, &wt, &dt})
        w->show();
    const struct {
        const char* wpis;
        QDate data;
    } wpisy[] = {{"2025-04-16", QDate(2025, 4, 16)}, {"2025", QDate(2025, 12, 9)}, {"2025-02-30", dzis}, {"16", dzis}};
    for (QDateEdit* p :
         {okres.JvDateTimePicker_Od, okres.JvDateTimePicker_Do, dok.JvOdDaty, dok.JvDoDaty, wk.Jv_Od_Daty,
          wk.Jv_Do_Daty, dk.Jv_Od_Daty, dk.Jv_Do_Daty, wt.Jv_Od_Daty, wt.Jv_Do_Daty, dt.Jv_Od_Daty, dt.Jv_Do_Daty}) {
        for (const auto& w : wpisy) {
            for (int miejsce : {0, 5, 10}) { // the cursor on the year, the month, after the day
                SCOPED_TRACE((p->window()->objectName() + QLatin1Char('.') + p->objectName() + QLatin1Char(' ')
                              + QLatin1String(w.wpis) + QLatin1Char('@') + QString::number(miejsce))
                                 .toStdString());
                p->setDate(dzis);
                p->findChild<QLineEdit*>()->setCursorPosition(miejsce);
                QTest::keyClicks(p, QLatin1String(w.wpis));
                EXPECT_EQ(p->date(), w.data) << "as soon as typed";
                QTest::keyClick(p, Qt::Key_Return);
                EXPECT_EQ(p->date(), w.data);
                EXPECT_EQ(p->text(), w.data.toString(QStringLiteral("yyyy-MM-dd")));
            }
        }
    }
    // A year alone keeps the day where the new year has it.
    EXPECT_EQ(ui::typedDate(QStringLiteral("2025"), QStringLiteral("yyyy-MM-dd"), QDate(2024, 2, 29)),
              QDate(2025, 2, 28));
    EXPECT_EQ(ui::typedDate(QStringLiteral("16.04.2025"), QStringLiteral("dd.MM.yyyy"), dzis), QDate(2025, 4, 16));
    // What was typed is what the report receives.
    QStringList nazwy;
    podlacz(dok, nazwy);
    QTest::keyClicks(dok.JvOdDaty, QStringLiteral("2011-03-01"));
    dok.BitBtn_Wykonaj->click();
    ASSERT_EQ(wywolania().size(), 1u);
    EXPECT_EQ(wywolania()[0].od, QByteArray("2011-03-01"));
}

// Windows open with the focus on their first input: the period list on its first date (not on a
// type box), a report dialog on its first date at every showing; the list, 644 pixels high,
// fits the work space at 1280x720 with its buttons in reach.
TEST_F(Zestawienia, OknaZaczynajaOdPierwszegoPola)
{
    MainForm = new TMainForm;
    MainForm->resize(1280, 720);
    MainForm->show();
    QApplication::processEvents();
    auto* l = MainForm->Otworz_Okno(Form_Lista_Faktur_W_Okresie, MainForm->Czy_Lista_Faktur_W_Okresie);
    QApplication::processEvents();
    const auto wPolu = [](QWidget* pole) {
        QWidget* f = pole->window()->focusWidget();
        return f == pole || pole->isAncestorOf(f);
    };
    EXPECT_TRUE(wPolu(l->JvDateTimePicker_Od)) << l->focusWidget()->objectName().toStdString();
    QWidget* obszar = MainForm->MdiArea->viewport();
    for (QPushButton* b : l->findChildren<QPushButton*>())
        EXPECT_TRUE(obszar->rect().contains(QRect(b->mapTo(obszar, QPoint(0, 0)), b->size())))
            << b->text().toStdString();

    TForm_Wydruki_Wg_Klientow d;
    for (int i = 0; i < 2; ++i) {
        d.show();
        EXPECT_TRUE(wPolu(d.Jv_Od_Daty));
        d.BitBtn_Zamknij->setFocus();
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible()) << "Esc closes it";
    }
    delete MainForm;
    MainForm = nullptr;
}
// On a 1024x768 screen every sales report dialog and invoice picker opens within it with its
// buttons in sight; the client and goods lists, wider than the screen by their columns, scroll
// sideways instead.
class Ekran1024x768 : public Zestawienia {};

TEST_F(Ekran1024x768, DialogiRaportowMieszczaSieZPrzyciskami)
{
    QScreen* ekran = QGuiApplication::primaryScreen();
    if (ekran->geometry().size() != QSize(1024, 768))
        GTEST_SKIP() << "runs with a 1024x768 offscreen screen (the 1024x768. tests)";
    const QRect wolne = ekran->availableGeometry();
    TForm_Wydruki_Dla_Klienta klient;
    TForm_Wydruki_Dla_Towaru towar;
    TForm_Wydruki_Sprzedaz_Wg_Dokumentow dok;
    TForm_Wydruki_Wg_Klientow klienci;
    TForm_Wydruki_Wg_Towarow towary;
    // The invoice pickers, as wide as their lists' many columns.
    TForm_Do_Poprawy poprawa;
    TForm_Do_Korekty korekta;
    TForm_Do_Noty nota;
    for (QDialog* d :
         std::initializer_list<QDialog*>{&klient, &towar, &dok, &klienci, &towary, &poprawa, &korekta, &nota}) {
        SCOPED_TRACE(d->windowTitle().toStdString());
        d->show();
        QApplication::processEvents();
        EXPECT_TRUE(wolne.contains(d->frameGeometry()))
            << d->frameGeometry().width() << "x" << d->frameGeometry().height();
        for (QPushButton* b : d->findChildren<QPushButton*>()) {
            if (b->isVisibleTo(d)) {
                EXPECT_TRUE(wolne.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size()))) << b->text().toStdString();
                EXPECT_TRUE(d->rect().contains(QRect(b->mapTo(d, QPoint(0, 0)), b->size()))) << b->text().toStdString();
            }
        }
        if (d == &klient || d == &towar) {
            ui::DbGrid* lista = d == &klient ? klient.JvDBUltimGrid1 : towar.JvDBUltimGrid1;
            int kolumny = 0;
            for (int i = 0; i < lista->horizontalHeader()->count(); ++i)
                kolumny += lista->columnWidth(i);
            if (kolumny > lista->viewport()->width()) {
                EXPECT_GT(lista->horizontalScrollBar()->maximum(), 0) << "a wide list scrolls sideways";
            }
            EXPECT_GT(kolumny, 800) << "the client list is wider than most of the screen";
        }
        d->hide();
    }
}
