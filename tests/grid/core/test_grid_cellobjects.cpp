// Cell objects of the grid: every kind made, queried, toggled and freed under its rule;
// nodes; the room cell objects take; the bare structure hooks moving objects with cells.
#include "grid/core/Txgrid.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// A 1 x 1 picture that counts how often its pixels are let go.
TBitmap countedBitmap(int* freed)
{
    static uchar pixel[4] = {0, 0, 0, 0};
    return QImage(
        pixel, 1, 1, QImage::Format_ARGB32, [](void* n) { ++*static_cast<int*>(n); }, freed);
}

struct Counted {
    explicit Counted(int* freed) : freed(freed) {}
    ~Counted() { ++*freed; }
    int* freed;
};

} // namespace

TEST(GridCellObjects, OwnedObjectsAreFreedLentOnesAreNot)
{
    int freed = 0;
    {
        TOwnedRef<Counted> ref;
        Counted mine(&freed);
        ref.lend(&mine);
        ref.reset();
        EXPECT_EQ(freed, 0);
        ref.own(std::make_unique<Counted>(&freed));
        ref.lend(&mine); // replacing an owned object frees it
        EXPECT_EQ(freed, 1);
    }
    EXPECT_EQ(freed, 2); // and the caller's own goes with the caller

    TTxStringGrid g;
    int bitmapFreed = 0;
    {
        TBitmap lent = countedBitmap(&bitmapFreed);
        g.AddBitmap(1, 1, &lent, false, haLeft, vaTop);
        EXPECT_EQ(g.GetBitmap(1, 1), &lent);
        EXPECT_FALSE(g.GetCellGraphic(1, 1)->Owned());
        g.RemoveBitmap(1, 1);
        EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
        EXPECT_EQ(bitmapFreed, 0); // the caller's bitmap survives removal
    }
    EXPECT_EQ(bitmapFreed, 1);

    *g.CreateBitmap(2, 2, true, haCenter, vaCenter) = countedBitmap(&bitmapFreed);
    EXPECT_TRUE(g.GetCellGraphic(2, 2)->Owned());
    EXPECT_TRUE(g.GetCellGraphic(2, 2)->Flag);
    g.CreateIcon(2, 2, haLeft, vaTop); // a new cell object frees the owned bitmap
    EXPECT_EQ(bitmapFreed, 2);
    EXPECT_EQ(g.GetCellType(2, 2), ctIcon);
    EXPECT_EQ(g.GetBitmap(2, 2), nullptr);
    EXPECT_FALSE(g.RemoveCellGraphic(2, 2, ctBitmap)); // only the named kind goes
    EXPECT_TRUE(g.RemoveCellGraphic(2, 2, ctIcon));

    auto glyph = std::make_unique<TBitmap>(countedBitmap(&bitmapFreed));
    g.AddBitButton(3, 1, 40, 20, QStringLiteral("OK"), std::move(glyph), haCenter, vaCenter);
    g.RemoveButton(3, 1); // a glyph handed in belongs to the grid
    EXPECT_EQ(bitmapFreed, 3);
    EXPECT_EQ(g.cells(3, 1), QString()); // making cell objects leaves the text empty
}

