// TTxStringGrid: scrolling a cell into view, stretching the last column, the sizing zone, the
// end of sizing by the mouse (proportional sizing and its events), following the control's and
// the form's size, the scroll-thumb hints, and the combo editor's item list.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/input/TxgridScrollStyle.h"
#include "grid/input/TxgridHintWindow.h"
#include "platform/ui/Connect.h"

#include <QCoreApplication>
#include <QCursor>
#include <QScrollBar>

namespace grid {

namespace {

// Every column (row) from First on but Except grows or shrinks by Factor, never below a pixel.
void ScaleSizes(TTxStringGrid& g, bool Cols, int First, int Except, double Factor)
{
    const int n = Cols ? g.colCount() : g.rowCount();
    for (int i = First; i < n; ++i) {
        if (i == Except)
            continue;
        const int size = std::max(1, int(std::lround((Cols ? g.colWidths(i) : g.rowHeights(i)) * Factor)));
        Cols ? g.setColWidths(i, size) : g.setRowHeights(i, size);
    }
}

} // namespace

void TTxStringGrid::ScrollInView(int ACol, int ARow) { FInput->ScrollInView(ACol, ARow); }
void TTxStringGrid::StretchRightColumn() { FInput->StretchRightColumn(); }
bool TTxStringGrid::InSizeZone(int X, int Y) { return FInput->InSizeZone(X, Y); }
void TTxStringGrid::ColWidthsChanged() { FInput->ColWidthsChanged(); }
void TTxStringGrid::RowHeightsChanged() { FInput->RowHeightsChanged(); }
void TTxStringGrid::FlatUpdate() { FInput->FlatUpdate(); }

void TGridInput::ScrollInView(int ACol, int ARow)
{
    G& g = FGrid;
    if (ACol < 0 || ARow < 0 || ACol >= g.colCount() || ARow >= g.rowCount())
        return;
    int left = g.leftCol(), top = g.topRow();
    const int visCols = g.visibleColCount(), visRows = g.visibleRowCount();
    int c = g.col(), r = g.row();
    if (ACol < left || ACol >= left + visCols) {
        c = ACol;
        left = std::max(ACol - visCols / 2, g.fixedCols());
    }
    if (ARow < top || ARow >= top + visRows) {
        r = ARow;
        top = std::max(ARow - visRows / 2, g.fixedRows());
    }
    left = std::max(g.fixedCols(), std::min(left, g.colCount() - visCols + 1));
    top = std::max(g.fixedRows(), std::min(top, g.rowCount() - visRows + 1));
    if (c != g.col() || r != g.row())
        g.focusCell(c, r);
    g.setLeftCol(left);
    g.setTopRow(top);
}

void TGridInput::StretchRightColumn()
{
    G& g = FGrid;
    if (g.colCount() == 0 || !g.ColumnSize().Stretch() || !FState.StretchEnabled)
        return;
    FState.StretchEnabled = false;
    const int client = g.clientWidth();
    if (g.colCount() == 1) {
        g.setColWidths(0, client);
    } else {
        int sum = 0;
        for (int c = 0; c < g.colCount() - 1; ++c)
            sum += g.colWidths(c);
        if (sum < client)
            g.setColWidths(g.colCount() - 1, client - sum - 1);
    }
    FState.StretchEnabled = true;
}

bool TGridInput::InSizeZone(int X, int Y)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (!g.mouseToCell(QPoint(X, Y), c, r))
        return false;
    const TRect cr = g.platformCellRect(c, r);
    bool zone = false;
    if (r <= g.fixedRows() && (g.options() & ui::goColSizing))
        zone = X - cr.Left < 4 || cr.Right - X < 4;
    if (c <= g.fixedCols() && (g.options() & ui::goRowSizing))
        zone = Y - cr.Top < 4 || cr.Bottom - Y < 4;
    return zone;
}

void TGridInput::ColWidthsChanged()
{
    G& g = FGrid;
    g.StretchRightColumn();
    const int ref = FState.SizeCol;
    if (ref >= 0) {
        const int before = FState.SizeWidth, now = g.colWidths(ref);
        // Every other normal column grows or shrinks by the same factor.
        if (g.MouseActions().AllColumnSize && before > 0 && now != before)
            ScaleSizes(g, true, g.fixedCols(), ref, double(now) / before);
        if (g.OnEndColumnSize)
            g.OnEndColumnSize(g, ref);
        int w = g.colWidths(ref);
        g.UpdateColSize(ref, w);
        if (w != g.colWidths(ref))
            g.setColWidths(ref, w);
    }
    FState.SizeCol = -1;
    FState.MoveOrSizeFinished = true;
    if (g.HasCheckBox(g.RemapCol(g.col()), g.row()))
        g.HideCellEdit();
    g.RepaintFooterPanel();
}

void TGridInput::RowHeightsChanged()
{
    G& g = FGrid;
    const int ref = FState.SizeRow;
    if (ref >= 0) {
        const int before = FState.SizeHeight, now = g.rowHeights(ref);
        if (g.MouseActions().AllRowSize && before > 0 && now != before)
            ScaleSizes(g, false, g.fixedRows(), ref, double(now) / before);
        if (g.OnEndRowSize)
            g.OnEndRowSize(g, ref);
    }
    FState.SizeRow = -1;
    FState.MoveOrSizeFinished = true;
    if (g.HasCheckBox(g.RemapCol(g.col()), g.row()))
        g.HideCellEdit();
}

