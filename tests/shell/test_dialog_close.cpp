// Every dialog that takes input ends alike by its close button, by Esc and by its title-bar close:
// whatever was typed and abandoned is gone at its next opening, and the question about an unsaved
// document answers "Nie" whichever way it is closed unanswered.
#include "corrections/Form_Korekta_Pozycja.h"
#include "dictionaries/Form_Nowy_Klient.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/Form_Drukuj_Fakt.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "documents/Form_Faktura_Popraw_Pozycje.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "statements/Form_Check_NIP.h"
#include "statements/Form_Kalk_Brutto_Netto.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

class ZamykanieOkien : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(data::createDatabase(path, QString::fromUtf8(TARNEX_SOURCE_DIR) + "/db/schema.sql"), QString());
        DataModule1 = new TDataModule1(nullptr, path);
        DataModule1->ADOConnection1->exec("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values ('23', 23, 1, 0)");
    }
    void TearDown() override
    {
        delete DataModule1;
        DataModule1 = nullptr;
        registry::setStorePath(QString());
    }

    QTemporaryDir dir;
    ui::Script script;
};

QPushButton* button(QWidget* w, const QString& caption)
{
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

// A dialog, what a user types into it, and what of that is left to see.
struct Okno {
    const char* name;
    std::function<QDialog*()> make;
    QString close; // its close button's caption ("": none)
    std::function<void(QDialog*)> type;
    std::function<QString(QDialog*)> left;
};

QLineEdit* edit(QDialog* d, const char* name) { return d->findChild<QLineEdit*>(QString::fromLatin1(name)); }

// The texts of the named edits, joined.
std::function<QString(QDialog*)> texts(std::vector<const char*> names)
{
    return [names](QDialog* d) {
        QStringList t;
        for (const char* n : names)
            t << edit(d, n)->text();
        return t.join(u'|');
    };
}

std::function<void(QDialog*)> typeInto(std::vector<const char*> names)
{
    return [names](QDialog* d) {
        for (const char* n : names) {
            edit(d, n)->setFocus();
            edit(d, n)->setText(QStringLiteral("7"));
        }
    };
}

TEST_F(ZamykanieOkien, EscTitleBarAndCloseButtonLeaveNothingForTheNextOpening)
{
    const std::vector<const char*> line{"LEdit_Nazwa", "LEdit_PKWIU", "LEdit_Cena", "LEdit_Ilosc", "LEdit_Rabat"};
    const Okno okna[] = {
        {"Nowa pozycja", [] { return new TForm_Faktura_Nowa_Pozycja(); }, QStringLiteral("Zamknij"), typeInto(line),
         texts(line)},
        {"Popraw pozycję", [] { return new TForm_Faktura_Popraw_Pozycje(); }, QStringLiteral("Anuluj / Zamknij"),
         typeInto(line), texts(line)},
        {"Korekta pozycji", [] { return new TForm_Korekta_Pozycja(); }, QStringLiteral("Anuluj / Zamknij"),
         typeInto({"LEdit_Ilosc", "LEdit_Cena"}), texts({"LEdit_Ilosc", "LEdit_Cena"})},
        {"Nowy klient", [] { return new TForm_Nowy_Klient(); }, QStringLiteral("Anuluj / Zamknij"),
         typeInto({"LEdit_Nazwa", "LEdit_NIP"}), texts({"LEdit_Nazwa", "LEdit_NIP"})},
        {"Kalkulator", [] { return new TForm_Kalk_Brutto_Netto(); }, QStringLiteral("Zamknij"),
         typeInto({"LEdit1", "LEdit3"}), texts({"LEdit1", "LEdit3"})},
        {"NIP", [] { return new TForm_Check_NIP(); }, QString(), typeInto({"LEdit_NIP"}), texts({"LEdit_NIP"})},
        {"Drukuj", [] { return new TForm_Drukuj_Fakt(); }, QStringLiteral("Anuluj"),
         [](QDialog* d) { static_cast<TForm_Drukuj_Fakt*>(d)->Edit_Duplikat->setText(QStringLiteral("Duplikat")); },
         [](QDialog* d) { return static_cast<TForm_Drukuj_Fakt*>(d)->Edit_Duplikat->text(); }},
    };
    // The close button first: what it leaves is what every other way must leave.
    const std::pair<const char*, std::function<void(QDialog*, QPushButton*)>> ways[] = {
        {"button", [](QDialog*, QPushButton* b) { b->click(); }},
        {"Esc",
         [](QDialog* d, QPushButton*) { QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_Escape); }},
        {"title bar", [](QDialog* d, QPushButton*) { d->close(); }},
    };
    for (const Okno& o : okna) {
        SCOPED_TRACE(o.name);
        std::unique_ptr<QDialog> d(o.make());
        QPushButton* zamknij = o.close.isEmpty() ? nullptr : button(d.get(), o.close);
        ASSERT_EQ(zamknij != nullptr, !o.close.isEmpty());
        d->show();
        std::optional<QString> clean;
        if (!zamknij)
            clean = o.left(d.get());
        for (const auto& [way, close] : ways) {
            if (!zamknij && QLatin1String(way) == QLatin1String("button"))
                continue;
            SCOPED_TRACE(way);
            o.type(d.get());
            ASSERT_NE(o.left(d.get()), clean.value_or(QString()));
            close(d.get(), zamknij);
            EXPECT_FALSE(d->isVisible());
            d->show();
            if (!clean)
                clean = o.left(d.get());
            EXPECT_EQ(o.left(d.get()), *clean);
        }
        d->reject();
    }

    // The question closed unanswered keeps the document, as "Nie" does.
    TDlg_Czy_Nowa_Fakt pytanie;
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        pytanie.show();
        close(&pytanie, pytanie.CancelBtn);
        EXPECT_FALSE(pytanie.isVisible());
        EXPECT_EQ(pytanie.result(), TDlg_Czy_Nowa_Fakt::mrNo);
    }
}

} // namespace
