// Data-aware widgets: the grid follows the cursor both ways and reads rows lazily without
// moving it; the lookup combo finds keys exactly; the edits show and write the current row.
#include "platform/data/Dataset.h"
#include "support/TestDb.h"
#include "platform/data/Schema.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DbWidgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        ASSERT_EQ(makeEmptyDatabase(path), QString());
        ASSERT_TRUE(conn.open(path)) << conn.lastError().toStdString();
        conn.exec(QStringLiteral("create table Klienci (Nr_Klienta text collate POLISH, "
                                 "Nazwa_Nazwisko text collate POLISH, Uwagi text, Czy_Firma boolean)"));
        conn.exec(QStringLiteral("create table Vat (Nazwa text collate POLISH, Wart integer, "
                                 "Czy_Podst boolean, Arch boolean)"));
        conn.exec(QStringLiteral("begin"));
        for (int i = 1; i <= kRows; ++i)
            conn.exec(QStringLiteral("insert into Klienci values (?, ?, ?, ?)"),
                      {QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("Nazwa %1").arg(kRows - i),
                       QStringLiteral("uwagi %1").arg(i), i % 2 == 0});
        conn.exec(QStringLiteral("commit"));
        for (auto [n, w, p, a] : {std::tuple{"50", 50, false, false},
                                  {"5", 5, false, false},
                                  {"23", 23, true, false},
                                  {"A", 0, false, false},
                                  {"22", 22, true, true}})
            conn.exec(QStringLiteral("insert into Vat values (?, ?, ?, ?)"), {QString::fromLatin1(n), w, p, a});
        klienci.setConnection(&conn);
        klienci.setTableName(QStringLiteral("Klienci"));
        klienci.setIndexFieldNames(QStringLiteral("Nr_Klienta"));
        klienci.open();
        dsKlienci.setDataset(&klienci);
        vat.setConnection(&conn);
        vat.setTableName(QStringLiteral("Vat"));
        vat.open();
        dsVat.setDataset(&vat);
    }

    static constexpr int kRows = 3000;
    QTemporaryDir dir;
    data::Connection conn;
    data::Table klienci, vat;
    data::DataSource dsKlienci, dsVat;
};

QString key(data::Dataset& d) { return d.fieldByName(QStringLiteral("Nr_Klienta")).asString(); }

} // namespace

TEST_F(DbWidgets, GridReadsRowsLazilyWithoutMovingTheCursor)
{
    klienci.setRecNo(7);
    int moves = 0;
    QObject::connect(&klienci, &data::Dataset::currentChanged, [&] { ++moves; });
    ui::DbGrid g;
    g.addColumn(QStringLiteral("Nr_Klienta"), QStringLiteral("Nr Klienta"), 60);
    g.addColumn(QStringLiteral("Czy_Firma"));
    g.setDataSource(&dsKlienci);
    auto* m = g.datasetModel();
    EXPECT_EQ(m->rowCount(), ui::DatasetModel::kBatch); // the first batch only
    EXPECT_TRUE(m->canFetchMore({}));
    EXPECT_FALSE(m->isRowLoaded(kRows - 1));
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Nr Klienta"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Czy_Firma"));

    ASSERT_TRUE(m->ensureRow(kRows - 1)); // straight to the last batch
    EXPECT_EQ(m->rowCount(), kRows);
    EXPECT_FALSE(m->canFetchMore({}));
    EXPECT_TRUE(m->isRowLoaded(kRows - 1));
    EXPECT_FALSE(m->isRowLoaded(kRows / 2));
    EXPECT_FALSE(m->ensureRow(kRows));
    EXPECT_EQ(m->index(kRows - 1, 0).data().toString(), QStringLiteral("K03000"));
    EXPECT_EQ(m->index(1, 1).data().toString(), QStringLiteral("True"));
    // Any row, read in any order, and read again after its batch was dropped.
    for (int r : {1500, 64, 63, 2999, 0, 1777})
        EXPECT_EQ(m->index(r, 0).data().toString(), QStringLiteral("K%1").arg(r + 1, 5, 10, QLatin1Char('0')));
    for (int b = 0; b < 2 * ui::DatasetModel::kCachedBatches; ++b)
        m->ensureRow(b * ui::DatasetModel::kBatch);
    EXPECT_EQ(m->index(5, 0).data().toString(), QStringLiteral("K00006"));
    EXPECT_EQ(klienci.recNo(), 7);
    EXPECT_EQ(moves, 0);
    EXPECT_FALSE(klienci.eof());
}

