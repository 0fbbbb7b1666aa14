// The edit with a button, the edit with a unit and the flat combo box: their events, layout,
// the drop-down, and the colours the flat combo paints, probed by pixels.
#include "grid/controls/Tsgcombo.h"
#include "grid/controls/Tsgedit.h"
#include "grid/controls/TsgLayout.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace grid;

namespace {
QColor C(ui::Color c) { return ui::toQColor(c); }
} // namespace

TEST(GridEditBtn, ButtonAndF4FireTheEventAndTheEditorCanBeOff)
{
    TTsgEditBtn e;
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    std::vector<QObject*> senders;
    e.OnClickBtn = [&](QObject* Sender) { senders.push_back(Sender); };
    QTest::keyClick(&e, Qt::Key_F4);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], &e);

    e.EditorEnabled = false;
    e.setCursorPosition(1);
    QTest::keyClicks(&e, QStringLiteral("7"));
    QTest::keyClick(&e, Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("55"));
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    QTest::keyClick(&e, Qt::Key_F4);
    EXPECT_EQ(senders.size(), 2u);

    // The embedded button: one click for a left release over it, nothing for the right button.
    TTxSpeedButton* b = e.EditButton()->Button();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_EQ(senders.size(), 3u);
    EXPECT_EQ(senders[2], e.EditButton());
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(senders.size(), 3u);

    e.EditorEnabled = true;
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.text(), QStringLiteral("055"));
}

TEST(GridEditBtn, TextAndButtonPlaces)
{
    // The text starts 2 pixels in without a border and 1 with one.
    EXPECT_EQ(EditBtnTextRect(117, 17, true, 18, 0), (ui::Rect{1, 1, 96, 18}));
    EXPECT_EQ(EditBtnTextRect(121, 21, false, 18, 20), (ui::Rect{2, 2, 80, 22}));
    EXPECT_EQ(EditButtonPlace(121, 21, 18, true, true), (ui::Rect{98, 0, 116, 16}));
    EXPECT_EQ(EditButtonPlace(121, 21, 18, true, false), (ui::Rect{102, 0, 120, 20}));
    EXPECT_EQ(EditButtonPlace(121, 21, 18, false, true), (ui::Rect{103, 1, 121, 19}));
    EXPECT_EQ(EditBtnMinHeight(13, 16), 16);
    EXPECT_EQ(SpinEditMinHeight(13, 12, true), 13 + 3 + 2 + 4);

    TTsgEditBtn e;
    e.resize(121, 24);
    e.AdjustLayout();
    // Inside the two-pixel sunken border, one pixel short of its right and bottom.
    EXPECT_EQ(e.EditButton()->geometry(), QRect(100, 2, 18, 19));
    EXPECT_EQ(e.EditRect(), (ui::Rect{1, 1, 96, 21}));
    e.SetBorderStyle(bsNone);
    EXPECT_EQ(e.EditRect().Left, 2);
    EXPECT_EQ(e.EditButton()->geometry(), QRect(102, 0, 18, 23));
    e.resize(121, 2);
    e.AdjustLayout();
    EXPECT_EQ(e.height(), e.MinHeight());
}

TEST(GridEditBtn, UnitsComeFromAPopupAndAreDrawnBesideTheText)
{
    QWidget form;
    auto* e = new TTsgUnitEditBtn(&form);
    e->setText(QStringLiteral("12"));
    const QStringList units{QStringLiteral("kg"), QStringLiteral("szt"), QStringLiteral("m")};
    e->SetUnits(&units);
    e->SetUnits(nullptr); // ignored
    bool fired = false;
    e->OnClickBtn = [&](QObject*) { fired = true; };
    form.resize(200, 60);
    form.show();

    QStringList offered;
    SetPopupTracker([&](QMenu& Menu, const QPoint&) -> QAction* {
        for (QAction* a : Menu.actions())
            offered << a->text();
        return Menu.actions().value(1);
    });
    QImage before = e->grab().toImage();
    QTest::mouseClick(e->EditButton()->Button(), Qt::LeftButton, {}, QPoint(4, 4));
    SetPopupTracker({});
    EXPECT_EQ(offered, units);
    EXPECT_EQ(e->UnitID(), QStringLiteral("szt"));
    EXPECT_EQ(e->text(), QStringLiteral("12"));
    EXPECT_FALSE(fired);

    // The unit shows in its 20-pixel area between the text and the button.
    const ui::Rect u = e->UnitRect();
    EXPECT_EQ(u.width(), 20);
    EXPECT_LT(u.Right, e->EditButton()->x());
    const QImage after = e->grab().toImage();
    int changed = 0;
    for (int y = u.Top; y < u.Bottom; ++y)
        for (int x = u.Left; x < u.Right; ++x)
            changed += after.pixel(x, y) != before.pixel(x, y);
    EXPECT_GT(changed, 0);
    e->UnitCommand(9); // no such entry
    EXPECT_EQ(e->UnitID(), QStringLiteral("szt"));
}

