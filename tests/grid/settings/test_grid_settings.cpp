// Settings objects, support lists and the library's start-up.
#include "grid/core/Basegrid.h"
#include "grid/controls/Tsgdd.h"
#include "grid/controls/TxgridError.h"
#include "grid/settings/TxgridLookSettings.h"
#include "grid/settings/TxgridSettings.h"
#include "grid/TxgridStartup.h"
#include "grid/controls/Txobj.h"
#include "grid/controls/Txxpvs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// Records what the settings objects ask of their grid.
class FakeHost : public TSettingsHost {
public:
    TBaseGrid grid;
    int repaints = 0, stretches = 0, footerRepaints = 0, registered = 0, revoked = 0;
    int panelHeight = -1, fixedFooters = -1;
    bool panelVisible = false, designing = false;
    std::vector<std::pair<int, int>> cellRepaints;

    TBaseGrid& HostGrid() override { return grid; }
    void RepaintGrid() override { ++repaints; }
    void RepaintGridCell(int c, int r) override { cellRepaints.emplace_back(c, r); }
    void StretchRightColumn() override { ++stretches; }
    void SetFooterPanelHeight(int h) override { panelHeight = h; }
    void SetFooterPanelVisible(bool v) override { panelVisible = v; }
    void RepaintFooterPanel() override { ++footerRepaints; }
    void SetFixedFooters(int n) override { fixedFooters = n; }
    int HostFixedRows() override { return grid.fixedRows(); }
    void HostSetLastRowInFooter(bool v) override { grid.SetLastRowInFooter(v); }
    quint8 FooterCalc(int c) override
    {
        const int last = grid.rowCount() - 1;
        return grid.HasCellProperties(c, last) ? grid.GetCellProperties(c, last)->FooterStyle() : 0;
    }
    void SetFooterCalc(int c, quint8 v) override
    {
        if (TCellProperties* p = grid.GetCellProperties(c, grid.rowCount() - 1))
            p->SetFooterStyle(v);
        RepaintGridCell(c, grid.rowCount() - 1);
    }
    bool IsDesigning() const override { return designing; }
    bool RegisterDropTarget() override
    {
        ++registered;
        return true;
    }
    void RevokeDropTarget() override { ++revoked; }
};

} // namespace

TEST(GridSettings, NavigationAndMouseInitialValues)
{
    TNavigation n;
    EXPECT_TRUE(n.CopyHTMLTagsToClipboard);
    EXPECT_TRUE(n.AllowClipboardRowGrow);
    EXPECT_TRUE(n.AllowClipboardColGrow);
    const bool flags[] = {n.AllowInsertRow,    n.AllowDeleteRow,          n.AdvanceOnEnter,
                          n.AdvanceInsert,     n.AutoGotoWhenSorted(),    n.AutoGotoIncremental,
                          n.AutoComboDropSize, n.AllowClipboardShortCuts, n.AllowSmartClipboard,
                          n.AllowRTFClipboard, n.AllowClipboardAlways,    n.AdvanceAuto,
                          n.CursorWalkEditor,  n.MoveRowOnSort,           n.ImproveMaskSel,
                          n.AlwaysEdit,        n.LineFeedOnEnter};
    for (bool f : flags)
        EXPECT_FALSE(f);
    EXPECT_EQ(n.AdvanceDirection, adLeftRight);
    EXPECT_EQ(n.InsertPosition, pInsertBefore);
    EXPECT_EQ(n.HomeEndKey, heFirstLastColumn);
    TMouseActions m;
    EXPECT_FALSE(m.AllColumnSize || m.AllRowSize || m.AllSelect || m.CaretPositioning || m.ColSelect
                 || m.DirectComboDrop || m.DirectEdit || m.DisjunctRowSelect || m.DisjunctCellSelect || m.RowSelect
                 || m.SizeFixedCol);
    TSizeWhileTyping t;
    EXPECT_FALSE(t.Height || t.Width);
}

TEST(GridSettings, HTMLAndPrintInitialValues)
{
    THTMLSettings h;
    EXPECT_EQ(h.BorderSize, 1);
    EXPECT_EQ(h.Width, 100);
    EXPECT_TRUE(h.SaveColor && h.SaveFonts);
    EXPECT_EQ(h.ColWidths.Count(), 0);
    TPrintSettings p;
    EXPECT_EQ(p.PageNumSep, QStringLiteral("/"));
    EXPECT_EQ(p.DateFormat, QStringLiteral("dd/mm/yyyy"));
    EXPECT_EQ(p.Date, ppNone);
    EXPECT_EQ(p.Borders, pbNoborder);
    EXPECT_EQ(p.BorderStyle, Qt::SolidLine);
    EXPECT_EQ(p.FitToPage, fpNever);
    EXPECT_EQ(p.Orientation, poPortrait);
    ui::Font f;
    f.setStyle(ui::fsItalic, true);
    p.HeaderFont = f;
    f.setStyle(ui::fsItalic, false);
    EXPECT_TRUE(p.HeaderFont.italic()); // an owned copy
}

