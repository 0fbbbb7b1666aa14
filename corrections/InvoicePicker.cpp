#include "corrections/InvoicePicker.h"
#include "documents/AmountColumns.h"

#include "documents/DocumentStore.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

namespace corrections {

void InvoiceReceiver::Zapamietaj_Fakture(qint64 id)
{
    wybrana_.reset();
    if (id > 0 && DataModule1)
        wybrana_ = documents::DocumentStore(*DataModule1->ADOConnection1).loadHeader(id);
}

documents::Document InvoiceReceiver::Wybrana_Faktura(qint64 id) const
{
    return id > 0 && wybrana_ && wybrana_->id == id ? *wybrana_ : documents::Document();
}

namespace {

const QStringList Pozycje = {
    QStringLiteral("Nr"),         QStringLiteral("Data wystawienia"), QStringLiteral("Data sprzedaży"),
    QStringLiteral("Nr Klienta"), QStringLiteral("Nazwa Klienta"),    QStringLiteral("NIP Klienta")};

dictionaries::UstawieniaWyboru ustawienia(const UstawieniaFaktur& f)
{
    dictionaries::UstawieniaPaska p;
    p.nazwaSortuj = f.nazwaSortu;
    p.napisSortuj = QStringLiteral("Sortuj wg. :");
    p.nazwaSzukaj = QStringLiteral("JvCBox_Szukaj");
    p.sortuj = Pozycje;
    p.poleSortu = dictionaries::sortWedlugListy({QStringLiteral("nr_koncowy"), QStringLiteral("Data_Wyst"),
                                                 QStringLiteral("Data_Sprzedarzy"), QStringLiteral("Klient_Nr"),
                                                 QStringLiteral("Klient_Nazwa_Nazwisko"), QStringLiteral("Klient_Nip")},
                                                QStringLiteral("nr_koncowy"));
    p.szukaj = Pozycje;
    p.kolumnySzukania = {QStringLiteral("Nr_Koncowy"),
                         QStringLiteral("Data_Wyst"),
                         QStringLiteral("Data_Sprzedarzy"),
                         QStringLiteral("Klient_Nr"),
                         QStringLiteral("Klient_Nazwa_Nazwisko"),
                         QStringLiteral("Klient_Nip")};
    p.nieZnaleziono = QStringLiteral("Nie znaleziono szukanej faktury");

    dictionaries::UstawieniaWyboru u;
    u.lista.nazwaOkna = f.nazwaOkna;
    u.lista.tytul = f.tytul;
    u.lista.nazwaSiatki = f.nazwaSiatki;
    u.lista.kolumny = documents::amountColumns(f.kolumny);
    u.lista.pasek = p;
    u.lista.zrodlo = [] { return DataModule1 ? DataModule1->DataSource_Faktura_Korekta : nullptr; };
    // No new-record dialog and no double click: an invoice is chosen by "Wstaw" only.
    u.wstawPodwojnymKlikiem = false;
    return u;
}

data::Table* lista() { return DataModule1 ? DataModule1->ADOTable_Faktura_Korekta : nullptr; }

data::Table* linie() { return DataModule1 ? DataModule1->ADOTable_Faktura_Szczegol_Korekta : nullptr; }

} // namespace

QString filtrFaktur(const QString& rok)
{
    return QStringLiteral("typ_koncowy='FV' and rok_Koncowy=%1").arg(data::quote(rok));
}

InvoicePicker::InvoicePicker(const UstawieniaFaktur& f, bool zLiniami, QWidget* owner)
    : PickDialog(ustawienia(f), owner), zLiniami_(zLiniami)
{
    ADOTable_Rok = new data::Table(this);
    ADOTable_Rok->setObjectName(QStringLiteral("ADOTable_Rok"));
    ADOTable_Rok->setTableName(QStringLiteral("Faktura_Rok"));
    DataSource_Rok = new data::DataSource(this);
    DataSource_Rok->setObjectName(QStringLiteral("DataSource_Rok"));
    DataSource_Rok->setDataset(ADOTable_Rok);

    auto* wiersz = new QHBoxLayout;
    auto* etykieta = new QLabel(QStringLiteral("Rok :"), this);
    JvDBLookupCombo_Rok = new ui::DbLookupCombo(this);
    JvDBLookupCombo_Rok->setObjectName(QStringLiteral("JvDBLookupCombo_Rok"));
    JvDBLookupCombo_Rok->setAccessibleName(QStringLiteral("Rok :"));
    JvDBLookupCombo_Rok->setListSource(DataSource_Rok);
    JvDBLookupCombo_Rok->setKeyField(QStringLiteral("Rok Pole"));
    JvDBLookupCombo_Rok->setMinimumWidth(80);
    etykieta->setBuddy(JvDBLookupCombo_Rok);
    wiersz->addWidget(etykieta);
    wiersz->addWidget(JvDBLookupCombo_Rok);
    wiersz->addStretch(1);
    if (auto* l = qobject_cast<QBoxLayout*>(layout()))
        l->insertLayout(0, wiersz);
    ui::on(JvDBLookupCombo_Rok, &ui::DbLookupCombo::closeUp, this, &InvoicePicker::JvDBLookupCombo_RokClick);

    u_.przyPokazaniu = [this] {
        // A note or a correction saved since the caller opened the list is seen.
        if (!zLiniami_)
            return;
        for (data::Table* t : {lista(), linie()})
            if (t && t->isActive())
                t->refresh();
    };
    u_.przyZamknieciu = [this] {
        panel()->pasek()->Wyczysc();
        odbiorca_ = nullptr;
        // The list order stays as last chosen until the next caller sets it.
        for (data::Table* t : {linie(), lista()})
            if (t)
                t->close();
    };
}

void InvoicePicker::Przygotuj(int rok, InvoiceReceiver* odbiorca)
{
    odbiorca_ = odbiorca;
    data::Table* t = lista();
    if (!t)
        return;
    const QString r = QString::number(rok);
    t->setFiltered(false);
    t->setFilter(filtrFaktur(r));
    t->setFiltered(true);
    t->setIndexFieldNames(QStringLiteral("nr_koncowy"));
    t->open();
    if (zLiniami_ && linie())
        linie()->open();
    if (!ADOTable_Rok->connection())
        ADOTable_Rok->setConnection(DataModule1->ADOConnection1);
    ADOTable_Rok->close();
    ADOTable_Rok->open();
    JvDBLookupCombo_Rok->setKeyValue(r);
}

void InvoicePicker::JvDBLookupCombo_RokClick()
{
    data::Table* t = lista();
    if (!t)
        return;
    t->setFiltered(false);
    t->setFilter(filtrFaktur(JvDBLookupCombo_Rok->currentText()));
    t->setFiltered(true);
}

void InvoicePicker::wstawDane()
{
    data::Table* t = lista();
    if (!t || !odbiorca_)
        return;
    const documents::Identity koncowa{t->fieldByName(QStringLiteral("Typ_Koncowy")).asString(),
                                      t->fieldByName(QStringLiteral("Rok_Koncowy")).asString(),
                                      t->fieldByName(QStringLiteral("Nr_Koncowy")).asLargeInt()};
    odbiorca_->Wstaw_Fakture(koncowa);
}

} // namespace corrections
