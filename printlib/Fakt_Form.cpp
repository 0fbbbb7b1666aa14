#include "printlib/Fakt_Form.h"

#include "printlib/Functions.h"
#include "platform/data/Connection.h"
#include "platform/registry/Registry.h"
#include "platform/report/Picture.h"

namespace {

data::Connection* hostConnection()
{
    auto* c = qobject_cast<data::Connection*>(data::findComponent(QStringLiteral("DataModule1"),
                                                                  QStringLiteral("ADOConnection1")));
    if (!c)
        throw data::Error(QStringLiteral("Nie znaleziono połączenia DataModule1.ADOConnection1."));
    return c;
}

} // namespace

TFakt_Form::TFakt_Form(QObject* owner) : QObject(owner)
{
    data::Connection* c = hostConnection();
    ADOTable1 = new data::Table(this);
    ADOTable1->setConnection(c);
    ADOTable1->setTableName(QStringLiteral("Faktura"));
    ADOTable2 = new data::Table(this);
    ADOTable2->setConnection(c);
    ADOTable2->setTableName(QStringLiteral("Faktura_Szczegoly"));
    ADOTable2->setIndexFieldNames(QStringLiteral("Id_Fakt"));
    ADOTable2->setMasterSource(ADOTable1, QStringLiteral("Id"));
    ADOTable3 = new data::Table(this);
    ADOTable3->setConnection(c);
    ADOTable3->setTableName(QStringLiteral("Forma_Zaplaty"));
    ADOTable3->setIndexFieldNames(QStringLiteral("Id"));
    ADOTable3->setMasterSource(ADOTable1, QStringLiteral("Forma_Zaplaty"));
    ADOQuery1 = new data::Query(this);
    ADOQuery1->setConnection(c);
    Naglowek.setDataset(ADOTable1);
    Pozycje.setDataset(ADOTable2);
    Platnosc.setDataset(ADOTable3);
    Podsumowanie.setDataset(ADOQuery1);
    QuickRep1.onStartPage = [this](int page) { QuickRep1StartPage(page); };
}

TFakt_Form::~TFakt_Form() = default;

void TFakt_Form::openHeader(int id)
{
    ADOTable1->setFilter(QStringLiteral("ID='%1'").arg(id));
    ADOTable1->setFiltered(true);
    ADOTable1->open();
    DBEdit1Change();
}

void TFakt_Form::openVatSummary(int id)
{
    // The id is bound, not spliced into the statement.
    ADOQuery1->close();
    ADOQuery1->setSql(QStringLiteral(
        "select sum(wartosc_netto) as netto, sum(kwota_Vat) as vat, sum(wartosc_brutto) as brutto,"
        "towary_vat_opis from faktura_szczegoly\n"
        "where id_fakt=? group by towary_vat_opis"));
    ADOQuery1->addBindValue(id);
    ADOQuery1->open();
}

void TFakt_Form::openDetails()
{
    ADOTable1->open();
    ADOTable2->open();
    ADOTable3->open();
}

void TFakt_Form::DBEdit1Change()
{
    if (!slownie)
        return;
    if (!ADOTable1->isActive() || ADOTable1->eof()) {
        slownie->setText(QString());
        return;
    }
    slownie->setText(Kwota_Slownie(ADOTable1->fieldByName(QStringLiteral("Wart_Brutto")).asFloat()));
}

QString TFakt_Form::seller(const QString& name)
{
    return registry::read(registry::Root::LocalMachine, QStringLiteral("Software\\Orlimek\\Tarnex\\"), name);
}

QString TFakt_Form::field(const QString& name) const
{
    return Naglowek.text(name);
}

QString TFakt_Form::documentNumber() const
{
    return field(QStringLiteral("Typ")) + u'/' + field(QStringLiteral("Nr")) + u'/'
        + field(QStringLiteral("Rok"));
}

void TFakt_Form::QuickRep1StartPage(int page)
{
    if (QRL_Nazwa_L1)
        QRL_Nazwa_L1->setText(seller(QStringLiteral("Nazwa_L1")));
    if (QRL_Nazwa_L2)
        QRL_Nazwa_L2->setText(seller(QStringLiteral("Nazwa_L2")));
    if (QRL_Adres)
        QRL_Adres->setText(seller(QStringLiteral("Adres")) + QStringLiteral(", ")
                           + seller(QStringLiteral("Kod")) + u' ' + seller(QStringLiteral("Miasto")));
    if (QRL_NIP)
        QRL_NIP->setText(seller(QStringLiteral("NIP")));
    if (QRL_Konto)
        QRL_Konto->setText(seller(QStringLiteral("Konto")));
    if (QRL_Tel)
        QRL_Tel->setText(seller(QStringLiteral("Tel")));
    if (QRImage1) {
        // No logo set means no logo; a logo that cannot be read ends the run with its error.
        const QString logo = seller(QStringLiteral("logo"));
        QRImage1->image = logo.isEmpty() ? QImage() : report::loadPicture(logo);
    }
    if (QRLabel16)
        QRLabel16->setText(documentNumber());
    if (QRLabel_Adres)
        QRLabel_Adres->setText(field(QStringLiteral("Klient_Adres")) + QStringLiteral(", ")
                               + field(QStringLiteral("Klient_Kod")) + u' '
                               + field(QStringLiteral("Klient_Miasto")));
    if (QRL_Strona_Cala)
        QRL_Strona_Cala->setText(QStringLiteral("Strona ") + QString::number(page) + QStringLiteral(" z ")
                                 + (QRL_Strona ? QRL_Strona->caption : QString()));
}
