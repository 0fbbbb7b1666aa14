// The item models that show a dataset, checked by Qt's QAbstractItemModelTester while the
// dataset does everything a window does to it: rows offered as the view scrolls, a jump far
// down and to the last row, reloads, a posted row, closing and reopening, the dataset going away.
#include "platform/data/Dataset.h"
#include "support/TestDb.h"
#include "platform/data/Schema.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QIdentityProxyModel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What the tester reports (as warnings of its logging category) during one test.
QStringList reports;

void collect(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (type != QtDebugMsg && ctx.category && QLatin1String(ctx.category) == QLatin1String("qt.modeltest"))
        reports << msg;
}

// Qt 6.4's tester calls fetchMore() inside its own handlers of the model's signals and then
// reports the rows that this inserts as a change nested in the one it is handling. It checks the
// grid's model through this proxy, which passes on every signal and value but offers no fetching
// (and, like any listener connected after the view, sees whether the view changes the model
// while a change is announced); the test fetches itself.
class NoFetch : public QIdentityProxyModel {
public:
    bool canFetchMore(const QModelIndex&) const override { return false; }
    void fetchMore(const QModelIndex&) override {}
};

class ItemModels : public ::testing::Test {
protected:
    void SetUp() override
    {
        reports.clear();
        previous = qInstallMessageHandler(collect);
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(makeEmptyDatabase(path), QString());
        ASSERT_TRUE(conn.open(path)) << conn.lastError().toStdString();
        conn.exec(QStringLiteral("create table Klienci (Nr_Klienta text collate POLISH, Nazwa text collate POLISH)"));
        data::Transaction tx(conn);
        for (int i = 1; i <= kRows; ++i)
            conn.exec(QStringLiteral("insert into Klienci values (?, ?)"),
                      {QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("Nazwa %1").arg(i % 40)});
        tx.commit();
        klienci.setConnection(&conn);
        klienci.setTableName(QStringLiteral("Klienci"));
        klienci.setIndexFieldNames(QStringLiteral("Nr_Klienta"));
        klienci.open();
        source.setDataset(&klienci);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previous);
        EXPECT_TRUE(reports.isEmpty()) << reports.join(QLatin1Char('\n')).toStdString();
    }

    static constexpr int kRows = 2000;
    QtMessageHandler previous = nullptr;
    QTemporaryDir dir;
    data::Connection conn;
    data::Table klienci;
    data::DataSource source;
};

} // namespace

TEST_F(ItemModels, GridModel)
{
    ui::DbGrid g;
    g.addColumn(QStringLiteral("Nr_Klienta"));
    g.setDataSource(&source);
    ui::DatasetModel* m = g.datasetModel();
    NoFetch proxy;
    proxy.setSourceModel(m);
    QAbstractItemModelTester tester(&proxy, QAbstractItemModelTester::FailureReportingMode::Warning);

    g.addColumn(QStringLiteral("Nazwa"));
    const int offered = m->rowCount();
    for (int i = 0; i < 3 && m->canFetchMore({}); ++i)
        m->fetchMore({});
    EXPECT_EQ(m->rowCount(), offered + 3 * ui::DatasetModel::kBatch);

    klienci.setRecNo(1500); // far down: the rows up to it are offered at once
    QApplication::processEvents();
    EXPECT_EQ(g.selectedRow(), 1499);

    klienci.last();
    QApplication::processEvents();
    EXPECT_EQ(g.selectedRow(), kRows - 1);
    EXPECT_EQ(m->index(kRows - 1, 0).data().toString(), QStringLiteral("K02000"));
    EXPECT_EQ(m->index(kRows - 70, 0).data().toString(), QStringLiteral("K01931"));

    klienci.edit();
    klienci.fieldByName(QStringLiteral("Nazwa")).setAsString(QStringLiteral("Zmieniona"));
    klienci.post();
    EXPECT_EQ(m->index(kRows - 1, 1).data().toString(), QStringLiteral("Zmieniona"));

    klienci.setIndexFieldNames(QStringLiteral("Nazwa;Nr_Klienta")); // reloads
    QApplication::processEvents();
    ASSERT_TRUE(klienci.locate(QStringLiteral("Nazwa"), QStringLiteral("nazwa 7"), {true, true}));
    QApplication::processEvents();
    EXPECT_EQ(m->index(g.selectedRow(), 1).data().toString(), QStringLiteral("Nazwa 7"));

    klienci.close();
    EXPECT_EQ(m->rowCount(), 0);
    klienci.open();
    EXPECT_GT(m->rowCount(), 0);
    {
        data::Table other;
        other.setConnection(&conn);
        other.setTableName(QStringLiteral("Klienci"));
        other.open();
        data::DataSource s;
        s.setDataset(&other);
        g.setDataSource(&s);
        EXPECT_GT(m->rowCount(), 0);
    } // the dataset goes away while shown
    EXPECT_EQ(m->rowCount(), 0);
}

TEST_F(ItemModels, LookupComboModel)
{
    // Few rows: the tester checks the whole model at every row the combo adds.
    klienci.setFilter(QStringLiteral("Nazwa='Nazwa 3'"));
    klienci.setFiltered(true);
    ui::DbLookupCombo c;
    QAbstractItemModelTester tester(c.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    c.setKeyField(QStringLiteral("Nr_Klienta"));
    c.setListField(QStringLiteral("Nazwa"));
    c.setListSource(&source);
    EXPECT_EQ(c.count(), kRows / 40);
    c.setAllEntry(QStringLiteral("Wszyscy"), QStringLiteral("*"));
    EXPECT_EQ(c.count(), kRows / 40 + 1);
    c.setKeyValue(QStringLiteral("K01963"));
    EXPECT_EQ(c.currentText(), QStringLiteral("Nazwa 3"));

    klienci.setFilter(QStringLiteral("Nazwa='Nazwa 3' or Nazwa='Nazwa 4'")); // reloads the entries
    EXPECT_EQ(c.count(), 2 * kRows / 40 + 1);
    klienci.close();
    EXPECT_EQ(c.count(), 1); // the "all" entry alone
    c.clearAllEntry();
    EXPECT_EQ(c.count(), 0);
}
