// TTxColumnGrid: construction, keeping the items in step with the columns, column moves and
// widths, and the per-cell answers taken from the items.
#include "grid/columngrid/TxColumnGrid.h"

#include "grid/edit/TxgridEditors.h"
#include "grid/controls/Tsgspin.h"

#include <algorithm>
#include <type_traits>
#include <typeinfo>

namespace grid {

TTxColumnGrid::TTxColumnGrid(QWidget* AOwner) : TTxStringGrid(AOwner)
{
    FColumns = std::make_unique<TGridColumnCollection>(this);
    SynchFlagged();
    FDataCheckGraphic.CellType = ctDataCheckBox;
    FDataCheckGraphic.HAlign = haBeforeText;
    FDataCheckGraphic.Flag = true;
    FDropList = new TDropList(viewport());
    FDropList->setGeometry(0, 0, 0, 0);
    FDropList->hide();
    FDropList->OnSelect = [this](TDropList&, int ItemIndex) { FilterSelect(ItemIndex); };
}

TTxColumnGrid::~TTxColumnGrid()
{
    // The items go before the grid they would otherwise reach.
    FColumns.reset();
}

void TTxColumnGrid::ColCountChanged()
{
    if (FColumns) // not yet while the grid is built, nor any more while it goes
        SynchFlagged();
}

void TTxColumnGrid::InsertCols(int ACol, int Count)
{
    const int before = FColumns->Count();
    {
        TColumnUpdateHold hold(*FColumns);
        TTxStringGrid::InsertCols(ACol, Count); // the new items come last
        const int at = std::min(ACol, before);
        for (int k = 0; k < FColumns->Count() - before; ++k)
            FColumns->Move(FColumns->Count() - 1, at + k);
    }
    SynchFlagged(); // the headers of the items that moved
}

void TTxColumnGrid::RemoveCols(int ACol, int Count)
{
    const int before = FColumns->Count();
    if (ACol < 0 || Count <= 0 || ACol >= before) {
        TTxStringGrid::RemoveCols(ACol, Count);
        return;
    }
    Count = std::min(Count, before - ACol);
    TColumnUpdateHold hold(*FColumns);
    // The items of the removed columns go last, where the synchronisation frees them.
    for (int k = 0; k < Count; ++k)
        FColumns->Move(ACol, FColumns->Count() - 1);
    TTxStringGrid::RemoveCols(ACol, Count);
    if (FColumns->Count() == before) // nothing was removed: the items go back
        for (int k = 0; k < Count; ++k)
            FColumns->Move(FColumns->Count() - 1, ACol);
}

void TTxColumnGrid::Loaded()
{
    TTxStringGrid::Loaded();
    SynchColumns();
}

void TTxColumnGrid::CellsLoaded()
{
    TTxStringGrid::CellsLoaded();
    SynchFlagged();
}

void TTxColumnGrid::SynchFlagged()
{
    TColumnUpdateHold hold(*FColumns);
    SynchColumns();
}

void TTxColumnGrid::SynchColumns()
{
    TGridColumnCollection& c = *FColumns;
    const int want = colCount() + NumHiddenColumns();
    while (c.Count() < want)
        c.Add();
    while (c.Count() > want)
        c.Delete(c.Count() - 1);
    if (designing() && fixedRows() < rowCount())
        for (int d = 0; d < colCount(); ++d)
            setCells(RemapCol(d), fixedRows(), QStringLiteral("Column ") + QString::number(d));
    if (fixedRows() > 0)
        for (int d = 0; d < colCount(); ++d) {
            const int real = RemapCol(d);
            if (TGridColumnItem* item = c.Items(real))
                item->FHeader = cells(real, 0);
        }
}

void TTxColumnGrid::SetOrganization()
{
    SynchFlagged();
    for (int i = 0; i < FColumns->Count(); ++i)
        FColumns->Items(i)->FSavedPosition = i;
}

void TTxColumnGrid::ResetOrganization()
{
    // Each pass moves back every item that stands right of its noted place; a column
    // cannot need more passes than there are columns.
    for (int pass = 0; pass <= FColumns->Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < FColumns->Count(); ++i) {
            const int saved = FColumns->Items(i)->FSavedPosition;
            if (i > saved) {
                MoveColumn(i, saved);
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

void TTxColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TColumnUpdateHold hold(*FColumns);
    FInColumnMove = true;
    SynchColumns();
    const int top = topRow();
    TTxStringGrid::ColumnMoved(FromIndex, ToIndex);
    const int from = RemapCol(FromIndex), to = RemapCol(ToIndex);
    BeginUpdate();
    FMoving = true;
    FColumns->Move(from, to);
    RebuildColumnHeaders();
    FMoving = false;
    EndUpdate();
    setTopRow(top);
    // The items own the widths: each column takes its item's width at its new place.
    for (int d = 0; d < colCount() && d < FColumns->Count(); ++d)
        if (FColumns->Items(d)->FWidth > 0)
            setColWidths(d, FColumns->Items(d)->FWidth);
    FInColumnMove = false;
    HideSelection();
}

void TTxColumnGrid::colWidthsChanged()
{
    TTxStringGrid::colWidthsChanged();
    if (!FInColumnMove)
        CopyWidthsToItems();
}

void TTxColumnGrid::CopyWidthsToItems()
{
    if (!FColumns)
        return;
    for (int d = 0; d < colCount() && d < FColumns->Count(); ++d)
        FColumns->Items(d)->FWidth = colWidths(d);
}

void TTxColumnGrid::SetAllColWidths(int ACol, int Width)
{
    if (ACol < 0 || IsHiddenColumn(ACol))
        return;
    const int d = RemapColInv(ACol);
    if (d < colCount())
        setColWidths(d, Width);
}

void TTxColumnGrid::RebuildColumnHeaders()
{
    QStringList headers;
    for (int i = 0; i < FColumns->Count(); ++i)
        headers << FColumns->Items(i)->FHeader;
    SetColumnHeaders(headers);
}

void TTxColumnGrid::UpdateColHeaders()
{
    const QStringList& list = ColumnHeaders();
    for (int i = 0; i < FColumns->Count() && i < list.size(); ++i)
        FColumns->Items(i)->FHeader = list.at(i);
}

TGridColumnItem* TTxColumnGrid::GetColumnByName(const QString& AName) const
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->Name == AName)
            return FColumns->Items(i);
    return nullptr;
}

void TTxColumnGrid::Notification(TEditLink* Removed)
{
    for (int i = 0; i < FColumns->Count(); ++i)
        if (FColumns->Items(i)->EditLink == Removed)
            FColumns->Items(i)->EditLink = nullptr;
}

int TTxColumnGrid::GetVersionNr() { return 2; }

QString TTxColumnGrid::GetVersionString() { return QStringLiteral("2.02, January 2001"); }

// --- per-cell answers --------------------------------------------------------------------

bool TTxColumnGrid::IsNormalCell(int ACol, int ARow) const
{
    if (!ItemAt(ACol) || ACol < fixedCols() || ARow < fixedRows() || ARow >= rowCount() - fixedFooters())
        return false;
    return RemapColInv(ACol) < colCount() - fixedRightCols();
}

TGridColumnItem* TTxColumnGrid::EditableItem(int ACol, int ARow) const
{
    return ACol >= fixedCols() && ARow >= fixedRows() ? ItemAt(ACol) : nullptr;
}

TCellGraphic* TTxColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TTxStringGrid::GetCellGraphic(ACol, ARow);
    if (g || !IsNormalCell(ACol, ARow) || ItemAt(ACol)->Editor() != edDataCheckBox)
        return g;
    static constexpr TCellVAlign fromGrid[] = {vaTop, vaCenter, vaBottom}; // by TVAlignment
    FDataCheckGraphic.VAlign = fromGrid[VAlignment()];
    return &FDataCheckGraphic;
}

