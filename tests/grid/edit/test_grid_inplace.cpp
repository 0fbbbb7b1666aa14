// Inplace editing: opening by key, click and F2, committing with Return and advancing,
// cancelling with Escape, the validation hook, hidden rows and columns, the walk to the next
// editable cell and the text editor's character rules.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "platform/text/Regional.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPoint>
#include <QTest>
#include <gtest/gtest.h>

#include <tuple>

using namespace grid;
using ui::goEditing;

namespace {

// A 4 x 4 grid (one fixed row and column) with goEditing, shown so that focus works.
struct EditGrid : TTxStringGrid {
    std::function<bool(QString&)> validate;
    bool ValidateCell(QString& Value) override
    {
        return validate ? validate(Value) : TTxStringGrid::ValidateCell(Value);
    }
    EditGrid()
    {
        setColCount(4);
        setRowCount(4);
        setOptions(options() | goEditing);
        resize(400, 200);
        keyboard::showFocused(*this);
    }
    void key(int k)
    {
        QWidget* target = editorMode() ? static_cast<QWidget*>(inplaceEditor()) : this;
        QTest::keyClick(target, Qt::Key(k), Qt::NoModifier);
        QApplication::processEvents();
    }
    void type(const QString& s)
    {
        // One at a time: the first character opens the editor, the rest go to it.
        for (QChar c : s) {
            QWidget* target = editorMode() ? static_cast<QWidget*>(inplaceEditor()) : this;
            QTest::keyClicks(target, QString(c));
            QApplication::processEvents();
        }
    }
    QPoint centre(int c, int r) const
    {
        const auto rc = platformCellRect(c, r);
        return QPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    }
};

} // namespace

TEST(GridInplace, OpensByF2ClickAndTypingAndReadsTheRealColumn)
{
    EditGrid g;
    g.setCells(1, 1, QStringLiteral("a<B>b</B><BR>c"));
    g.setCells(2, 1, QStringLiteral("right"));
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("ab\r\nc")); // plain text of the tags
    g.key(Qt::Key_Escape);
    EXPECT_FALSE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("a<B>b</B><BR>c"));

    // With column 1 hidden, display column 1 is real column 2.
    g.HideColumn(1);
    g.focusCell(1, 1);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.centre(1, 1));
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("right"));
    g.key(Qt::Key_Escape);

    // A typed character opens the editor and replaces the text.
    g.type(QStringLiteral("z"));
    ASSERT_TRUE(g.editorMode());
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("z"));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("a<B>b</B><BR>c"));

    // A check box in real column 3 (display column 2) opens no text editor over it.
    g.AddCheckBox(3, 2, false, false);
    g.focusCell(2, 2);
    g.key(Qt::Key_F2);
    EXPECT_FALSE(g.editorMode());
}

TEST(GridInplace, ReturnCommitsAndAdvancesEscapeRestores)
{
    EditGrid g;
    g.Navigation().AdvanceOnEnter = true;
    int done = 0;
    g.OnEditingDone = [&](TGridSender) { ++done; };
    g.setCells(1, 1, QStringLiteral("abc"));
    g.key(Qt::Key_F2);
    g.type(QStringLiteral("x"));
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("x"));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(g.col(), 2);
    EXPECT_EQ(g.row(), 1);
    EXPECT_FALSE(g.EditActive());

    g.focusCell(1, 1);
    g.key(Qt::Key_F2);
    g.inplaceEditor()->setText(QStringLiteral("abd"));
    g.key(Qt::Key_Escape);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("x"));
    EXPECT_EQ(done, 2);

    // Escape on the grid itself gives the cell back its text from when it was selected.
    g.setCells(1, 1, QStringLiteral("changed"));
    g.key(Qt::Key_Escape);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("x"));
}

TEST(GridInplace, RefusedValueKeepsTheEditorOpenWithTheCellText)
{
    EditGrid g;
    g.validate = [](QString& v) { return v != QStringLiteral("bad"); };
    g.setCells(1, 1, QStringLiteral("old"));
    g.key(Qt::Key_F2);
    g.inplaceEditor()->setText(QStringLiteral("bad"));
    g.key(Qt::Key_Return);
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("old"));
    EXPECT_EQ(g.inplaceEditor()->cursorPosition(), 3);
    g.inplaceEditor()->setText(QStringLiteral("bad"));
    g.key(Qt::Key_Down);
    EXPECT_TRUE(g.editorMode());
    EXPECT_EQ(g.row(), 1);
    // The hook may rewrite the value it accepts.
    g.validate = [](QString& v) {
        v = v.toUpper();
        return true;
    };
    g.inplaceEditor()->setText(QStringLiteral("good"));
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("GOOD"));
}

