#pragma once
// The grid's error message a call raises, or "<none>" when it raises none.
#include "grid/controls/TxgridError.h"

#include <QString>

#include <functional>

inline QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const grid::ETxGridError& e) {
        return e.message();
    }
    return QStringLiteral("<none>");
}
