// What a printed page shows: header and footer texts, the cells of each printed row with their
// borders, and the frame around the printed block; also how a cell is measured for paper.
#include "grid/Txgrid.h"
#include "grid/TxgridPrintRich.h"
#include "grid/TxgridPrintRun.h"
#include "grid/Txutil.h"

#include <QDateTime>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

// Draws in paper units (tenths of a millimetre, y upwards) on a device painter.
class Paper {
public:
    Paper(QPainter& P, QPointF Origin, double Dpi) : p(P)
    {
        p.save();
        p.translate(Origin);
        p.scale(Dpi / 254.0, Dpi / 254.0);
    }
    ~Paper() { p.restore(); }
    Paper(const Paper&) = delete;
    Paper& operator=(const Paper&) = delete;

    static QRectF Rect(int L, int T, int R, int B) { return QRectF(QPointF(L, -T), QPointF(R, -B)).normalized(); }
    void Line(int x1, int y1, int x2, int y2) { p.drawLine(QPointF(x1, -y1), QPointF(x2, -y2)); }
    // Text with its top-left corner at (x, yTop).
    void Text(int x, int yTop, const QString& s)
    {
        p.drawText(QRectF(x, -yTop, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
    }

    QPainter& p;
};

QStringList CellTextLines(QString Text, bool Multi)
{
    QStringList lines;
    QString line;
    do {
        GetNextLine(Text, Multi, line);
        lines << line;
    } while (!Text.isEmpty());
    return lines;
}

QString Shown(const QString& Line, bool URLShow, bool URLFull)
{
    if (URLShow && !URLFull && IsURL(Line)) {
        const int p = int(Line.indexOf(QLatin1String("://")));
        if (p >= 0)
            return Line.mid(p + 3);
    }
    return Line;
}

// The room a cell's picture takes on paper, when pictures are printed at all.
QSize PrintPictureSize(TTxStringGrid& Grid, int ACol, int ARow)
{
    if (!Grid.PrintSettings().PrintGraphics || !Grid.GetCellGraphic(ACol, ARow))
        return {};
    const double f = 254.0 / (Grid.logicalDpiX() > 0 ? Grid.logicalDpiX() : 96);
    const TPoint s = Grid.GetPrintGraphicSize(ACol, ARow, 0, 0, 0);
    return {int(std::lround(s.x() * f)), int(std::lround(s.y() * f))};
}

} // namespace

TPoint TTxStringGrid::PrintCellSize(int ACol, int ARow)
{
    const TPrintSettings& S = FPrintSettings;
    const int dc = RemapColInv(ACol);
    ui::Brush brush;
    ui::Font font = S.Font;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = WordWrap;
    TGridDrawState st = 0;
    GetVisualProperties(dc, ARow, st, true, false, brush, font, ha, va, ww);
    const QFont f = TPrintRun::PaperFont(*this, font);
    QString text = HasDataCheckBox(ACol, ARow) ? QString() : GetCellEx(ACol, ARow);
    if (text.startsWith(u'='))
        CalcCell(ACol, ARow, text);
    if (text.isEmpty())
        text = QStringLiteral("gh");
    const int gh = TPrintRun::TextHeight(f);
    if (IsFormattedForPrint(*this, text)) {
        const double toPaper = 254.0 / (logicalDpiX() > 0 ? logicalDpiX() : 96) * FPrintFontScale;
        const QSize s = DrawPaperText(*this, nullptr, text, {QRectF(0, 0, 1e5, 1e5), font, toPaper, false});
        return {s.width(), std::max(gh, s.height())};
    }
    if (WordWrap && S.NoAutoSize) {
        const int w = int(std::lround((colWidths(dc) - 4) * 254.0 / (logicalDpiX() > 0 ? logicalDpiX() : 96)));
        const QRectF r = QFontMetricsF(f).boundingRect(QRectF(0, 0, std::max(w, 1), 1e6), Qt::TextWordWrap, text);
        return {w, std::max(gh, int(std::lround(r.height())))};
    }
    const QStringList lines = CellTextLines(text, Multilinecells);
    int w = 0;
    for (const QString& l : lines)
        w = std::max(w, TPrintRun::TextWidth(f, Shown(l, FURLShow, FURLFull)));
    const int h = int(lines.size()) * gh;
    int angle = 0;
    if (IsRotated(ACol, ARow, angle)) {
        const QSize box = RotatedTextBox(angle, w, h);
        return {box.width(), box.height()};
    }
    const QSize pic = PrintPictureSize(*this, ACol, ARow);
    return {std::max(w + pic.width(), pic.width()), std::max(h, pic.height())};
}

void TTxStringGrid::DrawPrintPage(TPrintRun& Run, int PageIndex)
{
    const TPrintPage& page = FPrintLayout.Pages[size_t(PageIndex)];
    if (page.Rows.empty())
        return; // a page forced after the last row stays blank
    Run.Band = &FPrintLayout.Bands[size_t(page.Band)];
    DrawPrintHeader(Run, PageIndex);
    for (const TPrintRowPlace& place : page.Rows) {
        if (Run.Band->RepeatCols)
            PrintRow(Run, 0, FixedCols() - 1, place.Row, place.Y, place.Pitch);
        PrintRow(Run, Run.Band->FirstCol, Run.Band->LastCol, place.Row, place.Y, place.Pitch);
    }
    if (page.Framed)
        DrawPrintFrame(Run, PageIndex);
}

void TTxStringGrid::DrawPrintHeader(TPrintRun& Run, int PageIndex)
{
    const TPrintSettings& S = FPrintSettings;
    const QDateTime now = QDateTime::currentDateTime();
    TPrintHeaderItems items;
    items.Time = now.toString(QStringLiteral("hh:mm"));
    items.Date = PrintFormatDateTime(S.DateFormat, now);
    items.Page = S.PagePrefix + u' ' + PrintPageNumber(FPrintLayout, PageIndex, Run.TotalPages, S.PageNumSep) + u' ' +
                 S.PageSuffix;
    QStringList more; // title lines under the first
    if (!S.TitleText.isEmpty()) {
        items.Title = S.TitleText;
    } else if (!S.TitleLines.isEmpty() && !IsFormattedForPrint(*this, S.TitleLines.join(QStringLiteral("\r\n")))) {
        items.Title = S.TitleLines.first();
        more = S.TitleLines.mid(1);
    }
    const std::array<QString, 7> texts = PrintPositionTexts(S, items);

    Paper paper(*Run.Canvas->painter(), Run.Origin, Run.Dpi);
    QPainter& p = paper.p;
    auto xAt = [&](TPrintPosition pos, int w) {
        switch (pos) {
        case ppTopLeft:
        case ppBottomLeft: return S.LeftSize;
        case ppTopRight:
        case ppBottomRight: return Run.PageWidth - w - 20 - S.RightSize;
        default: return (Run.PageWidth - w) / 2;
        }
    };
    auto xFor = [&](TPrintPosition pos, const QFont& f, const QString& s) {
        return xAt(pos, TPrintRun::TextWidth(f, s));
    };
    auto drawAt = [&](const QFont& f, const ui::Font& uf, int yTop, int firstPos, int lineH) {
        p.setFont(f);
        p.setPen(ui::toQColor(uf.color));
        for (int pos = firstPos; pos < firstPos + 3; ++pos) {
            const QString& s = texts[size_t(pos)];
            if (IsFormattedForPrint(*this, s)) {
                // A formatted title is drawn as a block, placed by its measured width.
                TPaperTextBox box{QRectF(0, -yTop, 1e5, 1e5), uf, Run.ScreenToPaper, false};
                const QSize size = DrawPaperText(*this, nullptr, s, box);
                box.Box = QRectF(xAt(TPrintPosition(pos), size.width()), -yTop, size.width() + 2, size.height() + 2);
                DrawPaperText(*this, &p, s, box);
            } else if (!s.isEmpty()) {
                paper.Text(xFor(TPrintPosition(pos), f, s), yTop, s);
            }
        }
        if (S.Title >= firstPos && S.Title < firstPos + 3)
            for (int k = 0; k < more.size(); ++k)
                paper.Text(xFor(S.Title, f, more[k]), yTop - (k + 1) * lineH, more[k]);
    };
    drawAt(Run.HeaderFont, S.HeaderFont, -S.HeaderSize, ppTopLeft, Run.HeaderTextHeight);
    drawAt(Run.FooterFont, S.FooterFont, Run.PageBottom + Run.FooterTextHeight + Run.LineGap + S.FooterSize,
           ppBottomLeft, Run.FooterTextHeight);
    // Formatted title lines are one block over the header's (footer's) height.
    if (const QString block = S.TitleLines.join(QStringLiteral("\r\n"));
        S.TitleText.isEmpty() && S.Title != ppNone && IsFormattedForPrint(*this, block)) {
        const bool top = S.Title <= ppTopCenter;
        const QRectF box = top ? Paper::Rect(S.LeftSize, 0, Run.PageWidth, -S.HeaderSize)
                               : Paper::Rect(S.LeftSize, Run.PageBottom + S.FooterSize, Run.PageWidth, Run.PageBottom);
        DrawPaperText(*this, &p, block, {box, S.HeaderFont, Run.ScreenToPaper, false});
    }
}

int TTxStringGrid::PrintRow(TPrintRun& Run, int FromCol, int ToCol, int ARow, int Y, int Pitch)
{
    const TPrintSettings& S = FPrintSettings;
    const TPrintBand& band = *Run.Band;
    Paper paper(*Run.Canvas->painter(), Run.Origin, Run.Dpi);
    QPainter& p = paper.p;
    auto width = [&](int c) { return c >= 0 && c < int(Run.Widths.size()) ? Run.Widths[size_t(c)] : 0; };
    auto offset = [&](int c) { return c >= 0 && c < int(band.Offsets.size()) ? band.Offsets[size_t(c)] : 0; };

    for (int c = FromCol; c <= ToCol; ++c) {
        if (!IsBaseCell(c, ARow))
            continue;
        const int rc = RemapCol(c);
        const TPoint span = CellSpan(c, ARow);
        int W = 0;
        for (int k = c; k <= c + span.x(); ++k)
            W += width(k) + Run.ColumnSpacing;
        const int L = offset(c);
        int R = L + W;
        const int T = Y;
        int B = Y - (span.y() + 1) * Pitch;
        bool bottomLine = true;
        // A block reaching into the footer margin is cut to its first row.
        if (B < Run.PageBottom + S.FooterSize) {
            B = Y - Pitch;
            bottomLine = span.y() == 0;
        }

        ui::Brush brush;
        ui::Font font = S.Font;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = WordWrap;
        TGridDrawState st = 0;
        GetVisualProperties(c, ARow, st, true, false, brush, font, ha, va, ww);
        const QFont f = TPrintRun::PaperFont(*this, font);
        const QRectF cell = Paper::Rect(L, T, R, B);
        if (brush.style == ui::BrushStyle::Solid)
            p.fillRect(cell, ui::toQColor(brush.color));

        QString text = HasDataCheckBox(rc, ARow) ? QString() : GetCellEx(rc, ARow);
        if (text.startsWith(u'='))
            CalcCell(rc, ARow, text);
        p.setFont(f);
        p.setPen(ui::toQColor(font.color));
        p.save();
        p.setClipRect(cell, Qt::IntersectClip);
        int textL = L, textR = R, textT = T, textB = B;
        if (const QSize pic = PrintPictureSize(*this, rc, ARow); !pic.isEmpty()) {
            const TCellGraphic* g = GetCellGraphic(rc, ARow);
            int px = L + int(Run.ScreenToPaper), pw = pic.width(), py = T, ph = pic.height();
            switch (g->HAlign) {
            case haLeft:
            case haBeforeText: textL = px + pw; break;
            case haRight:
            case haAfterText: px = R - pw; textR = px; break;
            case haCenter: px = L + (W - pw) / 2; break;
            case haFull: px = L; pw = W; break;
            }
            switch (g->VAlign) {
            case vaTop: break;
            case vaBottom: py = B + ph; break;
            case vaCenter: py = T - ((T - B) - ph) / 2; break;
            case vaUnderText: py = B + ph; textB = py; break;
            case vaAboveText: textT = T - ph; break;
            case vaFull: ph = T - B; break;
            }
            const QRectF target = Paper::Rect(px, py, px + pw, py - ph);
            switch (g->CellType) {
            case ctBitmap:
                if (g->Bitmap)
                    p.drawImage(target, *g->Bitmap);
                break;
            case ctPicture:
                if (g->Picture)
                    p.drawImage(target, *g->Picture);
                break;
            case ctIcon:
                if (g->Icon)
                    p.drawPixmap(target.toRect(), g->Icon->pixmap(64));
                break;
            case ctCheckBox:
            case ctDataCheckBox: {
                bool checked = g->State;
                GetCheckBoxState(rc, ARow, checked);
                const double side = FControlLook.CheckSize() * Run.ScreenToPaper;
                const QRectF box(target.left(), target.top(), side, side);
                p.save();
                p.setPen(QPen(Qt::black, 2));
                p.setBrush(Qt::white);
                p.drawRect(box);
                if (checked) {
                    p.drawLine(box.topLeft() + QPointF(side * 0.2, side * 0.5), box.topLeft() + QPointF(side * 0.4, side * 0.8));
                    p.drawLine(box.topLeft() + QPointF(side * 0.4, side * 0.8), box.topLeft() + QPointF(side * 0.8, side * 0.2));
                }
                p.restore();
                break;
            }
            default: break; // other objects print no picture
            }
        }
        if (IsFormattedForPrint(*this, text)) {
            const QRectF box = Paper::Rect(textL + Run.TextIndent, textT, textR, textB);
            DrawPaperText(*this, &p, text, {box, font, Run.ScreenToPaper * Run.Fit, ww});
        } else if (WordWrap && S.NoAutoSize) {
            QRectF r = cell;
            if (R > Run.PageWidth)
                r.setRight(offset(band.LastCol + 1));
            r.setLeft(r.left() + 2 * Run.ScreenToPaper);
            const int align = ha == taRightJustify ? Qt::AlignRight : ha == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
            p.drawText(r, align | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, text);
        } else if (int angle = 0; !text.isEmpty() && IsRotated(rc, ARow, angle)) {
            // One line turned by the angle, placed in the cell as aligned (y downwards here).
            const QString line = Shown(text, FURLShow, FURLFull);
            const int lw = TPrintRun::TextWidth(f, line);
            const int lh = TPrintRun::TextHeight(f);
            const int hAlign = ha == taLeftJustify ? 0 : ha == taRightJustify ? 1 : 2;
            const int vAlign = va == vtaTop ? 0 : va == vtaBottom ? 1 : 2;
            const QPoint at = RotatedTextPos(angle, lw, lh, L, -T, R, -B, hAlign, vAlign);
            p.translate(at);
            p.rotate(-angle);
            p.drawText(QPointF(0, QFontMetricsF(f).ascent()), line);
        } else if (!text.isEmpty()) {
            const QStringList lines = CellTextLines(text, Multilinecells);
            const int gh = TPrintRun::TextHeight(f);
            int linePitch = gh + S.RowSpacing;
            linePitch += linePitch / 8;
            const int H = textT - textB;
            int down = 0;
            if (lines.size() > 1)
                down = va == vtaTop      ? Run.LineGap
                       : va == vtaCenter ? (H - int(lines.size()) * linePitch) / 2
                                         : H - int(lines.size()) * linePitch;
            else
                down = va == vtaTop ? 0 : va == vtaCenter ? (S.RowSpacing + H - linePitch) / 2 : S.RowSpacing + H - linePitch;
            for (int k = 0; k < lines.size(); ++k) {
                const QString line = Shown(lines[k], FURLShow, FURLFull);
                const int lw = TPrintRun::TextWidth(f, line);
                const int x = ha == taLeftJustify    ? textL + Run.TextIndent
                              : ha == taRightJustify ? textR - Run.TextIndent - lw
                                                     : textL + (textR - textL - lw) / 2;
                paper.Text(x, textT - down - k * linePitch, line);
            }
        }
        p.restore();

        // Borders.
        TCellBorders flags = 0;
        switch (S.Borders) {
        case pbSingle:
        case pbDouble: flags = cbTop | cbLeft | cbRight | cbBottom; break;
        case pbHorizontal:
        case pbAroundHorizontal: flags = cbTop | cbBottom; break;
        case pbVertical:
        case pbAroundVertical: flags = cbLeft | cbRight; break;
        default: break;
        }
        ui::Pen pen{ui::clBlack, S.Borders == pbDouble ? 10 : 2, S.BorderStyle};
        GetCellPrintBorder(rc, ARow, pen, flags);
        if (!bottomLine)
            flags &= ~unsigned(cbBottom);
        if (R > Run.PageWidth)
            R = offset(band.LastCol + 1);
        if (flags) {
            p.setPen(QPen(ui::toQColor(pen.color), pen.width, pen.style));
            if (flags & cbLeft)
                paper.Line(L, T, L, B);
            if (flags & cbRight)
                paper.Line(R, T, R, B);
            if (flags & cbTop)
                paper.Line(L, T, R, T);
            if (flags & cbBottom)
                paper.Line(L, B, R, B);
        }
    }
    return Pitch;
}

void TTxStringGrid::DrawPrintFrame(TPrintRun& Run, int PageIndex)
{
    const TPrintSettings& S = FPrintSettings;
    const TPrintPage& page = FPrintLayout.Pages[size_t(PageIndex)];
    const TPrintBand& band = FPrintLayout.Bands[size_t(page.Band)];
    auto offset = [&](int c) { return c >= 0 && c < int(band.Offsets.size()) ? band.Offsets[size_t(c)] : 0; };
    const int left = band.RepeatCols ? offset(0) : offset(band.FirstCol);
    const int right = offset(band.LastCol + 1);
    const int top = -Run.HeaderHeight - S.TitleSpacing;
    const int bottom = page.EndY + Run.LineGap / 2;
    const TPrintBorders b = S.Borders;

    Paper paper(*Run.Canvas->painter(), Run.Origin, Run.Dpi);
    paper.p.setPen(QPen(Qt::black, b == pbDouble ? 10 : 2, S.BorderStyle));
    paper.p.setBrush(Qt::NoBrush);
    if (b == pbAround || b == pbAroundVertical || b == pbAroundHorizontal)
        paper.p.drawRect(Paper::Rect(left, top, right, bottom));
    if (b == pbDouble || b == pbHorizontal || b == pbAroundHorizontal)
        paper.Line(left, bottom, right, bottom);
    if ((b == pbDouble || b == pbVertical || b == pbAroundVertical) && band.RepeatCols)
        for (int i = 0; i < FixedCols(); ++i)
            paper.Line(offset(i), top, offset(i), bottom);
}

void TTxStringGrid::CalcTextPos(TRect& Rect, int Angle, const QString& Text, TAlignment Alignment)
{
    const std::shared_ptr<ui::TextMeasurer> m = ui::textMeasurer();
    const int w = m->width(controlFont(), Text);
    const int h = m->height(controlFont());
    const int hAlign = Alignment == taLeftJustify ? 0 : Alignment == taRightJustify ? 1 : 2;
    const int vAlign = VAlignment() == vtaTop ? 0 : VAlignment() == vtaBottom ? 1 : 2;
    const QPoint at = RotatedTextPos(Angle, w, h, Rect.Left, Rect.Top, Rect.Right - 2, Rect.Bottom - 2, hAlign, vAlign);
    Rect.Left = at.x() + 2;
    Rect.Top = at.y() + 2;
}

int TTxStringGrid::MaxLinesInGrid()
{
    if (!Multilinecells)
        return 1;
    int n = 1;
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            n = std::max(n, LinesInText(GetCellEx(RemapCol(c), r), true));
    return n;
}

int TTxStringGrid::MaxCharsInCol(int ACol)
{
    int n = 0;
    for (int r = 0; r < RowCount(); ++r)
        for (const QString& l : CellTextLines(GetCellEx(RemapCol(ACol), r), Multilinecells))
            n = std::max(n, int(l.size()));
    return n;
}

int TTxStringGrid::MaxLinesInRow(int ARow)
{
    if (!Multilinecells)
        return 1;
    int n = 1;
    for (int c = 0; c < ColCount(); ++c)
        n = std::max(n, LinesInText(GetCellEx(RemapCol(c), ARow), true));
    return n;
}

} // namespace grid
