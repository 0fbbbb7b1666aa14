#include "settings/Form_Ust_Firma.h"

#include "platform/registry/Registry.h"
#include "settings/Ustawienia.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {

const QString Klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\");

class UstFirma : public ::testing::Test {
protected:
    void SetUp() override { okno = new TForm_Ust_Firma; }
    void TearDown() override { delete okno; }

    // Opens the dialog, lets `gra` play the user, then closes it with "Zamknij".
    void otworz(const std::function<void(TForm_Ust_Firma*)>& gra)
    {
        script.onModal([&](QDialog* d) {
            auto* f = static_cast<TForm_Ust_Firma*>(d);
            gra(f);
            if (f->isVisible())
                f->BitBtn_Zamknij->click();
            return QDialog::Rejected;
        });
        ui::showModal(okno);
    }

    QStringList pola(TForm_Ust_Firma* f)
    {
        return {f->LEdit_Nazwa_L1->text(), f->LEdit_Nazwa_L2->text(), f->LEdit_Kod->text(),
                f->LEdit_Miasto->text(),   f->LEdit_Adres->text(),    f->LEdit_Nip->text(),
                f->LEdit_Konto->text(),    f->LEdit_Tel->text(),      f->LEdit_Logo->text()};
    }

    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty{script};
    TForm_Ust_Firma* okno = nullptr;
};

} // namespace

TEST_F(UstFirma, EmptyStoreGivesEmptyFieldsAndSaveCreatesNineEmptyValues)
{
    otworz([&](TForm_Ust_Firma* f) {
        EXPECT_EQ(pola(f), QStringList(9, QString()));
        f->BitBtn_Zapisz->click();
        EXPECT_TRUE(f->isVisible()) << "the dialog stays open after saving";
    });
    EXPECT_EQ(komunikaty.teksty, QStringList{"Dane zostały zapisane"});
    QFile plik(registry::storePath());
    ASSERT_TRUE(plik.open(QIODevice::ReadOnly));
    const QString tresc = QString::fromUtf8(plik.readAll());
    for (const QString& nazwa : TForm_Ust_Firma::Nazwy)
        EXPECT_TRUE(tresc.contains(nazwa + QLatin1Char('='), Qt::CaseInsensitive)) << nazwa.toStdString();
}

TEST_F(UstFirma, RoundTripsTheNineValuesUncheckedAndUntrimmed)
{
    const QStringList wartosci = {
        "  Orlimek Sp. z o.o. ", "Zakład \"Północ\"", "33-100", "Tarnów", "ul. Krakowska 1/2", "abc", "PL 12 3456",
        "+48 14 000 00 00",      "/home/u/LOGO.JPG"};
    otworz([&](TForm_Ust_Firma* f) {
        const QList<QLineEdit*> edits = {f->LEdit_Nazwa_L1, f->LEdit_Nazwa_L2, f->LEdit_Kod,
                                         f->LEdit_Miasto,   f->LEdit_Adres,    f->LEdit_Nip,
                                         f->LEdit_Konto,    f->LEdit_Tel,      f->LEdit_Logo};
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(wartosci[i]);
        f->BitBtn_Zapisz->click();
    });
    for (int i = 0; i < wartosci.size(); ++i)
        EXPECT_EQ(registry::read(registry::Root::LocalMachine, Klucz, TForm_Ust_Firma::Nazwy[i]), wartosci[i]);

    // Unsaved edits are replaced by the stored values at the next showing.
    otworz([&](TForm_Ust_Firma* f) {
        EXPECT_EQ(pola(f), wartosci);
        f->LEdit_Miasto->setText(QStringLiteral("Kraków"));
        f->BitBtn_Zamknij->click();
    });
    otworz([&](TForm_Ust_Firma* f) { EXPECT_EQ(f->LEdit_Miasto->text(), QStringLiteral("Tarnów")); });
    EXPECT_EQ(komunikaty.teksty, QStringList{"Dane zostały zapisane"});
}

TEST_F(UstFirma, FailedWriteIsReportedInsteadOfTheConfirmation)
{
    // The store's folder is a file: nothing can be written there.
    QFile zapora(rejestr.folder() + QStringLiteral("/plik"));
    ASSERT_TRUE(zapora.open(QIODevice::WriteOnly));
    zapora.close();
    registry::setStorePath(rejestr.folder() + QStringLiteral("/plik/rejestr.ini"));
    otworz([&](TForm_Ust_Firma* f) {
        f->LEdit_Nazwa_L1->setText(QStringLiteral("Firma"));
        f->BitBtn_Zapisz->click();
    });
    EXPECT_EQ(komunikaty.teksty, QStringList{Komunikat_Bledu_Zapisu()});
}

TEST_F(UstFirma, LogoChoiceFillsThePathOnlyWhenAFileIsPicked)
{
    const QString logo = rejestr.folder() + QStringLiteral("/LOGO.JPG");
    QFile plik(logo);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.close();

    otworz([&](TForm_Ust_Firma* f) {
        f->LEdit_Logo->setText(QStringLiteral("stare.bmp"));
        QStringList filtry;
        script.onModal([&](QDialog* d) {
            auto* wybor = qobject_cast<QFileDialog*>(d);
            EXPECT_NE(wybor, nullptr);
            filtry = wybor->nameFilters();
            return QDialog::Rejected;
        });
        f->BitBtn1->click();
        EXPECT_EQ(f->LEdit_Logo->text(), QStringLiteral("stare.bmp")) << "cancel leaves the field";
        EXPECT_EQ(filtry, Filtry_Logo());

        script.onModal([&](QDialog* d) {
            auto* wybor = static_cast<QFileDialog*>(d);
            wybor->setDirectory(rejestr.folder());
            wybor->selectFile(logo);
            return QDialog::Accepted;
        });
        f->BitBtn1->click();
        EXPECT_EQ(f->LEdit_Logo->text(), logo);
    });
    EXPECT_TRUE(komunikaty.inne.isEmpty());
}

TEST(FiltryLogo, ListPicturesWhateverTheCaseOfTheirExtension)
{
    auto pasuje = [](const QString& filtr, const QString& plik) {
        const QString wzorce = filtr.mid(filtr.lastIndexOf(QLatin1Char('(')) + 1).chopped(1);
        for (const QString& w : wzorce.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(w)).match(plik).hasMatch())
                return true;
        return false;
    };
    const QStringList f = Filtry_Logo();
    ASSERT_EQ(f.size(), 4);
    EXPECT_TRUE(f[0].startsWith(QStringLiteral("Wszystkie pliki")));
    for (const char* plik : {"logo.jpg", "LOGO.JPG", "Logo.Jpeg", "x.bmp", "X.BMP"})
        EXPECT_TRUE(pasuje(f[0], QString::fromLatin1(plik))) << plik;
    for (const char* plik : {"logo.png", "logo.jpg.txt", "bmp"})
        EXPECT_FALSE(pasuje(f[0], QString::fromLatin1(plik))) << plik;
    EXPECT_TRUE(pasuje(f[1], QStringLiteral("A.JPG")));
    EXPECT_FALSE(pasuje(f[1], QStringLiteral("a.jpeg")));
    EXPECT_TRUE(pasuje(f[2], QStringLiteral("a.JPEG")));
    EXPECT_TRUE(pasuje(f[3], QStringLiteral("a.Bmp")));
    EXPECT_FALSE(pasuje(f[3], QStringLiteral("a.jpg")));
}