void TGridInput::Resized()
{
    G& g = FGrid;
    const int w = g.clientWidth();
    if (FState.LastClientWidth > 0 && w != FState.LastClientWidth && g.ColumnSize().SynchWithGrid)
        ScaleSizes(g, true, 0, -1, double(w) / FState.LastClientWidth);
    FState.LastClientWidth = w;
    if (g.ColumnSize().Stretch()) {
        g.StretchRightColumn();
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void TGridInput::OwnerFormResized()
{
    G& g = FGrid;
    if (g.designing() || !FOwnerForm)
        return;
    const int dw = FOwnerForm->width() - FFormWidth, dh = FOwnerForm->height() - FFormHeight;
    if (g.SizeWithForm && g.width() + dw > 0 && g.height() + dh > 0)
        g.resize(g.width() + dw, g.height() + dh);
    FFormWidth = FOwnerForm->width();
    FFormHeight = FOwnerForm->height();
    g.StretchRightColumn();
}

// While a scroll thumb is dragged the row (column) it reaches shows beside the mouse.
void TGridInput::ConnectScrollBars()
{
    G& g = FGrid;
    auto hint = [this, &g](bool Vertical) {
        const TScrollHintType h = g.ScrollHints;
        if (h == shNone || (Vertical ? h == shHorizontal : h == shVertical))
            return;
        QScrollBar* bar = Vertical ? g.verticalScrollBar() : g.horizontalScrollBar();
        const int pos = bar->maximum() > 0 ? int(std::lround(bar->sliderPosition() * 127.0 / bar->maximum())) : 0;
        const int n = Vertical ? ScrollHintNumber(pos, g.rowCount(), g.visibleRowCount(), g.fixedRows())
                               : ScrollHintNumber(pos, g.colCount(), g.visibleColCount(), g.fixedCols());
        QString text = (Vertical ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) + QString::number(n);
        if (g.OnScrollHint)
            g.OnScrollHint(g, n, text);
        ShowHintWindow(QCursor::pos() + QPoint(10, 10), 100, text);
    };
    auto done = [this] {
        if (FHintWindow)
            FHintWindow->hide();
    };
    ui::on(g.verticalScrollBar(), &QScrollBar::sliderMoved, &g, [hint](int) { hint(true); });
    ui::on(g.horizontalScrollBar(), &QScrollBar::sliderMoved, &g, [hint](int) { hint(false); });
    ui::on(g.verticalScrollBar(), &QScrollBar::sliderReleased, &g, done);
    ui::on(g.horizontalScrollBar(), &QScrollBar::sliderReleased, &g, done);
    // Without ScrollSynch the grid scrolls once, where the thumb is let go; with it, live.
    for (QScrollBar* bar : {g.verticalScrollBar(), g.horizontalScrollBar()})
        ui::on(bar, &QScrollBar::sliderPressed, &g, [&g, bar] { bar->setTracking(g.ScrollSynch); });
}

void TTxStringGrid::topLeftChanged()
{
    TBaseGrid::topLeftChanged();
    // A control over a cell would stay where it is, over another cell: it closes, its value
    // going to the cell it was opened on. The text editor moves with its cell by itself.
    if (EditActive() && !IsTextEditorType(CurrentEditorType()) && !FEditing->State().HidingControl)
        HideInplaceEdit();
    RepaintFooterPanel(); // its cells scroll with the columns (a hidden panel ignores it)
}

// The bars keep the platform's look while the grid asks for nothing else (a proportional
// thumb among it): a style of their own draws them otherwise, with the square thumb the grid
// has unless ScrollProportional.
void TGridInput::FlatUpdate()
{
    G& g = FGrid;
    const bool platform = g.ScrollType == ssNormal && g.ScrollColor == ui::clNone && g.ScrollProportional
        && g.ScrollWidth == g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
    if (!FScrollStyle) {
        if (platform)
            return;
        FScrollStyle = new TScrollBarStyle;
        FScrollStyle->setParent(&g); // goes after the bars, which were made first
        g.verticalScrollBar()->setStyle(FScrollStyle);
        g.horizontalScrollBar()->setStyle(FScrollStyle);
    }
    FScrollStyle->Type = g.ScrollType;
    FScrollStyle->Color = g.ScrollColor == ui::clNone ? QColor() : ui::toQColor(g.ScrollColor);
    FScrollStyle->Width = std::max(0, g.ScrollWidth);
    FScrollStyle->Proportional = g.ScrollProportional;
    for (QScrollBar* b : {g.verticalScrollBar(), g.horizontalScrollBar()}) {
        b->updateGeometry();
        b->update();
    }
    QEvent relayout(QEvent::LayoutRequest); // the area places its bars in their new width
    QCoreApplication::sendEvent(&g, &relayout);
}

int ScrollHintNumber(int Pos, int Count, int Visible, int Fixed)
{
    return int(std::lround(double(Pos) * (Count - Visible - Fixed) / 127.0)) + Fixed;
}

// --- the move and drop markers' colour -------------------------------------------------------

void TTxStringGrid::SetArrowColor(TColor Value)
{
    for (int d = 0; d < 4; ++d)
        if (TArrowWindow* a = MoveArrow(d))
            a->setControlColor(Value);
}

TColor TTxStringGrid::GetArrowColor() const
{
    const TArrowWindow* a = MoveArrow(0);
    return a ? a->controlColor() : ui::clLime;
}

// --- the combo editor's items --------------------------------------------------------------

void TTxStringGrid::ClearComboString() { GetComboBox()->clear(); }

void TTxStringGrid::AddComboString(const QString& S) { GetComboBox()->addItem(S); }

void TTxStringGrid::AddComboStringObject(const QString& S, QObject* O)
{
    GetComboBox()->addItem(S, QVariant::fromValue(O));
}

bool TTxStringGrid::RemoveComboString(const QString& S)
{
    const int i = GetComboBox()->findText(S);
    if (i < 0)
        return false;
    GetComboBox()->removeItem(i);
    return true;
}

int TTxStringGrid::GetComboCount() { return GetComboBox()->count(); }

} // namespace grid
