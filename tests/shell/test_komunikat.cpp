#include "shell/Form_Komunikat.h"

#include "platform/ui/Modal.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QFontMetrics>
#include <QPushButton>

namespace {

struct Widok {
    QString tekst;
    QString tytul;
    QSize rozmiar;
    QSize etykieta;
    QStringList przyciski;
};

Widok pokaz(const QString& tekst)
{
    ui::Script script;
    Widok w;
    script.onModal([&](QDialog* d) {
        auto* box = static_cast<TForm_Komunikat*>(d);
        w.tekst = box->JvLabel1->text();
        w.tytul = box->windowTitle();
        w.rozmiar = box->size();
        w.etykieta = box->JvLabel1->size();
        for (QPushButton* b : box->findChildren<QPushButton*>())
            w.przyciski << b->text();
        box->BitBtn1->click();
        EXPECT_FALSE(box->isVisible()) << "Zamknij closes the box";
        return QDialog::Accepted;
    });
    Pokaz_Komunikat(tekst);
    EXPECT_EQ(script.pending(), 0);
    return w;
}

} // namespace

TEST(Komunikat, ShowsTheTextUnderItsCaptionWithOneButton)
{
    const Widok w = pokaz(QStringLiteral("Dane zostały zapisane"));
    EXPECT_EQ(w.tekst, QStringLiteral("Dane zostały zapisane"));
    EXPECT_EQ(w.tytul, QStringLiteral("!!!"));
    EXPECT_EQ(w.przyciski, QStringList{QStringLiteral("Zamknij")});
    EXPECT_EQ(w.rozmiar, QSize(TForm_Komunikat::Szerokosc, TForm_Komunikat::Wysokosc));
    // The last text stays in the box until the next message.
    EXPECT_EQ(Form_Komunikat->JvLabel1->text(), QStringLiteral("Dane zostały zapisane"));
}

TEST(Komunikat, TwoLineBreaksGiveThreeLines)
{
    const Widok jedna = pokaz(QStringLiteral("Niepoprawna wartość !"));
    const Widok trzy = pokaz(QStringLiteral("Niepoprawny format daty systemowej.\nDrugi wiersz\nTrzeci wiersz"));
    const int wiersz = QFontMetrics(Form_Komunikat->JvLabel1->font()).lineSpacing();
    EXPECT_GE(trzy.etykieta.height(), 3 * wiersz - 2);
    EXPECT_LT(jedna.etykieta.height(), 2 * wiersz);
}

TEST(Komunikat, GrowsForLongAndManyLineMessagesButNeverShrinks)
{
    const Widok dlugi = pokaz(QString(40, QLatin1Char('W')));
    EXPECT_GT(dlugi.rozmiar.width(), TForm_Komunikat::Szerokosc);
    EXPECT_GE(dlugi.rozmiar.width(), 64 + dlugi.etykieta.width());
    EXPECT_EQ(dlugi.rozmiar.height(), TForm_Komunikat::Wysokosc);

    QStringList wiersze;
    for (int i = 0; i < 12; ++i)
        wiersze << QStringLiteral("Wiersz %1").arg(i);
    const Widok wysoki = pokaz(wiersze.join(QLatin1Char('\n')));
    EXPECT_GT(wysoki.rozmiar.height(), TForm_Komunikat::Wysokosc);
    EXPECT_EQ(wysoki.rozmiar.width(), TForm_Komunikat::Szerokosc);
    // The button stays below the text.
    EXPECT_GE(Form_Komunikat->BitBtn1->y(), 32 + wysoki.etykieta.height());

    const Widok krotki = pokaz(QStringLiteral("x"));
    EXPECT_EQ(krotki.rozmiar, QSize(TForm_Komunikat::Szerokosc, TForm_Komunikat::Wysokosc));
}

TEST(Komunikat, TextIsShownAsTyped)
{
    // Texts with markup characters are not interpreted.
    const Widok w = pokaz(QStringLiteral("<b>Kalkulator netto<->brutto</b>"));
    EXPECT_EQ(Form_Komunikat->JvLabel1->textFormat(), Qt::PlainText);
    EXPECT_EQ(w.tekst, QStringLiteral("<b>Kalkulator netto<->brutto</b>"));
}
