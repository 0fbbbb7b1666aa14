#pragma once
// Writing a document: numbering, the header row of Faktura, its key and one Faktura_Szczegoly
// row per grid line, all in one transaction, so that a failure anywhere leaves nothing written.
#include "documents/LineMath.h"
#include "documents/Numbering.h"

#include <QString>
#include <functional>

namespace data {
class Connection;
}

namespace documents {

class LineGridModel;

struct SaveOutcome {
    enum class Status { Saved, Cancelled, Failed };
    Status status = Status::Failed;
    qint64 nr = 0;   // the number given to the document
    qint64 id = 0;   // the key of its Faktura row
    QString error;   // why the save failed (data::Error::cause) when it failed
    bool saved() const { return status == Status::Saved; }
};

// Numbers a new document of `typ` in the year `rok` and runs `write` with that number inside
// one transaction; `write` returns the key of the row it inserted. When no document of the type
// exists yet, `prompt` asks for the first number (outside the transaction); a cancelled prompt
// writes nothing. Any failure rolls everything back and is returned, never thrown.
SaveOutcome saveNumbered(data::Connection& c, const QString& typ, const QString& rok,
                         const FirstNumberPrompt& prompt, const std::function<qint64(qint64 nr)>& write);

// A VAT or pro forma invoice as its window holds it (texts as shown).
struct InvoiceDocument {
    QString typ;  // "FV" or "PFV"
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
    QString formaZaplaty;  // the payment kind's Id
    QString dataZap;       // empty: no due date
    QString iloscDni;
    QString uwagi;
    PriceMode mode = PriceMode::Netto;
    // A VAT invoice is its own final view (and so are its lines); a pro forma has none.
    bool finalIdentity = true;
};

// Inserts the header row with the number `nr`; returns its key. Throws data::Error.
qint64 insertInvoiceHeader(data::Connection& c, const InvoiceDocument& doc, qint64 nr);
// Inserts one line row per grid line for the document `id` numbered `nr`. Throws data::Error.
void insertInvoiceLines(data::Connection& c, qint64 id, qint64 nr, const InvoiceDocument& doc,
                        const LineGridModel& grid);

// The whole save of a new VAT or pro forma invoice.
SaveOutcome saveNewInvoice(data::Connection& c, const InvoiceDocument& doc, const LineGridModel& grid,
                           const FirstNumberPrompt& prompt);

} // namespace documents
