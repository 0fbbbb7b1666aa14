// The grid's support classes: a custom editor link driven through the grid's editing, change
// notifiers, the footer's template text and the formatted-text hint's measuring and placing.
#include "grid/core/Txgrid.h"
#include "grid/paint/TxgridFooterPanel.h"
#include "grid/edit/TxgridRichEdit.h"
#include "grid/edit/TxgridEditLink.h"
#include "grid/input/TxgridHintWindow.h"
#include "grid/paint/TxgridFooterPanel.h"
#include "support/Keyboard.h"

#include <QImage>
#include <QPainter>
#include <QTextCharFormat>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// A link over a line edit whose keys go through EditKeyDown, recording the drive sequence.
struct LineLink : TEditLink, QObject {
    QLineEdit* edit = nullptr;
    QStringList calls;
    QWidget* GetEditControl() override { return edit; }
    void CreateEditor(QWidget* AParent) override
    {
        calls << QStringLiteral("create");
        if (!edit) {
            edit = new QLineEdit(AParent);
            edit->installEventFilter(this);
        }
    }
    void SetRect(TRect R) override
    {
        calls << QStringLiteral("rect");
        TEditLink::SetRect(R);
    }
    void SetVisible(bool V) override
    {
        calls << (V ? QStringLiteral("show") : QStringLiteral("hide"));
        TEditLink::SetVisible(V);
    }
    void SetProperties() override { calls << QStringLiteral("props"); }
    QString GetEditorValue() override { return edit ? edit->text() : QString(); }
    void SetEditorValue(const QString& S) override
    {
        calls << QStringLiteral("value");
        edit->setText(S);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        int key = static_cast<QKeyEvent*>(e)->key();
        EditKeyDown(o, key, Qt::NoModifier);
        return key == 0;
    }
};

struct LinkGrid : TTxStringGrid {
    LineLink link;
    LinkGrid()
    {
        setColCount(5);
        setRowCount(5);
        setOptions(options() | ui::goEditing);
        OnGetEditorType = [](TGridSender, int, int, TEditorType& e) { e = edCustom; };
        EditLink = &link;
        resize(500, 200);
        keyboard::showFocused(*this);
        focusCell(2, 2);
    }
    void key(int k) { keyboard::key(*this, k); }
    void open()
    {
        key(Qt::Key_F2);
        QApplication::processEvents();
    }
};

struct Counter : TGridChangeNotifier {
    int id;
    std::vector<int>* order;
    Counter(std::vector<int>* o, int i) : id(i), order(o) {}
    void CellsChanged(TRect) override { order->push_back(id); }
};

} // namespace

TEST(GridSupportClasses, EditLinkIsDrivenInOrderAndReturnStoresLeavesAndAdvances)
{
    LinkGrid g;
    g.setCells(2, 2, QStringLiteral("abc"));
    g.HideColumn(2); // display column 2 is real column 3
    g.setCells(3, 2, QStringLiteral("real"));
    int propRow = -1;
    g.OnGetEditorProp = [&](TGridSender, int, int ARow, TEditLink* L) {
        propRow = ARow;
        EXPECT_EQ(L, &g.link);
    };
    g.open();
    ASSERT_NE(g.link.edit, nullptr);
    EXPECT_EQ(g.link.calls, (QStringList{"create", "rect", "show", "props", "value"}));
    EXPECT_EQ(propRow, 2);
    EXPECT_EQ(g.link.edit->text(), QStringLiteral("real"));
    EXPECT_TRUE(g.link.edit->hasFocus());
    const TRect cell = g.CellRect(2, 2);
    EXPECT_EQ(g.link.edit->geometry(),
              QRect(cell.Left, cell.Top, cell.Right - cell.Left - g.GridLineWidth(),
                    cell.Bottom - cell.Top - g.GridLineWidth()));

    g.link.edit->setText(QStringLiteral("new"));
    g.key(Qt::Key_Return);
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("new"));
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("abc")); // the hidden column is untouched
    EXPECT_FALSE(g.EditActive());
    EXPECT_FALSE(g.link.edit->isVisible());
    EXPECT_NE(g.col() * 100 + g.row(), 2 * 100 + 2); // moved on
}

