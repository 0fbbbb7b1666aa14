// The string-grid widget: the select-cell gate, the inplace editor protocol, Tab with goTabs
// and the fixed areas staying in place while the rest scrolls.
#include "platform/ui/StringGridView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace ui;

namespace {
class GateGrid : public StringGridView {
public:
    GateGrid()
    {
        setFrameShape(QFrame::NoFrame);
        setDefaultColWidth(40);
        setDefaultRowHeight(20);
        resize(200, 120);
        show();
        QApplication::processEvents();
    }
    bool selectCell(int c, int r) override
    {
        asked.emplace_back(c, r);
        return c != 3;
    }
    void key(QWidget* w, int k, const QString& text = QString())
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(w, &e);
    }
    std::vector<std::pair<int, int>> asked;
};
} // namespace

TEST(UiGridView, SelectCellGatesEveryMove)
{
    GateGrid g;
    EXPECT_TRUE(g.focusCell(2, 2));
    EXPECT_FALSE(g.focusCell(3, 2));
    EXPECT_EQ(g.col(), 2);
    g.key(&g, Qt::Key_Right); // refused by the gate
    EXPECT_EQ(g.col(), 2);
    g.key(&g, Qt::Key_Down);
    EXPECT_EQ(g.row(), 3);
    EXPECT_FALSE(g.asked.empty());
}

TEST(UiGridView, EditorOpensCommitsAndCancels)
{
    GateGrid g;
    g.setOptions(g.options() | goEditing);
    g.setCells(1, 1, QStringLiteral("stare"));
    g.focusCell(1, 1);
    g.key(&g, Qt::Key_F2);
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("stare"));
    g.inplaceEditor()->setText(QStringLiteral("nowe"));
    g.key(g.inplaceEditor(), Qt::Key_Return);
    EXPECT_FALSE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("nowe"));

    g.key(&g, Qt::Key_X, QStringLiteral("x")); // typing opens the editor with the character
    ASSERT_TRUE(g.editorMode());
    EXPECT_EQ(g.inplaceEditor()->text(), QStringLiteral("x"));
    g.key(g.inplaceEditor(), Qt::Key_Escape);
    EXPECT_FALSE(g.editorMode());
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("nowe"));

    g.setOptions(g.options() & ~unsigned(goEditing));
    g.key(&g, Qt::Key_F2);
    EXPECT_FALSE(g.editorMode());
}

TEST(UiGridView, TabMovesOnlyWithGoTabs)
{
    GateGrid g;
    g.focusCell(1, 1);
    g.setOptions(g.options() | goTabs);
    g.key(&g, Qt::Key_Tab);
    EXPECT_EQ(g.col(), 2);
}

TEST(UiGridView, FixedRowsAndColumnsStayWhileTheRestScrolls)
{
    GateGrid g;
    g.setRowCount(50);
    g.setColCount(20);
    g.setCells(0, 0, QStringLiteral("X"));
    const QImage before = g.viewport()->grab().toImage();
    g.setTopRow(30);
    g.setLeftCol(10);
    EXPECT_EQ(g.topRow(), 30);
    EXPECT_EQ(g.leftCol(), 10);
    const QImage after = g.viewport()->grab().toImage();
    // The top-left fixed cell is drawn the same.
    EXPECT_EQ(before.copy(0, 0, 40, 20), after.copy(0, 0, 40, 20));
    EXPECT_EQ(g.platformCellRect(10, 30), (Rect{40, 20, 80, 40}));
    g.focusCell(12, 5);
    EXPECT_EQ(g.topRow(), 5); // moving the current cell scrolls it into view
}

namespace {
// Makes its own editor and records every press, fixed cells included.
class HookGrid : public GateGrid {
public:
    QLineEdit* createEditor() override
    {
        ++made;
        auto* e = new QLineEdit(viewport());
        e->setObjectName(QStringLiteral("own"));
        return e;
    }
    void mouseDown(Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint p) override
    {
        int c = -1, r = -1;
        mouseToCell(p, c, r);
        pressed.emplace_back(c, r);
        GateGrid::mouseDown(b, m, p);
    }
    int made = 0;
    std::vector<std::pair<int, int>> pressed;
};

void click(QWidget* w, QPoint p)
{
    QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, {}, {});
    QApplication::sendEvent(w, &release);
}
} // namespace

TEST(UiGridView, EditorComesFromTheHookAndFixedClicksReachTheGrid)
{
    HookGrid g;
    g.setOptions(g.options() | goEditing);
    g.focusCell(1, 1);
    g.showEditor();
    g.hideEditor();
    g.showEditor();
    EXPECT_EQ(g.made, 1); // made once, reused
    EXPECT_EQ(g.inplaceEditor()->objectName(), QStringLiteral("own"));
    g.hideEditor();

    click(g.viewport(), QPoint(50, 5));  // header cell (1, 0)
    click(g.viewport(), QPoint(90, 30)); // normal cell (2, 1)
    ASSERT_EQ(g.pressed.size(), 2u);
    EXPECT_EQ(g.pressed[0], std::make_pair(1, 0));
    EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(2, 1)); // only the normal cell selects
}