namespace {
// A width below a limit above 0 is raised to it, one above the other lowered to it.
void ClampWidth(int& AWidth, int Min, int Max)
{
    if (Min > 0)
        AWidth = std::max(AWidth, Min);
    if (Max > 0)
        AWidth = std::min(AWidth, Max);
}
} // namespace

void TTxColumnGrid::UpdateColSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemAt(ACol))
        ClampWidth(AWidth, item->MinSize, item->MaxSize);
    TTxStringGrid::UpdateColSize(ACol, AWidth);
}

void TTxColumnGrid::UpdateAutoColSize(int ACol, int& AWidth)
{
    if (const TGridColumnItem* item = ItemAt(ACol))
        ClampWidth(AWidth, item->AutoMinSize, item->AutoMaxSize);
    TTxStringGrid::UpdateAutoColSize(ACol, AWidth);
}

void TTxColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont)
{
    if (IsNormalCell(ACol, ARow)) {
        const TGridColumnItem* item = ItemAt(ACol);
        if (item->Fixed())
            ABrush.color = FixedColor;
        else if (!(item->ShowBands() && Bands().Active()))
            ABrush.color = item->Color();
        AFont = item->Font();
    }
    TTxStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TTxColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont)
{
    if (const TGridColumnItem* item = ItemAt(ACol)) {
        if (ACol < fixedCols() || ARow < fixedRows()) {
            AFont = PrintSettings().HeaderFont;
        } else {
            ABrush.color = item->Fixed() ? FixedColor : item->PrintColor;
            AFont = item->PrintFont;
        }
    }
    TTxStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TTxColumnGrid::GetCellBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = EditableItem(ACol, ARow)) {
        APen = item->BorderPen();
        Borders = item->Borders();
    }
    TTxStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TTxColumnGrid::GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders)
{
    if (const TGridColumnItem* item = EditableItem(ACol, ARow)) {
        APen = item->PrintBorderPen;
        Borders = item->PrintBorders;
    }
    TTxStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TTxColumnGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (const TGridColumnItem* item = ItemAt(ACol))
        HAlign = item->Alignment();
    TTxStringGrid::GetCellAlign(ACol, ARow, HAlign, VAlign);
}

