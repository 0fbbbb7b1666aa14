#pragma once
// The read-only data grid of the list windows: one row per row of a dataset, whole-row
// selection, and the selected row kept equal to the dataset's current row both ways (moving the
// cursor selects the row; selecting a row moves the cursor).
//
//   ui::DbGrid g;  g.setDataSource(&DataModule1->DataSource_Klienci);
//   g.addColumn("Nr_Klienta", "Nr Klienta", 60);  g.addColumn("NIP");   // title = field name
//   connect(&g, &ui::DbGrid::rowDoubleClicked, ...);
//
// The model reads the texts of a row only when the view shows it, in batches, without moving
// the dataset's cursor; the rows it offers grow as the view scrolls on (canFetchMore/fetchMore)
// or jump to a far current row at once. A table of fifty thousand rows opens as fast as one of
// fifty, and a search that lands far down shows its row without reading the rows before it.
#include "platform/data/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>

#include <deque>
#include <unordered_map>
#include <vector>

namespace data {
class Dataset;
class DataSource;
} // namespace data

namespace ui {

struct DbColumn {
    QString field;
    QString title; // empty: the field name
    int width = 0; // pixels; 0: the view's default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // Numbers shown with this many decimals ("5215,17"); -1: the field's own text.
    int decimals = -1;
    // A code that is read whole or not at all (a year, a NIP): where the given width would cut
    // the texts shown, the column is as wide as they are.
    bool whole = false;
};

// `column`, read whole.
inline DbColumn whole(DbColumn column)
{
    column.whole = true;
    return column;
}

// The rows of a dataset as a table model of display texts, read on demand in batches of kBatch
// rows (at most kCachedBatches of them kept).
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(data::Dataset* ds);
    data::Dataset* dataset() const { return ds_; }
    void setColumns(std::vector<DbColumn> columns);
    void addColumn(DbColumn column);
    const std::vector<DbColumn>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // An accessibility client asking for a cell's text (Qt::AccessibleTextRole) gets it when its
    // row is read and an ellipsis otherwise: a client walking every cell reads no rows, and the
    // row it moves to is read as the view shows it.
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Reads the batch of row `row` (0-based) unless it is read; false when there is no such row.
    bool ensureRow(int row);
    // Whether the texts of row `row` are read (showing it reads nothing).
    bool isRowLoaded(int row) const;
    // Forgets the rows read and starts again from the first batch (after a reload of the dataset).
    void reload();

    static constexpr int kBatch = 64;
    static constexpr int kCachedBatches = 32;

signals:
    // A reset of the model is complete, every view told of it: the rows may change again now
    // (a view that selects its current row reads it here, not while the reset is announced).
    void reloaded();

private:
    using Batch = std::vector<QStringList>;
    const Batch* batch(int number) const; // reads it when needed; nullptr past the end
    void grow(int rows);                  // offers rows up to `rows` (they exist)
    const Batch* keep(int number, Batch rows) const;
    std::vector<int> fieldIndexes() const;
    QStringList texts(const QVariantList& values) const;
    void refreshCurrentRow();

    QPointer<data::Dataset> ds_;
    std::vector<DbColumn> columns_;
    int count_ = 0; // rows offered to the view (all of them once atEnd_)
    bool atEnd_ = true;
    mutable std::unordered_map<int, Batch> batches_;
    mutable std::deque<int> batchOrder_; // least recently read first
    QMetaObject::Connection conns_[4];
};

class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);

    void setDataSource(data::DataSource* source);
    data::DataSource* dataSource() const { return source_; }
    data::Dataset* dataset() const;

    void addColumn(const QString& field, const QString& title = QString(), int width = 0,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    void setColumns(const std::vector<DbColumn>& columns);
    DatasetModel* datasetModel() const { return model_; }

    void setTitlesBold(bool bold);
    void setColumnsResizable(bool on);

    // The row shown as selected (0-based), -1 when none.
    int selectedRow() const;

    // A column read whole is never narrower than its given width.
    int sizeHintForColumn(int column) const override;

signals:
    // A double click on a row (after the dataset was moved to it).
    void rowDoubleClicked();

private:
    void bind();
    void followDataset(); // selection := dataset's current row
    void applyWidths();
    void fitRowNumbers();

    DatasetModel* model_;
    QPointer<data::DataSource> source_;
    QMetaObject::Connection sourceConn_;
    QMetaObject::Connection curConn_;
    bool syncing_ = false;
    bool followPending_ = false;
};

} // namespace ui
