// The grid's scroll bar look: the platform draws the normal bar, recoloured when asked; flat
// and encarta bars are drawn here from the platform's own geometry of the parts.
#include "grid/input/TxgridScrollStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <qdrawutil.h>

namespace grid {

int TScrollBarStyle::pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const
{
    if (Metric == PM_ScrollBarExtent && Width > 0)
        return Width;
    return QProxyStyle::pixelMetric(Metric, Option, Widget);
}

void TScrollBarStyle::drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option,
                                         QPainter* Painter, const QWidget* Widget) const
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
