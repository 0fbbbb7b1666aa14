#include "statements/Form_Lista_Faktur_Wg_Roku.h"

#include "dictionaries/Konfiguracja.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"

#include <QHBoxLayout>
#include <QLabel>

TForm_Lista_Faktur_Wg_Roku* Form_Lista_Faktur_Wg_Roku = nullptr;

TForm_Lista_Faktur_Wg_Roku::TForm_Lista_Faktur_Wg_Roku(QWidget* parent) : Lista_Faktur(true, parent)
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