// A search that lands far down a long list: the grid selects the match, shows the rows around
// it, and scrolling anywhere shows the right rows, all without moving the cursor.
TEST_F(DbWidgets, FarLocateShowsTheMatchAndScrollingReadsTheRightRows)
{
    klienci.setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko")); // "Nazwa 0", "Nazwa 1", "Nazwa 10", ...
    ui::DbGrid g;
    g.addColumn(QStringLiteral("Nazwa_Nazwisko"));
    g.addColumn(QStringLiteral("Nr_Klienta"));
    g.setDataSource(&dsKlienci);
    g.resize(400, 300);
    g.show();
    QApplication::processEvents();
    auto* m = g.datasetModel();
    // The same rows in the same order, read by a plain query.
    data::Query scan;
    scan.setConnection(&conn);
    scan.setSql(QStringLiteral("select Nr_Klienta from Klienci order by Nazwa_Nazwisko collate polish, rowid"));
    scan.open();
    const auto keyAt = [&](int row) {
        scan.setRecNo(row + 1);
        return key(scan);
    };

    ASSERT_TRUE(klienci.locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("NAZWA 7"), {true, true}));
    QApplication::processEvents();
    const int at = klienci.recNo() - 1;
    ASSERT_GT(at, 2 * ui::DatasetModel::kBatch);
    EXPECT_EQ(key(klienci), keyAt(at));
    EXPECT_EQ(key(klienci), QStringLiteral("K02993")); // "Nazwa 7"
    EXPECT_EQ(g.selectedRow(), at);
    EXPECT_EQ(m->index(at, 1).data().toString(), key(klienci));
    const QRect shown = g.visualRect(m->index(at, 0));
    EXPECT_TRUE(g.viewport()->rect().intersects(shown)) << "the match is scrolled into view";

    int moves = 0;
    QObject::connect(&klienci, &data::Dataset::currentChanged, [&] { ++moves; });
    // Dragging to the end offers more rows until there are no more.
    QScrollBar* bar = g.verticalScrollBar();
    for (int i = 0; i < kRows && m->canFetchMore({}); ++i) {
        bar->setValue(bar->maximum());
        QApplication::processEvents();
    }
    ASSERT_EQ(m->rowCount(), kRows);
    for (int value : {0, bar->maximum() / 3, bar->maximum() - 1, bar->maximum()}) {
        bar->setValue(value);
        QApplication::processEvents();
        const int top = g.rowAt(0);
        const int bottom = g.rowAt(g.viewport()->height() - 1);
        SCOPED_TRACE(top);
        ASSERT_GE(top, 0);
        for (int r : {top, bottom < 0 ? kRows - 1 : bottom})
            EXPECT_EQ(m->index(r, 1).data().toString(), keyAt(r));
    }
    EXPECT_EQ(g.rowAt(g.viewport()->height() - 1) < 0 ? kRows - 1 : g.rowAt(g.viewport()->height() - 1), kRows - 1);
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(klienci.recNo(), at + 1);

    // Choosing a far row in the grid moves the cursor there; the cursor walks on from it.
    g.selectRow(2900);
    EXPECT_EQ(klienci.recNo(), 2901);
    EXPECT_EQ(key(klienci), keyAt(2900));
    klienci.next();
    QApplication::processEvents();
    EXPECT_EQ(g.selectedRow(), 2901);
    EXPECT_EQ(key(klienci), keyAt(2901));
    g.selectRow(10);
    EXPECT_EQ(key(klienci), keyAt(10));
}

