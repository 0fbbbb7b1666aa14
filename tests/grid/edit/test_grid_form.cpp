// The grid's editors in a window beside other controls, as a user meets them: an edit ends
// when the focus goes to another control or the window closes, the rich-text editor's keys,
// the text editor's line breaks, sizing while typing and edit masks, and the one rule for
// which cells may be edited.
#include "grid/columngrid/TxColumnGrid.h"
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/text/TxgridRTF.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace grid;

namespace {

// A window holding a grid (5 x 5, one fixed row and column, editing on, Return moving on to
// the right) and a line edit below it, shown with the grid focused on cell (2, 2).
template <class Grid = TTxStringGrid>
struct Form {
    QWidget window;
    Grid* g = new Grid(&window);
    QLineEdit* other = new QLineEdit(&window);
    explicit Form(TEditorType Type = edNormal)
    {
        window.resize(520, 280);
        g->setGeometry(0, 0, 500, 200);
        other->setGeometry(0, 220, 200, 24);
        g->setColCount(5);
        g->setRowCount(5);
        g->setOptions(g->options() | ui::goEditing);
        g->Navigation().AdvanceOnEnter = true;
        g->OnGetEditorType = [Type](TGridSender, int, int, TEditorType& e) { e = Type; };
        keyboard::showFocused(window);
        g->setFocus();
        g->focusCell(2, 2);
    }
    void key(int k, Qt::KeyboardModifiers m = {}) { keyboard::key(*g, k, m); }
    void type(const QString& s) { keyboard::type(*g, s); }
    QString plain(int c, int r) const { return RichTextToPlain(g->cells(c, r)); }
    QTextEdit* rich() const { return static_cast<QTextEdit*>(g->EditControlOf(edRichEdit)); }
    QPlainTextEdit* lines() const { return g->template findChild<QPlainTextEdit*>(QStringLiteral("MemoEditCell")); }
};

} // namespace

// Typed text reaches the cell when the focus goes to another control of the window, and when
// the window closes with the edit open: for the text editor, the combo and the rich-text
// editor alike.
TEST(GridForm, AnEditCommitsWhenTheFocusGoesElsewhereOrTheWindowCloses)
{
    struct Case {
        TEditorType type;
        QString text;
    };
    const Case cases[] = {
        {edNormal, QStringLiteral("start")},
        {edComboEdit, QStringLiteral("start")},
        {edRichEdit, QStringLiteral("{\\rtf1\\ansi start}")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type));
        Form f(c.type);
        f.g->setCells(2, 2, c.text);
        f.key(Qt::Key_F2);
        ASSERT_TRUE(f.g->EditActive());
        f.key(Qt::Key_Right); // after the whole text, which the editor opens selected
        f.type(QStringLiteral("ADD"));
        QTest::mouseClick(f.other, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_TRUE(f.other->hasFocus());
        EXPECT_FALSE(f.g->EditActive());
        EXPECT_EQ(f.plain(2, 2), QStringLiteral("startADD"));

        f.g->setFocus();
        f.key(Qt::Key_F2);
        ASSERT_TRUE(f.g->EditActive());
        f.key(Qt::Key_Right);
        f.type(QStringLiteral("X"));
        f.window.close();
        QApplication::processEvents();
        EXPECT_FALSE(f.g->EditActive());
        EXPECT_EQ(f.plain(2, 2), QStringLiteral("startADDX"));
    }
}

