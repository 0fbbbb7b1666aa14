// What data-aware widgets (and master-detail links) point at.
#include "platform/data/DataSource.h"

namespace data {

void DataSource::setDataset(Dataset* d)
{
    if (d == dataset_)
        return;
    dataset_ = d;
    emit datasetChanged();
}

} // namespace data
