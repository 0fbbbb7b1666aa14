// TTxStringGrid: painting one cell in its layers: colours, fonts and alignment, the content
// (plain, formatted or rich text, formulas, passwords, URLs, background pictures, selection),
// per-side borders, the soft look of fixed cells, tree lines, the cell's graphic and the focus
// rectangle; and the sort indicator.
#include "grid/core/Txgrid.h"

#include "grid/text/TxgridHTML.h"
#include "grid/text/TxgridRTF.h"

#include <QPainter>
#include <algorithm>

namespace grid {

// --- visual properties -------------------------------------------------------------------

void TTxStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                        ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                        bool& WordWrapOut)
{
    (void)WordWrapOut; // left as it came
    const int rc = RemapCol(ACol);
    const bool fixedArea = ACol < fixedCols() || ARow < fixedRows();
    Font = fixedArea ? FFixedFont : controlFont();
    if (Print)
        Font = FPrintSettings.Font;

    const TCellProperties* p = Props(rc, ARow);
    if (p && p->BrushColor() != ui::clNone) {
        Brush.color = p->BrushColor();
    } else {
        Brush.color = controlColor();
        const int period = FBands.PrimaryLength() + FBands.SecondaryLength();
        const bool normalCol = ACol >= fixedCols() && ACol < colCount() - FixedRightCols();
        const bool normalRow = ARow >= fixedRows() && ARow < rowCount() - FixedFooters();
        // A band period of 0 means no bands (nothing to divide by).
        if (FBands.Active() && (!Print || FBands.Print) && normalCol && normalRow && period > 0)
            Brush.color = (ARow - fixedRows()) % period < FBands.PrimaryLength() ? FBands.PrimaryColor()
                                                                                 : FBands.SecondaryColor();
    }
    Brush.style = ui::BrushStyle::Solid;

    const bool fixed = IsFixed(ACol, ARow);
    if (fixed && !Print) {
        Brush.color = FixedColor;
        Font.color = FFixedFont.color;
        State |= ui::gdFixed;
    }
    if (Print)
        GetCellPrintColor(rc, ARow, State, Brush, Font);
    else
        GetCellColor(rc, ARow, State, Brush, Font);

    if (Select && !Print && FShowSelection && !fixed) {
        bool selected = false;
        if (!FMouseActions.DisjunctRowSelect)
            selected = !FSelectionHidden && selection().contains(ACol, ARow);
        else
            selected = std::size_t(ARow) < FRowSelect.size() && FRowSelect[std::size_t(ARow)];
        if (FMouseActions.DisjunctCellSelect && GetSelectedCells(rc, ARow))
            selected = true;
        if (selected) {
            if (FSelectionColor != ui::clNone)
                Brush.color = FSelectionColor;
            if (FSelectionTextColor != ui::clNone)
                Font.color = FSelectionTextColor;
            State |= ui::gdSelected;
        }
    }
    GetCellAlignment(ACol, ARow, HAlign, VAlign);
}

void TTxStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    const int rc = RemapCol(ACol);
    VAlign = FVAlignment;
    HAlign = taLeftJustify;
    if (AutoNumAlign) {
        QString t = cells(rc, ARow);
        if (t.startsWith(QLatin1Char('=')))
            CalcCell(rc, ARow, t);
        if (IsType(t) < 2)
            HAlign = taRightJustify;
    }
    GetCellAlign(rc, ARow, HAlign, VAlign);
}

// --- the control -------------------------------------------------------------------------

// Over the cells: the open editor's frame, the fixed column's sizing line and the panning
// focus point.
void TTxStringGrid::paint(ui::Canvas& Canvas, const QRect& Region)
{
    TBaseGrid::paint(Canvas, Region);
    if (FEdit.Active && Canvas.painter()) {
        // The open editor's cell keeps its frame of grid lines around the control.
        const TRect r = CellRect(col(), row());
        QPainter& p = *Canvas.painter();
        p.save();
        p.setPen(ui::toQColor(GridLineWidth() < 1 ? controlColor() : GridLineColor()));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(r.Left - 1, r.Top - 1, r.width(), r.height()));
        p.restore();
    }
    if (FInput.SizingLineX >= 0 && Canvas.painter()) {
        // The fixed column's sizing line, down to the last row or the control's bottom.
        QPainter& p = *Canvas.painter();
        p.save();
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        const int bottom = std::max(height(), platformCellRect(0, rowCount() - 1).Bottom);
        p.drawLine(FInput.SizingLineX, 0, FInput.SizingLineX, bottom);
        p.restore();
    }
    if (FInput.Panning && Canvas.painter())
        Canvas.painter()->drawImage(FInput.PanFocus, PanFocusImage(IntelliPan));
}