TEST(GridCellObjects, CheckBoxesKeepOrReadTheirStateAndToggle)
{
    TTxStringGrid g;
    g.SetVAlignment(vtaCenter);
    g.AddCheckBox(1, 1, true, false);
    const TCellGraphic* c = g.GetCellGraphic(1, 1);
    EXPECT_EQ(c->CellType, ctCheckBox);
    EXPECT_EQ(c->HAlign, haBeforeText);
    EXPECT_EQ(c->VAlign, vaCenter);
    EXPECT_TRUE(c->Flag);
    bool state = false;
    EXPECT_TRUE(g.GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(g.ToggleCheckBox(1, 1));
    g.GetCheckBoxState(1, 1, state);
    EXPECT_FALSE(state);

    g.AddCheckBox(2, 1, false, true);
    g.setCells(2, 1, QStringLiteral("maybe"));
    EXPECT_TRUE(g.ToggleCheck(2, 1, false)); // neither text: becomes the check-true text
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("Y"));
    g.ToggleCheck(2, 1, false);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("N"));
    EXPECT_TRUE(g.SetCheckBoxState(2, 1, true));
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("Y"));
    g.GetCheckBoxState(2, 1, state);
    EXPECT_TRUE(state);

    int asked = 0;
    g.OnCanEditCell = [&](TTxStringGrid&, int ARow, int ACol, bool& can) {
        ++asked;
        EXPECT_EQ(ARow, 1);
        EXPECT_EQ(ACol, 2);
        can = false;
    };
    EXPECT_FALSE(g.ToggleCheck(2, 1, true)); // refused: nothing changes
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("Y"));
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(g.ToggleCheck(2, 1, false)); // the program itself is not asked
    EXPECT_EQ(asked, 1);

    // Has... look at the base cell of a merged block.
    g.MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(g.HasCheckBox(2, 2));
    EXPECT_TRUE(g.HasStaticEdit(2, 2));
    EXPECT_FALSE(g.HasDataCheckBox(2, 2));
    g.RemoveCheckBox(1, 1);
    EXPECT_FALSE(g.HasCheckBox(1, 1));
    EXPECT_FALSE(g.GetCheckBoxState(3, 3, state));
}

TEST(GridCellObjects, RadioGroupsWrapAndWriteTheItem)
{
    TTxStringGrid g;
    QStringList items{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    g.AddRadio(1, 1, 1, 2, &items);
    EXPECT_TRUE(g.IsRadio(1, 1));
    EXPECT_EQ(g.GetCellGraphic(1, 1)->SecondValue, 3);
    EXPECT_TRUE(g.GetCellGraphic(1, 1)->State); // side by side
    EXPECT_FALSE(g.ToggleRadio(1, 1, false));   // always false
    int idx = -1;
    EXPECT_TRUE(g.GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0); // wrapped
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.GetRadioStrings(1, 1), &items);

    // A negative index follows the cell text and stays negative.
    QStringList* own = g.CreateRadio(2, 1, 0, -1);
    *own << QStringLiteral("x") << QStringLiteral("y") << QStringLiteral("z");
    g.setCells(2, 1, QStringLiteral("y"));
    g.ToggleRadio(2, 1, false);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("z"));
    g.GetRadioIdx(2, 1, idx);
    EXPECT_EQ(idx, -1);
    g.setCells(2, 1, QStringLiteral("none"));
    g.ToggleRadio(2, 1, false);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("x"));

    // The index goes only into a radio group.
    g.AddButton(3, 1, 30, 20, QStringLiteral("B"), haLeft, vaTop);
    EXPECT_FALSE(g.SetRadioIdx(3, 1, 7));
    EXPECT_EQ(g.GetCellGraphic(3, 1)->ButtonWidth(), 30);
    EXPECT_TRUE(g.SetRadioIdx(1, 1, 1));
    g.RemoveRadio(1, 1);
    EXPECT_EQ(items.size(), 3); // the caller's list lives on
}

