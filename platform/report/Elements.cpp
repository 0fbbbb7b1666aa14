#include "platform/report/Elements.h"

#include "platform/report/Mask.h"
#include "platform/report/RowSource.h"

#include <QFontDatabase>
#include <QHash>
#include <QFontMetricsF>
#include <QImage>
#include <QTextDocument>

#include <algorithm>

namespace report {

namespace {

constexpr double kMeasureDpi = 720.0;
constexpr double kMmPerInch = 25.4;

const QImage& measureDevice()
{
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        const int dpm = int(kMeasureDpi / 0.0254 + 0.5);
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return device;
}

FontSpec resolved(const FontSpec& font, const LayoutContext& ctx)
{
    FontSpec f = font;
    if (f.family.isEmpty())
        f.family = ctx.baseFont.isEmpty() ? QStringLiteral("Arial") : ctx.baseFont;
    return f;
}

} // namespace

QFont FontSpec::toQFont() const
{
    // The layouts are drawn for Arial ("Arial Unicode MS" is Arial with more glyphs). Where Arial
    // is not installed its metric-compatible Liberation Sans stands in, so every text keeps the
    // width and the line breaks it was laid out for; any other family that is not installed is
    // asked for as Arial too. The family check asks fontconfig; the installed fonts don't change
    // while a report is laid out, so the answer is kept per family name (one lookup, not one per
    // text).
    static QHash<QString, QString> chosen;
    const QString wanted = family.isEmpty() ? QStringLiteral("Arial") : family;
    auto it = chosen.constFind(wanted);
    if (it == chosen.constEnd()) {
        QString use = wanted;
        if (!QFontDatabase::hasFamily(use))
            use = QStringLiteral("Arial");
        if (!QFontDatabase::hasFamily(use) && QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
            use = QStringLiteral("Liberation Sans");
        it = chosen.insert(wanted, use);
    }
    QFont f(*it);
    f.setPointSizeF(size > 0 ? size : 10);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

QSizeF measureText(const FontSpec& font, const QString& text, double widthMm, bool wrap)
{
    const QFontMetricsF fm(font.toQFont(), &measureDevice());
    const double pxPerMm = kMeasureDpi / kMmPerInch;
    if (text.isEmpty())
        return {0, fm.height() / pxPerMm};
    QRectF r;
    if (widthMm > 0 && wrap)
        r = fm.boundingRect(QRectF(0, 0, widthMm * pxPerMm, 1e9), Qt::TextWordWrap | Qt::AlignLeft, text);
    else
        r = fm.boundingRect(QRectF(0, 0, 1e9, 1e9), Qt::AlignLeft, text);
    return {r.width() / pxPerMm, std::max(r.height(), fm.height()) / pxPerMm};
}

DrawItem Element::drawItem(DrawItem::Kind kind, QPointF origin, const QRectF& rect) const
{
    DrawItem item;
    item.kind = kind;
    item.name = name;
    item.rect = rect.translated(origin);
    return item;
}

QRectF TextElement::textRect(const LayoutContext& ctx, const QString& t) const
{
    const FontSpec f = resolved(font, ctx);
    const QSizeF size = measureText(f, t, width, wordWrap);
    const double h = std::max(size.height(), height);
    if (width > 0)
        return {x, y, width, h};
    switch (align) {
    case Align::Left: return {x, y, size.width(), h};
    case Align::Right: return {x - size.width(), y, size.width(), h};
    case Align::Center: return {x - size.width() / 2, y, size.width(), h};
    }
    return {x, y, size.width(), h};
}

double TextElement::bottom(const LayoutContext& ctx) const
{
    if (!visible)
        return 0;
    return textRect(ctx, text(ctx)).bottom();
}

void TextElement::layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible)
        return;
    const QString t = text(ctx);
    DrawItem item = drawItem(DrawItem::Kind::Text, origin, textRect(ctx, t));
    item.text = t;
    item.font = resolved(font, ctx);
    item.align = align;
    item.wrap = width > 0 && wordWrap;
    out.push_back(std::move(item));
}

QString DataText::text(const LayoutContext&) const
{
    if (!source || source->eof())
        return {};
    if (mask.isEmpty())
        return source->text(field);
    return formatValue(source->value(field), mask);
}

void ImageBox::layOut(const LayoutContext&, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible || image.isNull())
        return;
    DrawItem item = drawItem(DrawItem::Kind::Image, origin);
    item.image = image;
    out.push_back(std::move(item));
}

void LineElement::layOut(const LayoutContext&, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible)
        return;
    DrawItem item = drawItem(DrawItem::Kind::Line, origin);
    item.penWidth = penWidth;
    item.penStyle = penStyle;
    out.push_back(std::move(item));
}

void RichTextBox::layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible)
        return;
    QString t = text;
    if (source)
        t = source->eof() ? QString() : source->text(field);
    if (t.isEmpty())
        return;
    DrawItem item = drawItem(DrawItem::Kind::RichText, origin);
    item.text = t;
    item.font = resolved(font, ctx);
    out.push_back(std::move(item));
}

} // namespace report
