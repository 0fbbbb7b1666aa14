// TTxStringGrid: sums, averages, minima and maxima, the selected text, automatic numbering,
// fitting column widths and row heights to their contents, and swapping rows and columns.
#include "grid/core/Txgrid.h"
#include "grid/paint/TxgridPainter.h"
#include "grid/sort/TxgridSorting.h"

#include "grid/text/TxgridHTML.h"
#include "grid/controls/TxgridLines.h"
#include "grid/text/TxgridRTF.h"
#include "grid/text/TxgridStrings.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace grid {

// --- calculations ------------------------------------------------------------------------

double TTxStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r)
        sum += GetFloats(ACol, r);
    return sum;
}

double TTxStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    if (ToRow < FromRow)
        return 0;
    return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TTxStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    double m = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        m = std::min(m, GetFloats(ACol, r));
    return m;
}

double TTxStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    double m = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        m = std::max(m, GetFloats(ACol, r));
    return m;
}

double TTxStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
    double sum = 0;
    for (int c = FromCol; c <= ToCol; ++c)
        sum += GetFloats(c, ARow);
    return sum;
}

double TTxStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
    if (ToCol < FromCol)
        return 0;
    return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

// The smallest and the largest value of the range, as for a column.
double TTxStringGrid::RowMin(int ARow, int FromCol, int ToCol)
{
    double m = GetFloats(FromCol, ARow);
    for (int c = FromCol + 1; c <= ToCol; ++c)
        m = std::min(m, GetFloats(c, ARow));
    return m;
}

double TTxStringGrid::RowMax(int ARow, int FromCol, int ToCol)
{
    double m = GetFloats(FromCol, ARow);
    for (int c = FromCol + 1; c <= ToCol; ++c)
        m = std::max(m, GetFloats(c, ARow));
    return m;
}

// --- selected text -----------------------------------------------------------------------

