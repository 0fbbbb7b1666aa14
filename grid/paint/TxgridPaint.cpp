// TGridPainter: painting one cell in its layers: colours, fonts and alignment, the content
// (plain, formatted or rich text, formulas, passwords, URLs, background pictures, selection),
// per-side borders, the soft look of fixed cells, tree lines, the cell's graphic and the focus
// rectangle; and the sort indicator. The grid's painting functions forward here.
#include "grid/paint/TxgridPainter.h"

#include "grid/core/Txgrid.h"

#include "grid/text/TxgridHTML.h"
#include "grid/text/TxgridRTF.h"

#include <QPainter>
#include <algorithm>

namespace grid {

// --- visual properties -------------------------------------------------------------------

bool TGridPainter::RowSelected(int ARow) const
{
    return std::size_t(ARow) < FGrid.FRowSelect.size() && FGrid.FRowSelect[std::size_t(ARow)];
}

bool TGridPainter::DisjunctSelected(int ACol, int ARow) const
{
    // While a plain press selects with the mouse, the rows it covers show as the platform's
    // selection; they are marked when the button comes up.
    if (!FGrid.MouseSelecting())
        return RowSelected(ARow);
    return (RowSelected(ARow) && ARow != FGrid.row()) || FGrid.selection().contains(ACol, ARow);
}

void TGridPainter::GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                       ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign)
{
    TTxStringGrid& g = FGrid;
    const int rc = g.RemapCol(ACol);
    const bool fixedArea = ACol < g.fixedCols() || ARow < g.fixedRows();
    Font = fixedArea ? g.FixedFont() : g.controlFont();
    if (Print)
        Font = g.PrintSettings().Font;

    const TCellProperties* p = g.Props(rc, ARow);
    if (p && p->BrushColor() != ui::clNone) {
        Brush.color = p->BrushColor();
    } else {
        Brush.color = g.controlColor();
        const TBands& bands = g.Bands();
        const int period = bands.PrimaryLength() + bands.SecondaryLength();
        const bool normalCol = ACol >= g.fixedCols() && ACol < g.colCount() - g.FixedRightCols();
        const bool normalRow = ARow >= g.fixedRows() && ARow < g.rowCount() - g.FixedFooters();
        // A band period of 0 means no bands (nothing to divide by).
        if (bands.Active() && (!Print || bands.Print) && normalCol && normalRow && period > 0)
            Brush.color =
                (ARow - g.fixedRows()) % period < bands.PrimaryLength() ? bands.PrimaryColor() : bands.SecondaryColor();
    }
    Brush.style = ui::BrushStyle::Solid;

    const bool fixed = g.IsFixed(ACol, ARow);
    if (fixed && !Print) {
        Brush.color = g.FixedColor;
        Font.color = g.FixedFont().color;
        State |= ui::gdFixed;
    }
    if (Print)
        g.GetCellPrintColor(rc, ARow, State, Brush, Font);
    else
        g.GetCellColor(rc, ARow, State, Brush, Font);

    if (Select && !Print && g.ShowSelection() && !fixed) {
        bool selected = false;
        if (!g.MouseActions().DisjunctRowSelect)
            selected = !g.SelectionHidden() && g.selection().contains(ACol, ARow);
        else
            selected = DisjunctSelected(ACol, ARow);
        if (g.MouseActions().DisjunctCellSelect && g.GetSelectedCells(rc, ARow))
            selected = true;
        // Without goDrawFocusSelected the focused cell keeps its own colours.
        if (selected && !(g.options() & ui::goDrawFocusSelected) && g.hasFocus()
            && g.BaseCell(g.col(), g.row()) == TPoint(ACol, ARow))
            selected = false;
        if (selected) {
            if (g.SelectionColor() != ui::clNone)
                Brush.color = g.SelectionColor();
            if (g.SelectionTextColor() != ui::clNone)
                Font.color = g.SelectionTextColor();
            State |= ui::gdSelected;
        }
    }
    GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TGridPainter::ApplyCellFont(int ACol, int ARow, ui::Font& Font)
{
    Font = ACol < FGrid.fixedCols() || ARow < FGrid.fixedRows() ? FGrid.FixedFont() : FGrid.controlFont();
    ui::Brush brush{FGrid.controlColor()};
    FGrid.GetCellColor(ACol, ARow, 0, brush, Font);
}

void TGridPainter::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    const int rc = FGrid.RemapCol(ACol);
    VAlign = FGrid.VAlignment();
    HAlign = taLeftJustify;
    if (FGrid.AutoNumAlign) {
        QString t = FGrid.cells(rc, ARow);
        if (t.startsWith(QLatin1Char('=')))
            FGrid.CalcCell(rc, ARow, t);
        if (IsType(t) < 2)
            HAlign = taRightJustify;
    }
    FGrid.GetCellAlign(rc, ARow, HAlign, VAlign);
}

