// The grid's input: the pinned order of the steps, the key map, check boxes, radio groups and
// nodes by Space and click, validation of an edit, sizing and moving by the mouse, stretching,
// the wheel, zoom and panning, hints, links, errors inside handlers, and destroying the grid
// with each editor open.
#include "grid/controls/Tsgcheck.h"
#include "grid/core/Txgrid.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/controls/Txobj.h"
#include "grid/input/TxgridHintWindow.h"
#include "platform/text/Regional.h"

#include "platform/ui/Modal.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace grid;

namespace {

// Six rows and five columns, one fixed of each, 60 x 20 pixel cells, shown so focus works.
struct InputGrid : TTxStringGrid {
    InputGrid()
    {
        setColCount(5);
        setRowCount(6);
        setDefaultColWidth(60);
        setDefaultRowHeight(20);
        resize(420, 200);
        keyboard::showFocused(*this);
        focusCell(1, 1);
    }
    QPoint at(int c, int r, int dx = 0) const
    {
        const auto rc = platformCellRect(c, r);
        return QPoint((rc.Left + rc.Right) / 2 + dx, (rc.Top + rc.Bottom) / 2);
    }
    QPoint rightEdge(int c, int r) const { return QPoint(platformCellRect(c, r).Right - 2, at(c, r).y()); }
    void key(int k, Qt::KeyboardModifiers m = {}) { keyboard::key(*this, k, m); }
    void click(QPoint p) { QTest::mouseClick(viewport(), Qt::LeftButton, {}, p); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    }
};

} // namespace

TEST(GridInput, StepsRunInTheirPinnedOrder)
{
    EXPECT_EQ(InputStepNames(ikKeyDown),
              QStringList({"pan-end", "check-space", "home-end", "tab-merged", "navigation", "selection-rectangle",
                           "clipboard", "insert-row", "select-all", "disjunct-rows", "delete-row", "tab-wrap",
                           "find-typing", "typed-char"}));
    EXPECT_EQ(InputStepNames(ikMouseDown),
              QStringList({"pan-end", "pan-start", "right-click", "press", "fixed-col-sizing", "sizing-start",
                           "outside", "fixed-press", "nodes", "radio", "deferred-press", "cell-button",
                           "disjunct-press", "anchors", "select-zones", "move-source", "check-box", "cell-select"}));
    EXPECT_EQ(InputStepNames(ikMouseUp),
              QStringList({"disjunct-cells", "button-release", "deferred-release", "disjunct-release", "move-end",
                           "size-end", "release-events", "sorting"}));
    EXPECT_EQ(InputStepNames(ikKeyUp), QStringList({"lookup-reset", "always-edit"}));
    for (const TInputStepEntry& s : InputSteps())
        EXPECT_TRUE(s.Step) << s.Name;
}

