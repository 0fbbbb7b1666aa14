// The editor controls over a cell: how each opens from the cell, one key behaviour of each
// kind, and where the value goes when it closes.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridRichEdit.h"
#include "grid/text/TxgridRTF.h"
#include "grid/controls/TxgridError.h"
#include "platform/text/Dates.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Modal.h"
#include "support/Keyboard.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QCalendarWidget>
#include <QTextEdit>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace grid;

namespace {

struct EditorGrid : TTxStringGrid {
    std::function<bool(QString&)> validate;
    bool ValidateCell(QString& Value) override { return validate ? validate(Value) : true; }
    explicit EditorGrid(TEditorType Type)
    {
        setColCount(5);
        setRowCount(5);
        setOptions(options() | ui::goEditing);
        OnGetEditorType = [Type](TGridSender, int, int, TEditorType& e) { e = Type; };
        resize(500, 200);
        keyboard::showFocused(*this);
        focusCell(2, 2);
    }
    void key(int k) { keyboard::key(*this, k); }
    void type(const QString& s)
    {
        QTest::keyClicks(keyboard::focused(*this), s);
        QApplication::processEvents();
    }
};

} // namespace

TEST(GridEditors, SpinOpensFromTheRealColumnStepsToItsBoundAndCommits)
{
    EditorGrid g(edSpinEdit);
    g.setCells(2, 2, QStringLiteral("7"));
    g.setCells(3, 2, QStringLiteral("99"));
    g.HideColumn(2); // display column 2 is now real column 3

    // The typed digit opens the spin and arrives in it.
    g.type(QStringLiteral("5"));
    TGridSpin* spin = g.GetSpinEdit();
    ASSERT_TRUE(spin->isVisible());
    EXPECT_EQ(spin->text(), QStringLiteral("5"));
    g.key(Qt::Key_Escape);
    EXPECT_FALSE(spin->isVisible());
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("99"));

    std::vector<std::pair<int, bool>> clicks;
    g.OnSpinClick = [&](TGridSender, int, int, int v, bool up) { clicks.emplace_back(v, up); };
    g.key(Qt::Key_F2);
    ASSERT_TRUE(spin->isVisible());
    g.key(Qt::Key_PageUp);
    EXPECT_EQ(spin->Value(), 100);
    g.key(Qt::Key_PageUp);
    EXPECT_EQ(spin->Value(), 100);
    g.key(Qt::Key_End);
    EXPECT_EQ(spin->Value(), 0);
    g.key(Qt::Key_Home);
    EXPECT_EQ(spin->Value(), 100);
    const std::vector<std::pair<int, bool>> want = {{100, true}, {100, true}, {0, false}, {100, true}};
    EXPECT_EQ(clicks, want);

    // A refused value keeps the editor open with the cell's text from before.
    g.validate = [](QString& v) { return v != QStringLiteral("100"); };
    g.key(Qt::Key_Return);
    EXPECT_TRUE(spin->isVisible());
    EXPECT_EQ(spin->text(), QStringLiteral("99"));
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("99"));
    g.key(Qt::Key_PageDown);
    g.key(Qt::Key_Return);
    EXPECT_FALSE(spin->isVisible());
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("98"));
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("7"));
    EXPECT_FALSE(g.EditActive());
}

TEST(GridEditors, SpinOnATextThatIsNoNumberLeavesNothingOpen)
{
    ui::Script script;
    EditorGrid g(edSpinEdit);
    g.setCells(2, 2, QStringLiteral("abc"));
    g.key(Qt::Key_F2); // the error is shown where the program's errors go, not thrown out of the key
    EXPECT_FALSE(script.lastMessage().isEmpty());
    EXPECT_FALSE(g.GetSpinEdit()->isVisible());
    EXPECT_FALSE(g.EditActive());
}

TEST(GridEditors, ComboListFallsBackAndLeftMovesOnceAfterWritingBack)
{
    EditorGrid g(edComboList);
    TGridCombo* combo = g.GetComboBox();
    combo->addItems({QStringLiteral("jeden"), QStringLiteral("dwa"), QStringLiteral("trzy")});
    g.setCells(2, 2, QStringLiteral("pięć"));
    g.key(Qt::Key_F2);
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentIndex(), 0);
    g.key(Qt::Key_Escape);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("pięć")); // cancelled: not item 0's text

    EXPECT_FALSE(g.SetComboSelectionString(QStringLiteral("sześć")));
    EXPECT_TRUE(g.SetComboSelectionString(QStringLiteral("trzy")));
    g.key(Qt::Key_F2);
    EXPECT_EQ(combo->currentIndex(), 2);
    combo->setCurrentIndex(1);
    g.key(Qt::Key_Left);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("dwa"));
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 2);
}

