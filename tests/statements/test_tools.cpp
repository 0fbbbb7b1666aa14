// The NIP check and the price calculator.
#include "statements/Form_Check_NIP.h"
#include "statements/Form_Kalk_Brutto_Netto.h"
#include "documents/FormControls.h"

#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "shell/Form_Komunikat.h"
#include "tests/support/MessageCapture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <QTest>

#include <gtest/gtest.h>

TEST(SprawdzNIP, SumaKontrolnaIZnaki)
{
    // 7·6 + 7·5 + 4·7 + 0 + 0 + 0 + 1·5 + 4·6 + 5·7 = 169, 169 mod 11 = 4.
    EXPECT_TRUE(Sprawdz_NIP(QStringLiteral("7740001454")));
    EXPECT_TRUE(Sprawdz_NIP(QStringLiteral("774-000-14-54")));
    EXPECT_TRUE(Sprawdz_NIP(QStringLiteral("-7-7-4-0-0-0-1-4-5-4")));
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("7740001455")));
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("774 000 14 54"))) << "blanks fail";
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("774/000/14/54")));
    EXPECT_FALSE(Sprawdz_NIP(QString()));
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("774")));
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("77400014540"))) << "an eleventh digit";
    EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("7740001454-"))) << "a dash after the tenth digit";
    // Digits of other scripts are not digits of a tax number.
    EXPECT_FALSE(Sprawdz_NIP(QString::fromUtf8("７７４０００１４５４")));
    EXPECT_FALSE(Sprawdz_NIP(QString::fromUtf8("٧٧٤٠٠٠١٤٥٤")));
    // 1..9 weigh 230, remainder 10: no tenth digit matches.
    for (char d = '0'; d <= '9'; ++d)
        EXPECT_FALSE(Sprawdz_NIP(QStringLiteral("123456789") + QLatin1Char(d))) << d;
}

TEST(SprawdzNIP, OknoPokazujeWynikIZapominaGoPrzyZamknieciu)
{
    TForm_Check_NIP okno;
    okno.show();
    okno.LEdit_NIP->setText(QStringLiteral("774-000-14-54"));
    okno.BitBtn1->click();
    EXPECT_TRUE(okno.Label1->isVisible());
    EXPECT_EQ(okno.Label1->text(), QStringLiteral("Numer NIP jest poprawny"));
    okno.LEdit_NIP->setText(QStringLiteral("774 000 14 54"));
    okno.BitBtn1->click();
    EXPECT_EQ(okno.Label1->text(), QStringLiteral("Numer NIP jest niepoprawny!"));
    QTest::keyClick(okno.LEdit_NIP, Qt::Key_Escape);
    EXPECT_FALSE(okno.isVisible()) << "Esc closes it";
    EXPECT_FALSE(okno.Label1->isVisible());
    EXPECT_TRUE(okno.LEdit_NIP->text().isEmpty());
}

TEST(PrzeliczCene, WynikiIOdmowy)
{
    using R = Rodzaj_Obliczen;
    EXPECT_EQ(Przelicz_Cene(R::Brutto_Netto, QStringLiteral("123"), QStringLiteral("23"), 23).Wynik,
              QStringLiteral("100"));
    EXPECT_EQ(Przelicz_Cene(R::Brutto_Netto, QStringLiteral("100"), QStringLiteral("23"), 23).Wynik,
              QStringLiteral("81,3008130081301"));
    EXPECT_EQ(Przelicz_Cene(R::Netto_Brutto, QStringLiteral("10"), QStringLiteral("23"), 23).Wynik,
              QStringLiteral("12,3"));
    EXPECT_EQ(Przelicz_Cene(R::Brutto_Netto, QStringLiteral("12,5"), QStringLiteral("zw"), 0).Wynik,
              QStringLiteral("12,5"));

    const auto pusta = Przelicz_Cene(R::Brutto_Netto, QString(), QStringLiteral("23"), 23);
    EXPECT_EQ(pusta.Komunikat, QStringLiteral("Nipoprawna wartość"));
    EXPECT_EQ(pusta.Pole_Bledu, 0);
    EXPECT_EQ(Przelicz_Cene(R::Brutto_Netto, QStringLiteral("1"), QString(), 0).Komunikat,
              QStringLiteral("Podaj stawkę VAT"));
    // -100 % would divide by zero.
    const auto minus100 = Przelicz_Cene(R::Brutto_Netto, QStringLiteral("100"), QStringLiteral("-100"), -100);
    EXPECT_FALSE(minus100.ok());
    EXPECT_TRUE(minus100.Wynik.isEmpty());
    EXPECT_EQ(minus100.Pole_Bledu, 1);
    EXPECT_EQ(Przelicz_Cene(R::Netto_Brutto, QStringLiteral("100"), QStringLiteral("-100"), -100).Wynik,
              QStringLiteral("0"));
}