// The key map: each case sets the grid up, presses one key and checks where it ends.
TEST(GridInput, KeyMap)
{
    struct Case {
        const char* name;
        std::function<void(InputGrid&)> setup;
        int key;
        Qt::KeyboardModifiers mods;
        std::function<void(InputGrid&)> check;
    };
    int inserted = -1;
    const std::vector<Case> cases = {
        {"End with a floating footer stops above it",
         [](InputGrid& g) {
             g.setRowCount(10);
             g.Navigation().HomeEndKey = heFirstLastRow;
             g.FloatingFooter().SetVisible(true);
             g.focusCell(2, 3);
         },
         Qt::Key_End,
         {},
         [](InputGrid& g) {
             EXPECT_EQ(g.row(), 8);
             EXPECT_EQ(g.col(), 2);
         }},
        {"Home goes to the first normal row",
         [](InputGrid& g) {
             g.Navigation().HomeEndKey = heFirstLastRow;
             g.focusCell(2, 4);
         },
         Qt::Key_Home,
         {},
         [](InputGrid& g) {
             EXPECT_EQ(g.row(), 1);
             EXPECT_EQ(g.col(), 2);
         }},
        {"Insert after the current row moves to the new row",
         [&](InputGrid& g) {
             g.Navigation().AllowInsertRow = true;
             g.Navigation().InsertPosition = pInsertAfter;
             g.setCells(1, 3, QStringLiteral("r3"));
             g.OnAutoInsertRow = [&](TGridSender, int r) { inserted = r; };
             g.focusCell(1, 3);
         },
         Qt::Key_Insert,
         {},
         [&](InputGrid& g) {
             EXPECT_EQ(g.rowCount(), 7);
             EXPECT_EQ(g.row(), 4);
             EXPECT_EQ(inserted, 4);
             EXPECT_EQ(g.cells(1, 4), QString());
         }},
        {"Insert refused by OnCanInsertRow",
         [](InputGrid& g) {
             g.Navigation().AllowInsertRow = true;
             g.OnCanInsertRow = [](TGridSender, int, bool& Can) { Can = false; };
         },
         Qt::Key_Insert,
         {},
         [](InputGrid& g) { EXPECT_EQ(g.rowCount(), 6); }},
        {"Delete removes the row",
         [](InputGrid& g) {
             g.Navigation().AllowDeleteRow = true;
             g.setCells(1, 3, QStringLiteral("x"));
             g.setCells(1, 4, QStringLiteral("y"));
             g.focusCell(1, 3);
         },
         Qt::Key_Delete,
         {},
         [](InputGrid& g) {
             EXPECT_EQ(g.rowCount(), 5);
             EXPECT_EQ(g.cells(1, 3), "y");
         }},
        {"Delete of the only normal row empties it",
         [](InputGrid& g) {
             g.setRowCount(2);
             g.Navigation().AllowDeleteRow = true;
             g.setCells(1, 1, QStringLiteral("x"));
             g.focusCell(1, 1);
         },
         Qt::Key_Delete,
         {},
         [](InputGrid& g) {
             EXPECT_EQ(g.rowCount(), 2);
             EXPECT_EQ(g.cells(1, 1), QString());
         }},
        {"Ctrl+A selects every normal cell with row and range selection",
         [](InputGrid& g) { g.setOptions(g.options() | ui::goRowSelect | ui::goRangeSelect); }, Qt::Key_A,
         Qt::ControlModifier,
         [](InputGrid& g) {
             EXPECT_EQ(g.selection(), (ui::GridRect{1, 1, 4, 5}));
         }},
        {"Tab from the last normal column wraps past right fixed columns",
         [](InputGrid& g) {
             g.setOptions(g.options() | ui::goTabs);
             g.SetFixedRightCols(1);
             g.focusCell(3, 2);
         },
         Qt::Key_Tab,
         {},
         [](InputGrid& g) {
             EXPECT_EQ(g.col(), 1);
             EXPECT_EQ(g.row(), 3);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid g;
        c.setup(g);
        g.key(c.key, c.mods);
        c.check(g);
    }
}

TEST(GridInput, SpaceAndClickToggleCheckBoxesRadioGroupsAndNodes)
{
    QStringList items({QStringLiteral("aa"), QStringLiteral("bb")}); // lent to the grid
    InputGrid g;
    g.setOptions(g.options() | ui::goEditing);
    QStringList fired;
    g.OnCheckBoxClick = [&](TGridSender, int c, int r, bool s) {
        fired << QStringLiteral("check %1,%2 %3").arg(c).arg(r).arg(s);
    };
    g.OnRadioClick = [&](TGridSender, int c, int r, int i) {
        fired << QStringLiteral("radio %1,%2 %3").arg(c).arg(r).arg(i);
    };
    g.AddCheckBox(1, 1, false, false);
    g.AddCheckBox(2, 1, false, false);
    g.OnCanEditCell = [](TGridSender, int r, int c, bool& can) { can = !(c == 2 && r == 1); };

    g.focusCell(1, 1);
    g.key(Qt::Key_Space);
    g.click(g.at(1, 1));
    g.click(g.at(2, 1)); // read-only: nothing
    bool state = true;
    g.GetCheckBoxState(1, 1, state);
    EXPECT_FALSE(state);
    g.GetCheckBoxState(2, 1, state);
    EXPECT_FALSE(state);

    // A horizontal radio group: the second item lies past the first one's text and radio.
    g.setColWidths(3, 200);
    g.AddRadio(3, 2, 1, 0, &items);
    const int first = QFontMetrics(g.font()).horizontalAdvance(QStringLiteral("aa")) + g.ControlLook().RadioSize() + 2;
    const auto rc = g.platformCellRect(3, 2);
    g.click(QPoint(rc.Left + first + 4, (rc.Top + rc.Bottom) / 2));
    int idx = -1;
    g.GetRadioIdx(3, 2, idx);
    EXPECT_EQ(idx, 1);
    EXPECT_EQ(fired, QStringList({"check 1,1 1", "check 1,1 0", "radio 3,2 1"}));

    // A node in column 0 closes and opens again; its row becomes current each time.
    g.AddNode(2, 3);
    g.focusCell(1, 1);
    g.click(g.at(0, 2));
    EXPECT_TRUE(g.GetNodeState(2));
    EXPECT_EQ(g.row(), 2);
    EXPECT_EQ(g.rowCount(), 4);
    g.focusCell(1, 1);
    g.click(g.at(0, 2));
    EXPECT_FALSE(g.GetNodeState(2));
    EXPECT_EQ(g.rowCount(), 6);
}

// A refused value keeps the editor open on it, nothing is written, and the handler's message
// shows; an accepted value passes the checker's correction first.
TEST(GridInput, ValidationRunsTheCheckerAndTheEventOnEveryEdit)
{
    ui::Script script;
    InputGrid g;
    g.setOptions(g.options() | ui::goEditing);
    TCapitalCheck checker;
    checker.AutoCorrect = true;
    g.CellChecker = &checker;
    QStringList seen;
    g.OnCellValidate = [&](TGridSender, int, int, QString& v, bool& valid) {
        seen << v;
        valid = !v.contains(QLatin1Char('!'));
    };
    g.setCells(1, 1, QStringLiteral("old"));
    g.focusCell(1, 1);
    g.key(Qt::Key_F2);
    ASSERT_TRUE(g.editorMode());
    g.inplaceEditor()->setText(QStringLiteral("bad!"));
    g.key(Qt::Key_Return);
    EXPECT_TRUE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("old"));
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("Bad!")); // the checker's own value

    g.inplaceEditor()->setText(QStringLiteral("ala. ma kota"));
    g.key(Qt::Key_Return);
    EXPECT_FALSE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("Ala. Ma kota"));
    EXPECT_EQ(seen, QStringList({"Bad!", "Ala. Ma kota"}));

    // An unchanged text is not validated again.
    g.focusCell(1, 1);
    g.key(Qt::Key_F2);
    g.key(Qt::Key_Return);
    EXPECT_EQ(seen.size(), 2);
}

