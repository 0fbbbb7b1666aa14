// What a printed page shows: header and footer texts, the cells of each printed row with their
// borders, and the frame around the printed block; also how a cell is measured for paper.
#include "grid/print/TxgridPrinter.h"
#include "grid/print/TxgridPrintRich.h"
#include "grid/print/TxgridPrintRun.h"
#include "grid/controls/Txutil.h"

#include <QDateTime>
#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

// Text with its top-left corner at (x, yTop) in paper units.
void PaperText(QPainter& p, int x, int yTop, const QString& s)
{
    p.drawText(QRectF(x, -yTop, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
}

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
    void Text(int x, int yTop, const QString& s) { PaperText(p, x, yTop, s); }

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
QSize PrintPictureSize(TPrintHost& Grid, int ACol, int ARow)
{
    if (!Grid.PrintSettings().PrintGraphics || !Grid.GetCellGraphic(ACol, ARow))
        return {};
    const double f = 254.0 / (Grid.logicalDpiX() > 0 ? Grid.logicalDpiX() : 96);
    const TPoint s = Grid.GetPrintGraphicSize(ACol, ARow, 0, 0, 0);
    return {int(std::lround(s.x() * f)), int(std::lround(s.y() * f))};
}

} // namespace

void TGridPrinter::TPrintRun::DrawBackgrounds(QPainter& P, const TPrintCell* First, const TPrintCell* Last)
{
    // Cells side by side in a row, then such rows one under another, join into one rectangle.
    struct Block {
        int L, T, R, B;
        ui::Color Color;
    };
    std::vector<Block> blocks;
    for (const TPrintCell* c = First; c != Last; ++c) {
        if (c->Brush.style != ui::BrushStyle::Solid)
            continue;
        if (!blocks.empty()) {
            Block& b = blocks.back();
            if (b.Color == c->Brush.color && b.T == c->T && b.B == c->B && b.R == c->L) {
                b.R = c->R;
                continue;
            }
        }
        blocks.push_back({c->L, c->T, c->R, c->B, c->Brush.color});
    }
    std::vector<Block> joined;
    for (const Block& b : blocks) {
        if (!joined.empty()) {
            Block& j = joined.back();
            if (j.Color == b.Color && j.L == b.L && j.R == b.R && j.B == b.T) {
                j.B = b.B;
                continue;
            }
        }
        joined.push_back(b);
    }
    for (const Block& b : joined)
        P.fillRect(Paper::Rect(b.L, b.T, b.R, b.B), ui::toQColor(b.Color));
}

void TGridPrinter::TPrintRun::DrawBorders(QPainter& P, const TPrintCell* First, const TPrintCell* Last,
                                          const ui::Pen& Pen)
{
    // Lines as (where, from, to): x and the y range of an upright one, y and the x range of a
    // level one, each in the direction the cell draws it.
    using Line = std::array<int, 3>;
    std::vector<Line> upright, level;
    for (const TPrintCell* c = First; c != Last; ++c) {
        if (c->Flags & cbLeft)
            upright.push_back({c->L, c->T, c->B});
        if (c->Flags & cbRight)
            upright.push_back({c->LineR, c->T, c->B});
        if (c->Flags & cbTop)
            level.push_back({c->T, c->L, c->LineR});
        if (c->Flags & cbBottom)
            level.push_back({c->B, c->L, c->LineR});
    }
    if (upright.empty() && level.empty())
        return;
    // The same line drawn twice looks as once. A solid line also looks the same drawn in one
    // stroke as in pieces that meet; a dashed one does not (its dashes start again).
    const bool solid = Pen.style == Qt::SolidLine;
    auto reduce = [&](std::vector<Line>& lines) {
        if (solid)
            for (Line& l : lines)
                if (l[1] > l[2])
                    std::swap(l[1], l[2]); // direction does not matter to a solid line
        std::sort(lines.begin(), lines.end());
        lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
        if (!solid)
            return;
        std::vector<Line> out;
        for (const Line& l : lines) {
            if (!out.empty() && out.back()[0] == l[0] && l[1] <= out.back()[2])
                out.back()[2] = std::max(out.back()[2], l[2]);
            else
                out.push_back(l);
        }
        lines = std::move(out);
    };
    reduce(upright);
    reduce(level);
    P.setPen(QPen(ui::toQColor(Pen.color), Pen.width, Pen.style));
    for (const Line& l : upright)
        P.drawLine(QPointF(l[0], -l[1]), QPointF(l[0], -l[2]));
    for (const Line& l : level)
        P.drawLine(QPointF(l[1], -l[0]), QPointF(l[2], -l[0]));
}

TPoint TGridPrinter::PrintCellSize(int ACol, int ARow)
{
    TPrintRun run;
    return PrintCellSize(run, ACol, ARow);
}

TPoint TGridPrinter::PrintCellSize(TPrintRun& Run, int ACol, int ARow)
{
    const TPrintSettings& S = FHost->PrintSettings();
    const int dc = FHost->RemapColInv(ACol);
    ui::Brush brush;
    ui::Font font = S.Font;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FHost->Plain().WordWrap;
    TGridDrawState st = 0;
    FHost->GetVisualProperties(dc, ARow, st, true, false, brush, font, ha, va, ww);
    TPrintRun::TPaperFont& pf = Run.FontFor(*this, font);
    const QFont& f = pf.Q;
    QString text = FHost->HasDataCheckBox(ACol, ARow) ? QString() : FHost->GetCellEx(ACol, ARow);
    if (text.startsWith(u'='))
        FHost->CalcCell(ACol, ARow, text);
    if (text.isEmpty())
        text = QStringLiteral("gh");
    const int gh = pf.Height;
    auto gridDpi = [&] { return FHost->logicalDpiX() > 0 ? FHost->logicalDpiX() : 96; };
    if (IsFormattedForPrint(*this, text)) {
        const double toPaper = 254.0 / gridDpi() * FFontScale;
        const QSize s = DrawPaperText(*this, nullptr, text, {QRectF(0, 0, 1e5, 1e5), font, toPaper, false});
        return {s.width(), std::max(gh, s.height())};
    }
    if (FHost->Plain().WordWrap && S.NoAutoSize) {
        const int w = int(std::lround((FHost->colWidths(dc) - 4) * 254.0 / gridDpi()));
        const QRectF r = QFontMetricsF(f).boundingRect(QRectF(0, 0, std::max(w, 1), 1e6), Qt::TextWordWrap, text);
        return {w, std::max(gh, int(std::lround(r.height())))};
    }
    const QStringList lines = CellTextLines(text, FHost->Plain().Multilinecells);
    int w = 0;
    for (const QString& l : lines)
        w = std::max(w, pf.Width(Shown(l, FHost->URLShow(), FHost->URLFull())));
    const int h = int(lines.size()) * gh;
    int angle = 0;
    if (FHost->IsRotated(ACol, ARow, angle)) {
        const QSize box = RotatedTextBox(angle, w, h);
        return {box.width(), box.height()};
    }
    const QSize pic = PrintPictureSize(*FHost, ACol, ARow);
    return {std::max(w + pic.width(), pic.width()), std::max(h, pic.height())};
}

void TGridPrinter::DrawPrintPage(TPrintRun& Run, int PageIndex)
{
    const TPrintPage& page = FLayout.Pages[size_t(PageIndex)];
    if (page.Rows.empty())
        return; // a page forced after the last row stays blank
    Run.Band = &FLayout.Bands[size_t(page.Band)];
    DrawPrintHeader(Run, PageIndex);
    Run.Cells.clear();
    for (const TPrintRowPlace& place : page.Rows) {
        if (Run.Band->RepeatCols)
            PrintRow(Run, 0, FHost->FixedCols() - 1, place.Row, place.Y, place.Pitch);
        PrintRow(Run, Run.Band->FirstCol, Run.Band->LastCol, place.Row, place.Y, place.Pitch);
    }
    DrawPrintCells(Run);
    if (page.Framed)
        DrawPrintFrame(Run, PageIndex);
}

void TGridPrinter::DrawPrintHeader(TPrintRun& Run, int PageIndex)
{
    const TPrintSettings& S = FHost->PrintSettings();
    const QDateTime now = QDateTime::currentDateTime();
    TPrintHeaderItems items;
    items.Time = now.toString(QStringLiteral("hh:mm"));
    items.Date = PrintFormatDateTime(S.DateFormat, now);
    items.Page =
        S.PagePrefix + u' ' + PrintPageNumber(FLayout, PageIndex, Run.TotalPages, S.PageNumSep) + u' ' + S.PageSuffix;
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
        const bool titleHere = S.Title >= firstPos && S.Title < firstPos + 3;
        // At the bottom the title's lines stand above the bottom line, the last one on it, all
        // inside the room the footer keeps; at the top they run down from the header line.
        const int lift = titleHere && firstPos == ppBottomLeft ? int(more.size()) * lineH : 0;
        for (int pos = firstPos; pos < firstPos + 3; ++pos) {
            const QString& s = texts[size_t(pos)];
            const int y = pos == S.Title ? yTop + lift : yTop;
            if (IsFormattedForPrint(*this, s)) {
                // A formatted title is drawn as a block, placed by its measured width.
                TPaperTextBox box{QRectF(0, -y, 1e5, 1e5), uf, Run.ScreenToPaper, false};
                const QSize size = DrawPaperText(*this, nullptr, s, box);
                box.Box = QRectF(xAt(TPrintPosition(pos), size.width()), -y, size.width() + 2, size.height() + 2);
                DrawPaperText(*this, &p, s, box);
            } else if (!s.isEmpty()) {
                paper.Text(xFor(TPrintPosition(pos), f, s), y, s);
            }
        }
        if (titleHere)
            for (int k = 0; k < more.size(); ++k)
                paper.Text(xFor(S.Title, f, more[k]), yTop + lift - (k + 1) * lineH, more[k]);
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

void TGridPrinter::PrintRow(TPrintRun& Run, int FromCol, int ToCol, int ARow, int Y, int Pitch)
{
    const TPrintSettings& S = FHost->PrintSettings();
    const TPrintBand& band = *Run.Band;
    auto width = [&](int c) { return c >= 0 && c < int(Run.Widths.size()) ? Run.Widths[size_t(c)] : 0; };
    auto offset = [&](int c) { return c >= 0 && c < int(band.Offsets.size()) ? band.Offsets[size_t(c)] : 0; };

    for (int c = FromCol; c <= ToCol; ++c) {
        if (!FHost->IsBaseCell(c, ARow))
            continue;
        TPrintCell& C = Run.Cells.emplace_back();
        C.Col = c;
        C.Row = ARow;
        C.Rc = FHost->RemapCol(c);
        const TPoint span = FHost->CellSpan(c, ARow);
        C.Spanned = span.x() != 0 || span.y() != 0;
        int W = 0;
        for (int k = c; k <= c + span.x(); ++k)
            W += width(k) + Run.ColumnSpacing;
        C.L = offset(c);
        C.R = C.L + W;
        C.T = Y;
        C.B = Y - (span.y() + 1) * Pitch;
        // A block reaching into the footer margin is cut to its first row.
        if (C.B < Run.PageBottom + S.FooterSize) {
            C.B = Y - Pitch;
            C.BottomLine = span.y() == 0;
        }

        C.Font = S.Font;
        C.Ww = FHost->Plain().WordWrap;
        TGridDrawState st = 0;
        FHost->GetVisualProperties(c, ARow, st, true, false, C.Brush, C.Font, C.Ha, C.Va, C.Ww);
        C.Paper = &Run.FontFor(*this, C.Font);
        C.Text = FHost->HasDataCheckBox(C.Rc, ARow) ? QString() : FHost->GetCellEx(C.Rc, ARow);
        if (C.Text.startsWith(u'='))
            FHost->CalcCell(C.Rc, ARow, C.Text);

        switch (S.Borders) {
        case pbSingle:
        case pbDouble: C.Flags = cbTop | cbLeft | cbRight | cbBottom; break;
        case pbHorizontal:
        case pbAroundHorizontal: C.Flags = cbTop | cbBottom; break;
        case pbVertical:
        case pbAroundVertical: C.Flags = cbLeft | cbRight; break;
        default: break;
        }
        C.Pen = ui::Pen{ui::clBlack, S.Borders == pbDouble ? 10 : 2, S.BorderStyle};
        FHost->GetCellPrintBorder(C.Rc, ARow, C.Pen, C.Flags);
        if (!C.BottomLine)
            C.Flags &= ~unsigned(cbBottom);
        C.LineR = C.R > Run.PageWidth ? offset(band.LastCol + 1) : C.R;
    }
}

void TGridPrinter::DrawPrintCells(TPrintRun& Run)
{
    const std::vector<TPrintCell>& cells = Run.Cells;
    if (cells.empty())
        return;
    Paper paper(*Run.Canvas->painter(), Run.Origin, Run.Dpi);
    Run.PainterFont = nullptr;
    // A cell draws its background, its content (within its box) and then its borders, so a
    // border it shares with a later cell is covered by that cell's background and drawn again
    // by that cell. When every cell has the same pen and borders on opposite sides alike, no
    // border is left covered: the page then draws all backgrounds, all contents and each border
    // once, which looks the same and writes far less.
    const TPrintCell& first = cells.front();
    auto paired = [](TCellBorders f, unsigned a, unsigned b) { return bool(f & a) == bool(f & b); };
    const bool alike = paired(first.Flags, cbLeft, cbRight) && paired(first.Flags, cbTop, cbBottom)
        && std::all_of(cells.begin(), cells.end(), [&](const TPrintCell& c) {
                           return c.Pen == first.Pen && c.Flags == first.Flags && c.BottomLine && !c.Spanned;
                       });
    if (!alike) {
        for (const TPrintCell& c : cells) {
            TPrintRun::DrawBackgrounds(paper.p, &c, &c + 1);
            DrawPrintCellContent(Run, c, false);
            TPrintRun::DrawBorders(paper.p, &c, &c + 1, c.Pen);
        }
        return;
    }
    const TPrintCell* begin = cells.data();
    const TPrintCell* end = begin + cells.size();
    TPrintRun::DrawBackgrounds(paper.p, begin, end);
    // The contents column by column, each column clipped to its strip down the page once: a
    // line then only has to keep within its row (contents never overlap, so order is free).
    std::vector<const TPrintCell*> byColumn;
    byColumn.reserve(cells.size());
    for (const TPrintCell& c : cells)
        byColumn.push_back(&c);
    std::stable_sort(byColumn.begin(), byColumn.end(), [](const TPrintCell* a, const TPrintCell* b) {
        return std::pair(a->L, a->R) < std::pair(b->L, b->R);
    });
    for (auto from = byColumn.begin(); from != byColumn.end();) {
        const auto to = std::find_if(from, byColumn.end(),
                                     [&](const TPrintCell* c) { return c->L != (*from)->L || c->R != (*from)->R; });
        int top = (*from)->T, bottom = (*from)->B;
        for (auto it = from; it != to; ++it) {
            top = std::max(top, (*it)->T);
            bottom = std::min(bottom, (*it)->B);
        }
        paper.p.save();
        paper.p.setClipRect(Paper::Rect((*from)->L, top, (*from)->R, bottom), Qt::IntersectClip);
        for (auto it = from; it != to; ++it)
            DrawPrintCellContent(Run, **it, true);
        paper.p.restore();
        Run.PainterFont = nullptr;
        from = to;
    }
    TPrintRun::DrawBorders(paper.p, begin, end, first.Pen);
}

// InColumn: the painter is already clipped to the cell's column.
void TGridPrinter::DrawPrintCellContent(TPrintRun& Run, const TPrintCell& C, bool InColumn)
{
    const TPrintSettings& S = FHost->PrintSettings();
    QPainter& p = *Run.Canvas->painter();
    const QString& text = C.Text;
    const QFont& f = C.Paper->Q;
    if (Run.PainterFont != C.Paper) {
        p.setFont(f);
        Run.PainterFont = C.Paper;
    }
    p.setPen(ui::toQColor(C.Font.color));
    const int L = C.L, T = C.T, R = C.R, B = C.B;
    const int W = R - L;
    const QRectF cell = Paper::Rect(L, T, R, B);

    // Lines of plain text in the box, placed as the cell aligns them.
    auto drawLines = [&](int textL, int textR, int textT, int textB, bool clipped) {
        const QStringList lines = CellTextLines(text, FHost->Plain().Multilinecells);
        const int gh = C.Paper->Height;
        int linePitch = gh + S.RowSpacing;
        linePitch += linePitch / 8;
        const int H = textT - textB;
        int down = 0;
        if (lines.size() > 1)
            down = C.Va == vtaTop   ? Run.LineGap
                : C.Va == vtaCenter ? (H - int(lines.size()) * linePitch) / 2
                                    : H - int(lines.size()) * linePitch;
        else
            down = C.Va == vtaTop   ? 0
                : C.Va == vtaCenter ? (S.RowSpacing + H - linePitch) / 2
                                    : S.RowSpacing + H - linePitch;
        struct Placed {
            int X, Top;
            QString Line;
            bool Plain;
        };
        QVarLengthArray<Placed, 1> placed;
        // Text whose ink lies inside the cell (within its row, when its column is clipped
        // already) needs no clipping; anything else is cut at the cell's edges. A unit of room
        // is left for the screen's hinting, which paper does not have.
        TPrintRun::TPaperFont& pf = *C.Paper;
        bool inside = true;
        for (int k = 0; k < lines.size(); ++k) {
            QString line = Shown(lines[k], FHost->URLShow(), FHost->URLFull());
            // (A left-aligned line in its clipped column needs no width.)
            const int lw = C.Ha == taLeftJustify && InColumn ? 0 : pf.Width(line);
            const int x = C.Ha == taLeftJustify ? textL + Run.TextIndent
                : C.Ha == taRightJustify        ? textR - Run.TextIndent - lw
                                                : textL + (textR - textL - lw) / 2;
            const int top = textT - down - k * linePitch;
            qreal inkTop = 0, inkBottom = 0;
            const bool plain = pf.Plain(line, inkTop, inkBottom);
            if (inside && !clipped) {
                const double base = top - pf.Ascent; // y upwards
                auto within = [&](const QRectF& ink) {
                    return (InColumn || (x + ink.left() >= L + 1 && x + ink.right() <= R - 1))
                        && base - ink.top() <= T - 1 && base - ink.bottom() >= B + 1;
                };
                const QRectF bound(pf.MinLeft, inkTop, lw - pf.MinLeft - pf.MinRight, inkBottom - inkTop);
                if (!plain || !within(bound)) {
                    const std::optional<QRectF> ink = pf.Ink(line);
                    inside = ink && within(*ink);
                }
            }
            placed.append({x, top, std::move(line), plain});
        }
        const bool clip = !clipped && !inside;
        if (clip) {
            p.save();
            p.setClipRect(cell, Qt::IntersectClip);
        }
        // A plain line goes straight to its baseline, where the full layout would put it.
        for (const Placed& l : placed)
            if (l.Plain)
                p.drawText(QPointF(l.X, pf.Ascent - l.Top), l.Line);
            else
                PaperText(p, l.X, l.Top, l.Line);
        if (clip)
            p.restore();
    };

    const QSize pic = PrintPictureSize(*FHost, C.Rc, C.Row);
    const bool formatted = IsFormattedForPrint(*this, text);
    const bool wrapped = !formatted && FHost->Plain().WordWrap && S.NoAutoSize;
    int angle = 0;
    const bool rotated = !formatted && !wrapped && !text.isEmpty() && FHost->IsRotated(C.Rc, C.Row, angle);
    if (pic.isEmpty() && !formatted && !wrapped && !rotated) {
        if (!text.isEmpty())
            drawLines(L, R, T, B, false);
        return;
    }

    p.save();
    p.setClipRect(cell, Qt::IntersectClip);
    int textL = L, textR = R, textT = T, textB = B;
    if (!pic.isEmpty()) {
        const TCellGraphic* g = FHost->GetCellGraphic(C.Rc, C.Row);
        int px = L + int(Run.ScreenToPaper), pw = pic.width(), py = T, ph = pic.height();
        switch (g->HAlign) {
        case haLeft:
        case haBeforeText: textL = px + pw; break;
        case haRight:
        case haAfterText:
            px = R - pw;
            textR = px;
            break;
        case haCenter: px = L + (W - pw) / 2; break;
        case haFull:
            px = L;
            pw = W;
            break;
        }
        switch (g->VAlign) {
        case vaTop: break;
        case vaBottom: py = B + ph; break;
        case vaCenter: py = T - ((T - B) - ph) / 2; break;
        case vaUnderText:
            py = B + ph;
            textB = py;
            break;
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
            FHost->GetCheckBoxState(C.Rc, C.Row, checked);
            const double side = FHost->ControlLook().CheckSize() * Run.ScreenToPaper;
            const QRectF box(target.left(), target.top(), side, side);
            p.save();
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(Qt::white);
            p.drawRect(box);
            if (checked) {
                p.drawLine(box.topLeft() + QPointF(side * 0.2, side * 0.5),
                           box.topLeft() + QPointF(side * 0.4, side * 0.8));
                p.drawLine(box.topLeft() + QPointF(side * 0.4, side * 0.8),
                           box.topLeft() + QPointF(side * 0.8, side * 0.2));
            }
            p.restore();
            break;
        }
        default: break; // other objects print no picture
        }
    }
    if (formatted) {
        const QRectF box = Paper::Rect(textL + Run.TextIndent, textT, textR, textB);
        DrawPaperText(*this, &p, text, {box, C.Font, Run.ScreenToPaper * Run.Fit, C.Ww});
    } else if (wrapped) {
        QRectF r = cell;
        r.setRight(C.LineR); // cut at the band's edge as the borders are
        r.setLeft(r.left() + 2 * Run.ScreenToPaper);
        const int align = C.Ha == taRightJustify ? Qt::AlignRight : C.Ha == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
        p.drawText(r, align | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, text);
    } else if (rotated) {
        // One line turned by the angle, placed in the cell as aligned (y downwards here).
        const QString line = Shown(text, FHost->URLShow(), FHost->URLFull());
        const int lw = C.Paper->Width(line);
        const int lh = C.Paper->Height;
        const int hAlign = C.Ha == taLeftJustify ? 0 : C.Ha == taRightJustify ? 1 : 2;
        const int vAlign = C.Va == vtaTop ? 0 : C.Va == vtaBottom ? 1 : 2;
        const QPoint at = RotatedTextPos(angle, lw, lh, L, -T, R, -B, hAlign, vAlign);
        p.translate(at);
        p.rotate(-angle);
        p.drawText(QPointF(0, QFontMetricsF(f).ascent()), line);
    } else if (!text.isEmpty()) {
        drawLines(textL, textR, textT, textB, true);
    }
    p.restore();
}

void TGridPrinter::DrawPrintFrame(TPrintRun& Run, int PageIndex)
{
    const TPrintSettings& S = FHost->PrintSettings();
    const TPrintPage& page = FLayout.Pages[size_t(PageIndex)];
    const TPrintBand& band = FLayout.Bands[size_t(page.Band)];
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
        for (int i = 0; i < FHost->FixedCols(); ++i)
            paper.Line(offset(i), top, offset(i), bottom);
}

void TGridPrinter::CalcTextPos(TRect& Rect, int Angle, const QString& Text, TAlignment Alignment)
{
    const std::shared_ptr<ui::TextMeasurer> m = ui::textMeasurer();
    const int w = m->width(FHost->controlFont(), Text);
    const int h = m->height(FHost->controlFont());
    const int hAlign = Alignment == taLeftJustify ? 0 : Alignment == taRightJustify ? 1 : 2;
    const int vAlign = FHost->VAlignment() == vtaTop ? 0 : FHost->VAlignment() == vtaBottom ? 1 : 2;
    // Placed in the rectangle shrunk by 2 on every side, the margin its clip leaves.
    const QPoint at =
        RotatedTextPos(Angle, w, h, Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2, hAlign, vAlign);
    Rect.Left = at.x();
    Rect.Top = at.y();
}

int TGridPrinter::MaxLinesInGrid()
{
    if (!FHost->Plain().Multilinecells)
        return 1;
    int n = 1;
    for (int c = 0; c < FHost->ColCount(); ++c)
        for (int r = 0; r < FHost->RowCount(); ++r)
            n = std::max(n, LinesInText(FHost->GetCellEx(FHost->RemapCol(c), r), true));
    return n;
}

int TGridPrinter::MaxCharsInCol(int ACol)
{
    int n = 0;
    for (int r = 0; r < FHost->RowCount(); ++r)
        for (const QString& l :
             CellTextLines(FHost->GetCellEx(FHost->RemapCol(ACol), r), FHost->Plain().Multilinecells))
            n = std::max(n, int(l.size()));
    return n;
}

int TGridPrinter::MaxLinesInRow(int ARow)
{
    if (!FHost->Plain().Multilinecells)
        return 1;
    int n = 1;
    for (int c = 0; c < FHost->ColCount(); ++c)
        n = std::max(n, LinesInText(FHost->GetCellEx(FHost->RemapCol(c), ARow), true));
    return n;
}

} // namespace grid