TEST(GridEditors, ComboEditUpMovesAndPageDownStays)
{
    EditorGrid g(edComboEdit);
    TGridCombo* combo = g.GetComboBox();
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    g.setCells(2, 2, QStringLiteral("tekst"));
    g.key(Qt::Key_F2);
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), QStringLiteral("tekst"));
    g.key(Qt::Key_PageDown);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(g.row(), 2);
    g.key(Qt::Key_F2);
    combo->setEditText(QStringLiteral("nowy"));
    g.key(Qt::Key_Up);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("nowy"));
    EXPECT_EQ(g.row(), 1);
}

TEST(GridEditors, CheckBoxPageDownStaysDownMovesAndNothingIsWritten)
{
    EditorGrid g(edCheckBox);
    g.setCells(2, 2, QStringLiteral("Opis"));
    int done = 0;
    g.OnEditingDone = [&](TGridSender) { ++done; };
    g.key(Qt::Key_F2);
    auto* box = g.findChild<TGridCheckBox*>();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("Opis"));
    g.key(Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    g.key(Qt::Key_PageDown);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(done, 1);
    g.key(Qt::Key_F2);
    g.key(Qt::Key_Down);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(g.row(), 3);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("Opis"));
}

TEST(GridEditors, UnitEditSplitsTheNumberFromTheUnitAndJoinsThemAgain)
{
    QString number, unit;
    SplitUnitText(QStringLiteral("12.5 kg"), number, unit);
    EXPECT_EQ(number, QStringLiteral("12.5"));
    EXPECT_EQ(unit, QStringLiteral(" kg"));

    EditorGrid g(edUnitEditBtn);
    g.setCells(2, 2, QStringLiteral("12.5 kg"));
    g.type(QStringLiteral("7")); // the typed digit arrives in the number
    auto* unitEdit = g.findChild<TGridUnitEditBtn*>();
    ASSERT_TRUE(unitEdit && unitEdit->isVisible());
    EXPECT_EQ(unitEdit->text(), QStringLiteral("7"));
    EXPECT_EQ(unitEdit->UnitID(), QStringLiteral(" kg"));
    g.key(Qt::Key_Escape);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("12.5 kg"));
    g.key(Qt::Key_F2);
    EXPECT_EQ(unitEdit->text(), QStringLiteral("12.5"));
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("12.5 kg"));
}

TEST(GridEditors, NumericEditButtonFiltersAndTheButtonRunsTheEllipsisEvent)
{
    EditorGrid g(edNumericEditBtn);
    g.OnEllipsClick = [](TGridSender, int, int, QString& s) { s += QStringLiteral("0"); };
    g.setCells(2, 2, QStringLiteral("4"));
    g.key(Qt::Key_F2);
    auto* edit = g.findChild<TGridEditBtn*>();
    ASSERT_TRUE(edit && edit->isVisible());
    edit->end(false);
    g.type(QStringLiteral("x2-"));
    EXPECT_EQ(edit->text(), QStringLiteral("42"));
    g.key(Qt::Key_F4);
    EXPECT_EQ(edit->text(), QStringLiteral("420"));
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("420"));
    EXPECT_EQ(g.row(), 3);
}