TEST(GridInput, ColumnsAndRowsAreSizedAndMovedByTheMouse)
{
    InputGrid g;
    g.setOptions(g.options() | ui::goColSizing);
    int ended = -1;
    g.OnEndColumnSize = [&](TGridSender, int c) { ended = c; };
    g.MouseActions().AllColumnSize = true;
    const QPoint edge = g.rightEdge(1, 0);
    g.drag(edge, edge + QPoint(60, 0)); // 60 -> 120: the others double too
    EXPECT_EQ(g.colWidths(1), 120);
    EXPECT_EQ(g.colWidths(2), 120);
    EXPECT_EQ(g.colWidths(0), 60);
    EXPECT_EQ(ended, 1);

    // A refused sizing leaves the width alone.
    g.MouseActions().AllColumnSize = false;
    g.OnColumnSize = [](TGridSender, int, bool& Allow) { Allow = false; };
    g.drag(g.rightEdge(1, 0), g.rightEdge(1, 0) + QPoint(20, 0));
    EXPECT_EQ(g.colWidths(1), 120);

    // Column 1 moves to 3 by its header; the sort column (3) stays on its data (now 2).
    g.setOptions(g.options() | ui::goColMoving | ui::goRowMoving);
    g.setColWidths(1, 60);
    g.setColWidths(2, 60);
    g.setColWidths(3, 60);
    for (int c = 1; c < 5; ++c)
        g.setCells(c, 1, QString::number(c));
    g.SortSettings().Column = 3;
    g.drag(g.at(1, 0), g.at(3, 0));
    EXPECT_EQ(g.cells(3, 1), QStringLiteral("1"));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("2"));
    EXPECT_EQ(g.SortSettings().Column, 2);

    // Row 4 moves up to 2 by its fixed cell.
    g.setCells(1, 4, QStringLiteral("four"));
    g.drag(g.at(0, 4), g.at(0, 2));
    EXPECT_EQ(g.cells(1, 2), QStringLiteral("four"));
}

// The sizing hint shows while an edge is dragged and goes with the button, also when the
// mouse moves on afterwards.
TEST(GridInput, TheSizingHintGoesWithTheButton)
{
    InputGrid g;
    g.setOptions(g.options() | ui::goColSizing);
    g.HintShowSizing = true;
    const QPoint edge = g.rightEdge(1, 0);
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(g.viewport(), edge + QPoint(15, 0));
    QTest::mouseMove(g.viewport(), edge + QPoint(30, 0));
    THTMLHintWindow* hint = nullptr;
    for (QWidget* w : g.findChildren<QWidget*>())
        if (auto* h = dynamic_cast<THTMLHintWindow*>(w))
            hint = h;
    ASSERT_TRUE(hint);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Text(), SizingHint(true, 90));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, edge + QPoint(30, 0));
    EXPECT_FALSE(hint->isVisible());
    QTest::mouseMove(g.viewport(), g.at(2, 3));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(g.colWidths(1), 90);
}

