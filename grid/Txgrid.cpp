// TTxStringGrid: construction, the window life cycle, bounds and the settings host.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/files/TxgridExchange.h"
#include "grid/paint/TxgridFooterPanel.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/edit/TxgridRichEdit.h"
#include "grid/sort/TxgridFind.h"
#include "grid/sort/TxgridSorting.h"

#include "grid/TxgridStartup.h"
#include "grid/text/TxgridStrings.h"
#include "grid/controls/Txxpvs.h"
#include "platform/ui/Connect.h"

#include <QApplication>
#include <QLineEdit>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTextEdit>
#include <QTimerEvent>

namespace grid {

namespace {
constexpr int kTimerPeriodMs = 500;

int scrollBarExtent(const QWidget* w) { return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w); }
} // namespace

// The settings objects are members, made before this body in the order they are declared.
TTxStringGrid::TTxStringGrid(QWidget* AOwner) : TBaseGrid(AOwner)
{
    FSorting = std::make_unique<TGridSorting>(*this);
    FFinder = std::make_unique<TGridFinder>(*this);
    // The footer panel along the bottom, empty until the floating footer shows.
    FFooterPanel = new TFooterPanel(*this);
    FFooterPanel->hide();

    // Fonts: the control's and the fixed cells' are Tahoma; the active cell's is bold.
    ui::Font f = controlFont();
    f.name = QStringLiteral("Tahoma");
    setControlFont(f);
    FFixedFont = f;
    FActiveCellFont = f;
    FActiveCellFont.setStyle(ui::fsBold, true);
    FMergedColumns.OnChange = [this](TIntList&, int, int) { MergedColumnsChanged(); };
    FPictureCache = std::make_unique<THTMLPictureCache>();

    // Defaults that differ from the base grid's.
    setDefaultRowHeight(21);
    FFloatingFooter.SetHeight(defaultRowHeight());
    FVisibleCols.set();
    ScrollWidth = scrollBarExtent(this);

    // Follow the owner form's resizing (for SizeWithForm); the form's own handling stays.
    if (AOwner && !designing()) {
        FOwnerForm = AOwner->window();
        FFormWidth = FOwnerForm->width();
        FFormHeight = FOwnerForm->height();
        FOwnerForm->installEventFilter(this);
    }

    FInput.WheelLines = QApplication::wheelScrollLines();
    viewport()->installEventFilter(this); // tool tips: the grid's own hints
    TGridInput::ConnectScrollBars(*this);
    FThemed = IsThemeActive();

    // The rich-text cell editor (texts are converted by the RTF layer, with no control).
    FInplaceRichEdit = new TTxRichEdit(*this);
    FInplaceRichEdit->setObjectName(QStringLiteral("RichEditCell"));
    FInplaceRichEdit->hide();
    ui::on(FInplaceRichEdit, &QTextEdit::selectionChanged, this, [this] {
        if (OnRichEditSelectionChange)
            OnRichEditSelectionChange(*this);
    });

    if (!designing())
        CreateControls();
}

TTxStringGrid::~TTxStringGrid()
{
    // An editor control with the focus would be told it lost it while the grid is half gone,
    // and would write into it: from here on nothing reaches the grid from its editors, and
    // they go now, while the grid is whole.
    FEdit.Destroying = true;
    FInput.Timer.stop();
    FInput.PanTimer.stop();
    auto drop = [](auto*& editor) {
        delete editor;
        editor = nullptr;
    };
    drop(FGridCombo), drop(FGridSpin), drop(FGridDatePicker), drop(FGridCheckBox);
    drop(FGridEditBtn), drop(FGridUnitEditBtn), drop(FGridButton);
    if (FOwnerForm)
        FOwnerForm->removeEventFilter(this);
    if (FColumnSize.Save) {
        try {
            SaveColSizes();
        } catch (...) {
            // A store that cannot be written must not end the program while the grid goes.
        }
    }
    core().clearObjects(); // every property object and cell object goes; the texts go with the store
    // Controls that report to the grid go while it is whole; the rest go with the widget.
    delete FInplaceRichEdit;
}

