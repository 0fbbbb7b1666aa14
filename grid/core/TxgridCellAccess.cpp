// Cell accessors: selected cells, hidden rows, unsorted rows, colours, numbers and rich text.
#include "grid/core/TxgridCellAccess.h"

#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/text/TxgridRTF.h"
#include "grid/text/TxgridStrings.h"

#include <QTextEdit>

#include <algorithm>

namespace grid {

namespace {

constexpr int kPackLimit = 0xFFFF;

int Pack(int ACol, int ARow) { return ACol | (ARow << 16); }

// The slot object of a stored (hidden) row's cell: its cell properties, made when missing.
TCellProperties* StoredProps(TTxStringGrid& g, ui::StringGridCore::RowData& Row, int ACol, int ARow, bool Make)
{
    if (ACol < 0)
        return nullptr;
    if (std::size_t(ACol) >= Row.objects.size()) {
        if (!Make)
            return nullptr;
        Row.objects.resize(std::size_t(ACol) + 1);
    }
    std::unique_ptr<ui::CellObject>& slot = Row.objects[std::size_t(ACol)];
    if (slot && slot->objectKind() == okCellProperties)
        return static_cast<TCellProperties*>(slot.get());
    if (!Make || slot)
        return nullptr;
    slot = std::make_unique<TCellProperties>(&g, ACol, ARow);
    return static_cast<TCellProperties*>(slot.get());
}

} // namespace

TTxStringGrid& TGridCellAccess::Self() { return static_cast<TTxStringGrid&>(*this); }
const TTxStringGrid& TGridCellAccess::Self() const { return static_cast<const TTxStringGrid&>(*this); }

// --- selected cells --------------------------------------------------------------------------

void TGridCellAccess::ClearSelectedCells()
{
    FSelectedCells.clear();
    Self().Invalidate();
}

int TGridCellAccess::GetSelectedCellPacked(int Index) const
{
    return Index >= 0 && Index < GetSelectedCellsCount() ? FSelectedCells[std::size_t(Index)] : -1;
}

QPoint TGridCellAccess::GetSelectedCell(int Index) const
{
    // (A packed row from 32768 on reads as a negative number: the index alone tells the list.)
    if (Index < 0 || Index >= GetSelectedCellsCount())
        return {-1, -1};
    const int p = FSelectedCells[std::size_t(Index)];
    return {p & 0xFFFF, (p >> 16) & 0xFFFF};
}

bool TGridCellAccess::GetSelectedCells(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol > kPackLimit || ARow > kPackLimit)
        return false;
    return std::find(FSelectedCells.begin(), FSelectedCells.end(), Pack(ACol, ARow)) != FSelectedCells.end();
}

void TGridCellAccess::SetSelectedCells(int ACol, int ARow, bool Value)
{
    if (ACol < 0 || ARow < 0 || ACol > kPackLimit || ARow > kPackLimit)
        return; // would alias another cell once packed
    const int p = Pack(ACol, ARow);
    const auto it = std::find(FSelectedCells.begin(), FSelectedCells.end(), p);
    if (Value == (it != FSelectedCells.end()))
        return;
    if (Value)
        FSelectedCells.push_back(p);
    else
        FSelectedCells.erase(it);
    Self().RepaintCell(ACol, ARow);
}

// --- hidden rows -----------------------------------------------------------------------------

QString TGridCellAccess::GetCellsEx(int ACol, int ARow)
{
    TTxStringGrid& g = Self();
    if (const ui::StringGridCore::RowData* r = g.HiddenRow(ARow))
        return ACol >= 0 && std::size_t(ACol) < r->texts.size() ? r->texts[std::size_t(ACol)] : QString();
    return g.cells(ACol, g.RemapRow(ARow));
}

void TGridCellAccess::SetCellsEx(int ACol, int ARow, const QString& Value)
{
    TTxStringGrid& g = Self();
    if (ui::StringGridCore::RowData* r = g.HiddenRow(ARow)) {
        if (ACol < 0)
            return;
        if (std::size_t(ACol) >= r->texts.size())
            r->texts.resize(std::size_t(ACol) + 1);
        r->texts[std::size_t(ACol)] = Value;
        return;
    }
    const int d = g.RemapRow(ARow);
    g.setCells(ACol, d, Value);
    if (g.RemapColInv(ACol) != ACol)
        g.RepaintCell(g.RemapColInv(ACol), d);
}

ui::CellObject* TGridCellAccess::GetObjectsEx(int ACol, int ARow)
{
    TTxStringGrid& g = Self();
    if (ui::StringGridCore::RowData* r = g.HiddenRow(ARow)) {
        const TCellProperties* p = StoredProps(g, *r, ACol, ARow, false);
        return p ? p->ObjectRef() : nullptr;
    }
    return g.GetObjectEx(ACol, g.RemapRow(ARow));
}

void TGridCellAccess::SetObjectsEx(int ACol, int ARow, ui::CellObject* Obj)
{
    TTxStringGrid& g = Self();
    if (ui::StringGridCore::RowData* r = g.HiddenRow(ARow)) {
        if (TCellProperties* p = StoredProps(g, *r, ACol, ARow, true))
            p->SetObjectRef(Obj);
        return;
    }
    g.SetObjectEx(ACol, g.RemapRow(ARow), Obj);
}

