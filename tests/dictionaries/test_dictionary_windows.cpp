// The dictionary windows driven in-process: what the shapes write, refresh and refuse for each
// dictionary, the picks' targets, and the decided fault cases.
#include "dictionaries/Form_Lista_Klientow.h"
#include "dictionaries/Form_Lista_Klientow_Pob.h"
#include "dictionaries/Form_Lista_Klientow_Pob_Nota.h"
#include "dictionaries/Form_Lista_Rodzajow_Platnosci.h"
#include "dictionaries/Form_Lista_Towarow.h"
#include "dictionaries/Form_Lista_Towarow_Pob.h"
#include "dictionaries/Form_Nowa_Stawka.h"
#include "dictionaries/Form_Nowy_Klient.h"
#include "dictionaries/Form_Nowy_Rodzaj_Platnosci.h"
#include "dictionaries/Form_Nowy_Towar.h"
#include "dictionaries/Form_Popraw_Klient.h"
#include "dictionaries/Form_Popraw_Rodzaj_Platnosci.h"
#include "dictionaries/Form_Popraw_Towar.h"
#include "dictionaries/Form_Stawka_Vat_Popraw.h"
#include "dictionaries/Form_Stawki_VAT.h"
#include "dictionaries/PickTargets.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "support/Keyboard.h"
#include "tests/support/MessageCapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

using namespace dictionaries;

namespace {

template <class T>
void utworz(T*& global)
{
    global = new T(nullptr);
}
template <class T>
void usun(T*& global)
{
    delete global;
    global = nullptr;
}

class Slowniki : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")), QString());
        dm = new TDataModule1(nullptr, path);
        ASSERT_TRUE(c().isConnected());
        c().exec(QStringLiteral("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values "
                                "('23', 23, 1, 0), ('8', 8, 0, 0), ('22', 22, 1, 1), ('7', 7, 0, 1)"));
        c().exec(QStringLiteral("insert into Towary (Symbol, Nazwa, PKWIU, Jm, Vat_Opis, Vat_Wart, Cena_Netto_Sprz, "
                                "Cena_Brutto_Sprz, Cena_Netto_Zak, Arch) values "
                                "('ABC1', 'Śruba', '', 'szt', '23', 23, 12.5, 15.38, 10, 0), "
                                "('STARY', 'Stary towar', '11.1', 'kg', '7', 7, 1, 1.07, 0, 1), "
                                "('O''Neil', 'Kabel', '', 'm', '22', 22, 2, 2.44, 1, 0)"));
        c().exec(QStringLiteral(
            "insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Kod, Miasto, Adres, Tel, "
            "Czy_Firma, Uwagi) values "
            "('K10', 'Kowalski Jan', '1234567890', '00-001', 'Warszawa', 'Długa 1', '22 111', 0, 'stały'), "
            "('B2', 'Abacki Sp. z o.o.', '5260000000', '30-002', 'Kraków', 'Rynek 2', '', 1, '')"));
        for (data::Table* t : {dm->ADOTable_Klienci, dm->ADOTable_Towary, dm->ADOTable_Stawki_Vat})
            t->refresh();
        utworz(Form_Komunikat);
        utworz(Form_Nowa_Stawka);
        utworz(Form_Stawka_Vat_Popraw);
        utworz(Form_Stawki_VAT);
        utworz(Form_Nowy_Towar);
        utworz(Form_Popraw_Towar);
        utworz(Form_Lista_Towarow_Pob);
        utworz(Form_Nowy_Klient);
        utworz(Form_Popraw_Klient);
        utworz(Form_Lista_Klientow_Pob);
        utworz(Form_Lista_Klientow_Pob_Nota);
        utworz(Form_Nowy_Rodzaj_Platnosci);
        utworz(Form_Popraw_Rodzaj_Platnosci);
        utworz(Form_Faktura_Nowa_Pozycja);
    }
    void TearDown() override
    {
        usun(Form_Faktura_Nowa_Pozycja);
        usun(Form_Popraw_Rodzaj_Platnosci);
        usun(Form_Nowy_Rodzaj_Platnosci);
        usun(Form_Lista_Klientow_Pob_Nota);
        usun(Form_Lista_Klientow_Pob);
        usun(Form_Popraw_Klient);
        usun(Form_Nowy_Klient);
        usun(Form_Lista_Towarow_Pob);
        usun(Form_Popraw_Towar);
        usun(Form_Nowy_Towar);
        usun(Form_Stawki_VAT);
        usun(Form_Stawka_Vat_Popraw);
        usun(Form_Nowa_Stawka);
        usun(Form_Komunikat);
        delete dm;
    }

    data::Connection& c() { return *dm->ADOConnection1; }
    int ile(const QString& sql, const QVariantList& b = {}) { return c().scalar(sql, b).toInt(); }
    static QLineEdit* edit(QWidget* w, const char* n) { return w->findChild<QLineEdit*>(QString::fromLatin1(n)); }
    static QCheckBox* check(QWidget* w, const char* n) { return w->findChild<QCheckBox*>(QString::fromLatin1(n)); }
    static QPushButton* button(QWidget* w, const char* n) { return w->findChild<QPushButton*>(QString::fromLatin1(n)); }
    QString ostatni() const { return komunikaty.isEmpty() ? QString() : komunikaty.last(); }

    QTemporaryDir dir;
    TDataModule1* dm = nullptr;
    ui::Script script;
    MessageCapture messages{script, QDialog::Accepted, QDialog::Accepted};
    QStringList& komunikaty = messages.texts;
};

