// TTxColumnGrid: the filter list dropped down from a header cell, the filter it sets, and the
// columns' popup menus.
#include "grid/columngrid/TxColumnGrid.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace grid {

namespace {
// A filter entry is a friendly name and a condition joined by the first "=", or a plain
// text that serves as both.
QString FriendlyName(const QString& Entry)
{
    const qsizetype eq = Entry.indexOf(QLatin1Char('='));
    return eq < 0 ? Entry : Entry.left(eq);
}

QString Condition(const QString& Entry)
{
    const qsizetype eq = Entry.indexOf(QLatin1Char('='));
    return eq < 0 ? Entry : Entry.mid(eq + 1);
}
} // namespace

// --- TDropList ---------------------------------------------------------------------------

TDropList::TDropList(QWidget* Parent) : QListWidget(Parent) {}

void TDropList::Choose()
{
    hide();
    if (OnSelect)
        OnSelect(*this, currentRow());
}

void TDropList::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        Choose();
        return;
    }
    QListWidget::keyPressEvent(e);
}

void TDropList::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    Choose();
}

// --- the grid ----------------------------------------------------------------------------

void TTxColumnGrid::MousePressed(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos)
{
    int c = -1, r = -1;
    if (!mouseToCell(pos, c, r)) {
        HideDropList();
        return;
    }
    const int real = RemapCol(c);
    const TRect rect = platformCellRect(c, r);
    const int fromRight = rect.Right - pos.x();
    const TGridColumnItem* item = ItemAt(real);
    if (r == 0 && real != FDropDownCol && fromRight > 3 && fromRight < 16 && item && !item->Filter().isEmpty())
        DropDownFilter(c, real);
    else
        HideDropList();
    PopupColumnMenu(button, c, r);
}

void TTxColumnGrid::HideDropList()
{
    if (FDropList->isVisible())
        FDropList->hide();
    FDropDownCol = -1;
}

void TTxColumnGrid::DropDownFilter(int ACol, int ARealCol)
{
    FDropDownCol = ARealCol;
    const TRect rect = platformCellRect(ACol, 0);
    QPalette pal = FDropList->palette();
    pal.setColor(QPalette::Base, ui::toQColor(FFilterDropDown.Color));
    FDropList->setPalette(pal);
    FDropList->setFont(FFilterDropDown.Font.toQFont());
    const int w = FFilterDropDown.ColumnWidth ? rect.width() : FFilterDropDown.Width;
    FDropList->setGeometry(rect.Left, rect.Bottom, w, FFilterDropDown.Height);
    FDropList->setFrameShape(QFrame::Box); // flat, no sunken edge
    FDropList->clear();
    for (const QString& entry : ItemAt(ARealCol)->Filter())
        FDropList->addItem(FriendlyName(entry));
    FDropList->setCurrentRow(0);
    FDropList->show();
    FDropList->raise();
    FDropList->setFocus(Qt::PopupFocusReason);
}

void TTxColumnGrid::FilterSelect(int ItemIndex)
{
    const TGridColumnItem* item = ItemAt(FDropDownCol);
    if (item && ItemIndex >= 0 && ItemIndex < item->Filter().size()) {
        const int column = FDropDownCol;
        const QString entry = item->Filter().at(ItemIndex);
        const QString friendly = FriendlyName(entry);
        QString condition = Condition(entry);
        if (AutoFilterDisplay)
            ItemAt(column)->SetHeader(friendly);
        if (AutoFilterUpdate)
            SetFilterActive(false);
        if (OnFilterSelect)
            OnFilterSelect(*this, column, ItemIndex, friendly, condition);
        TFilterData* data = Filter().GetColFilter(column);
        data->Condition = condition;
        data->CaseSensitive = ItemAt(column)->FilterCaseSensitive;
        if (AutoFilterUpdate) {
            SetFilterActive(true);
            if (fixedRows() < rowCount())
                moveCurrentRaw(col(), fixedRows());
        }
    }
    FDropDownCol = -1;
}

void TTxColumnGrid::PopupColumnMenu(Qt::MouseButton Button, int ACol, int ARow)
{
    const int real = RemapCol(ACol);
    const TGridColumnItem* item = ItemAt(real);
    QMenu* menu = item ? item->ColumnPopup() : nullptr;
    if (!menu || ARow < 0 || ARow >= rowCount())
        return;
    const TColumnPopupType fixedType = Button == Qt::LeftButton ? cpFixedCellsLClick : cpFixedCellsRClick;
    const TColumnPopupType normalType = Button == Qt::LeftButton ? cpNormalCellsLClick : cpNormalCellsRClick;
    const TColumnPopupType allType = Button == Qt::LeftButton ? cpAllCellsLClick : cpAllCellsRClick;
    if (Button != Qt::LeftButton && Button != Qt::RightButton)
        return;
    const TColumnPopupType type = item->ColumnPopupType;
    if (type != fixedType && type != normalType && type != allType)
        return;
    if (OnColumnPopup)
        OnColumnPopup(*this, real, ARow, menu);
    const bool fixedRow = ARow < fixedRows();
    if ((fixedRow && (type == fixedType || type == allType))
        || (!fixedRow && (type == normalType || type == allType))) {
        const TRect rect = platformCellRect(ACol, ARow);
        menu->popup(viewport()->mapToGlobal(QPoint(rect.Left, rect.Bottom)));
    }
}

} // namespace grid
