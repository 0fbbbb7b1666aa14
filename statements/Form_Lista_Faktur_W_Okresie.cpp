#include "statements/Form_Lista_Faktur_W_Okresie.h"

#include "platform/data/Dataset.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbGrid.h"
#include "shell/MainForm.h"
#include "statements/Kontrolki.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QShowEvent>

TForm_Lista_Faktur_W_Okresie* Form_Lista_Faktur_W_Okresie = nullptr;

namespace {

statements::Ustawienia_Listy_Faktur ustawienia()
{
    statements::Ustawienia_Listy_Faktur u;
    u.nazwa = QStringLiteral("Form_Lista_Faktur_W_Okresie");
    u.tytul = QStringLiteral("Lista faktur w okresie czasu");
    u.obszar = QSize(862, 644);
    u.wgRoku = false;
    // The saved query's own order: the order the documents were written in.
    u.porzadek = QStringLiteral("Id");
    u.nazwaSzczegolow = QStringLiteral("ADOTable_Faktura_Szczegoly");
    u.nazwaZamknij = QStringLiteral("BitBtn_Zamknij");
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Lista_Faktur_W_Okresie(false);
    };
    return u;
}

} // namespace

TForm_Lista_Faktur_W_Okresie::TForm_Lista_Faktur_W_Okresie(QWidget* parent) : ListaFaktur(ustawienia(), parent)
{
    BitBtn_Zamknij = Zamknij;
    ADOTable_Faktura_Szczegoly = Szczegoly;
    JvDateTimePicker_Od = statements::Pole_Daty(this, QStringLiteral("JvDateTimePicker_Od"),
                                                QStringLiteral("Dokumenty wystawione od dnia :"), wybor(), 0);
    JvDateTimePicker_Do =
        statements::Pole_Daty(this, QStringLiteral("JvDateTimePicker_Do"), QStringLiteral("do dnia :"), wybor(), 2);
    wybor()->insertSpacing(4, 16);
    kolejnosc({JvDateTimePicker_Od, JvDateTimePicker_Do});
    Dzisiaj();
}

void TForm_Lista_Faktur_W_Okresie::Dzisiaj()
{
    JvDateTimePicker_Od->setDate(ui::today());
    JvDateTimePicker_Do->setDate(ui::today());
}

void TForm_Lista_Faktur_W_Okresie::showEvent(QShowEvent* e)
{
    ListaFaktur::showEvent(e);
    if (!e->spontaneous())
        Dzisiaj();
}

QString TForm_Lista_Faktur_W_Okresie::Warunek() const
{
    return statements::Warunek_Okresu(JvDateTimePicker_Od->date(), JvDateTimePicker_Do->date());
}
