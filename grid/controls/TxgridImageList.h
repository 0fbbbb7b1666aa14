#pragma once
// A list of equally sized images, drawn by index (the "IDX:" pictures of formatted text).
#include "platform/ui/Canvas.h"

#include <QImage>
#include <vector>

namespace grid {

struct TImageList {
    int Width = 16;
    int Height = 16;
    std::vector<QImage> Images;

    int Count() const { return int(Images.size()); }
    // Draws image Index with its top-left corner at (X, Y); a disabled image is drawn faded.
    void Draw(ui::Canvas& Canvas, int X, int Y, int Index, bool Enabled = true) const
    {
        if (Index < 0 || Index >= Count() || !Canvas.painter())
            return;
        QPainter& p = *Canvas.painter();
        const qreal opacity = p.opacity();
        if (!Enabled)
            p.setOpacity(opacity * 0.5);
        p.drawImage(QRect(X, Y, Width, Height), Images[std::size_t(Index)]);
        p.setOpacity(opacity);
    }
};

} // namespace grid
