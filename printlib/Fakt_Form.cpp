#include "printlib/Fakt_Form.h"

#include "printlib/Functions.h"
#include "printlib/Layout.h"
#include "platform/data/Connection.h"
#include "platform/data/ProgramConnection.h"
#include "platform/registry/Registry.h"
#include "platform/report/Picture.h"

#include <cmath>

TFakt_Form::TFakt_Form(QObject* owner, const Variant& v) : QObject(owner), variant(v)
{
    data::Connection* c = &data::programConnection();
    ADOTable1 = new data::Table(this);
    ADOTable1->setConnection(c);
    ADOTable1->setTableName(v.kind == DocumentKind::Note ? QStringLiteral("Kwerenda_Nota") : QStringLiteral("Faktura"));
    Naglowek.setDataset(ADOTable1);
    if (v.kind != DocumentKind::Note) {
        ADOTable2 = new data::Table(this);
        ADOTable2->setConnection(c);
        if (v.kind == DocumentKind::Correction) {
            // One row per corrected line: the new line with the old one it replaced.
            ADOTable2->setTableName(QStringLiteral("Korekta_Faktury"));
            ADOTable2->setIndexFieldNames(QStringLiteral("Id_Fakt;Faktura_Szczegoly.Lp"));
        } else {
            ADOTable2->setTableName(QStringLiteral("Faktura_Szczegoly"));
            ADOTable2->setIndexFieldNames(QStringLiteral("Id_Fakt"));
        }
        ADOTable2->setMasterSource(ADOTable1, QStringLiteral("Id"));
        ADOTable3 = new data::Table(this);
        ADOTable3->setConnection(c);
        ADOTable3->setTableName(QStringLiteral("Forma_Zaplaty"));
        ADOTable3->setIndexFieldNames(QStringLiteral("Id"));
        ADOTable3->setMasterSource(ADOTable1, QStringLiteral("Forma_Zaplaty"));
        ADOQuery1 = new data::Query(this);
        ADOQuery1->setConnection(c);
        Pozycje.setDataset(ADOTable2);
        Platnosc.setDataset(ADOTable3);
        Podsumowanie.setDataset(ADOQuery1);
    }
    QuickRep1.onStartPage = [this](int page) { QuickRep1StartPage(page); };
    buildLayout(*this);
}

TFakt_Form::~TFakt_Form() = default;

void TFakt_Form::openHeader(int id)
{
    ADOTable1->setFilter(QStringLiteral("ID='%1'").arg(id));
    ADOTable1->setFiltered(true);
    ADOTable1->open();
    // The English layouts have no gross twin: a gross document's net prices are not stored, so
    // they print its gross prices and say so.
    if (variant.english && variant.kind != DocumentKind::Note)
        setGrossPrices(field(QStringLiteral("Netto_Brutto")) == QLatin1String("brutto"));
    DBEdit1Change();
}

void TFakt_Form::openVatSummary(int id)
{
    if (!ADOQuery1)
        return;
    // The id is bound, not spliced into the statement.
    ADOQuery1->close();
    if (variant.kind == DocumentKind::Correction) {
        // The differences, new line minus the line it replaced, grouped by the new line's rate.
        ADOQuery1->setSql(QStringLiteral(
            "select "
            "sum(coalesce(\"Faktura_Szczegoly.Wartosc_Netto\",0)-coalesce(\"Pozycje_Skorygowane.Wartosc_Netto\",0)) as "
            "netto,\n"
            "sum(coalesce(\"Faktura_Szczegoly.Kwota_Vat\",0)-coalesce(\"Pozycje_Skorygowane.Kwota_Vat\",0)) as vat,\n"
            "sum(coalesce(\"Faktura_Szczegoly.Wartosc_Brutto\",0)-coalesce(\"Pozycje_Skorygowane.Wartosc_Brutto\",0)) "
            "as brutto,\n"
            "\"Faktura_Szczegoly.Towary_Vat_Opis\" as towary_vat_opis from Korekta_Faktury\n"
            "where id_fakt=? group by \"Faktura_Szczegoly.Towary_Vat_Opis\""));
    } else {
        ADOQuery1->setSql(
            QStringLiteral("select sum(wartosc_netto) as netto, sum(kwota_Vat) as vat, sum(wartosc_brutto) as brutto,"
                           "towary_vat_opis from faktura_szczegoly\n"
                           "where id_fakt=? group by towary_vat_opis"));
    }
    ADOQuery1->addBindValue(id);
    ADOQuery1->open();
}