// --- new-record dialogs ---------------------------------------------------------------------

TEST_F(Slowniki, NowaStawkaCzytaTabelePrzyKazdymZapisie)
{
    auto* d = Form_Nowa_Stawka;
    d->show();
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("5"));
    edit(d, "LEdit_Wart")->setText(QStringLiteral("5"));
    EXPECT_TRUE(d->Zapisz());
    EXPECT_TRUE(button(d, "BitBtn_Zapisz")->isEnabled());
    // A second click with the same entry is refused: the name is read again.
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Stawka VAT o takiej nazwie już istnieje"));
    EXPECT_EQ(ile(QStringLiteral("select count(*) from Vat where Nazwa='5'")), 1);
    EXPECT_EQ(dm->ADOTable_Stawki_Vat->recordCount(), 5);

    // The name of an archived rate is free; "2" is free while "23" exists; a second basic rate is not.
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("7"));
    EXPECT_TRUE(d->Zapisz());
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("2"));
    check(d, "CBox_Czy_Podst")->setChecked(true);
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("W bazie znajduje się już jedna stawka podstawowa"));
    EXPECT_EQ(d->focusWidget(), check(d, "CBox_Czy_Podst"));
    // "Nowa" clicked empties the entry and the first key typed goes into the name.
    keyboard::showFocused(*d);
    QTest::mouseClick(button(d, "BitBtn_Nowa"), Qt::LeftButton);
    keyboard::type(*d, QStringLiteral("8"));
    EXPECT_EQ(edit(d, "LEdit_Nazwa")->text(), QStringLiteral("8"));
    d->reject();
    EXPECT_EQ(edit(d, "LEdit_Nazwa")->text(), QString());
    EXPECT_FALSE(check(d, "CBox_Czy_Podst")->isChecked());
}

TEST_F(Slowniki, NowyKlientKluczDokladnyIZapiszRaz)
{
    auto* d = Form_Nowy_Klient;
    d->show();
    // clang-format off
    struct { const char* nr; const char* nip; bool firma; const char* komunikat; const char* pole; } t[] = {
        {"", "", false, "Należy podać numer Klienta", "LEdit_Nr_Klienta"},
        {"k10", "", false, "Klient o numerze: k10 już istnieje", "LEdit_Nr_Klienta"},
        {"K5", "", true, "Jeżeli Klientem jest firma należy podać Jego nr NIP", "LEdit_NIP"},
        {"K5", "1234567890", true, "Klient o numerze NIP: 1234567890 już istnieje", "LEdit_NIP"},
    };
    // clang-format on
    for (const auto& x : t) {
        SCOPED_TRACE(x.nr);
        edit(d, "LEdit_Nr_Klienta")->setText(QString::fromUtf8(x.nr));
        edit(d, "LEdit_NIP")->setText(QString::fromUtf8(x.nip));
        check(d, "CheckBox_Czy")->setChecked(x.firma);
        EXPECT_FALSE(d->Zapisz());
        EXPECT_EQ(ostatni(), QString::fromUtf8(x.komunikat));
        EXPECT_EQ(d->focusWidget(), d->kontrolka(QString::fromLatin1(x.pole)));
    }
    EXPECT_EQ(ile(QStringLiteral("select count(*) from Klienci")), 2);

    // "K1" is free while "K10" exists; the entry stays and "Zapisz" is disabled after the save.
    edit(d, "LEdit_Nr_Klienta")->setText(QStringLiteral("K1"));
    edit(d, "LEdit_NIP")->setText(QStringLiteral("123"));
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("O'Brien"));
    edit(d, "LEdit_Tel")->setText(QString(60, QLatin1Char('9')));
    EXPECT_TRUE(d->Zapisz());
    EXPECT_FALSE(button(d, "BitBtn_Zapisz")->isEnabled());
    EXPECT_EQ(edit(d, "LEdit_Nr_Klienta")->text(), QStringLiteral("K1"));
    EXPECT_EQ(c().scalar(QStringLiteral("select Tel from Klienci where Nr_Klienta='K1'")).toString().size(), 50);
    EXPECT_EQ(c().scalar(QStringLiteral("select Czy_Firma from Klienci where Nr_Klienta='K1'")).toInt(), 1);
    EXPECT_EQ(dm->ADOTable_Klienci->recordCount(), 3);
    button(d, "BitBtn_Nowy")->click();
    EXPECT_TRUE(button(d, "BitBtn_Zapisz")->isEnabled());
    EXPECT_EQ(edit(d, "LEdit_Nr_Klienta")->text(), QString());
    EXPECT_EQ(edit(d, "LEdit_Uwagi")->maxLength(), 255);
}

