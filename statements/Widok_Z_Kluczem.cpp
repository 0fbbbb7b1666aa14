#include "statements/Widok_Z_Kluczem.h"

namespace statements {

namespace {
QString identyfikator(QString nazwa)
{
    nazwa.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + nazwa + QLatin1Char('"');
}
} // namespace

Widok_Z_Kluczem::Widok_Z_Kluczem(QObject* parent) : data::Dataset(parent)
{
    setReadOnly(true);
}

void Widok_Z_Kluczem::setView(const QString& view, const QString& keyColumn, const QString& baseTable)
{
    requireInactive("setView");
    view_ = view;
    key_ = keyColumn;
    baseTable_ = baseTable;
}

QString Widok_Z_Kluczem::baseSql() const
{
    // The dataset layer keeps the key of every row in a hidden first column of this name, as it
    // does with the rowid of a table.
    return QStringLiteral("SELECT %1 AS __rowid, * FROM %2").arg(identyfikator(key_), identyfikator(view_));
}

} // namespace statements
