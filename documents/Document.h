#pragma once
// A document of any type as the program holds it between its window and the database: the
// header, its own and final identity, the buyer, the payment, the price mode and the lines.
// Amounts are exact grosze (Money); quantities, prices and rates are the numbers the line
// arithmetic produced from the typed texts. Windows turn their texts into a Document and back;
// DocumentStore is the one place that reads and writes them.
#include "documents/LineMath.h"

#include <QDate>
#include <QString>

#include <compare>
#include <optional>
#include <vector>

namespace documents {

// An amount in whole grosze. Values computed in extended precision become Money only when they
// are stored or summed, rounded half away from zero (the rounding the windows show).
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromGrosze(qint64 g) { return Money(g); }
    static Money fromValue(long double value);
    // The user's or a grid's number text ("12,50", "-3,4"); nothing when it is not a number.
    static std::optional<Money> fromText(const QString& text);

    constexpr qint64 grosze() const { return g_; }
    double toDouble() const { return double(g_) / 100.0; }
    // Fixed text with two decimals and the desktop's separator ("12,50").
    QString text() const;

    constexpr Money operator-() const { return Money(-g_); }
    constexpr Money operator+(Money o) const { return Money(g_ + o.g_); }
    constexpr Money operator-(Money o) const { return Money(g_ - o.g_); }
    Money& operator+=(Money o)
    {
        g_ += o.g_;
        return *this;
    }
    Money& operator-=(Money o)
    {
        g_ -= o.g_;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 g) : g_(g) {}
    qint64 g_ = 0;
};

// Type, year and number: the own identity of a document, or the final identity of an invoice
// view ("FV", "2011", 12). A final identity taken over by a correction note is empty ("", "", 0).
struct Identity {
    QString typ;
    QString rok;
    qint64 nr = 0;

    bool isEmpty() const { return typ.isEmpty() && rok.isEmpty() && nr == 0; }
    // "FV/12/2011", as documents are printed.
    QString text() const;
    bool operator==(const Identity&) const = default;
};

// The buyer as copied into the document.
struct Buyer {
    QString nr; // Klient_Nr (empty when typed by hand)
    QString nazwa;
    QString nazwaCd;
    bool czyFirma = false;
    QString nip;
    QString kod;
    QString miasto;
    QString adres;

    bool operator==(const Buyer&) const = default;
};

// Where a line shows: the final identity of its invoice view and its place there. Lines of a
// pro forma and reversal lines have none; a line taken out of its view by a correction is
// detached (number and year 0).
struct ViewPlace {
    qint64 nrKoncowy = 0;
    int rokKoncowy = 0;
    int lpKoncowe = 0;

    bool isDetached() const { return nrKoncowy == 0 && rokKoncowy == 0; }
};

struct DocumentLine {
    qint64 id = 0; // key of the stored row (0 before it is written)
    int lp = 0;    // number within the document that wrote it
    QString symbol;
    QString nazwa;
    QString nazwaCd;
    QString pkwiu;
    QString jm;
    double ilosc = 0;
    std::optional<double> cena;       // net unit price (written in net mode)
    std::optional<double> cenaBrutto; // gross unit price (written in gross mode)
    double rabat = 0;
    QString vatOpis; // rate name, the key of the VAT summary
    double vatWart = 0;
    Money netto;
    Money vat;
    Money brutto;

    // As stored: the writing document and the line's links (filled by the store when written).
    QString fakturaTyp; // "FV", "KFV", "KFVb" for a reversal line, ...
    std::optional<ViewPlace> view;
    bool czyKorekta = false; // replaced by a correction
    qint64 idZFakt = 0;
    int lpZFakt = 0;
    qint64 nrZFakt = 0;
    qint64 idPozycSkoryg = 0; // new line of a correction: its before-image
};

struct Document {
    qint64 id = 0; // key of the Faktura row (0 before it is written)
    Identity own;
    std::optional<Identity> final; // none for pro formas and correction headers

    QDate dataWyst;
    QString dataSprzedarzy; // free text
    QString miejsceWyst;
    Buyer buyer;
    qint64 formaZaplaty = 0; // Id of the payment kind
    int iloscDni = 0;
    std::optional<QDate> dataZaplaty;
    PriceMode mode = PriceMode::Netto;
    Money wartNetto;
    Money wartBrutto;
    QString uwagi;

    bool czyKorekta = false; // a correction invoice was issued against it
    bool czyDuplikat = false;
    std::optional<QDate> dataDuplikatu;

    // A correction or note: the invoice view it refers to and, for a note, its before-image.
    qint64 nrZFakt = 0;
    QString rokZFakt;
    qint64 idZFakt = 0;
    qint64 idFaktSkoryg = 0;

    std::vector<DocumentLine> lines;

    // An invoice that still is its own final view and carries no correction: only such an
    // invoice may be edited in place.
    bool isEditable() const;
};

// One corrected line of a correction invoice: the line of the invoice view as it was (read from
// the database, with its key, own Lp and place in the view) and the values it should have.
struct CorrectedLine {
    DocumentLine before;
    DocumentLine after;
};

} // namespace documents
