// TTxStringGrid assembled from its features: construction, the window life cycle, painting
// over the cells, bounds and the settings host.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/files/TxgridExchange.h"
#include "grid/paint/TxgridPainter.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/print/TxgridPrinter.h"
#include "grid/sort/TxgridFind.h"
#include "grid/sort/TxgridSortHost.h"
#include "grid/sort/TxgridSorting.h"

#include "grid/TxgridHosts.h"
#include "grid/TxgridEditingWiring.h"
#include "grid/TxgridStartup.h"
#include "grid/text/TxgridStrings.h"
#include "grid/controls/Txxpvs.h"
#include "platform/ui/Connect.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTextEdit>
#include <QTimerEvent>

namespace grid {

namespace {
int scrollBarExtent(const QWidget* w) { return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w); }
} // namespace

// The settings objects are members, made before this body in the order they are declared.
TTxStringGrid::TTxStringGrid(QWidget* AOwner)
    : TBaseGrid(AOwner), FEditing(std::make_unique<TGridEditing>(MakeEditingHost(*this))),
      FInput(std::make_unique<TGridInput>(*this))
{
    FSorting = std::make_unique<TGridSorting>(MakeSortHost(*this));
    FFinder = std::make_unique<TGridFinder>(FSorting->Host());
    // Painting, with the footer panel along the bottom, empty until the floating footer shows.
    FPainter = std::make_unique<TGridPainter>(*this);

    // Fonts: the control's and the fixed cells' are Tahoma; the active cell's is bold.
    ui::Font f = controlFont();
    f.name = QStringLiteral("Tahoma");
    setControlFont(f);
    FFixedFont = f;
    FActiveCellFont = f;
    FActiveCellFont.setStyle(ui::fsBold, true);
    FMergedColumns.OnChange = [this](TIntList&, int, int) { MergedColumnsChanged(); };
    FPrinter = std::make_unique<TGridPrinter>(MakePrintHost(*this));

    // Defaults that differ from the base grid's.
    setDefaultRowHeight(21); // the floating footer's height follows it
    FVisibleCols.set();
    ScrollWidth = scrollBarExtent(this);


    FEditing->CreateRichEdit();

    if (!designing())
        FInput->CreateControls();
}

TTxStringGrid::~TTxStringGrid()
{
    // An editor control with the focus would be told it lost it while the grid is half gone,
    // and would write into it: from here on nothing reaches the grid from its editors, and
    // they go now, while the grid is whole.
    FEditing->DropEditors();
    FInput->Detach(); // no timer, no owner form from here on
    if (FColumnSize.Save) {
        try {
            SaveColSizes();
        } catch (...) {
            // A store that cannot be written must not end the program while the grid goes.
        }
    }
    core().clearObjects(); // every property object and cell object goes; the texts go with the store
    // Controls that report to the grid go while it is whole; the rest go with the widget.
    FEditing->DropRichEdit();
}

// --- window life cycle -------------------------------------------------------------------

void TTxStringGrid::showEvent(QShowEvent* e)
{
    TBaseGrid::showEvent(e);
    if (!FWindowCreated)
        CreateWnd();
}

void TTxStringGrid::hideEvent(QHideEvent* e)
{
    // A window or grid that closes with an edit open keeps what was typed: the edit commits.
    if (!e->spontaneous() && EditActive())
        FEditing->HideInplaceEdit();
    TBaseGrid::hideEvent(e);
}

void TTxStringGrid::CreateWnd()
{
    FWindowCreated = true;
    FPainter->LayoutFooterPanel();
    if (FColumnSize.Save)
        LoadColSizes();
    FInput->StartTimer();
    FlatUpdate();
    CalcFooter(-1); // cells written before the grid showed are in the footer's first paint
}

void TTxStringGrid::resizeEvent(QResizeEvent* e)
{
    TBaseGrid::resizeEvent(e);
    FPainter->LayoutFooterPanel();
    FInput->Resized();
}


// Over the cells: the painter's part, then the marks of input (the fixed column's sizing line
// and the panning focus point).
void TTxStringGrid::paint(ui::Canvas& Canvas, const QRect& Region)
{
    TBaseGrid::paint(Canvas, Region);
    FPainter->PaintOverCells(Canvas);
    PaintInputMarks(Canvas);
}

void TTxStringGrid::Loaded()
{
    ShowColumnHeaders();
    ShowRowHeaders();
    // A registered drop target reads OleAcceptText and OleAcceptFiles from DragDropSettings
    // when data arrives, so there is nothing to hand over here.
}

void TTxStringGrid::Invalidate()
{
    if (FSkipNextInvalidate) {
        FSkipNextInvalidate = false;
        return;
    }
    invalidateGrid();
}

int TTxStringGrid::IntegralBoundsHeight(int AHeight, int DefaultRowHeight, bool HorzScrollBar, int ScrollBarHeight)
{
    if (DefaultRowHeight <= 0)
        return AHeight;
    const int rest = AHeight % DefaultRowHeight;
    if (HorzScrollBar)
        return AHeight - (rest + 1);
    return AHeight + DefaultRowHeight - rest - ScrollBarHeight - 1;
}

void TTxStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (IntegralHeight)
        AHeight = IntegralBoundsHeight(AHeight, defaultRowHeight(), visibleColCount() + fixedCols() < colCount(),
                                       scrollBarExtent(this));
    setGeometry(ALeft, ATop, AWidth, AHeight);
    if (parentWidget())
        update(); // the frame
}

// --- settings host -----------------------------------------------------------------------

quint8 TTxStringGrid::FooterCalc(int ACol)
{
    const int last = rowCount() - 1;
    return HasCellProperties(ACol, last) ? GetCellProperties(ACol, last)->FooterStyle() : 0;
}

void TTxStringGrid::SetFooterCalc(int ACol, quint8 Value)
{
    const int last = rowCount() - 1;
    if (TCellProperties* p = GetCellProperties(ACol, last))
        p->SetFooterStyle(Value);
    RepaintCell(ACol, last);
    CalcFooter(ACol); // the footer shows its value from the start
}

void TTxStringGrid::SetFooterPanelHeight(int Height) { FPainter->SetFooterPanelHeight(Height); }

void TTxStringGrid::SetFooterPanelVisible(bool Visible) { FPainter->SetFooterPanelVisible(Visible); }

void TTxStringGrid::RepaintFooterPanel() { FPainter->RepaintFooterPanel(); }

bool TTxStringGrid::RegisterDropTarget()
{
    Exchange().RegisterDropTarget();
    return true;
}

void TTxStringGrid::RevokeDropTarget() { Exchange().RevokeDropTarget(); }

} // namespace grid