// A floating footer sums column 1 over four rows of 1: every edit that ends, by Return, by
// Down out of the editor or by a click elsewhere, is in the footer and in the cell a change
// handler reads at once, also with a column hidden before the summed one.
TEST(GridInplace, FooterAndChangeHandlerSeeTheEditedValue)
{
    struct Case {
        const char* Name;
        bool HideFirst; // real column 1 hidden: the summed column is real column 2, displayed 1
        int Leave;      // the key that ends the edit; 0: a click on another cell
    };
    for (const Case& t : {Case{"return", false, Qt::Key_Return}, Case{"down", false, Qt::Key_Down},
                          Case{"click", false, 0}, Case{"hidden column", true, Qt::Key_Return}}) {
        SCOPED_TRACE(t.Name);
        EditGrid g;
        g.setColCount(t.HideFirst ? 4 : 3);
        g.setRowCount(6);
        const int sum = t.HideFirst ? 2 : 1;
        g.FloatingFooter().SetVisible(true);
        g.FloatingFooter().SetColumnCalc(sum, acSUM);
        for (int r = 1; r <= 4; ++r)
            g.setCells(sum, r, QStringLiteral("1"));
        if (t.HideFirst)
            g.HideColumn(1);
        g.CalcFooter(-1);
        ASSERT_DOUBLE_EQ(g.GetFloats(sum, 5), 4);
        QStringList seen;
        g.OnCellsChanged = [&](TGridSender, TRect R) { seen << g.cells(R.Left, R.Top); };
        // Two edits one after the other: each is in the footer at once, not one edit late.
        for (const auto& [r, text, want] : {std::tuple{2, "10", 13.0}, std::tuple{3, "5", 17.0}}) {
            g.focusCell(1, r);
            g.type(QString::fromLatin1(text));
            if (t.Leave)
                g.key(t.Leave);
            else
                QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.centre(2, 4));
            EXPECT_EQ(g.cells(sum, r), QString::fromLatin1(text));
            EXPECT_DOUBLE_EQ(g.GetFloats(sum, 5), want);
        }
        EXPECT_EQ(seen, (QStringList{"10", "5"}));
    }
}

TEST(GridInplace, EditsTheDisplayedRowWhileRowsAreHidden)
{
    EditGrid g;
    for (int r = 1; r < 4; ++r)
        g.setCells(1, r, QString::number(r));
    g.HideRow(2);
    g.focusCell(1, 2); // shows real row 3
    EXPECT_EQ(g.RemapRowInv(2), 3);
    g.key(Qt::Key_F2);
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("3"));
    g.inplaceEditor()->setText(QStringLiteral("three"));
    g.key(Qt::Key_Return);
    g.UnHideRows(2, 2);
    EXPECT_EQ(g.cells(1, 2), QStringLiteral("2"));
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("three"));
}

TEST(GridInplace, ReadOnlyCellSwitchesEditingOffUntilTheNextEditableCell)
{
    EditGrid g;
    g.OnCanEditCell = [](TGridSender, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 2 && ARow == 1); };
    g.focusCell(2, 1);
    EXPECT_FALSE(g.options() & goEditing);
    g.key(Qt::Key_F2);
    EXPECT_FALSE(g.editorMode());
    g.focusCell(3, 1);
    EXPECT_TRUE(g.options() & goEditing);
}

