// The grid's scroll bar look: the platform draws the normal bar, recoloured when asked; flat
// and encarta bars are drawn here from the platform's own geometry of the parts.
#include "grid/input/TxgridScrollStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

#include <algorithm>

namespace grid {

int TScrollBarStyle::pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const
{
    if (Metric == PM_ScrollBarExtent && Width > 0)
        return Width;
    return QProxyStyle::pixelMetric(Metric, Option, Widget);
}

QRect TScrollBarStyle::subControlRect(ComplexControl Control, const QStyleOptionComplex* Option, SubControl Sc,
                                      const QWidget* Widget) const
{
    const auto* o = qstyleoption_cast<const QStyleOptionSlider*>(Option);
    if (Control != CC_ScrollBar || !o || Proportional
        || (Sc != SC_ScrollBarSlider && Sc != SC_ScrollBarAddPage && Sc != SC_ScrollBarSubPage))
        return QProxyStyle::subControlRect(Control, Option, Sc, Widget);
    // The thumb is as long as the bar is wide, wherever the value puts it along the groove;
    // the pages lie before and after it. Dragging and paging read these same places.
    const QRect groove = QProxyStyle::subControlRect(Control, Option, SC_ScrollBarGroove, Widget);
    const bool horizontal = o->orientation == Qt::Horizontal;
    const int along = horizontal ? groove.width() : groove.height();
    const int len = std::min(horizontal ? groove.height() : groove.width(), along);
    const int pos = sliderPositionFromValue(o->minimum, o->maximum, o->sliderPosition, along - len, o->upsideDown);
    const int from = Sc == SC_ScrollBarSlider ? pos : Sc == SC_ScrollBarSubPage ? 0 : pos + len;
    const int to = Sc == SC_ScrollBarSlider ? pos + len : Sc == SC_ScrollBarSubPage ? pos : along;
    return horizontal ? QRect(groove.x() + from, groove.y(), to - from, groove.height())
                      : QRect(groove.x(), groove.y() + from, groove.width(), to - from);
}

void TScrollBarStyle::drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                                         const QWidget* Widget) const
{
    const auto* o = qstyleoption_cast<const QStyleOptionSlider*>(Option);
    if (Control != CC_ScrollBar || !o || (Type == ssNormal && !Color.isValid())) {
        QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
        return;
    }
    QStyleOptionSlider s(*o);
    if (Color.isValid())
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
            s.palette.setColor(role, Color);
    if (Type == ssNormal) {
        QProxyStyle::drawComplexControl(Control, &s, Painter, Widget);
        return;
    }
    Painter->fillRect(s.rect, s.palette.color(QPalette::Window));
    const bool horizontal = s.orientation == Qt::Horizontal;
    struct Part {
        SubControl Sc;
        PrimitiveElement Arrow; // PE_CustomBase: the thumb
    };
    const Part parts[] = {
        {SC_ScrollBarSubLine, horizontal ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp},
        {SC_ScrollBarAddLine, horizontal ? PE_IndicatorArrowRight : PE_IndicatorArrowDown},
        {SC_ScrollBarSlider, PE_CustomBase},
    };
    for (const Part& p : parts) {
        const QRect r = subControlRect(CC_ScrollBar, &s, p.Sc, Widget);
        if (!r.isValid() || (p.Sc == SC_ScrollBarSlider && s.minimum == s.maximum))
            continue;
        const bool active = s.activeSubControls & p.Sc;
        const bool down = active && (s.state & State_Sunken);
        const bool hot = active && (s.state & State_MouseOver);
        const QBrush face = s.palette.brush(QPalette::Button);
        if (Type == ssEncarta && (hot || down)) {
            qDrawShadePanel(Painter, r, s.palette, down, 1, &face);
        } else if (p.Sc == SC_ScrollBarSlider || down) {
            Painter->fillRect(r, face);
            Painter->setPen(s.palette.color(QPalette::Mid));
            Painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        if (p.Arrow != PE_CustomBase) {
            QStyleOption a;
            a.rect = r.adjusted(2, 2, -2, -2);
            a.palette = s.palette;
            a.state = s.state & State_Enabled;
            drawPrimitive(p.Arrow, &a, Painter, Widget);
        }
    }
}

} // namespace grid
