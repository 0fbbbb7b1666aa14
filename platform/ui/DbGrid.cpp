#include "platform/ui/DbGrid.h"
#include "platform/ui/Connect.h"

#include "platform/data/Dataset.h"
#include "platform/text/Numbers.h"

#include <QAccessible>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>

#include <algorithm>

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
        conns_[0] = ui::on(ds_, &data::Dataset::dataChanged, this, &DatasetModel::reload);
        // Opening and closing also emit dataChanged right after activeChanged: one reload will do.
        // Leaving the edit state may have changed the current row's values (post or cancel).
        conns_[2] = ui::on(ds_, &data::Dataset::stateChanged, this, [this](data::State s) {
            if (s == data::State::Browse)
                refreshCurrentRow();
        });
        conns_[3] = ui::on(ds_, &QObject::destroyed, this, &DatasetModel::reload);
    }
    reload();
}

void DatasetModel::setColumns(std::vector<DbColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    batches_.clear();
    batchOrder_.clear();
    endResetModel();
    emit reloaded();
}

void DatasetModel::addColumn(DbColumn column)
{
    auto cols = columns_;
    cols.push_back(std::move(column));
    setColumns(std::move(cols));
}

int DatasetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

int DatasetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count_ || index.column() >= int(columns_.size()))
        return {};
    if (role == Qt::AccessibleTextRole) {
        // Empty text would send the client on to Qt::DisplayRole, which reads the row.
        if (!isRowLoaded(index.row()))
            return QStringLiteral("\u2026");
        const QString t = data(index, Qt::DisplayRole).toString();
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    if (role == Qt::DisplayRole) {
        const Batch* b = batch(index.row() / kBatch);
        const int at = index.row() % kBatch;
        return b && at < int(b->size()) ? (*b)[size_t(at)].value(index.column()) : QString();
    }
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
    if (!parent.isValid() && canFetchMore(parent))
        ensureRow(count_);
}

void DatasetModel::grow(int rows)
{
    if (rows <= count_)
        return;
    beginInsertRows({}, count_, rows - 1);
    count_ = rows;
    endInsertRows();
}

bool DatasetModel::ensureRow(int row)
{
    if (row < 0)
        return false;
    if (row >= count_ && canFetchMore({})) {
        // The batch of the row tells whether it exists and whether more rows follow; the rows
        // up to it exist, as positions do.
        const int number = row / kBatch;
        const int first = number * kBatch;
        std::vector<int> fields = fieldIndexes();
        Batch rows;
        try {
            ds_->visitRows(first, kBatch, fields,
                           [&](int, const QVariantList& values) { rows.push_back(texts(values)); });
        } catch (const data::Error&) {
            return false;
        }
        const int n = int(rows.size());
        if (n < kBatch)
            atEnd_ = true;
        if (n > 0) {
            keep(number, std::move(rows));
            grow(first + n);
        }
    }
    if (row >= count_)
        return false;
    const Batch* b = batch(row / kBatch);
    return b && row % kBatch < int(b->size());
}

bool DatasetModel::isRowLoaded(int row) const { return row >= 0 && row < count_ && batches_.count(row / kBatch) > 0; }

void DatasetModel::reload()
{
    beginResetModel();
    batches_.clear();
    batchOrder_.clear();
    count_ = 0;
    atEnd_ = !(ds_ && ds_->isActive());
    endResetModel();
    ensureRow(0); // the first screen
    emit reloaded();
}

const DatasetModel::Batch* DatasetModel::batch(int number) const
{
    if (auto it = batches_.find(number); it != batches_.end()) {
        if (batchOrder_.back() != number) {
            batchOrder_.erase(std::find(batchOrder_.begin(), batchOrder_.end(), number));
            batchOrder_.push_back(number);
        }
        return &it->second;
    }
    if (!ds_ || !ds_->isActive() || number < 0 || number * kBatch >= count_)
        return nullptr;
    Batch rows;
    rows.reserve(kBatch);
    try {
        ds_->visitRows(number * kBatch, std::min(kBatch, count_ - number * kBatch), fieldIndexes(),
                       [&](int, const QVariantList& values) { rows.push_back(texts(values)); });
    } catch (const data::Error&) {
        return nullptr; // shown empty; read again when asked again
    }
    return keep(number, std::move(rows));
}

const DatasetModel::Batch* DatasetModel::keep(int number, Batch rows) const
{
    if (batches_.count(number) == 0) {
        while (int(batchOrder_.size()) >= kCachedBatches) {
            batches_.erase(batchOrder_.front());
            batchOrder_.pop_front();
        }
        batchOrder_.push_back(number);
    }
    return &(batches_[number] = std::move(rows));
}

std::vector<int> DatasetModel::fieldIndexes() const
{
    std::vector<int> fields;
    for (const DbColumn& c : columns_) {
        data::Field* f = ds_ ? ds_->findField(c.field) : nullptr;
        fields.push_back(f ? f->index() : -1);
    }
    return fields;
}

QStringList DatasetModel::texts(const QVariantList& values) const
{
    QStringList out;
    out.reserve(values.size());
    for (int i = 0; i < int(values.size()); ++i) {
        const QVariant& v = values[i];
        const int decimals = i < int(columns_.size()) ? columns_[size_t(i)].decimals : -1;
        bool number = false;
        const double d = decimals >= 0 && !v.isNull() ? v.toDouble(&number) : 0.0;
        out << (number ? text::formatFixed(d, decimals) : data::Field::toText(v));
    }
    return out;
}

