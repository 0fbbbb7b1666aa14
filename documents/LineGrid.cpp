#include "documents/LineGrid.h"

#include <QHeaderView>

#include <algorithm>

namespace documents {

LineGrid::LineGrid(int columns, QWidget* parent) : QTableView(parent), model_(columns)
{
    setModel(&model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(false);
    if (columns == LineGridModel::InvoiceColumns)
        model_.setAlignments(invoiceGridAlignments());
    setRow(1);
}

int LineGrid::Row() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && i.row() >= 1 ? i.row() : 1;
}

void LineGrid::setRow(int row)
{
    row = std::clamp(row, 1, model_.rows() - 1);
    setCurrentIndex(model_.index(row, 1));
    selectRow(row);
}

void LineGrid::setWidth(int col, int width)
{
    if (col >= model_.columns())
        return;
    setColumnHidden(col, width <= 0);
    if (width > 0)
        setColumnWidth(col, width);
}

void LineGrid::layOutInvoice(PriceMode mode, bool afterModeChange)
{
    model_.setHeader(invoiceGridHeader(mode));
    setColumnWidths(invoiceGridWidths(mode, afterModeChange));
}

} // namespace documents
