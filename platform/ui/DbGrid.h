#pragma once
// The read-only data grid of the list windows: one row per row of a dataset, whole-row
// selection, and the selected row kept equal to the dataset's current row both ways (moving the
// cursor selects the row; selecting a row moves the cursor).
//
//   ui::DbGrid g;  g.setDataSource(&DataModule1->DataSource_Klienci);
//   g.addColumn("Nr_Klienta", "Nr Klienta", 60);  g.addColumn("NIP");   // title = field name
//   connect(&g, &ui::DbGrid::rowDoubleClicked, ...);
//
// Rows are read from the dataset as the view scrolls to them (canFetchMore/fetchMore), so a
// table of fifty thousand rows opens as fast as one of fifty.
#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>

#include <vector>

namespace data {
class Dataset;
class DataSource;
} // namespace data

namespace ui {

struct DbColumn {
    QString field;
    QString title;   // empty: the field name
    int width = 0;   // pixels; 0: the view's default
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// The rows of a dataset as a table model of display texts, read lazily in batches.
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
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Reads rows until row `row` (0-based) is loaded; false when the dataset has fewer rows.
    bool ensureRow(int row);
    // Forgets the loaded rows and starts again from the first (after a reload of the dataset).
    void reload();

    static constexpr int kBatch = 64;

private:
    void fetch(int count);
    void refreshCurrentRow();

    QPointer<data::Dataset> ds_;
    std::vector<DbColumn> columns_;
    std::vector<QStringList> rows_;
    bool atEnd_ = true;
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

signals:
    // A double click on a row (after the dataset was moved to it).
    void rowDoubleClicked();

private:
    void bind();
    void followDataset();  // selection := dataset's current row
    void applyWidths();

    DatasetModel* model_;
    QPointer<data::DataSource> source_;
    QMetaObject::Connection sourceConn_;
    QMetaObject::Connection curConn_;
    bool syncing_ = false;
    bool followPending_ = false;
};

} // namespace ui