TEST_F(DbWidgets, GridAndCursorFollowEachOther)
{
    ui::DbGrid g;
    g.addColumn(QStringLiteral("Nr_Klienta"));
    g.setDataSource(&dsKlienci);
    EXPECT_EQ(g.selectedRow(), 0);

    klienci.setRecNo(1200); // beyond the rows read so far
    QApplication::processEvents();
    EXPECT_EQ(g.selectedRow(), 1199);

    g.selectRow(41);
    EXPECT_EQ(klienci.recNo(), 42);
    EXPECT_EQ(key(klienci), QStringLiteral("K00042"));

    // A new order reloads the rows; the selection shows the dataset's current row.
    klienci.setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko"));
    klienci.refresh();
    QApplication::processEvents();
    ASSERT_GE(g.selectedRow(), 0);
    EXPECT_EQ(g.selectedRow(), klienci.recNo() - 1);
    EXPECT_EQ(g.datasetModel()->index(g.selectedRow(), 0).data().toString(), key(klienci));
    EXPECT_EQ(g.datasetModel()->index(0, 0).data().toString(), QStringLiteral("K03000")); // "Nazwa 0"

    // A posted change shows in its row.
    klienci.edit();
    klienci.fieldByName(QStringLiteral("Nr_Klienta")).setAsString(QStringLiteral("X1"));
    klienci.post();
    QApplication::processEvents();
    EXPECT_EQ(g.datasetModel()->index(g.selectedRow(), 0).data().toString(), QStringLiteral("X1"));

    klienci.close();
    EXPECT_EQ(g.datasetModel()->rowCount(), 0);
}

TEST_F(DbWidgets, LookupComboMatchesWholeKeys)
{
    ui::DbLookupCombo c;
    int closeUps = 0;
    QObject::connect(&c, &ui::DbLookupCombo::closeUp, [&] { ++closeUps; });
    c.setKeyField(QStringLiteral("Nazwa"));
    c.setListSource(&dsVat);
    ASSERT_EQ(c.count(), 5);

    struct {
        const char* key;
        const char* text;
        int wart;
    } t[] = {
        {"5", "5", 5},
        {"50", "50", 50},
        {"a", "A", 0},
        {"23", "23", 23},
    };
    for (const auto& x : t) {
        SCOPED_TRACE(x.key);
        c.setKeyValue(QString::fromLatin1(x.key));
        EXPECT_EQ(c.currentText(), QString::fromLatin1(x.text));
        EXPECT_EQ(vat.fieldByName(QStringLiteral("Wart")).asInteger(), x.wart);
    }
    c.setKeyValue(QStringLiteral("7"));
    EXPECT_EQ(c.currentText(), QString());
    EXPECT_EQ(c.currentIndex(), -1);
    c.clearValue();
    EXPECT_TRUE(c.keyValue().isNull());
    c.setKeyValue(QStringLiteral("2"));
    EXPECT_EQ(c.currentText(), QString());
    EXPECT_EQ(closeUps, 0);

    // The user's choice makes its row current and is announced.
    emit c.activated(1);
    EXPECT_EQ(closeUps, 1);
    EXPECT_EQ(vat.fieldByName(QStringLiteral("Nazwa")).asString(), QStringLiteral("5"));

    // Filtering the lookup dataset changes the entries.
    vat.setFilter(QStringLiteral("arch=false"));
    vat.setFiltered(true);
    EXPECT_EQ(c.count(), 4);
    c.setKeyValue(QStringLiteral("22"));
    EXPECT_EQ(c.currentText(), QString());
}