TEST(GridSupportClasses, EditLinkKeysByWantFlagsAndEscapeRestores)
{
    TEditLink l;
    EXPECT_TRUE(EditLinkKeyLeaves(l, Qt::Key_Return));
    EXPECT_TRUE(EditLinkKeyLeaves(l, Qt::Key_Home));
    EXPECT_FALSE(EditLinkKeyLeaves(l, Qt::Key_A));
    l.WantKeyReturn = l.WantKeyHomeEnd = true;
    EXPECT_FALSE(EditLinkKeyLeaves(l, Qt::Key_Return));
    EXPECT_FALSE(EditLinkKeyLeaves(l, Qt::Key_Home));
    EXPECT_FALSE(EditLinkKeyLeaves(l, Qt::Key_End));
    EXPECT_TRUE(EditLinkKeyLeaves(l, Qt::Key_Up));

    LinkGrid g;
    g.link.WantKeyReturn = true;
    g.setCells(2, 2, QStringLiteral("old"));
    g.open();
    g.link.edit->setText(QStringLiteral("typed"));
    g.key(Qt::Key_Return); // kept by the editor
    EXPECT_TRUE(g.EditActive());
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("old"));
    g.key(Qt::Key_Escape);
    EXPECT_FALSE(g.EditActive());
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("old"));
    EXPECT_EQ(g.col(), 2);
    EXPECT_EQ(g.row(), 2);

    // Wanted arrows and page keys stay in a plain line edit, which has no use for them: the
    // grid under it neither moves nor ends the edit.
    g.link.WantKeyUpDown = g.link.WantKeyPriorNext = true;
    g.open();
    for (int k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_PageUp}) {
        g.key(k);
        EXPECT_TRUE(g.EditActive()) << k;
        EXPECT_TRUE(g.link.edit->hasFocus()) << k;
        EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(2, 2)) << k;
    }
}

TEST(GridSupportClasses, NotifiersFireAfterTheEventInOrderOnceEach)
{
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(3);
    std::vector<int> order;
    Counter a(&order, 1), b(&order, 2);
    g.OnCellsChanged = [&](TGridSender, TRect) { order.push_back(0); };
    g.RegisterNotifier(&a);
    g.RegisterNotifier(&b);
    g.RegisterNotifier(&a); // ignored
    g.CellsChanged(TRect{0, 0, 1, 1});
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    order.clear();
    g.UnRegisterNotifier(&a);
    g.CellsChanged(TRect{0, 0, 1, 1});
    EXPECT_EQ(order, (std::vector<int>{0, 2}));
}

TEST(GridSupportClasses, FooterTemplateReplacesColumnTagsAndDropsBadOnes)
{
    auto cell = [](int c) { return QStringLiteral("c%1").arg(c); };
    EXPECT_EQ(FooterTemplateText(QStringLiteral("Suma: <#2><#x> zł"), cell), QStringLiteral("Suma: c2 zł"));
    EXPECT_EQ(FooterTemplateText(QStringLiteral("<#10>/<#>"), cell), QStringLiteral("c10/"));
    EXPECT_EQ(FooterTemplateText(QStringLiteral("a <# b"), cell), QStringLiteral("a <# b"));
}