void DatasetModel::refreshCurrentRow()
{
    if (!ds_ || !ds_->isActive() || !ds_->recNoKnown())
        return;
    const int r = ds_->recNo() - 1;
    auto it = batches_.find(r / kBatch);
    if (r < 0 || it == batches_.end())
        return;
    batches_.erase(it);
    batchOrder_.erase(std::find(batchOrder_.begin(), batchOrder_.end(), r / kBatch));
    emit dataChanged(index(r, 0), index(r, int(columns_.size()) - 1));
}

// ---------------------------------------------------------------------------------------------
// DbGrid

namespace {
// The row numbers at the left. Their width is set from the number of rows (fitRowNumbers), so
// there is nothing to measure here: the stock header would lay out the number of every loaded
// row after each reload of the rows only to learn a width that the fixed width then overrides.
class RowIndicator : public QHeaderView {
public:
    explicit RowIndicator(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionsClickable(true);
        setHighlightSections(true);
    }
    QSize sizeHint() const override { return {minimumWidth(), defaultSectionSize()}; }
};

// Width of the row numbers' column for `rows` rows: room for the digits of the last number.
int rowNumbersWidth(const QFontMetrics& metrics, int margin, int rows)
{
    // Every digit as wide as the widest one, so that the column does not change with the rows
    // shown, only with the number of digits.
    int digit = 0;
    for (QChar c : QStringLiteral("0123456789"))
        digit = std::max(digit, metrics.horizontalAdvance(c));
    int digits = 1;
    for (int n = std::max(rows, 1); n >= 10; n /= 10)
        ++digits;
    return std::max(12, digits * digit + 2 * margin + 2);
}
} // namespace

DbGrid::DbGrid(QWidget* parent) : QTableView(parent), model_(new DatasetModel(this))
{
    setVerticalHeader(new RowIndicator(this));
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowNumbers();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // Columns fitted to their texts measure the rows in sight only.
    horizontalHeader()->setResizeContentsPrecision(0);
    setTabKeyNavigation(false);

    ui::on(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& cur) {
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
    ui::on(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit rowDoubleClicked();
    });
    // The window system's accessibility bridge passes no news of a reset on to its clients,
    // which would go on asking for cells by the old count: they are told that the children
    // changed while there are few of them again (before the selection reads a far row).
    ui::on(model_, &DatasetModel::reloaded, this, [this] {
        if (!QAccessible::isActive())
            return;
        QAccessibleEvent e(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&e);
    });
    // After a reload the selection follows the dataset's current row again, once the reset is
    // complete: selecting may read rows, which must not happen while the reset is announced.
    ui::on(model_, &QAbstractItemModel::modelReset, this, &DbGrid::applyWidths);
    ui::on(model_, &DatasetModel::reloaded, this, &DbGrid::followDataset);
    ui::on(model_, &QAbstractItemModel::modelReset, this, &DbGrid::fitRowNumbers);
    ui::on(model_, &QAbstractItemModel::rowsInserted, this, &DbGrid::fitRowNumbers);
}

void DbGrid::fitRowNumbers()
{
    QHeaderView* h = verticalHeader();
    const int w = rowNumbersWidth(h->fontMetrics(), style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h),
                                  model_->rowCount());
    if (h->width() != w || h->minimumWidth() != w)
        h->setFixedWidth(w);
}

void DbGrid::setDataSource(data::DataSource* source)
{
    if (sourceConn_)
        disconnect(sourceConn_);
    source_ = source;
    if (source_)
        sourceConn_ = ui::on(source_, &data::DataSource::datasetChanged, this, &DbGrid::bind);
    bind();
}

data::Dataset* DbGrid::dataset() const { return source_ ? source_->dataset() : nullptr; }

void DbGrid::bind()
{
    if (curConn_)
        disconnect(curConn_);
    data::Dataset* ds = dataset();
    if (ds) {
        // The cursor may move many times in one handler (a loop over the rows); the selection
        // follows once control is back in the event loop.
        curConn_ = ui::on(ds, &data::Dataset::currentChanged, this, [this] {
            if (syncing_ || followPending_)
                return;
            data::Dataset* d = dataset();
            if (d && d->recNoKnown() && model_->isRowLoaded(d->recNo() - 1)) {
                followDataset(); // the row is read: selecting it reads nothing
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

void DbGrid::setColumns(const std::vector<DbColumn>& columns) { model_->setColumns(columns); }

void DbGrid::applyWidths()
{
    const auto& cols = model_->columns();
    for (int i = 0; i < int(cols.size()); ++i) {
        if (cols[i].width > 0)
            setColumnWidth(i, cols[i].width);
        // Fitted to the rows in sight (and refitted as they change), never to rows not read.
        if (cols[i].whole)
            horizontalHeader()->setSectionResizeMode(i, QHeaderView::ResizeToContents);
    }
}

int DbGrid::sizeHintForColumn(int column) const
{
    const auto& cols = model_->columns();
    const int content = QTableView::sizeHintForColumn(column);
    if (column < 0 || column >= int(cols.size()))
        return content;
    return std::max(content, cols[size_t(column)].width);
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
    applyWidths();
}

int DbGrid::selectedRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && selectionModel()->isRowSelected(i.row(), {}) ? i.row() : -1;
}

} // namespace ui
