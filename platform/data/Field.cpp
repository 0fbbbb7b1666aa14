#include "platform/data/Field.h"

#include "platform/data/Dataset.h"
#include "platform/data/Error.h"
#include "platform/data/Filter.h"
#include "platform/data/ValueKind.h"
#include "platform/text/Regional.h"

#include <QRegularExpression>

#include <cmath>

namespace data {

namespace {

bool isNumber(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double || t == QMetaType::UInt
        || t == QMetaType::ULongLong || t == QMetaType::Float;
}

[[noreturn]] void badValue(const QString& text, const char* what)
{
    throw Error(QStringLiteral("'%1' nie jest poprawną %2").arg(text, QString::fromUtf8(what)));
}

std::optional<bool> parseBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || t == QLatin1String("1")
        || t == QLatin1String("-1"))
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<qint64> parseInteger(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d+$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

} // namespace

Field::Field(Dataset* owner, int index, QString name, FieldKind kind)
    : owner_(owner), index_(index), name_(std::move(name)), kind_(kind)
{}

QVariant Field::raw() const { return owner_->cell(index_); }

void Field::setRaw(const QVariant& v) { owner_->setCell(index_, v); }

QString Field::formatFloat(double v)
{
    if (v == 0)
        return QStringLiteral("0"); // never "-0"
    QString s = QString::number(v, 'g', 15);
    const QChar sep = text::decimalSeparator();
    if (sep != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), sep);
    return s;
}

QVariant Field::fromStored(const QVariant& r) const
{
    if (!r.isValid() || r.isNull())
        return QVariant();
    switch (kind_) {
    case FieldKind::Boolean:
        if (isNumber(r))
            return r.toDouble() != 0;
        if (const auto b = parseBool(r.toString()))
            return *b;
        return r;
    case FieldKind::Date:
        if (r.typeId() == QMetaType::QString) {
            const QDate d = QDate::fromString(r.toString().left(10), Qt::ISODate);
            return d.isValid() ? QVariant(d) : r;
        }
        return r;
    case FieldKind::Integer:
        if (r.typeId() == QMetaType::Double && r.toDouble() == std::floor(r.toDouble()))
            return qint64(r.toDouble());
        return r;
    case FieldKind::Float: return isNumber(r) ? QVariant(r.toDouble()) : r;
    case FieldKind::Text: return isNumber(r) ? QVariant(toText(r)) : r;
    case FieldKind::Unknown:
    default: return r;
    }
}

QString Field::toText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate: return v.toDate().toString(text::shortDateFormat());
    case QMetaType::Double:
    case QMetaType::Float: return formatFloat(v.toDouble());
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
    }
}

bool Field::isNull() const
{
    const QVariant r = raw();
    return !r.isValid() || r.isNull();
}

QVariant Field::value() const { return fromStored(raw()); }

QString Field::asString() const { return toText(value()); }

qint64 Field::asLargeInt() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::Double: return std::llround(v.toDouble()); // half away from zero
    case QMetaType::LongLong:
    case QMetaType::Int: return v.toLongLong();
    default: {
        const QString t = toText(v);
        if (t.trimmed().isEmpty())
            return 0;
        if (const auto i = parseInteger(t))
            return *i;
        badValue(t, "liczbą całkowitą");
    }
    }
}

int Field::asInteger() const { return int(asLargeInt()); }

double Field::asFloat() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (isNumber(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    const QString t = toText(v);
    if (t.trimmed().isEmpty())
        return 0;
    if (const auto d = detail::parseNumber(t))
        return *d;
    badValue(t, "liczbą");
}

bool Field::asBoolean() const
{
    const QVariant v = value();
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumber(v))
        return v.toDouble() != 0;
    const QString t = toText(v);
    if (t.trimmed().isEmpty())
        return false;
    if (const auto b = parseBool(t))
        return *b;
    badValue(t, "wartością logiczną");
}

