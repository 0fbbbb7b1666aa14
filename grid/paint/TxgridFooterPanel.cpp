#include "grid/paint/TxgridFooterPanel.h"

#include "grid/core/Txgrid.h"
#include "grid/paint/TxgridPainter.h"
#include "grid/text/TxgridHTML.h"
#include "grid/controls/Txxpvs.h"

#include <QPainter>

namespace grid {

// --- the painter, its footer panel and where the panel stands -----------------------------

TGridPainter::TGridPainter(TTxStringGrid& Grid) : FGrid(Grid)
{
    // The footer panel along the bottom, empty until the floating footer shows.
    FFooterPanel = new TFooterPanel(Grid);
    FFooterPanel->hide();
    FThemed = IsThemeActive();
}

void TGridPainter::LayoutFooterPanel()
{
    const bool show = FGrid.FWindowCreated && FFooterPanelVisible && FFooterPanelHeight > 0;
    FGrid.setViewportMargins(0, 0, 0, show ? FFooterPanelHeight : 0);
    if (show) {
        const QRect v = FGrid.viewport()->geometry();
        FFooterPanel->setGeometry(v.left(), v.bottom() + 1, v.width(), FFooterPanelHeight);
    }
    FFooterPanel->setVisible(show);
}

void TGridPainter::SetFooterPanelHeight(int Height)
{
    FFooterPanelHeight = std::max(Height, 0);
    LayoutFooterPanel();
}

void TGridPainter::SetFooterPanelVisible(bool Visible)
{
    FFooterPanelVisible = Visible;
    LayoutFooterPanel();
}

// --- the panel ---------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TTxStringGrid& AGrid) : ui::Control(&AGrid), FGrid(AGrid)
{
    setObjectName(QStringLiteral("FooterPanel"));
}

int TFooterPanel::FooterWidth() const
{
    int w = 0;
    for (int c = 0; c < FGrid.fixedCols() && c < FGrid.colCount(); ++c)
        w += FGrid.colWidths(c);
    for (int c = std::max(FGrid.leftCol(), FGrid.fixedCols()); c < FGrid.colCount(); ++c)
        w += FGrid.colWidths(c);
    return w;
}

QString TFooterPanel::CustomText() const
{
    const int row = FGrid.row();
    return FooterTemplateText(FGrid.FloatingFooter().CustomTemplate(),
                              [&](int c) { return c >= 0 && c < FGrid.colCount() ? FGrid.cells(c, row) : QString(); });
}

void TFooterPanel::Frame(ui::Canvas& c, int W, int H)
{
    c.brush.color = FGrid.FloatingFooter().Color();
    c.fillRect(ui::Rect{0, 0, W, H});
    c.pen.color = ui::rgb(128, 128, 128);
    c.moveTo(0, H - 1);
    c.lineTo(W - 1, H - 1);
    c.lineTo(W - 1, -1);
    c.pen.color = ui::clWhite;
    c.moveTo(0, H - 1);
    c.lineTo(0, 0);
    c.lineTo(W - 1, 0);
}

void TFooterPanel::PaintTo(ui::Canvas& c)
{
    const int W = FooterWidth(), H = height();
    auto rest = [&](ui::Color col) {
        c.brush.color = col;
        c.fillRect(ui::Rect{W, 0, std::max(W, width()), H});
    };
    switch (FGrid.FloatingFooter().FooterStyle()) {
    case fsColumnPreview: {
        Frame(c, W, H);
        const ui::Color sel = FGrid.SelectionTextColor();
        FGrid.SetSelectionTextColor(ui::clBlack);
        FGrid.PaintCellAt(c, FGrid.FloatingFooter().Column(), FGrid.row(), ui::Rect{0, 0, W, H}, 0);
        FGrid.SetSelectionTextColor(sel);
        rest(FGrid.controlColor());
        break;
    }
    case fsCustomPreview: {
        Frame(c, W, H);
        if (FGrid.designing()) {
            c.textOut(2, 2, FGrid.FloatingFooter().CustomTemplate());
        } else {
            THTMLRenderOptions o;
            o.Pictures = FGrid.PictureContainer;
            o.Images = FGrid.GridImages();
            o.URLColor = FGrid.URLColor();
            o.WordWrap = FGrid.EnhTextSize;
            THTMLRenderResult r;
            RenderHTMLText(c, CustomText(), ui::Rect{0, 2, W, H}, o, r);
        }
        rest(FGrid.controlColor());
        break;
    }
    case fsFixedLastRow: {
        c.brush.color = FGrid.FixedColor;
        c.fillRect(ui::Rect{0, 0, W, H});
        rest(FGrid.controlColor());
        const ui::GridOptions opt = FGrid.options();
        const bool soft = FGrid.Look() == glSoft && !FGrid.Flat();
        const int last = FGrid.rowCount() - 1;
        int x = 0;
        for (int col = 0; col < FGrid.colCount(); ++col) {
            if (col >= FGrid.fixedCols() && col < FGrid.leftCol())
                continue;
            const int w = FGrid.colWidths(col);
            const ui::Rect r{x, 0, x + w, H};
            if ((opt & ui::goFixedVertLine) && soft) {
                c.pen.color = ui::clWhite;
                c.moveTo(r.Left, r.Bottom);
                c.lineTo(r.Left, r.Top - 1);
            }
            if ((opt & ui::goFixedHorzLine) && soft) {
                c.pen.color = ui::clWhite;
                c.moveTo(r.Left, r.Top);
                c.lineTo(r.Right, r.Top);
            }
            if (opt & ui::goFixedVertLine) {
                c.pen.color = ui::rgb(128, 128, 128);
                c.moveTo(r.Right - 1, r.Top);
                c.lineTo(r.Right - 1, r.Bottom);
            }
            const int shift = col >= FGrid.fixedCols() ? 1 : 0;
            if (last >= 0)
                FGrid.PaintCellAt(c, col, last, ui::Rect{r.Left + shift, r.Top, r.Right, r.Bottom}, ui::gdFixed);
            x += w;
        }
        break;
    }
    }
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    ui::Canvas c(&p);
    PaintTo(c);
}

QString FooterTemplateText(const QString& Template, const std::function<QString(int)>& CellText)
{
    static const QRegularExpression tag(QStringLiteral("<#([^>]*)>"));
    QString out;
    qsizetype from = 0;
    for (auto it = tag.globalMatch(Template); it.hasNext();) {
        const auto m = it.next();
        out += Template.mid(from, m.capturedStart() - from);
        bool ok = false;
        const int col = m.captured(1).trimmed().toInt(&ok);
        if (ok && CellText)
            out += CellText(col);
        from = m.capturedEnd();
    }
    out += Template.mid(from);
    return out;
}

} // namespace grid
