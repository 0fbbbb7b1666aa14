#pragma once
// A saved query whose rows are the rows of one base table, opened with that table's key: the
// dataset layer then reads it the way it reads a table, by position and by key, so a list of tens
// of thousands of documents jumps to its last row, or to a row far down, without reading every row
// before it. The rows cannot be changed through it.
#include "platform/data/Dataset.h"

namespace statements {

class Widok_Z_Kluczem : public data::Dataset {
    Q_OBJECT
public:
    explicit Widok_Z_Kluczem(QObject* parent = nullptr);

    // The saved query (view) and the column of it that holds the base table's rowid (an integer
    // primary key such as Faktura.Id).
    void setView(const QString& view, const QString& keyColumn, const QString& baseTable);
    QString view() const { return view_; }

protected:
    QString baseSql() const override;
    QString writableTable() const override { return baseTable_; }

private:
    QString view_, key_, baseTable_;
};

} // namespace statements