TEST_F(Slowniki, NowyTowarWidziTowaryZArchiwumINowyZostawiaBruttoIStawke)
{
    // Opened from the pick the shared table is filtered; the symbol check still sees "STARY".
    Form_Lista_Towarow_Pob->show();
    EXPECT_EQ(dm->ADOTable_Towary->recordCount(), 2);
    auto* d = static_cast<TForm_Nowy_Towar*>(Form_Nowy_Towar);
    d->show();
    edit(d, "LEdit_Symbol")->setText(QStringLiteral("stary"));
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("X"));
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Towar / usługa o symbolu stary już istnieje"));

    edit(d, "LEdit_Symbol")->setText(QStringLiteral("ABC")); // ABC1 exists: ABC is free
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Należy podać stawkę VAT"));
    ASSERT_EQ(d->DBCBox_Vat_Nazwa->count(), 2); // archived rates are not offered
    d->DBCBox_Vat_Nazwa->setKeyValue(QStringLiteral("8"));
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(),
              QStringLiteral("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU"));
    edit(d, "LEdit_PKWIU")->setText(QStringLiteral("22.2"));
    edit(d, "LEdit_Cena_Sprz")->setText(QStringLiteral("12,5"));
    edit(d, "LEdit_Cena_Brutto_Sprz")->setText(QStringLiteral("13,50"));
    EXPECT_TRUE(d->Zapisz());
    EXPECT_EQ(c().scalar(QStringLiteral("select Vat_Wart from Towary where Symbol='ABC'")).toDouble(), 8.0);
    EXPECT_EQ(c().scalar(QStringLiteral("select Cena_Netto_Sprz from Towary where Symbol='ABC'")).toDouble(), 12.5);
    EXPECT_EQ(c().scalar(QStringLiteral("select Waluta from Towary where Symbol='ABC'")).toString(),
              QStringLiteral("PLN"));
    EXPECT_EQ(dm->ADOTable_Towary->recordCount(), 3); // shown in the (filtered) pick at once

    button(d, "BitBtn_Nowy")->click();
    EXPECT_EQ(edit(d, "LEdit_Symbol")->text(), QString());
    EXPECT_EQ(edit(d, "LEdit_Cena_Sprz")->text(), QStringLiteral("0,00"));
    EXPECT_EQ(edit(d, "LEdit_Cena_Brutto_Sprz")->text(), QStringLiteral("13,50"));
    EXPECT_EQ(d->DBCBox_Vat_Nazwa->currentText(), QStringLiteral("8"));
    d->reject();
    Form_Lista_Towarow_Pob->reject();
    EXPECT_FALSE(dm->ADOTable_Towary->filtered());
    EXPECT_EQ(dm->ADOTable_Towary->recordCount(), 4);
}

TEST_F(Slowniki, NowyTowarOferujeStawkiTakieJakSaTeraz)
{
    // Rates typed in or retired after start-up (the first run: rates first, then goods) are
    // offered as they are when the dialog is first shown.
    auto* d = static_cast<TForm_Nowy_Towar*>(Form_Nowy_Towar);
    c().exec(QStringLiteral("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values ('5', 5, 0, 0)"));
    c().exec(QStringLiteral("update Vat set Arch=1 where Nazwa='8'"));
    d->show();
    EXPECT_EQ(d->DBCBox_Vat_Nazwa->count(), 2);
    EXPECT_GE(d->DBCBox_Vat_Nazwa->findText(QStringLiteral("5")), 0);
    EXPECT_LT(d->DBCBox_Vat_Nazwa->findText(QStringLiteral("8")), 0);
    d->DBCBox_Vat_Nazwa->setKeyValue(QStringLiteral("5"));
    edit(d, "LEdit_Symbol")->setText(QStringLiteral("NOWY"));
    edit(d, "LEdit_Nazwa")->setText(QStringLiteral("Nowy"));
    edit(d, "LEdit_PKWIU")->setText(QStringLiteral("1.1"));
    EXPECT_TRUE(d->Zapisz());
    EXPECT_EQ(c().scalar(QStringLiteral("select Vat_Wart from Towary where Symbol='NOWY'")).toDouble(), 5.0);
    d->reject();
}

