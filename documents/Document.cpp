#include "documents/Document.h"

#include "platform/text/Numbers.h"

namespace documents {

Money Money::fromValue(long double value)
{
    // Through the fixed text the windows show, so a stored amount always equals the shown one.
    return fromText(text::formatFixed(value, 2)).value_or(Money());
}

std::optional<Money> Money::fromText(const QString& t)
{
    const auto v = readNumber(t);
    if (!v)
        return std::nullopt;
    const long double scaled = *v * 100.0L;
    // Far beyond any amount of a document (and beyond what a double keeps to the grosz): refused
    // rather than wrapped.
    if (!(scaled > -9.0e15L && scaled < 9.0e15L))
        return std::nullopt;
    const long double r = scaled < 0 ? scaled - 0.5L : scaled + 0.5L;
    return Money(qint64(r));
}

QString Money::text() const { return text::formatAmount((long double)g_ / 100.0L); }

QString Identity::text() const { return typ + QLatin1Char('/') + QString::number(nr) + QLatin1Char('/') + rok; }

bool Document::isEditable() const { return own.typ == QLatin1String("FV") && !czyKorekta && final && *final == own; }

} // namespace documents
