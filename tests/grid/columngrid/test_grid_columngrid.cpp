// The column grid: items in step with the columns, per-column editors and formats, the
// column set stream and file (round trip, the older format, damage refused), moves, hiding
// and sizing keeping each column's settings, the filter drop-down and column popups.
#include "grid/columngrid/TxColumnGrid.h"
#include "grid/columngrid/TxColumnGridIO.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// 6 columns by 6 rows, one fixed row and column, editing on, shown so that focus works.
struct ColumnGrid : TTxColumnGrid {
    ColumnGrid()
    {
        SetColCount(6);
        setRowCount(6);
        setOptions(options() | ui::goEditing);
        resize(600, 240);
        keyboard::showFocused(*this);
    }
    TGridColumnItem& item(int i) { return *Columns().Items(i); }
    void key(int k) { keyboard::key(*this, k); }
    void type(const QString& s) { keyboard::type(*this, s); }
    // Gives every column settings of its own, so that a mix-up shows.
    void distinguish()
    {
        for (int i = 0; i < Columns().Count(); ++i) {
            TGridColumnItem& c = item(i);
            c.Name = QStringLiteral("kol%1").arg(i);
            c.SetHeader(QStringLiteral("Nagłówek %1").arg(i));
            c.SetAlignment(TAlignment(i % 3));
            c.SetColor(ui::Color(0x010101 * (i + 1)));
            c.SetEditor(TEditorType(i));
            c.EditLength = i;
            c.EditMask = i == 3 ? QStringLiteral("99-999") : QString();
            c.ComboItems = {QStringLiteral("a%1").arg(i), QStringLiteral("b")};
            c.CheckTrue = QStringLiteral("T%1").arg(i);
            c.SortStyle = TSortStyle(i);
            c.SortPrefix = QStringLiteral("p%1").arg(i);
            c.SpinMax = 10 * i;
            c.SetFilter({QStringLiteral("f%1=>%1").arg(i)});
            c.FilterCaseSensitive = i % 2 == 1;
            c.PrintColor = ui::Color(0x102030 + i);
            c.PrintBorders = cbTop | cbBottom;
            c.PrintFont.size = 9 + i;
            c.SetBorderPen(ui::Pen{ui::clRed, i + 1, Qt::DashLine});
            c.SetWidth(40 + i);
        }
    }
};

QByteArray Saved(TTxColumnGrid& g)
{
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    g.SaveColumnsToStream(b);
    return b.data();
}

void Load(TTxColumnGrid& g, QByteArray Bytes)
{
    QBuffer b(&Bytes);
    b.open(QIODevice::ReadOnly);
    g.LoadColumnsFromStream(b);
}

} // namespace

TEST(GridColumnGrid, ItemsFollowTheColumnsAndHeaders)
{
    ColumnGrid g;
    g.setCells(2, 0, QStringLiteral("z komórki"));
    g.SynchColumns();
    ASSERT_EQ(g.Columns().Count(), 6);
    EXPECT_EQ(g.item(2).Header(), QStringLiteral("z komórki"));

    // New items take the defaults and the grid's font and colour; fewer columns free the last.
    g.SetColCount(8);
    ASSERT_EQ(g.Columns().Count(), 8);
    const TGridColumnItem& added = g.item(7);
    EXPECT_EQ(added.Width(), g.colWidths(7)); // the width its column has
    EXPECT_EQ(added.Width(), 64);
    EXPECT_EQ(added.CheckTrue, QStringLiteral("Y"));
    EXPECT_EQ(added.CheckFalse, QStringLiteral("N"));
    EXPECT_EQ(added.Font(), g.controlFont());
    EXPECT_EQ(added.Color(), g.controlColor());
    EXPECT_EQ(added.BorderPen(), (ui::Pen{ui::clSilver, 1}));
    EXPECT_EQ(added.PrintColor, ui::clWhite);
    g.SetColCount(4);
    EXPECT_EQ(g.Columns().Count(), 4);

    // Adding an item adds a column; a header reaches the cell and the header list.
    g.Columns().Add();
    EXPECT_EQ(g.ColCount(), 5);
    g.item(3).SetHeader(QStringLiteral("Cena"));
    EXPECT_EQ(g.cells(3, 0), QStringLiteral("Cena"));
    ASSERT_EQ(g.ColumnHeaders().size(), 5);
    EXPECT_EQ(g.ColumnHeaders().at(3), QStringLiteral("Cena"));
    EXPECT_EQ(g.ColumnHeaders().at(2), QStringLiteral("z komórki"));

    g.item(1).Name = QStringLiteral("dup");
    g.item(3).Name = QStringLiteral("dup");
    EXPECT_EQ(g.GetColumnByName(QStringLiteral("dup")), &g.item(1));
    EXPECT_EQ(g.GetColumnByName(QStringLiteral("Dup")), nullptr);
    EXPECT_EQ(g.GetVersionString(), QStringLiteral("2.02, January 2001"));
}