// --- unsorted rows ---------------------------------------------------------------------------

int TGridCellAccess::UnSortedDisplayRow(int ARow)
{
    TTxStringGrid& g = Self();
    const int d = ARow > g.SortCrossReference().Count() ? ARow : g.UnSortedRowIndex(ARow);
    return d >= 0 && d < g.RowCount() ? d : -1;
}

QString TGridCellAccess::GetUnSortedCell(int ACol, int ARow)
{
    const int d = UnSortedDisplayRow(ARow);
    return d < 0 ? QString() : Self().cells(ACol, d);
}

void TGridCellAccess::SetUnSortedCell(int ACol, int ARow, const QString& Value)
{
    if (const int d = UnSortedDisplayRow(ARow); d >= 0)
        Self().setCells(ACol, d, Value);
}

// --- texts, widths, colours, cursor ------------------------------------------------------

QString TGridCellAccess::GetStrippedCell(int ACol, int ARow) { return StripTags(Self().cells(ACol, ARow)); }

int TGridCellAccess::GetAllColWidths(int ACol)
{
    TTxStringGrid& g = Self();
    if (g.IsHiddenColumn(ACol))
        return KeptColWidth(ACol);
    return g.colWidths(g.RemapColInv(ACol));
}

void TGridCellAccess::SetAllColWidths(int ACol, int Width)
{
    TTxStringGrid& g = Self();
    if (g.IsHiddenColumn(ACol))
        KeptColWidth(ACol) = quint16(std::clamp(Width, 0, 0xFFFF));
    else
        g.setColWidths(g.RemapColInv(ACol), Width);
}

ui::Color TGridCellAccess::GetColors(int ACol, int ARow)
{
    TTxStringGrid& g = Self();
    return g.HasCellProperties(ACol, ARow) ? g.GetCellProperties(ACol, ARow)->BrushColor() : ui::clNone;
}

void TGridCellAccess::SetColors(int ACol, int ARow, ui::Color Value)
{
    TTxStringGrid& g = Self();
    if (TCellProperties* p = g.GetCellProperties(ACol, ARow))
        p->SetBrushColor(Value);
    g.RepaintCell(g.RemapColInv(ACol), ARow);
}

QCursor TGridCellAccess::GetCursorEx() const { return Self().cursor(); }

void TGridCellAccess::SetCursorEx(const QCursor& Value)
{
    FOwnCursor = Value;
    Self().setCursor(Value);
}

void TGridCellAccess::SetIntegralHeight(bool Value)
{
    TTxStringGrid& g = Self();
    g.IntegralHeight = Value;
    g.SetBounds(g.x(), g.y(), g.width(), g.height());
}

// --- numbers and rich text -----------------------------------------------------------------

int RealErrorPosition(const QString& Text)
{
    const qsizetype n = Text.size();
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && Text.at(i).unicode() >= '0' && Text.at(i).unicode() <= '9')
            ++i;
        return i > from;
    };
    while (i < n && Text.at(i) == u' ')
        ++i;
    if (i < n && (Text.at(i) == u'+' || Text.at(i) == u'-'))
        ++i;
    bool any = digits();
    if (i < n && Text.at(i) == u'.') {
        ++i;
        any = digits() || any;
    }
    if (!any)
        return int(std::min(i, n)) + 1;
    if (i < n && (Text.at(i) == u'e' || Text.at(i) == u'E')) {
        ++i;
        if (i < n && (Text.at(i) == u'+' || Text.at(i) == u'-'))
            ++i;
        if (!digits())
            return int(i) + 1;
    }
    return i < n ? int(i) + 1 : 0;
}

double TGridCellAccess::CellToReal(int ACol, int ARow)
{
    const QString s = Self().cells(ACol, ARow);
    if (s.isEmpty())
        return 0;
    if (const int p = RealErrorPosition(s); p > 0)
        throw ETxGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(p).arg(ACol).arg(ARow));
    return s.trimmed().toDouble();
}

void TGridCellAccess::CellToRich(int ACol, int ARow, QTextEdit& Edit)
{
    const QString s = Self().cells(ACol, ARow);
    if (s.isEmpty())
        Edit.clear();
    else
        RichTextToDocument(s, *Edit.document());
}

void TGridCellAccess::RichToCell(int ACol, int ARow, QTextEdit& Edit)
{
    Self().setCells(ACol, ARow, DocumentToRichText(*Edit.document()));
}

const QString& DisplayedCellRef(TTxStringGrid& Grid, int ACol, int ARow, QString& Buffer)
{
    const TPoint b = Grid.BaseCell(ACol, ARow);
    if (Grid.OnGetDisplText && b.y() < Grid.DisplTextRowLimit()) {
        Buffer = Grid.GetCellEx(ACol, ARow);
        return Buffer;
    }
    return Grid.core().cellRef(b.x(), b.y());
}

} // namespace grid
