// The grid's clipboard: the exact text of a copied block, paste with growth and the field
// count, the series fill of a selection, cut of editable cells, rich text besides the text,
// the clipboard keys; and a drag of cells out of one grid into another.
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridDragDrop.h"
#include "grid/files/TxgridExchange.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace grid;

namespace {

// Cols x Rows without fixed cells, editable, filled from a list row by row.
class Grid : public TTxStringGrid {
public:
    Grid(int cols, int rows, const QStringList& texts = {})
    {
        SetFixedCols(0);
        SetFixedRows(0);
        SetColCount(cols);
        SetRowCount(rows);
        setOptions(options() | ui::goEditing | ui::goRangeSelect);
        for (int i = 0; i < texts.size(); ++i)
            setCells(i % cols, i / cols, texts[i]);
    }
    QStringList Column(int c) const
    {
        QStringList out;
        for (int r = 0; r < rowCount(); ++r)
            out << cells(c, r);
        return out;
    }
    // Every cell, a row's cells joined by commas, rows by slashes.
    QString Text() const
    {
        QStringList rows;
        for (int r = 0; r < rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < colCount(); ++c)
                row << cells(c, r);
            rows << row.join(QLatin1Char(','));
        }
        return rows.join(QLatin1Char('/'));
    }
};

QString clipText() { return QApplication::clipboard()->text(); }
void setClip(const QString& t) { QApplication::clipboard()->setText(t); }

} // namespace

