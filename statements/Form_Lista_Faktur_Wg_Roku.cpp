#include "statements/Form_Lista_Faktur_Wg_Roku.h"

#include "dictionaries/Konfiguracja.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/MainForm.h"

#include <QHBoxLayout>
#include <QLabel>

TForm_Lista_Faktur_Wg_Roku* Form_Lista_Faktur_Wg_Roku = nullptr;

namespace {

statements::Ustawienia_Listy_Faktur ustawienia()
{
    statements::Ustawienia_Listy_Faktur u;
    u.nazwa = QStringLiteral("Form_Lista_Faktur_Wg_Roku");
    u.tytul = QStringLiteral("Lista faktur w roku ...");
    u.obszar = QSize(862, 624);
    u.wgRoku = true;
    u.porzadek = QStringLiteral("typ;rok;nr");
    u.nazwaSzczegolow = QStringLiteral("ADOTable_Szczegoly");
    u.nazwaZamknij = QStringLiteral("Button1");
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Lista_Faktur_Wg_Roku(false);
    };
    return u;
}

} // namespace

TForm_Lista_Faktur_Wg_Roku::TForm_Lista_Faktur_Wg_Roku(QWidget* parent) : ListaFaktur(ustawienia(), parent)
{
    Button1 = Zamknij;

    ADOTable_Rok = new data::Table(this);
    ADOTable_Rok->setObjectName(QStringLiteral("ADOTable_Rok"));
    ADOTable_Rok->setTableName(QStringLiteral("Faktura_Rok"));
    DataSource_Rok = new data::DataSource(this);
    DataSource_Rok->setDataset(ADOTable_Rok);

    auto* etykieta = new QLabel(QStringLiteral("Rok :"), this);
    JvDBLookupCombo_Rok = new ui::DbLookupCombo(this);
    JvDBLookupCombo_Rok->setObjectName(QStringLiteral("JvDBLookupCombo_Rok"));
    JvDBLookupCombo_Rok->setAccessibleName(QStringLiteral("Rok :"));
    JvDBLookupCombo_Rok->setMinimumContentsLength(10);
    etykieta->setBuddy(JvDBLookupCombo_Rok);
    JvDBLookupCombo_Rok->setKeyField(QStringLiteral("Rok Pole"));
    JvDBLookupCombo_Rok->setAllEntry(QStringLiteral("Wszystkie"), QStringLiteral("%"));
    JvDBLookupCombo_Rok->setListSource(DataSource_Rok);
    wybor()->insertWidget(0, etykieta);
    wybor()->insertWidget(1, JvDBLookupCombo_Rok);
    wybor()->insertSpacing(2, 16);
    kolejnosc({JvDBLookupCombo_Rok});

    // FormCreate: the years are read once.
    if (data::Connection* c = dictionaries::polaczenie()) {
        ADOTable_Rok->setConnection(c);
        ADOTable_Rok->open();
    }
    JvDBLookupCombo_Rok->setKeyValue(QStringLiteral("%"));
}

QString TForm_Lista_Faktur_Wg_Roku::Warunek() const
{
    return statements::Warunek_Roku(JvDBLookupCombo_Rok->keyValue().toString());
}