TEST_F(Slowniki, NowyTowarZapisujeZachowanaStawkeZJejWartosciaIFlaga)
{
    // The basic rate "23" is the rate table's first row: choosing it, or keeping it after "Nowy"
    // or a new showing, does not move the table; its percent and flag are saved all the same.
    auto* d = static_cast<TForm_Nowy_Towar*>(Form_Nowy_Towar);
    auto* stawka = d->DBCBox_Vat_Nazwa;
    auto wpisz = [&](const char* symbol, const char* pkwiu) {
        edit(d, "LEdit_Symbol")->setText(QString::fromLatin1(symbol));
        edit(d, "LEdit_Nazwa")->setText(QStringLiteral("Towar ") + QString::fromLatin1(symbol));
        edit(d, "LEdit_PKWIU")->setText(QString::fromLatin1(pkwiu));
    };
    d->show();
    ASSERT_EQ(stawka->itemText(0), QStringLiteral("23"));
    stawka->setCurrentIndex(0);
    emit stawka->activated(0);
    wpisz("P1", "");
    EXPECT_TRUE(d->Zapisz()) << ostatni().toStdString(); // the basic rate needs no PKWiU
    button(d, "BitBtn_Nowy")->click();
    wpisz("P2", "");
    EXPECT_TRUE(d->Zapisz()) << ostatni().toStdString();

    // A reduced rate, kept after "Nowy" and after the dialog was closed and shown again.
    const int osiem = stawka->findText(QStringLiteral("8"));
    stawka->setCurrentIndex(osiem);
    emit stawka->activated(osiem);
    button(d, "BitBtn_Nowy")->click();
    wpisz("P3", "");
    EXPECT_FALSE(d->Zapisz()) << "a reduced rate still needs its PKWiU";
    wpisz("P3", "1.1");
    EXPECT_TRUE(d->Zapisz()) << ostatni().toStdString();
    d->reject();
    d->show();
    EXPECT_EQ(stawka->currentText(), QStringLiteral("8"));
    wpisz("P4", "1.1");
    EXPECT_TRUE(d->Zapisz()) << ostatni().toStdString();
    d->reject();

    const QString zapisane = c().scalar(QStringLiteral("select group_concat(t, ',') from (select Symbol || ' ' || "
                                                       "Vat_Opis || ' ' || cast(Vat_Wart as integer) as t "
                                                       "from Towary where Symbol like 'P_' order by Symbol)"))
                                 .toString();
    EXPECT_EQ(zapisane, QStringLiteral("P1 23 23,P2 23 23,P3 8 8,P4 8 8"));
}

TEST_F(Slowniki, NowyRodzajPlatnosciBezKontroli)
{
    auto* d = Form_Nowy_Rodzaj_Platnosci;
    d->show();
    EXPECT_TRUE(d->Zapisz()); // empty name and description are stored as typed
    EXPECT_FALSE(button(d, "BitBtn_Zapisz")->isEnabled());
    EXPECT_EQ(ile(QStringLiteral("select count(*) from Forma_Zaplaty")), 1);
    EXPECT_TRUE(komunikaty.isEmpty());
}

// --- edit dialogs ---------------------------------------------------------------------------

TEST_F(Slowniki, PoprawStawkeRegulaPodstawowej)
{
    auto* d = Form_Stawka_Vat_Popraw;
    // Taking the archived basic rate "22" out of the archive would give two basic rates.
    ASSERT_TRUE(d->Otworz(QStringLiteral("Nazwa='22' and Arch=true")));
    check(d, "DBCheckBox2")->setChecked(false);
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Może istnieć tylko jedna stawka podstawowa"));
    d->reject();
    EXPECT_EQ(ile(QStringLiteral("select Arch from Vat where Nazwa='22'")), 1);

    // The basic rate itself may change; a percent with a fraction may not.
    ASSERT_TRUE(d->Otworz(QStringLiteral("Nazwa='23' and Arch=false")));
    edit(d, "DBEdit2")->setText(QStringLiteral("7,5"));
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Niepoprawna wartość w polu 'Wartość %'"));
    edit(d, "DBEdit2")->setText(QStringLiteral("24"));
    EXPECT_TRUE(d->Zapisz());
    EXPECT_EQ(ile(QStringLiteral("select Wart from Vat where Nazwa='23'")), 24);
    EXPECT_FALSE(d->isVisible());
}

TEST_F(Slowniki, ListaStawekOtwieraDokladnyWiersz)
{
    dm->ADOTable_Stawki_Vat->locate(QStringLiteral("Nazwa"), QStringLiteral("22"));
    int pokazane = 0;
    script.onModal([&](QDialog* dlg) {
        ++pokazane;
        EXPECT_EQ(dlg, Form_Stawka_Vat_Popraw);
        EXPECT_EQ(edit(dlg, "DBEdit1")->text(), QStringLiteral("22"));
        EXPECT_TRUE(check(dlg, "DBCheckBox2")->isChecked());
        // The close box drops the change.
        edit(dlg, "DBEdit2")->setText(QStringLiteral("99"));
        dlg->close();
        return int(QDialog::Rejected);
    });
    Form_Stawki_VAT->akcje()->Popraw();
    EXPECT_EQ(pokazane, 1);
    EXPECT_EQ(ile(QStringLiteral("select Wart from Vat where Nazwa='22'")), 22);
    EXPECT_FALSE(Form_Stawka_Vat_Popraw->tabela()->isActive());
}