TEST(GridClipboard, CopiedTextIsExact)
{
    Grid g(2, 2, {"a", "b", "c", "d"});
    g.Exchange().CopyToClipBoard();
    EXPECT_EQ(clipText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(g.Exchange().LastOperation(), coCopy);

    g.Exchange().CopyFunc({0, 1, 1, 1}); // one row: no line ending
    EXPECT_EQ(clipText(), QStringLiteral("c\td"));
    EXPECT_EQ(g.Exchange().CopyOrigin(), QPoint(0, 1));

    // Tags stripped unless asked for, rich text as its plain text, multi-line cells quoted.
    Grid h(3, 1, {"<b>x</b>", "{\\rtf1\\ansi pl}", "x\r\ny"});
    h.Multilinecells = true;
    h.ClipboardQuoteMultiline = true;
    h.Navigation().CopyHTMLTagsToClipboard = false;
    h.Exchange().CopyToClipBoard();
    EXPECT_EQ(clipText(), QStringLiteral("x\tpl\t\"x\ny\""));

    // ...and the quoted cell comes back whole in another column.
    Grid back(3, 1);
    back.ClipboardQuoteMultiline = true;
    EXPECT_EQ(back.Exchange().PasteText(2, 0, QStringLiteral("\"x\ny\"")), 1);
    EXPECT_EQ(back.cells(2, 0), QStringLiteral("x\r\ny"));
}

TEST(GridClipboard, PasteCountsFieldsAndGrows)
{
    Grid g(3, 3);
    EXPECT_EQ(g.Exchange().PasteText(1, 1, QStringLiteral("1\r\n2\r\n")), 3);
    EXPECT_EQ(g.Column(1), (QStringList{"", "1", "2"}));
    EXPECT_EQ(g.rowCount(), 3); // the empty remainder asks for no row

    struct Case {
        bool grow;
        int rows, cols;
    };
    for (const Case c : {Case{true, 7, 4}, Case{false, 3, 3}}) {
        Grid h(3, 3);
        h.Navigation().AllowClipboardRowGrow = c.grow;
        h.Navigation().AllowClipboardColGrow = c.grow;
        EXPECT_EQ(h.Exchange().PasteText(2, 2, QStringLiteral("a\tA\r\nb\r\nc\r\nd\r\ne")), 6);
        EXPECT_EQ(h.rowCount(), c.rows) << c.grow;
        EXPECT_EQ(h.colCount(), c.cols) << c.grow;
        EXPECT_EQ(h.cells(2, 2), QStringLiteral("a"));
        EXPECT_EQ(h.cells(2, h.rowCount() - 1), c.grow ? QStringLiteral("e") : QStringLiteral("a"));
    }

    // A read-only grid takes nothing unless the clipboard may always write.
    Grid ro(2, 2);
    ro.setOptions(ro.options() & ~ui::GridOptions(ui::goEditing));
    EXPECT_EQ(ro.Exchange().PasteText(0, 0, QStringLiteral("x")), 0);
    ro.Navigation().AllowClipboardAlways = true;
    EXPECT_EQ(ro.Exchange().PasteText(0, 0, QStringLiteral("x")), 1);
    EXPECT_EQ(ro.cells(0, 0), QStringLiteral("x"));

    QPoint size;
    TGridExchange::PasteSize(QStringLiteral("a\tb\tc\r\nd\r\n"), size);
    EXPECT_EQ(size, QPoint(3, 2));
    TGridExchange::PasteSize(QStringLiteral("a\tb"), size);
    EXPECT_EQ(size, QPoint(2, 1));
}

// A paste that grows the grid adds its rows before the footer row and its columns before the
// right fixed column: every line lands and the footer keeps its texts and its sum.
TEST(GridClipboard, PasteGrowsBeforeTheFooters)
{
    Grid g(2, 5, {"a", "5", "b", "5", "c", "10", "d", "10"});
    g.Navigation().AllowClipboardRowGrow = true;
    g.FloatingFooter().SetVisible(true);
    g.FloatingFooter().SetColumnCalc(1, acSUM);
    ASSERT_EQ(g.FixedFooters(), 1);
    ASSERT_EQ(g.GetFloats(1, 4), 30.0);
    EXPECT_EQ(g.Exchange().PasteText(0, 3, QStringLiteral("x\t1\r\ny\t2\r\nz\t3\r\n")), 7);
    EXPECT_EQ(g.rowCount(), 7);
    EXPECT_EQ(g.Text(), QStringLiteral("a,5/b,5/c,10/x,1/y,2/z,3/,") + g.cells(1, 6));
    EXPECT_EQ(g.FloatingFooter().ColumnCalc(1), acSUM);
    EXPECT_EQ(g.GetFloats(1, 6), 26.0);

    Grid h(3, 2, {"a", "b", "Razem", "c", "d", "10"});
    h.Navigation().AllowClipboardColGrow = true;
    h.SetFixedRightCols(1);
    EXPECT_EQ(h.Exchange().PasteText(1, 0, QStringLiteral("p\tq\tr")), 3);
    EXPECT_EQ(h.Text(), QStringLiteral("a,p,q,r,Razem/c,d,,,10"));
    // The trial of a drop grows and shrinks the same way, the footers left as they were.
    EXPECT_TRUE(h.Exchange().PasteLandsWhole(3, 0, QStringLiteral("s\tt")));
    EXPECT_EQ(h.Text(), QStringLiteral("a,p,q,r,Razem/c,d,,,10"));
    g.Navigation().AllowClipboardColGrow = false;
    EXPECT_TRUE(g.Exchange().PasteLandsWhole(0, 5, QStringLiteral("s\r\nt")));
    EXPECT_EQ(g.rowCount(), 7);
    EXPECT_EQ(g.GetFloats(1, 6), 26.0);
}

// Each cell pasted into answers whether it takes text, whatever the current cell; a merged
// block takes its base's field only; a plain text holding "{\" copies as it is.
TEST(GridClipboard, PasteAsksEachCellAndWritesMergedBlocksThroughTheirBase)
{
    Grid g(3, 3);
    g.OnCanEditCell = [](TGridSender, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ARow == 0 && ACol == 0); };
    g.focusCell(0, 0); // read-only: the grid switches editing off
    ASSERT_FALSE(g.options() & ui::goEditing);
    EXPECT_EQ(g.Exchange().PasteText(0, 0, QStringLiteral("a\tb\r\nc\td\r\n")), 5);
    EXPECT_EQ(g.Text(), QStringLiteral(",b,/c,d,/,,"));

    Grid m(3, 3, {"A", "", "", "A", "", "", "", "", ""});
    m.MergeColumnCells(0, true);
    ASSERT_FALSE(m.IsBaseCell(0, 1));
    m.Exchange().PasteText(0, 0, QStringLiteral("x\r\ny\r\nz\r\n"));
    EXPECT_EQ(m.Column(0), (QStringList{"x", "A", "z"}));

    Grid p(1, 1, {"1 < 2 and {\\ not rtf"});
    p.Exchange().CopyToClipBoard();
    EXPECT_EQ(clipText(), QStringLiteral("1 < 2 and {\\ not rtf"));
}

