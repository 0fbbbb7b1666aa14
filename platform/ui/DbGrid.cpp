#include "platform/ui/DbGrid.h"

#include "platform/data/Dataset.h"
#include "platform/ui/DbCursor.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTimer>

namespace ui {

// ---------------------------------------------------------------------------------------------
// DatasetModel

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(data::Dataset* ds)
{
    for (auto& c : conns_)
        disconnect(c);
    ds_ = ds;
    if (ds_) {
        conns_[0] = connect(ds_, &data::Dataset::dataChanged, this, &DatasetModel::reload);
        // Opening and closing also emit dataChanged right after activeChanged: one reload will do.
        // Leaving the edit state may have changed the current row's values (post or cancel).
        conns_[2] = connect(ds_, &data::Dataset::stateChanged, this, [this](data::State s) {
            if (s == data::State::Browse)
                refreshCurrentRow();
        });
        conns_[3] = connect(ds_, &QObject::destroyed, this, &DatasetModel::reload);
    }
    reload();
}

void DatasetModel::setColumns(std::vector<DbColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    rows_.clear();
    atEnd_ = !(ds_ && ds_->isActive());
    endResetModel();
}

void DatasetModel::addColumn(DbColumn column)
{
    auto cols = columns_;
    cols.push_back(std::move(column));
    setColumns(std::move(cols));
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()) || index.column() >= int(columns_.size()))
        return {};
    if (role == Qt::DisplayRole)
        return rows_[index.row()].value(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(columns_[index.column()].alignment);
    return {};
}

QVariant DatasetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || section < 0 || section >= int(columns_.size()))
        return QAbstractTableModel::headerData(section, o, role);
    if (role == Qt::DisplayRole) {
        const DbColumn& c = columns_[section];
        return c.title.isEmpty() ? c.field : c.title;
    }
    if (role == Qt::TextAlignmentRole)
        return int(columns_[section].alignment);
    return {};
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !atEnd_ && ds_ && ds_->isActive();
}

void DatasetModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        fetch(kBatch);
}

bool DatasetModel::ensureRow(int row)
{
    while (row >= int(rows_.size()) && canFetchMore({})) {
        const int before = int(rows_.size());
        fetch(std::max(kBatch, row + 1 - before));
        if (int(rows_.size()) == before)
            break;
    }
    return row < int(rows_.size());
}

void DatasetModel::reload()
{
    beginResetModel();
    rows_.clear();
    atEnd_ = !(ds_ && ds_->isActive());
    endResetModel();
}

void DatasetModel::fetch(int count)
{
    if (!ds_ || atEnd_ || count <= 0)
        return;
    std::vector<QStringList> batch;
    batch.reserve(count);
    std::vector<data::Field*> fields;
    for (const DbColumn& c : columns_)
        fields.push_back(ds_->findField(c.field));
    bool end = false;
    const bool visited = [&] {
        if (!ds_->isActive() || ds_->state() != data::State::Browse)
            return false;
        end = detail::visitRows(*ds_, int(rows_.size()), count, [&] {
            QStringList row;
            row.reserve(int(fields.size()));
            for (data::Field* f : fields)
                row << (f ? f->asString() : QString());
            batch.push_back(std::move(row));
        });
        return true;
    }();
    if (!visited)
        return; // read later, when the dataset is browsing again
    if (!batch.empty()) {
        const int first = int(rows_.size());
        beginInsertRows({}, first, first + int(batch.size()) - 1);
        for (auto& r : batch)
            rows_.push_back(std::move(r));
        endInsertRows();
    }
    atEnd_ = end;
}

void DatasetModel::refreshCurrentRow()
{
    if (!ds_ || !ds_->isActive())
        return;
    const int r = ds_->recNo() - 1;
    if (r < 0 || r >= int(rows_.size()))
        return;
    QStringList row;
    for (const DbColumn& c : columns_) {
        data::Field* f = ds_->findField(c.field);
        row << (f ? f->asString() : QString());
    }
    if (row != rows_[r]) {
        rows_[r] = row;
        emit dataChanged(index(r, 0), index(r, int(columns_.size()) - 1));
    }
}

// ---------------------------------------------------------------------------------------------
// DbGrid

DbGrid::DbGrid(QWidget* parent) : QTableView(parent), model_(new DatasetModel(this))
{
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setTabKeyNavigation(false);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& cur) {
                if (syncing_ || !cur.isValid())
                    return;
                data::Dataset* ds = dataset();
                if (!ds || !ds->isActive() || ds->state() != data::State::Browse)
                    return;
                if (ds->recNo() != cur.row() + 1) {
                    syncing_ = true;
                    try {
                        ds->setRecNo(cur.row() + 1);
                    } catch (...) {
                        syncing_ = false;
                        throw;
                    }
                    syncing_ = false;
                }
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit rowDoubleClicked();
    });
    // After a reload the selection follows the dataset's current row again.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        followDataset();
    });
}

void DbGrid::setDataSource(data::DataSource* source)
{
    if (sourceConn_)
        disconnect(sourceConn_);
    source_ = source;
    if (source_)
        sourceConn_ = connect(source_, &data::DataSource::datasetChanged, this, &DbGrid::bind);
    bind();
}

data::Dataset* DbGrid::dataset() const
{
    return source_ ? source_->dataset() : nullptr;
}

void DbGrid::bind()
{
    if (curConn_)
        disconnect(curConn_);
    data::Dataset* ds = dataset();
    if (ds) {
        // The cursor may move many times in one handler (a loop over the rows); the selection
        // follows once control is back in the event loop.
        curConn_ = connect(ds, &data::Dataset::currentChanged, this, [this] {
            if (syncing_ || followPending_)
                return;
            data::Dataset* d = dataset();
            if (d && d->recNo() - 1 < model_->rowCount()) {
                followDataset(); // the row is loaded: selecting it reads nothing
                return;
            }
            followPending_ = true;
            QTimer::singleShot(0, this, [this] {
                followPending_ = false;
                followDataset();
            });
        });
    }
    model_->setDataset(ds);
}

void DbGrid::followDataset()
{
    data::Dataset* ds = dataset();
    if (!ds || !ds->isActive())
        return;
    const int row = ds->recNo() - 1;
    if (row < 0 || !model_->ensureRow(row))
        return;
    syncing_ = true;
    const QModelIndex cur = currentIndex();
    const QModelIndex idx = model_->index(row, std::max(0, cur.column()));
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(idx);
    syncing_ = false;
}

void DbGrid::addColumn(const QString& field, const QString& title, int width, Qt::Alignment alignment)
{
    model_->addColumn({field, title, width, alignment});
}

void DbGrid::setColumns(const std::vector<DbColumn>& columns)
{
    model_->setColumns(columns);
}

void DbGrid::applyWidths()
{
    const auto& cols = model_->columns();
    for (int i = 0; i < int(cols.size()); ++i)
        if (cols[i].width > 0)
            setColumnWidth(i, cols[i].width);
}

void DbGrid::setTitlesBold(bool bold)
{
    QFont f = horizontalHeader()->font();
    f.setBold(bold);
    horizontalHeader()->setFont(f);
}

void DbGrid::setColumnsResizable(bool on)
{
    horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

int DbGrid::selectedRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && selectionModel()->isRowSelected(i.row(), {}) ? i.row() : -1;
}

} // namespace ui
