#include "platform/ui/Clock.h"

namespace ui {

namespace {
std::function<QDate()> g_clock;
}

QDate today() { return g_clock ? g_clock() : QDate::currentDate(); }

void setClock(std::function<QDate()> clock) { g_clock = std::move(clock); }

FixedClock::FixedClock(const QDate& date)
{
    setClock([date] { return date; });
}

FixedClock::~FixedClock() { setClock({}); }

} // namespace ui
