#pragma once
// Driving a window as from the keyboard: shown and focused first (keys reach only the focused
// widget), then each key to the widget that has the focus, events handled after it.
#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

namespace keyboard {

inline void showFocused(QWidget& w)
{
    w.show();
    w.activateWindow();
    QApplication::processEvents();
    w.setFocus();
}

// The widget that has the focus; Fallback when none has.
inline QWidget* focused(QWidget& Fallback)
{
    return QApplication::focusWidget() ? QApplication::focusWidget() : &Fallback;
}

inline void key(QWidget& Fallback, int k, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(focused(Fallback), Qt::Key(k), m);
    QApplication::processEvents();
}

// Each character on its own, so that one that opens an editor sends the rest into it.
inline void type(QWidget& Fallback, const QString& s)
{
    for (QChar c : s) {
        QTest::keyClicks(focused(Fallback), QString(c));
        QApplication::processEvents();
    }
}

} // namespace keyboard