TEST_F(DbWidgets, LookupComboAllEntry)
{
    ui::DbLookupCombo c;
    c.setKeyField(QStringLiteral("Nazwa"));
    c.setListSource(&dsVat);
    c.setAllEntry(QStringLiteral("Wszystkie"), QStringLiteral("*"));
    ASSERT_EQ(c.count(), 6);
    EXPECT_EQ(c.itemText(0), QStringLiteral("Wszystkie"));
    c.setKeyValue(QStringLiteral("*"));
    EXPECT_EQ(c.currentIndex(), 0);
    EXPECT_EQ(c.keyValue().toString(), QStringLiteral("*"));
    c.setKeyValue(QStringLiteral("23"));
    EXPECT_EQ(c.keyValue().toString(), QStringLiteral("23"));
}

TEST_F(DbWidgets, EditsShowAndWriteTheCurrentRow)
{
    ui::DbEdit e;
    e.setDataSource(&dsKlienci);
    e.setDataField(QStringLiteral("Uwagi"));
    ui::DbCheckBox cb;
    cb.setDataSource(&dsKlienci);
    cb.setDataField(QStringLiteral("Czy_Firma"));
    ui::DbText t;
    t.setDataSource(&dsKlienci);
    t.setDataField(QStringLiteral("Nr_Klienta"));

    EXPECT_EQ(e.text(), QStringLiteral("uwagi 1"));
    EXPECT_FALSE(cb.isChecked());
    klienci.setRecNo(2);
    EXPECT_EQ(e.text(), QStringLiteral("uwagi 2"));
    EXPECT_TRUE(cb.isChecked());
    EXPECT_EQ(t.text(), QStringLiteral("K00002"));

    // Typed text reaches the field only through updateRecord; cancel shows the stored value.
    klienci.edit();
    e.setText(QStringLiteral("nowe"));
    cb.setChecked(false);
    klienci.cancel();
    EXPECT_EQ(e.text(), QStringLiteral("uwagi 2"));
    EXPECT_TRUE(cb.isChecked());

    klienci.edit();
    e.setText(QStringLiteral("nowe"));
    cb.setChecked(false);
    e.updateRecord();
    cb.updateRecord();
    klienci.post();
    EXPECT_EQ(conn.scalar(QStringLiteral("select Uwagi from Klienci where Nr_Klienta='K00002'")).toString(),
              QStringLiteral("nowe"));
    EXPECT_EQ(conn.scalar(QStringLiteral("select Czy_Firma from Klienci where Nr_Klienta='K00002'")).toInt(), 0);

    klienci.close();
    EXPECT_EQ(e.text(), QString());
}

// The row numbers' column is as wide as the numbers of the rows offered: "3000" whole after
// Ctrl+End, narrower again for five rows.
TEST_F(DbWidgets, RowNumbersFitTheRowCount)
{
    ui::DbGrid g;
    g.addColumn(QStringLiteral("Nr_Klienta"));
    g.setDataSource(&dsKlienci);
    g.resize(400, 300);
    g.show();
    QApplication::processEvents();
    QHeaderView* numbers = g.verticalHeader();
    const auto needs = [&](const char* last) {
        return numbers->fontMetrics().horizontalAdvance(QLatin1String(last))
            + 2 * g.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, numbers);
    };
    EXPECT_GE(numbers->width(), needs("64"));
    klienci.last(); // what Ctrl+End does in the lists
    QApplication::processEvents();
    ASSERT_EQ(g.model()->rowCount(), kRows);
    EXPECT_GE(numbers->width(), needs("3000"));
    const int wide = numbers->width();
    g.setDataSource(&dsVat);
    QApplication::processEvents();
    ASSERT_EQ(g.model()->rowCount(), 5);
    EXPECT_LT(numbers->width(), wide);
    EXPECT_GE(numbers->width(), needs("5"));
}

namespace {
int accessibilityWarnings = 0;
QtMessageHandler previousHandler = nullptr;
void countWarnings(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (msg.contains(QLatin1String("QAccessible")))
        ++accessibilityWarnings;
    if (previousHandler)
        previousHandler(type, ctx, msg);
}
} // namespace