// A column dragged over a hidden one leaves the same columns shown, with EnhRowColMove or
// without; Ctrl+A with row select takes neither the right fixed column nor the footer; hiding
// the edited column ends the edit; a sizing whose button-up went elsewhere ends at the next
// move without a button.
TEST(GridInput, MovesSelectAllHidingAndALostSizingRelease)
{
    for (const bool enhanced : {false, true}) {
        SCOPED_TRACE(enhanced ? "EnhRowColMove" : "plain move");
        InputGrid g;
        g.EnhRowColMove = enhanced;
        g.setOptions(g.options() | ui::goColMoving);
        for (int c = 1; c < 5; ++c)
            g.setCells(c, 1, QString::number(c));
        g.HideColumn(2);
        g.drag(g.at(1, 0), g.at(3, 0)); // real column 1 to the place of real column 4
        QStringList shown;
        for (int d = 1; d < g.colCount(); ++d)
            shown << g.cells(g.RemapCol(d), 1);
        EXPECT_EQ(shown, (QStringList{"3", "4", "1"}));
        EXPECT_EQ(g.NumHiddenColumns(), 1);
    }

    {
        InputGrid g;
        g.setOptions(g.options() | ui::goRowSelect | ui::goRangeSelect);
        g.SetFixedRightCols(1);
        g.SetFixedFooters(1);
        g.key(Qt::Key_A, Qt::ControlModifier);
        const ui::GridRect s = g.selection();
        EXPECT_EQ(QRect(QPoint(s.Left, s.Top), QPoint(s.Right, s.Bottom)), QRect(QPoint(1, 1), QPoint(3, 4)));
    }

    {
        InputGrid g;
        g.setOptions(g.options() | ui::goEditing);
        g.key(Qt::Key_F2);
        ASSERT_TRUE(g.EditActive());
        g.HideColumn(1);
        EXPECT_FALSE(g.editorMode());
        EXPECT_FALSE(g.EditActive());
    }

    {
        InputGrid g;
        g.setOptions(g.options() | ui::goColSizing);
        g.HintShowSizing = true;
        int ended = -1;
        g.OnEndColumnSize = [&](TGridSender, int c) { ended = c; };
        const QPoint edge = g.rightEdge(1, 0);
        QTest::mousePress(g.viewport(), Qt::LeftButton, {}, edge);
        QTest::mouseMove(g.viewport(), edge + QPoint(20, 0));
        ASSERT_EQ(g.colWidths(1), 80);
        // The button comes up where the grid never hears of it; the mouse moves on freely.
        const auto freeMove = [&g](QPoint p) {
            QMouseEvent m(QEvent::MouseMove, p, g.viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(g.viewport(), &m);
        };
        freeMove(edge + QPoint(40, 0));
        freeMove(edge + QPoint(60, 40));
        EXPECT_EQ(g.colWidths(1), 80);
        EXPECT_EQ(ended, 1);
        for (QWidget* w : g.findChildren<QWidget*>()) {
            if (dynamic_cast<THTMLHintWindow*>(w)) {
                EXPECT_FALSE(w->isVisible());
            }
        }
    }
}

// With the grid as a drag source a press inside the selection keeps it until the release or a
// drag; a refused drag selects a range instead. Disjunct cells follow Ctrl by real column.
TEST(GridInput, DeferredSelectionRefusedDragsAndDisjunctCells)
{
    struct Case {
        const char* name;
        std::function<void(InputGrid&)> act;
        ui::GridRect selection;
        QStringList fired;
    };
    const std::vector<Case> cases = {
        {"A press inside the selection selects on its release",
         [](InputGrid& g) {
             QTest::mousePress(g.viewport(), Qt::LeftButton, {}, g.at(2, 2));
             EXPECT_EQ(g.selection(), (ui::GridRect{1, 1, 3, 3}));
             QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, g.at(2, 2));
         },
         {2, 2, 2, 2},
         {"click 2,2"}},
        {"A drag refused by OnOleDrag selects a range from the press",
         [](InputGrid& g) { g.drag(g.at(2, 2, -20), g.at(3, 4)); },
         {2, 2, 3, 4},
         {"click 2,2", "drag 2,3"}},
        {"A press outside the selection selects at once",
         [](InputGrid& g) { g.click(g.at(4, 4)); },
         {4, 4, 4, 4},
         {"click 4,4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid g;
        g.setOptions(g.options() | ui::goRangeSelect);
        g.DragDropSettings().OleDropSource = true;
        g.setSelection({1, 1, 3, 3});
        QStringList fired;
        g.OnClickCell = [&](TGridSender, int r, int col) { fired << QStringLiteral("click %1,%2").arg(col).arg(r); };
        g.OnOleDrag = [&](TGridSender, int r, int col, const QString&, bool& Allow) {
            fired << QStringLiteral("drag %1,%2").arg(col).arg(r);
            Allow = false;
        };
        c.act(g);
        EXPECT_EQ(g.selection(), c.selection);
        EXPECT_EQ(fired, c.fired);
    }

    InputGrid g;
    g.MouseActions().DisjunctCellSelect = true;
    g.HideColumn(2); // displayed column 2 is real column 3
    const auto ctrlClick = [&](int c, int r) {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ControlModifier, g.at(c, r));
    };
    g.click(g.at(1, 1));
    ctrlClick(2, 2);
    ctrlClick(3, 4);
    ctrlClick(3, 4); // out again
    ctrlClick(0, 3); // fixed: never listed
    ASSERT_EQ(g.GetSelectedCellsCount(), 2);
    EXPECT_EQ(g.GetSelectedCell(0), QPoint(1, 1));
    EXPECT_EQ(g.GetSelectedCell(1), QPoint(3, 2));
    g.click(g.at(2, 5));
    ASSERT_EQ(g.GetSelectedCellsCount(), 1);
    EXPECT_EQ(g.GetSelectedCell(0), QPoint(3, 5));
}

TEST(GridInput, StretchWheelZoomAndPanning)
{
    InputGrid g;
    g.setColCount(3);
    g.ColumnSize().SetStretch(true);
    g.resize(g.width() + 10, g.height());
    QApplication::processEvents();
    EXPECT_EQ(g.colWidths(0) + g.colWidths(1) + g.colWidths(2), g.clientWidth() - 1);

    // The wheel moves the current row by the lines a notch scrolls, within the normal rows.
    g.setRowCount(20);
    g.focusCell(1, 1);
    const int lines = QApplication::wheelScrollLines();
    QWheelEvent down(QPointF(g.at(1, 1)), g.mapToGlobal(g.at(1, 1)), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &down);
    EXPECT_EQ(g.row(), 1 + lines);

    // Ctrl+wheel towards the user zooms in; zoom stops at 10 and never narrows a cell below 1.
    QWheelEvent zoom(QPointF(g.at(1, 1)), g.mapToGlobal(g.at(1, 1)), {}, QPoint(0, -120), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g.viewport(), &zoom);
    EXPECT_EQ(g.Zoom, lines);
    const int h = g.rowHeights(1);
    for (int i = 0; i < 11; ++i)
        g.ZoomBy(1);
    EXPECT_EQ(g.Zoom, 10);
    EXPECT_EQ(g.rowHeights(1), h + 10 - lines);
    g.setColWidths(1, 3);
    g.ZoomBy(-10);
    EXPECT_EQ(g.colWidths(1), 3);

    // Panning: a middle press starts it; vertically only, far right moves no column.
    g.IntelliPan = ipVertical;
    g.focusCell(1, 5);
    QTest::mousePress(g.viewport(), Qt::MiddleButton, {}, g.at(1, 3));
    ASSERT_TRUE(g.InputState().Panning);
    const auto panTick = [&g](QPoint Mouse) { // the mouse rests at Mouse when the panning timer ticks
        QCursor::setPos(g.viewport()->mapToGlobal(Mouse));
        QTimerEvent tick(g.InputState().PanTimer.timerId());
        QApplication::sendEvent(&g, &tick);
    };
    panTick(g.at(1, 3) + QPoint(200, 30));
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 6);
    EXPECT_EQ(g.InputState().PanCursor, 8001);
    panTick(g.at(1, 3) + QPoint(3, 3)); // the dead zone
    EXPECT_EQ(g.row(), 6);
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, g.at(2, 2)); // any press ends it
    EXPECT_FALSE(g.InputState().Panning);
    EXPECT_EQ(PanCursorId(-1, -1), 8006);
}

