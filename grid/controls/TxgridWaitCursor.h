#pragma once
// The hourglass for the life of a long operation (when there is a screen); the cursor comes
// back however the operation ends.
#include <QCoreApplication>
#include <QGuiApplication>

namespace grid::files {

class TWaitCursor {
public:
    TWaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            FOn = true;
        }
    }
    ~TWaitCursor()
    {
        if (FOn)
            QGuiApplication::restoreOverrideCursor();
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool FOn = false;
};

} // namespace grid::files