TEST_F(Slowniki, PoprawTowarZApostrofemIWycofanaStawka)
{
    auto* d = static_cast<TForm_Popraw_Towar*>(Form_Popraw_Towar);
    // The symbol O'Neil works; its rate "22" is archived: the combo is empty and the rate stays.
    ASSERT_TRUE(d->Otworz(QStringLiteral("symbol=") + data::quote(QStringLiteral("O'Neil"))));
    EXPECT_EQ(edit(d, "DBEdit_Nazwa")->text(), QStringLiteral("Kabel"));
    EXPECT_EQ(d->DBLookupComboBox_Vat_Nazwa->currentText(), QString());
    edit(d, "DBEdit_Nazwa")->setText(QStringLiteral("Kabel miedziany"));
    EXPECT_TRUE(d->Zapisz()); // "22" was a basic rate: no PKWiU needed
    EXPECT_EQ(c().scalar(QStringLiteral("select Vat_Opis from Towary where Symbol='O''Neil'")).toString(),
              QStringLiteral("22"));
    EXPECT_EQ(c().scalar(QStringLiteral("select Vat_Wart from Towary where Symbol='O''Neil'")).toDouble(), 22.0);
    EXPECT_EQ(c().scalar(QStringLiteral("select Nazwa from Towary where Symbol='O''Neil'")).toString(),
              QStringLiteral("Kabel miedziany"));

    // Choosing a reduced rate asks for the PKWiU; "Anuluj" leaves the goods unchanged.
    ASSERT_TRUE(d->Otworz(QStringLiteral("symbol='ABC1'")));
    EXPECT_EQ(d->DBLookupComboBox_Vat_Nazwa->currentText(), QStringLiteral("23"));
    d->DBLookupComboBox_Vat_Nazwa->setKeyValue(QStringLiteral("8"));
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(),
              QStringLiteral("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać je klasyfikację PKWiU"));
    button(d, "BitBtn_Anuluj")->click();
    EXPECT_EQ(c().scalar(QStringLiteral("select Vat_Opis from Towary where Symbol='ABC1'")).toString(),
              QStringLiteral("23"));

    // Retiring goods keeps the row.
    ASSERT_TRUE(d->Otworz(QStringLiteral("symbol='ABC1'")));
    check(d, "DBCheckBox_Arch")->setChecked(true);
    EXPECT_TRUE(d->Zapisz());
    EXPECT_EQ(ile(QStringLiteral("select Arch from Towary where Symbol='ABC1'")), 1);
}

TEST_F(Slowniki, PoprawKlientaIRodzajPlatnosci)
{
    auto* d = Form_Popraw_Klient;
    ASSERT_TRUE(d->Otworz(QStringLiteral("nr_klienta='B2'")));
    edit(d, "DBEdit_NIP")->setText(QString());
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Jeżeli Klientem jest firma należy podać Jego nr NIP"));
    edit(d, "DBEdit_Nazwa")->setText(QString());
    EXPECT_FALSE(d->Zapisz());
    EXPECT_EQ(ostatni(), QStringLiteral("Należy podać nazwę Klienta !"));
    EXPECT_EQ(edit(d, "DBEdit_Tel")->maxLength(), 50);
    EXPECT_EQ(edit(d, "DBEdit_Uwagi")->maxLength(), 255);
    edit(d, "DBEdit_Nazwa")->setText(QStringLiteral("Abacki S.A."));
    check(d, "DBCBox_Czy_Firma")->setChecked(false);
    EXPECT_TRUE(d->Zapisz());
    EXPECT_EQ(c().scalar(QStringLiteral("select Nazwa_Nazwisko from Klienci where Nr_Klienta='B2'")).toString(),
              QStringLiteral("Abacki S.A."));

    c().exec(QStringLiteral("insert into Forma_Zaplaty (Nazwa, Opis) values ('Gotówka', 'płatne od ręki')"));
    auto* p = Form_Popraw_Rodzaj_Platnosci;
    ASSERT_TRUE(p->Otworz(QStringLiteral("id=1")));
    edit(p, "DBEdit_Nazwa")->setText(QStringLiteral("gotówka"));
    p->reject();
    EXPECT_EQ(c().scalar(QStringLiteral("select Nazwa from Forma_Zaplaty")).toString(), QStringLiteral("Gotówka"));
}

// --- lists ----------------------------------------------------------------------------------

TEST_F(Slowniki, PoprawNaPustejLiscieNicNieRobi)
{
    auto* lista = new TForm_Lista_Rodzajow_Platnosci(nullptr);
    button(lista, "BitBtn_Poraw")->click();
    EXPECT_TRUE(script.unhandled().isEmpty());
    EXPECT_FALSE(Form_Popraw_Rodzaj_Platnosci->tabela()->isActive());
    lista->close();
}

