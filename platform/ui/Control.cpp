#include "platform/ui/Control.h"

#include <QPainter>

namespace ui {

void ControlState::setControlColor(Color c)
{
    if (c == color_)
        return;
    color_ = c;
    controlChanged();
}

void ControlState::setControlFont(const Font& f)
{
    if (f == font_)
        return;
    font_ = f;
    controlChanged();
}

Control::Control(QWidget* parent, Qt::WindowFlags f) : QWidget(parent, f) {}

void Control::paint(Canvas& canvas)
{
    canvas.brush.color = controlColor();
    canvas.fillRect(Rect{0, 0, width(), height()});
}

void Control::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Canvas canvas(&p);
    canvas.font = controlFont();
    paint(canvas);
}

} // namespace ui