void TTxStringGrid::CreateControls()
{
    // Markers of a column move: one for each side.
    for (int i = 0; i < 4; ++i)
        FArrows[std::size_t(i)] = new TArrowWindow(this, TArrowDirection(i));
    FPopupButton = new TPopupButton(this);
    // The editor controls (combo, spin, the date picker where DatePickerAvailable() says the
    // platform offers it, check box, the edits with a "..." button, push button) are made
    // here, hidden and disabled, by the editing steps.
}

// --- window life cycle -------------------------------------------------------------------

void TTxStringGrid::showEvent(QShowEvent* e)
{
    TBaseGrid::showEvent(e);
    if (!FWindowCreated)
        CreateWnd();
}

void TTxStringGrid::CreateWnd()
{
    FWindowCreated = true;
    LayoutFooterPanel();
    if (FColumnSize.Save)
        LoadColSizes();
    FInput.Timer.start(kTimerPeriodMs, this);
    FlatUpdate();
}

void TTxStringGrid::resizeEvent(QResizeEvent* e)
{
    TBaseGrid::resizeEvent(e);
    LayoutFooterPanel();
    TGridInput::Resized(*this);
}


void TTxStringGrid::Loaded()
{
    ShowColumnHeaders();
    ShowRowHeaders();
    // A registered drop target reads OleAcceptText and OleAcceptFiles from DragDropSettings
    // when data arrives, so there is nothing to hand over here.
}

void TTxStringGrid::Invalidate()
{
    if (FSkipNextInvalidate) {
        FSkipNextInvalidate = false;
        return;
    }
    invalidateGrid();
}

int TTxStringGrid::IntegralBoundsHeight(int AHeight, int DefaultRowHeight, bool HorzScrollBar, int ScrollBarHeight)
{
    if (DefaultRowHeight <= 0)
        return AHeight;
    const int rest = AHeight % DefaultRowHeight;
    if (HorzScrollBar)
        return AHeight - (rest + 1);
    return AHeight + DefaultRowHeight - rest - ScrollBarHeight - 1;
}

void TTxStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (IntegralHeight)
        AHeight = IntegralBoundsHeight(AHeight, defaultRowHeight(), visibleColCount() + fixedCols() < colCount(),
                                       scrollBarExtent(this));
    setGeometry(ALeft, ATop, AWidth, AHeight);
    if (parentWidget())
        update(); // the frame
}

// --- settings host -----------------------------------------------------------------------

void TTxStringGrid::LayoutFooterPanel()
{
    const bool show = FWindowCreated && FFooterPanelVisible && FFooterPanelHeight > 0;
    setViewportMargins(0, 0, 0, show ? FFooterPanelHeight : 0);
    if (show) {
        const QRect v = viewport()->geometry();
        FFooterPanel->setGeometry(v.left(), v.bottom() + 1, v.width(), FFooterPanelHeight);
    }
    FFooterPanel->setVisible(show);
}

quint8 TTxStringGrid::FooterCalc(int ACol)
{
    const int last = rowCount() - 1;
    return HasCellProperties(ACol, last) ? GetCellProperties(ACol, last)->FooterStyle() : 0;
}

void TTxStringGrid::SetFooterCalc(int ACol, quint8 Value)
{
    const int last = rowCount() - 1;
    if (TCellProperties* p = GetCellProperties(ACol, last))
        p->SetFooterStyle(Value);
    RepaintCell(ACol, last);
}

void TTxStringGrid::SetFooterPanelHeight(int Height)
{
    FFooterPanelHeight = std::max(Height, 0);
    LayoutFooterPanel();
}

void TTxStringGrid::SetFooterPanelVisible(bool Visible)
{
    FFooterPanelVisible = Visible;
    LayoutFooterPanel();
}

void TTxStringGrid::RepaintFooterPanel() { FFooterPanel->update(); }

bool TTxStringGrid::RegisterDropTarget()
{
    Exchange().RegisterDropTarget();
    return true;
}

void TTxStringGrid::RevokeDropTarget() { Exchange().RevokeDropTarget(); }

} // namespace grid