TEST_F(Slowniki, SortowanieIWyszukiwanie)
{
    auto* lista = new TForm_Lista_Klientow(nullptr);
    auto* bar = lista->panel()->pasek();
    bar->CBox_Sortuj->setCurrentIndex(1);
    bar->Sortuj();
    EXPECT_EQ(dm->ADOTable_Klienci->indexFieldNames(), QStringLiteral("Nazwa_Nazwisko"));
    dm->ADOTable_Klienci->first();
    EXPECT_EQ(dm->ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("B2"));

    // clang-format off
    struct { int kolumna; const char* tekst; const char* nr; } t[] = {
        {1, "kow", "K10"}, {0, "b", "B2"}, {2, "526", "B2"}, {1, "KOWALSKI J", "K10"},
    };
    // clang-format on
    for (const auto& x : t) {
        SCOPED_TRACE(x.tekst);
        bar->CBox_Szukaj->setCurrentIndex(x.kolumna);
        bar->Edit_Szukaj->setText(QString::fromUtf8(x.tekst));
        EXPECT_TRUE(bar->Szukaj());
        EXPECT_EQ(dm->ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(),
                  QString::fromLatin1(x.nr));
    }
    bar->Edit_Szukaj->setText(QStringLiteral("zzz"));
    EXPECT_FALSE(bar->Szukaj());
    EXPECT_EQ(ostatni(), QStringLiteral("Nie znaleziono takiego Klienta"));
    EXPECT_EQ(dm->ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K10"));
    lista->close();

    auto* towary = new TForm_Lista_Towarow(nullptr);
    auto* tb = towary->panel()->pasek();
    tb->CBox_Szukaj->setCurrentIndex(1);
    tb->Edit_Szukaj->setText(QStringLiteral("śRU"));
    EXPECT_TRUE(tb->Szukaj());
    tb->Edit_Szukaj->setText(QString());
    EXPECT_FALSE(tb->Szukaj());
    EXPECT_EQ(ostatni(), QStringLiteral("Nie znaleziono takiego towaru / usługi"));
    tb->CBox_Sortuj->setCurrentIndex(3);
    tb->Sortuj();
    EXPECT_EQ(dm->ADOTable_Towary->indexFieldNames(), QStringLiteral("Cena_Netto_Sprz"));
    towary->close();
}

// --- picks ----------------------------------------------------------------------------------

struct OknoDokumentu : QWidget {
    QLineEdit* LEdit_Nazwa = new QLineEdit(this);
    QLineEdit* LEdit_Nazwa_cd = new QLineEdit(this);
    QLineEdit* LEdit_Nr_Klienta = new QLineEdit(this);
    QLineEdit* LEdit_NIP = new QLineEdit(this);
    QLineEdit* LEdit_Kod = new QLineEdit(this);
    QLineEdit* LEdit_Miasto = new QLineEdit(this);
    QLineEdit* LEdit_Adres = new QLineEdit(this);
    QCheckBox* CBox_Czy_Firma = new QCheckBox(this);
};

TEST_F(Slowniki, WyborKlientaWypelniaOknoWywolujace)
{
    OknoDokumentu fv, pfv, nota;
    Ustaw_Blok_Klienta(QStringLiteral("FV"), &fv, blokKlienta(&fv));
    Ustaw_Blok_Klienta(QStringLiteral("PFV"), &pfv, blokKlienta(&pfv));
    Ustaw_Blok_Klienta(QStringLiteral("NFV"), &nota, blokKlienta(&nota));
    fv.LEdit_Nazwa->setText(QStringLiteral("wpisane"));

    dm->ADOTable_Klienci->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("B2"));
    script.onModal([](QDialog* d) {
        static_cast<TForm_Lista_Klientow_Pob*>(d)->Wstaw();
        return int(QDialog::Accepted);
    });
    Pobierz_Klienta(QStringLiteral("PFV"));
    EXPECT_EQ(pfv.LEdit_Nazwa->text(), QStringLiteral("Abacki Sp. z o.o."));
    EXPECT_EQ(pfv.LEdit_Nr_Klienta->text(), QStringLiteral("B2"));
    EXPECT_EQ(pfv.LEdit_Miasto->text(), QStringLiteral("Kraków"));
    EXPECT_TRUE(pfv.CBox_Czy_Firma->isChecked());
    EXPECT_EQ(fv.LEdit_Nazwa->text(), QStringLiteral("wpisane"));

    // The pick puts the clients back in number order when it closes.
    EXPECT_EQ(dm->ADOTable_Klienci->indexFieldNames(), QStringLiteral("Nr_Klienta"));

    // The note's pick always fills the note window; phone and remarks are never copied.
    dm->ADOTable_Klienci->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("K10"));
    Form_Lista_Klientow_Pob_Nota->show();
    Form_Lista_Klientow_Pob_Nota->Wstaw();
    EXPECT_EQ(nota.LEdit_NIP->text(), QStringLiteral("1234567890"));
    EXPECT_EQ(nota.LEdit_Adres->text(), QStringLiteral("Długa 1"));
    EXPECT_FALSE(nota.CBox_Czy_Firma->isChecked());
}

