#pragma once
// The pick of the stored VAT invoice that a correction invoice or a correction note is issued
// against: the invoices of one year by their final identity (an invoice taken over by a note is
// listed as the note), a year combo, sort and search, "Wstaw" and "Anuluj / Zamknij". The list is
// DataModule1's ADOTable_Faktura_Korekta with its line detail; "Wstaw" hands the chosen final
// identity to the window that opened the pick. Form_Do_Korekty and Form_Do_Noty are its twins.
#include "dictionaries/PickDialog.h"
#include "documents/Document.h"

class QComboBox;
class QLabel;

namespace data {
class Table;
class DataSource;
} // namespace data

namespace ui {
class DbLookupCombo;
}

namespace corrections {

// The window that gets the chosen invoice.
class InvoiceReceiver {
public:
    virtual ~InvoiceReceiver() = default;
    // `koncowa` is the final identity of the chosen row ("FV", year, number).
    virtual void Wstaw_Fakture(const documents::Identity& koncowa) = 0;

protected:
    // Keeps the header of the invoice `id` as the window took it (nothing for 0): a save hands
    // it to the store, which refuses it when another window or copy changed the invoice since.
    void Zapamietaj_Fakture(qint64 id);
    // The kept header when it is the invoice `id`, else an empty document (which no save accepts).
    documents::Document Wybrana_Faktura(qint64 id) const;

private:
    std::optional<documents::Document> wybrana_;
};

struct UstawieniaFaktur {
    QString nazwaOkna; // "Form_Do_Korekty"
    QString tytul;
    QString nazwaSiatki; // the invoice grid
    QString nazwaSortu;  // the sort combo
    std::vector<ui::DbColumn> kolumny;
};

// The filter of the list: VAT invoice views whose final year is `rok` (text, as stored).
QString filtrFaktur(const QString& rok);

class InvoicePicker : public dictionaries::PickDialog {
    Q_OBJECT
public:
    // What the caller's "Pobierz dokument" does before it shows the pick: the list of the year
    // `rok` by final number, opened (with its lines when the pick shows them), and the year combo
    // set; the chosen invoice goes to `odbiorca`.
    void Przygotuj(int rok, InvoiceReceiver* odbiorca);

    // The user chose a year: the list holds that year's invoices.
    void JvDBLookupCombo_RokClick();

    ui::DbLookupCombo* JvDBLookupCombo_Rok;
    data::Table* ADOTable_Rok;
    data::DataSource* DataSource_Rok;

protected:
    // `zLiniami`: the pick shows the chosen invoice's current lines and reads the list afresh
    // on each showing.
    InvoicePicker(const UstawieniaFaktur& u, bool zLiniami, QWidget* owner);
    void wstawDane() override;

private:
    bool zLiniami_;
    InvoiceReceiver* odbiorca_ = nullptr;
};

} // namespace corrections