// With the soft look a bordered grid's frame is a grey line one pixel inside its edge, and the
// edge itself takes the colour of what the grid stands on; a frame of one pixel is the grey line.
void TTxStringGrid::PaintSoftFrame()
{
    if (FLook != glSoft || frameWidth() < 1)
        return;
    QPainter p(this);
    QRect edge = rect().adjusted(0, 0, -1, -1);
    if (frameWidth() >= 2) {
        const QWidget* under = parentWidget() ? parentWidget() : this;
        p.setPen(under->palette().color(under->backgroundRole()));
        p.drawRect(edge);
        edge.adjust(1, 1, -1, -1);
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(edge);
}

// --- the cell ----------------------------------------------------------------------------

bool TTxStringGrid::SortIndicatorAt(int ACol, int ARow)
{
    if (!FSortSettings.Show || ARow != FSortSettings.Row() || rowCount() <= 2 || fixedRows() < 1)
        return false;
    const int rc = RemapCol(ACol);
    if (rc != FSortSettings.Column && SortIndexes().FindIndex(rc) < 0)
        return false;
    return ACol >= fixedCols() || FSortSettings.FixedCols;
}

void TTxStringGrid::DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State)
{
    const int rc = RemapCol(ACol);
    if (FSelectionHidden)
        State &= ~unsigned(ui::gdSelected);
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = WordWrap;
    if (const TCellProperties* p = Props(rc, ARow); p && p->WordWrap())
        wordWrap = true;
    ui::Brush brush{controlColor()};
    ui::Font font;
    GetVisualProperties(ACol, ARow, State, false, false, brush, font, hAlign, vAlign, wordWrap);
    int gw = 0, gh = 0;
    bool textToo = true;
    TCellHAlign gha = haLeft;
    TCellVAlign gva = vaTop;
    TCellGraphic* graphic = GetGraphicDetails(rc, ARow, gw, gh, textToo, gha, gva);
    font.size += Zoom;

    TRect r = Rect;
    // Row indicator in the first column of the current row.
    if (ACol == 0 && fixedCols() > 0 && ARow == row() && !RowIndicator.isNull()) {
        Canvas.brush = ui::Brush{FixedColor};
        Canvas.fillRect(r);
        DrawBitmapTransp(Canvas, RowIndicator, FixedColor, r);
        r.Left += RowIndicator.width();
    }
    Canvas.brush = brush;
    Canvas.font = font;
    DrawCellContent(Canvas, ACol, ARow, rc, r, State, hAlign, vAlign, wordWrap, graphic, gw, gh, textToo, gha, gva);

    // Borders chosen per side by the application.
    {
        ui::Pen pen{ui::clBlack, 1};
        TCellBorders sides = 0;
        GetCellBorder(rc, ARow, pen, sides);
        ui::Pen lp = pen, tp = pen, rp = pen, bp = pen;
        if (OnGetCellBorderProp)
            OnGetCellBorderProp(*this, ARow, rc, lp, tp, rp, bp);
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
    const bool sunken = (State & ui::gdFixed) && ACol == FInput.SunkenCol && ARow == FInput.SunkenRow;
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
    if ((State & ui::gdFixed) && FLook == glSoft && !FFlat && !sunken) {
        TRect b{Rect.Left - 1, Rect.Top - 1, Rect.Right + 1, Rect.Bottom};
        auto line = [&](ui::Color c, int x1, int y1, int x2, int y2) {
            Canvas.pen = ui::Pen{c, 1};
            Canvas.moveTo(x1, y1);
            Canvas.lineTo(x2, y2);
        };
        if (options() & ui::goFixedHorzLine) {
            line(ui::rgb(128, 128, 128), b.Left, b.Bottom - 1, b.Right, b.Bottom - 1);
            line(ui::clWhite, b.Right, b.Top + 1, b.Left + 1, b.Top + 1);
            line(ui::clWhite, b.Left + 1, b.Top + 1, b.Left + 1, b.Bottom - 1);
        }
        if (options() & ui::goFixedVertLine) {
            line(ui::rgb(128, 128, 128), b.Right - 2, b.Top, b.Right - 2, b.Bottom - 1);
            line(ui::clWhite, b.Right - 1, b.Top, b.Right - 1, b.Bottom - 1);
        }
    }

    // Tree lines left of the first column's text.
    if (ACol == 0 && ARow >= fixedRows() && HasNodes() && FCellNode.ShowTree()) {
        Canvas.pen = ui::Pen{ui::rgb(0xC0, 0xC0, 0xC0), 1};
        const int x = Rect.Left + NodeIndent(ARow) - 8, mid = (Rect.Top + Rect.Bottom) / 2;
        Canvas.moveTo(x, mid);
        Canvas.lineTo(x + 8, mid);
        const int span = GetNodeSpanType(ARow);
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

    // Focus rectangle on the current cell (or the block holding it).
    const TPoint base = BaseCell(ACol, ARow);
    const TPoint cur = BaseCell(col(), row());
    if (!HideFocusRect && base == cur && hasFocus() && !(options() & ui::goRowSelect) && Canvas.painter()) {
        const int g = GridLineWidth() - 1;
        QPainter& p = *Canvas.painter();
        p.save();
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(Rect.Left - g, Rect.Top - g, Rect.width() + 2 * g - 2, Rect.height() + 2 * g - 2));
        p.restore();
    }
}

void TTxStringGrid::DrawCellContent(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect,
                                    TGridDrawState State, TAlignment HAlign, TVAlignment VAlign, bool WordWrapOn,
                                    TCellGraphic* Graphic, int GW, int GH, bool TextToo, TCellHAlign GHA,
                                    TCellVAlign GVA)
{
    const bool fixed = State & ui::gdFixed;
    bool selected = (State & ui::gdSelected) && !fixed;
    if ((options() & ui::goRowSelect) && ACol >= fixedCols() && !fixed && selection().Top <= ARow
        && ARow <= selection().Bottom)
        selected = true;
    if (FMouseActions.DisjunctRowSelect && !fixed)
        selected = std::size_t(ARow) < FRowSelect.size() && FRowSelect[std::size_t(ARow)];
    if (FMouseActions.DisjunctCellSelect && !fixed && GetSelectedCells(RealCol, ARow))
        selected = true;
    const bool focused = State & ui::gdFocused;
    ui::Color anchorColor = FURLColor;
    if (selected) {
        if (FShowSelection) {
            ui::Color sc = FSelectionColor;
            if (sc == ui::clNone && !focused)
                sc = ui::clHighlight;
            if (sc != ui::clNone)
                Canvas.brush.color = sc;
            if (FSelectionTextColor != ui::clNone) {
                Canvas.font.color = FSelectionTextColor;
                anchorColor = FSelectionTextColor;
            }
        } else if (!hasFocus() || (Graphic && (Graphic->CellType == ctCheckBox || Graphic->CellType == ctDataCheckBox))) {
            Canvas.brush.color = controlColor();
            Canvas.font.color = controlFont().color;
        }
    }
    Canvas.fillRect(Rect);

    // Background picture, not under the selection colour.
    const QImage& bg = FBackGround.Bitmap();
    if (!bg.isNull() && (!selected || !FShowSelection)
        && ((!fixed && FBackGround.Cells() == bcNormal) || (fixed && FBackGround.Cells() == bcFixed))
        && Canvas.painter()) {
        QPainter& p = *Canvas.painter();
        p.save();
        p.setClipRect(Rect.toQRect(), Qt::IntersectClip);
        if (FBackGround.Display() == bdFixed) {
            p.drawImage(QPoint(FBackGround.Left(), FBackGround.Top()), bg);
        } else {
            // Tiled over the scrolled area: the phase comes from the cell's offset in it.
            const int c0 = FBackGround.Cells() == bcNormal ? fixedCols() : 0;
            const int r0 = FBackGround.Cells() == bcNormal ? fixedRows() : 0;
            int ox = 0, oy = 0;
            for (int c = c0; c < ACol && c - c0 < 4096; ++c)
                ox += colWidths(c);
            for (int r = r0; r < ARow && r - r0 < 4096; ++r)
                oy += rowHeights(r);
            const int px = Rect.Left - ox % bg.width(), py = Rect.Top - oy % bg.height();
            for (int y = py; y < Rect.Bottom; y += bg.height())
                for (int x = px; x < Rect.Right; x += bg.width())
                    p.drawImage(QPoint(x, y), bg);
        }
        p.restore();
    }

    // Selection rectangle along the outer edges of the selection.
    if (FSelectionRectangle && selected && !FMouseActions.DisjunctRowSelect && Canvas.painter()) {
        const TGridRect s = selection();
        QPainter& p = *Canvas.painter();
        const QColor c = ui::toQColor(SelectionRectangleColor);
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
    const bool filter = ARow == 0 && GetFilter(RealCol);
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
    QString text = GetCellEx(RealCol, ARow);
    const int type = TextType(text, EnableHTML);
    if (type == 3)
        CalcCell(RealCol, ARow, text);
    bool password = false;
    GetCellPassword(RealCol, ARow, password);
    if (password)
        StringToPassword(text, PasswordChar);
    const bool sortMark = SortIndicatorAt(ACol, ARow);

    if (type == 1 && !password) {
        TRect box{Rect.Left + 2, Rect.Top + 2, Rect.Right - (filter ? 18 : 0) - (sortMark ? 10 : 0), Rect.Bottom};
        THTMLRenderOptions o;
        o.Images = FGridImages;
        o.Pictures = PictureContainer;
        o.PictureCache = FPictureCache.get();
        o.URLColor = anchorColor;
        o.ShadowColor = ui::clGray;
        o.WordWrap = !EnhTextSize;
        o.BlinkOn = FInput.BlinkOn;
        THTMLRenderResult res;
        RenderHTMLText(Canvas, text, box, o, res);
        FCellTextWidth = std::min(res.MaxLineWidth, box.width());
        if (sortMark) {
            const int y = VAlign == vtaTop ? Rect.Top + 8 : VAlign == vtaBottom ? Rect.Bottom - 8 : (Rect.Top + Rect.Bottom) / 2;
            DrawSortIndicator(Canvas, ACol, y, box.Right + 2);
        }
        return;
    }
    if (type == 2 && !password) {
        const TRect box{Rect.Left + XYOffsetX, Rect.Top + XYOffsetY, Rect.Right - 2, Rect.Bottom};
        const QFont base = Canvas.font.toQFont();
        TRichTextBox where{QRectF(box.toQRect()), base, ui::toQColor(Canvas.font.color), 1.0, WordWrapOn};
        // A selected cell, other than the focused one of a focused grid, shows its text in the
        // selection's text colour, unless its own colours are to be kept.
        if (selected && !(focused && hasFocus()) && !SelectionRTFKeep)
            where.TextColor = ui::toQColor(FSelectionTextColor != ui::clNone ? FSelectionTextColor : ui::clHighlightText);
        if (Canvas.painter())
            DrawRichText(*Canvas.painter(), text, where);
        if (GW > 0) // a graphic beside the text needs its width
            FCellTextWidth = std::min(int(RichTextSize(text, base, WordWrapOn ? box.width() : 0).width()), box.width());
        return;
    }
    DrawPlainText(Canvas, ACol, ARow, RealCol, Rect, text, HAlign, VAlign, WordWrapOn, GW, GH, GHA, GVA,
                  FCellTextWidth);
}

void TTxStringGrid::DrawPlainText(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect,
                                  const QString& Text, TAlignment HAlign, TVAlignment VAlign, bool WordWrapOn,
                                  int GW, int GH, TCellHAlign GHA, TCellVAlign GVA, int& TextWidth)
{
    TRect box = Rect;
    box.Right -= 2;
    box.Left += XYOffsetX;
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
    box.Top += XYOffsetY;
    if (sortMark && ARow == 0) {
        if (HAlign == taLeftJustify)
            box.Right -= 14;
        else
            box.Left += 14;
    }
    if (ARow == 0 && GetFilter(RealCol))
        box.Right -= 16;

    QString text = Text;
    ui::Font keep = Canvas.font;
    if (FURLShow && IsURL(text)) {
        if (!FURLFull && text.contains(QLatin1String("://")))
            text = text.mid(text.indexOf(QLatin1String("://")) + 3);
        Canvas.font.setStyle(ui::fsUnderline, true);
        Canvas.font.color = FURLColor;
    }
    int flags = Qt::TextExpandTabs;
    flags |= HAlign == taRightJustify ? Qt::AlignRight : HAlign == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= VAlign == vtaBottom ? Qt::AlignBottom : VAlign == vtaCenter ? Qt::AlignVCenter : Qt::AlignTop;
    if (layoutDirection() == Qt::RightToLeft)
        flags ^= (Qt::AlignLeft | Qt::AlignRight) * (HAlign != taCenter);
    const bool oneLine = LinesInText(text, Multilinecells) <= 1 || !Multilinecells;
    QString shown = text;
    if (oneLine && !WordWrapOn) {
        QString rest = text;
        GetNextLine(rest, Multilinecells, shown);
        flags |= Qt::TextSingleLine;
        if (EnhTextSize && Canvas.textWidth(shown) > box.width() && box.width() > 0)
            shown = Canvas.painter() ? QFontMetrics(Canvas.font.toQFont()).elidedText(shown, Qt::ElideRight, box.width())
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
    if (const TCellGraphic* g = GetCellGraphic(RealCol, ARow); g && (g->Marker1 || g->Marker2)) {
        GetMarker(RealCol, ARow, m1, m2);
        DrawErrorLines(Canvas, shown, box, m2, m1, Canvas.textHeight(QStringLiteral("hg")));
    }
    Canvas.font = keep;

    if (SortIndicatorAt(ACol, ARow)) {
        const int w = std::clamp(TextWidth, 0, std::max(0, Rect.width() - 16));
        const int x = HAlign == taLeftJustify ? Rect.Left + w + 10 : HAlign == taRightJustify ? Rect.Right - w - 10 : Rect.Left + 8;
        const int y = VAlign == vtaTop ? Rect.Top + 8 : VAlign == vtaBottom ? Rect.Bottom - 8 : (Rect.Top + Rect.Bottom) / 2;
        const int rc = RemapCol(ACol);
        if (rc == FSortSettings.Column || FSortSettings.IndexShow)
            DrawSortIndicator(Canvas, ACol, y, x);
    }
}

void TTxStringGrid::DrawSortIndicator(ui::Canvas& Canvas, int ACol, int Y, int X)
{
    const int rc = RemapCol(ACol);
    if (FSortSettings.IndexShow) {
        const int pos = SortIndexes().FindIndex(rc);
        if (pos < 0)
            return;
        const bool desc = TSortIndexList::Descending(SortIndexes().GetInteger(pos));
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
    } else if (!FSortSettings.UpGlyph.isNull() && !FSortSettings.DownGlyph.isNull()) {
        const QImage& g = FSortSettings.Direction == sdDescending ? FSortSettings.DownGlyph : FSortSettings.UpGlyph;
        DrawBitmapTransp(Canvas, g, Canvas.brush.color, TRect{X - 4, Y - 4, X - 4 + g.width(), Y - 4 + g.height()});
    } else {
        // A solid dark triangle: etched lines on the header's grey were barely seen.
        const ui::Brush keep = Canvas.brush;
        Canvas.brush = ui::Brush{ui::rgb(0x40, 0x40, 0x40)};
        Canvas.pen = ui::Pen{ui::rgb(0x40, 0x40, 0x40), 1};
        if (FSortSettings.Direction == sdDescending)
            Canvas.polygon(QPolygon({QPoint(X - 4, Y - 3), QPoint(X + 4, Y - 3), QPoint(X, Y + 3)}));
        else
            Canvas.polygon(QPolygon({QPoint(X - 4, Y + 3), QPoint(X + 4, Y + 3), QPoint(X, Y - 3)}));
        Canvas.brush = keep;
    }
    Canvas.pen = ui::Pen{ui::clBlack, 1};
}

} // namespace grid
