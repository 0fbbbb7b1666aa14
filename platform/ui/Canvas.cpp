#include "platform/ui/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <array>

namespace ui {

namespace {
// Building a font and its metrics costs more than measuring a short text, and painting asks
// about the same few fonts over and over: keep the metrics of the fonts used last (per
// thread, as fonts belong to the thread that paints). Colour and turn do not change metrics.
const QFontMetrics& metricsOf(const Font& font)
{
    struct Entry {
        QString name;
        int size = 0;
        FontStyles style = 0;
        QFontMetrics metrics{QFont()};
    };
    constexpr std::size_t kEntries = 8;
    thread_local std::array<Entry, kEntries> cache;
    thread_local std::size_t used = 0, next = 0;
    for (std::size_t i = 0; i < used; ++i) {
        const Entry& e = cache[i];
        if (e.size == font.size && e.style == font.style && e.name == font.name)
            return e.metrics;
    }
    Entry& e = cache[next];
    next = (next + 1) % kEntries;
    used = std::max(used, next == 0 ? kEntries : next);
    e.name = font.name;
    e.size = font.size;
    e.style = font.style;
    e.metrics = QFontMetrics(font.toQFont());
    return e.metrics;
}
} // namespace

int QtTextMeasurer::width(const Font& font, const QString& text) const
{
    return metricsOf(font).horizontalAdvance(text);
}

int QtTextMeasurer::height(const Font& font) const { return metricsOf(font).height(); }

int QtTextMeasurer::ascent(const Font& font) const { return metricsOf(font).ascent(); }

namespace {
std::shared_ptr<TextMeasurer>& currentMeasurer()
{
    static std::shared_ptr<TextMeasurer> m = std::make_shared<QtTextMeasurer>();
    return m;
}
} // namespace

void setTextMeasurer(std::shared_ptr<TextMeasurer> m)
{
    currentMeasurer() = m ? std::move(m) : std::make_shared<QtTextMeasurer>();
}

std::shared_ptr<TextMeasurer> textMeasurer() { return currentMeasurer(); }

Canvas::Canvas() = default;

Canvas::Canvas(QPainter* painter) : painter_(painter) {}

const TextMeasurer& Canvas::measurer() const
{
    if (measurer_)
        return *measurer_;
    return *currentMeasurer();
}

void Canvas::applyPen() const
{
    if (!painter_)
        return;
    if (pen.color == clNone || pen.width <= 0) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen p(toQColor(pen.color));
    p.setWidth(pen.width);
    p.setStyle(pen.style);
    p.setCapStyle(pen.width <= 1 ? Qt::SquareCap : Qt::FlatCap);
    painter_->setPen(p);
}

void Canvas::applyBrush() const
{
    if (!painter_)
        return;
    if (brush.style == BrushStyle::Clear || brush.color == clNone)
        painter_->setBrush(Qt::NoBrush);
    else
        painter_->setBrush(toQColor(brush.color));
}

void Canvas::fillRect(const Rect& r)
{
    if (!painter_ || r.isEmpty() || brush.style == BrushStyle::Clear || brush.color == clNone)
        return;
    painter_->fillRect(r.toQRect(), toQColor(brush.color));
}

void Canvas::rectangle(const Rect& r)
{
    if (!painter_ || r.isEmpty())
        return;
    fillRect(r);
    if (pen.color == clNone || pen.width <= 0)
        return;
    applyPen();
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(r.Left, r.Top, r.width() - 1, r.height() - 1));
}

void Canvas::frameRect(const Rect& r, Color c)
{
    if (!painter_ || r.isEmpty())
        return;
    painter_->setPen(toQColor(c));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRect(r.Left, r.Top, r.width() - 1, r.height() - 1));
}

void Canvas::lineTo(int x, int y)
{
    if (painter_ && pen.width > 0 && pen.color != clNone) {
        applyPen();
        // The end point itself is not drawn: step back one pixel along the line.
        int ex = x, ey = y;
        if (x > pos_.x())
            --ex;
        else if (x < pos_.x())
            ++ex;
        if (y > pos_.y())
            --ey;
        else if (y < pos_.y())
            ++ey;
        if (pen.width == 1) {
            if (QPoint(x, y) != pos_)
                painter_->drawLine(pos_, QPoint(ex, ey));
        } else {
            // A wide pen is centred on the line, as the system's pens are.
            painter_->drawLine(QPointF(pos_) + QPointF(0.5, 0.5), QPointF(ex, ey) + QPointF(0.5, 0.5));
        }
    }
    pos_ = QPoint(x, y);
}

void Canvas::polygon(const QPolygon& points)
{
    if (!painter_)
        return;
    applyPen();
    applyBrush();
    painter_->drawPolygon(points, Qt::WindingFill);
}

void Canvas::applyFont() const
{
    QFont f;
    if (!measurer().deviceFont(font, f))
        f = font.toQFont();
    painter_->setFont(f);
    painter_->setPen(toQColor(font.color));
}

void Canvas::textOut(int x, int y, const QString& text)
{
    if (!painter_ || text.isEmpty())
        return;
    applyFont();
    painter_->drawText(QPoint(x, y + measurer().ascent(font)), text);
}

void Canvas::textRect(const Rect& r, int x, int y, const QString& text)
{
    if (!painter_)
        return;
    painter_->save();
    painter_->setClipRect(r.toQRect(), Qt::IntersectClip);
    textOut(x, y, text);
    painter_->restore();
}

void Canvas::drawText(const Rect& r, int flags, const QString& text)
{
    if (!painter_ || text.isEmpty() || r.isEmpty())
        return;
    applyFont();
    painter_->drawText(r.toQRect(), flags, text);
}

void Canvas::drawImage(int x, int y, const QImage& img)
{
    if (painter_ && !img.isNull())
        painter_->drawImage(QPoint(x, y), img);
}

void Canvas::stretchDraw(const Rect& r, const QImage& img)
{
    if (painter_ && !img.isNull() && !r.isEmpty())
        painter_->drawImage(r.toQRect(), img);
}

void Canvas::setClipRect(const Rect& r)
{
    // Within whatever clip the painter had (the region being repainted).
    if (painter_) {
        if (clipped_)
            painter_->restore();
        painter_->save();
        painter_->setClipRect(r.toQRect(), Qt::IntersectClip);
    }
    clipped_ = true;
    clip_ = r;
}

void Canvas::clearClip()
{
    if (clipped_ && painter_)
        painter_->restore();
    clipped_ = false;
}

} // namespace ui
