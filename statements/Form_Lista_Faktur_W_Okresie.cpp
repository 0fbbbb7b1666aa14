#include "statements/Form_Lista_Faktur_W_Okresie.h"

#include "platform/data/Dataset.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DbGrid.h"
#include "statements/Kontrolki.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QShowEvent>

TForm_Lista_Faktur_W_Okresie* Form_Lista_Faktur_W_Okresie = nullptr;

TForm_Lista_Faktur_W_Okresie::TForm_Lista_Faktur_W_Okresie(QWidget* parent) : Lista_Faktur(false, parent)
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
    Lista_Faktur::showEvent(e);
    if (!e->spontaneous())
        Dzisiaj();
}

QString TForm_Lista_Faktur_W_Okresie::Warunek() const
{
    return statements::Warunek_Okresu(JvDateTimePicker_Od->date(), JvDateTimePicker_Do->date());
}
