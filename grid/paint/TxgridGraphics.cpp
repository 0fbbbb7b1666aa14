// TGridPainter: the cell's graphic (bitmaps, icons, image-list images, pictures, check boxes,
// radio groups, rotated text, tree nodes, progress bars, comment marks and buttons): how much
// room it takes, where it stands beside the text, and how each kind and look is drawn. Every
// look of check boxes and radio buttons is drawn here, none is a stored picture.
#include "grid/paint/TxgridPainter.h"

#include "grid/core/Txgrid.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

namespace grid {

namespace {
QSize IconExtent(const TIcon* Icon)
{
    if (!Icon || Icon->isNull())
        return {0, 0};
    const QList<QSize> sizes = Icon->availableSizes();
    return sizes.isEmpty() ? QSize(16, 16) : sizes.first();
}

QColor Q(ui::Color c) { return ui::toQColor(c); }

// --- looks of check boxes and radio buttons, drawn by the grid ---------------------------

void DrawTick(QPainter& p, const QRect& box, const QColor& c, qreal width)
{
    QPen pen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    const qreal l = box.left(), t = box.top(), w = box.width(), h = box.height();
    const QPointF pts[3] = {{l + w * 0.22, t + h * 0.52}, {l + w * 0.42, t + h * 0.72}, {l + w * 0.78, t + h * 0.28}};
    p.drawPolyline(pts, 3);
}

void DrawCheckLook(ui::Canvas& Canvas, const TControlLook& Look, const QRect& Box, bool Checked, bool Enabled)
{
    if (!Canvas.painter())
        return;
    QPainter& p = *Canvas.painter();
    p.save();
    // Frames are drawn unfilled: the brush the previous mark left (a sort indicator, a filter's
    // funnel) must not fill the box.
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    const int s = Look.CheckSize();
    const QRect b(Box.left(), Box.top(), s, s);
    switch (Look.ControlStyle()) {
    case csClassic:
    case csFlat: {
        p.fillRect(b, Enabled ? QColor(Qt::white) : Q(ui::clBtnFace));
        if (Look.ControlStyle() == csFlat) {
            p.setPen(Q(ui::clGray));
            p.drawRect(b.adjusted(0, 0, -1, -1));
        } else { // sunken two-pixel frame, its lit edges grey so that it shows on white cells
            const QRect o = b.adjusted(0, 0, -1, -1);
            p.setPen(Q(ui::clGray));
            p.drawRect(o);
            p.setPen(Q(ui::cl3DDkShadow));
            p.drawLine(o.topLeft() + QPoint(1, 1), o.topRight() + QPoint(-1, 1));
            p.drawLine(o.topLeft() + QPoint(1, 1), o.bottomLeft() + QPoint(1, -1));
            p.setPen(Q(ui::clBtnFace));
            p.drawLine(o.bottomLeft() + QPoint(1, -1), o.bottomRight() + QPoint(-1, -1));
            p.drawLine(o.topRight() + QPoint(-1, 1), o.bottomRight() + QPoint(-1, -1));
        }
        if (Checked) {
            p.setRenderHint(QPainter::Antialiasing, true);
            DrawTick(p, b, Enabled ? QColor(Qt::black) : Q(ui::clGray), 2.0);
        }
        break;
    }
    case csWinXP: {
        p.fillRect(b.adjusted(1, 1, -1, -1), Enabled ? QColor(0xF4, 0xF4, 0xF0) : QColor(0xF0, 0xF0, 0xF0));
        p.setPen(Enabled ? QColor(0x1C, 0x51, 0x80) : QColor(0xCA, 0xC8, 0xBB));
        p.drawRect(b.adjusted(0, 0, -1, -1));
        if (Checked) {
            p.setRenderHint(QPainter::Antialiasing, true);
            DrawTick(p, b, Enabled ? QColor(0x21, 0xA1, 0x21) : QColor(0xCA, 0xC8, 0xBB), 2.2);
        }
        break;
    }
    case csTx: {
        QLinearGradient grad(b.topLeft(), b.bottomRight());
        grad.setColorAt(0, Enabled ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xE8, 0xE8, 0xE8));
        grad.setColorAt(1, Enabled ? QColor(0xC8, 0xD8, 0xF0) : QColor(0xC8, 0xC8, 0xC8));
        p.fillRect(b, grad);
        p.setPen(Enabled ? QColor(0x00, 0x3C, 0x74) : QColor(0x90, 0x90, 0x90));
        p.drawRect(b.adjusted(0, 0, -1, -1));
        if (Checked) {
            p.setRenderHint(QPainter::Antialiasing, true);
            DrawTick(p, b, Enabled ? QColor(0x00, 0x3C, 0x74) : QColor(0x90, 0x90, 0x90), 2.0);
        }
        break;
    }
    case csBorland: {
        p.fillRect(b, Q(Enabled ? ui::clBtnFace : ui::clBtnShadow));
        p.setPen(Q(ui::clBtnHighlight));
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(Q(ui::clBtnShadow));
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
        if (Checked) {
            QPen pen(Enabled ? Q(Look.Color()) : Q(ui::clGray), 2);
            p.setPen(pen);
            const int l = b.left(), t = b.top(), r = b.left() + s;
            const QPoint pts[3] = {{l + 2, t + s / 2}, {l + s / 2 - 1, t + s - 3}, {r - 2, t + 2}};
            p.drawPolyline(pts, 3);
        }
        break;
    }
    case csGlyph: {
        const QImage& g = Checked ? Look.CheckedGlyph() : Look.UnCheckedGlyph();
        if (!g.isNull())
            DrawBitmapTransp(Canvas, g, Canvas.brush.color,
                             TRect{b.left(), b.top(), b.left() + g.width(), b.top() + g.height()});
        break;
    }
    case csTheme: {
        QStyleOptionButton o;
        o.rect = b;
        o.state =
            (Checked ? QStyle::State_On : QStyle::State_Off) | (Enabled ? QStyle::State_Enabled : QStyle::State_None);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p);
        break;
    }
    }
    p.restore();
}

