#include "shell/Form_Jaki_Nr.h"

#include "platform/ui/Modal.h"
#include "tests/shell/Komunikaty_Testowe.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Blad = QStringLiteral("Numer dokumentu musi być liczbą całkowitą");

class JakiNr : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!Form_Jaki_Nr)
            Form_Jaki_Nr = new TForm_Jaki_Nr;
        Form_Jaki_Nr->Ustaw_Opis(QStringLiteral("Podaj numer dla pierwszej faktury:"));
    }
    static void TearDownTestSuite()
    {
        delete Form_Jaki_Nr;
        Form_Jaki_Nr = nullptr;
    }
    ui::Script script;
    Komunikaty komunikaty{script};
};

struct Przypadek {
    const char* wpisane;
    bool przyjete;
};

} // namespace

TEST_F(JakiNr, AcceptsOnlyWholeNumbersInTheIntegerRange)
{
    const Przypadek przypadki[] = {
        {"7", true},           {"0", true},    {"-5", true},    {"+12", true},         {"2147483647", true},
        {"-2147483648", true}, {"abc", false}, {"", false},     {"2147483648", false}, {"1,5", false},
        {"12a", false},        {" 5", false},  {"0x10", false}, {"-", false},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.wpisane);
        komunikaty.teksty.clear();
        bool otwarte_po_ok = false;
        script.onModal([&](QDialog* d) {
            auto* f = static_cast<TForm_Jaki_Nr*>(d);
            f->Edit_Nr->setText(QString::fromUtf8(p.wpisane));
            f->BitBtn1->click();
            otwarte_po_ok = f->isVisible();
            if (otwarte_po_ok) {
                EXPECT_EQ(f->focusWidget(), f->Edit_Nr);
            }
            return QDialog::Rejected; // the user gives up when the number was refused
        });
        const int wynik = ui::showModal(Form_Jaki_Nr);
        EXPECT_EQ(wynik, p.przyjete ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(otwarte_po_ok, !p.przyjete);
        EXPECT_EQ(komunikaty.teksty, p.przyjete ? QStringList{} : QStringList{Blad});
        if (p.przyjete) {
            EXPECT_EQ(Form_Jaki_Nr->Edit_Nr->text(), QString::fromUtf8(p.wpisane));
        }
    }
}

TEST_F(JakiNr, RefusedNumberCanBeCorrectedWithoutClosing)
{
    script.onModal([&](QDialog* d) {
        auto* f = static_cast<TForm_Jaki_Nr*>(d);
        f->Edit_Nr->setText(QStringLiteral("abc"));
        f->BitBtn1->click();
        EXPECT_TRUE(f->isVisible());
        f->Edit_Nr->setText(QStringLiteral("7"));
        f->BitBtn1->click();
        EXPECT_FALSE(f->isVisible());
        return QDialog::Rejected; // ignored: the dialog already ended
    });
    EXPECT_EQ(ui::showModal(Form_Jaki_Nr), QDialog::Accepted);
    EXPECT_EQ(Form_Jaki_Nr->Edit_Nr->text(), QStringLiteral("7"));
    EXPECT_EQ(komunikaty.teksty, QStringList{Blad});
}

TEST_F(JakiNr, ShowsOneAgainAtEachShowingAndKeepsTheQuestion)
{
    QString przy_pierwszym, przy_drugim, pytanie;
    script.onModal([&](QDialog* d) {
        auto* f = static_cast<TForm_Jaki_Nr*>(d);
        przy_pierwszym = f->Edit_Nr->text();
        pytanie = f->Label1->text();
        f->Edit_Nr->setText(QStringLiteral("25"));
        f->BitBtn1->click();
        return QDialog::Accepted;
    });
    script.onModal([&](QDialog* d) {
        przy_drugim = static_cast<TForm_Jaki_Nr*>(d)->Edit_Nr->text();
        return QDialog::Rejected;
    });
    ui::showModal(Form_Jaki_Nr);
    ui::showModal(Form_Jaki_Nr);
    EXPECT_EQ(przy_pierwszym, QStringLiteral("1"));
    EXPECT_EQ(przy_drugim, QStringLiteral("1"));
    EXPECT_EQ(pytanie, QStringLiteral("Podaj numer dla pierwszej faktury:"));
    EXPECT_EQ(Form_Jaki_Nr->windowTitle(), QStringLiteral("Numer pierwszego dokumentu..."));
}

TEST_F(JakiNr, EnterGoesThroughTheCheckOfOk)
{
    auto enter = [](QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    };
    script.onModal([&](QDialog* d) {
        auto* f = static_cast<TForm_Jaki_Nr*>(d);
        f->Edit_Nr->setText(QStringLiteral("x1"));
        enter(f->Edit_Nr);
        EXPECT_TRUE(f->isVisible()) << "a refused number keeps the prompt open";
        f->Edit_Nr->setText(QStringLiteral("3"));
        enter(f->Edit_Nr);
        EXPECT_FALSE(f->isVisible());
        return QDialog::Rejected;
    });
    EXPECT_EQ(ui::showModal(Form_Jaki_Nr), QDialog::Accepted);
    EXPECT_EQ(komunikaty.teksty, QStringList{Blad});
}

TEST_F(JakiNr, TitleBarCloseAndEscapeAreCancel)
{
    script.onModal([](QDialog* d) {
        static_cast<TForm_Jaki_Nr*>(d)->Edit_Nr->setText(QStringLiteral("5"));
        d->close();
        EXPECT_FALSE(d->isVisible());
        return QDialog::Accepted; // ignored: the dialog already ended
    });
    EXPECT_EQ(ui::showModal(Form_Jaki_Nr), QDialog::Rejected);

    script.onModal([](QDialog* d) {
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(static_cast<TForm_Jaki_Nr*>(d)->Edit_Nr, &esc);
        EXPECT_FALSE(d->isVisible());
        return QDialog::Accepted;
    });
    EXPECT_EQ(ui::showModal(Form_Jaki_Nr), QDialog::Rejected);
    EXPECT_TRUE(komunikaty.teksty.isEmpty());
}