// --- the control -------------------------------------------------------------------------

void TGridPainter::PaintOverCells(ui::Canvas& Canvas)
{
    TTxStringGrid& g = FGrid;
    if (g.EditActive() && Canvas.painter()) {
        // The open editor's cell keeps its frame of grid lines around the control.
        const TRect r = g.CellRect(g.col(), g.row());
        QPainter& p = *Canvas.painter();
        p.save();
        p.setPen(ui::toQColor(g.GridLineWidth() < 1 ? g.controlColor() : g.GridLineColor()));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(r.Left - 1, r.Top - 1, r.width(), r.height()));
        p.restore();
    }
}

// With the soft look a bordered grid's frame is a grey line one pixel inside its edge, and the
// edge itself takes the colour of what the grid stands on; a frame of one pixel is the grey line.
void TGridPainter::PaintSoftFrame()
{
    TTxStringGrid& g = FGrid;
    if (g.Look() != glSoft || g.frameWidth() < 1)
        return;
    QPainter p(&g);
    QRect edge = g.rect().adjusted(0, 0, -1, -1);
    if (g.frameWidth() >= 2) {
        const QWidget* under = g.parentWidget() ? g.parentWidget() : &g;
        p.setPen(under->palette().color(under->backgroundRole()));
        p.drawRect(edge);
        edge.adjust(1, 1, -1, -1);
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(edge);
}

// --- the cell ----------------------------------------------------------------------------

bool TGridPainter::SortIndicatorAt(int ACol, int ARow)
{
    TSortSettings& ss = FGrid.SortSettings();
    if (!ss.Show || ARow != ss.Row() || FGrid.rowCount() <= 2 || FGrid.fixedRows() < 1)
        return false;
    const int rc = FGrid.RemapCol(ACol);
    if (rc != ss.Column && FGrid.SortIndexes().FindIndex(rc) < 0)
        return false;
    return ACol >= FGrid.fixedCols() || ss.FixedCols;
}

void TGridPainter::DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State)
{
    TTxStringGrid& g = FGrid;
    const int rc = g.RemapCol(ACol);
    if (g.SelectionHidden())
        State &= ~unsigned(ui::gdSelected);
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = g.WordWrap;
    if (const TCellProperties* p = g.Props(rc, ARow); p && p->WordWrap())
        wordWrap = true;
    ui::Brush brush{g.controlColor()};
    ui::Font font;
    g.GetVisualProperties(ACol, ARow, State, false, false, brush, font, hAlign, vAlign, wordWrap);
    int gw = 0, gh = 0;
    bool textToo = true;
    TCellHAlign gha = haLeft;
    TCellVAlign gva = vaTop;
    TCellGraphic* graphic = GetGraphicDetails(rc, ARow, gw, gh, textToo, gha, gva);
    font.size += g.Zoom;

    TRect r = Rect;
    // Row indicator in the first column of the current row.
    if (ACol == 0 && g.fixedCols() > 0 && ARow == g.row() && !g.RowIndicator().isNull()) {
        Canvas.brush = ui::Brush{g.FixedColor};
        Canvas.fillRect(r);
        DrawBitmapTransp(Canvas, g.RowIndicator(), g.FixedColor, r);
        r.Left += g.RowIndicator().width();
    }
    Canvas.brush = brush;
    Canvas.font = font;
    DrawCellContent(Canvas, ACol, ARow, rc, r, State, hAlign, vAlign, wordWrap, graphic, gw, gh, textToo, gha, gva);

    // Borders chosen per side by the application.
    {
        ui::Pen pen{ui::clBlack, 1};
        TCellBorders sides = 0;
        g.GetCellBorder(rc, ARow, pen, sides);
        ui::Pen lp = pen, tp = pen, rp = pen, bp = pen;
        if (g.OnGetCellBorderProp)
            g.OnGetCellBorderProp(g, ARow, rc, lp, tp, rp, bp);
        if (sides) {
            const int half = (pen.width + 1) / 2;
            TRect b{Rect.Left - 1 + half, Rect.Top - 1 + half, Rect.Right + 1 - half, Rect.Bottom + 1 - half};
            auto line = [&](const ui::Pen& p, int x1, int y1, int x2, int y2) {
                Canvas.pen = p;
                Canvas.moveTo(x1, y1);
                Canvas.lineTo(x2, y2);
            };
            if (sides & cbLeft)
                line(lp, b.Left, b.Top, b.Left, b.Bottom);
            if (sides & cbRight)
                line(rp, b.Right - 1, b.Top, b.Right - 1, b.Bottom);
            if (sides & cbTop)
                line(tp, b.Left, b.Top, b.Right, b.Top);
            if (sides & cbBottom)
                line(bp, b.Left, b.Bottom - 1, b.Right, b.Bottom - 1);
        }
    }

    // A fixed cell pressed as a button: shadow above and left, light below and right.
    const bool sunken = (State & ui::gdFixed) && g.IsSunkenCell(ACol, ARow);
    if (sunken) {
        const TRect b{Rect.Left, Rect.Top, Rect.Right - 1, Rect.Bottom - 1};
        Canvas.pen = ui::Pen{ui::rgb(128, 128, 128), 1};
        Canvas.moveTo(b.Left, b.Bottom - 1);
        Canvas.lineTo(b.Left, b.Top);
        Canvas.lineTo(b.Right, b.Top);
        Canvas.pen = ui::Pen{ui::clWhite, 1};
        Canvas.moveTo(b.Right, b.Top + 1);
        Canvas.lineTo(b.Right, b.Bottom);
        Canvas.lineTo(b.Left, b.Bottom);
    }
    // The soft look of fixed cells: a grey shadow and a white light edge.
    if ((State & ui::gdFixed) && g.Look() == glSoft && !g.Flat() && !sunken) {
        TRect b{Rect.Left - 1, Rect.Top - 1, Rect.Right + 1, Rect.Bottom};
        auto line = [&](ui::Color c, int x1, int y1, int x2, int y2) {
            Canvas.pen = ui::Pen{c, 1};
            Canvas.moveTo(x1, y1);
            Canvas.lineTo(x2, y2);
        };
        if (g.options() & ui::goFixedHorzLine) {
            line(ui::rgb(128, 128, 128), b.Left, b.Bottom - 1, b.Right, b.Bottom - 1);
            line(ui::clWhite, b.Right, b.Top + 1, b.Left + 1, b.Top + 1);
            line(ui::clWhite, b.Left + 1, b.Top + 1, b.Left + 1, b.Bottom - 1);
        }
        if (g.options() & ui::goFixedVertLine) {
            line(ui::rgb(128, 128, 128), b.Right - 2, b.Top, b.Right - 2, b.Bottom - 1);
            line(ui::clWhite, b.Right - 1, b.Top, b.Right - 1, b.Bottom - 1);
        }
    }

    // Tree lines left of the first column's text.
    if (ACol == 0 && ARow >= g.fixedRows() && g.HasNodes() && g.CellNode().ShowTree()) {
        Canvas.pen = ui::Pen{ui::rgb(0xC0, 0xC0, 0xC0), 1};
        const int x = Rect.Left + g.NodeIndent(ARow) - 8, mid = (Rect.Top + Rect.Bottom) / 2;
        Canvas.moveTo(x, mid);
        Canvas.lineTo(x + 8, mid);
        const int span = g.GetNodeSpanType(ARow);
        if (span == 1) {
            Canvas.moveTo(x, Rect.Top);
            Canvas.lineTo(x, mid);
        } else if (span == 2) {
            Canvas.moveTo(x, Rect.Top);
            Canvas.lineTo(x, Rect.Bottom + 4);
        }
    }

    if (graphic)
        DrawCellGraphic(Canvas, ACol, ARow, rc, Rect, State, graphic, gw, gh, gha, gva, hAlign, FCellTextWidth);

    // The application draws over the painted cell; what it leaves set stays its own.
    if (g.OnDrawCell) {
        const ui::Pen pen = Canvas.pen;
        const ui::Brush cellBrush = Canvas.brush;
        const ui::Font cellFont = Canvas.font;
        if (Canvas.painter())
            Canvas.painter()->save();
        // Inside the cell's own edges: one pixel in at the left and top, the grid line's width
        // in at the right and bottom.
        const int gl = g.GridLineWidth();
        g.OnDrawCell(g, Canvas, ACol, ARow, TRect{Rect.Left + 1, Rect.Top + 1, Rect.Right - gl, Rect.Bottom - gl},
                     State);
        if (Canvas.painter())
            Canvas.painter()->restore();
        Canvas.pen = pen;
        Canvas.brush = cellBrush;
        Canvas.font = cellFont;
    }

    // Focus rectangle on the current cell (or the block holding it).
    const TPoint base = g.BaseCell(ACol, ARow);
    const TPoint cur = g.BaseCell(g.col(), g.row());
    if (!g.HideFocusRect && base == cur && g.hasFocus() && !(g.options() & ui::goRowSelect) && Canvas.painter()) {
        const int gl = g.GridLineWidth() - 1;
        QPainter& p = *Canvas.painter();
        p.save();
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(Rect.Left - gl, Rect.Top - gl, Rect.width() + 2 * gl - 2, Rect.height() + 2 * gl - 2));
        p.restore();
    }
}

