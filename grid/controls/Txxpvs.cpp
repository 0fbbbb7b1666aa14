#include "grid/controls/Txxpvs.h"

#include <QApplication>
#include <QStyle>

namespace grid {

namespace {
bool gBound = false;
} // namespace

void ThemeStartUp()
{
    if (gBound)
        return;
    // The style of the widget application plays the theme library; a program without one
    // (no widgets) draws classic.
    gBound = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr && QApplication::style() != nullptr;
}

void ThemeShutDown() { gBound = false; }

bool ThemeLibraryBound() { return gBound; }

QStyle* ThemeStyle() { return gBound ? QApplication::style() : nullptr; }

bool IsThemeActive() { return gBound; }

bool IsAppThemed() { return gBound; }

} // namespace grid
