#include "documents/Numbering.h"

#include "platform/data/Connection.h"

namespace documents {

NextNumber nextNumber(data::Connection& c, const QString& typ, const QString& rok)
{
    NextNumber n;
    const QVariant max = c.scalar(QStringLiteral("select max(nr) from Faktura where typ=? and rok=?"), {typ, rok});
    if (!max.isNull()) {
        n.nr = max.toLongLong() + 1;
        return n;
    }
    const qint64 count = c.scalar(QStringLiteral("select count(*) from Faktura where typ=?"), {typ}).toLongLong();
    if (count < 1)
        n.askFirst = true;
    else
        n.nr = 1;
    return n;
}

QString firstNumberQuestion(const QString& typ)
{
    if (typ == QLatin1String("PFV"))
        return QStringLiteral("Podaj numer dla pierwszej faktury proforma:");
    if (typ == QLatin1String("KFV"))
        return QStringLiteral("Podaj numer dla pierwszej korekty faktury:");
    if (typ == QLatin1String("NFV"))
        return QStringLiteral("Podaj numer dla pierwszej noty korygującej:");
    return QStringLiteral("Podaj numer dla pierwszej faktury:");
}

} // namespace documents
