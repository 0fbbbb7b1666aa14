#include "platform/ui/Application.h"
#include "platform/ui/Connect.h"
#include "platform/data/Error.h"
#include <QCheckBox>
#include "platform/ui/Clock.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageDialog.h"
#include "platform/ui/Modal.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A dialog with a field filled by its show handler, "Ok" that checks the field and "Anuluj".
class Prompt : public ui::Dialog {
public:
    Prompt()
    {
        setWindowTitle(QStringLiteral("Pytanie"));
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        ok = new QPushButton(QStringLiteral("Ok"), this);
        cancel = new QPushButton(QStringLiteral("Anuluj"), this);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (edit->text() == QLatin1String("7"))
                accept();
            else
                ui::showMessage(QStringLiteral("Niepoprawna liczba"));
        });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }

    QLineEdit* edit;
    QPushButton* ok;
    QPushButton* cancel;
    int shown = 0;
    QList<int> closings;
    bool allowClose = true;

protected:
    void showing() override
    {
        ++shown;
        edit->setText(QStringLiteral("1"));
    }
    bool closing(int result) override
    {
        closings << result;
        return allowClose;
    }
};

TEST(UiModal, ScriptPlaysTheUserWithoutBlocking)
{
    ui::Script script;
    Prompt p;
    script.onModal([&](QDialog* d) {
        EXPECT_EQ(d, &p);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(p.edit->text(), QStringLiteral("1")); // the show handler ran first
        p.edit->setText(QStringLiteral("abc"));
        p.ok->click(); // refused: a message, still open
        EXPECT_TRUE(d->isVisible());
        p.edit->setText(QStringLiteral("7"));
        p.ok->click();
        return QDialog::Rejected; // ignored: the dialog has ended itself
    });
    EXPECT_EQ(ui::showModal(&p), QDialog::Accepted);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(script.messages(), QStringList{QStringLiteral("Niepoprawna liczba")});
    EXPECT_EQ(script.pending(), 0);

    // Shown again: the show handler runs again, the field is reset.
    script.onModal([&](QDialog*) {
        EXPECT_EQ(p.edit->text(), QStringLiteral("1"));
        return QDialog::Rejected;
    });
    EXPECT_EQ(ui::showModal(&p), QDialog::Rejected);
    EXPECT_EQ(p.shown, 2);
    EXPECT_EQ(p.closings, (QList<int>{QDialog::Accepted, QDialog::Rejected}));
    EXPECT_TRUE(script.unhandled().isEmpty());
}

TEST(UiModal, NestedDialogsTakeTheNextHandlerAndUnscriptedOnesAreNoted)
{
    ui::Script script;
    Prompt outer, inner;
    inner.setWindowTitle(QStringLiteral("Wewnętrzne"));
    QStringList order;
    script.onModal([&](QDialog* d) {
        order << QStringLiteral("outer");
        EXPECT_EQ(ui::showModal(&inner), QDialog::Accepted);
        order << QStringLiteral("outer again");
        return QDialog::Accepted;
    });
    script.onModal([&](QDialog* d) {
        EXPECT_EQ(d, &inner);
        order << QStringLiteral("inner");
        return QDialog::Accepted;
    });
    EXPECT_EQ(ui::showModal(&outer), QDialog::Accepted);
    EXPECT_EQ(order, (QStringList{QStringLiteral("outer"), QStringLiteral("inner"), QStringLiteral("outer again")}));

    // Nothing left in the queue: ended as rejected and noted.
    EXPECT_EQ(ui::showModal(&inner), QDialog::Rejected);
    EXPECT_FALSE(inner.isVisible());
    EXPECT_EQ(script.unhandled(), QStringList{QStringLiteral("Wewnętrzne")});

    // A default handler answers when the queue is empty.
    int defaults = 0;
    script.setDefault([&](QDialog*) {
        ++defaults;
        return QDialog::Accepted;
    });
    EXPECT_EQ(ui::showModal(&inner), QDialog::Accepted);
    EXPECT_EQ(ui::showModal(&outer), QDialog::Accepted);
    EXPECT_EQ(defaults, 2);
}