// One radio button with its top-left corner at (X, Y) in a square of Size pixels.
void DrawRadioLook(ui::Canvas& Canvas, const TControlLook& Look, int X, int Y, int Size, bool On, bool Enabled)
{
    if (!Canvas.painter())
        return;
    QPainter& p = *Canvas.painter();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF b(X + 0.5, Y + 0.5, Size - 1, Size - 1);
    const QPointF c = b.center();
    switch (Look.ControlStyle()) {
    case csClassic:
    case csFlat:
        p.setPen(Q(Look.ControlStyle() == csFlat ? ui::clGray : ui::cl3DDkShadow));
        p.setBrush(Enabled ? QColor(Qt::white) : Q(ui::clBtnFace));
        p.drawEllipse(b);
        if (On) {
            p.setPen(Qt::NoPen);
            p.setBrush(Enabled ? QColor(Qt::black) : Q(ui::clGray));
            p.drawEllipse(c, Size / 5.0, Size / 5.0);
        }
        break;
    case csWinXP:
    case csTx:
        p.setPen(Enabled ? QColor(0x1C, 0x51, 0x80) : QColor(0xCA, 0xC8, 0xBB));
        p.setBrush(Enabled ? QColor(0xF4, 0xF4, 0xF0) : QColor(0xF0, 0xF0, 0xF0));
        p.drawEllipse(b);
        if (On) {
            p.setPen(Qt::NoPen);
            p.setBrush(Enabled ? (Look.ControlStyle() == csWinXP ? QColor(0x21, 0xA1, 0x21) : QColor(0x00, 0x3C, 0x74))
                               : QColor(0xCA, 0xC8, 0xBB));
            p.drawEllipse(c, Size / 4.5, Size / 4.5);
        }
        break;
    case csBorland: {
        p.setRenderHint(QPainter::Antialiasing, false);
        const int cx = X + Size / 2, cy = Y + Size / 2;
        const QPoint d[4] = {{cx, cy - 6}, {cx + 6, cy}, {cx, cy + 6}, {cx - 6, cy}};
        p.setPen(Qt::NoPen);
        p.setBrush(Q(ui::clBtnFace));
        p.drawPolygon(d, 4);
        p.setPen(On ? Q(ui::clGray) : QColor(Qt::white));
        p.drawLine(d[3], d[0]);
        p.drawLine(d[0], d[1]);
        p.setPen(On ? QColor(Qt::white) : Q(ui::clGray));
        p.drawLine(d[1], d[2]);
        p.drawLine(d[2], d[3]);
        if (On) {
            const QPoint e[4] = {{cx, cy - 3}, {cx + 3, cy}, {cx, cy + 3}, {cx - 3, cy}};
            p.setPen(Qt::NoPen);
            p.setBrush(Q(Look.Color()));
            p.drawPolygon(e, 4);
        }
        break;
    }
    case csGlyph: {
        const QImage& g = On ? Look.RadioOnGlyph() : Look.RadioOffGlyph();
        if (!g.isNull())
            DrawBitmapTransp(Canvas, g, Canvas.brush.color, TRect{X, Y, X + g.width(), Y + g.height()});
        break;
    }
    case csTheme: {
        QStyleOptionButton o;
        o.rect = QRect(X, Y, Size, Size);
        o.state = (On ? QStyle::State_On : QStyle::State_Off) | (Enabled ? QStyle::State_Enabled : QStyle::State_None);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &o, &p);
        break;
    }
    }
    p.restore();
}
} // namespace

