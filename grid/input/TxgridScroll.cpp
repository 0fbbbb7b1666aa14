// TTxStringGrid: scrolling a cell into view, stretching the last column, the sizing zone, the
// end of sizing by the mouse (proportional sizing and its events), following the control's and
// the form's size, the scroll-thumb hints, and the combo editor's item list.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/input/TxgridScrollStyle.h"
#include "grid/edit/TxgridSupport.h"
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

void TTxStringGrid::ScrollInView(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= colCount() || ARow >= rowCount())
        return;
    int left = leftCol(), top = topRow();
    const int visCols = visibleColCount(), visRows = visibleRowCount();
    int c = col(), r = row();
    if (ACol < left || ACol >= left + visCols) {
        c = ACol;
        left = std::max(ACol - visCols / 2, fixedCols());
    }
    if (ARow < top || ARow >= top + visRows) {
        r = ARow;
        top = std::max(ARow - visRows / 2, fixedRows());
    }
    left = std::max(fixedCols(), std::min(left, colCount() - visCols + 1));
    top = std::max(fixedRows(), std::min(top, rowCount() - visRows + 1));
    if (c != col() || r != row())
        focusCell(c, r);
    setLeftCol(left);
    setTopRow(top);
}

void TTxStringGrid::StretchRightColumn()
{
    if (colCount() == 0 || !FColumnSize.Stretch() || !FInput.StretchEnabled)
        return;
    FInput.StretchEnabled = false;
    const int client = clientWidth();
    if (colCount() == 1) {
        setColWidths(0, client);
    } else {
        int sum = 0;
        for (int c = 0; c < colCount() - 1; ++c)
            sum += colWidths(c);
        if (sum < client)
            setColWidths(colCount() - 1, client - sum - 1);
    }
    FInput.StretchEnabled = true;
}

bool TTxStringGrid::InSizeZone(int X, int Y)
{
    int c = -1, r = -1;
    if (!mouseToCell(QPoint(X, Y), c, r))
        return false;
    const TRect cr = platformCellRect(c, r);
    bool zone = false;
    if (r <= fixedRows() && (options() & ui::goColSizing))
        zone = X - cr.Left < 4 || cr.Right - X < 4;
    if (c <= fixedCols() && (options() & ui::goRowSizing))
        zone = Y - cr.Top < 4 || cr.Bottom - Y < 4;
    return zone;
}

void TTxStringGrid::ColWidthsChanged()
{
    StretchRightColumn();
    const int ref = FInput.SizeCol;
    if (ref >= 0) {
        const int before = FInput.SizeWidth, now = colWidths(ref);
        // Every other normal column grows or shrinks by the same factor.
        if (FMouseActions.AllColumnSize && before > 0 && now != before)
            ScaleSizes(*this, true, fixedCols(), ref, double(now) / before);
        if (OnEndColumnSize)
            OnEndColumnSize(*this, ref);
        int w = colWidths(ref);
        UpdateColSize(ref, w);
        if (w != colWidths(ref))
            setColWidths(ref, w);
    }
    FInput.SizeCol = -1;
    FInput.MoveOrSizeFinished = true;
    if (HasCheckBox(RemapCol(col()), row()))
        HideCellEdit();
    RepaintFooterPanel();
}

void TTxStringGrid::RowHeightsChanged()
{
    const int ref = FInput.SizeRow;
    if (ref >= 0) {
        const int before = FInput.SizeHeight, now = rowHeights(ref);
        if (FMouseActions.AllRowSize && before > 0 && now != before)
            ScaleSizes(*this, false, fixedRows(), ref, double(now) / before);
        if (OnEndRowSize)
            OnEndRowSize(*this, ref);
    }
    FInput.SizeRow = -1;
    FInput.MoveOrSizeFinished = true;
    if (HasCheckBox(RemapCol(col()), row()))
        HideCellEdit();
}

// The control's size changed: stretch, and scale every column with SynchWithGrid.
void TGridInput::Resized(G& g)
{
    TInputState& s = g.FInput;
    const int w = g.clientWidth();
    if (s.LastClientWidth > 0 && w != s.LastClientWidth && g.ColumnSize().SynchWithGrid)
        ScaleSizes(g, true, 0, -1, double(w) / s.LastClientWidth);
    s.LastClientWidth = w;
    if (g.ColumnSize().Stretch()) {
        g.StretchRightColumn();
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

// The owner form was resized: with SizeWithForm the grid changes by as much, then stretches.
void TTxStringGrid::OwnerFormResized()
{
    if (designing() || !FOwnerForm)
        return;
    const int dw = FOwnerForm->width() - FFormWidth, dh = FOwnerForm->height() - FFormHeight;
    if (SizeWithForm && width() + dw > 0 && height() + dh > 0)
        resize(width() + dw, height() + dh);
    FFormWidth = FOwnerForm->width();
    FFormHeight = FOwnerForm->height();
    StretchRightColumn();
}

// While a scroll thumb is dragged the row (column) it reaches shows beside the mouse.
void TGridInput::ConnectScrollBars(G& g)
{
    auto hint = [&g](bool Vertical) {
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
        ShowHintWindow(g, QCursor::pos() + QPoint(10, 10), 100, text);
    };
    auto done = [&g] {
        if (g.FHintWindow)
            g.FHintWindow->hide();
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
    if (FEdit.Active && !IsTextEditorType(FEdit.EditorType) && !FEdit.HidingControl)
        HideInplaceEdit();
    RepaintFooterPanel(); // its cells scroll with the columns (a hidden panel ignores it)
}

// The bars keep the platform's look until the grid asks for another: a style of their own
// then draws them (the thumb is proportional to the visible share whatever ScrollProportional says).
void TTxStringGrid::FlatUpdate()
{
    const bool platform = ScrollType == ssNormal && ScrollColor == ui::clNone
                          && ScrollWidth == style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (!FScrollStyle) {
        if (platform)
            return;
        FScrollStyle = new TScrollBarStyle;
        FScrollStyle->setParent(this); // goes after the bars, which were made first
        verticalScrollBar()->setStyle(FScrollStyle);
        horizontalScrollBar()->setStyle(FScrollStyle);
    }
    FScrollStyle->Type = ScrollType;
    FScrollStyle->Color = ScrollColor == ui::clNone ? QColor() : ui::toQColor(ScrollColor);
    FScrollStyle->Width = std::max(0, ScrollWidth);
    for (QScrollBar* b : {verticalScrollBar(), horizontalScrollBar()}) {
        b->updateGeometry();
        b->update();
    }
    QEvent relayout(QEvent::LayoutRequest); // the area places its bars in their new width
    QCoreApplication::sendEvent(this, &relayout);
}

int ScrollHintNumber(int Pos, int Count, int Visible, int Fixed)
{
    return int(std::lround(double(Pos) * (Count - Visible - Fixed) / 127.0)) + Fixed;
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