TEST(GridSettings, ColumnSizeStretchActsAtOnce)
{
    FakeHost h;
    TColumnSize cs(h);
    EXPECT_EQ(cs.Location, clRegistry);
    cs.SetStretch(true);
    EXPECT_TRUE(cs.Stretch());
    EXPECT_EQ(h.stretches, 1);
    cs.Save = true; // stored only
    EXPECT_EQ(h.stretches, 1);
}

TEST(GridSettings, CellNodeRepaintsOnlyOnARealChange)
{
    FakeHost h;
    TCellNode n(h);
    EXPECT_EQ(n.Color, ui::clSilver);
    EXPECT_EQ(n.NodeColor, ui::clBlack);
    n.SetNodeType(cnFlat);
    EXPECT_EQ(h.repaints, 0);
    n.SetNodeType(cn3D);
    EXPECT_EQ(h.repaints, 1);
    n.SetShowTree(false);
    n.SetShowTree(true);
    EXPECT_EQ(h.repaints, 2);
    {
        QImage glyph(4, 4, QImage::Format_RGB32);
        glyph.fill(Qt::red);
        n.ExpandGlyph = glyph;
    }
    EXPECT_FALSE(n.ExpandGlyph.isNull()); // the caller's bitmap is gone, the copy stays
    EXPECT_EQ(QColor(n.ExpandGlyph.pixel(1, 1)), QColor(Qt::red));
}

TEST(GridSettings, PrintColumnTableRange)
{
    TPrintColumns t;
    t.SetPrintColWidth(255, 120);
    EXPECT_EQ(t.GetPrintColWidth(255), 120);
    try {
        t.GetPrintColWidth(256);
        FAIL();
    } catch (const ETxGridError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Columns is not in valid range"));
    }
    EXPECT_THROW(t.GetPrintColOffset(-1), ETxGridError);
}

TEST(GridLookSettings, InitialValues)
{
    FakeHost h;
    TBands b(h);
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(b.PrimaryLength(), 1);
    EXPECT_EQ(b.SecondaryLength(), 1);
    EXPECT_EQ(b.TotalLength(), 2);
    EXPECT_EQ(b.PrimaryColor(), ui::clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), ui::clWindow);
    TControlLook l(h);
    EXPECT_EQ(l.CheckSize(), 15);
    EXPECT_EQ(l.RadioSize(), 10);
    EXPECT_EQ(l.ControlStyle(), csClassic);
    TSortSettings s(h);
    EXPECT_TRUE(s.Full);
    EXPECT_TRUE(s.AutoFormat);
    EXPECT_EQ(s.Direction, sdAscending);
    TDragDropSettings d(h);
    EXPECT_TRUE(d.OleAcceptFiles && d.OleAcceptText);
    EXPECT_FALSE(d.OleDropTarget());
    TFloatingFooter f(h);
    EXPECT_EQ(f.Color(), ui::clBtnFace);
    EXPECT_EQ(f.FooterStyle(), fsFixedLastRow);
    EXPECT_FALSE(f.Visible());
    TBackGround g(h);
    EXPECT_EQ(g.Display(), bdTile);
    EXPECT_EQ(g.Cells(), bcNormal);
    TFilterData fd;
    EXPECT_TRUE(fd.CaseSensitive);
    EXPECT_EQ(h.repaints, 0);
}

TEST(GridLookSettings, BandsRepaintOnlyWhenActiveButActiveAlways)
{
    FakeHost h;
    TBands b(h);
    b.SetPrimaryColor(ui::clRed);
    b.SetSecondaryLength(3);
    EXPECT_EQ(h.repaints, 0);
    EXPECT_EQ(b.TotalLength(), 4);
    b.SetActive(false);
    EXPECT_EQ(h.repaints, 1);
    b.SetActive(true);
    b.SetPrimaryLength(2);
    EXPECT_EQ(h.repaints, 3);
    EXPECT_EQ(b.TotalLength(), 5);
}

TEST(GridLookSettings, LookAndBackgroundSettersRepaint)
{
    FakeHost h;
    TControlLook l(h);
    TBackGround g(h);
    l.SetCheckSize(20);
    l.SetControlStyle(csFlat);
    l.SetFlatButton(true);
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(Qt::blue);
    l.SetCheckedGlyph(glyph);
    glyph.fill(Qt::green);
    EXPECT_EQ(QColor(l.CheckedGlyph().pixel(0, 0)), QColor(Qt::blue)); // copied in
    g.SetTop(5);
    g.SetBitmap(glyph);
    EXPECT_EQ(h.repaints, 6);
}