// Return in the last data cell with AdvanceInsert adds the row before the footer row (the
// column before the right fixed column): the footer keeps its texts and the event gets the
// new row (column).
TEST(GridInplace, AdvanceInsertAddsBeforeTheFooters)
{
    for (const bool down : {false, true}) {
        EditGrid g;
        g.Navigation().AdvanceOnEnter = true;
        g.Navigation().AdvanceInsert = true;
        int added = -1;
        if (down) {
            g.Navigation().AdvanceDirection = adTopBottom;
            g.SetFixedRightCols(1);
            g.setCells(3, 0, QStringLiteral("Razem"));
            g.setCells(3, 1, QStringLiteral("10"));
            g.OnAutoInsertCol = [&](TGridSender, int ACol) { added = ACol; };
            g.focusCell(2, 3);
        } else {
            g.setColCount(3);
            g.setRowCount(5);
            g.SetFixedFooters(1);
            g.setCells(0, 4, QStringLiteral("Suma"));
            g.setCells(1, 4, QStringLiteral("99"));
            g.OnAutoAddRow = [&](TGridSender, int ARow) { added = ARow; };
            g.focusCell(2, 3);
        }
        g.key(Qt::Key_F2);
        ASSERT_TRUE(g.editorMode()) << down;
        g.inplaceEditor()->setText(QStringLiteral("7"));
        g.key(Qt::Key_Return);
        // The grid's new size, the event's index, the footer's label and value and the cell the
        // value left (column, row), and the cursor.
        struct TAfter {
            int Count, Added;
            QPoint Label, Value, Left, Cursor;
            const char *LabelText, *ValueText;
        };
        const TAfter want = down ? TAfter{5, 3, {4, 0}, {4, 1}, {3, 1}, {3, 1}, "Razem", "10"}
                                 : TAfter{6, 4, {0, 5}, {1, 5}, {1, 4}, {1, 4}, "Suma", "99"};
        EXPECT_EQ(down ? g.colCount() : g.rowCount(), want.Count) << down;
        EXPECT_EQ(added, want.Added) << down;
        EXPECT_EQ(g.cells(want.Label.x(), want.Label.y()), QString::fromLatin1(want.LabelText)) << down;
        EXPECT_EQ(g.cells(want.Value.x(), want.Value.y()), QString::fromLatin1(want.ValueText)) << down;
        EXPECT_EQ(g.cells(want.Left.x(), want.Left.y()), QString()) << down;
        EXPECT_EQ(QPoint(g.col(), g.row()), want.Cursor) << down;
        EXPECT_EQ(g.cells(2, 3), QStringLiteral("7"));
    }
}

TEST(GridInplace, AdvanceWrapsInsertsSkipsSpansAndEndsWhenNothingIsEditable)
{
    EditGrid g;
    // Forward from the last normal cell wraps to the first.
    g.focusCell(3, 3);
    g.AdvanceEdit(3, 3, true, false, true);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);

    // With AdvanceInsert and the row allowed, a row is added and reported.
    g.Navigation().AdvanceInsert = true;
    int added = -1;
    g.OnAutoAddRow = [&](TGridSender, int ARow) { added = ARow; };
    g.focusCell(3, 3);
    g.AdvanceEdit(3, 3, true, false, true);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(added, 4);
    EXPECT_EQ(g.row(), 4);
    g.Navigation().AdvanceInsert = false;
    g.setRowCount(4);

    // Backward top to bottom from the first row of column 2 goes to the last row of column 1.
    g.Navigation().AdvanceDirection = adTopBottom;
    g.focusCell(2, 1);
    g.AdvanceEdit(2, 1, false, false, true);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 3);
    g.Navigation().AdvanceDirection = adLeftRight;

    // A merged block of three columns is stepped over whole.
    g.setColCount(6);
    g.MergeCells(1, 2, 3, 1);
    g.focusCell(1, 2);
    g.AdvanceEdit(1, 2, true, false, true);
    EXPECT_EQ(g.col(), 4);
    EXPECT_EQ(g.row(), 2);

    // Without AdvanceOnEnter and without Force nothing moves.
    g.AdvanceEdit(4, 2, true, false, false);
    EXPECT_EQ(g.col(), 4);

    // Nothing editable: the walk ends where it started.
    g.OnCanEditCell = [](TGridSender, int, int, bool& CanEdit) { CanEdit = false; };
    g.AdvanceEdit(4, 2, true, true, true);
    EXPECT_EQ(g.col(), 4);
    EXPECT_EQ(g.row(), 2);
    EXPECT_FALSE(g.editorMode());
}