// The accessible table and the model agree on rows and columns while a list is shown, moved to
// its end and shown again; a client walking every cell of the tree gets each one, with no
// warning, and reads no rows that the view did not show.
TEST_F(DbWidgets, AccessibleTableAgreesWithTheModel)
{
    accessibilityWarnings = 0;
    previousHandler = qInstallMessageHandler(countWarnings);
    {
        ui::DbGrid g;
        g.addColumn(QStringLiteral("Nr_Klienta"));
        g.addColumn(QStringLiteral("Nazwa_Nazwisko"));
        g.setDataSource(&dsKlienci);
        g.resize(400, 300);
        g.show();
        QApplication::processEvents();
        QAccessibleInterface* table = nullptr;
        const auto walk = [&] {
            // A reset drops the cells a client was given (the bridge does that when it is on;
            // here the table's interface is made anew).
            if (table)
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(table));
            table = QAccessible::queryAccessibleInterface(&g);
            ASSERT_TRUE(table && table->tableInterface());
            QAccessibleTableInterface* t = table->tableInterface();
            ASSERT_EQ(t->rowCount(), g.model()->rowCount());
            ASSERT_EQ(t->columnCount(), g.model()->columnCount());
            // Row and column headers add one column and one row of children.
            ASSERT_EQ(table->childCount(), (t->rowCount() + 1) * (t->columnCount() + 1));
            int cells = 0;
            for (int c = 0; c < table->childCount(); ++c) {
                QAccessibleInterface* cell = table->child(c);
                ASSERT_NE(cell, nullptr) << c;
                if (cell->role() == QAccessible::Cell) {
                    EXPECT_FALSE(cell->text(QAccessible::Name).isEmpty()) << c;
                }
                ++cells;
            }
            EXPECT_EQ(cells, table->childCount());
            int loaded = 0;
            for (int r = 0; r < g.model()->rowCount(); ++r)
                loaded += g.datasetModel()->isRowLoaded(r) ? 1 : 0;
            EXPECT_LE(loaded, 3 * ui::DatasetModel::kBatch) << "rows read for the client";
            // The current row as the client hears it.
            const int row = klienci.recNo() - 1;
            EXPECT_EQ(t->cellAt(row, 0)->text(QAccessible::Name), key(klienci));
        };
        walk();
        for (int pass = 0; pass < 2; ++pass) {
            klienci.last(); // Ctrl+End in the lists
            QApplication::processEvents();
            EXPECT_EQ(g.model()->rowCount(), kRows);
            walk();
            klienci.close(); // "Pokaż" again
            klienci.open();
            QApplication::processEvents();
            walk();
        }
    }
    qInstallMessageHandler(previousHandler);
    EXPECT_EQ(accessibilityWarnings, 0);
}

namespace {

// A column read whole is widened to its texts where its given width would cut them, measuring the
// rows in sight only; other columns keep their given widths.
TEST_F(DbWidgets, WholeColumnWidensToItsTextsInSight)
{
    ui::DbGrid g;
    g.setColumns({ui::whole({QStringLiteral("Nr_Klienta"), QStringLiteral("Nr"), 20}),
                  {QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("Nazwa"), 40},
                  ui::whole({QStringLiteral("Uwagi"), QString(), 200})});
    g.setDataSource(&dsKlienci);
    g.resize(500, 300);
    g.show();
    QApplication::processEvents();
    // What the view needs to show a text unelided: the text and the item's margins on both sides.
    const int margin = g.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &g) + 1;
    EXPECT_GE(g.columnWidth(0), g.fontMetrics().horizontalAdvance(QStringLiteral("K00001")) + 2 * margin);
    EXPECT_EQ(g.columnWidth(1), 40);
    EXPECT_EQ(g.columnWidth(2), 200); // wide enough already: never narrower than given
    int loaded = 0;
    for (int r = 0; r < g.model()->rowCount(); ++r)
        loaded += g.datasetModel()->isRowLoaded(r) ? 1 : 0;
    EXPECT_LE(loaded, 2 * ui::DatasetModel::kBatch);
}

} // namespace