TEST(GridEditors, ComboWheelCompletionAndDropWidth)
{
    EXPECT_EQ(ComboDropWidth(100, false, {90}), 100); // 90 + 5 is not above 100
    EXPECT_EQ(ComboDropWidth(100, false, {97}), 105);
    EXPECT_EQ(ComboDropWidth(100, true, {80}), 105);

    EditorGrid g(edComboEdit);
    g.Lookup = true;
    TGridCombo* combo = g.GetComboBox();
    combo->addItems({QStringLiteral("apple"), QStringLiteral("apricot")});
    g.key(Qt::Key_F2);
    ASSERT_TRUE(combo->isVisible());
    combo->setEditText(QString());
    g.type(QStringLiteral("ap"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("apple"));
    EXPECT_EQ(combo->lineEdit()->selectedText(), QStringLiteral("ple"));
    g.key(Qt::Key_Backspace);
    EXPECT_EQ(combo->currentText(), QStringLiteral("ap"));

    std::vector<int> changes;
    g.OnComboChange = [&](TGridSender, int, int, int i, const QString&) { changes.push_back(i); };
    combo->setCurrentIndex(1);
    QWheelEvent towards({5, 5}, combo->mapToGlobal(QPointF(5, 5)), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &towards);
    EXPECT_EQ(combo->currentIndex(), 1); // the last item stays
    EXPECT_EQ(changes, std::vector<int>{1});
}

TEST(GridEditors, DatePickerFallsBackToTodayKeepsTheEditWhileTheCalendarIsOpenAndWritesTheDate)
{
    const QDateTime now(QDate(2026, 3, 4), QTime(10, 0));
    EXPECT_EQ(PickerValueFromText(QStringLiteral("nie data"), false, now), now);
    EXPECT_EQ(PickerValueFromText(QStringLiteral("7:05"), true, now).time(), QTime(7, 5));

    EditorGrid g(edDateEdit);
    g.setCells(2, 2, QStringLiteral("nie data"));
    ui::FixedClock clock(QDate(2026, 3, 4));
    g.key(Qt::Key_F2);
    auto* picker = g.findChild<TGridDatePicker*>();
    ASSERT_TRUE(picker && picker->isVisible());
    EXPECT_EQ(picker->date(), QDate(2026, 3, 4));
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 4, picker->height() / 2)); // the arrow
    QApplication::processEvents();
    ASSERT_TRUE(picker->DroppedDown());
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_TRUE(picker->isVisible()); // the edit stays open while the calendar is
    picker->calendarWidget()->window()->hide();
    picker->setFocus();
    picker->setDate(QDate(2026, 5, 6));
    QTest::keyClick(picker, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(g.cells(2, 2), text::dateToText(QDate(2026, 5, 6)));
}

TEST(GridEditors, ButtonRunsTheEllipsisOnSpaceAndLeavesByAnArrow)
{
    EditorGrid g(edButton);
    g.setCells(2, 2, QStringLiteral("Wybierz"));
    g.OnEllipsClick = [](TGridSender, int, int, QString& s) { s = QStringLiteral("wybrano"); };
    g.key(Qt::Key_F2);
    auto* button = g.findChild<TGridButton*>();
    ASSERT_TRUE(button && button->isVisible());
    EXPECT_EQ(button->text(), QStringLiteral("Wybierz"));
    g.key(Qt::Key_Space);
    EXPECT_EQ(button->text(), QStringLiteral("wybrano"));
    EXPECT_TRUE(button->isVisible());
    g.key(Qt::Key_Right);
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(g.col(), 3);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("Wybierz")); // a button writes nothing
}

// The list drops down by the arrow, F4 and Alt+Down and the editor stays open under it; the
// item picked from the open list goes to the cell.
TEST(GridEditors, ComboListDropsDownByArrowF4AndAltDownAndThePickedItemGoesToTheCell)
{
    EditorGrid g(edComboList);
    TGridCombo* combo = g.GetComboBox();
    combo->addItems({QStringLiteral("jeden"), QStringLiteral("dwa"), QStringLiteral("trzy")});
    g.setCells(2, 2, QStringLiteral("jeden"));
    const auto dropBy = [&](const std::function<void()>& Open) {
        g.key(Qt::Key_F2);
        ASSERT_TRUE(combo->isVisible());
        Open();
        QApplication::processEvents();
        EXPECT_TRUE(combo->view()->isVisible()); // the list is down
        EXPECT_TRUE(combo->isVisible());         // and the editor still open
        EXPECT_TRUE(g.EditActive());
        combo->hidePopup();
        QApplication::processEvents();
        EXPECT_TRUE(combo->isVisible());
        g.key(Qt::Key_Escape);
        EXPECT_FALSE(combo->isVisible());
    };
    dropBy([&] { QTest::keyClick(combo, Qt::Key_F4); });
    dropBy([&] { QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier); });
    dropBy([&] { QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 4, combo->height() / 2)); });

    std::vector<std::pair<int, QString>> changes;
    g.OnComboChange = [&](TGridSender, int, int, int i, const QString& s) { changes.emplace_back(i, s); };
    g.key(Qt::Key_F2);
    QTest::keyClick(combo, Qt::Key_F4);
    QApplication::processEvents();
    ASSERT_TRUE(combo->view()->isVisible());
    QWidget* list = combo->view();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(combo->view()->isVisible());
    ASSERT_TRUE(combo->isVisible());
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("trzy"));
    EXPECT_EQ(changes, (std::vector<std::pair<int, QString>>{{2, QStringLiteral("trzy")}})); // the pick only
}

