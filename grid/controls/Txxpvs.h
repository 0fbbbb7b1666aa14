#pragma once
// Visual-style (theme) binding of the grid library. The platform's themes are Qt's styles:
// the theme functions are bound when the application has a style, and every themed drawing
// path falls back to classic drawing when they are not.
class QStyle;

namespace grid {

// Binds the theme functions (skipped when already bound).
void ThemeStartUp();
// Releases them.
void ThemeShutDown();
bool ThemeLibraryBound();
// The style themed drawing uses; nullptr when not bound.
QStyle* ThemeStyle();
// Whether themed drawing is on (false when not bound).
bool IsThemeActive();
bool IsAppThemed();

} // namespace grid
