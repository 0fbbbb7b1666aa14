#pragma once
// A dataset of the data layer as a report row source. The report moves the dataset's cursor when
// it runs over it (detail or sub-detail rows); data-bound texts of bands that do not run over it
// read its current row. A closed dataset reads as having no rows.
#include "platform/report/RowSource.h"

#include <QHash>

namespace data {
class Dataset;
class Field;
} // namespace data

namespace report {

class DatasetSource : public RowSource {
public:
    explicit DatasetSource(data::Dataset* dataset = nullptr) : dataset_(dataset) {}
    void setDataset(data::Dataset* dataset);
    data::Dataset* dataset() const { return dataset_; }

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString& field) const override;
    QString text(const QString& field) const override;

private:
    data::Field* field(const QString& name) const;
    data::Dataset* dataset_ = nullptr;
    mutable QHash<QString, int> fieldAt_;
};

} // namespace report