TEST(GridInplace, CharacterRulesOfTheTextEditor)
{
    const auto verdict = [](TEditorType t, const QString& text, int caret, int selStart, int selLen, char c) {
        QChar ch = QLatin1Char(c);
        return FilterEditChar(t, text, caret, selStart, selLen, ch);
    };
    // A second decimal mark is dropped, a misplaced minus beeps, a selected minus may be replaced.
    EXPECT_EQ(verdict(edFloat, QStringLiteral("1,5"), 3, 3, 0, '.'), TCharVerdict::Drop);
    EXPECT_EQ(verdict(edFloat, QStringLiteral("1,5"), 2, 2, 0, '-'), TCharVerdict::Beep);
    EXPECT_EQ(verdict(edFloat, QStringLiteral("-3"), 0, 0, 1, '-'), TCharVerdict::Accept);
    EXPECT_EQ(verdict(edFloat, QStringLiteral("1,5"), 0, 0, 3, '.'), TCharVerdict::Accept); // mark inside the selection
    EXPECT_EQ(verdict(edFloat, QStringLiteral("1"), 1, 1, 0, 'x'), TCharVerdict::Drop);
    EXPECT_EQ(verdict(edNumeric, QStringLiteral("12"), 0, 0, 0, '-'), TCharVerdict::Accept);
    EXPECT_EQ(verdict(edNumeric, QStringLiteral("-12"), 0, 0, 0, '-'), TCharVerdict::Beep);
    EXPECT_EQ(verdict(edPositiveNumeric, QString(), 0, 0, 0, '-'), TCharVerdict::Beep);
    QChar up = QChar(0x0105); // ą
    EXPECT_EQ(FilterEditChar(edUpperCase, QString(), 0, 0, 0, up), TCharVerdict::Accept);
    EXPECT_EQ(up, QChar(0x0104));

    // Through the editor: a length limit of 5 drops the sixth character, Backspace still
    // works, and Return commits only with AdvanceOnEnter.
    EditGrid g;
    g.MaxEditLength = 5;
    g.OnGetEditorType = [](TGridSender, int, int, TEditorType& e) { e = edNumeric; };
    g.type(QStringLiteral("12a345"));
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("12345"));
    EXPECT_EQ(g.GetInplaceEditor()->BeepCount(), 1);
    g.type(QStringLiteral("6"));
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("12345"));
    g.key(Qt::Key_Return);
    EXPECT_TRUE(g.editorMode());
    g.key(Qt::Key_Backspace);
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("1234"));
    g.key(Qt::Key_Return);
    EXPECT_FALSE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("1234"));
}

TEST(GridInplace, PasteKeypadSeparatorAndCursorWalk)
{
    QString r;
    EXPECT_FALSE(PasteResult(edNumeric, 0, QStringLiteral("12"), 2, 0, QStringLiteral("a"), r));
    EXPECT_TRUE(PasteResult(edNumeric, 0, QStringLiteral("12"), 1, 0, QStringLiteral("34"), r));
    EXPECT_EQ(r, QStringLiteral("1342"));
    EXPECT_FALSE(PasteResult(edNormal, 5, QStringLiteral("abcd"), 4, 0, QStringLiteral("ef"), r)); // past the limit
    EXPECT_TRUE(
        PasteResult(edNormal, 5, QStringLiteral("abcd"), 0, 4, QStringLiteral("efgh"), r)); // over the selection
    EXPECT_TRUE(PasteResult(edUpperCase, 0, QString(), 0, 0, QStringLiteral("żółw"), r));
    EXPECT_EQ(r, QStringLiteral("ŻÓŁW"));

    EditGrid g;
    g.ExcelStyleDecimalSeparator = true;
    g.key(Qt::Key_F2);
    QTest::keyClick(g.inplaceEditor(), Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(g.inplaceEditor(), Qt::Key_Period);
    EXPECT_EQ(g.inplaceEditor()->text(), QString(text::decimalSeparator()) + QStringLiteral("."));

    // Right at the end of the text walks to the next cell with its editor open.
    g.Navigation().CursorWalkEditor = true;
    g.inplaceEditor()->end(false);
    g.key(Qt::Key_Right);
    EXPECT_EQ(g.col(), 2);
    EXPECT_TRUE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QString(text::decimalSeparator()) + QStringLiteral("."));
}

