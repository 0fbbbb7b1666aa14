#include "dictionaries/Lookups.h"

#include "platform/data/Connection.h"

namespace dictionaries {

bool czyZajety(data::Connection& c, const QString& tabela, const QString& kolumna, const QString& wartosc,
               const QString& warunek)
{
    // Table and column names come from the program, never from the user; the value is bound.
    QString sql = QStringLiteral("select count(*) from %1 where %2 = ? collate POLISH").arg(tabela, kolumna);
    if (!warunek.isEmpty())
        sql += QStringLiteral(" and (%1)").arg(warunek);
    return c.scalar(sql, {wartosc}).toLongLong() > 0;
}

int liczbaPodstawowych(data::Connection& c)
{
    return c.scalar(QStringLiteral("select count(*) from Vat where Czy_Podst<>0 and Arch=0")).toInt();
}

bool czyStawkaPodstawowa(data::Connection& c, const QString& nazwa)
{
    return c.scalar(QStringLiteral("select count(*) from Vat where Nazwa = ? collate POLISH and Czy_Podst<>0"), {nazwa})
               .toLongLong()
        > 0;
}

} // namespace dictionaries
