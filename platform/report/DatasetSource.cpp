#include "platform/report/DatasetSource.h"

#include "platform/data/Dataset.h"
#include "platform/report/Mask.h"

namespace report {

void DatasetSource::setDataset(data::Dataset* dataset)
{
    dataset_ = dataset;
    fieldAt_.clear();
}

void DatasetSource::first()
{
    if (dataset_ && dataset_->isActive())
        dataset_->first();
}

void DatasetSource::next()
{
    if (dataset_ && dataset_->isActive())
        dataset_->next();
}

bool DatasetSource::eof() const
{
    // An empty dataset is at its end from the start.
    return !dataset_ || !dataset_->isActive() || dataset_->eof();
}

data::Field* DatasetSource::field(const QString& name) const
{
    // A report asks for the same few fields on every row: their positions are kept, and checked
    // against the name, since reopening the dataset may change its fields.
    const auto it = fieldAt_.constFind(name);
    if (it != fieldAt_.constEnd() && *it < dataset_->fieldCount()) {
        data::Field& f = dataset_->field(*it);
        if (f.name().compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    }
    data::Field* f = dataset_->findField(name);
    if (f)
        fieldAt_.insert(name, f->index());
    return f;
}

QVariant DatasetSource::value(const QString& name) const
{
    if (eof())
        return {};
    data::Field* f = field(name);
    return f ? f->value() : QVariant();
}

QString DatasetSource::text(const QString& name) const
{
    if (eof())
        return {};
    data::Field* f = field(name);
    return f ? plainText(f->value()) : QString();
}

} // namespace report