TEST(GridClipboard, LinuxLineEndsPasteAsRowsAndQuotedCellsComeBackWhole)
{
    // Text from a Linux program ends its lines with LF alone; pasted by Ctrl+V.
    for (const QString& end : {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")}) {
        Grid g(4, 4, {"", "", "", "keep"});
        g.Navigation().AllowClipboardShortCuts = true;
        g.setSelection({1, 1, 1, 1});
        const QString text = QStringLiteral("a\tb") + end + QStringLiteral("c\td") + end;
        setClip(text);
        QTest::keyClick(&g, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(g.Column(1), (QStringList{"", "a", "c", ""})) << end.size();
        EXPECT_EQ(g.Column(2), (QStringList{"", "b", "d", ""})) << end.size();
        EXPECT_EQ(g.Column(3), (QStringList{"keep", "", "", ""})) << end.size();
        QPoint size;
        TGridExchange::PasteSize(text, size);
        EXPECT_EQ(size, QPoint(2, 2)) << end.size();
        TGridExchange::PasteSize(QStringLiteral("a") + end + QStringLiteral("b"), size);
        EXPECT_EQ(size, QPoint(1, 2)) << end.size();
    }

    // Multi-line cells, one with quotes inside, copied by Ctrl+C and pasted back by Ctrl+V.
    const QStringList texts{"he said \"hi\"\r\nok", "2", "\"q\"", "x\r\n\"\r\n"};
    Grid from(2, 2, texts);
    Grid to(2, 2);
    for (Grid* g : {&from, &to}) {
        g->Multilinecells = true;
        g->ClipboardQuoteMultiline = true;
        g->Navigation().AllowClipboardShortCuts = true;
    }
    from.setSelection({0, 0, 1, 1});
    QTest::keyClick(&from, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipText(), QStringLiteral("\"he said \"\"hi\"\"\nok\"\t2\r\n\"q\"\t\"x\n\"\"\n\"\r\n"));
    to.setSelection({0, 0, 0, 0});
    QTest::keyClick(&to, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(to.Column(0), (QStringList{texts[0], texts[2]}));
    EXPECT_EQ(to.Column(1), (QStringList{texts[1], texts[3]}));
    QPoint size;
    TGridExchange::PasteSize(clipText(), size, true);
    EXPECT_EQ(size, QPoint(2, 2));
}

namespace {

// Cells that come back as one cell only when quoted, and a row below that a paste must not
// reach: 2 columns x 6 rows.
const QStringList kAwkward{"Towar 12", "l1\r\nl2",   "36", "tab\there", "\"q", "\"q\"",
                           "a\"\"b",   "x\r\n\"y\"", "",   "end",       "pod", "spodem"};

} // namespace

TEST(GridClipboard, CopiedCellsPasteBackAsTheyWere)
{
    // Copied by Ctrl+C and pasted by Ctrl+V over the same cells and into another grid, with
    // cells of one line (a line end in a cell is still its text) and of several.
    for (const bool multi : {false, true}) {
        Grid from(2, 6, kAwkward);
        Grid to(2, 6);
        for (Grid* g : {&from, &to}) {
            g->Multilinecells = multi;
            g->ClipboardQuoteMultiline = true;
            g->Navigation().AllowClipboardShortCuts = true;
        }
        from.setSelection({0, 0, 1, 4});
        QTest::keyClick(&from, Qt::Key_C, Qt::ControlModifier);
        to.setSelection({0, 0, 0, 0});
        QTest::keyClick(&to, Qt::Key_V, Qt::ControlModifier);
        from.setSelection({0, 0, 0, 0});
        QTest::keyClick(&from, Qt::Key_V, Qt::ControlModifier);
        for (int i = 0; i < kAwkward.size(); ++i) {
            EXPECT_EQ(from.cells(i % 2, i / 2), kAwkward[i]) << multi << " " << i;
            EXPECT_EQ(to.cells(i % 2, i / 2), i < 10 ? kAwkward[i] : QString()) << multi << " " << i;
        }
    }

    // Text from elsewhere: empty lines closing it write nothing; a quoted field holding a tab
    // is one cell without its quotes.
    struct Case {
        QString text;
        bool quoted;
        QStringList row0, row1;
    };
    const Case cases[] = {
        {QStringLiteral("a\tb\n\n"), false, {"a", "b"}, {"keep", "keep"}},
        {QStringLiteral("a\tb\r\n\r\n\r\n"), true, {"a", "b"}, {"keep", "keep"}},
        {QStringLiteral("\"tab\there\""), true, {"tab\there", "keep"}, {"keep", "keep"}},
        {QStringLiteral("\"tab\there\"\tz\n\"p \"\"q\"\"\"\n"), true, {"tab\there", "z"}, {"p \"q\"", "keep"}},
    };
    for (const Case& c : cases) {
        Grid g(2, 2, {"keep", "keep", "keep", "keep"});
        g.ClipboardQuoteMultiline = c.quoted;
        g.Exchange().PasteText(0, 0, c.text);
        EXPECT_EQ((QStringList{g.cells(0, 0), g.cells(1, 0)}), c.row0) << c.text.toStdString();
        EXPECT_EQ((QStringList{g.cells(0, 1), g.cells(1, 1)}), c.row1) << c.text.toStdString();
    }
}

// The same copy and paste through a real X server: the grid's text read by another X client
// (xclip), and that client's text pasted into a grid. The test runs itself again on an Xvfb
// server of its own, on Qt's xcb platform.
TEST(GridClipboardX11, CopyAndPasteThroughTheXServer)
{
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    if (qEnvironmentVariableIsSet("TARNEX_X11_CLIPBOARD")) {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QClipboard* cb = QApplication::clipboard();
        auto waitFor = [](const std::function<bool()>& Done) {
            QElapsedTimer t;
            t.start();
            while (!Done() && t.elapsed() < 20000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            return Done();
        };
        Grid from(2, 6, kAwkward);
        from.ClipboardQuoteMultiline = true;
        from.setSelection({0, 0, 1, 4});
        from.Exchange().CopySelectionToClipboard();
        const QString copied = from.Exchange().CopyText({0, 0, 1, 4});

        // Read by another client while this one serves the selection.
        QProcess out;
        out.start(xclip, {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
        ASSERT_TRUE(waitFor([&] { return out.state() == QProcess::NotRunning; }));
        EXPECT_EQ(QString::fromUtf8(out.readAllStandardOutput()), copied);

        // Owned by that client now; the grid pastes what the server hands over.
        QProcess in;
        in.setStandardOutputFile(QProcess::nullDevice());
        in.setStandardErrorFile(QProcess::nullDevice());
        in.start(xclip, {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
        in.write(copied.toUtf8());
        in.closeWriteChannel();
        ASSERT_TRUE(waitFor([&] { return !cb->ownsClipboard(); })) << "xclip did not take the clipboard";
        Grid to(2, 6);
        to.ClipboardQuoteMultiline = true;
        to.Exchange().PasteFromClipboard();
        for (int i = 0; i < kAwkward.size(); ++i)
            EXPECT_EQ(to.cells(i % 2, i / 2), i < 10 ? kAwkward[i] : QString()) << i;
        return;
    }
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xcb = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqxcb.so");
    if (xvfb.isEmpty() || xclip.isEmpty() || !QFile::exists(xcb))
        GTEST_SKIP() << "Xvfb, xclip or Qt's xcb platform plugin is not installed";
    // The server takes the first free display and names it (-displayfd), so that runs beside
    // each other do not race for one.
    QProcess server;
    server.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                  QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("640x480x24")});
    QByteArray display;
    while (!display.contains('\n') && server.waitForReadyRead(20000))
        display += server.readAllStandardOutput();
    ASSERT_TRUE(display.contains('\n')) << "Xvfb named no display: " << server.readAllStandardError().toStdString();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + QString::fromLatin1(display.trimmed()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("TARNEX_X11_CLIPBOARD"), QStringLiteral("1"));
    // Under the leak checker: the session bus library the X platform loads keeps a buffer to
    // the end of the process, which is not the grid's.
    env.insert(QStringLiteral("LSAN_OPTIONS"),
               QStringLiteral("suppressions=" TARNEX_SOURCE_DIR "/tests/support/lsan-x11.supp"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=GridClipboardX11.CopyAndPasteThroughTheXServer")});
    const bool finished = child.waitForFinished(120000);
    server.terminate(); // xclip, still serving the clipboard, goes with its server
    server.waitForFinished(10000);
    ASSERT_TRUE(finished) << "the run on the X server did not finish";
    const QString log = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << log.toStdString();
    EXPECT_TRUE(log.contains(QLatin1String("[  PASSED  ] 1 test"))) << log.toStdString();
}

TEST(GridClipboard, SeriesFillContinuesTheSelection)
{
    struct Case {
        QString clip;
        QStringList want;
    };
    const Case cases[] = {
        {QStringLiteral("1\r\n3\r\n"), {"1", "3", "5", "7", "9"}},
        {QStringLiteral("x\r\n"), {"x", "x", "x", "x", "x"}},
        // Two months apart; a day the month lacks becomes its last.
        {QStringLiteral("2023-01-31\r\n2023-03-31\r\n"),
         {"2023-01-31", "2023-03-31", "2023-05-31", "2023-07-31", "2023-09-30"}},
        {QStringLiteral("1,5\r\n2\r\n"), {"1,50", "2,00", "2,50", "3,00", "3,50"}},
        {QStringLiteral("1\r\nb\r\n"), {"1", "b", "", "", ""}}, // not numbers: left as pasted
    };
    for (const Case& c : cases) {
        Grid g(1, 5);
        g.Navigation().AllowSmartClipboard = true;
        g.setSelection({0, 0, 0, 4});
        setClip(c.clip);
        g.Exchange().PasteSelectionFromClipboard();
        EXPECT_EQ(g.Column(0), c.want) << c.clip.toStdString();
    }
}

TEST(GridClipboard, CutEmptiesOnlyEditableCells)
{
    Grid g(2, 2, {"a", "b", "c", "d"});
    g.OnCanEditCell = [](TGridSender, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ARow == 0 && ACol == 1); };
    g.Exchange().CutToClipboard();
    EXPECT_EQ(clipText(), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(g.Column(0), (QStringList{"", ""}));
    EXPECT_EQ(g.Column(1), (QStringList{"b", ""}));
    EXPECT_EQ(g.Exchange().LastOperation(), coCut);
}

TEST(GridClipboard, RichTextGoesBesideTheTextAndComesBackWhole)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi {\\b gruby}}");
    Grid g(2, 1, {rtf, "z"});
    g.Navigation().AllowRTFClipboard = true;
    g.Exchange().CopyToClipBoard();
    const QMimeData* m = QApplication::clipboard()->mimeData();
    EXPECT_EQ(m->text(), QStringLiteral("gruby\tz"));
    EXPECT_EQ(m->data(QStringLiteral("text/rtf")), rtf.toLatin1());

    Grid h(2, 2);
    h.Navigation().AllowRTFClipboard = true;
    EXPECT_EQ(h.Exchange().PasteFunc(1, 1), 0);
    EXPECT_EQ(h.cells(1, 1), rtf);
    EXPECT_EQ(h.cells(0, 0), QString());
}

TEST(GridClipboard, KeysAskTheirEventFirst)
{
    // Through the grid's own key handling, as a user types them.
    Grid g(2, 1, {"p", "q"});
    g.setSelection({0, 0, 1, 0});
    setClip(QStringLiteral("-"));
    QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipText(), QStringLiteral("-")); // shortcuts off
    g.Navigation().AllowClipboardShortCuts = true;
    bool allow = false;
    g.OnClipboardCopy = [&](TGridSender, bool& Allow) { Allow = allow; };
    QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipText(), QStringLiteral("-"));
    allow = true;
    QTest::keyClick(&g, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipText(), QStringLiteral("p\tq"));

    QTest::keyClick(&g, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(g.cells(0, 0), QString());
    QTest::keyClick(&g, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("q"));
    QKeyEvent plainC(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier);
    EXPECT_FALSE(g.ClipboardKeyDown(&plainC));
}

// --- drag and drop between grids ------------------------------------------------------------

namespace {

QPoint cellPoint(TTxStringGrid& g, int c, int r)
{
    const QRect rect = g.platformCellRect(c, r).toQRect();
    return g.viewport()->mapTo(&g, rect.center());
}

// Enter, move and drop of Data at a cell of Target; whether the drop was taken.
bool dropAt(TTxStringGrid& Target, const QMimeData* Data, int c, int r, Qt::DropAction Action)
{
    const QPoint p = cellPoint(Target, c, r);
    QDragEnterEvent enter(p, Qt::CopyAction | Qt::MoveAction, Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(p, Qt::CopyAction | Qt::MoveAction, Data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Target, &move);
    if (!move.isAccepted()) { // released over a no-drop place: the target only sees the leave
        QDragLeaveEvent leave;
        QApplication::sendEvent(&Target, &leave);
        return false;
    }
    QDropEvent drop(p, Qt::CopyAction | Qt::MoveAction, Data, Qt::LeftButton,
                    Action == Qt::CopyAction ? Qt::ControlModifier : Qt::NoModifier);
    QApplication::sendEvent(&Target, &drop);
    return drop.isAccepted() && drop.dropAction() == Action;
}

} // namespace

TEST(GridDragBetweenGrids, CellsMoveFromOneGridIntoAnother)
{
    Grid a(3, 3, {"1", "2", "x", "3", "4", "y", "", "", ""});
    Grid b(4, 6);
    for (TTxStringGrid* g : {static_cast<TTxStringGrid*>(&a), static_cast<TTxStringGrid*>(&b)}) {
        g->SetFixedRows(1);
        g->resize(400, 300);
        g->show();
    }
    b.DragDropSettings().OleInsertRows = true;
    b.DragDropSettings().SetOleDropTarget(true);
    ASSERT_NE(b.Exchange().DropTarget(), nullptr);
    b.setCells(1, 2, QStringLiteral("stays"));
    TGridRect dropped{-1, -1, -1, -1};
    b.OnOleDropped = [&](TGridSender, TGridRect R) { dropped = R; };

    a.setSelection({0, 1, 1, 2});
    a.Exchange().DraggedRect() = a.selection();
    const std::unique_ptr<QMimeData> data(a.Exchange().CellDragData(0, 1).CreateMimeData());
    EXPECT_EQ(data->text(), QStringLiteral("3\t4\r\n\t\r\n"));
    ASSERT_TRUE(dropAt(b, data.get(), 1, 2, Qt::MoveAction));
    a.Exchange().CellDragDone(DROPEFFECT_MOVE);

    // Two rows were inserted at the drop row, the block pasted there and selected.
    EXPECT_EQ(b.cells(1, 2), QStringLiteral("3"));
    EXPECT_EQ(b.cells(2, 2), QStringLiteral("4"));
    EXPECT_EQ(b.cells(1, 4), QStringLiteral("stays"));
    EXPECT_EQ(dropped, (TGridRect{1, 2, 2, 3}));
    EXPECT_EQ(b.selection(), dropped);
    // The source lost what moved, and kept the rest.
    EXPECT_EQ(a.cells(0, 1), QString());
    EXPECT_EQ(a.cells(1, 1), QString());
    EXPECT_EQ(a.cells(2, 1), QStringLiteral("y"));

    // Data carrying no format at all is refused on entry; a header row takes no text.
    QMimeData empty;
    EXPECT_FALSE(dropAt(b, &empty, 1, 2, Qt::MoveAction));
    QMimeData text;
    text.setText(QStringLiteral("h"));
    EXPECT_FALSE(dropAt(b, &text, 1, 0, Qt::CopyAction));
    EXPECT_EQ(b.cells(1, 0), QString());
}

namespace {

// A grid with a header row whose cells can be dragged inside it, shown for real drag events.
struct DragGrid : Grid {
    DragGrid(int cols, int rows, const QStringList& texts) : Grid(cols, rows, texts)
    {
        SetFixedRows(1);
        resize(400, 300);
        show();
        DragDropSettings().SetOleDropTarget(true);
    }
    // Drags Block by a move (or Action) onto cell (c, r) of Target, ending the drag as Qt
    // reports it to the source: a refused drop as no effect.
    bool moveTo(TTxStringGrid& Target, TGridRect Block, int c, int r, Qt::DropAction Action = Qt::MoveAction)
    {
        setSelection(Block);
        Exchange().DraggedRect() = Block;
        Exchange().DroppedRect() = {-1, -1, -1, -1};
        const std::unique_ptr<QMimeData> data(Exchange().CellDragData(Block.Left, Block.Top).CreateMimeData());
        const bool taken = dropAt(Target, data.get(), c, r, Action);
        const TDropEffect done = Action == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        Exchange().CellDragDone(taken ? done : DROPEFFECT_NONE);
        Exchange().DraggedRect() = {-1, -1, -1, -1};
        return taken;
    }
};

} // namespace

TEST(GridDragInsideOneGrid, RefusedDropsKeepTheSourceAndMovesClearOnlyWhatMoved)
{
    // Editing off, as a drag source must be: the grid refuses the drop and keeps its cells.
    DragGrid a(2, 6, {"h", "h", "1", "2", "", "", "3", "4", "5", "6", "7", "8"});
    a.setOptions(a.options() & ~ui::GridOptions(ui::goEditing));
    EXPECT_FALSE(a.moveTo(a, {0, 1, 1, 1}, 0, 3));
    EXPECT_EQ(a.Column(0), (QStringList{"h", "1", "", "3", "5", "7"}));

    // Rows 3-4 onto row 1 without inserted rows: they land there and leave rows 3-4 empty.
    a.setOptions(a.options() | ui::goEditing);
    ASSERT_TRUE(a.moveTo(a, {0, 3, 1, 4}, 0, 1));
    EXPECT_EQ(a.Column(0), (QStringList{"h", "3", "5", "", "", "7"}));
    EXPECT_EQ(a.Column(1), (QStringList{"h", "4", "6", "", "", "8"}));

    // Rows 1-2 one row down, onto themselves: what landed stays, the row left behind empties.
    ASSERT_TRUE(a.moveTo(a, {0, 1, 1, 2}, 0, 2));
    EXPECT_EQ(a.Column(0), (QStringList{"h", "", "3", "5", "", "7"}));

    // Text another program drops with LF line ends lands as rows, and is selected.
    QMimeData lf;
    lf.setText(QStringLiteral("p\tq\nr\ts\n"));
    ASSERT_TRUE(dropAt(a, &lf, 0, 4, Qt::CopyAction));
    EXPECT_EQ(a.Column(0), (QStringList{"h", "", "3", "5", "p", "r"}));
    EXPECT_EQ(a.Column(1), (QStringList{"h", "", "4", "6", "q", "s"}));
    EXPECT_EQ(a.selection(), (TGridRect{0, 4, 1, 5}));
}

// A move empties its source, so it lands whole or is refused: no text ends in neither grid
// nor in both. A copy writes what fits, as a paste does.
TEST(GridDragBetweenGrids, MovesLandWholeOrNotAtAll)
{
    struct Case {
        const char* Name;
        bool IntoItself;    // dropped on the grid it came from
        bool ReadOnlyThird; // the target's third column takes no text
        bool RowsGrow;      // pasting past the last row adds rows
        Qt::DropAction Action;
        TGridRect Block;
        QPoint At;
        bool Taken;
        const char* Source; // after the drag
        const char* Target;
    };
    const char* const kept = "h,h/a,b/c,d/,";
    const char* const empty = "h,h,h/,,/,,";
    const Case cases[] = {
        {"2x2 moved over a read-only third column",
         false,
         true,
         false,
         Qt::MoveAction,
         {0, 1, 1, 2},
         {1, 1},
         false,
         kept,
         empty},
        {"copied over it: the writable cells",
         false,
         true,
         false,
         Qt::CopyAction,
         {0, 1, 1, 2},
         {1, 1},
         true,
         kept,
         "h,h,h/,a,/,c,"},
        {"2x2 moved onto the last row", false, false, false, Qt::MoveAction, {0, 1, 1, 2}, {0, 2}, false, kept, empty},
        {"there, a grid that grows takes it",
         false,
         false,
         true,
         Qt::MoveAction,
         {0, 1, 1, 2},
         {0, 2},
         true,
         "h,h/,/,/,",
         "h,h,h/,,/a,b,/c,d,"},
        {"a second line without text fits the last row",
         false,
         false,
         false,
         Qt::MoveAction,
         {0, 2, 1, 3},
         {0, 2},
         true,
         "h,h/a,b/,/,",
         "h,h,h/,,/c,d,"},
        {"2x2 moved onto its own grid's last row",
         true,
         false,
         false,
         Qt::MoveAction,
         {0, 1, 1, 2},
         {0, 3},
         false,
         kept,
         empty},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        DragGrid a(2, 4, {"h", "h", "a", "b", "c", "d", "", ""});
        DragGrid b(3, 3, {"h", "h", "h"});
        for (DragGrid* g : {&a, &b})
            g->Navigation().AllowClipboardRowGrow = k.RowsGrow;
        if (k.ReadOnlyThird)
            b.OnCanEditCell = [](TGridSender, int, int ACol, bool& CanEdit) { CanEdit = ACol != 2; };
        TTxStringGrid& target = k.IntoItself ? static_cast<TTxStringGrid&>(a) : b;
        EXPECT_EQ(a.moveTo(target, k.Block, k.At.x(), k.At.y(), k.Action), k.Taken);
        EXPECT_EQ(a.Text(), QLatin1String(k.Source));
        EXPECT_EQ(b.Text(), QLatin1String(k.Target));
    }
}

TEST(GridDragInsideOneGrid, RichTextGoesOnlyWithOneRichCell)
{
    struct RTFOff {
        ~RTFOff() { SetRTFAware(false); }
    } off;
    const QString rich = QStringLiteral("{\\rtf1\\ansi {\\b gruby}}");
    DragGrid a(3, 4, {"h", "h", "h", "1", "2", "", "3", rich, ""});
    a.DragDropSettings().SetOleDropRTF(true);

    // A 2 x 2 block goes as text and lands as a block.
    ASSERT_TRUE(a.moveTo(a, {0, 1, 1, 2}, 1, 2));
    EXPECT_EQ(a.Column(1), (QStringList{"h", "", "1", "3"}));
    EXPECT_EQ(a.Column(2), (QStringList{"h", "", "2", "gruby"}));

    // One rich cell goes as rich text, whole.
    a.setCells(0, 3, rich);
    a.setSelection({0, 3, 0, 3});
    EXPECT_TRUE(a.Exchange().CellDragData(0, 3).QueryGetData(QLatin1String(MimeRTF)));
    a.setCells(0, 1, QStringLiteral("zwykły"));
    a.setSelection({0, 1, 0, 1});
    EXPECT_FALSE(a.Exchange().CellDragData(0, 1).QueryGetData(QLatin1String(MimeRTF)));
    ASSERT_TRUE(a.moveTo(a, {0, 3, 0, 3}, 2, 1));
    EXPECT_EQ(a.cells(2, 1), rich);
    EXPECT_EQ(a.cells(0, 3), QString());
}
