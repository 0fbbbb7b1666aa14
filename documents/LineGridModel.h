#pragma once
// The text grid that holds a document's lines: row 0 is the header, rows 1 .. rowCount()-2 are
// the lines (cell 0 holds the line number, equal to the row index) and the last row is always
// empty, so a document without lines has two rows. Totals are summed from the shown cells, so
// the totals always equal the sum of what the lines show.
#include "documents/LineMath.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>
#include <array>

namespace documents {

// Columns of the 14-column invoice line grid.
enum InvoiceColumn {
    Col_Lp = 0,
    Col_Symbol,
    Col_Nazwa,
    Col_Nazwa_cd,
    Col_PKWiU,
    Col_Ilosc,
    Col_Jm,
    Col_Cena,
    Col_Rabat,
    Col_Netto,
    Col_Stawka,
    Col_Kwota_Vat,
    Col_Brutto,
    Col_Wart,
};

class LineGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int InvoiceColumns = 14;

    explicit LineGridModel(int columns = InvoiceColumns, QObject* parent = nullptr);

    int columns() const { return columns_; }
    // All rows: the header, the lines and the empty last row.
    int rows() const { return int(rows_.size()); }
    int lineCount() const { return rows() - 2; }
    bool hasLines() const { return lineCount() > 0; }
    // A row that holds a line (not the header, not the empty last row).
    bool isLine(int row) const { return row >= 1 && row < rows() - 1; }

    QString cell(int row, int col) const;
    void setCell(int row, int col, const QString& text);
    QStringList row(int row) const;

    // Row 0.
    void setHeader(const QStringList& titles);
    // Writes the cells into the empty last row with its line number in cell 0 and adds a new
    // empty row; returns the row written.
    int appendLine(const QStringList& cells);
    // Rewrites the cells from `fromColumn` on of a line row; the cells before it keep their text.
    bool replaceLine(int row, const QStringList& cells, int fromColumn);
    // Removes a line row and renumbers the remaining lines; false when `row` is not a line.
    bool removeLine(int row);
    // Removes every line, keeping the header and the empty row.
    void clearLines();

    // Sum of a column over the lines, each cell read as a number (unreadable cells count 0).
    long double sum(int column) const;
    // The same as fixed-point text with two decimals.
    QString sumText(int column) const;

    void setAlignments(const QVector<Qt::Alignment>& alignments);

    // Qt model interface. The grid widget shows row 0 and column 0 as its fixed header row and
    // fixed first column (see headerData); data() serves every cell.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The fixed cells as the view's headers: row 0 across the top, the line numbers (column 0)
    // down the left side.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void renumber();

    int columns_;
    QVector<QStringList> rows_;
    QVector<Qt::Alignment> alignments_;
};

// Layout of the 14-column invoice grid in a price mode.
QStringList invoiceGridHeader(PriceMode mode);
// Column widths; 0 hides a column. The gross price column is wider after the user changed the
// mode than when a window opens in gross mode.
std::array<int, LineGridModel::InvoiceColumns> invoiceGridWidths(PriceMode mode, bool afterModeChange = false);
QVector<Qt::Alignment> invoiceGridAlignments();

} // namespace documents