TEST(GridCellObjects, ButtonsCommentsMarkersRotatedProgress)
{
    TTxStringGrid g;
    g.setDefaultColWidth(50);
    g.setDefaultRowHeight(20);
    g.AddButton(2, 1, 30, 16, QStringLiteral("Go"), haCenter, vaCenter);
    g.GetCellGraphic(2, 1)->ButtonOffset = QPoint(10, 2);
    EXPECT_EQ(g.ButtonRect(2, 1), (TRect{110, 22, 140, 38}));
    EXPECT_TRUE(g.HasButton(2, 1));
    g.PushButton(2, 1, true);
    EXPECT_TRUE(g.GetCellGraphic(2, 1)->State);
    EXPECT_TRUE(g.ButtonRect(3, 3).isEmpty());

    QString comment;
    g.AddComment(1, 1, QStringLiteral("abc"));
    EXPECT_TRUE(g.IsComment(1, 1, comment));
    EXPECT_EQ(comment, QStringLiteral("abc"));
    g.AddComment(1, 2, QStringLiteral("one\ntwo\n"));
    g.IsComment(1, 2, comment);
    EXPECT_EQ(comment, QStringLiteral("one\r\ntwo"));
    EXPECT_FALSE(g.IsComment(2, 1, comment));

    g.AddCheckBox(3, 2, false, false);
    g.AddMarker(3, 2, 4, 70000); // 16 bits each
    int m1 = 0, m2 = 0;
    g.GetMarker(3, 2, m1, m2);
    EXPECT_EQ(m1, 4);
    EXPECT_EQ(m2, qint16(70000));
    EXPECT_EQ(g.GetCellType(3, 2), ctCheckBox); // the check box stays
    g.RemoveMarker(3, 2);
    EXPECT_EQ(g.GetCellType(3, 2), ctCheckBox);
    g.GetMarker(3, 2, m1, m2);
    EXPECT_EQ(m1 + m2, 0);
    g.AddMarker(4, 2, 1, 2); // on a plain cell: an empty cell object carries them
    EXPECT_EQ(g.GetCellType(4, 2), ctEmpty);
    g.RemoveMarker(4, 2);
    EXPECT_EQ(g.GetCellGraphic(4, 2), nullptr);

    int angle = 0;
    g.AddRotated(1, 3, -90, QStringLiteral("up"));
    EXPECT_TRUE(g.IsRotated(1, 3, angle));
    EXPECT_EQ(angle, 270);
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("up"));
    g.SetRotated(1, 3, 720);
    g.IsRotated(1, 3, angle);
    EXPECT_EQ(angle, 360);
    // Turning a radio group into rotated text lets its list go and keeps the markers.
    QStringList* items = g.CreateRadio(2, 3, 0, 0);
    items->append(QStringLiteral("a"));
    g.AddMarker(2, 3, 5, 6);
    g.SetRotated(2, 3, 45);
    EXPECT_EQ(g.GetCellType(2, 3), ctRotated);
    EXPECT_EQ(g.GetRadioStrings(2, 3), nullptr);
    EXPECT_EQ(g.GetCellGraphic(2, 3)->Strings.get(), nullptr);
    g.GetMarker(2, 3, m1, m2);
    EXPECT_EQ(m1, 5);

    g.AddProgressEx(4, 3, ui::clRed, ui::clWhite, ui::clBlue, ui::clBlack);
    const TCellGraphic* p = g.GetCellGraphic(4, 3);
    EXPECT_TRUE(p->State);
    EXPECT_EQ(p->BarColor, ui::clRed);
    EXPECT_EQ(p->RestTextColor, ui::clBlack);
    g.AddProgress(4, 3, ui::clGreen, ui::clSilver);
    EXPECT_FALSE(g.GetCellGraphic(4, 3)->State);
}

TEST(GridCellObjects, ImagesNeedTheImageListAndDataImagesRemoveAsThemselves)
{
    TTxStringGrid g;
    g.AddImageIdx(1, 1, 3, haLeft, vaTop);
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty); // nothing without GridImages
    TImageList list;
    list.Width = 16;
    list.Height = 12;
    list.Images.resize(5);
    g.SetImages(&list);
    g.AddImageIdx(1, 1, 3, haLeft, vaTop);
    int idx = -1;
    EXPECT_TRUE(g.GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 3);
    g.AddDataImage(2, 1, 1, haLeft, vaTop);
    g.RemoveImageIdx(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctDataImage);
    g.RemoveDataImage(2, 1);
    EXPECT_EQ(g.GetCellType(2, 1), ctEmpty);

    g.AddMultiImage(1, 3, 0, haLeft, vaTop);
    TIntList* images = g.GetCellImages(1, 3);
    ASSERT_NE(images, nullptr);
    images->Add(1);
    images->Add(4);
    EXPECT_EQ(g.GetCellGraphicSize(1, 3), TPoint(32, 12)); // side by side
    g.InsertRows(2, 2);
    ASSERT_EQ(g.GetCellImages(1, 5), images); // moved with its cell, not copied
    EXPECT_EQ(images->Row(), 5);              // and repaints where it now is
    EXPECT_EQ(g.GetCellProperties(1, 5)->Row(), 5);
}

