#include "settings/Form_Ust_Prog.h"

#include "platform/registry/Registry.h"
#include "settings/Ustawienia.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Klucz = QStringLiteral("Software\\Orlimek\\Tarnex\\Ustawienia\\");

class UstProg : public ::testing::Test {
protected:
    void SetUp() override { okno = new TForm_Ust_Prog; }
    void TearDown() override { delete okno; }

    void otworz(const std::function<void(TForm_Ust_Prog*)>& gra)
    {
        script.onModal([&](QDialog* d) {
            auto* f = static_cast<TForm_Ust_Prog*>(d);
            gra(f);
            if (f->isVisible())
                f->BitBtn2->click();
            return QDialog::Rejected;
        });
        ui::showModal(okno);
        przetworzZdarzenia();
    }
    QString czytaj(const char* nazwa)
    {
        return registry::read(registry::Root::LocalMachine, Klucz, QString::fromLatin1(nazwa));
    }
    void pisz(const char* nazwa, const QString& w)
    {
        ASSERT_TRUE(registry::write(registry::Root::LocalMachine, Klucz, QString::fromLatin1(nazwa), w));
    }

    RejestrTestowy rejestr;
    ui::Script script;
    Komunikaty komunikaty{script};
    TForm_Ust_Prog* okno = nullptr;
};

} // namespace

TEST_F(UstProg, SavesTheItemIndexAndThePlaceSilently)
{
    pisz("Faktura_od", QStringLiteral("0"));
    otworz([&](TForm_Ust_Prog* f) {
        EXPECT_EQ(f->CBox_Netto_Brutto->currentText(), QStringLiteral("netto"));
        f->CBox_Netto_Brutto->setCurrentIndex(1);
        f->Edit_Miejsce_Wyst->setText(QStringLiteral("Nowy Sącz"));
        f->BitBtn1->click();
        EXPECT_TRUE(f->isVisible());
    });
    EXPECT_EQ(czytaj("Faktura_od"), QStringLiteral("1"));
    EXPECT_EQ(czytaj("Miejsce_Wyst"), QStringLiteral("Nowy Sącz"));
    EXPECT_TRUE(komunikaty.teksty.isEmpty()) << "no message on success";
    EXPECT_TRUE(script.messages().isEmpty());

    otworz([&](TForm_Ust_Prog* f) {
        EXPECT_EQ(f->CBox_Netto_Brutto->currentText(), QStringLiteral("brutto"));
        EXPECT_EQ(f->Edit_Miejsce_Wyst->text(), QStringLiteral("Nowy Sącz"));
        f->CBox_Netto_Brutto->setCurrentIndex(0);
        f->BitBtn2->click(); // "Zamknij" writes nothing
    });
    EXPECT_EQ(czytaj("Faktura_od"), QStringLiteral("1"));
}

TEST_F(UstProg, PriceModeThatIsNoItemStopsTheLoadingWithAMessage)
{
    for (const char* zla : {"", "abc", "2", "-1"}) {
        SCOPED_TRACE(zla);
        pisz("Faktura_od", QString::fromLatin1(zla));
        pisz("Miejsce_Wyst", QStringLiteral("Tarnów"));
        script.clearMessages();
        QString miejsce = QStringLiteral("?");
        otworz([&](TForm_Ust_Prog* f) {
            f->Edit_Miejsce_Wyst->clear();
            miejsce = f->Edit_Miejsce_Wyst->text();
        });
        ASSERT_EQ(script.messages().size(), 1);
        EXPECT_TRUE(script.messages().first().contains(QString::fromLatin1(zla)));
        EXPECT_TRUE(miejsce.isEmpty());
    }
}

TEST_F(UstProg, ShowHandlerLoadsThePlaceAfterAValidMode)
{
    pisz("Faktura_od", QStringLiteral("1"));
    pisz("Miejsce_Wyst", QStringLiteral("Tarnów"));
    QString miejsce;
    otworz([&](TForm_Ust_Prog* f) { miejsce = f->Edit_Miejsce_Wyst->text(); });
    EXPECT_EQ(miejsce, QStringLiteral("Tarnów"));
    EXPECT_TRUE(script.messages().isEmpty());
}

TEST_F(UstProg, FailedWriteIsReported)
{
    QFile zapora(rejestr.folder() + QStringLiteral("/plik"));
    ASSERT_TRUE(zapora.open(QIODevice::WriteOnly));
    zapora.close();
    registry::setStorePath(rejestr.folder() + QStringLiteral("/plik/rejestr.ini"));
    otworz([&](TForm_Ust_Prog* f) { f->BitBtn1->click(); });
    // The file and the cause are named below the message.
    ASSERT_EQ(komunikaty.teksty.size(), 1);
    EXPECT_EQ(komunikaty.teksty.front(),
              Komunikat_Blad_Zapisu
                  + QStringLiteral("\nNie udało się zapisać pliku %1/plik/rejestr.ini: folder %1/plik "
                                   "nie istnieje.")
                        .arg(rejestr.folder()));
}
