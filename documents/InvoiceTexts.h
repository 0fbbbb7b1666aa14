#pragma once
// A VAT invoice or pro forma as its window holds it (texts as shown, lines in the text grid), and
// its turning into the typed Document the store writes, and back for a window that loads one.
#include "documents/Document.h"

#include <QString>
#include <QStringList>

namespace documents {

class LineGridModel;

struct InvoiceDocument {
    QString typ; // "FV" or "PFV"
    QString nr;  // empty for a new document
    QString rok;
    QString dataWyst;
    QString dataSprzedarzy;
    QString miejsceWyst;
    QString klientNr;
    QString nazwa;
    QString nazwaCd;
    bool czyFirma = false;
    QString nip;
    QString kod;
    QString miasto;
    QString adres;
    QString sumaNetto;
    QString sumaBrutto;
    QString formaZaplaty; // the payment kind's Id
    QString dataZap;      // empty: no due date
    QString iloscDni;
    QString uwagi;
    PriceMode mode = PriceMode::Netto;
};

// The typed document of the window's texts and grid lines (unit price in the mode's column).
// A text the window's checks should have refused throws data::Error naming the field.
Document toDocument(const InvoiceDocument& texts, const LineGridModel& grid);

// The cells of a line grid row for a stored line (cell 0 left for the grid's numbering): the
// quantity with 3 decimals, the mode's unit price and the amounts and rate with 2.
QStringList gridCells(const DocumentLine& line, PriceMode mode);

} // namespace documents