// --- size and placement ------------------------------------------------------------------

TCellGraphic* TGridPainter::GetGraphicDetails(int ACol, int ARow, int& Width, int& Height, bool& TextToo,
                                              TCellHAlign& HAlign, TCellVAlign& VAlign)
{
    Width = Height = 0;
    TextToo = true;
    HAlign = haLeft;
    VAlign = vaTop;
    TCellGraphic* g = FGrid.GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    HAlign = g->HAlign;
    VAlign = g->VAlign;
    const TImageList* images = FGrid.GridImages();
    switch (g->CellType) {
    case ctBitmap:
        if (g->Bitmap) {
            Width = g->Bitmap->width();
            Height = g->Bitmap->height();
        }
        break;
    case ctIcon: {
        const QSize s = IconExtent(g->Icon.get());
        Width = s.width();
        Height = s.height();
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (images) {
            Width = images->Width;
            Height = images->Height;
        }
        break;
    case ctImages:
        if (images && g->Images) {
            const int n = g->Images->Count();
            Width = g->State ? n * images->Width : images->Width;
            Height = g->State ? images->Height : n * images->Height;
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox: Width = Height = FGrid.ControlLook().CheckSize(); break;
    case ctPicture:
    case ctFilePicture: {
        const QPoint s = g->GetPictureSize(FGrid.colWidths(FGrid.RemapColInv(ACol)), FGrid.rowHeights(ARow));
        Width = s.x();
        Height = s.y();
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->ButtonWidth();
        Height = g->ButtonHeight();
        break;
    default: break;
    }
    switch (g->CellType) {
    case ctDataCheckBox:
    case ctRotated:
    case ctDataImage:
    case ctRadio:
    case ctProgress: TextToo = false; break;
    default: break;
    }
    return g;
}

// --- radio groups ------------------------------------------------------------------------

std::vector<TRadioItemPlace> RadioItemPlaces(const QRect& Cell, const std::vector<int>& CaptionWidths, bool SideBySide,
                                             bool Classic, int Size, int LineHeight)
{
    std::vector<TRadioItemPlace> places;
    const int size = Classic ? Size : 16;
    int x = Cell.left() + 2; // side by side: each item starts where the one before ends
    const int step = Classic ? LineHeight : std::max(16, LineHeight);
    for (std::size_t i = 0; i < CaptionWidths.size(); ++i) {
        TRadioItemPlace p;
        if (SideBySide) {
            const int y = Cell.top() + (Cell.height() - size) / 2;
            p.Radio = QRect(x, y, size, size);
            p.Caption = QPoint(x + size, y - 2);
            const int left = i == 0 ? Cell.left() : x;
            x += size + CaptionWidths[i];
            p.Item = QRect(QPoint(left, Cell.top()), QPoint(x - 1, Cell.bottom()));
        } else {
            const int top = Cell.top() + int(i) * step;
            p.Radio = QRect(Cell.left() + 2, top + 2, size, size);
            p.Caption = QPoint(Classic ? Cell.left() + size + 6 : Cell.left() + 20, top);
            // A radio taller than a line reaches into the next one: the item reaches as far.
            p.Item = QRect(Cell.left(), top, Cell.width(), std::max(step, p.Radio.bottom() + 1 - top));
        }
        places.push_back(p);
    }
    return places;
}

int RadioItemAtPoint(const std::vector<TRadioItemPlace>& Places, bool SideBySide, QPoint Pos)
{
    for (std::size_t i = 0; i < Places.size(); ++i)
        if (SideBySide ? Pos.x() <= Places[i].Item.right() : Pos.y() <= Places[i].Item.bottom())
            return int(i);
    return -1;
}

std::vector<TRadioItemPlace> TGridPainter::RadioPlaces(ui::Canvas& Canvas, const TCellGraphic& Graphic,
                                                       const QRect& Cell)
{
    const QStringList items = Graphic.Strings ? *Graphic.Strings : QStringList();
    std::vector<int> widths;
    for (const QString& cap : items)
        widths.push_back(Canvas.textWidth(cap));
    TControlLook& controls = FGrid.ControlLook();
    const TControlStyle look = controls.ControlStyle();
    const bool classic = look == csClassic || look == csFlat;
    const int size = controls.RadioSize() + (look == csFlat ? 2 : 0);
    return RadioItemPlaces(Cell, widths, Graphic.State, classic, size, Canvas.textHeight(QStringLiteral("gh")));
}

// --- drawing -----------------------------------------------------------------------------

void TGridPainter::DrawCellGraphic(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect,
                                   TGridDrawState State, TCellGraphic* Graphic, int GW, int GH, TCellHAlign GHA,
                                   TCellVAlign GVA, TAlignment HAlign, int TextWidth)
{
    TTxStringGrid& grid = FGrid;
    TImageList* images = grid.GridImages();
    TControlLook& controls = grid.ControlLook();
    TCellNode& node = grid.CellNode();
    TCellGraphic* g = Graphic;
    const int w = TextWidth > 0 ? TextWidth + 2 : 0;
    // Across.
    int x = Rect.Left + 1;
    switch (GHA) {
    case haRight: x = Rect.Right - 1 - GW; break;
    case haCenter: x = GW < Rect.width() ? Rect.Left + (Rect.width() - GW) / 2 : Rect.Left + 1; break;
    case haBeforeText:
        x = HAlign == taRightJustify ? std::max(Rect.Left + 1, Rect.Right - w - GW) : Rect.Left + 1;
        break;
    case haAfterText: x = HAlign == taRightJustify ? Rect.Right - 1 - GW : Rect.Left + w; break;
    default: break;
    }
    // Down.
    int y = Rect.Top + 1;
    switch (GVA) {
    case vaBottom: y = Rect.Bottom - 1 - GH; break;
    case vaCenter: y = GH < Rect.height() ? Rect.Top + (Rect.height() - GH) / 2 : Rect.Top + 1; break;
    case vaUnderText: y = Rect.Bottom - GH; break;
    default: break;
    }
    const TRect place{x, y, x + GW, y + GH};
    // A stretched picture fills its room up to the cell's grid lines, never over them.
    const TRect stretched{x, y, std::min(place.Right, Rect.Right), std::min(place.Bottom, Rect.Bottom)};
    const ui::Color cellColor = Canvas.brush.color;
    QPainter* p = Canvas.painter();

    switch (g->CellType) {
    case ctBitmap:
        if (g->Bitmap) {
            if (g->Flag)
                DrawBitmapTransp(Canvas, *g->Bitmap, cellColor, place);
            else
                Canvas.drawImage(x, y, *g->Bitmap);
        }
        break;
    case ctIcon:
        if (g->Icon && p)
            g->Icon->paint(p, place.toQRect());
        break;
    case ctImageList:
        if (images)
            images->Draw(Canvas, x, y, g->Value);
        break;
    case ctDataImage:
        if (images) {
            int v = 0;
            try {
                v = grid.GetInts(RealCol, ARow);
            } catch (const std::exception&) {
                break; // a text that is no number shows no image
            }
            if (v + g->Value >= 0 && v + g->Value < images->Count())
                images->Draw(Canvas, x, y, v + g->Value);
        }
        break;
    case ctImages:
        if (images && g->Images)
            for (int i = 0; i < g->Images->Count(); ++i) {
                images->Draw(Canvas, x, y, g->Images->GetInteger(i));
                if (g->State)
                    x += images->Width;
                else
                    y += images->Height;
            }
        break;
    case ctPicture:
        if (g->Picture) {
            if (g->StretchMode() != noStretch)
                Canvas.stretchDraw(stretched, *g->Picture);
            else
                Canvas.drawImage(x, y, *g->Picture);
        }
        break;
    case ctFilePicture:
        if (g->FilePicture)
            g->FilePicture->DrawPicture(Canvas, g->StretchMode() != noStretch ? stretched : place);
        break;
    case ctCheckBox:
    case ctDataCheckBox: {
        bool canEdit = true;
        grid.GetCellReadOnly(RealCol, ARow, canEdit);
        const bool checked =
            g->CellType == ctCheckBox ? g->State : grid.cells(RealCol, ARow) == grid.GetCheckTrue(RealCol, ARow);
        const int s = controls.CheckSize();
        // Placed by the text's alignment.
        int cx = Rect.Left + 1;
        if (HAlign == taRightJustify)
            cx = g->CellType == ctDataCheckBox ? Rect.Right - 1 - s : std::max(Rect.Left + 1, Rect.Right - w - s);
        else if (HAlign == taCenter)
            cx = Rect.Left + (Rect.width() - s) / 2;
        const int cy =
            GVA == vaCenter || GVA == vaTop ? (GVA == vaCenter ? Rect.Top + (Rect.height() - s) / 2 : Rect.Top + 1) : y;
        DrawCheckLook(Canvas, controls, QRect(cx, cy, s, s), checked, canEdit);
        break;
    }
    case ctRadio: {
        bool canEdit = true;
        grid.GetCellReadOnly(RealCol, ARow, canEdit);
        const QStringList items = g->Strings ? *g->Strings : QStringList();
        int selected = -1;
        if (g->Value >= 0)
            selected = g->Value;
        else
            selected = int(items.indexOf(grid.cells(RealCol, ARow)));
        const std::vector<TRadioItemPlace> places = RadioPlaces(Canvas, *g, Rect.toQRect());
        for (std::size_t i = 0; i < places.size(); ++i) {
            const TRadioItemPlace& pl = places[i];
            DrawRadioLook(Canvas, controls, pl.Radio.left(), pl.Radio.top(), pl.Radio.width(), int(i) == selected,
                          canEdit);
            Canvas.textOut(pl.Caption.x(), pl.Caption.y(), items.at(qsizetype(i)));
        }
        break;
    }
    case ctRotated: {
        if (!p)
            break;
        const QString text = grid.cells(RealCol, ARow);
        p->save();
        p->setClipRect(QRect(Rect.Left + 2, Rect.Top + 2, Rect.width() - 4, Rect.height() - 4), Qt::IntersectClip);
        p->setFont(Canvas.font.toQFont());
        p->setPen(Q(Canvas.font.color));
        const int angle = g->SecondValue;
        // The turned text's top-left corner, placed so that its box lies in the cell as the
        // cell's alignment says; the glyphs hang from it.
        TRect start = Rect;
        grid.CalcTextPos(start, angle, text, HAlign);
        p->translate(start.Left, start.Top);
        p->rotate(-angle);
        p->drawText(QPoint(0, Canvas.measurer().ascent(Canvas.font)), text);
        p->restore();
        break;
    }
    case ctNode: {
        TRect r = Rect;
        r.Left -= grid.NodeIndent(ARow);
        const int bx = r.Left + 4, by = r.Top + (r.height() - 8) / 2;
        if (node.NodeType() == cn3D) {
            Canvas.brush = ui::Brush{node.Color};
            Canvas.fillRect(r);
            Canvas.frameRect(r, ui::clWhite);
            Canvas.pen = ui::Pen{ui::clGray, 1};
            Canvas.moveTo(r.Left, r.Bottom - 1);
            Canvas.lineTo(r.Right - 1, r.Bottom - 1);
            Canvas.lineTo(r.Right - 1, r.Top - 1);
        }
        if (node.NodeType() == cnLeaf) {
            // A leaf: closed when the node is expanded, open while contracted.
            if (p) {
                p->save();
                p->setRenderHint(QPainter::Antialiasing, true);
                p->setPen(QColor(0x20, 0x70, 0x20));
                p->setBrush(g->State ? QColor(0x90, 0xD0, 0x60) : QColor(0x40, 0xA0, 0x40));
                QPainterPath leaf;
                leaf.moveTo(bx, by + 8);
                leaf.quadTo(bx, by, bx + 8, by);
                leaf.quadTo(bx + 8, by + 8, bx, by + 8);
                p->drawPath(leaf);
                p->restore();
            }
        } else if (node.NodeType() == cnGlyph && !node.ExpandGlyph.isNull() && !node.ContractGlyph.isNull()) {
            const QImage& gl = g->State ? node.ExpandGlyph : node.ContractGlyph;
            DrawBitmapTransp(Canvas, gl, cellColor, TRect{bx, by, bx + gl.width(), by + gl.height()});
        } else {
            Canvas.brush = ui::Brush{node.Color};
            const TRect box{bx, by, bx + 9, by + 9};
            if (node.NodeType() == cnFlat) {
                Canvas.pen = ui::Pen{node.NodeColor, 1};
                Canvas.rectangle(box);
                Canvas.moveTo(bx + 2, by + 4);
                Canvas.lineTo(bx + 7, by + 4);
                if (g->State) { // contracted: a plus
                    Canvas.moveTo(bx + 4, by + 2);
                    Canvas.lineTo(bx + 4, by + 7);
                }
            } else {
                Canvas.fillRect(box);
                const bool raised = g->State;
                Canvas.pen = ui::Pen{raised ? ui::clWhite : ui::clGray, 1};
                Canvas.moveTo(box.Left, box.Bottom - 1);
                Canvas.lineTo(box.Left, box.Top);
                Canvas.lineTo(box.Right, box.Top);
                Canvas.pen = ui::Pen{raised ? ui::clGray : ui::clWhite, 1};
                Canvas.moveTo(box.Right - 1, box.Top);
                Canvas.lineTo(box.Right - 1, box.Bottom - 1);
                Canvas.lineTo(box.Left - 1, box.Bottom - 1);
            }
        }
        break;
    }
    case ctProgress: {
        if (!p)
            break;
        const TRect bar{Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
        int value = 0;
        try {
            value = std::clamp(grid.GetInts(RealCol, ARow), 0, 100);
        } catch (const std::exception&) {
            value = 0;
        }
        const int split = bar.Left + int(std::lround(bar.width() * value / 100.0));
        const TRect done{bar.Left, bar.Top, split, bar.Bottom}, rest{split, bar.Top, bar.Right, bar.Bottom};
        const ui::Color doneText = g->State ? g->BarTextColor : ui::Color(g->BarColor ^ 0xFFFFFF);
        const ui::Color restText = g->State ? g->RestTextColor : ui::Color(g->RestColor ^ 0xFFFFFF);
        const QString label = QString::number(value) + QLatin1Char('%');
        auto part = [&](const TRect& r, ui::Color fill, ui::Color text) {
            if (r.isEmpty())
                return;
            p->save();
            p->setClipRect(r.toQRect(), Qt::IntersectClip);
            p->fillRect(r.toQRect(), Q(fill));
            Canvas.font.color = text;
            Canvas.drawText(bar, Qt::AlignCenter | Qt::TextSingleLine, label);
            p->restore();
        };
        part(done, g->BarColor, doneText);
        part(rest, g->RestColor, restText);
        Canvas.frameRect(TRect{bar.Left - 1, bar.Top - 1, bar.Right + 1, bar.Bottom + 1}, ui::clBlack);
        Canvas.frameRect(TRect{bar.Left - 2, bar.Top - 2, bar.Right + 2, bar.Bottom + 2}, cellColor);
        break;
    }
    case ctComment:
        if (grid.CommentColor != ui::clNone) {
            Canvas.brush = ui::Brush{grid.CommentColor};
            Canvas.pen = ui::Pen{grid.CommentColor, 1};
            Canvas.polygon(QPolygon({QPoint(Rect.Right - 7, Rect.Top + 1), QPoint(Rect.Right - 2, Rect.Top + 1),
                                     QPoint(Rect.Right - 2, Rect.Top + 6)}));
        }
        break;
    case ctButton:
    case ctBitButton: {
        if (!p)
            break;
        const bool down = g->State;
        p->save();
        QRect face = place.toQRect();
        p->fillRect(face, Q(ui::clBtnFace));
        if (!controls.FlatButton() || down) {
            p->setPen(down ? Q(ui::clBtnShadow) : QColor(Qt::white));
            p->drawLine(face.topLeft(), face.topRight());
            p->drawLine(face.topLeft(), face.bottomLeft());
            p->setPen(down ? QColor(Qt::white) : Q(ui::cl3DDkShadow));
            p->drawLine(face.bottomLeft(), face.bottomRight());
            p->drawLine(face.topRight(), face.bottomRight());
        } else {
            p->setPen(Q(ui::clBtnShadow));
            p->drawRect(face.adjusted(0, 0, -1, -1));
        }
        p->restore();
        const int inset = down ? 3 : 2;
        TRect inner{place.Left + inset, place.Top + inset, place.Right - 2, place.Bottom - 2};
        if (g->CellType == ctBitButton && g->Glyph && !g->Glyph->isNull()) {
            DrawBitmapTransp(Canvas, *g->Glyph, ui::clBtnFace,
                             TRect{inner.Left, inner.Top + (inner.height() - g->Glyph->height()) / 2,
                                   inner.Left + g->Glyph->width(), inner.Top + g->Glyph->height()});
            inner.Left += g->Glyph->width() + 2;
        }
        Canvas.font = grid.controlFont();
        const QString caption = g->Strings ? g->Strings->join(QString()) : QString();
        const QString shown =
            QFontMetrics(Canvas.font.toQFont()).elidedText(caption, Qt::ElideRight, std::max(inner.width(), 0));
        Canvas.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, shown);
        g->ButtonOffset = QPoint(place.Left - Rect.Left, place.Top - Rect.Top);
        break;
    }
    default: break;
    }
    (void)ACol;
    (void)State;
}

} // namespace grid