void TGridPainter::DrawCellContent(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect,
                                   TGridDrawState State, TAlignment HAlign, TVAlignment VAlign, bool WordWrapOn,
                                   TCellGraphic* Graphic, int GW, int GH, bool TextToo, TCellHAlign GHA,
                                   TCellVAlign GVA)
{
    TTxStringGrid& g = FGrid;
    const TMouseActions& mouse = g.MouseActions();
    const TBackGround& back = g.BackGround();
    const bool fixed = State & ui::gdFixed;
    bool selected = (State & ui::gdSelected) && !fixed;
    if ((g.options() & ui::goRowSelect) && ACol >= g.fixedCols() && !fixed && g.selection().Top <= ARow
        && ARow <= g.selection().Bottom)
        selected = true;
    if (mouse.DisjunctRowSelect && !fixed)
        selected = DisjunctSelected(ACol, ARow);
    if (mouse.DisjunctCellSelect && !fixed && g.GetSelectedCells(RealCol, ARow))
        selected = true;
    const bool focused = State & ui::gdFocused;
    ui::Color anchorColor = g.URLColor();
    if (selected) {
        if (g.ShowSelection()) {
            ui::Color sc = g.SelectionColor();
            if (sc == ui::clNone && !focused)
                sc = ui::clHighlight;
            if (sc != ui::clNone)
                Canvas.brush.color = sc;
            if (g.SelectionTextColor() != ui::clNone) {
                Canvas.font.color = g.SelectionTextColor();
                anchorColor = g.SelectionTextColor();
            }
        } else if (!g.hasFocus()
                   || (Graphic && (Graphic->CellType == ctCheckBox || Graphic->CellType == ctDataCheckBox))) {
            Canvas.brush.color = g.controlColor();
            Canvas.font.color = g.controlFont().color;
        }
    }
    Canvas.fillRect(Rect);

    // Background picture, not under the selection colour.
    const QImage& bg = back.Bitmap();
    if (!bg.isNull() && (!selected || !g.ShowSelection())
        && ((!fixed && back.Cells() == bcNormal) || (fixed && back.Cells() == bcFixed)) && Canvas.painter()) {
        QPainter& p = *Canvas.painter();
        p.save();
        p.setClipRect(Rect.toQRect(), Qt::IntersectClip);
        if (back.Display() == bdFixed) {
            p.drawImage(QPoint(back.Left(), back.Top()), bg);
        } else {
            // Tiled over the scrolled area: the phase comes from the cell's offset in it.
            const int c0 = back.Cells() == bcNormal ? g.fixedCols() : 0;
            const int r0 = back.Cells() == bcNormal ? g.fixedRows() : 0;
            int ox = 0, oy = 0;
            for (int c = c0; c < ACol && c - c0 < 4096; ++c)
                ox += g.colWidths(c);
            for (int r = r0; r < ARow && r - r0 < 4096; ++r)
                oy += g.rowHeights(r);
            const int px = Rect.Left - ox % bg.width(), py = Rect.Top - oy % bg.height();
            for (int y = py; y < Rect.Bottom; y += bg.height())
                for (int x = px; x < Rect.Right; x += bg.width())
                    p.drawImage(QPoint(x, y), bg);
        }
        p.restore();
    }

    // Selection rectangle along the outer edges of the selection.
    if (g.SelectionRectangle() && selected && !mouse.DisjunctRowSelect && Canvas.painter()) {
        const TGridRect s = g.selection();
        QPainter& p = *Canvas.painter();
        const QColor c = ui::toQColor(g.SelectionRectangleColor);
        if (ACol == s.Left)
            p.fillRect(Rect.Left, Rect.Top, 2, Rect.height(), c);
        if (ACol == s.Right)
            p.fillRect(Rect.Right - 2, Rect.Top, 2, Rect.height(), c);
        if (ARow == s.Top)
            p.fillRect(Rect.Left, Rect.Top, Rect.width(), 2, c);
        if (ARow == s.Bottom)
            p.fillRect(Rect.Left, Rect.Bottom - 2, Rect.width(), 2, c);
    }

    // Filter glyph in the header: a small funnel in the rightmost 16 pixels.
    const bool filter = ARow == 0 && g.GetFilter(RealCol);
    if (filter) {
        const int x = Rect.Right - 16 + 3, y = (Rect.Top + Rect.Bottom) / 2 - 4;
        ui::Brush keep = Canvas.brush;
        Canvas.brush = ui::Brush{ui::clBlack};
        Canvas.pen = ui::Pen{ui::clBlack, 1};
        Canvas.polygon(QPolygon({QPoint(x, y), QPoint(x + 9, y), QPoint(x + 5, y + 4), QPoint(x + 5, y + 8),
                                 QPoint(x + 4, y + 8), QPoint(x + 4, y + 4)}));
        Canvas.brush = keep;
    }

    FCellTextWidth = 0;
    if (!TextToo)
        return;
    QString text = g.GetCellEx(RealCol, ARow);
    const int type = TextType(text, g.EnableHTML);
    if (type == 3)
        g.CalcCell(RealCol, ARow, text);
    bool password = false;
    g.GetCellPassword(RealCol, ARow, password);
    if (password)
        StringToPassword(text, g.PasswordChar);
    const bool sortMark = SortIndicatorAt(ACol, ARow);

    if (type == 1 && !password) {
        TRect box{Rect.Left + 2, Rect.Top + 2, Rect.Right - (filter ? 18 : 0) - (sortMark ? 10 : 0), Rect.Bottom};
        THTMLRenderOptions o;
        o.Images = g.GridImages();
        o.Pictures = g.PictureContainer;
        o.PictureCache = &FPictureCache;
        o.URLColor = anchorColor;
        o.ShadowColor = ui::clGray;
        o.WordWrap = !g.EnhTextSize;
        o.BlinkOn = g.BlinkOn();
        THTMLRenderResult res;
        if (QPainter* p = Canvas.painter()) {
            p->save();
            p->setClipRect(Rect.toQRect(), Qt::IntersectClip);
            RenderHTMLText(Canvas, text, box, o, res);
            p->restore();
        } else {
            RenderHTMLText(Canvas, text, box, o, res);
        }
        FCellTextWidth = std::min(res.MaxLineWidth, box.width());
        if (sortMark) {
            const int y = VAlign == vtaTop ? Rect.Top + 8
                : VAlign == vtaBottom      ? Rect.Bottom - 8
                                           : (Rect.Top + Rect.Bottom) / 2;
            DrawSortIndicator(Canvas, ACol, y, box.Right + 2);
        }
        return;
    }
    if (type == 2 && !password) {
        const TRect box{Rect.Left + g.XYOffset().x(), Rect.Top + g.XYOffset().y(), Rect.Right - 2, Rect.Bottom};
        const QFont base = Canvas.font.toQFont();
        TRichTextBox where{QRectF(box.toQRect()), base, ui::toQColor(Canvas.font.color), 1.0, WordWrapOn, QColor()};
        // A selected cell, other than the focused one of a focused grid, shows its text in the
        // selection's text colour, unless its own colours are to be kept.
        if (selected && !(focused && g.hasFocus()) && !g.SelectionRTFKeep)
            where.TextColor =
                ui::toQColor(g.SelectionTextColor() != ui::clNone ? g.SelectionTextColor() : ui::clHighlightText);
        if (Canvas.painter())
            DrawRichText(*Canvas.painter(), text, where);
        if (GW > 0) // a graphic beside the text needs its width
            FCellTextWidth = std::min(int(RichTextSize(text, base, WordWrapOn ? box.width() : 0).width()), box.width());
        return;
    }
    DrawPlainText(Canvas, ACol, ARow, RealCol, Rect, text, HAlign, VAlign, WordWrapOn, GW, GH, GHA, GVA,
                  FCellTextWidth);
}

