#include "documents/Form_Do_Poprawy.h"
#include "documents/AmountColumns.h"

#include "dictionaries/SortSearchBar.h"
#include "documents/Dlg_Czy_Nowa_Fakt.h"
#include "documents/DocumentStore.h"
#include "documents/Form_Faktura_Poprawa.h"
#include "documents/FormControls.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Connect.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

TForm_Do_Poprawy* Form_Do_Poprawy = nullptr;

namespace {

dictionaries::UstawieniaPaska pasek()
{
    const QStringList pozycje = {
        QStringLiteral("Nr"),         QStringLiteral("Data wystawienia"), QStringLiteral("Data sprzedaży"),
        QStringLiteral("Nr Klienta"), QStringLiteral("Nazwa Klienta"),    QStringLiteral("NIP Klienta")};
    const QStringList kolumny = {QStringLiteral("Nr"),
                                 QStringLiteral("Data_Wyst"),
                                 QStringLiteral("Data_Sprzedarzy"),
                                 QStringLiteral("Klient_Nr"),
                                 QStringLiteral("Klient_Nazwa_Nazwisko"),
                                 QStringLiteral("Klient_Nip")};
    dictionaries::UstawieniaPaska u;
    u.nazwaSortuj = QStringLiteral("JvCBox_Sort");
    u.nazwaSzukaj = QStringLiteral("JvCBox_Szukaj");
    u.napisSortuj = QStringLiteral("Sortuj wg. :");
    u.sortuj = pozycje;
    u.szukaj = pozycje;
    u.kolumnySzukania = kolumny;
    // Within the year, by the chosen column.
    u.poleSortu = [kolumny](int i, const QString&) {
        return i >= 0 && i < kolumny.size() ? QStringLiteral("rok,") + kolumny[i] : QString();
    };
    u.nieZnaleziono = QStringLiteral("Nie znaleziono szukanej faktury");
    return u;
}

data::Table* tabela(QObject* owner, const char* name, const QString& table, data::DataSource*& source)
{
    auto* t = new data::Table(owner);
    t->setObjectName(QString::fromLatin1(name));
    t->setTableName(table);
    t->setReadOnly(true);
    source = new data::DataSource(owner);
    source->setDataset(t);
    return t;
}

} // namespace

