#include "settings/Form_Ust_Wydruki.h"

#include "platform/registry/Registry.h"
#include "settings/Ustawienia.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\Wydruki\\");
const QString Zly = QStringLiteral("Niepoprawna wartość ! \nIlość musi być liczbą całkowitą");

class UstWydruki : public ::testing::Test {
protected:
    void SetUp() override { okno = new TForm_Ust_Wydruki; }
    void TearDown() override { delete okno; }

    QList<QLineEdit*> pola(TForm_Ust_Wydruki* f)
    {
        return {f->LEdit_FV_O,  f->LEdit_FV_K,  f->LEdit_PFV_O, f->LEdit_PFV_K,
                f->LEdit_KFV_O, f->LEdit_KFV_K, f->LEdit_NFV_O, f->LEdit_NFV_K};
    }

    // Types `wartosci` into the eight fields and presses "Zapisz"; returns the field that has the
    // focus afterwards (null when the dialog has none).
    QWidget* zapisz(const QStringList& wartosci)
    {
        QWidget* fokus = nullptr;
        script.onModal([&](QDialog* d) {
            auto* f = static_cast<TForm_Ust_Wydruki*>(d);
            const auto edits = pola(f);
            for (int i = 0; i < edits.size(); ++i)
                edits[i]->setText(wartosci.value(i));
            f->BitBtn_Zapisz->click();
            EXPECT_TRUE(f->isVisible());
            fokus = f->focusWidget();
            f->BitBtn_Zamknij->click();
            return QDialog::Rejected;
        });
        ui::showModal(okno);
        return fokus;
    }

    QStringList zapisane()
    {
        QStringList out;
        for (const QString& n : TForm_Ust_Wydruki::Nazwy)
            out << registry::read(registry::Root::LocalMachine, Klucz, n);
        return out;
    }

    bool plikIstnieje() { return QFile::exists(registry::storePath()); }

    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty{script};
    TForm_Ust_Wydruki* okno = nullptr;
};

} // namespace

TEST(IloscKopii, EmptyOrWholeNumbersPass)
{
    EXPECT_EQ(Pierwsza_Niepoprawna_Ilosc(QStringList(8, QString())), -1);
    EXPECT_EQ(Pierwsza_Niepoprawna_Ilosc({"1", "0", "-1", "+2", "", "2147483647"}), -1);
    const std::pair<QStringList, int> przypadki[] = {
        {{"1,5"}, 0}, {{"1", "a"}, 1}, {{"", "", "1.5"}, 2}, {{"2", "x", "y"}, 1}, {{"", " 1"}, 1}, {{"2147483648"}, 0},
    };
    for (auto& [wartosci, zly] : przypadki)
        EXPECT_EQ(Pierwsza_Niepoprawna_Ilosc(wartosci), zly) << wartosci.join('|').toStdString();
}

TEST_F(UstWydruki, EmptyFieldsAreStoredAsEightEmptyValues)
{
    zapisz(QStringList(8, QString()));
    EXPECT_EQ(komunikaty.teksty, QStringList{"Dane zostały zapisane"});
    EXPECT_EQ(zapisane(), QStringList(8, QString()));
    QFile plik(registry::storePath());
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString tresc = QString::fromUtf8(plik.readAll());
    for (const QString& n : TForm_Ust_Wydruki::Nazwy)
        EXPECT_TRUE(tresc.contains(n + QLatin1Char('='), Qt::CaseInsensitive)) << n.toStdString();
}

TEST_F(UstWydruki, FirstBadFieldStopsTheSaveWithNothingWritten)
{
    // "2" copies of a pro forma, letters as originals of a note.
    QStringList w(8, QString());
    w[3] = QStringLiteral("2");
    w[6] = QStringLiteral("abc");
    w[7] = QStringLiteral("x");
    QWidget* fokus = zapisz(w);
    EXPECT_EQ(komunikaty.teksty, QStringList{Zly});
    EXPECT_EQ(fokus, okno->LEdit_NFV_O);
    EXPECT_FALSE(plikIstnieje()) << "not even the valid fields are written";

    komunikaty.teksty.clear();
    QStringList ulamek(8, QStringLiteral("1"));
    ulamek[1] = QStringLiteral("1,5");
    EXPECT_EQ(zapisz(ulamek), okno->LEdit_FV_K);
    EXPECT_EQ(komunikaty.teksty, QStringList{Zly});
    EXPECT_FALSE(plikIstnieje());
}

TEST_F(UstWydruki, RoundTripsTheCountsAsTyped)
{
    const QStringList w = {"1", "2", "+1", "0", "-1", "", "3", "10"};
    zapisz(w);
    EXPECT_EQ(komunikaty.teksty, QStringList{"Dane zostały zapisane"});
    EXPECT_EQ(zapisane(), w);

    QStringList pokazane;
    script.onModal([&](QDialog* d) {
        for (QLineEdit* e : pola(static_cast<TForm_Ust_Wydruki*>(d)))
            pokazane << e->text();
        return QDialog::Rejected;
    });
    ui::showModal(okno);
    EXPECT_EQ(pokazane, w);
}

TEST_F(UstWydruki, FailedWriteIsReportedInsteadOfTheConfirmation)
{
    QFile zapora(rejestr.folder() + QStringLiteral("/plik"));
    ASSERT_TRUE(zapora.open(QIODevice::WriteOnly));
    zapora.close();
    registry::setStorePath(rejestr.folder() + QStringLiteral("/plik/rejestr.ini"));
    zapisz(QStringList(8, QStringLiteral("1")));
    EXPECT_EQ(komunikaty.teksty, QStringList{Komunikat_Bledu_Zapisu()});
}