TEST(GridColumnGrid, ItemsFollowEveryPathThatChangesTheColumnCount)
{
    // A paste by Ctrl+V that grows the grid, as a user pastes a wider block.
    ColumnGrid g;
    g.Navigation().AllowClipboardShortCuts = true;
    g.Navigation().AllowClipboardColGrow = true;
    g.setSelection({4, 1, 4, 1});
    QApplication::clipboard()->setText(QStringLiteral("a\tb\tc\td\n"));
    QTest::keyClick(&g, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(g.ColCount(), 8);
    EXPECT_EQ(g.Columns().Count(), 8);
    ASSERT_NE(g.Columns().Items(7), nullptr);
    EXPECT_EQ(g.cells(7, 1), QStringLiteral("d"));

    // A database query with more fields than columns.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("baza.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kolumny"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE t (a, b, c, d, e, f, g, h, i, j)"));
        ASSERT_TRUE(q.exec("INSERT INTO t VALUES (1, 2, 3, 4, 5, 6, 7, 8, 9, 10)"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("kolumny"));
    g.Exchange().LoadFromMDBSQL(file, QStringLiteral("SELECT * FROM t"));
    ASSERT_EQ(g.ColCount(), 11);
    EXPECT_EQ(g.Columns().Count(), 11);
    ASSERT_NE(g.Columns().Items(10), nullptr);

    // Columns inserted and removed: every other column keeps its own item.
    g.item(2).Name = QStringLiteral("dwa");
    g.item(3).Name = QStringLiteral("trzy");
    g.InsertCols(2, 2);
    ASSERT_EQ(g.Columns().Count(), g.ColCount());
    EXPECT_EQ(g.item(2).Name, QString());
    EXPECT_EQ(g.item(4).Name, QStringLiteral("dwa"));
    g.RemoveCols(1, 2);
    ASSERT_EQ(g.Columns().Count(), g.ColCount());
    EXPECT_EQ(g.item(2).Name, QStringLiteral("dwa"));
    EXPECT_EQ(g.item(3).Name, QStringLiteral("trzy"));
}

TEST(GridColumnGrid, ColumnSetWithValuesOutOfRangeIsRefused)
{
    ColumnGrid g;
    g.distinguish();
    const QByteArray good = Saved(g);
    using Spoil = std::function<void(TGridColumnItem&)>;
    const struct {
        const char* what;
        Spoil spoil;
    } cases[] = {
        {"negative width", [](TGridColumnItem& c) { c.SetWidth(-50); }},
        {"huge width", [](TGridColumnItem& c) { c.SetWidth(1 << 30); }},
        {"negative minimum", [](TGridColumnItem& c) { c.MinSize = -1; }},
        {"negative automatic maximum", [](TGridColumnItem& c) { c.AutoMaxSize = -5; }},
        {"negative edit length", [](TGridColumnItem& c) { c.EditLength = -1; }},
        {"reversed spin range", [](TGridColumnItem& c) { c.SpinMin = 10, c.SpinMax = 1; }},
        {"spin step zero", [](TGridColumnItem& c) { c.SpinStep = 0; }},
    };
    for (const auto& c : cases) {
        TTxColumnGridIO io(&g);
        io.Items.Assign(g.Columns());
        c.spoil(*io.Items.Items(2));
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        io.Write(b);
        ColumnGrid target;
        target.distinguish();
        EXPECT_THROW(Load(target, b.data()), ETxGridError) << c.what;
        EXPECT_EQ(target.colWidths(2), 42) << c.what;
        EXPECT_TRUE(target.item(2).SameSettings(g.item(2))) << c.what;
    }
    ColumnGrid target;
    EXPECT_NO_THROW(Load(target, good));
}

TEST(GridColumnGrid, EachColumnEditsWithItsOwnEditorLimitAndMask)
{
    ColumnGrid g;
    g.item(1).SetEditor(edComboList);
    g.item(1).ComboItems = {QStringLiteral("kg"), QStringLiteral("szt"), QStringLiteral("m")};
    g.item(2).SetEditor(edSpinEdit);
    g.item(2).SpinMax = 12;
    g.item(3).EditLength = 3;
    g.item(4).EditMask = QStringLiteral("99-999");
    g.item(5).ReadOnly = true;
    g.setCells(1, 1, QStringLiteral("szt"));
    g.setCells(2, 1, QStringLiteral("5"));

    g.focusCell(1, 1);
    g.key(Qt::Key_F2);
    TGridCombo* combo = g.GetComboBox();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), QStringLiteral("szt"));
    combo->setCurrentIndex(2);
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("m"));

    // The spin stops at the column's maximum, not the control's 100.
    g.focusCell(2, 1);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.GetSpinEdit()->isVisible());
    g.key(Qt::Key_Home);
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("12"));

    // Column 3 takes three characters; the grid's own limit serves column 4.
    g.MaxEditLength = 6;
    g.focusCell(3, 1);
    g.type(QStringLiteral("abcdef"));
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("abc"));
    g.HideInplaceEdit();
    EXPECT_EQ(g.cells(3, 1), QStringLiteral("abc"));

    g.focusCell(4, 1);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.editorMode());
    EXPECT_TRUE(g.inplaceEditor()->inputMask().startsWith(QStringLiteral("99-999")));
    g.key(Qt::Key_Escape);

    // A read-only column opens nothing, and the next column's mask does not linger.
    g.focusCell(5, 1);
    g.key(Qt::Key_F2);
    EXPECT_FALSE(g.editorMode());
    g.focusCell(3, 2);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.editorMode());
    EXPECT_TRUE(g.inplaceEditor()->inputMask().isEmpty());
}