// A touchpad or a fine wheel turns a notch in small steps: they add up to whole lines, for
// the rows and for the zoom alike, and a turn back starts afresh.
TEST(GridInput, AWheelTurnedInSmallStepsMovesAndZoomsByWholeLines)
{
    InputGrid g;
    g.setRowCount(40);
    g.focusCell(1, 1);
    const int lines = QApplication::wheelScrollLines();
    const auto turn = [&](int Angle, Qt::KeyboardModifiers Mods) {
        QWheelEvent w(QPointF(g.at(1, 1)), QPointF(g.mapToGlobal(g.at(1, 1))), {}, QPoint(0, Angle), Qt::NoButton, Mods,
                      Qt::ScrollUpdate, false);
        QApplication::sendEvent(g.viewport(), &w);
    };
    for (int i = 0; i < 8; ++i)
        turn(-30, {});
    EXPECT_EQ(g.row(), 1 + 2 * lines);
    turn(-20, {});
    turn(30, {}); // back the other way: the 20 left over is dropped, 30 is short of a line up
    turn(30, {});
    turn(30, {});
    turn(30, {});
    EXPECT_EQ(g.row(), 1 + lines);
    for (int i = 0; i < 8; ++i)
        turn(-30, Qt::ControlModifier);
    EXPECT_EQ(g.Zoom, 2 * lines);
}

// The thumb is square, as long as the bar is wide, and dragged to the end it scrolls to the
// end; with ScrollProportional it shows the visible share. A flat bar takes the width and the
// colour.
TEST(GridInput, ScrollBarsTakeTheirThumbStyleWidthAndColour)
{
    InputGrid g;
    g.setRowCount(12);
    QApplication::processEvents();
    QScrollBar* bar = g.verticalScrollBar();
    const auto part = [bar](QStyle::SubControl Sc) {
        QStyleOptionSlider o;
        o.initFrom(bar);
        o.orientation = bar->orientation();
        o.minimum = bar->minimum();
        o.maximum = bar->maximum();
        o.sliderPosition = o.sliderValue = bar->sliderPosition();
        o.pageStep = bar->pageStep();
        o.singleStep = bar->singleStep();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, Sc, bar);
    };
    ASSERT_GT(bar->maximum(), 0);
    QRect thumb = part(QStyle::SC_ScrollBarSlider);
    EXPECT_EQ(thumb.height(), thumb.width());
    const QRect groove = part(QStyle::SC_ScrollBarGroove);
    // The drag as the mouse makes it, the button held through the moves.
    const auto mouse = [bar](QEvent::Type Type, QPoint At) {
        const Qt::MouseButtons held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent m(Type, QPointF(At), QPointF(bar->mapToGlobal(At)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(bar, &m);
    };
    mouse(QEvent::MouseButtonPress, thumb.center());
    mouse(QEvent::MouseMove, QPoint(thumb.center().x(), groove.center().y()));
    mouse(QEvent::MouseMove, QPoint(thumb.center().x(), groove.bottom() + 10));
    mouse(QEvent::MouseButtonRelease, QPoint(thumb.center().x(), groove.bottom() + 10));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(part(QStyle::SC_ScrollBarSlider).bottom(), groove.bottom());
    g.SetScrollProportional(true);
    thumb = part(QStyle::SC_ScrollBarSlider);
    EXPECT_GT(thumb.height(), 2 * groove.height() / 3 - 8); // about 9 of 12 rows show
    EXPECT_LT(thumb.height(), groove.height());

    g.setRowCount(60);
    g.SetScrollType(ssFlat);
    g.SetScrollColor(ui::clRed);
    g.SetScrollWidth(25);
    QTest::qWait(50); // the bars' container lays itself out from posted events
    EXPECT_EQ(bar->width(), 25);
    const QImage shot = bar->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() * 3 / 4).rgb(), QColor(Qt::red).rgb());
}