TEST(UiModal, ADialogThatRefusesToCloseDoesNotHangTheScript)
{
    ui::Script script;
    Prompt p;
    p.allowClose = false;
    script.onModal([](QDialog*) { return QDialog::Rejected; });
    EXPECT_EQ(ui::showModal(&p), QDialog::Rejected);
    EXPECT_FALSE(p.isVisible());
}

TEST(UiDialog, CancelEscAndTitleBarCloseRunTheOneCloseHandler)
{
    ui::Script script;
    Prompt p;
    // Each road to closing, first refused (the dialog stays), then allowed.
    const std::function<void()> roads[] = {
        [&] { p.cancel->click(); },
        [&] {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&p, &esc);
        },
        [&] { p.close(); }, // what the title-bar button does
        [&] { p.reject(); },
    };
    for (const auto& road : roads) {
        p.closings.clear();
        p.show();
        p.allowClose = false;
        road();
        EXPECT_TRUE(p.isVisible());
        p.allowClose = true;
        road();
        EXPECT_FALSE(p.isVisible());
        EXPECT_EQ(p.closings, (QList<int>{QDialog::Rejected, QDialog::Rejected}));
    }
}

class Thrower : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Błąd zapisu danych");
        if (e->type() == QEvent::User + 1)
            throw 42;
        return QObject::event(e);
    }
};

TEST(UiErrors, AnExceptionFromAnEventHandlerIsShownNotFatal)
{
    ui::Script script;
    Thrower t;
    EXPECT_FALSE(ui::guard([&] {
        QEvent e(QEvent::User);
        QCoreApplication::sendEvent(&t, &e);
    }));
    EXPECT_EQ(script.lastMessage(), QStringLiteral("Błąd zapisu danych"));

    EXPECT_FALSE(ui::guard([&] {
        QEvent e(static_cast<QEvent::Type>(QEvent::User + 1));
        QCoreApplication::sendEvent(&t, &e);
    }));
    EXPECT_EQ(script.lastMessage(), QStringLiteral("Nieoczekiwany błąd programu"));

    // From a button's click handler: caught at the slot, so nothing travels through Qt's
    // signal code; the click returns and the message is shown.
    QPushButton b;
    ui::on(&b, &QPushButton::clicked, &b, [] { throw std::runtime_error("z przycisku"); });
    EXPECT_NO_THROW(b.click());
    EXPECT_EQ(script.lastMessage(), QStringLiteral("z przycisku"));
    EXPECT_EQ(script.messages().size(), 3);

    // A member handler taking fewer arguments than the signal gives.
    struct Odbiorca : QObject {
        int wywolania = 0;
        void klik()
        {
            ++wywolania;
            throw data::Error(QStringLiteral("Błąd w obsłudze"));
        }
    } odbiorca;
    QCheckBox c;
    ui::on(&c, &QCheckBox::toggled, &odbiorca, &Odbiorca::klik);
    EXPECT_NO_THROW(c.setChecked(true));
    EXPECT_EQ(odbiorca.wywolania, 1);
    EXPECT_EQ(script.lastMessage(), QStringLiteral("Błąd w obsłudze"));
}

TEST(UiErrors, WorkPostedToTheLoopRunsLaterAndIsGuarded)
{
    ui::Script script;
    int runs = 0;
    ui::later([&] { ++runs; });
    ui::later([] { throw std::runtime_error("później"); });
    EXPECT_EQ(runs, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(script.lastMessage(), QStringLiteral("później"));
}

TEST(UiClock, TestsFixToday)
{
    {
        ui::FixedClock clock(QDate(2011, 3, 5));
        EXPECT_EQ(ui::today(), QDate(2011, 3, 5));
    }
    EXPECT_EQ(ui::today(), QDate::currentDate());
    ui::setClock([] { return QDate(2020, 1, 31); });
    EXPECT_EQ(ui::today(), QDate(2020, 1, 31));
    ui::setClock({});
    EXPECT_EQ(ui::today(), QDate::currentDate());
}

} // namespace
