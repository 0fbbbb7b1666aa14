// A base table or saved query (view) opened by name.
#include "platform/data/Table.h"

#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"

namespace data {

void Table::setTableName(const QString& name)
{
    requireInactive("tableName");
    table_ = name;
    isView_.reset();
}

QString Table::writableTable() const
{
    if (!isView_) {
        if (!connection() || !connection()->isConnected())
            return QString();
        const QVariant type = connection()->scalar(
            QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE"), {table_});
        isView_ = type.toString() != QLatin1String("table");
    }
    return *isView_ ? QString() : table_;
}

QString Table::baseSql() const
{
    if (!writableTable().isEmpty())
        return QStringLiteral("SELECT rowid AS %1, * FROM %2")
            .arg(QLatin1String(detail::kRowid), detail::quoteIdent(table_));
    return QStringLiteral("SELECT * FROM %1").arg(detail::quoteIdent(table_));
}

std::optional<detail::CountSource> Table::countSource() const
{
    Connection* c = connection();
    if (!c || !c->isConnected() || !writableTable().isEmpty())
        return std::nullopt;
    return detail::viewCountSource(c->handle(), table_, c->cachedStatement(baseSql()));
}

} // namespace data