TForm_Do_Poprawy::TForm_Do_Poprawy(QWidget* owner) : ui::Dialog(owner)
{
    setObjectName(QStringLiteral("Form_Do_Poprawy"));
    setWindowTitle(QStringLiteral("Faktura do poprawy..."));

    ADOTable_Rok = tabela(this, "ADOTable_Rok", QStringLiteral("Faktura_Rok"), DataSource_Rok);
    ADOTable_Faktura_Poprawa = tabela(this, "ADOTable_Faktura_Poprawa", QStringLiteral("Kwerenda_Faktura_Poprawa"),
                                      DataSource_Faktura_Poprawa);
    ADOTable_Faktura_Szczegoly =
        tabela(this, "ADOTable_Faktura_Szczegoly", QStringLiteral("Faktura_Szczegoly"), DataSource_Faktura_Szczegoly);
    ADOTable_Faktura_Poprawa->setFilter(QStringLiteral("typ='FV' and rok=''"));
    ADOTable_Faktura_Poprawa->setFiltered(true);
    ADOTable_Faktura_Poprawa->setIndexFieldNames(QStringLiteral("Nr"));
    ADOTable_Faktura_Szczegoly->setIndexFieldNames(QStringLiteral("Id_Fakt;lp"));
    ADOTable_Faktura_Szczegoly->setMasterSource(DataSource_Faktura_Poprawa, QStringLiteral("Faktura.Id"),
                                                QStringLiteral("Id_Fakt"));

    JvDBLookupCombo_Rok = new ui::DbLookupCombo(this);
    JvDBLookupCombo_Rok->setObjectName(QStringLiteral("JvDBLookupCombo_Rok"));
    JvDBLookupCombo_Rok->setListSource(DataSource_Rok);
    JvDBLookupCombo_Rok->setKeyField(QStringLiteral("Rok Pole"));
    JvDBLookupCombo_Rok->setAccessibleName(QStringLiteral("Rok :"));
    // Wide enough for a whole year whatever the list holds when the picker is laid out.
    JvDBLookupCombo_Rok->setMinimumContentsLength(6);
    JvDBLookupCombo_Rok->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Pasek = new dictionaries::SortSearchBar(pasek(), this);
    Pasek->setDataset([this] { return ADOTable_Faktura_Poprawa; });

    DBGrid1 = new ui::DbGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns(documents::amountColumns({
        {QStringLiteral("Typ"), QString(), 40},
        {QStringLiteral("Nr"), QString(), 50},
        {QStringLiteral("Rok"), QString(), 45},
        {QStringLiteral("Data_Wyst"), QStringLiteral("Data wystawienia"), 100},
        {QStringLiteral("Data_Sprzedarzy"), QStringLiteral("Data sprzedaży"), 100},
        {QStringLiteral("Klient_Nr"), QStringLiteral("Nr Klienta"), 80},
        {QStringLiteral("Klient_Nazwa_Nazwisko"), QStringLiteral("Nazwa Klienta"), 160},
        {QStringLiteral("Klient_Nazwa_Nazwisko_cd"), QStringLiteral("Nazwa Klienta cd."), 160},
        {QStringLiteral("Klient_Nip"), QStringLiteral("NIP Klienta"), 100},
        {QStringLiteral("Klient_Kod"), QStringLiteral("Kod"), 60},
        {QStringLiteral("Klient_Miasto"), QStringLiteral("Miasto"), 100},
        {QStringLiteral("Klient_Adres"), QStringLiteral("Adres"), 140},
        {QStringLiteral("Klient_Czy_Firma"), QStringLiteral("Czy firma?"), 70},
        {QStringLiteral("Nazwa"), QStringLiteral("Forma zapłaty"), 100},
        {QStringLiteral("Data_Zaplaty"), QStringLiteral("Data zapłaty"), 90},
        {QStringLiteral("Wart_Netto"), QStringLiteral("Wartość faktury (netto)"), 130},
        {QStringLiteral("Wart_Brutto"), QStringLiteral("Wartość faktury (brutto)"), 130},
        {QStringLiteral("netto_brutto"), QStringLiteral("Wyliczana od..."), 90},
    }));
    DBGrid1->setDataSource(DataSource_Faktura_Poprawa);
    DBGrid2 = new ui::DbGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setColumns(documents::amountColumns({
        {QStringLiteral("Lp"), QString(), 45},
        {QStringLiteral("Towary_Symbol"), QStringLiteral("Symbol"), 65},
        {QStringLiteral("Towary_Nazwa"), QStringLiteral("Nazwa"), 130},
        {QStringLiteral("Towary_Nazwa_cd"), QStringLiteral("Nazwa cd."), 130},
        {QStringLiteral("PKWiU"), QString(), 65},
        {QStringLiteral("Towary_Cena"), QStringLiteral("Cena netto"), 75},
        {QStringLiteral("Towary_Cena_Brutto"), QStringLiteral("Cena brutto"), 75},
        {QStringLiteral("Jm"), QStringLiteral("Jm."), 45},
        {QStringLiteral("Ilosc"), QStringLiteral("Ilość"), 65},
        {QStringLiteral("Wartosc_Netto"), QStringLiteral("Wartość netto"), 90},
        {QStringLiteral("Rabat"), QString(), 55},
        {QStringLiteral("Towary_Vat_Opis"), QStringLiteral("Stawka VAT"), 75},
        {QStringLiteral("Kwota_Vat"), QStringLiteral("Kwota VAT"), 75},
        {QStringLiteral("Wartosc_Brutto"), QStringLiteral("Wartość brutto"), 100},
    }));
    DBGrid2->setDataSource(DataSource_Faktura_Szczegoly);

    BitBtn_Wstaw = new QPushButton(QStringLiteral("Wstaw"), this);
    BitBtn_Wstaw->setObjectName(QStringLiteral("BitBtn_Wstaw"));
    BitBtn_Anuluj = new QPushButton(QStringLiteral("Anuluj / Zamknij"), this);
    BitBtn_Anuluj->setObjectName(QStringLiteral("BitBtn_Anuluj"));

    auto* gora = new QHBoxLayout;
    auto* lRok = new QLabel(QStringLiteral("Rok :"), this);
    lRok->setBuddy(JvDBLookupCombo_Rok);
    gora->addWidget(lRok);
    gora->addWidget(JvDBLookupCombo_Rok);
    gora->addSpacing(16);
    gora->addWidget(Pasek, 1);
    auto* dol = new QHBoxLayout;
    dol->addWidget(BitBtn_Wstaw);
    dol->addStretch(1);
    dol->addWidget(BitBtn_Anuluj);
    auto* uklad = new QVBoxLayout(this);
    uklad->addLayout(gora);
    uklad->addWidget(DBGrid1, 3);
    uklad->addWidget(DBGrid2, 2);
    uklad->addLayout(dol);
    resize(900, 560);

    ui::on(JvDBLookupCombo_Rok, &ui::DbLookupCombo::closeUp, this, &TForm_Do_Poprawy::JvDBLookupCombo_RokClick);
    ui::on(BitBtn_Wstaw, &QPushButton::clicked, this, &TForm_Do_Poprawy::BitBtn_WstawClick);
    setCloseButton(BitBtn_Anuluj);
}

