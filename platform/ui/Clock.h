#pragma once
// Today's date for the program; tests set the clock.
#include <QDate>

#include <functional>

namespace ui {

QDate today();

// Replaces the system clock; an empty function restores it.
void setClock(std::function<QDate()> clock);

// Fixes today's date until the object is destroyed.
class FixedClock {
public:
    explicit FixedClock(const QDate& date);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

} // namespace ui