namespace {
// A flat combo on a coloured parent, painted as a picture.
struct Flat {
    Flat()
    {
        parent.setControlColor(kParent);
        parent.resize(160, 50);
        combo = new TTSGComboBox(&parent);
        combo->SetStyle(csDropDownList);
        combo->setControlColor(kOwn);
        combo->SetButtonWidth(18);
        combo->setGeometry(10, 10, 120, 22);
        combo->addItems({QStringLiteral("jeden"), QStringLiteral("dwa")});
        combo->setCurrentIndex(-1);
        parent.show();
        QApplication::processEvents();
        combo->clearFocus(); // the focus would turn the button 3-D
    }
    QColor at(int x, int y)
    {
        const QImage img = combo->grab().toImage();
        return QColor(img.pixel(x, y));
    }
    static constexpr ui::Color kParent = ui::rgb(20, 120, 220);
    static constexpr ui::Color kOwn = ui::rgb(250, 250, 200);
    ui::Control parent;
    TTSGComboBox* combo;
};
} // namespace

TEST(GridCombo, ButtonWidthFlatAndTheDropDown)
{
    Flat f;
    TTSGComboBox& c = *f.combo;
    c.SetButtonWidth(13);
    c.SetButtonWidth(33);
    EXPECT_EQ(c.ButtonWidth(), 18);
    c.SetButtonWidth(14);
    EXPECT_EQ(c.ButtonWidth(), 14);
    c.SetButtonWidth(32);
    EXPECT_EQ(c.ButtonWidth(), 32);
    EXPECT_TRUE(c.Flat());
    EXPECT_FALSE(c.Ctl3D());
    c.SetFlat(false);
    EXPECT_TRUE(c.Ctl3D());
    c.SetFlat(true);

    c.SetDropWidth(240);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(c.width() - 5, 10));
    ASSERT_TRUE(c.DroppedDown());
    EXPECT_GE(c.view()->window()->width(), 240);
    c.hidePopup();
    EXPECT_FALSE(c.DroppedDown());
}

TEST(GridCombo, FlatColoursHoverDisabledAndSimple)
{
    Flat f;
    TTSGComboBox& c = *f.combo;
    const int w = c.width();
    // At rest: two rings of the parent's colour, then the own colour; the button's face.
    EXPECT_EQ(f.at(0, 0), C(Flat::kParent));
    EXPECT_EQ(f.at(1, 12), C(Flat::kParent));
    EXPECT_EQ(f.at(2, 12), C(Flat::kOwn));
    EXPECT_EQ(f.at(50, 11), C(Flat::kOwn));
    EXPECT_EQ(f.at(w - 18, 3), C(ui::clBtnFace));
    EXPECT_EQ(f.at(w - 18, 2), C(Flat::kOwn)); // the inner ring

    // The mouse over it: a raised button edge, etched on request; the border stays flat
    // without FocusBorder.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
    QApplication::sendEvent(&c, &enter);
    ASSERT_TRUE(c.MouseInControl());
    EXPECT_EQ(f.at(w - 18, 2), C(ui::cl3DLight));
    EXPECT_EQ(f.at(w - 3, 19), C(ui::cl3DDkShadow));
    EXPECT_EQ(f.at(0, 0), C(Flat::kParent));
    c.SetEtched(true);
    EXPECT_EQ(f.at(w - 18, 2), C(ui::clBtnShadow));
    c.FocusBorder = true;
    EXPECT_EQ(f.at(0, 0), C(ui::clBtnShadow)); // a sunken outer edge
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&c, &leave);
    c.FocusBorder = false;

    // Disabled, it shows its parent's colour; enabled again, its own.
    c.setEnabled(false);
    EXPECT_EQ(f.at(50, 11), C(Flat::kParent));
    c.setEnabled(true);
    EXPECT_EQ(f.at(50, 11), C(Flat::kOwn));
    EXPECT_EQ(c.controlColor(), Flat::kOwn);

    // The simple style has no button.
    c.SetStyle(csSimple);
    EXPECT_EQ(f.at(w - 10, 11), C(Flat::kOwn));
}

// At rest the flat button shows its arrow; the simple style shows its list under the edit,
// always open, a click in it choosing the item.
TEST(GridCombo, IdleArrowAndTheSimpleList)
{
    Flat f;
    TTSGComboBox& c = *f.combo;
    ASSERT_FALSE(c.MouseInControl());
    ASSERT_FALSE(c.hasFocus());
    const QImage img = c.grab().toImage();
    int arrow = 0;
    for (int x = c.width() - c.ButtonWidth(); x < c.width(); ++x)
        for (int y = 0; y < c.height(); ++y)
            arrow += QColor(img.pixel(x, y)) == C(ui::clBtnText);
    EXPECT_GT(arrow, 5);

    c.SetStyle(csSimple);
    QApplication::processEvents();
    auto* list = c.findChild<QAbstractItemView*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    ASSERT_NE(c.lineEdit(), nullptr);
    EXPECT_GE(list->geometry().top(), c.lineEdit()->geometry().bottom());
    EXPECT_LE(list->geometry().bottom(), c.height());
    c.showPopup();
    EXPECT_FALSE(c.DroppedDown());
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(c.currentIndex(), 1);
    EXPECT_EQ(c.Text(), QStringLiteral("dwa"));
}
