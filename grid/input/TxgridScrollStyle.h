#pragma once
// The look of the grid's scroll bars: the platform's own, flat (no raised edges) or encarta
// (flat until the mouse is over a part, which then stands out), on a colour the grid chooses
// and in a width it chooses, with a thumb proportional to the visible share or, as the grid
// has by default, a square thumb. Set on the two bars only; the grid keeps one as its child.
#include "grid/core/TxgridTypes.h"

#include <QColor>
#include <QProxyStyle>

namespace grid {

class TScrollBarStyle : public QProxyStyle {
public:
    TScrollType Type = ssNormal;
    QColor Color;  // invalid: the platform's colour
    int Width = 0; // 0: the platform's width
    bool Proportional = false;

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option = nullptr,
                    const QWidget* Widget = nullptr) const override;
    QRect subControlRect(ComplexControl Control, const QStyleOptionComplex* Option, SubControl Sc,
                         const QWidget* Widget = nullptr) const override;
    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                            const QWidget* Widget = nullptr) const override;
};

} // namespace grid
