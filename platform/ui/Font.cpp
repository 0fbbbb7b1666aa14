#include "platform/ui/Font.h"

namespace ui {

QFont Font::toQFont() const
{
    QFont f(name);
    f.setPointSize(size > 0 ? size : 8);
    f.setBold(bold());
    f.setItalic(italic());
    f.setUnderline(underline());
    f.setStrikeOut(strikeOut());
    return f;
}

Font Font::fromQFont(const QFont& f, Color color)
{
    Font r;
    r.name = f.family();
    r.size = f.pointSize() > 0 ? f.pointSize() : 8;
    r.color = color;
    r.style = (f.bold() ? unsigned(fsBold) : 0u) | (f.italic() ? unsigned(fsItalic) : 0u) | (f.underline() ? unsigned(fsUnderline) : 0u)
              | (f.strikeOut() ? unsigned(fsStrikeOut) : 0u);
    return r;
}

} // namespace ui
