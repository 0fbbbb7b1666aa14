#include "platform/ui/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace ui {

namespace {

// The palette entry that stands for a system colour index; the indexes without a
// counterpart in the desktop palette take the nearest role.
QColor systemColor(int index)
{
    const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
    switch (index) {
    case 0: return pal.color(QPalette::Button);                      // scroll bar
    case 1: return pal.color(QPalette::Dark);                        // desktop
    case 2: return pal.color(QPalette::Active, QPalette::Highlight); // active caption
    case 3: return pal.color(QPalette::Inactive, QPalette::Highlight);
    case 4: return pal.color(QPalette::Window);     // menu
    case 5: return pal.color(QPalette::Base);       // window
    case 6: return pal.color(QPalette::Shadow);     // window frame
    case 7: return pal.color(QPalette::WindowText); // menu text
    case 8: return pal.color(QPalette::Text);       // window text
    case 9: return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 10: return pal.color(QPalette::Window); // active border
    case 11: return pal.color(QPalette::Window); // inactive border
    case 12: return pal.color(QPalette::Mid);    // application workspace
    case 13: return pal.color(QPalette::Active, QPalette::Highlight);
    case 14: return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);                   // button face
    case 16: return pal.color(QPalette::Dark);                     // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return pal.color(QPalette::Light);    // button highlight
    case 21: return pal.color(QPalette::Shadow);   // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight); // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

Color colorToRGB(Color c)
{
    if (c == clNone || c == clDefault)
        return c;
    if (isSystemColor(c))
        return fromQColor(systemColor(int(c & 0xFF)));
    return c & 0x00FFFFFF;
}

QColor toQColor(Color c)
{
    if (c == clNone)
        return QColor(Qt::transparent);
    if (c == clDefault)
        return QColor();
    const Color v = colorToRGB(c);
    return QColor(redOf(v), greenOf(v), blueOf(v));
}

Color fromQColor(const QColor& c)
{
    if (!c.isValid())
        return clNone;
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace ui