void TForm_Do_Poprawy::Filtruj(const QString& rok)
{
    // The year is a bound value of the filter (it is only ever digits, but nothing is spliced).
    ADOTable_Faktura_Poprawa->setFiltered(false);
    ADOTable_Faktura_Poprawa->setFilter(QStringLiteral("typ='FV' and rok=%1").arg(data::quote(rok)));
    ADOTable_Faktura_Poprawa->setFiltered(true);
}

void TForm_Do_Poprawy::Otworz(int rok)
{
    data::Connection* c = DataModule1 ? DataModule1->ADOConnection1 : nullptr;
    if (!c || !c->isConnected())
        return;
    for (data::Table* t : {ADOTable_Faktura_Poprawa, ADOTable_Faktura_Szczegoly, ADOTable_Rok}) {
        t->close();
        t->setConnection(c);
    }
    Filtruj(QString::number(rok));
    ADOTable_Faktura_Poprawa->setIndexFieldNames(QStringLiteral("nr"));
    for (data::Table* t : {ADOTable_Faktura_Poprawa, ADOTable_Faktura_Szczegoly, ADOTable_Rok})
        t->open();
    JvDBLookupCombo_Rok->reloadItems();
    JvDBLookupCombo_Rok->setKeyValue(QString::number(rok));
    ui::showModal(this);
}

void TForm_Do_Poprawy::JvDBLookupCombo_RokClick() { Filtruj(JvDBLookupCombo_Rok->currentText()); }

void TForm_Do_Poprawy::BitBtn_WstawClick()
{
    data::Table* t = ADOTable_Faktura_Poprawa;
    if (!t->isActive() || t->isEmpty() || !Form_Faktura_Poprawa || !DataModule1)
        return; // nothing chosen: nothing loaded
    const qint64 id = t->fieldByName(QStringLiteral("Faktura.Id")).asInteger();
    const std::optional<documents::Document> faktura = documents::DocumentStore(*DataModule1->ADOConnection1).load(id);
    if (!faktura)
        return;
    Form_Faktura_Poprawa->Wstaw_Fakture(*faktura);
    Form_Faktura_Poprawa->show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(Form_Faktura_Poprawa->parentWidget())) {
        sub->show();
        sub->raise();
    }
    accept();
}

bool TForm_Do_Poprawy::closing(int result)
{
    if (result != QDialog::Accepted && !Porzuc_Poprawe())
        return false;
    Pasek->Wyczysc();
    return ui::Dialog::closing(result);
}

bool TForm_Do_Poprawy::Porzuc_Poprawe()
{
    // The question names what is missing; its usual text is put back afterwards.
    const QString zwykly = Dlg_Czy_Nowa_Fakt ? Dlg_Czy_Nowa_Fakt->Label1->text() : QString();
    if (!Dlg_Czy_Nowa_Fakt)
        Dlg_Czy_Nowa_Fakt = new TDlg_Czy_Nowa_Fakt();
    Dlg_Czy_Nowa_Fakt->Label1->setText(QStringLiteral("Nie wybrano faktury do poprawy"));
    const bool zostaw = Czy_Zachowac_Dokument();
    Dlg_Czy_Nowa_Fakt->Label1->setText(zwykly.isEmpty() ? QStringLiteral("Faktura nie została zapisana !") : zwykly);
    if (zostaw) {
        activateWindow();
        return false;
    }
    if (Form_Faktura_Poprawa) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(Form_Faktura_Poprawa->parentWidget()))
            sub->close();
        else
            Form_Faktura_Poprawa->close();
    }
    return true;
}