// With LineFeedOnEnter, Ctrl+Return types a line break into a text cell, never into a number;
// without it the key types nothing.
TEST(GridInplace, CtrlReturnTypesALineBreakWithLineFeedOnEnter)
{
    struct Case {
        bool lineFeed;
        TEditorType type;
        const char* expected;
    };
    const Case cases[] = {
        {true, edNormal, "12\r\n34"},
        {false, edNormal, "1234"},
        {true, edNumeric, "1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type) * 10 + c.lineFeed);
        EditGrid g;
        g.Multilinecells = true;
        g.Navigation().LineFeedOnEnter = c.lineFeed;
        g.OnGetEditorType = [&c](TGridSender, int, int, TEditorType& e) { e = c.type; };
        g.setCells(1, 1, QStringLiteral("12"));
        // Text goes to the editor of lines, a number to the one-line editor.
        g.key(Qt::Key_F2);
        ASSERT_TRUE(g.EditActive());
        QWidget* editor = g.editorMode() ? g.inplaceEditor() : QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(g.EditActive());
        QTest::keyClicks(editor, QStringLiteral("34"));
        QTest::keyClick(editor, Qt::Key_Down); // on the last line: leaves
        QApplication::processEvents();
        EXPECT_EQ(g.cells(1, 1), QString::fromLatin1(c.expected)) << c.lineFeed << " " << c.type;
    }
}

// With CaretPositioning the click that opens the editor puts the caret under the mouse, in the
// text editor and in an editable combo; without it the text editor opens with its text selected.
TEST(GridInplace, TheClickThatOpensAnEditorPlacesTheCaretUnderTheMouse)
{
    for (TEditorType type : {edNormal, edComboEdit})
        for (bool place : {false, true}) {
            EditGrid g;
            g.setColWidths(1, 160);
            g.MouseActions().CaretPositioning = place;
            g.OnGetEditorType = [type](TGridSender, int, int, TEditorType& e) { e = type; };
            g.setCells(1, 1, QStringLiteral("abcdefghijkl"));
            g.focusCell(1, 1);
            const QPoint at(g.platformCellRect(1, 1).Left + 25, g.centre(1, 1).y());
            QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, at);
            QLineEdit* ed = type == edNormal ? g.inplaceEditor() : g.GetComboBox()->lineEdit();
            ASSERT_TRUE(ed && ed->isVisible()) << type;
            const int under = ed->cursorPositionAt(ed->mapFrom(g.viewport(), at));
            ASSERT_GT(under, 0);
            ASSERT_LT(under, 12);
            if (place) {
                EXPECT_FALSE(ed->hasSelectedText()) << type;
                EXPECT_EQ(ed->cursorPosition(), under) << type;
            } else if (type == edNormal) {
                EXPECT_EQ(ed->selectedText(), QStringLiteral("abcdefghijkl"));
            }
        }
}

// A merged block is edited through its base: a press anywhere on it makes the base current,
// the text editor and the controls open over the whole block with the base's text and write
// the base, and the base answers whether any part of the block may be edited.
TEST(GridInplace, AMergedBlockIsEditedThroughItsBase)
{
    for (const TEditorType type : {edNormal, edEditBtn}) {
        SCOPED_TRACE(int(type));
        EditGrid g;
        g.setColCount(5);
        g.setRowCount(6);
        g.OnGetEditorType = [type](TGridSender, int, int, TEditorType& e) { e = type; };
        g.setCells(1, 2, QStringLiteral("A"));
        g.setCells(1, 3, QStringLiteral("A"));
        g.MergeColumnCells(1, true);
        const auto block = g.CellRect(1, 2);

        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.centre(1, 3)); // the lower half
        EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(1, 2));
        g.key(Qt::Key_F2);
        QWidget* editor = type == edNormal ? static_cast<QWidget*>(g.inplaceEditor()) : g.EditControlOf(type);
        ASSERT_TRUE(editor && editor->isVisible());
        EXPECT_EQ(editor->height(), block.height() - 1);
        EXPECT_EQ(qobject_cast<QLineEdit*>(editor) ? qobject_cast<QLineEdit*>(editor)->text()
                                                   : static_cast<TGridEditBtn*>(editor)->text(),
                  QStringLiteral("A"));
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClicks(editor, QStringLiteral("B"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(g.cells(1, 2), QStringLiteral("AB"));
        EXPECT_EQ(g.cells(1, 3), QStringLiteral("A"));

        // Read-only at the base: the whole block is.
        g.OnCanEditCell = [](TGridSender, int ARow, int ACol, bool& CanEdit) { CanEdit = !(ACol == 1 && ARow == 2); };
        EXPECT_FALSE(g.IsEditable(1, 2));
        EXPECT_FALSE(g.IsEditable(1, 3));
        EXPECT_TRUE(g.IsEditable(2, 3));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.centre(2, 4));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.centre(1, 3));
        g.key(Qt::Key_F2);
        EXPECT_FALSE(g.EditActive());
        EXPECT_EQ(g.cells(1, 2), QStringLiteral("AB"));
    }
}