TEST(GridCellObjects, RoomTakenByCellObjects)
{
    ui::setTextMeasurer(std::make_shared<ui::FixedTextMeasurer>(7, 14));
    TTxStringGrid g;
    g.setColWidths(1, 100);
    g.setRowHeights(1, 50);
    g.AddCheckBox(1, 1, false, false);
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), TPoint(15, 15)); // the control look's check size
    QStringList items{QStringLiteral("ab"), QStringLiteral("abcd")};
    g.AddRadio(1, 2, 0, 0, &items);
    EXPECT_EQ(g.GetCellGraphicSize(1, 2), TPoint(40, 28)); // stacked: widest + 12, lines
    g.AddRadio(1, 3, 1, 0, &items);
    EXPECT_EQ(g.GetCellGraphicSize(1, 3), TPoint(66, 14)); // side by side: each + 12
    QStringList none;
    g.AddRadio(1, 4, 0, 0, &none);
    EXPECT_EQ(g.GetCellGraphicSize(1, 4), TPoint(12, 0));
    TBitmap pic(40, 30, QImage::Format_RGB32);
    g.AddBitmap(2, 1, &pic, false, haLeft, vaTop);
    EXPECT_EQ(g.GetCellGraphicSize(2, 1), TPoint(40, 30)); // no text: its width counts
    g.setCells(2, 1, QStringLiteral("t"));
    EXPECT_EQ(g.GetCellGraphicSize(2, 1), TPoint(0, 30));                 // over the text: no width
    EXPECT_EQ(g.GetPrintGraphicSize(2, 1, 100, 50, 2.0), TPoint(40, 30)); // in print always
    TPicture big(200, 50, QImage::Format_RGB32);
    g.AddPicture(1, 1, &big, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), TPoint(100, 25));
    EXPECT_EQ(g.GetPrintGraphicSize(1, 1, 100, 50, 2.0), TPoint(50, 12)); // divided, 12.5 rounds to even
    g.AddButton(3, 1, 30, 20, QStringLiteral("x"), haLeft, vaTop);
    EXPECT_EQ(g.GetCellGraphicSize(3, 1), TPoint(30, 20));
    EXPECT_EQ(g.GetCellGraphicSize(4, 4), TPoint(0, 0));
    ui::setTextMeasurer(nullptr);
}

TEST(GridCellObjects, PictureSizeByStretchMode)
{
    // A 200 x 50 picture in a 110 x 60 cell with 10 pixels of padding (so 100 x 50).
    EXPECT_EQ(TCellGraphic::PictureSize(noStretch, 110, 60, 200, 50, 10), QPoint(200, 50));
    EXPECT_EQ(TCellGraphic::PictureSize(Stretch, 110, 60, 200, 50, 10), QPoint(100, 50));
    EXPECT_EQ(TCellGraphic::PictureSize(StretchWithAspectRatio, 110, 60, 200, 50, 10), QPoint(100, 25));
    EXPECT_EQ(TCellGraphic::PictureSize(StretchWithAspectRatio, 110, 60, 20, 40, 10), QPoint(25, 50));
    EXPECT_EQ(TCellGraphic::PictureSize(Shrink, 110, 60, 200, 50, 10), QPoint(100, 50));
    EXPECT_EQ(TCellGraphic::PictureSize(Shrink, 110, 60, 20, 10, 10), QPoint(20, 10));
    EXPECT_EQ(TCellGraphic::PictureSize(ShrinkWithAspectRatio, 110, 60, 200, 50, 10), QPoint(100, 25));
    EXPECT_EQ(TCellGraphic::PictureSize(ShrinkWithAspectRatio, 110, 60, 20, 10, 10), QPoint(20, 10));
    EXPECT_EQ(TCellGraphic::PictureSize(StretchWithAspectRatio, 110, 60, 0, 0, 10), QPoint(0, 50));
    EXPECT_EQ(TCellGraphic::NormalizeAngle(-90), 270);
    EXPECT_EQ(TCellGraphic::NormalizeAngle(720), 360);
    EXPECT_EQ(TCellGraphic::NormalizeAngle(360), 360);
}

