#include "documents/LineGrid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>

#include <algorithm>

namespace documents {

LineGrid::LineGrid(int columns, QWidget* parent) : QTableView(parent), model_(columns)
{
    setModel(&model_);
    // Row 0 and column 0 are shown as the view's own headers (see LineGridModel::headerData),
    // which stay in place while the cells scroll; in the cell area they are hidden.
    setRowHidden(0, true);
    setColumnHidden(Col_Lp, true);
    QHeaderView* top = horizontalHeader();
    top->setSectionsClickable(false);
    top->setHighlightSections(false);
    top->setSectionResizeMode(QHeaderView::Fixed);
    top->setMinimumSectionSize(0);
    QHeaderView* left = verticalHeader();
    left->setSectionsClickable(false);
    left->setHighlightSections(false);
    left->setSectionResizeMode(QHeaderView::Fixed);
    left->setDefaultSectionSize(20);
    left->setFixedWidth(40);
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_)
        corner_->installEventFilter(this);
    setCornerButtonEnabled(false);
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

bool LineGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        // The corner carries the caption of the number column, like the other header cells.
        QStylePainter p(corner_);
        QFont f = p.font();
        f.setBold(true);
        p.setFont(f);
        QStyleOptionHeader opt;
        opt.initFrom(corner_);
        // The corner does nothing when clicked, but its caption is read like the others.
        opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
        opt.palette.setCurrentColorGroup(QPalette::Active);
        opt.rect = corner_->rect();
        opt.position = QStyleOptionHeader::OnlyOneSection;
        opt.text = model_.cell(0, Col_Lp);
        opt.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        p.drawControl(QStyle::CE_Header, opt);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

int LineGrid::columnWidthOf(int col) const
{
    if (col == Col_Lp)
        return verticalHeader()->isHidden() ? 0 : verticalHeader()->maximumWidth();
    return isColumnHidden(col) ? 0 : columnWidth(col);
}

void LineGrid::setWidth(int col, int width)
{
    if (col >= model_.columns())
        return;
    if (col == Col_Lp) {
        verticalHeader()->setHidden(width <= 0);
        if (width > 0)
            verticalHeader()->setFixedWidth(width);
        return;
    }
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
