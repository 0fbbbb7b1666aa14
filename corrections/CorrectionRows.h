#pragma once
// The corrected lines of a correction invoice window as three parallel grids: row i of the
// visible "winno być" grid (17 columns: the new state), of the reversal rows and of the copies of
// the old line (16 columns each) describe the same corrected line, and column 0 of all three
// holds i. Row 0 is the header and the last row is always empty, in all three. Beside each row
// the model keeps the old line as the store loaded it, which the save turns into a CorrectedLine.
#include "documents/Document.h"
#include "documents/LineGridModel.h"

#include <QStringList>

#include <vector>

namespace corrections {

// Columns of the visible grid.
enum KolumnaKorekty {
    K_Lp = 0,
    K_Lp_Z_Fakt, // the old line's place in the invoice view (Lp_Koncowe)
    K_Symbol,
    K_Nazwa,
    K_Nazwa_cd,
    K_PKWiU,
    K_Ilosc,
    K_Jm,
    K_Cena,
    K_Cena_Brutto,
    K_Stawka,
    K_Rabat,
    K_Netto,
    K_Kwota_Vat,
    K_Brutto,
    K_Wart, // hidden: the rate's percent
    K_Id,   // hidden: the old line's key
    KolumnyKorekty
};
// Columns of the two hidden grids.
enum KolumnaPozycji {
    P_Lp = 0,
    P_Lp_Own, // the old line's own Lp
    P_Symbol,
    P_Nazwa,
    P_Nazwa_cd,
    P_PKWiU,
    P_Ilosc,
    P_Jm,
    P_Cena,
    P_Cena_Brutto,
    P_Stawka,
    P_Rabat,
    P_Netto,
    P_Kwota_Vat,
    P_Brutto,
    P_Wart,
    KolumnyPozycji
};

QStringList correctionGridHeader();
std::array<int, KolumnyKorekty> correctionGridWidths();
QVector<Qt::Alignment> correctionGridAlignments();

// A hidden grid: rows of texts with the same numbering as the visible one.
class UkryteWiersze {
public:
    UkryteWiersze();
    int rows() const { return int(rows_.size()); }
    QString cell(int row, int col) const;
    QStringList row(int row) const { return rows_.value(row); }

private:
    friend class CorrectionRows;
    QVector<QStringList> rows_;
};

class CorrectionRows {
public:
    // `visible` is the model of the "winno być" grid (17 columns); its header is set here.
    explicit CorrectionRows(documents::LineGridModel& visible);

    const documents::LineGridModel& winnoByc() const { return visible_; }
    const UkryteWiersze& storno() const { return storno_; }
    const UkryteWiersze& kopie() const { return kopie_; }
    int lineCount() const { return visible_.lineCount(); }

    // Whether the line at this place of the invoice view is corrected already.
    bool contains(int lpKoncowe) const;
    // Appends a corrected line: the 17 cells of its new state (cell 0 is filled here) and the old
    // line it replaces. Returns the row written.
    int append(const QStringList& cells, const documents::DocumentLine& before);
    // Removes a line row from all three grids and renumbers them; false when `row` is no line.
    bool remove(int row);
    void clear();

    // Σ (new − old) over the lines, net and gross, as the grids show them.
    documents::Money sumaNetto() const;
    documents::Money sumaBrutto() const;

    // Whether the differences of the lines, with one more line, total within what a document
    // takes, by rate and in all (documents::totalsWithinBound).
    bool withinBound(const QStringList& cells, const documents::DocumentLine& before) const;

    // The corrected lines for the store, in row order: the old line and its new values.
    std::vector<documents::CorrectedLine> correctedLines() const;

private:
    void renumber();

    documents::LineGridModel& visible_;
    UkryteWiersze storno_;
    UkryteWiersze kopie_;
    std::vector<documents::DocumentLine> before_; // index i - 1 for row i
};

} // namespace corrections