namespace {
class Kalkulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")), QString());
        DataModule1 = dm = new TDataModule1(nullptr, path);
        // An archived rate and its successor share the name "23".
        dm->ADOConnection1->exec(
            QStringLiteral("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values "
                           "('23', 22, 1, 1), ('8', 8, 0, 0), ('23', 23, 1, 0), ('-100', -100, 0, 0)"));
        Form_Komunikat = new TForm_Komunikat(nullptr);
        okno = new TForm_Kalk_Brutto_Netto;
        okno->show();
    }
    void TearDown() override
    {
        delete okno;
        delete Form_Komunikat;
        Form_Komunikat = nullptr;
        delete dm;
        DataModule1 = nullptr;
    }
    void wybierz(int pozycja)
    {
        okno->JvDBLookupCombo1->setCurrentIndex(pozycja);
        emit okno->JvDBLookupCombo1->activated(pozycja);
    }
    QString przelicz(const QString& cena)
    {
        okno->LEdit1->setText(cena);
        okno->BitBtn1->click();
        return okno->LEdit3->text();
    }

    QTemporaryDir dir;
    TDataModule1* dm = nullptr;
    ui::Script script;
    MessageCapture messages{script, QDialog::Accepted, QDialog::Accepted};
    QStringList& komunikaty = messages.texts;
    TForm_Kalk_Brutto_Netto* okno = nullptr;
};
} // namespace

TEST_F(Kalkulator, StawkaOTejSamejNazwieToWybranyWiersz)
{
    ASSERT_EQ(okno->JvDBLookupCombo1->count(), 4) << "archived rates are offered too";
    wybierz(2); // the current "23", not the archived one listed first
    EXPECT_EQ(przelicz(QStringLiteral("123")), QStringLiteral("100"));
    wybierz(0);
    EXPECT_EQ(przelicz(QStringLiteral("122")), QStringLiteral("100"));

    okno->RadioButton_Netto_Brutto->click();
    wybierz(2);
    EXPECT_EQ(przelicz(QStringLiteral("100")), QStringLiteral("123"));
    EXPECT_TRUE(komunikaty.isEmpty());

    // Closing resets the direction and the texts; the rate read again at the next showing stays.
    okno->BitBtn2->click();
    EXPECT_TRUE(okno->RadioButton_Brutto_Netto->isChecked());
    EXPECT_TRUE(okno->LEdit1->text().isEmpty());
    EXPECT_TRUE(okno->LEdit3->text().isEmpty());
    okno->show();
    EXPECT_EQ(przelicz(QStringLiteral("123")), QStringLiteral("100"));
}

TEST_F(Kalkulator, MinusStoProcentOdmowione)
{
    wybierz(3);
    EXPECT_EQ(przelicz(QStringLiteral("100")), QString());
    ASSERT_EQ(komunikaty.size(), 1);
    EXPECT_EQ(komunikaty.last(), QStringLiteral("Nie można wyliczyć ceny netto przy stawce VAT -100 %"));
    EXPECT_EQ(okno->focusWidget(), okno->JvDBLookupCombo1);
}

// The result field's name, as a screen reader says it, follows the caption shown above it
// however the direction changes: a click, a switch without one, the reset on closing. The reader
// is told the field is read-only, not one to type into.
TEST_F(Kalkulator, NazwaWynikuIdzieZaPodpisem)
{
    QAccessibleInterface* wynik = QAccessible::queryAccessibleInterface(okno->LEdit3);
    ASSERT_NE(wynik, nullptr);
    EXPECT_TRUE(wynik->state().readOnly);
    EXPECT_FALSE(wynik->state().editable);
    const auto nazwy = [this, wynik] {
        EXPECT_EQ(wynik->text(QAccessible::Name), okno->LEdit3->accessibleName());
        return std::pair(okno->LEdit3->accessibleName(), documents::captionOf(okno->LEdit3)->text());
    };
    EXPECT_EQ(nazwy(), std::pair(QStringLiteral("Wynik netto"), QStringLiteral("Wynik netto")));
    QRadioButton* netto = okno->RadioButton_Netto_Brutto;
    QTest::mouseClick(netto, Qt::LeftButton, {}, QPoint(8, netto->height() / 2)); // on its circle
    ASSERT_TRUE(netto->isChecked());
    EXPECT_EQ(nazwy(), std::pair(QStringLiteral("Wynik brutto"), QStringLiteral("Wynik brutto")));
    EXPECT_EQ(okno->LEdit1->accessibleName(), QStringLiteral("Netto"));
    okno->RadioButton_Brutto_Netto->setChecked(true); // switched without a click
    EXPECT_EQ(nazwy(), std::pair(QStringLiteral("Wynik netto"), QStringLiteral("Wynik netto")));
    okno->RadioButton_Netto_Brutto->setChecked(true);
    EXPECT_EQ(nazwy(), std::pair(QStringLiteral("Wynik brutto"), QStringLiteral("Wynik brutto")));
    okno->BitBtn2->click();
    EXPECT_EQ(nazwy(), std::pair(QStringLiteral("Wynik netto"), QStringLiteral("Wynik netto")));
    EXPECT_EQ(okno->LEdit1->accessibleName(), QStringLiteral("Brutto"));
}