TEST(GridInput, HintTexts)
{
    InputGrid g;
    g.AddComment(1, 1, QStringLiteral("note\r\n"));
    g.AddComment(2, 1, QStringLiteral("x")); // shorter than a line break: kept whole
    g.setCells(1, 2, QStringLiteral("<b>bold</b>"));
    g.HintShowCells = true;
    QString text;
    QPoint where;
    ASSERT_TRUE(g.CellHint(g.at(1, 1), text, where));
    EXPECT_EQ(text, QStringLiteral("note"));
    ASSERT_TRUE(g.CellHint(g.at(2, 1), text, where));
    EXPECT_EQ(text, QStringLiteral("x"));
    EXPECT_EQ(CommentHint(QStringLiteral("ab\r\n")), QStringLiteral("ab"));
    EXPECT_EQ(CommentHint(QStringLiteral("\n")), QString());
    ASSERT_TRUE(g.CellHint(g.at(1, 2), text, where));
    EXPECT_EQ(text, QStringLiteral("bold"));
    g.OnGridHint = [](TGridSender, int r, int c, QString& h) { h = QStringLiteral("%1:%2").arg(c).arg(r); };
    ASSERT_TRUE(g.CellHint(g.at(3, 3), text, where));
    EXPECT_EQ(text, QStringLiteral("3:3"));
    EXPECT_EQ(SizingHint(true, 42), QStringLiteral("cw=<b>42</b>"));
    EXPECT_EQ(SizingHint(false, 7), QStringLiteral("rh=<b>7</b>"));
}

// A cell hint shows in HintColor, and none while the grid pans; a point of the screen finds
// its cell; the markers of a move take the arrow colour.
TEST(GridInput, HintColourNoHintsWhilePanningScreenPointsAndArrowColour)
{
    InputGrid g;
    g.HintShowCells = true;
    g.HintColor = ui::rgb(0, 170, 0);
    g.setCells(2, 2, QStringLiteral("zielony"));
    const auto tip = [&g](QPoint p) {
        QHelpEvent e(QEvent::ToolTip, p, g.viewport()->mapToGlobal(p));
        QApplication::sendEvent(g.viewport(), &e);
        QApplication::processEvents();
        for (QWidget* w : g.findChildren<QWidget*>())
            if (dynamic_cast<THTMLHintWindow*>(w) && w->isVisible())
                return w;
        return static_cast<QWidget*>(nullptr);
    };
    QWidget* hint = tip(g.at(2, 2));
    ASSERT_TRUE(hint);
    const QImage shot = hint->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, shot.height() / 2), QColor(0, 170, 0));

    QTest::mousePress(g.viewport(), Qt::MiddleButton, {}, g.at(1, 3));
    ASSERT_TRUE(g.InputState().Panning);
    EXPECT_FALSE(hint->isVisible()); // panning took it away
    EXPECT_FALSE(tip(g.at(2, 2)));   // and shows none
    QTest::mousePress(g.viewport(), Qt::MiddleButton, {}, g.at(1, 3));
    EXPECT_FALSE(g.InputState().Panning);
    EXPECT_TRUE(tip(g.at(2, 2)));

    int c = 0, r = 0;
    EXPECT_TRUE(g.ScreenToCell(g.viewport()->mapToGlobal(g.at(3, 4)), c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(3, 4));
    EXPECT_FALSE(g.ScreenToCell(g.viewport()->mapToGlobal(QPoint(-5, -5)), c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(-1, -1));

    g.SetArrowColor(ui::clRed);
    EXPECT_EQ(g.GetArrowColor(), ui::clRed);
    for (int d : {arrUp, arrDown, arrLeft, arrRight})
        EXPECT_EQ(g.MoveArrow(d)->controlColor(), ui::clRed);
}

// Receives what the desktop would open.
class GridInputUrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& u) { urls << u; }
};