TEST(GridLookSettings, SortRowMustBeAFixedRow)
{
    FakeHost h;
    h.grid.setFixedRows(1);
    TSortSettings s(h);
    s.SetSortRow(0);
    EXPECT_EQ(s.Row(), 0);
    try {
        s.SetSortRow(1);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(s.Row(), 0);
}

TEST(GridLookSettings, FilterCollection)
{
    FakeHost h;
    TFilter f(h);
    TFilterData* a = f.GetColFilter(3);
    TFilterData* b = f.GetColFilter(3);
    EXPECT_EQ(a, b);
    EXPECT_EQ(f.Count(), 1);
    EXPECT_EQ(a->Column, 3);
    f.Insert(0)->Column = 5;
    EXPECT_EQ(f.Items(1)->Column, 5); // appended whatever the index
    TFilterData d;
    d.Condition = QStringLiteral(">5");
    f.SetItem(0, d);
    EXPECT_EQ(f.Items(0)->Condition, QStringLiteral(">5"));
    EXPECT_EQ(&f.GetOwner(), &h.grid);
    EXPECT_THROW(f.Items(7), ETxGridError);
}

TEST(GridLookSettings, FloatingFooterDrivesTheGridAndPanel)
{
    FakeHost h;
    TFloatingFooter f(h);
    f.SetHeight(21);
    EXPECT_EQ(h.panelHeight, 20);
    f.SetFooterStyle(fsColumnPreview);
    f.SetVisible(true);
    EXPECT_TRUE(h.panelVisible);
    EXPECT_EQ(h.panelHeight, 20);
    EXPECT_EQ(h.fixedFooters, 1);
    EXPECT_FALSE(h.grid.LastRowInFooter());
    f.SetFooterStyle(fsFixedLastRow);
    EXPECT_TRUE(h.grid.LastRowInFooter());
    f.SetVisible(false);
    EXPECT_FALSE(h.panelVisible);
    EXPECT_EQ(h.panelHeight, 0);
    EXPECT_EQ(h.fixedFooters, 0);
    EXPECT_FALSE(h.grid.LastRowInFooter());
}

TEST(GridLookSettings, FooterColumnCalcLivesInTheLastRow)
{
    FakeHost h;
    TFloatingFooter f(h);
    EXPECT_EQ(f.ColumnCalc(2), acNONE);
    EXPECT_FALSE(h.grid.HasCellProperties(2, h.grid.rowCount() - 1)); // reading creates nothing
    f.SetColumnCalc(2, acSUM);
    EXPECT_EQ(f.ColumnCalc(2), acSUM);
    EXPECT_EQ(h.grid.GetCellProperties(2, h.grid.rowCount() - 1)->FooterStyle(), acSUM);
    ASSERT_EQ(h.cellRepaints.size(), 1u);
    EXPECT_EQ(h.cellRepaints[0], std::make_pair(2, h.grid.rowCount() - 1));
}

TEST(GridLookSettings, DropTargetRegistrationAndRichTextSwitch)
{
    FakeHost h;
    TDragDropSettings d(h);
    h.designing = true;
    d.SetOleDropTarget(true);
    EXPECT_EQ(h.registered, 0);
    h.designing = false;
    d.SetOleDropTarget(true);
    EXPECT_EQ(h.registered, 1);
    d.SetOleDropTarget(false);
    EXPECT_EQ(h.revoked, 1);
    d.SetOleDropRTF(true);
    EXPECT_TRUE(OleDropRTFAccepted());
    d.SetOleDropRTF(false);
    EXPECT_FALSE(OleDropRTFAccepted());
}

TEST(GridSupport, IntListReportsChangesWithItsCell)
{
    TIntList l(4, 7);
    std::vector<std::pair<int, int>> notes;
    l.OnChange = [&](TIntList& s, int c, int r) {
        EXPECT_EQ(&s, &l);
        notes.emplace_back(c, r);
    };
    l.Add(10);
    l.Add(20);
    l.SetInteger(0, 11);
    l.Delete(1);
    EXPECT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0], std::make_pair(4, 7));
    EXPECT_EQ(l.Count(), 1);
    EXPECT_EQ(l.GetInteger(0), 11);
    EXPECT_THROW(l.GetInteger(3), ETxGridError);
}