TEST_F(Slowniki, WyborKlientaPoZamknieciuWracaDoKolejnosciNumerow)
{
    c().exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values ('A1', 'Zieliński Adam')"));
    dm->ADOTable_Klienci->refresh();
    auto* pick = Form_Lista_Klientow_Pob;
    auto* bar = pick->panel()->pasek();
    auto pierwszy = [&] {
        dm->ADOTable_Klienci->first();
        return dm->ADOTable_Klienci->fieldByName(QStringLiteral("Nr_Klienta")).asString();
    };
    pick->show();
    bar->CBox_Sortuj->setCurrentIndex(1);
    bar->Sortuj();
    bar->CBox_Szukaj->setCurrentIndex(2);
    bar->Edit_Szukaj->setText(QStringLiteral("526"));
    EXPECT_EQ(pierwszy(), QStringLiteral("B2")) << "sorted by name: Abacki first";
    pick->reject();

    pick->show();
    EXPECT_EQ(bar->CBox_Sortuj->currentIndex(), 0);
    EXPECT_EQ(bar->CBox_Szukaj->currentIndex(), 0);
    EXPECT_TRUE(bar->Edit_Szukaj->text().isEmpty());
    EXPECT_EQ(dm->ADOTable_Klienci->indexFieldNames(), QStringLiteral("Nr_Klienta"));
    EXPECT_EQ(pierwszy(), QStringLiteral("A1")) << "back in number order";
    pick->reject();
}

TEST_F(Slowniki, WstawBezWierszaNieRuszaPol)
{
    OknoDokumentu fv;
    Ustaw_Blok_Klienta(QStringLiteral("FV"), &fv, blokKlienta(&fv));
    fv.LEdit_Nazwa->setText(QStringLiteral("wpisane"));
    dm->ADOTable_Klienci->setFilter(QStringLiteral("Nr_Klienta='brak'"));
    dm->ADOTable_Klienci->setFiltered(true);
    Form_Lista_Klientow_Pob->Ustaw_Typ_Faktury(QStringLiteral("FV"));
    Form_Lista_Klientow_Pob->show();
    Form_Lista_Klientow_Pob->Wstaw();
    EXPECT_EQ(fv.LEdit_Nazwa->text(), QStringLiteral("wpisane"));
    EXPECT_FALSE(Form_Lista_Klientow_Pob->isVisible());
}

TEST_F(Slowniki, WyborTowaruCenaWgTrybuIBezArchiwum)
{
    struct {
        const char* tryb;
        const char* cena;
    } t[] = {{"netto", "12,5"}, {"brutto", "15,38"}};
    for (const auto& x : t) {
        SCOPED_TRACE(x.tryb);
        auto* poz = Form_Faktura_Nowa_Pozycja;
        poz->Ustaw_Netto_Brutto(QString::fromLatin1(x.tryb));
        poz->Otworz_Stawki();
        auto* pick = Form_Lista_Towarow_Pob;
        pick->show();
        EXPECT_EQ(dm->ADOTable_Towary->recordCount(), 2); // "STARY" is archived
        ASSERT_TRUE(dm->ADOTable_Towary->locate(QStringLiteral("Symbol"), QStringLiteral("ABC1")));
        pick->Wstaw();
        EXPECT_EQ(poz->LEdit_Symbol->text(), QStringLiteral("ABC1"));
        EXPECT_EQ(poz->LEdit_Nazwa->text(), QStringLiteral("Śruba"));
        EXPECT_EQ(poz->LEdit_Cena->text(), QString::fromLatin1(x.cena));
        EXPECT_EQ(poz->LEdit_Jm->text(), QStringLiteral("szt"));
        EXPECT_EQ(poz->DBLCBox_Vat->currentText(), QStringLiteral("23"));
        EXPECT_FALSE(dm->ADOTable_Towary->filtered());
        EXPECT_EQ(dm->ADOTable_Towary->recordCount(), 3);
    }
}

// --- layout ----------------------------------------------------------------------------------

int kursor(QLineEdit* e)
{
    e->grab(); // the field scrolls to its cursor when it is painted
    return e->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// Whether `text` is shown whole in `e`: going from its start to its end does not scroll the field.
bool miesciSie(QLineEdit* e, const QString& text)
{
    e->setText(text);
    e->setCursorPosition(0);
    const int poczatek = kursor(e);
    e->setCursorPosition(int(text.size()));
    const int koniec = kursor(e);
    e->setCursorPosition(0);
    const bool bezPrzewijania = kursor(e) == poczatek;
    return bezPrzewijania && koniec - poczatek >= e->fontMetrics().horizontalAdvance(text) - 1;
}

TEST_F(Slowniki, PolaWpisuPokazujaCalyTekstSwojejDlugosci)
{
    // Ordinary text as the users type it (names, streets), cut to each field's limit.
    const QString wzor = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe Hurtownia Budowlana „Bóbr” Sp. z o.o. "
                                        "ul. Krakowska 112, Tarnów ");
    for (QDialog* d :
         std::initializer_list<QDialog*>{Form_Nowy_Klient, Form_Popraw_Klient, Form_Nowy_Towar, Form_Popraw_Towar,
                                         Form_Nowy_Rodzaj_Platnosci, Form_Popraw_Rodzaj_Platnosci, Form_Nowa_Stawka}) {
        d->show();
        QApplication::processEvents();
        for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
            if (!e->isVisible() || e->maxLength() > 255 || qobject_cast<QComboBox*>(e->parentWidget()))
                continue;
            SCOPED_TRACE(qPrintable(d->objectName() + QLatin1Char('.') + e->objectName()));
            const int dlugosc = std::min(e->maxLength(), 75); // longer remarks may scroll
            EXPECT_TRUE(miesciSie(e, wzor.left(dlugosc)));
        }
        d->reject();
    }
    // A short field stays short: the postal code is narrower than the name.
    EXPECT_LT(edit(Form_Nowy_Klient, "LEdit_Kod")->width(), edit(Form_Nowy_Klient, "LEdit_Nazwa")->width());
}

