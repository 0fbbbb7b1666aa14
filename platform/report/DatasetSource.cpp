#include "platform/report/DatasetSource.h"

#include "platform/data/Dataset.h"

namespace report {

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

QVariant DatasetSource::value(const QString& field) const
{
    if (eof())
        return {};
    data::Field* f = dataset_->findField(field);
    return f ? f->value() : QVariant();
}

QString DatasetSource::text(const QString& field) const
{
    if (eof())
        return {};
    data::Field* f = dataset_->findField(field);
    return f ? f->asString() : QString();
}

} // namespace report
