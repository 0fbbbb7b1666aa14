#pragma once
// The one place that numbers, writes, loads and replaces documents, and that keeps their
// identity rules: a VAT invoice is its own final view; a pro forma and a correction's header
// have none; a correction's new line takes the replaced line's place in the invoice view, the
// replaced line is detached and a reversal line ("KFVb") cancels it, with a before-image kept;
// a correction note takes over the invoice's final identity and keeps its old header.
// Every write is one transaction with its numbering: a failure leaves the database as it was.
#include "documents/Document.h"
#include "documents/Numbering.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace data {
class Connection;
}

namespace documents {

struct SaveOutcome {
    enum class Status { Saved, Cancelled, Failed };
    Status status = Status::Failed;
    qint64 nr = 0; // the number given to the document
    qint64 id = 0; // the key of its Faktura row
    QString error; // what failed, as a sentence for the user (with the database's detail)
    bool saved() const { return status == Status::Saved; }
};

class DocumentStore {
public:
    explicit DocumentStore(data::Connection& c);

    // Called with the name of each write step before it runs ("header", "lines", "delete",
    // "before-image", "new line", "reversal", "detach", "flag", "note", "clear"); tests throw
    // from it to see that nothing stays half-written.
    using StepHook = std::function<void(const char* step)>;
    void setStepHook(StepHook hook) { hook_ = std::move(hook); }

    // A new VAT invoice or pro forma (doc.own.typ "FV" / "PFV", doc.own.rok set): numbered, then
    // the header and its lines. A VAT invoice and its lines get its own identity as their final
    // view; a pro forma gets none. Lines are written in order and numbered from 1.
    SaveOutcome saveNew(const Document& doc, const FirstNumberPrompt& prompt);

    // Rewrites a stored VAT invoice (doc.id) in place: its header, its final identity again as
    // its own, and all its lines replaced by doc.lines. Refused, with nothing changed, when the
    // row is missing or is no longer editable (corrected, or taken over by a note).
    SaveOutcome replace(const Document& doc);

    // A new correction invoice of `invoice` (loaded from the store, with `invoice.final` set):
    // `korekta` carries the correction's own year, dates, payment, totals and remarks; the buyer,
    // place and price mode are taken from the invoice. Refused, with nothing written, when the
    // stored invoice is no longer the view `invoice` holds (a note or an edit saved since it was
    // loaded) or a corrected line no longer belongs to that view.
    SaveOutcome saveCorrection(const Document& korekta, const Document& invoice,
                               const std::vector<CorrectedLine>& lines, const FirstNumberPrompt& prompt);

    // A new correction note of `invoice`: `nota` carries the note's year, date, new buyer and
    // remarks; everything else comes from the invoice, whose final identity the note takes over.
    // Refused, with nothing written, when the stored invoice changed since `invoice` was loaded
    // (a note, a correction or an edit saved meanwhile).
    SaveOutcome saveNote(const Document& nota, const Document& invoice, const FirstNumberPrompt& prompt);

    // Records that a duplicate of the document `id` was printed on `date`, in a transaction of
    // its own; false when there is no such document. Throws data::Error when the write fails.
    bool markDuplicate(qint64 id, const QDate& date);

    // The stored document with the lines it wrote (in Lp order); nothing when there is no row.
    std::optional<Document> load(qint64 id) const;
    // The header only.
    std::optional<Document> loadHeader(qint64 id) const;
    // The lines of an invoice view, in the order the pickers show them.
    std::vector<DocumentLine> viewLines(qint64 nrKoncowy, int rokKoncowy) const;

private:
    // Numbers a document of `typ` in `rok` and runs `write` with the number inside one
    // transaction; `write` returns the key of the header it inserted.
    SaveOutcome numbered(const QString& typ, const QString& rok, const FirstNumberPrompt& prompt, const QString& what,
                         const std::function<qint64(qint64 nr)>& write);
    void step(const char* name) const;

    data::Connection& c_;
    StepHook hook_;
};

// Why a save against an invoice was refused: another window or copy changed it meanwhile.
QString changedMeanwhileText(const Document& invoice);

// The sentence shown when a save fails: what failed and the database's reason.
QString saveFailureText(const QString& what, const QString& detail);

} // namespace documents