TEST_F(Slowniki, TytulyKolumnCzytelneISzerokosciNieMniejszeNizZaprojektowane)
{
    auto lista = std::make_unique<TForm_Lista_Klientow>(nullptr);
    auto towary = std::make_unique<TForm_Lista_Towarow>(nullptr);
    auto rodzaje = std::make_unique<TForm_Lista_Rodzajow_Platnosci>(nullptr);
    struct {
        ui::DbGrid* siatka;
        int kolumna;
        int szerokosc;
    } projekt[] = {
        {lista->DBGrid1, 1, 300},
        {lista->DBGrid1, 7, 68},
        {Form_Lista_Klientow_Pob->JvDBUltimGrid1, 0, 65},
        {Form_Lista_Klientow_Pob->JvDBUltimGrid1, 8, 65},
        {Form_Lista_Klientow_Pob_Nota->JvDBUltimGrid1, 8, 70},
        {rodzaje->JvDBUltimGrid1, 1, 320},
    };
    for (const auto& x : projekt)
        EXPECT_EQ(x.siatka->columnWidth(x.kolumna),
                  std::max(x.szerokosc, x.siatka->horizontalHeader()->sectionSizeHint(x.kolumna)));
    for (ui::DbGrid* g : {lista->DBGrid1, towary->DBGrid_Lista_Towarow, rodzaje->JvDBUltimGrid1,
                          Form_Lista_Klientow_Pob->JvDBUltimGrid1, Form_Lista_Klientow_Pob_Nota->JvDBUltimGrid1,
                          Form_Lista_Towarow_Pob->DBGrid1, Form_Stawki_VAT->JvDBUltimGrid_Stawki}) {
        QHeaderView* h = g->horizontalHeader();
        for (int i = 0; i < h->count(); ++i) {
            SCOPED_TRACE(
                qPrintable(g->objectName() + QLatin1Char(' ') + g->model()->headerData(i, Qt::Horizontal).toString()));
            EXPECT_GE(g->columnWidth(i), h->sectionSizeHint(i));
        }
    }
    // "Cena sprzedaży (brutto)" no longer fits in the 130 pixels the goods grids started with.
    EXPECT_GT(Form_Lista_Towarow_Pob->DBGrid1->columnWidth(7), 130);
}

TEST_F(Slowniki, ListyOtwierajaSieZeWszystkimiKolumnamiNaIleStarczaMiejsca)
{
    struct Przypadek {
        const char* nazwa;
        std::function<QWidget*()> utworz;
    } t[] = {
        {"rodzaje", [] { return new TForm_Lista_Rodzajow_Platnosci(nullptr); }},
        {"klienci", [] { return new TForm_Lista_Klientow(nullptr); }},
        {"towary", [] { return new TForm_Lista_Towarow(nullptr); }},
    };
    for (const auto& x : t) {
        SCOPED_TRACE(x.nazwa);
        for (QSize obszar : {QSize(1600, 1000), QSize(1000, 560)}) {
            QMdiArea mdi;
            mdi.resize(obszar);
            mdi.show();
            QApplication::processEvents();
            QWidget* okno = x.utworz();
            QMdiSubWindow* ramka = mdi.addSubWindow(okno);
            okno->show();
            QApplication::processEvents();
            auto* g = okno->findChild<ui::DbGrid*>();
            if (obszar.width() >= 1600) {
                EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0) << "every column is in sight";
            }
            // Never larger than the work space it opens in.
            EXPECT_LE(ramka->width(), mdi.viewport()->width());
            EXPECT_LE(ramka->height(), mdi.viewport()->height());
            EXPECT_GE(g->height(), 150) << "rows are in sight";
        }
    }
    // The modal VAT-rate list shows its four columns too.
    Form_Stawki_VAT->show();
    QApplication::processEvents();
    EXPECT_EQ(Form_Stawki_VAT->JvDBUltimGrid_Stawki->horizontalScrollBar()->maximum(), 0);
    Form_Stawki_VAT->reject();
}

} // namespace