QString TTxStringGrid::SelectedText()
{
    TGridRect s = selection();
    if ((options() & ui::goRowSelect) && FDragDropSettings.OleEntireRows) {
        s.Left = 0;
        s.Right = colCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions.DisjunctRowSelect) {
        for (int r = fixedRows(); r < rowCount(); ++r)
            if (GetRowSelect(r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString out;
    for (int r : rows) {
        for (int c = s.Left; c <= s.Right; ++c) {
            QString t = GetCellEx(c, r);
            if (t.contains(QLatin1String("{\\")))
                t = RichTextToPlain(t);
            if (ClipboardQuoteMultiline && NeedsTabQuotes(t))
                LineFeedsToCSV(t);
            out += t;
            if (c < s.Right)
                out += QLatin1Char('\t');
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

bool TTxStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < fixedCols() || ARow < fixedRows())
        return false;
    if (FMouseActions.DisjunctRowSelect)
        return ARow < rowCount() && GetRowSelect(ARow);
    return selection().contains(ACol, ARow);
}

void TTxStringGrid::AutoNumberCol(int ACol)
{
    int n = 1;
    for (int r = fixedRows(); r < rowCount() - FixedFooters(); ++r)
        SetInts(ACol, r, n++);
}

void TTxStringGrid::AutoNumberRow(int ARow)
{
    int n = 1;
    for (int c = fixedCols(); c < colCount() - FixedRightCols(); ++c)
        SetInts(c, ARow, n++);
}

// --- sizing ------------------------------------------------------------------------------

TPoint TTxStringGrid::GetCellTextSize(int ACol, int ARow)
{
    ui::Canvas canvas;
    FPainter->ApplyCellFont(ACol, ARow, canvas.font);
    const int rc = RemapCol(ACol);
    const QString text = GetCellEx(rc, ARow);
    switch (TextType(text, EnableHTML)) {
    case 1: {
        THTMLRenderOptions o;
        o.MeasureOnly = true;
        o.KeepColors = true;
        o.WordWrap = !EnhTextSize;
        o.Images = FGridImages;
        o.Pictures = PictureContainer;
        o.PictureCache = &PictureCache();
        THTMLRenderResult res;
        RenderHTMLText(canvas, text, TRect{0, 0, 65535, 65535}, o, res);
        return {res.MaxLineWidth, res.TotalHeight};
    }
    case 2: {
        // Laid out in its own fonts and sizes, on one line per paragraph, as it paints.
        const QSizeF size = RichTextSize(text, canvas.font.toQFont(), 0);
        return {int(std::ceil(size.width())), int(std::ceil(size.height()))};
    }
    default: {
        QString rest = text, line;
        int w = 0, n = 0;
        do {
            GetNextLine(rest, Multilinecells, line);
            if (FURLShow && !FURLFull && IsURL(line))
                line = line.mid(line.indexOf(QLatin1String("://")) + 3);
            w = std::max(w, canvas.textWidth(line));
            ++n;
        } while (!rest.isEmpty());
        return {w, canvas.textHeight(QStringLiteral("gh")) * n};
    }
    }
}

void TTxStringGrid::AutoSizeCells(bool SkipFixed, int PaddingX, int PaddingY)
{
    const int c0 = SkipFixed ? fixedCols() : 0, r0 = SkipFixed ? fixedRows() : 0;
    BeginUpdate();
    for (int c = c0; c < colCount(); ++c)
        setColWidths(c, 0);
    for (int r = r0; r < rowCount(); ++r)
        setRowHeights(r, 0);
    for (int r = r0; r < rowCount(); ++r)
        for (int c = c0; c < colCount(); ++c) {
            const TPoint t = GetCellTextSize(c, r);
            const TPoint g = GetCellGraphicSize(RemapCol(c), r);
            setColWidths(c, std::max(colWidths(c), t.x() + g.x() + PaddingX));
            setRowHeights(r, std::max(rowHeights(r), t.y() + g.y() + PaddingY));
        }
    EndUpdate();
}

void TTxStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    for (int c = DoFixedCols ? 0 : fixedCols(); c < colCount(); ++c) {
        AutoSizeCol(c);
        if (Padding != 0)
            setColWidths(c, colWidths(c) + Padding);
    }
}

void TTxStringGrid::SizeToWidth(int ACol, bool OnlyGrow)
{
    const int rc = RemapCol(ACol);
    int widest = 0;
    for (int r = 0; r < rowCount(); ++r) {
        if (IsMergedCell(rc, r))
            continue;
        ui::Canvas canvas;
        FPainter->ApplyCellFont(ACol, r, canvas.font);
        canvas.font.size += Zoom;
        widest = std::max(widest, GetCellGraphicSize(rc, r).x() + canvas.textWidth(GetCellEx(rc, r)));
    }
    int w = widest + 2 * GridLineWidth() + 4;
    if (!OnlyGrow || colWidths(ACol) < w) {
        UpdateAutoColSize(ACol, w);
        setColWidths(ACol, w);
    }
}

void TTxStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    if (rowCount() <= 0)
        return;
    for (int r = DoFixedRows ? 0 : fixedRows(); r < rowCount(); ++r) {
        if (WordWrap) {
            AutoSizeRow(r);
            continue;
        }
        int lines = 1;
        for (int c = 0; c < colCount(); ++c)
            lines = std::max(lines, LinesInText(cells(RemapCol(c), r), Multilinecells));
        SizeToLines(r, lines, Padding);
    }
}

void TTxStringGrid::SizeToLines(int ARow, int Lines, int Padding)
{
    ui::Canvas canvas;
    FPainter->ApplyCellFont(fixedCols(), ARow, canvas.font);
    const int h = canvas.textHeight(QStringLiteral("gh"));
    setRowHeights(ARow, Padding + Lines * (h + h / 4));
}

void TTxStringGrid::AutoSizeRow(int ARow)
{
    int height = defaultRowHeight();
    for (int c = 0; c < colCount(); ++c) {
        const int rc = RemapCol(c);
        if (CellSpan(rc, ARow).y() > 0)
            continue;
        ui::Canvas canvas;
        FPainter->ApplyCellFont(c, ARow, canvas.font);
        const int width = CellSize(rc, ARow).x();
        const QString text = GetCellEx(rc, ARow);
        int th = 0;
        switch (TextType(text, EnableHTML)) {
        case 0: {
            // Lines broken at blanks to the cell's width.
            const int lh = canvas.textHeight(QStringLiteral("gh"));
            int lines = 0;
            for (const QString& para : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
                int used = 0, n = 1;
                for (const QString& word : para.split(QLatin1Char(' '))) {
                    const int w = canvas.textWidth(used ? QLatin1Char(' ') + word : word);
                    if (used > 0 && used + w > width) {
                        ++n;
                        used = canvas.textWidth(word);
                    } else {
                        used += w;
                    }
                }
                lines += n;
            }
            th = lines * lh;
            break;
        }
        case 1: {
            THTMLRenderOptions o;
            o.MeasureOnly = true;
            o.WordWrap = true;
            o.Images = FGridImages;
            o.Pictures = PictureContainer;
            o.PictureCache = &PictureCache();
            THTMLRenderResult res;
            RenderHTMLText(canvas, text, TRect{0, 0, width, 65535}, o, res);
            th = res.TotalHeight;
            break;
        }
        case 2: {
            // Broken to the width it paints in when it wraps there.
            const bool wrap = WordWrap || (Props(rc, ARow) && Props(rc, ARow)->WordWrap());
            const int box = width - FXYOffset.x() - 2;
            th = int(std::ceil(RichTextSize(text, canvas.font.toQFont(), wrap ? std::max(box, 1) : 0).height()));
            break;
        }
        default: break;
        }
        const int needed = th + GetCellGraphicSize(rc, ARow).y();
        if (height < needed + 2)
            height = needed + 4;
    }
    setRowHeights(ARow, height);
}

// --- swaps -------------------------------------------------------------------------------

void TTxStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0)
        return;
    const int real = core().realColCount();
    if (ACol1 >= real || ACol2 >= real)
        return;
    const int lo = std::min(ACol1, ACol2), hi = std::max(ACol1, ACol2);
    // Texts and objects of the two columns change places in every row.
    for (int r = 0; r < rowCount(); ++r) {
        const QString t = cells(lo, r);
        setCells(lo, r, cells(hi, r));
        setCells(hi, r, t);
        std::unique_ptr<ui::CellObject> a = takeObject(lo, r), b = takeObject(hi, r);
        setObjects(lo, r, std::move(b));
        setObjects(hi, r, std::move(a));
    }
    const int w = colWidths(ACol1);
    setColWidths(ACol1, colWidths(ACol2));
    setColWidths(ACol2, w);
    if (FSortSettings.Column == ACol1)
        FSortSettings.Column = ACol2;
    else if (FSortSettings.Column == ACol2)
        FSortSettings.Column = ACol1;
}

void TTxStringGrid::SwapRows(int ARow1, int ARow2)
{
    core().swapRows(ARow1, ARow2); // texts, objects and heights
    Invalidate();
}

void TTxStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= rowCount() || ARow2 >= rowCount())
        return;
    FSorting->RowsSwapped(ARow1, ARow2);
    if (FSortSettings.SingleColumn) {
        const int c = FSortSettings.Column;
        const QString t = cells(c, ARow1);
        setCells(c, ARow1, cells(c, ARow2));
        setCells(c, ARow2, t);
        std::unique_ptr<ui::CellObject> a = takeObject(c, ARow1), b = takeObject(c, ARow2);
        setObjects(c, ARow1, std::move(b));
        setObjects(c, ARow2, std::move(a));
        return;
    }
    core().swapRows(ARow1, ARow2);
    if (FMouseActions.DisjunctRowSelect) {
        const bool a = GetRowSelect(ARow1), b = GetRowSelect(ARow2);
        FRowSelect[std::size_t(ARow1)] = b;
        FRowSelect[std::size_t(ARow2)] = a;
    }
    FSorting->CurrentRowSwapped(ARow1, ARow2);
    if (FUpdateCount == 0)
        Invalidate();
}

} // namespace grid