// Scrolling while a control is open closes it, and its value goes to the cell it was opened
// on, not to the cell that scrolled under it.
TEST(GridEditors, AnEditorControlClosesOnItsOwnCellWhenTheGridScrolls)
{
    EditorGrid g(edComboEdit);
    g.setRowCount(60);
    TGridCombo* combo = g.GetComboBox();
    g.setCells(2, 2, QStringLiteral("stary"));
    g.setCells(2, 5, QStringLiteral("inny"));
    g.key(Qt::Key_F2);
    ASSERT_TRUE(combo->isVisible());
    combo->setEditText(QStringLiteral("nowy"));
    g.verticalScrollBar()->setValue(g.verticalScrollBar()->value() + 3);
    QApplication::processEvents();
    EXPECT_NE(g.topRow(), 1);
    EXPECT_FALSE(combo->isVisible());
    EXPECT_FALSE(g.EditActive());
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("nowy"));
    EXPECT_EQ(g.cells(2, 5), QStringLiteral("inny"));
    for (int r = 0; r < g.rowCount(); ++r) {
        if (r != 2 && r != 5) {
            EXPECT_TRUE(g.cells(2, r).isEmpty()) << r;
        }
    }

    // The text editor stays open and moves with its cell.
    g.OnGetEditorType = [](TGridSender, int, int, TEditorType& e) { e = edNormal; };
    g.setTopRow(1);
    g.focusCell(2, 3);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.inplaceEditor() && g.inplaceEditor()->isVisible());
    const int y = g.inplaceEditor()->y();
    g.setTopRow(2);
    QApplication::processEvents();
    EXPECT_TRUE(g.inplaceEditor()->isVisible());
    EXPECT_EQ(g.inplaceEditor()->y(), y - g.rowHeights(1));
}

// Every editor control keeps its edit while the focus goes to a popup of its own (a context
// menu of the edit, a list, a calendar) and closes when the focus goes elsewhere.
TEST(GridEditors, EveryEditorControlStaysOpenUnderItsPopupAndClosesWhenTheFocusLeaves)
{
    for (TEditorType type :
         {edSpinEdit, edComboEdit, edEditBtn, edUnitEditBtn, edDateEditUpDown, edButton, edCheckBox}) {
        EditorGrid g(type);
        g.setCells(2, 2, QStringLiteral("5"));
        g.key(Qt::Key_F2);
        QWidget* control = g.EditControlOf(type);
        ASSERT_TRUE(control && control->isVisible()) << type;
        QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(control, &toPopup);
        EXPECT_TRUE(control->isVisible()) << type;
        EXPECT_TRUE(g.EditActive()) << type;
        g.setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(control->isVisible()) << type;
        EXPECT_FALSE(g.EditActive()) << type;
    }
}

