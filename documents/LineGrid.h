#pragma once
// The line grid widget of the document windows: shows a LineGridModel with one fixed header row
// (row 0, bold, across the top) and one fixed first column (the line numbers, down the left
// side), which stay in view while the lines scroll either way; whole-row selection, no in-place
// editing. It lays itself out for a price mode.
#include "documents/LineGridModel.h"

#include <QTableView>

namespace documents {

class LineGrid : public QTableView {
    Q_OBJECT
public:
    explicit LineGrid(int columns = LineGridModel::InvoiceColumns, QWidget* parent = nullptr);

    LineGridModel& lines() { return model_; }
    const LineGridModel& lines() const { return model_; }

    // The selected row (a line, or the empty last row); 1 when nothing is selected yet.
    int Row() const;
    void setRow(int row);
    int RowCount() const { return model_.rows(); }

    // Widths of the columns; 0 hides a column.
    template <class Widths>
    void setColumnWidths(const Widths& widths)
    {
        int c = 0;
        for (int w : widths)
            setWidth(c++, w);
    }
    int columnWidthOf(int col) const;

    // Header texts and widths of the 14-column invoice grid in a mode.
    void layOutInvoice(PriceMode mode, bool afterModeChange = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setWidth(int col, int width);
    LineGridModel model_;
    QWidget* corner_ = nullptr; // where the header row meets the first column ("Lp.")
};

} // namespace documents