TEST(GridSupportClasses, HintMeasuresFormattedTextAndStaysInsideTheScreen)
{
    THTMLHintWindow h;
    h.SetMeasurer(std::make_shared<ui::FixedTextMeasurer>(7, 14));
    EXPECT_EQ(h.CalcHintRect(1008, QStringLiteral("<b>ab</b>cd<br>x")), (TRect{0, 0, 28, 28}));

    const QRect screen(0, 0, 800, 600);
    EXPECT_EQ(HintWindowRect({10, 20}, 28, 28, screen), QRect(10, 20, 44, 32));
    const QRect corner = HintWindowRect({790, 590}, 28, 28, screen);
    EXPECT_EQ(corner.right() + 1, 798);
    EXPECT_EQ(corner.bottom() + 1, 598);
    EXPECT_EQ(corner.size(), QSize(44, 32));
}

TEST(GridSupportClasses, FooterPanelShowsTheCurrentRowsCellsByTemplate)
{
    TTxStringGrid g;
    g.setColCount(4);
    g.setRowCount(4);
    g.setCells(2, 2, QStringLiteral("123,45"));
    g.setCells(2, 1, QStringLiteral("other row"));
    g.focusCell(1, 2);
    g.FloatingFooter().SetCustomTemplate(QStringLiteral("Razem <#2><#x>"));
    g.FloatingFooter().SetFooterStyle(fsCustomPreview);
    auto* panel = dynamic_cast<TFooterPanel*>(g.FooterPanel());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->CustomText(), QStringLiteral("Razem 123,45"));
    int all = 0;
    for (int c = 0; c < 4; ++c)
        all += g.colWidths(c);
    EXPECT_EQ(panel->FooterWidth(), all);

    // Every style paints without a window and leaves the grid's selection colour as it was.
    panel->resize(400, 20);
    const ui::Color sel = g.SelectionTextColor();
    for (TFooterStyle st : {fsFixedLastRow, fsColumnPreview, fsCustomPreview}) {
        g.FloatingFooter().SetFooterStyle(st);
        QImage img(400, 20, QImage::Format_RGB32);
        QPainter p(&img);
        ui::Canvas c(&p);
        c.setMeasurer(std::make_shared<ui::FixedTextMeasurer>());
        panel->PaintTo(c);
    }
    EXPECT_EQ(g.SelectionTextColor(), sel);

    // The footer's height follows the default row height, set before it shows or after.
    g.setDefaultRowHeight(31);
    EXPECT_EQ(g.FloatingFooter().Height(), 31);
    g.FloatingFooter().SetVisible(true);
    g.resize(300, 200);
    g.show();
    QApplication::processEvents();
    EXPECT_EQ(panel->height(), 30);
    g.setDefaultRowHeight(25);
    QApplication::processEvents();
    EXPECT_EQ(panel->height(), 24);
}

TEST(GridSupportClasses, RichEditScriptsAndGrowsTheRowOnlyWhileTypingUnlocked)
{
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(5);
    g.resize(300, 300);
    g.show();
    QApplication::processEvents();
    g.focusCell(1, 1);
    TTxRichEdit e(g);
    e.setPlainText(QStringLiteral("x2"));
    e.selectAll();
    e.SelSuperscript();
    EXPECT_EQ(e.textCursor().charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    e.SelSubscript();
    EXPECT_EQ(e.textCursor().charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
    e.SelNormal();
    EXPECT_EQ(e.textCursor().charFormat().verticalAlignment(), QTextCharFormat::AlignNormal);

    e.show();
    const int h = g.rowHeights(1);
    e.RequestResize(QSize(50, h + 20)); // not sizing while typing: only recorded
    EXPECT_EQ(e.ReqHeight, h + 20);
    EXPECT_EQ(g.rowHeights(1), h);
    g.SizeWhileTyping().Height = true;
    e.Lock();
    e.RequestResize(QSize(50, h + 20));
    EXPECT_EQ(g.rowHeights(1), h);
    e.Unlock();
    e.RequestResize(QSize(50, h + 20));
    EXPECT_EQ(g.rowHeights(1), h + 20);
    e.RequestResize(QSize(50, 5000)); // past the grid's bottom: left alone
    EXPECT_EQ(g.rowHeights(1), h + 20);
}
