#pragma once
// What a report reads its rows from: a cursor with a current row and fields by name.
// The report layer knows nothing of the database; datasets are adapted to this (DatasetSource.h),
// and tests feed in-memory rows (ListRowSource).
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace report {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    // The current row's value of a field (names ignore case); a null QVariant when there is no
    // current row or no such field.
    virtual QVariant value(const QString& field) const = 0;
    // The field's text as the data gives it (what an unmasked data-bound text prints).
    virtual QString text(const QString& field) const;
};

// Rows held in memory: field names, then one list of values per row.
class ListRowSource : public RowSource {
public:
    ListRowSource() = default;
    ListRowSource(QStringList fields, std::vector<QVariantList> rows);

    void setRows(QStringList fields, std::vector<QVariantList> rows);
    void appendRow(QVariantList row) { rows_.push_back(std::move(row)); }
    int rowCount() const { return int(rows_.size()); }

    void first() override { pos_ = 0; }
    void next() override
    {
        if (pos_ < int(rows_.size()))
            ++pos_;
    }
    bool eof() const override { return pos_ >= int(rows_.size()); }
    QVariant value(const QString& field) const override;

private:
    QStringList fields_;
    std::vector<QVariantList> rows_;
    int pos_ = 0;
};

} // namespace report