void TTxColumnGrid::GetColFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (const TGridColumnItem* item = ItemAt(ACol); item && ACol >= fixedCols()) {
        AStyle = item->SortStyle;
        aPrefix = item->SortPrefix;
        aSuffix = item->SortSuffix;
    }
    TTxStringGrid::GetColFormat(ACol, AStyle, aPrefix, aSuffix);
}

void TTxColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (const TGridColumnItem* item = EditableItem(ACol, ARow)) {
        AEditor = item->Editor();
        TGridCombo* combo = GetComboBox();
        combo->clear();
        combo->addItems(item->ComboItems);
        TGridSpin* spin = GetSpinEdit();
        spin->MinValue = item->SpinMin;
        spin->MaxValue = item->SpinMax;
        spin->Increment = item->SpinStep;
        EditLink = item->EditLink;
    }
    TTxStringGrid::GetCellEditor(ACol, ARow, AEditor);
}

void TTxColumnGrid::GetCellFixed(int ACol, int ARow, bool& IsFixed)
{
    // The item answers first; the grid's own rule and its event come after it.
    const TGridColumnItem* item = EditableItem(ACol, ARow);
    IsFixed = item && item->Fixed();
    GetCellFixedAfter(ACol, ARow, IsFixed);
}

void TTxColumnGrid::GetCellReadOnly(int ACol, int ARow, bool& CanEdit)
{
    if (const TGridColumnItem* item = EditableItem(ACol, ARow))
        CanEdit = !(item->ReadOnly || item->Fixed());
    TTxStringGrid::GetCellReadOnly(ACol, ARow, CanEdit);
}

void TTxColumnGrid::GetCellPassword(int ACol, int ARow, bool& IsPassword)
{
    if (const TGridColumnItem* item = ItemAt(ACol))
        IsPassword = item->Password();
    TTxStringGrid::GetCellPassword(ACol, ARow, IsPassword);
}

template <class Event>
QString TTxColumnGrid::CheckText(QString Text, const Event& Handler, int ACol, int ARow)
{
    if (Handler)
        Handler(*this, ACol, ARow, Text);
    return Text;
}

QString TTxColumnGrid::GetCheckTrue(int ACol, int ARow)
{
    if (!IsNormalCell(ACol, ARow))
        return TTxStringGrid::GetCheckTrue(ACol, ARow);
    return CheckText(ItemAt(ACol)->CheckTrue, OnGetCheckTrue, ACol, ARow);
}

QString TTxColumnGrid::GetCheckFalse(int ACol, int ARow)
{
    if (!IsNormalCell(ACol, ARow))
        return TTxStringGrid::GetCheckFalse(ACol, ARow);
    return CheckText(ItemAt(ACol)->CheckFalse, OnGetCheckFalse, ACol, ARow);
}

bool TTxColumnGrid::GetFilter(int ACol)
{
    const TGridColumnItem* item = ItemAt(ACol);
    return item && !item->Filter().isEmpty();
}

// The filter tests the rows of this class straight from the store; a class derived from it
// may have a row test of its own, so only this exact class says so.
static_assert(std::is_same_v<decltype(&TTxColumnGrid::MatchFilter), bool (TTxStringGrid::*)(int)>,
              "with a row test of its own the column grid must not answer OwnMatchFilter with true");
bool TTxColumnGrid::OwnMatchFilter() const { return typeid(*this) == typeid(TTxColumnGrid); }

int TTxColumnGrid::GetEditLimit()
{
    const int real = RemapCol(col());
    const TGridColumnItem* item = ItemAt(real);
    const int own = item && !item->Fixed() ? item->EditLength : 0;
    // A column without a limit of its own keeps the grid's.
    return own > 0 ? own : TTxStringGrid::GetEditLimit();
}

QString TTxColumnGrid::GetEditMask(int ACol, int ARow)
{
    const int real = RemapCol(ACol);
    QString mask;
    if (const TGridColumnItem* item = ItemAt(real); item && real >= fixedCols())
        mask = item->EditMask;
    const QString base = TTxStringGrid::GetEditMask(ACol, ARow);
    return base.isEmpty() ? mask : base;
}

} // namespace grid
