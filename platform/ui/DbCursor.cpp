#include "platform/ui/DbCursor.h"

#include "platform/data/Dataset.h"

#include <QSignalBlocker>

namespace ui::detail {

bool visitRows(data::Dataset& ds, int from, int count, const std::function<void()>& atRow)
{
    if (!ds.isActive() || ds.state() != data::State::Browse)
        return false;
    const QSignalBlocker block(&ds);
    const int saved = ds.recNo();
    const bool wasEof = ds.eof();
    const bool wasBof = ds.bof();
    auto restore = [&] {
        if (saved > 0)
            ds.setRecNo(saved);
        if (wasEof && saved > 0) {
            ds.next();
            if (ds.recNo() != saved)
                ds.setRecNo(saved);
        } else if (wasBof && saved > 0) {
            ds.prior();
            if (ds.recNo() != saved)
                ds.setRecNo(saved);
        }
    };
    bool atEnd = false;
    try {
        if (from <= 0) {
            ds.first();
        } else {
            ds.setRecNo(from);
            if (ds.recNo() == from)
                ds.next();
            else
                atEnd = true;
        }
        if (!atEnd) {
            int n = 0;
            while (!atEnd && n < count) {
                if (ds.eof())
                    break;
                atRow();
                ++n;
                ds.next();
            }
            atEnd = atEnd || ds.eof();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return atEnd;
}

} // namespace ui::detail