QDate Field::asDate() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (!v.isValid() || v.isNull())
        return QDate();
    const QString t = toText(v).trimmed();
    QDate d = QDate::fromString(t, text::shortDateFormat());
    if (!d.isValid())
        d = detail::parseDate(t);
    return d;
}

void Field::setValue(const QVariant& v)
{
    switch (detail::valueKind(v)) {
    case detail::ValueKind::Null: clear(); return;
    case detail::ValueKind::Boolean: setAsBoolean(v.toBool()); return;
    case detail::ValueKind::Date: setAsDate(detail::dateValue(v)); return;
    case detail::ValueKind::Float: setAsFloat(v.toDouble()); return;
    case detail::ValueKind::Integer: setAsInteger(v.toLongLong()); return;
    case detail::ValueKind::Bytes:
    case detail::ValueKind::Text: setAsString(v.toString()); return;
    }
}

void Field::setAsString(const QString& s)
{
    switch (kind_) {
    case FieldKind::Text:
    case FieldKind::Unknown: setRaw(s); return;
    default: break;
    }
    if (s.trimmed().isEmpty()) {
        if (kind_ == FieldKind::Boolean)
            setRaw(qint64(0));
        else
            clear();
        return;
    }
    switch (kind_) {
    case FieldKind::Integer:
        if (const auto i = parseInteger(s))
            setRaw(*i);
        else
            badValue(s, "liczbą całkowitą");
        return;
    case FieldKind::Float:
        if (const auto d = detail::parseNumber(s))
            setRaw(*d);
        else
            badValue(s, "liczbą");
        return;
    case FieldKind::Boolean:
        if (const auto b = parseBool(s))
            setRaw(qint64(*b ? 1 : 0));
        else
            badValue(s, "wartością logiczną");
        return;
    case FieldKind::Date: {
        QDate d = QDate::fromString(s.trimmed(), text::shortDateFormat());
        if (!d.isValid())
            d = detail::parseDate(s);
        if (!d.isValid())
            badValue(s, "datą");
        setRaw(d.toString(Qt::ISODate));
        return;
    }
    default: setRaw(s);
    }
}

void Field::setAsInteger(qint64 v)
{
    switch (kind_) {
    case FieldKind::Text: setRaw(QString::number(v)); return;
    case FieldKind::Float: setRaw(double(v)); return;
    case FieldKind::Boolean: setRaw(qint64(v != 0)); return;
    case FieldKind::Date: throw Error(QStringLiteral("Pole %1 nie przyjmuje liczby").arg(name_));
    default: setRaw(v); return;
    }
}

void Field::setAsFloat(double v)
{
    switch (kind_) {
    case FieldKind::Text: setRaw(formatFloat(v)); return;
    case FieldKind::Integer: setRaw(qint64(std::llround(v))); return;
    case FieldKind::Boolean: setRaw(qint64(v != 0)); return;
    case FieldKind::Date: throw Error(QStringLiteral("Pole %1 nie przyjmuje liczby").arg(name_));
    default: setRaw(v); return;
    }
}

void Field::setAsBoolean(bool v)
{
    if (kind_ == FieldKind::Text)
        setRaw(v ? QStringLiteral("True") : QStringLiteral("False"));
    else if (kind_ == FieldKind::Date)
        throw Error(QStringLiteral("Pole %1 nie przyjmuje wartości logicznej").arg(name_));
    else
        setRaw(qint64(v ? 1 : 0));
}

void Field::setAsDate(const QDate& d)
{
    if (!d.isValid()) {
        clear();
        return;
    }
    switch (kind_) {
    case FieldKind::Date:
    case FieldKind::Unknown: setRaw(d.toString(Qt::ISODate)); return;
    case FieldKind::Text: setRaw(d.toString(text::shortDateFormat())); return;
    default: throw Error(QStringLiteral("Pole %1 nie przyjmuje daty").arg(name_));
    }
}

void Field::clear() { setRaw(QVariant()); }

} // namespace data