void TGridPainter::DrawPlainText(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect, const QString& Text,
                                 TAlignment HAlign, TVAlignment VAlign, bool WordWrapOn, int GW, int GH,
                                 TCellHAlign GHA, TCellVAlign GVA, int& TextWidth)
{
    TTxStringGrid& g = FGrid;
    TRect box = Rect;
    box.Right -= 2;
    box.Left += g.XYOffset().x();
    const bool sortMark = SortIndicatorAt(ACol, ARow);
    if (HAlign == taCenter && sortMark)
        box.Left += 10;
    if (HAlign != taCenter) {
        if (GHA == haBeforeText)
            box.Left += GW;
        else if (GHA == haAfterText)
            box.Right -= GW;
    }
    if (GVA == vaAboveText)
        box.Top += GH;
    else if (GVA == vaUnderText)
        box.Bottom -= GH;
    box.Top += g.XYOffset().y();
    if (sortMark && ARow == 0) {
        if (HAlign == taLeftJustify)
            box.Right -= 14;
        else
            box.Left += 14;
    }
    if (ARow == 0 && g.GetFilter(RealCol))
        box.Right -= 16;

    QString text = Text;
    ui::Font keep = Canvas.font;
    if (g.URLShow() && IsURL(text)) {
        if (!g.URLFull() && text.contains(QLatin1String("://")))
            text = text.mid(text.indexOf(QLatin1String("://")) + 3);
        Canvas.font.setStyle(ui::fsUnderline, true);
        Canvas.font.color = g.URLColor();
    }
    int flags = Qt::TextExpandTabs;
    flags |= HAlign == taRightJustify ? Qt::AlignRight : HAlign == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= VAlign == vtaBottom ? Qt::AlignBottom : VAlign == vtaCenter ? Qt::AlignVCenter : Qt::AlignTop;
    if (g.layoutDirection() == Qt::RightToLeft)
        flags ^= (Qt::AlignLeft | Qt::AlignRight) * (HAlign != taCenter);
    const bool oneLine = LinesInText(text, g.Multilinecells) <= 1 || !g.Multilinecells;
    QString shown = text;
    if (oneLine && !WordWrapOn) {
        QString rest = text;
        GetNextLine(rest, g.Multilinecells, shown);
        flags |= Qt::TextSingleLine;
        if (g.EnhTextSize && Canvas.textWidth(shown) > box.width() && box.width() > 0)
            shown = Canvas.painter()
                ? QFontMetrics(Canvas.font.toQFont()).elidedText(shown, Qt::ElideRight, box.width())
                : shown;
    } else {
        if (WordWrapOn)
            flags |= Qt::TextWordWrap;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    if (Canvas.painter() && !box.isEmpty()) {
        Canvas.painter()->save();
        Canvas.painter()->setClipRect(Rect.toQRect(), Qt::IntersectClip);
        Canvas.drawText(box, flags, shown);
        Canvas.painter()->restore();
    }
    // The measured width places graphics beside right-aligned text.
    TextWidth = std::clamp(Canvas.textWidth(shown), 0, std::max(box.width(), 0));

    int m1 = 0, m2 = 0;
    if (const TCellGraphic* cg = g.GetCellGraphic(RealCol, ARow); cg && (cg->Marker1 || cg->Marker2)) {
        g.GetMarker(RealCol, ARow, m1, m2);
        DrawErrorLines(Canvas, shown, box, m2, m1, Canvas.textHeight(QStringLiteral("hg")));
    }
    Canvas.font = keep;

    if (SortIndicatorAt(ACol, ARow)) {
        const int w = std::clamp(TextWidth, 0, std::max(0, Rect.width() - 16));
        const int x = HAlign == taLeftJustify ? Rect.Left + w + 10
            : HAlign == taRightJustify        ? Rect.Right - w - 10
                                              : Rect.Left + 8;
        const int y = VAlign == vtaTop ? Rect.Top + 8
            : VAlign == vtaBottom      ? Rect.Bottom - 8
                                       : (Rect.Top + Rect.Bottom) / 2;
        const int rc = g.RemapCol(ACol);
        if (rc == g.SortSettings().Column || g.SortSettings().IndexShow)
            DrawSortIndicator(Canvas, ACol, y, x);
    }
}

void TGridPainter::DrawSortIndicator(ui::Canvas& Canvas, int ACol, int Y, int X)
{
    TSortSettings& ss = FGrid.SortSettings();
    const int rc = FGrid.RemapCol(ACol);
    if (ss.IndexShow) {
        const int pos = FGrid.SortIndexes().FindIndex(rc);
        if (pos < 0)
            return;
        const bool desc = TSortIndexList::Descending(FGrid.SortIndexes().GetInteger(pos));
        Canvas.brush = ui::Brush{ui::rgb(0xFF, 0xFF, 0x00)};
        Canvas.pen = ui::Pen{ui::clBlack, 1};
        if (desc)
            Canvas.polygon(QPolygon({QPoint(X - 7, Y - 5), QPoint(X + 7, Y - 5), QPoint(X, Y + 8)}));
        else
            Canvas.polygon(QPolygon({QPoint(X - 6, Y + 8), QPoint(X + 6, Y + 8), QPoint(X, Y - 4)}));
        ui::Font keep = Canvas.font;
        Canvas.font.size = 5;
        Canvas.font.color = ui::clBlack;
        Canvas.textOut(X - 2, Y - 4, QString::number(pos + 1));
        Canvas.font = keep;
    } else if (!ss.UpGlyph.isNull() && !ss.DownGlyph.isNull()) {
        const QImage& g = ss.Direction == sdDescending ? ss.DownGlyph : ss.UpGlyph;
        DrawBitmapTransp(Canvas, g, Canvas.brush.color, TRect{X - 4, Y - 4, X - 4 + g.width(), Y - 4 + g.height()});
    } else {
        // A solid dark triangle: etched lines on the header's grey were barely seen.
        const ui::Brush keep = Canvas.brush;
        Canvas.brush = ui::Brush{ui::rgb(0x40, 0x40, 0x40)};
        Canvas.pen = ui::Pen{ui::rgb(0x40, 0x40, 0x40), 1};
        if (ss.Direction == sdDescending)
            Canvas.polygon(QPolygon({QPoint(X - 4, Y - 3), QPoint(X + 4, Y - 3), QPoint(X, Y + 3)}));
        else
            Canvas.polygon(QPolygon({QPoint(X - 4, Y + 3), QPoint(X + 4, Y + 3), QPoint(X, Y - 3)}));
        Canvas.brush = keep;
    }
    Canvas.pen = ui::Pen{ui::clBlack, 1};
}

// --- the grid's painting functions, forwarded --------------------------------------------

void TTxStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                        ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                        bool& WordWrapOut)
{
    (void)WordWrapOut; // left as it came
    FPainter->GetVisualProperties(ACol, ARow, State, Print, Select, Brush, Font, HAlign, VAlign);
}

void TTxStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    FPainter->GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

TCellGraphic* TTxStringGrid::GetGraphicDetails(int ACol, int ARow, int& Width, int& Height, bool& TextToo,
                                               TCellHAlign& HAlign, TCellVAlign& VAlign)
{
    return FPainter->GetGraphicDetails(ACol, ARow, Width, Height, TextToo, HAlign, VAlign);
}

void TTxStringGrid::DrawSortIndicator(ui::Canvas& Canvas, int ACol, int Y, int X)
{
    FPainter->DrawSortIndicator(Canvas, ACol, Y, X);
}

void TTxStringGrid::DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State)
{
    FPainter->DrawGridCell(Canvas, ACol, ARow, Rect, State);
}

void TTxStringGrid::PaintSoftFrame() { FPainter->PaintSoftFrame(); }

THTMLPictureCache& TTxStringGrid::PictureCache() { return FPainter->PictureCache(); }

ui::Control* TTxStringGrid::FooterPanel() const { return FPainter->FooterPanel(); }

} // namespace grid