// The rich-text editor leaves by the keys every editor leaves by; LineFeedOnEnter makes
// Return a paragraph break, and Ctrl+Return is one always.
TEST(GridForm, RichEditorLeavesByReturnTabAndEscapeAndBreaksLinesByCtrlReturn)
{
    struct Case {
        const char* name;
        std::function<void(Form<>&)> setup;
        int key;
        Qt::KeyboardModifiers mods;
        bool open;      // an editor is open afterwards (Return opens the next cell's)
        QString plain;  // the cell's text afterwards (the editor's, while it stays on the cell)
        QPoint current; // the current cell afterwards
        bool otherFocused = false;
    };
    const QString typed = QStringLiteral("startADD");
    const Case cases[] = {
        {"Return commits and moves on", {}, Qt::Key_Return, {}, true, typed, {3, 2}},
        {"Tab moves to the next cell",
         [](Form<>& f) { f.g->setOptions(f.g->options() | ui::goTabs); },
         Qt::Key_Tab,
         {},
         false,
         typed,
         {3, 2}},
        {"Tab without goTabs goes to the next control", {}, Qt::Key_Tab, {}, false, typed, {2, 2}, true},
        {"Escape cancels", {}, Qt::Key_Escape, {}, false, QStringLiteral("start"), {2, 2}},
        {"LineFeedOnEnter: Return breaks the line",
         [](Form<>& f) { f.g->Navigation().LineFeedOnEnter = true; },
         Qt::Key_Return,
         {},
         true,
         QStringLiteral("startADD\n"),
         {2, 2}},
        {"Ctrl+Return breaks the line",
         {},
         Qt::Key_Return,
         Qt::ControlModifier,
         true,
         QStringLiteral("startADD\n"),
         {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form f(edRichEdit);
        f.g->setCells(2, 2, QStringLiteral("{\\rtf1\\ansi start}"));
        if (c.setup)
            c.setup(f);
        f.key(Qt::Key_F2);
        f.key(Qt::Key_End, Qt::ControlModifier);
        f.type(QStringLiteral("ADD"));
        f.key(c.key, c.mods);
        EXPECT_EQ(f.g->EditActive(), c.open);
        const bool onCell = c.open && c.current == QPoint(2, 2);
        EXPECT_EQ(onCell ? f.rich()->toPlainText() : f.plain(2, 2), c.plain);
        EXPECT_EQ(QPoint(f.g->col(), f.g->row()), c.current);
        EXPECT_EQ(f.other->hasFocus(), c.otherFocused);
    }
}

// The text editor: with LineFeedOnEnter Return types a line break; sizing while typing fits
// the column to the typed text, the row to wrapped or broken lines; a filled mask moves on.
TEST(GridForm, TextEditorBreaksLinesSizesWhileTypingAndAdvancesOnAFilledMask)
{
    {
        Form f;
        f.g->Navigation().LineFeedOnEnter = true;
        f.g->Multilinecells = true;
        f.g->setCells(2, 2, QStringLiteral("abc"));
        f.key(Qt::Key_F2);
        f.key(Qt::Key_End);
        f.key(Qt::Key_Return);
        ASSERT_TRUE(f.g->EditActive());
        EXPECT_EQ(f.lines()->toPlainText(), QStringLiteral("abc\n"));
        EXPECT_EQ(f.g->cells(2, 2), QStringLiteral("abc"));

        // With SizeWhileTyping.Height the row takes the lines a line break makes.
        f.g->SizeWhileTyping().Height = true;
        const int oneLine = f.g->rowHeights(2);
        f.type(QStringLiteral("d"));
        f.key(Qt::Key_Return, Qt::ControlModifier);
        EXPECT_EQ(f.lines()->toPlainText(), QStringLiteral("abc\nd\n"));
        EXPECT_GT(f.g->rowHeights(2), oneLine);
        EXPECT_EQ(f.lines()->height(), f.g->rowHeights(2) - 1); // the editor grows with its row
    }
    {
        Form f;
        f.g->SizeWhileTyping().Width = true;
        const int narrow = f.g->colWidths(2);
        f.key(Qt::Key_F2);
        f.type(QStringLiteral("a rather long text typed into a narrow column"));
        EXPECT_TRUE(f.g->editorMode());
        EXPECT_GT(f.g->colWidths(2), narrow + 100);
        EXPECT_GE(f.g->inplaceEditor()->width(), f.g->colWidths(2) - 2); // the editor follows its cell
        f.key(Qt::Key_Return);
        EXPECT_EQ(f.g->cells(2, 2), QStringLiteral("a rather long text typed into a narrow column"));
    }
    {
        Form f;
        f.g->SizeWhileTyping().Height = true;
        f.g->WordWrap = true;
        const int oneLine = f.g->rowHeights(2);
        f.key(Qt::Key_F2);
        f.type(QStringLiteral("words that wrap in a narrow cell"));
        EXPECT_GT(f.g->rowHeights(2), oneLine);
    }
    {
        // The column grid's mask reaches the text editor: the first place is selected, and the
        // last digit typed moves on as Return does.
        Form<TTxColumnGrid> f;
        f.g->Columns().Items(2)->EditMask = QStringLiteral("999");
        f.g->Navigation().ImproveMaskSel = true;
        f.g->Navigation().AdvanceAuto = true;
        f.key(Qt::Key_F2);
        ASSERT_TRUE(f.g->editorMode());
        EXPECT_EQ(f.g->inplaceEditor()->selectionStart(), 0);
        EXPECT_EQ(f.g->inplaceEditor()->selectionLength(), 1);
        f.type(QStringLiteral("12"));
        EXPECT_TRUE(f.g->editorMode());
        f.type(QStringLiteral("3"));
        EXPECT_FALSE(f.g->editorMode());
        EXPECT_EQ(f.g->cells(2, 2), QStringLiteral("123"));
        EXPECT_EQ(f.g->col(), 3);
    }
}

// One rule says which cells may be edited, for editing and for the mouse alike: a footer row,
// a right fixed column and a column its hook calls fixed (asked by its real column) are not.
TEST(GridForm, OneRuleForEditableCellsServesEditingAndTheMouse)
{
    Form f;
    f.g->setColCount(6);
    f.g->setRowCount(6);
    f.g->SetFixedRightCols(1);
    f.g->SetFixedFooters(1);
    f.g->OnIsFixedCell = [](TTxStringGrid&, int, int ACol, bool& Fixed) { Fixed = ACol == 3; };
    f.g->HideColumn(2); // display column 2 is now real column 3
    const int footer = f.g->rowCount() - 1, right = f.g->colCount() - 1;
    f.g->AddCheckBox(1, footer, false, false);
    f.g->AddCheckBox(f.g->RemapCol(right), 2, false, false);
    f.g->AddCheckBox(3, 2, false, false);
    for (const QPoint cell : {QPoint(1, footer), QPoint(right, 2), QPoint(2, 2)}) {
        SCOPED_TRACE(cell.x() * 10 + cell.y());
        EXPECT_FALSE(f.g->IsEditable(cell.x(), cell.y()));
        const TRect rc = f.g->platformCellRect(cell.x(), cell.y());
        QTest::mouseClick(f.g->viewport(), Qt::LeftButton, {}, rc.toQRect().center());
        bool state = true;
        f.g->GetCheckBoxState(f.g->RemapCol(cell.x()), cell.y(), state);
        EXPECT_FALSE(state);
    }
    // Return walks past the column the hook calls fixed to the next editable one.
    f.g->focusCell(1, 1);
    f.key(Qt::Key_F2);
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.g->col(), 3);
    EXPECT_TRUE(f.g->IsEditable(3, 1));
}

// With goTabs Shift+Tab leaves every editor one cell to the left, the edit committed; the date
// editor leaves by its first Tab as the others do.
TEST(GridForm, ShiftTabLeavesEveryEditorToTheLeftAndTabTheDateEditor)
{
    struct Case {
        TEditorType type;
        int key;
        int col; // the current column afterwards
    };
    const Case cases[] = {
        {edNormal, Qt::Key_Backtab, 1},   {edComboEdit, Qt::Key_Backtab, 1}, {edComboList, Qt::Key_Backtab, 1},
        {edSpinEdit, Qt::Key_Backtab, 1}, {edEditBtn, Qt::Key_Backtab, 1},   {edUnitEditBtn, Qt::Key_Backtab, 1},
        {edRichEdit, Qt::Key_Backtab, 1}, {edDateEdit, Qt::Key_Backtab, 1},  {edDateEdit, Qt::Key_Tab, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type) * 100 + c.key % 100);
        Form f(c.type);
        f.g->setOptions(f.g->options() | ui::goTabs);
        const QString text = c.type == edDateEdit ? QStringLiteral("2026-12-11")
            : c.type == edRichEdit                ? QStringLiteral("{\\rtf1\\ansi 7}")
                                                  : QStringLiteral("7");
        f.g->setCells(2, 2, text);
        if (c.type == edComboList)
            f.g->GetComboBox()->addItem(text);
        f.key(Qt::Key_F2);
        ASSERT_TRUE(f.g->EditActive());
        f.key(c.key, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_FALSE(f.g->EditActive());
        EXPECT_EQ(QPoint(f.g->col(), f.g->row()), QPoint(c.col, 2));
        EXPECT_EQ(c.type == edRichEdit ? f.plain(2, 2) : f.g->cells(2, 2), c.type == edRichEdit ? "7" : text);
    }
}

// Escape gives the cell its text back and its column and row the sizes typing gave them.
TEST(GridForm, EscapeGivesBackTheSizesTypingChanged)
{
    for (const bool width : {true, false}) {
        SCOPED_TRACE(width);
        Form f;
        (width ? f.g->SizeWhileTyping().Width : f.g->SizeWhileTyping().Height) = true;
        f.g->WordWrap = !width;
        const int w = f.g->colWidths(2), h = f.g->rowHeights(2);
        f.key(Qt::Key_F2);
        f.type(QStringLiteral("a rather long text typed into a narrow column"));
        EXPECT_TRUE(width ? f.g->colWidths(2) > w : f.g->rowHeights(2) > h);
        f.key(Qt::Key_Escape);
        EXPECT_FALSE(f.g->EditActive());
        EXPECT_EQ(f.g->cells(2, 2), QString());
        EXPECT_EQ(f.g->colWidths(2), w);
        EXPECT_EQ(f.g->rowHeights(2), h);
    }
}

// Keys that work on rows or cells past the edited one take the edit to its own cell first:
// Insert adds the row under a committed edit, and Tab out of a merged block moves past it as
// Tab on the grid does.
TEST(GridForm, InsertAndTabInAnOpenEditorWorkAfterTheEditIsInItsCell)
{
    {
        Form f;
        f.g->Navigation().AllowInsertRow = true;
        f.g->setCells(2, 2, QStringLiteral("old"));
        f.key(Qt::Key_F2);
        f.type(QStringLiteral("new"));
        f.key(Qt::Key_Insert);
        EXPECT_FALSE(f.g->editorMode());
        EXPECT_EQ(f.g->rowCount(), 6);
        EXPECT_EQ(f.g->cells(2, 2), QString()); // the row added before the edited one
        EXPECT_EQ(f.g->cells(2, 3), QStringLiteral("new"));
    }
    {
        Form f;
        f.g->setOptions(f.g->options() | ui::goTabs);
        f.g->MergeCells(1, 2, 2, 1); // columns 1 and 2 of row 2
        f.g->focusCell(1, 2);
        f.key(Qt::Key_F2);
        f.type(QStringLiteral("x"));
        f.key(Qt::Key_Tab);
        EXPECT_FALSE(f.g->editorMode());
        EXPECT_EQ(f.g->cells(1, 2), QStringLiteral("x"));
        EXPECT_EQ(QPoint(f.g->col(), f.g->row()), QPoint(3, 2));
    }
}

// Where cells hold lines the text editor edits them as lines over the cell: Up and Down move
// between them inside the editor and leave it from the first and the last line; the text
// editor's other settings hold in it.
TEST(GridForm, CellsOfLinesAreEditedAsLines)
{
    Form f;
    f.g->Multilinecells = true;
    f.g->Navigation().LineFeedOnEnter = true;
    f.g->setRowHeights(2, 40);
    f.type(QStringLiteral("ab")); // the first character opens the editor and arrives in it
    QPlainTextEdit* e = f.lines();
    ASSERT_TRUE(e && e->hasFocus());
    EXPECT_FALSE(f.g->editorMode()); // not the one-line editor
    const TRect cell = f.g->CellRect(2, 2);
    EXPECT_EQ(e->geometry(), QRect(cell.Left, cell.Top, cell.width() - 1, cell.height() - 1));
    f.key(Qt::Key_Return);
    f.type(QStringLiteral("cd"));
    EXPECT_EQ(e->blockCount(), 2);
    f.key(Qt::Key_Up);
    EXPECT_TRUE(f.g->EditActive());
    EXPECT_EQ(e->textCursor().blockNumber(), 0);
    f.key(Qt::Key_Down);
    EXPECT_TRUE(f.g->EditActive());
    EXPECT_EQ(e->textCursor().blockNumber(), 1);
    f.key(Qt::Key_Down); // from the last line: committed, the cursor moves
    EXPECT_FALSE(f.g->EditActive());
    EXPECT_EQ(f.g->cells(2, 2), QStringLiteral("ab\r\ncd"));
    EXPECT_EQ(QPoint(f.g->col(), f.g->row()), QPoint(2, 3));

    // An edit of lines opens with the cell's lines; Up on the first line leaves upwards.
    f.key(Qt::Key_Up);
    f.key(Qt::Key_F2);
    ASSERT_TRUE(f.g->EditActive());
    EXPECT_EQ(e->toPlainText(), QStringLiteral("ab\ncd"));
    f.key(Qt::Key_Home, Qt::ControlModifier);
    f.key(Qt::Key_Up);
    EXPECT_FALSE(f.g->EditActive());
    EXPECT_EQ(QPoint(f.g->col(), f.g->row()), QPoint(2, 1));

    // The case filter, the length limit, look-up, Escape and the walk out at the end.
    f.g->OnGetEditorType = [](TGridSender, int, int, TEditorType& t) { t = edUpperCase; };
    f.g->MaxEditLength = 4;
    f.g->Lookup = true;
    f.g->SetLookupItems({QStringLiteral("XYZW")});
    f.key(Qt::Key_F2);
    f.type(QStringLiteral("x"));
    EXPECT_EQ(e->toPlainText(), QStringLiteral("XYZW")); // completed from the look-up items
    f.key(Qt::Key_End);
    f.type(QStringLiteral("q"));
    EXPECT_EQ(e->toPlainText(), QStringLiteral("XYZW")); // full
    f.key(Qt::Key_Escape);
    EXPECT_FALSE(f.g->EditActive());
    EXPECT_EQ(f.g->cells(2, 1), QString());
    f.g->Navigation().CursorWalkEditor = true;
    f.key(Qt::Key_F2);
    f.type(QStringLiteral("z"));
    f.key(Qt::Key_Right);
    EXPECT_EQ(f.g->cells(2, 1), QStringLiteral("Z"));
    EXPECT_EQ(QPoint(f.g->col(), f.g->row()), QPoint(3, 1));
    EXPECT_TRUE(f.g->EditActive()); // the next cell's editor

    // The length limit counts a line break as the cell holds it, CR LF.
    Form l;
    l.g->Multilinecells = true;
    l.g->Navigation().LineFeedOnEnter = true;
    l.g->MaxEditLength = 5;
    l.type(QStringLiteral("ab"));
    l.key(Qt::Key_Return);
    l.type(QStringLiteral("cd"));
    EXPECT_EQ(l.lines()->toPlainText(), QStringLiteral("ab\nc"));
    // A paste too: after "a", a break and "b" (4 in the cell) "cd" would make it 6.
    l.key(Qt::Key_A, Qt::ControlModifier);
    l.key(Qt::Key_Delete);
    l.type(QStringLiteral("a"));
    l.key(Qt::Key_Return);
    l.type(QStringLiteral("b"));
    QApplication::clipboard()->setText(QStringLiteral("cd"));
    l.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(l.lines()->toPlainText(), QStringLiteral("a\nb"));
    QApplication::clipboard()->setText(QStringLiteral("c"));
    l.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(l.lines()->toPlainText(), QStringLiteral("a\nbc"));
}
