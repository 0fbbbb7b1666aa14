#pragma once
// What every feature that sees the grid through a host (editing, sorting and finding,
// printing) asks of it alike, declared once. Each function carries the grid's own published
// name and does what the grid's function of that name does, so feature code reads as grid
// code; the adapter that answers for the grid is TGridHostAdapter (grid/TxgridHostAdapter.h).
// Rows are displayed rows; columns as the grid's function of the same name takes them.
#include "grid/core/TxgridEvents.h"
#include "grid/core/TxgridPlainProperties.h"
#include "grid/core/TxgridTypes.h"
#include "grid/settings/TxgridSettings.h"

#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace grid {

class TGridHost {
public:
    virtual ~TGridHost() = default;

    // ---- events, raised with the grid as their sender: a feature never holds the grid -------
    virtual const TTxStringGridEvents& Events() const = 0;
    // Calls Event, when it is set, with the grid first and then Args.
    template <class... P, class... A>
    void Raise(const std::function<void(TGridSender, P...)>& Event, A&&... Args)
    {
        if (Event)
            Event(Sender(), std::forward<A>(Args)...);
    }

    // ---- the grid as a window, its settings and plain properties ----------------------------
    virtual QWidget* Widget() = 0; // parents dialogs and editors, takes the focus back
    virtual const TGridPlainProperties& Plain() const = 0;
    virtual TNavigation& Navigation() = 0;
    virtual TMouseActions& MouseActions() = 0;
    virtual TVAlignment VAlignment() const = 0;

    // ---- structure: counts and fixed cells, the current cell, the platform's places ---------
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int fixedCols() const = 0; // as set: the always-switches leave them
    virtual int fixedRows() const = 0;
    virtual int FixedCols() const = 0; // with FixedColAlways and FixedRowAlways
    virtual int FixedRows() const = 0;
    virtual int FixedRightCols() const = 0;
    virtual int FixedFooters() const = 0;
    virtual int col() const = 0;
    virtual int row() const = 0;
    virtual ui::GridOptions options() const = 0;
    virtual TRect platformCellRect(int ACol, int ARow) const = 0;
    virtual bool focusCell(int ACol, int ARow) = 0; // through the gate, as a click moves
    virtual void hideEditor() = 0;                  // writes the edited text back
    virtual void Invalidate() = 0;
    virtual int RemapCol(int ACol) const = 0; // displayed → real

    // ---- merged cells and nodes ---------------------------------------------------------------
    virtual TPoint BaseCell(int ACol, int ARow) const = 0;
    virtual TPoint CellSpan(int ACol, int ARow) const = 0;
    virtual bool IsMergedCell(int ACol, int ARow) const = 0;
    virtual bool HasNodes() = 0;

    // ---- cells (real column) and how they look (displayed column, as the grid paints) -------
    virtual QString cells(int ACol, int ARow) const = 0;
    virtual QString GetCellEx(int ACol, int ARow) = 0; // the text shown, OnGetDisplText's too
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                     ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                     bool& WordWrap) = 0;

private:
    // The grid, as the events' first argument and for nothing else.
    virtual TGridSender Sender() = 0;
};

} // namespace grid