TEST(GridInput, LinksOpenThroughTheUrlHandlerOrMoveToTheNamedCell)
{
    InputGrid g;
    g.setRowCount(60);
    g.SetURLShow(true);
    GridInputUrlSink sink;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &sink, "open");
    g.setCells(1, 1, QStringLiteral("http://example.org/a;rm -rf"));
    g.setCells(2, 1, QStringLiteral("<a href=\"cell://R40C3\">dalej</a>"));
    g.click(g.at(1, 1));
    ASSERT_EQ(sink.urls.size(), 1);
    EXPECT_EQ(sink.urls[0].host(), QStringLiteral("example.org"));

    const auto rc = g.platformCellRect(2, 1);
    g.click(QPoint(rc.Left + 6, (rc.Top + rc.Bottom) / 2));
    EXPECT_EQ(g.row(), 40);
    EXPECT_EQ(g.col(), 3);
    EXPECT_LE(g.topRow(), 40);
    EXPECT_GT(g.topRow() + g.visibleRowCount(), 40);

    // A handler that keeps the anchor to itself: nothing opens.
    g.OnAnchorClick = [](TGridSender, int, int, const QString&, bool& Auto) { Auto = false; };
    g.ScrollInView(1, 1);
    g.click(g.at(1, 1));
    EXPECT_EQ(sink.urls.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

TEST(GridInput, AnErrorInsideAHandlerIsShownAndGoesNoFurther)
{
    ui::Script script;
    InputGrid g;
    g.OnClickCell = [](TGridSender, int, int) { throw std::runtime_error("Błąd w zdarzeniu"); };
    g.click(g.at(2, 2));
    EXPECT_EQ(script.lastMessage(), QStringLiteral("Błąd w zdarzeniu"));
    EXPECT_EQ(g.row(), 2);
}

// Run under AddressSanitizer this shows no access to freed memory: the grid goes while each
// kind of editor is open and has the focus.
TEST(GridInput, DestroyingTheGridWithAnEditorOpenTouchesNothingFreed)
{
    for (TEditorType t : {edNormal, edComboEdit, edComboList, edSpinEdit, edEditBtn, edUnitEditBtn, edDateEdit,
                          edButton, edCheckBox, edFloatSpinEdit}) {
        SCOPED_TRACE(int(t));
        auto* g = new InputGrid;
        g->setOptions(g->options() | ui::goEditing);
        g->OnGetEditorType = [t](TGridSender, int, int, TEditorType& e) { e = t; };
        bool done = false;
        g->OnEditingDone = [&done](TGridSender) { done = true; };
        if (t == edComboEdit || t == edComboList) {
            g->AddComboString(QStringLiteral("a"));
            g->AddComboString(QStringLiteral("b"));
        }
        g->focusCell(2, 2);
        g->key(Qt::Key_F2);
        QApplication::processEvents();
        delete g;
        QApplication::processEvents();
        EXPECT_FALSE(done);
    }
}

#include "test_grid_input.moc"

// A click on the circle of each radio item selects that item, side by side and one under
// another, in a zoomed grid with the flat look: the click is measured in the font and radio
// size the items are drawn with. Item i side by side stands at 2 + i radios + the captions
// before it; one under another at a line of "gh" per item.
TEST(GridInput, AClickOnEachRadioCircleSelectsThatItem)
{
    QStringList items(
        {QStringLiteral("pierwsza opcja wyboru"), QStringLiteral("druga opcja"), QStringLiteral("trzecia")});
    InputGrid g;
    g.setOptions(g.options() | ui::goEditing);
    g.ControlLook().SetControlStyle(csFlat);
    g.ZoomBy(-3);
    g.setColWidths(2, 250); // the whole cell in view: a click scrolls nothing
    g.setRowHeights(3, 90);
    g.AddRadio(2, 2, 1, 0, &items); // side by side
    g.AddRadio(2, 3, 0, 0, &items); // one under another
    ui::Font cellFont = g.controlFont();
    cellFont.size += g.Zoom;
    const QFontMetrics fm(cellFont.toQFont());
    const int size = g.ControlLook().RadioSize() + 2;
    std::vector<int> picked;
    g.OnRadioClick = [&](TGridSender, int, int, int i) { picked.push_back(i); };

    const auto side = g.platformCellRect(2, 2);
    int before = 0;
    for (int i = 2; i >= 0; --i) {
        before = 0;
        for (int j = 0; j < i; ++j)
            before += fm.horizontalAdvance(items[j]);
        g.click(QPoint(side.Left + 2 + i * size + before + size / 2, (side.Top + side.Bottom) / 2));
    }
    const auto down = g.platformCellRect(2, 3);
    for (int i = 2; i >= 0; --i)
        g.click(QPoint(down.Left + 2 + size / 2, down.Top + i * fm.height() + 2 + size / 2));
    EXPECT_EQ(picked, (std::vector<int>{2, 1, 0, 2, 1, 0}));
}

// A navigation key ends the lookup typed so far; with AlwaysEdit the cell an arrow reaches
// opens its editor when the key comes up.
TEST(GridInput, KeyReleasesEndTheLookupAndReopenTheEditorWithAlwaysEdit)
{
    InputGrid g;
    g.SortSettings().Column = 1;
    g.Navigation().SetAutoGotoWhenSorted(true);
    g.Navigation().AutoGotoIncremental = true;
    for (int r = 1; r < 6; ++r)
        g.setCells(1, r, QStringList({"", "ala", "bolek", "beata", "celina", "cezary"})[r]);
    const auto typeKeys = [&](const QString& s) { QTest::keyClicks(&g, s); };
    typeKeys(QStringLiteral("ce"));
    EXPECT_EQ(g.row(), 4);
    typeKeys(QStringLiteral("z"));
    EXPECT_EQ(g.row(), 5);
    for (int k : {Qt::Key_Home, Qt::Key_Up, Qt::Key_Delete, Qt::Key_PageUp}) {
        g.focusCell(1, 5);
        g.key(k);
        typeKeys(QStringLiteral("b"));
        EXPECT_EQ(g.row(), 2) << k; // a new lookup, not "cezb"
    }

    g.Navigation().SetAutoGotoWhenSorted(false);
    g.setOptions(g.options() | ui::goEditing);
    g.Navigation().AlwaysEdit = true;
    g.focusCell(1, 1);
    g.key(Qt::Key_Down);
    ASSERT_TRUE(g.inplaceEditor());
    EXPECT_TRUE(g.inplaceEditor()->isVisible());
    EXPECT_EQ(g.row(), 2);
}

// The first column sized from a normal row with SizeFixedCol; a pressed fixed cell drawn
// sunken with FixedAsButtons; the grid's OnClick at every left press; a moved column's header
// travelling with the mouse.
TEST(GridInput, FixedColumnSizingPressedHeadersAndTheMovedColumnsIndicator)
{
    InputGrid g;
    int clicks = 0;
    g.OnClick = [&](TGridSender) { ++clicks; };
    const int x0 = g.platformCellRect(0, 3).Right;
    g.drag(QPoint(x0 - 1, g.at(0, 3).y()), QPoint(x0 + 30, g.at(0, 3).y()));
    EXPECT_EQ(g.colWidths(0), 60); // off: the first column keeps its width
    g.MouseActions().SizeFixedCol = true;
    g.drag(QPoint(x0 - 1, g.at(0, 3).y()), QPoint(x0 + 30, g.at(0, 3).y()));
    EXPECT_NEAR(g.colWidths(0), 90, 2);
    EXPECT_EQ(clicks, 2);

    g.FixedAsButtons = true;
    g.SetFlat(false);
    g.setOptions(g.options() | ui::goFixedHorzLine | ui::goFixedVertLine);
    const TRect head = g.platformCellRect(2, 0);
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, g.at(2, 0));
    QApplication::processEvents();
    const QImage pressed = g.viewport()->grab().toImage();

    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, g.at(2, 0));
    QApplication::processEvents();
    const QImage released = g.viewport()->grab().toImage();
    // The shadow runs along the top while pressed (the raised look has its light there).
    const auto shadowOnTop = [&](const QImage& img) {
        int n = 0;
        for (int y = head.Top; y < head.Top + 2; ++y)
            for (int x = head.Left + 3; x < head.Right - 3; ++x)
                n += QColor(img.pixel(x, y)) == QColor(128, 128, 128);
        return n;
    };
    EXPECT_GT(shadowOnTop(pressed), head.width() / 2);
    EXPECT_EQ(shadowOnTop(released), 0);

    g.setCells(3, 0, QStringLiteral("Kwota"));
    g.setOptions(g.options() | ui::goColMoving);
    g.EnhRowColMove = true;
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, g.at(3, 0));
    QTest::mouseMove(g.viewport(), g.at(3, 0, 10));
    QTest::mouseMove(g.viewport(), g.at(2, 0));
    auto* indicator = g.findChild<TPopupButton*>();
    ASSERT_TRUE(indicator);
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(indicator->Caption(), QStringLiteral("Kwota"));
    EXPECT_EQ(indicator->size(), QSize(g.colWidths(3), g.rowHeights(0)));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, g.at(2, 0));
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_EQ(g.cells(2, 0), QStringLiteral("Kwota"));
}

// Without ScrollSynch dragging the thumb moves the grid once, when it is let go; with it the
// grid follows the thumb. The keypad's decimal key types the program's decimal separator.
TEST(GridInput, ScrollSynchAndTheKeypadDecimalKey)
{
    InputGrid g;
    g.setRowCount(80);
    QScrollBar* bar = g.verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(20);
    QApplication::processEvents();
    EXPECT_EQ(g.topRow(), 1);
    bar->setSliderDown(false);
    EXPECT_EQ(g.topRow(), 20);
    g.ScrollSynch = true;
    bar->setSliderDown(true);
    bar->setSliderPosition(30);
    EXPECT_EQ(g.topRow(), 30);
    bar->setSliderDown(false);

    g.setOptions(g.options() | ui::goEditing);
    g.ExcelStyleDecimalSeparator = true;
    g.setTopRow(1);
    g.focusCell(2, 2);
    QTest::keyClick(&g, Qt::Key_Period, Qt::KeypadModifier);
    QApplication::processEvents();
    ASSERT_TRUE(g.inplaceEditor() && g.inplaceEditor()->isVisible());
    EXPECT_EQ(g.inplaceEditor()->text(), QString(text::decimalSeparator()));
}