// The first F2 on a fresh grid opens a list-only combo and leaves the focus in it, also once
// the combo's dropped line edit is gone.
TEST(GridColumnGrid, TheFirstF2OpensAListOnlyCombo)
{
    ColumnGrid g;
    g.item(1).SetEditor(edComboList);
    g.item(1).ComboItems = {QStringLiteral("kg"), QStringLiteral("szt")};
    g.setCells(1, 1, QStringLiteral("szt"));
    g.focusCell(1, 1);
    g.key(Qt::Key_F2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    TGridCombo* combo = g.GetComboBox();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), combo);
    EXPECT_TRUE(g.EditActive());
    EXPECT_EQ(combo->currentText(), QStringLiteral("szt"));
}

TEST(GridColumnGrid, EachColumnAnswersItsFormatsColoursAndCheckBoxes)
{
    ColumnGrid g;
    g.item(2).SetAlignment(taRightJustify);
    g.item(2).SortStyle = ssFinancial;
    g.item(2).SortPrefix = QStringLiteral("zł ");
    g.item(3).SetColor(ui::clYellow);
    g.item(3).SetShowBands(true);
    g.item(4).SetFixed(true);
    g.item(4).SetColor(ui::clYellow);
    g.item(5).SetEditor(edDataCheckBox);
    g.item(5).CheckTrue = QStringLiteral("tak");
    g.item(5).CheckFalse = QStringLiteral("nie");

    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g.GetCellAlignment(2, 3, h, v);
    EXPECT_EQ(h, taRightJustify);
    TSortStyle style = ssAutomatic;
    QString prefix, suffix;
    g.GetColFormat(2, style, prefix, suffix);
    EXPECT_EQ(style, ssFinancial);
    EXPECT_EQ(prefix, QStringLiteral("zł "));
    g.OnGetFormat = [](TGridSender, int, TSortStyle& s, QString&, QString&) { s = ssRaw; };
    g.GetColFormat(2, style, prefix, suffix);
    EXPECT_EQ(style, ssRaw); // the grid's event has the last word

    auto brushOf = [&](int c, int r) {
        TGridDrawState state = 0;
        ui::Brush brush;
        ui::Font font;
        bool wrap = false;
        g.GetVisualProperties(c, r, state, false, false, brush, font, h, v, wrap);
        return brush.color;
    };
    EXPECT_EQ(brushOf(3, 1), ui::clYellow);
    g.Bands().SetActive(true);
    EXPECT_EQ(brushOf(3, 1), g.Bands().PrimaryColor()); // the band colour stays
    EXPECT_EQ(brushOf(4, 2), g.FixedColor);             // a fixed column always in FixedColor
    bool canEdit = true;
    g.GetCellReadOnly(4, 2, canEdit);
    EXPECT_FALSE(canEdit);

    // A data check box shows and toggles the column's own texts; the header cell has none.
    g.setCells(5, 2, QStringLiteral("tak"));
    EXPECT_EQ(g.GetCellType(5, 2), ctDataCheckBox);
    EXPECT_EQ(g.GetCellType(5, 0), ctEmpty);
    bool state = false;
    ASSERT_TRUE(g.GetCheckBoxState(5, 2, state));
    EXPECT_TRUE(state);
    g.ToggleCheckBox(5, 2);
    EXPECT_EQ(g.cells(5, 2), QStringLiteral("nie"));
}

