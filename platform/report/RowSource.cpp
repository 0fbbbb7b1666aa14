#include "platform/report/RowSource.h"

namespace report {

QString RowSource::text(const QString& field) const { return value(field).toString(); }

ListRowSource::ListRowSource(QStringList fields, std::vector<QVariantList> rows)
{
    setRows(std::move(fields), std::move(rows));
}

void ListRowSource::setRows(QStringList fields, std::vector<QVariantList> rows)
{
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    pos_ = 0;
}

QVariant ListRowSource::value(const QString& field) const
{
    if (eof())
        return {};
    int col = -1;
    for (int i = 0; i < fields_.size() && col < 0; ++i)
        if (fields_[i].compare(field, Qt::CaseInsensitive) == 0)
            col = i;
    const QVariantList& row = rows_[size_t(pos_)];
    if (col < 0 || col >= row.size())
        return {};
    return row[col];
}

} // namespace report