TEST(GridCellObjects, NodesSpansAndStates)
{
    TTxStringGrid g;
    g.setRowCount(8);
    g.AddNode(1, 3);
    EXPECT_TRUE(g.HasNodes());
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    EXPECT_EQ(g.GetNodeSpan(2), -1);
    const TCellGraphic* n = g.GetCellGraphic(0, 1);
    EXPECT_EQ(n->HAlign, haBeforeText);
    EXPECT_EQ(n->VAlign, vaCenter);
    EXPECT_EQ(n->SecondValue, 1);
    EXPECT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(g.GetNodeSpanType(1), 0); // a node row
    EXPECT_EQ(g.GetNodeSpanType(2), 2);
    EXPECT_EQ(g.GetNodeSpanType(3), 1); // the last row of the expanded node
    g.SetNodeState(1, true);
    EXPECT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(g.GetNodeSpanType(3), 2); // contracted: no longer its last row
    g.SetNodeState(1, false);
    EXPECT_FALSE(g.GetNodeState(1));

    g.AddNode(6, 10); // the span runs past the last row
    g.ContractNode(6);
    EXPECT_TRUE(g.GetNodeState(6));
    EXPECT_EQ(g.rowCount(), 7); // only row 7 lay under it
    EXPECT_TRUE(g.IsHiddenRow(7));
    g.ExpandAll();
    EXPECT_FALSE(g.GetNodeState(6));
    g.ContractAll();
    EXPECT_TRUE(g.GetNodeState(1) && g.GetNodeState(g.RemapRow(6))); // rows 2, 3 and 7 hidden
    EXPECT_EQ(g.NumHiddenRows(), 3);
    EXPECT_EQ(g.UpdateCount(), 0);

    EXPECT_EQ(g.NodeCount(), 2);
    g.RemoveNode(4); // no node there: the count stays
    EXPECT_EQ(g.NodeCount(), 2);
    g.RemoveNode(1);
    g.RemoveNode(6);
    EXPECT_EQ(g.NodeCount(), 0);
    EXPECT_FALSE(g.HasNodes());
    EXPECT_FALSE(g.IsNode(1));
}

TEST(GridCellObjects, StructureHooksMoveObjectsWithTheirCells)
{
    TTxStringGrid g;
    g.setRowCount(6);
    g.AddCheckBox(1, 2, true, false);
    TCellGraphic* box = g.GetCellGraphic(1, 2);
    g.setCells(1, 2, QStringLiteral("two"));
    g.InsertRows(2, 1);
    EXPECT_EQ(g.GetCellGraphic(1, 3), box); // the same object, one row down
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("two"));
    EXPECT_EQ(g.GetCellType(1, 2), ctEmpty);
    EXPECT_EQ(g.GetCellProperties(1, 3)->Row(), 3);
    g.RemoveRows(g.rowCount(), 1); // past the rows: nothing
    EXPECT_EQ(g.rowCount(), 7);
    g.SortSwapRows(1, 3);
    EXPECT_EQ(g.GetCellGraphic(1, 1), box);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("two"));
    g.InsertCols(1, 1);
    EXPECT_EQ(g.GetCellGraphic(2, 1), box);
    EXPECT_EQ(g.colCount(), 6);
    g.RemoveCols(1, 1);
    EXPECT_EQ(g.GetCellGraphic(1, 1), box);
    g.RemoveRows(1, 100); // clamped; the box goes with its row
    EXPECT_EQ(g.rowCount(), 1);
}

TEST(GridCellObjects, NilRowHandsTheObjectsBack)
{
    TTxStringGrid g;
    g.AddCheckBox(1, 1, true, false);
    g.AddComment(3, 1, QStringLiteral("c"));
    g.setCells(2, 1, QStringLiteral("t"));
    auto taken = g.NilRow(1);
    EXPECT_EQ(taken.size(), std::size_t(g.colCount()));
    EXPECT_NE(taken[1], nullptr);
    EXPECT_NE(taken[3], nullptr);
    EXPECT_EQ(taken[2], nullptr);
    EXPECT_FALSE(g.HasCellProperties(1, 1));
    EXPECT_EQ(g.cells(2, 1), QString());
    // Put back, the objects are where they were and know it.
    g.SetGridObject(1, 4, std::move(taken[1]));
    EXPECT_EQ(g.GetCellType(1, 4), ctCheckBox);
    EXPECT_EQ(g.GetCellProperties(1, 4)->Row(), 4);
}