// An open control never rides along with the cursor: whatever moves the current cell or the
// rows under it (the wheel over the grid, the program, a sort) first closes it onto its own
// cell, so Return afterwards writes no second row.
TEST(GridEditors, AnOpenControlClosesOntoItsOwnCellBeforeTheCursorMoves)
{
    const int lines = QApplication::wheelScrollLines();
    struct Move {
        const char* what;
        std::function<void(EditorGrid&)> move;
        int row; // where the cursor ends
    };
    const Move moves[] = {
        {"wheel",
         [](EditorGrid& g) {
             const QPoint at = g.viewport()->rect().center();
             QWheelEvent notch(QPointF(at), QPointF(g.viewport()->mapToGlobal(at)), {}, QPoint(0, -120), Qt::NoButton,
                               Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(g.viewport(), &notch);
             QApplication::processEvents();
         },
         2 + lines},
        {"program", [](EditorGrid& g) { g.focusCell(2, 7); }, 7},
        {"sort",
         [](EditorGrid& g) {
             g.SortSettings().Column = 1;
             g.SortSettings().Direction = sdDescending;
             g.QSort();
         },
         -1},
    };
    for (const Move& m : moves) {
        EditorGrid g(edComboList);
        g.setRowCount(40);
        TGridCombo* combo = g.GetComboBox();
        combo->addItems({QStringLiteral("jablko"), QStringLiteral("gruszka"), QStringLiteral("sliwka")});
        g.setCells(2, 2, QStringLiteral("jablko"));
        for (int r = 1; r < g.rowCount(); ++r) // the edited row is marked; a sort moves it to the top
            g.setCells(1, r, r == 2 ? QStringLiteral("mark") : QString::number(r));
        g.key(Qt::Key_F2);
        ASSERT_TRUE(combo->isVisible()) << m.what;
        g.key(Qt::Key_Down); // the next item of the list
        ASSERT_EQ(combo->currentText(), QStringLiteral("gruszka")) << m.what;
        m.move(g);
        if (m.row >= 0) {
            EXPECT_EQ(g.row(), m.row) << m.what;
        }
        EXPECT_FALSE(combo->isVisible()) << m.what;
        EXPECT_FALSE(g.EditActive()) << m.what;
        int marked = -1;
        for (int r = 0; r < g.rowCount(); ++r)
            if (g.cells(1, r) == QStringLiteral("mark"))
                marked = r;
        EXPECT_EQ(g.cells(2, marked), QStringLiteral("gruszka")) << m.what;
        g.key(Qt::Key_Return);
        for (int r = 0; r < g.rowCount(); ++r) {
            if (r != marked) {
                EXPECT_TRUE(g.cells(2, r).isEmpty()) << m.what << " row " << r;
            }
        }
    }
}

// The rich-text editor opens on the cell's rich text, goes back as rich text when edited, and
// leaves the cell as it was on Escape or when nothing was typed.
TEST(GridEditors, RichEditorOpensOnTheRichTextCommitsItAndEscapeRestores)
{
    EditorGrid g(edRichEdit);
    const QString rich = QStringLiteral("{\\rtf1\\ansi {\\b gruby} tekst}");
    g.setCells(2, 2, rich);
    g.key(Qt::Key_F2);
    auto* editor = static_cast<QTextEdit*>(g.EditControlOf(edRichEdit));
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("gruby tekst"));
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("gruby tekst"));
    g.key(Qt::Key_End);
    keyboard::type(g, QStringLiteral(" nowy"));
    g.key(Qt::Key_Down); // leaves the one-line cell for the next row
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(g.EditActive());
    EXPECT_EQ(g.row(), 3);
    ASSERT_TRUE(IsRichText(g.cells(2, 2)));
    EXPECT_EQ(RichTextToPlain(g.cells(2, 2)), QStringLiteral("gruby tekst nowy"));
    QTextEdit back;
    g.CellToRich(2, 2, back);
    QTextCursor c(back.document());
    c.setPosition(2);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);

    // Escape: the cell keeps its text to the last character.
    const QString kept = g.cells(2, 2);
    g.focusCell(2, 2);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(editor->isVisible());
    keyboard::type(g, QStringLiteral("zzz"));
    g.key(Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(g.EditActive());
    EXPECT_EQ(g.cells(2, 2), kept);

    // A typed character opens the editor on a plain cell and replaces its text; a plain cell
    // opened and left untouched stays plain.
    g.setCells(2, 3, QStringLiteral("zwykly"));
    g.setCells(2, 4, QStringLiteral("zwykly"));
    g.focusCell(2, 3);
    keyboard::type(g, QStringLiteral("Q"));
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Q"));
    g.key(Qt::Key_Down);
    EXPECT_EQ(RichTextToPlain(g.cells(2, 3)), QStringLiteral("Q"));
    g.key(Qt::Key_F2);
    ASSERT_TRUE(editor->isVisible());
    g.key(Qt::Key_Down);
    EXPECT_EQ(g.cells(2, 4), QStringLiteral("zwykly"));
    EXPECT_FALSE(g.EditActive());
}