TEST(GridSupport, SortIndexList)
{
    TSortIndexList s;
    int notes = 0;
    s.OnChange = [&](TIntList&, int, int) { ++notes; };
    s.AddIndex(2, true);
    s.AddIndex(5, false);
    EXPECT_EQ(s.FindIndex(5), 1);
    EXPECT_LT(s.GetInteger(1), 0); // descending: the top bit is set
    EXPECT_EQ(TSortIndexList::Column(s.GetInteger(1)), 5);
    EXPECT_EQ(s.FindIndex(9), -1);
    s.ToggleIndex(2);
    EXPECT_TRUE(TSortIndexList::Descending(s.GetInteger(0)));
    s.ToggleIndex(2);
    EXPECT_EQ(s.GetInteger(0), 2);
    s.ToggleIndex(9); // absent: nothing
    EXPECT_EQ(notes, 4);
}

TEST(GridSupport, FilePicture)
{
    TFilePicture p;
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    {
        QImage canvas(20, 20, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        ui::Canvas c(&painter);
        p.DrawPicture(c, ui::Rect{0, 0, 20, 20}); // no name: nothing drawn
        painter.end();
        EXPECT_EQ(QColor(canvas.pixel(5, 5)), QColor(Qt::white));
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(img.save(file));
    p.SetFileName(file);
    EXPECT_EQ(p.Width(), 10);
    EXPECT_EQ(p.Height(), 10);
    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        ui::Canvas c(&painter);
        p.DrawPicture(c, ui::Rect{0, 0, 20, 20});
    }
    EXPECT_EQ(QColor(canvas.pixel(15, 15)), QColor(Qt::red)); // stretched
    EXPECT_THROW(p.SetFileName(dir.filePath(QStringLiteral("none.png"))), ETxGridError);
}

TEST(GridSupport, ArrowWindowOutlines)
{
    TArrowWindow up(nullptr, arrUp);
    EXPECT_FALSE(up.isVisible());
    EXPECT_EQ(up.controlColor(), ui::clLime);
    EXPECT_EQ(up.Outline().size(), 7);
    EXPECT_EQ(up.Outline().at(0), QPoint(5, 0));
    // arrLeft points right and arrRight points left: the tip is on the opposite side.
    EXPECT_EQ(TArrowWindow::OutlineFor(arrLeft).at(4), QPoint(8, 5));
    EXPECT_EQ(TArrowWindow::OutlineFor(arrRight).at(0), QPoint(0, 5));
    EXPECT_TRUE(up.mask().contains(QPoint(5, 1)));
    EXPECT_FALSE(up.mask().contains(QPoint(0, 0)));
}

TEST(GridSupport, PopupButtonPaintsAFrameUnlessFlat)
{
    TPopupButton b;
    b.SetCaption(QStringLiteral("Kolumna"));
    b.resize(60, 20);
    EXPECT_FALSE(b.isEnabled());
    QImage img = b.grab().toImage();
    EXPECT_EQ(QColor(img.pixel(0, 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(59, 10)), QColor(128, 128, 128));
    b.SetFlat(true);
    img = b.grab().toImage();
    EXPECT_EQ(QColor(img.pixel(0, 10)), ui::toQColor(ui::clBtnFace));
}

TEST(GridStartUp, DatePickerNeedsCommonControlsAbove469)
{
    EXPECT_TRUE(CommonControlsSupportDatePicker(0x00040046));  // 4.70
    EXPECT_FALSE(CommonControlsSupportDatePicker(0x00040045)); // 4.69
    EXPECT_FALSE(CommonControlsSupportDatePicker(-1));
    EXPECT_GT(CommonControlsVersion(), 0x00060000);
}

TEST(GridStartUp, StartUpAndShutDown)
{
    LibraryStartUp();
    EXPECT_TRUE(LibraryStarted());
    EXPECT_TRUE(DatePickerAvailable());
    EXPECT_TRUE(ThemeLibraryBound());
    EXPECT_TRUE(IsThemeActive());
    EXPECT_NE(ThemeStyle(), nullptr);
    LibraryStartUp(); // once per process: a second call changes nothing
    LibraryShutDown();
    EXPECT_FALSE(LibraryStarted());
    EXPECT_FALSE(ThemeLibraryBound());
    EXPECT_FALSE(IsThemeActive());
    EXPECT_EQ(ThemeStyle(), nullptr);
}

TEST(GridStartUp, ClassRegistry)
{
    EXPECT_FALSE(FindClass(QStringLiteral("TNoSuchGrid")));
    RegisterClass(QStringLiteral("TBaseGrid"), [](QWidget* parent) { return new TBaseGrid(parent); });
    TComponentFactory f = FindClass(QStringLiteral("tbasegrid"));
    ASSERT_TRUE(f);
    std::unique_ptr<QWidget> w(f(nullptr));
    EXPECT_NE(dynamic_cast<TBaseGrid*>(w.get()), nullptr);
}
