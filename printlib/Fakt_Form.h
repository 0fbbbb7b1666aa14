#pragma once
// What every invoice printout form has: the report, the data sets on the host's connection, the
// labels the entry point and the page start fill, and the page-start step shared by the layouts
// (seller block, logo, document number, buyer address, page line).
#include "platform/data/Dataset.h"
#include "platform/report/DatasetSource.h"
#include "platform/report/Report.h"

#include <QObject>

class TFakt_Form : public QObject {
public:
    explicit TFakt_Form(QObject* owner);
    ~TFakt_Form() override;

    report::Report QuickRep1;
    data::Table* ADOTable1 = nullptr;  // Faktura, one row by Id
    data::Table* ADOTable2 = nullptr;  // the document's lines
    data::Table* ADOTable3 = nullptr;  // Forma_Zaplaty of the document
    data::Query* ADOQuery1 = nullptr;  // the VAT summary by rate
    report::DatasetSource Naglowek{nullptr}, Pozycje{nullptr}, Platnosc{nullptr}, Podsumowanie{nullptr};

    report::Label* QRL_OrgKop = nullptr;
    report::Label* QRL_Duplikat = nullptr;
    report::Label* QRL_Data_Dupl = nullptr;
    report::Label* QRL_Strona = nullptr;
    report::Label* QRL_Strona_Cala = nullptr;
    report::Label* QRL_Nazwa_L1 = nullptr;
    report::Label* QRL_Nazwa_L2 = nullptr;
    report::Label* QRL_Adres = nullptr;
    report::Label* QRL_NIP = nullptr;
    report::Label* QRL_Konto = nullptr;
    report::Label* QRL_Tel = nullptr;
    report::Label* QRLabel16 = nullptr;     // document number
    report::Label* QRLabel_Adres = nullptr; // buyer address
    report::Label* slownie = nullptr;       // amount in words
    report::ImageBox* QRImage1 = nullptr;

    // The header filtered to the document and opened (the id already checked as a number).
    void openHeader(int id);
    // The VAT summary of the document's lines by rate name.
    void openVatSummary(int id);
    // Lines and payment kind (opening an open data set changes nothing).
    void openDetails();
    // The amount in words from the header's gross total (empty when there is no header row).
    void DBEdit1Change();
    // Runs at every page start of every run.
    void QuickRep1StartPage(int page);

    // "FV/12/2009" of the header row.
    QString documentNumber() const;

protected:
    // Value of the seller's key in the settings store ("" when missing).
    static QString seller(const QString& name);
    QString field(const QString& name) const;
};