void TFakt_Form::openDetails()
{
    ADOTable1->open();
    if (ADOTable2)
        ADOTable2->open();
    if (ADOTable3)
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
    const double total = ADOTable1->fieldByName(QStringLiteral("Wart_Brutto")).asFloat();
    // A refund is a total below zero in whole grosze: noise such as -1e-15 is a total of 0,00.
    if (QRLabel5 && variant.kind == DocumentKind::Correction)
        QRLabel5->setText(std::llround(total * 100.0) < 0 ? QStringLiteral("Do zwrotu :")
                                                          : QStringLiteral("Do zapłaty : "));
    slownie->setText(Kwota_Slownie(total));
}

report::PageList TFakt_Form::layOut()
{
    if (ADOTable1->isActive())
        ADOTable1->first();
    return QuickRep1.prepare();
}

void TFakt_Form::setGrossPrices(bool gross)
{
    for (const CaptionSwap& s : priceCaptions)
        s.label->setText(gross ? s.gross : s.net);
    for (const FieldSwap& s : priceFields)
        s.text->field = gross ? s.gross : s.net;
    if (QRL_Brutto)
        QRL_Brutto->visible = gross;
}

QString TFakt_Form::buyerField(const QString& name) const { return field(buyerColumn(variant, name)); }

QString buyerColumn(const Variant& variant, const QString& name)
{
    return variant.kind == DocumentKind::Note ? QStringLiteral("Faktura.") + name : name;
}

bool HeaderSource::current() const
{
    const data::Dataset* d = dataset();
    return d && d->isActive() && d->recNo() > 0;
}

QVariant HeaderSource::value(const QString& field) const
{
    data::Field* f = current() ? dataset()->findField(field) : nullptr;
    return f ? f->value() : QVariant();
}

QString HeaderSource::text(const QString& field) const
{
    data::Field* f = current() ? dataset()->findField(field) : nullptr;
    return f ? f->asString() : QString();
}

void HeaderRows::first()
{
    header_.first();
    ended_ = header_.dataset() == nullptr || !header_.dataset()->isActive() || header_.dataset()->eof();
}

void HeaderRows::next()
{
    if (ended_)
        return;
    header_.next(); // past the last row the dataset stays on it
    ended_ = header_.dataset()->eof();
}

QString TFakt_Form::seller(const QString& name)
{
    return registry::read(registry::Root::LocalMachine, QStringLiteral("Software\\Orlimek\\Tarnex\\"), name);
}

QString TFakt_Form::field(const QString& name) const { return Naglowek.text(name); }

QString TFakt_Form::documentNumber() const
{
    return field(QStringLiteral("Typ")) + u'/' + field(QStringLiteral("Nr")) + u'/' + field(QStringLiteral("Rok"));
}

void TFakt_Form::QuickRep1StartPage(int page)
{
    if (QRL_Nazwa_L1)
        QRL_Nazwa_L1->setText(seller(QStringLiteral("Nazwa_L1")));
    if (QRL_Nazwa_L2)
        QRL_Nazwa_L2->setText(seller(QStringLiteral("Nazwa_L2")));
    if (QRL_Adres)
        QRL_Adres->setText(seller(QStringLiteral("Adres")) + QStringLiteral(", ") + seller(QStringLiteral("Kod")) + u' '
                           + seller(QStringLiteral("Miasto")));
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
    if (QRL_Z_Fakt)
        QRL_Z_Fakt->setText(QStringLiteral("FV/") + field(QStringLiteral("Nr_z_Fakt")) + u'/'
                            + field(QStringLiteral("Rok_z_Fakt")));
    if (QRLabel_Adres)
        QRLabel_Adres->setText(buyerField(QStringLiteral("Klient_Adres")) + QStringLiteral(", ")
                               + buyerField(QStringLiteral("Klient_Kod")) + u' '
                               + buyerField(QStringLiteral("Klient_Miasto")));
    if (QRL_Strona_Cala)
        QRL_Strona_Cala->setText(QStringLiteral("Strona ") + QString::number(page) + QStringLiteral(" z ")
                                 + (QRL_Strona ? QRL_Strona->caption : QString()));
}
