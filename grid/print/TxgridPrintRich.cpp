#include "grid/print/TxgridPrintRich.h"

#include "grid/print/TxgridPrinter.h"
#include "grid/text/TxgridHTML.h"
#include "grid/text/TxgridRTF.h"
#include "grid/controls/Txutil.h"

#include <QFontMetricsF>

#include <cmath>

namespace grid {

namespace {

// Measures and draws in paper units: fonts are sized in tenths of a millimetre as the rest of
// the printout's text is.
class PaperMeasurer : public ui::TextMeasurer {
public:
    explicit PaperMeasurer(const TGridPrinter& Printer) : printer_(Printer) {}
    int width(const ui::Font& font, const QString& text) const override
    {
        return int(std::lround(QFontMetricsF(PaperFont(printer_, font)).horizontalAdvance(text)));
    }
    int height(const ui::Font& font) const override
    {
        return int(std::lround(QFontMetricsF(PaperFont(printer_, font)).height()));
    }
    int ascent(const ui::Font& font) const override
    {
        return int(std::lround(QFontMetricsF(PaperFont(printer_, font)).ascent()));
    }
    bool deviceFont(const ui::Font& font, QFont& out) const override
    {
        out = PaperFont(printer_, font);
        return true;
    }

private:
    const TGridPrinter& printer_;
};

} // namespace

bool IsFormattedForPrint(const TGridPrinter& Printer, const QString& Text)
{
    const int type = TextType(Text, Printer.Host().Plain().EnableHTML);
    return type == 1 || type == 2;
}

QSize DrawPaperText(const TGridPrinter& Printer, QPainter* Painter, const QString& Text, const TPaperTextBox& Where)
{
    TPrintHost& Grid = Printer.Host();
    if (IsRichText(Text)) {
        // Laid out in screen pixels as on screen, then scaled onto paper.
        const double scale = Where.ScreenToPaper > 0 ? Where.ScreenToPaper : 1;
        const QSizeF s = RichTextSize(Text, Where.Font.toQFont(), Where.WordWrap ? Where.Box.width() / scale : 0);
        const QColor color = ui::toQColor(Where.Font.color);
        if (Painter)
            DrawRichText(*Painter, Text,
                         TRichTextBox{Where.Box, Where.Font.toQFont(), color, scale, Where.WordWrap, QColor()});
        return {int(std::lround(s.width() * scale)), int(std::lround(s.height() * scale))};
    }
    ui::Canvas canvas(Painter);
    canvas.setMeasurer(std::make_shared<PaperMeasurer>(Printer));
    canvas.font = Where.Font;
    canvas.brush.style = ui::BrushStyle::Clear;
    THTMLRenderOptions o;
    o.MeasureOnly = Painter == nullptr;
    o.Printing = true;
    o.PrintScale = Where.ScreenToPaper;
    o.WordWrap = !Grid.Plain().EnhTextSize; // as the cell paints
    o.Images = Grid.GridImages();
    o.Pictures = Grid.Plain().PictureContainer;
    o.PictureCache = &Grid.PictureCache();
    o.URLColor = Grid.URLColor();
    THTMLRenderResult res;
    const QRect box = Where.Box.toAlignedRect();
    if (Painter) {
        Painter->save();
        Painter->setClipRect(Where.Box, Qt::IntersectClip);
    }
    RenderHTMLText(canvas, Text, ui::Rect::fromQRect(box), o, res);
    if (Painter)
        Painter->restore();
    return {res.MaxLineWidth, res.TotalHeight};
}

} // namespace grid
