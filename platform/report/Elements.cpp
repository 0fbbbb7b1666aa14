#include "platform/report/Elements.h"

#include "platform/report/Mask.h"
#include "platform/report/RowSource.h"

#include <QFontDatabase>
#include <QHash>
#include <QFontMetricsF>
#include <QImage>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

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

namespace {

// What tells fonts apart in the caches below.
struct FontKey {
    QString family;
    double size;
    bool bold, italic;
    bool operator==(const FontKey&) const = default;
};

size_t qHash(const FontKey& k, size_t seed = 0) { return qHashMulti(seed, k.family, k.size, k.bold, k.italic); }

struct MeasureKey {
    FontKey font;
    QString text;
    double width;
    bool wrap;
    bool operator==(const MeasureKey&) const = default;
};

size_t qHash(const MeasureKey& k, size_t seed = 0) { return qHashMulti(seed, k.font, k.text, k.width, k.wrap); }

FontKey keyOf(const FontSpec& f) { return FontKey{f.family, f.size, f.bold, f.italic}; }

QFont makeFont(const FontSpec& spec)
{
    // The layouts are drawn for Arial ("Arial Unicode MS" is Arial with more glyphs). Where Arial
    // is not installed its metric-compatible Liberation Sans stands in, so every text keeps the
    // width and the line breaks it was laid out for; any other family that is not installed is
    // asked for as Arial too.
    const QString wanted = spec.family.isEmpty() ? QStringLiteral("Arial") : spec.family;
    QString use = wanted;
    if (!QFontDatabase::hasFamily(use))
        use = QStringLiteral("Arial");
    if (!QFontDatabase::hasFamily(use) && QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
        use = QStringLiteral("Liberation Sans");
    QFont f(use);
    f.setPointSizeF(spec.size > 0 ? spec.size : 10);
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setStyleHint(QFont::SansSerif);
    // Unhinted: texts are measured at the glyphs' design widths, as a PDF or a printer sets them;
    // hinted widths drift by a hair per glyph, which a long line adds up to a millimetre.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The installed fonts do not change while the program prints, and a report uses a handful of
// fonts for thousands of texts: fonts, their metrics and the sizes of texts are kept. The text
// sizes are dropped now and then so that a long report does not grow the memory.
constexpr qsizetype kMaxMeasured = 20000;

QHash<FontKey, QFont>& fonts()
{
    static QHash<FontKey, QFont> cache;
    return cache;
}

const QFontMetricsF& metricsOf(const FontSpec& font)
{
    static QHash<FontKey, QFontMetricsF> cache;
    const FontKey key = keyOf(font);
    auto it = cache.constFind(key);
    if (it == cache.constEnd())
        it = cache.insert(key, QFontMetricsF(font.toQFont(), &measureDevice()));
    return *it;
}

bool plainLine(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 32 || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    return true;
}

} // namespace

QFont FontSpec::toQFont() const
{
    auto& cache = fonts();
    const FontKey key = keyOf(*this);
    auto it = cache.constFind(key);
    if (it == cache.constEnd())
        it = cache.insert(key, makeFont(*this));
    return *it;
}

QSizeF measureText(const FontSpec& font, const QString& text, double widthMm, bool wrap)
{
    const QFontMetricsF& fm = metricsOf(font);
    const double pxPerMm = kMeasureDpi / kMmPerInch;
    if (text.isEmpty())
        return {0, fm.height() / pxPerMm};
    static QHash<MeasureKey, QSizeF> measured;
    MeasureKey key{keyOf(font), text, widthMm, wrap};
    if (const auto it = measured.constFind(key); it != measured.constEnd())
        return *it;
    if (measured.size() >= kMaxMeasured)
        measured.clear();
    QSizeF size;
    // A text of one line (no line breaks, not wider than its box) is as wide as its advance and
    // as high as a line; only the others need the full layout.
    const double advance = plainLine(text) ? fm.horizontalAdvance(text) : -1;
    if (advance >= 0 && !(widthMm > 0 && wrap && advance > widthMm * pxPerMm)) {
        size = QSizeF(advance / pxPerMm, fm.height() / pxPerMm);
    } else {
        QRectF r;
        if (widthMm > 0 && wrap)
            r = fm.boundingRect(QRectF(0, 0, widthMm * pxPerMm, 1e9), Qt::TextWordWrap | Qt::AlignLeft, text);
        else
            r = fm.boundingRect(QRectF(0, 0, 1e9, 1e9), Qt::AlignLeft, text);
        size = QSizeF(r.width() / pxPerMm, std::max(r.height(), fm.height()) / pxPerMm);
    }
    measured.insert(std::move(key), size);
    return size;
}

void setUpRichText(QTextDocument& doc, QPaintDevice* device, const FontSpec& font, const QString& text)
{
    doc.documentLayout()->setPaintDevice(device);
    doc.setDefaultFont(font.toQFont());
    doc.setDocumentMargin(0);
    if (Qt::mightBeRichText(text))
        doc.setHtml(text);
    else
        doc.setPlainText(text);
}

double measureRichText(const FontSpec& font, const QString& text, double widthMm)
{
    if (text.isEmpty())
        return 0;
    const double pxPerMm = kMeasureDpi / kMmPerInch;
    QTextDocument doc;
    setUpRichText(doc, const_cast<QImage*>(&measureDevice()), font, text);
    doc.setTextWidth(widthMm * pxPerMm);
    return doc.size().height() / pxPerMm;
}

DrawItem Element::drawItem(DrawItem::Kind kind, QPointF origin, const QRectF& rect) const
{
    DrawItem item;
    item.kind = kind;
    item.name = name;
    item.rect = rect.translated(origin);
    return item;
}

namespace {

// `text` in lines no wider than `room` (pixels of `fm`): words as far as they go on a line, and
// a word wider than the room broken where it reads as two parts of one value: after a "-" (the
// two halves of a code), else after the last "." (the groups of a code), else before its decimal
// comma (the grosze of an amount stay with it), else after as many characters as fit. A leading
// minus stays with its number.
QString breakLines(const QFontMetricsF& fm, const QString& text, double room)
{
    const auto fits = [&](const QString& s) { return fm.horizontalAdvance(s) <= room; };
    QStringList lines;
    QString line;
    for (QString word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty()) {
            if (const QString joined = line + u' ' + word; fits(joined)) {
                line = joined;
                continue;
            }
            lines << line;
        }
        while (!fits(word)) {
            qsizetype cut = 1, dash = 0, dot = 0, comma = 0;
            for (qsizetype i = 1; i < word.size() && fits(word.left(i)); ++i) {
                cut = i;
                if (i > 1 && word.at(i - 1) == u'-')
                    dash = i;
                else if (i > 1 && word.at(i - 1) == u'.')
                    dot = i;
                else if (word.at(i) == u',')
                    comma = i;
            }
            cut = dash > 0 ? dash : dot > 0 ? dot : comma > 0 ? comma : cut;
            lines << word.left(cut);
            word = word.mid(cut);
        }
        line = word;
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join(u'\n');
}

double ascentMm(const FontSpec& f) { return metricsOf(f).ascent() * kMmPerInch / kMeasureDpi; }

} // namespace

TextElement::Fitted TextElement::fitted(const LayoutContext& ctx, const QString& t) const
{
    FontSpec f = resolved(font, ctx);
    if (shrinkToFit && ctx.maxSize > 0)
        f.size = std::min(f.size, std::max(ctx.maxSize, std::min(minSize, f.size)));
    if (!shrinkToFit || width <= 0 || t.isEmpty() || measureText(f, t, 0, false).width() <= width)
        return {f, t, x, width};
    const double room = width * kMeasureDpi / kMmPerInch;
    const QStringList words = wordWrap ? t.split(u' ', Qt::SkipEmptyParts) : QStringList{t};
    auto widest = [&words](const FontSpec& at) {
        const QFontMetricsF& fm = metricsOf(at);
        double w = 0;
        for (const QString& word : words)
            w = std::max(w, fm.horizontalAdvance(word));
        return w;
    };
    const double wide = widest(f);
    if (wide <= room)
        return {f, t, x, width};
    // Sizes in tenths of a point (a handful of fonts for the caches), checked against the metrics
    // of the size itself, since glyphs do not scale exactly.
    const double least = std::min(minSize, f.size);
    const double size = std::floor(f.size * room / wide * 10) / 10;
    for (f.size = std::max(size, least); f.size > least && widest(f) > room;)
        f.size = std::max(least, std::round(f.size * 10 - 1) / 10);
    if (widest(f) <= room || t.contains(u'\n'))
        return {f, t, x, width};
    // Too wide even at the smallest size: the text takes the free room beside its box where it
    // has some, else it goes over lines there. A hair of room is kept back, so that the printer's
    // layout of a line that just fits does not wrap it once more.
    const double pxPerMm = kMeasureDpi / kMmPerInch;
    const double left = std::max(widenLeft, ctx.roomLeft), right = std::max(widenRight, ctx.roomRight);
    if ((left > 0 || right > 0) && widest(f) <= (width + left + right) * pxPerMm * 0.995) {
        // Only as much as it needs, on the side its alignment grows to first.
        const double need = widest(f) / pxPerMm / 0.995 - width;
        double l = 0, r = 0;
        if (align == Align::Right) {
            l = std::min(left, need);
            r = need - l;
        } else if (align == Align::Left) {
            r = std::min(right, need);
            l = need - r;
        } else {
            l = std::min(left, std::max(need / 2, need - right));
            r = need - l;
        }
        return {f, t, x - l, width + l + r};
    }
    return {f, breakLines(metricsOf(f), t, room * 0.995), x, width};
}

TextElement::Reach TextElement::reach(const LayoutContext& ctx) const
{
    const QString t = text(ctx);
    const Fitted fit = fitted(ctx, t);
    const QRectF r = rectIn(resolved(font, ctx), fit);
    if (t.isEmpty())
        return {r.left(), r.left(), false, false};
    if (width <= 0)
        return {r.left(), r.right(), false};
    const bool broken = fit.text != t;
    // A text that fits stands where its alignment puts it within the box.
    const double w = std::min(fit.width, measureText(fit.font, fit.text, 0, false).width());
    switch (align) {
    case Align::Left: return {fit.x, fit.x + w, broken};
    case Align::Right: return {fit.x + fit.width - w, fit.x + fit.width, broken};
    case Align::Center: return {fit.x + (fit.width - w) / 2, fit.x + (fit.width + w) / 2, broken};
    }
    return {fit.x, fit.x + fit.width, broken};
}

double TextElement::designedBottom(const LayoutContext& ctx) const
{
    const double line = metricsOf(resolved(font, ctx)).height() * kMmPerInch / kMeasureDpi;
    return y + std::max(height, line);
}

QRectF TextElement::textRect(const LayoutContext& ctx, const QString& t) const
{
    return rectIn(resolved(font, ctx), fitted(ctx, t));
}

QRectF TextElement::rectIn(const FontSpec& designed, const Fitted& fit) const
{
    const QSizeF size = measureText(fit.font, fit.text, fit.width, wordWrap);
    // A text made smaller stands on the baseline of its row (the designed size's), not raised
    // under the row's top.
    const double top = fit.font.size < designed.size ? y + ascentMm(designed) - ascentMm(fit.font) : y;
    const double h = std::max(size.height(), height - (top - y));
    if (width > 0)
        return {fit.x, top, fit.width, h};
    switch (align) {
    case Align::Left: return {x, top, size.width(), h};
    case Align::Right: return {x - size.width(), top, size.width(), h};
    case Align::Center: return {x - size.width() / 2, top, size.width(), h};
    }
    return {x, top, size.width(), h};
}

double TextElement::bottom(const LayoutContext& ctx) const
{
    if (!visible)
        return 0;
    return textRect(ctx, text(ctx)).bottom();
}

void TextElement::layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    layOutAndMeasure(ctx, origin, out);
}

double TextElement::layOutAndMeasure(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible)
        return 0;
    Fitted fit = fitted(ctx, text(ctx));
    const QRectF rect = rectIn(resolved(font, ctx), fit);
    DrawItem item = drawItem(DrawItem::Kind::Text, origin, rect);
    item.font = std::move(fit.font);
    item.text = std::move(fit.text);
    item.align = align;
    item.wrap = width > 0 && wordWrap;
    out.push_back(std::move(item));
    return rect.bottom();
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

QString RichTextBox::content() const
{
    if (source)
        return source->eof() ? QString() : source->text(field);
    return text;
}

double RichTextBox::bottom(const LayoutContext& ctx) const
{
    if (!visible)
        return 0;
    if (!stretch)
        return y + height;
    // A little more than measured: the printer's resolution may set the lines a hair taller.
    constexpr double kSlack = 0.2;
    return y + std::max(height, measureRichText(resolved(font, ctx), content(), width) + kSlack);
}

void RichTextBox::layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
{
    if (!visible)
        return;
    QString t = content();
    if (t.isEmpty())
        return;
    // A stretching frame is as tall as its text, so no line is cut by the frame's clip.
    DrawItem item = drawItem(DrawItem::Kind::RichText, origin, QRectF(x, y, width, bottom(ctx) - y));
    item.text = t;
    item.font = resolved(font, ctx);
    out.push_back(std::move(item));
}

} // namespace report