TEST(GridColumnGrid, ColumnSetRoundTripOlderFormatAndDamageRefused)
{
    ColumnGrid source;
    source.distinguish();
    const QByteArray bytes = Saved(source);

    // Back into a grid of fewer columns: every setting equal, the column count kept, widths
    // and headers shown.
    ColumnGrid target;
    target.SetColCount(4);
    Load(target, bytes);
    EXPECT_EQ(target.ColCount(), 4);
    ASSERT_EQ(target.Columns().Count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(target.item(i).SameSettings(source.item(i))) << i;
    EXPECT_EQ(target.colWidths(3), 43);
    EXPECT_EQ(target.cells(3, 0), QStringLiteral("Nagłówek 3"));

    // The same through a file.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kolumny.txc"));
    source.SaveColumnsToFile(file);
    ColumnGrid fromFile;
    fromFile.LoadColumnsFromFile(file);
    EXPECT_TRUE(fromFile.item(5).SameSettings(source.item(5)));
    EXPECT_THROW(fromFile.LoadColumnsFromFile(dir.filePath(QStringLiteral("brak.txc"))), ETxGridError);

    // The first format has no filters and print settings: those keep their defaults.
    TTxColumnGridIO io(&source);
    io.Items.Assign(source.Columns());
    QBuffer old;
    old.open(QIODevice::WriteOnly);
    io.Write(old, 1);
    ColumnGrid older;
    Load(older, old.data());
    EXPECT_EQ(older.item(3).Name, QStringLiteral("kol3"));
    EXPECT_EQ(older.item(3).EditMask, QStringLiteral("99-999"));
    EXPECT_EQ(older.item(3).BorderPen(), source.item(3).BorderPen());
    EXPECT_TRUE(older.item(3).Filter().isEmpty());
    EXPECT_EQ(older.item(3).PrintColor, ui::clWhite);
    EXPECT_EQ(older.item(3).PrintBorders, 0u);

    // Damage of every kind is refused and leaves every column as it was.
    auto flipped = [&](qsizetype at) {
        QByteArray b = bytes;
        b[at] = char(b[at] ^ 0x20);
        return b;
    };
    QByteArray future = bytes;
    future[5] = 3; // version 3
    // A list count far past the bytes present, under a checksum that fits: refused before
    // memory for the promised texts is asked for.
    QByteArray hugeList = bytes;
    const QByteArray combo("\0\0\0\x02\0\0\0\x04\0a\0"
                           "0",
                           12);
    const qsizetype at = hugeList.indexOf(combo);
    ASSERT_GT(at, 0);
    hugeList.replace(at, 4, QByteArray("\x7f\xff\xff\xf0", 4));
    const quint16 sum = qChecksum(hugeList.mid(10, hugeList.size() - 12));
    hugeList[hugeList.size() - 2] = char(sum >> 8);
    hugeList[hugeList.size() - 1] = char(sum & 0xff);
    const struct {
        const char* what;
        QByteArray data;
    } damaged[] = {
        {"empty", QByteArray()},
        {"mark", flipped(0)},
        {"future version", future},
        {"length", flipped(8)},
        {"payload", flipped(40)},
        {"checksum", flipped(bytes.size() - 1)},
        {"truncated", bytes.left(bytes.size() - 3)},
        {"list count", hugeList},
        {"native cell file", QByteArray("5,10\r\ncw 2,64\r\n")},
    };
    for (const auto& d : damaged) {
        EXPECT_THROW(Load(target, d.data), ETxGridError) << d.what;
        EXPECT_EQ(target.Columns().Count(), 6) << d.what;
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(target.item(i).SameSettings(source.item(i))) << d.what << " " << i;
        EXPECT_EQ(target.colWidths(3), 43) << d.what;
    }
}

TEST(GridColumnGrid, MovingHidingAndSizingKeepEachColumnsSettings)
{
    ColumnGrid g;
    g.distinguish();
    for (int c = 0; c < 6; ++c)
        g.setCells(c, 1, QStringLiteral("dane %1").arg(c));
    ColumnGrid copy;
    copy.distinguish();
    g.SetOrganization();

    // Column 2 to position 4: its item, cells and width go with it; 3 and 4 move left.
    g.MoveColumn(2, 4);
    EXPECT_TRUE(g.item(4).SameSettings(copy.item(2)));
    EXPECT_TRUE(g.item(2).SameSettings(copy.item(3)));
    EXPECT_TRUE(g.item(3).SameSettings(copy.item(4)));
    EXPECT_EQ(g.cells(4, 1), QStringLiteral("dane 2"));
    EXPECT_EQ(g.cells(4, 0), QStringLiteral("Nagłówek 2"));
    EXPECT_EQ(g.colWidths(4), 42);
    EXPECT_EQ(g.ColumnHeaders().at(4), QStringLiteral("Nagłówek 2"));
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g.GetCellAlignment(4, 1, h, v);
    EXPECT_EQ(h, copy.item(2).Alignment());

    g.ResetOrganization();
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(g.item(i).SameSettings(copy.item(i))) << i;
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("dane 2"));

    // Sizing by the user or the program: the width reaches only its item, within the
    // column's limits.
    g.setColWidths(3, 77);
    EXPECT_EQ(g.item(3).Width(), 77);
    copy.item(3).SetWidth(77);
    EXPECT_TRUE(g.item(3).SameSettings(copy.item(3)));
    EXPECT_TRUE(g.item(4).SameSettings(copy.item(4)));
    g.item(3).MinSize = 30;
    g.item(3).MaxSize = 90;
    for (auto [asked, given] : {std::pair{10, 30}, {60, 60}, {120, 90}}) {
        int w = asked;
        g.UpdateColSize(3, w);
        EXPECT_EQ(w, given) << asked;
    }

    // Hiding column 2: the items stay by real column and keep answering for it.
    g.HideColumn(2);
    EXPECT_EQ(g.Columns().Count(), 6);
    g.SynchColumns();
    EXPECT_EQ(g.Columns().Count(), 6);
    g.GetCellAlignment(2, 1, h, v); // display column 2 is real column 3
    EXPECT_EQ(h, copy.item(3).Alignment());
    g.UnHideColumn(2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(g.item(i).Name, copy.item(i).Name) << i;
    EXPECT_EQ(g.colWidths(2), 42);
}

TEST(GridColumnGrid, FilterDropDownAndColumnPopup)
{
    ColumnGrid g;
    g.setRowCount(5);
    const char* values[] = {"10", "150", "50", "200"};
    for (int r = 1; r < 5; ++r)
        g.setCells(2, r, QString::fromLatin1(values[r - 1]));
    g.item(2).SetFilter({QStringLiteral("Duże=>100"), QStringLiteral("50")});
    g.AutoFilterUpdate = true;
    g.AutoFilterDisplay = true;
    EXPECT_TRUE(g.GetFilter(2));
    EXPECT_FALSE(g.GetFilter(3));

    const auto rc = g.platformCellRect(2, 0);
    const int y = (rc.Top + rc.Bottom) / 2;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(rc.Right - 2, y));
    EXPECT_FALSE(g.DropList()->isVisible());
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(rc.Right - 10, y));
    TDropList* list = g.DropList();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Duże"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("50"));
    EXPECT_EQ(g.DropDownColumn(), 2);

    QString seen;
    g.OnFilterSelect = [&](TTxColumnGrid&, int, int, const QString& Name, QString& Cond) { seen = Name + "|" + Cond; };
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(seen, QStringLiteral("Duże|>100"));
    EXPECT_EQ(g.Filter().GetColFilter(2)->Condition, QStringLiteral(">100"));
    EXPECT_TRUE(g.FilterActive());
    EXPECT_EQ(g.rowCount(), 3); // 150 and 200 stay
    EXPECT_EQ(g.item(2).Header(), QStringLiteral("Duże"));
    EXPECT_EQ(g.DropDownColumn(), -1);

    // A header right click pops the column's menu up, after the event saw it.
    QMenu menu;
    menu.addAction(QStringLiteral("Ukryj"));
    g.item(3).SetColumnPopup(&menu);
    int popped = -1;
    g.OnColumnPopup = [&](TTxColumnGrid&, int ACol, int, QMenu* m) { popped = m == &menu ? ACol : -2; };
    const auto h3 = g.platformCellRect(3, 0);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(h3.Left + 5, y));
    EXPECT_EQ(popped, -1); // right clicks only
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, QPoint(h3.Left + 5, y));
    EXPECT_EQ(popped, 3);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
}
