#pragma once
// What every document printout form has: the report, the data sets on the host's connection, the
// labels the entry point and the page start fill, and the page-start step shared by the layouts
// (seller block, logo, document number, referred invoice, buyer address, page line).
//
// The eleven printouts are variations of three layouts: the VAT invoice (also the pro forma), the
// correction invoice and the correction note, each with net or gross unit prices and with or
// without English captions under the Polish ones. A Variant names one; the form builds its data
// sets for the document kind and its bands from the shared layout pieces (Layout.h).
#include "platform/data/Dataset.h"
#include "platform/report/DatasetSource.h"
#include "platform/report/Report.h"

#include <QObject>

#include <vector>

enum class DocumentKind { Invoice, Correction, Note };

struct Variant {
    DocumentKind kind = DocumentKind::Invoice;
    bool proForma = false; // invoice kind only: the pro forma title, no duplicate labels
    bool gross = false;    // gross unit prices and the line saying the document was computed from gross
    bool english = false;  // English captions under the Polish ones
};

// The name of a buyer column in a document kind's header (notes: the new buyer's "Faktura.Klient_Nip").
QString buyerColumn(const Variant& variant, const QString& name);

// The document's header for the texts of every band: its current row, also once the report has run
// over its rows to their end (the bands after them, and the next run's title, still read it).
class HeaderSource : public report::DatasetSource {
public:
    using DatasetSource::DatasetSource;
    bool eof() const override { return !current(); }
    QVariant value(const QString& field) const override;
    QString text(const QString& field) const override;

private:
    bool current() const;
};

// The header's rows as a report's own rows (the note prints one detail band per header row); at
// the end the header keeps its last row current.
class HeaderRows : public report::RowSource {
public:
    explicit HeaderRows(HeaderSource& header) : header_(header) {}
    void first() override;
    void next() override;
    bool eof() const override { return ended_; }
    QVariant value(const QString& field) const override { return header_.value(field); }

private:
    HeaderSource& header_;
    bool ended_ = true;
};

class TFakt_Form : public QObject {
public:
    TFakt_Form(QObject* owner, const Variant& variant);
    ~TFakt_Form() override;

    const Variant variant;

    report::Report QuickRep1;
    data::Table* ADOTable1 = nullptr; // the header: Faktura (notes: Kwerenda_Nota), one row by Id
    data::Table* ADOTable2 = nullptr; // the lines (corrections: Korekta_Faktury); none on notes
    data::Table* ADOTable3 = nullptr; // Forma_Zaplaty of the document; none on notes
    data::Query* ADOQuery1 = nullptr; // the VAT summary by rate; none on notes
    HeaderSource Naglowek{nullptr};
    HeaderRows Wiersze{Naglowek};
    report::DatasetSource Pozycje{nullptr}, Platnosc{nullptr}, Podsumowanie{nullptr};

    report::Label* QRL_OrgKop = nullptr;
    report::Label* QRL_OrgKop_Ang = nullptr;
    report::Label* QRL_Duplikat = nullptr;
    report::Label* QRL_Duplikat_Ang = nullptr;
    report::Label* QRL_Data_Dupl = nullptr;
    report::Label* QRL_Data_Dupl_Ang = nullptr;
    report::Label* QRL_Strona = nullptr;
    report::Label* QRL_Strona_Cala = nullptr;
    report::Label* QRL_Nazwa_L1 = nullptr;
    report::Label* QRL_Nazwa_L2 = nullptr;
    report::Label* QRL_Adres = nullptr;
    report::Label* QRL_NIP = nullptr;
    report::Label* QRL_Konto = nullptr;
    report::Label* QRL_Tel = nullptr;
    report::Label* QRLabel16 = nullptr;     // document number
    report::Label* QRL_Z_Fakt = nullptr;    // number of the invoice a correction or note refers to
    report::Label* QRLabel_Adres = nullptr; // buyer address
    report::Label* QRLabel5 = nullptr;      // "Do zapłaty : " or, for a refund, "Do zwrotu :"
    report::Label* QRL_Brutto = nullptr;    // "Wartość dokumentu wyliczana od brutto"
    report::Label* slownie = nullptr;       // amount in words
    report::ImageBox* QRImage1 = nullptr;

    // The header filtered to the document and opened (the id already checked as a number). The
    // English layouts, which have no gross twin, then follow the document's price mode.
    void openHeader(int id);
    // The VAT summary by rate name (corrections: of the differences); nothing on notes.
    void openVatSummary(int id);
    // Lines and payment kind (opening an open data set changes nothing).
    void openDetails();
    // The amount in words from the header's gross total (empty when there is no header row); on
    // corrections also the refund caption.
    void DBEdit1Change();
    // Runs at every page start of every run.
    void QuickRep1StartPage(int page);
    // One layout run from the header's first row.
    report::PageList layOut();

    // "FV/12/2009" of the header row.
    QString documentNumber() const;

    // Unit prices gross (the header caption and the price fields of every line) or net.
    void setGrossPrices(bool gross);

    // Set by the layout: what setGrossPrices swaps.
    struct CaptionSwap {
        report::Label* label;
        QString net, gross;
    };
    struct FieldSwap {
        report::DataText* text;
        QString net, gross;
    };
    std::vector<CaptionSwap> priceCaptions;
    std::vector<FieldSwap> priceFields;

protected:
    // The header's buyer field (notes: the new buyer's).
    QString buyerField(const QString& name) const;
    // Value of the seller's key in the settings store ("" when missing).
    static QString seller(const QString& name);
    QString field(const QString& name) const;
};
