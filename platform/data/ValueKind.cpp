#include "platform/data/ValueKind.h"

#include <QDateTime>

namespace data::detail {

ValueKind valueKind(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return ValueKind::Null;
    switch (v.typeId()) {
    case QMetaType::Bool: return ValueKind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort: return ValueKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float: return ValueKind::Float;
    case QMetaType::QDate:
    case QMetaType::QDateTime: return ValueKind::Date;
    case QMetaType::QByteArray: return ValueKind::Bytes;
    default: return ValueKind::Text;
    }
}

QDate dateValue(const QVariant& v) { return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate(); }

} // namespace data::detail
