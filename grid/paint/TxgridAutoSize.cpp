// Fitting column widths and row heights to the cells' contents, measured as they paint.
#include "grid/core/Txgrid.h"
#include "grid/paint/TxgridPainter.h"
#include "grid/text/TxgridHTML.h"
#include "grid/controls/TxgridLines.h"
#include "grid/text/TxgridRTF.h"
#include "grid/text/TxgridStrings.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace grid {

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

void TTxStringGrid::SizeWhileTypingText(int ACol, int ARow, const QString& Text, bool LineBreak)
{
    const TSizeWhileTyping& s = FSizeWhileTyping;
    if (LineBreak) {
        if (!s.Height || !Multilinecells)
            return;
        // The row takes the typed lines, or fits its cells when one of them has more.
        int most = 1;
        for (int c = 0; c < colCount(); ++c)
            most = std::max(most, LinesInText(cells(RemapCol(c), ARow), true));
        const int lines = LinesInText(Text + QStringLiteral("\r\n "), true);
        if (lines < most)
            AutoSizeRow(ARow);
        else
            SizeToLines(ARow, lines, 0);
        return;
    }
    const bool width = s.Width, height = s.Height && WordWrap;
    if (!width && !height)
        return;
    // The cell holds the typed text while it is measured, as the editor shows it.
    const int rc = RemapCol(ACol);
    const QString kept = cells(rc, ARow);
    core().setCell(rc, ARow, Text);
    if (width)
        AutoSizeCol(ACol);
    if (height)
        AutoSizeRow(ARow);
    core().setCell(rc, ARow, kept);
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

} // namespace grid
