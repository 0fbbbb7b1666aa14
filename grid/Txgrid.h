#pragma once
// TTxStringGrid: the grid control that windows place. On top of the base grid (property
// objects and merged cells) it carries cell objects, its settings objects, the published
// properties and events, and the virtual hooks through which painting, editing, sorting,
// printing and the column grid ask it about cells.
//
// The definitions are split by concern:
//   Txgrid.cpp             construction, window life cycle, bounds, the settings host
//   TxgridHooks.cpp        per-cell query hooks and the other virtual hooks
//   TxgridProperties.cpp   property setters, header lists, update lock, indexes
//   TxgridCellObjects.cpp  cell objects: pictures, images, check boxes, radio groups, ...,
//                          and the room they take
//   TxgridNodes.cpp        tree nodes
#include "grid/Basegrid.h"
#include "grid/TxgridCellGraphic.h"
#include "grid/TxgridLookSettings.h"
#include "grid/TxgridSettings.h"
#include "grid/TxgridTypes.h"
#include "grid/Txobj.h"

#include <QBasicTimer>
#include <QPointer>
#include <QStringList>
#include <array>
#include <bitset>
#include <memory>

class QTextEdit;

namespace grid {

// The editor controls of the grid; they arrive with the editing steps.
class TGridCombo;
class TGridSpin;
class TGridDatePicker;
class TGridCheckBox;
class TGridEditBtn;
class TGridUnitEditBtn;
class TGridButton;
class THTMLHintWindow;

class TTxStringGrid : public TBaseGrid, private TSettingsHost {
    Q_OBJECT
public:
    // ========================================================================================
    // Construction and window life cycle
    // ========================================================================================
    explicit TTxStringGrid(QWidget* AOwner = nullptr);
    ~TTxStringGrid() override;

    // After the grid's properties have been read from a form: writes the header lists into
    // the grid.
    void Loaded();
    // Places the grid. With IntegralHeight the height is fitted to whole rows first.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    // The height SetBounds gives with IntegralHeight: shortened to whole rows when a
    // horizontal scroll bar shows (not every column fits), else lengthened by whatever a
    // row and the bar leave over.
    static int IntegralBoundsHeight(int AHeight, int DefaultRowHeight, bool HorzScrollBar, int ScrollBarHeight);
    // Repaints the whole grid, unless the next repaint was to be skipped.
    void Invalidate();
    bool TimerActive() const { return FTimer.isActive(); }
    // The form whose resizing the grid follows, and its size when the grid was made.
    QWidget* OwnerForm() const { return FOwnerForm; }
    QSize OwnerFormSize() const { return {FFormWidth, FFormHeight}; }
    ui::Control* FooterPanel() const { return FFooterPanel; }

    // ========================================================================================
    // Settings objects (owned; each refers back to the grid)
    // ========================================================================================
    TFloatingFooter& FloatingFooter() { return FFloatingFooter; }
    TPrintSettings& PrintSettings() { return FPrintSettings; }
    THTMLSettings& HTMLSettings() { return FHTMLSettings; }
    TSortSettings& SortSettings() { return FSortSettings; }
    TDragDropSettings& DragDropSettings() { return FDragDropSettings; }
    TControlLook& ControlLook() { return FControlLook; }
    TNavigation& Navigation() { return FNavigation; }
    TColumnSize& ColumnSize() { return FColumnSize; }
    TCellNode& CellNode() { return FCellNode; }
    TBands& Bands() { return FBands; }
    TSizeWhileTyping& SizeWhileTyping() { return FSizeWhileTyping; }
    TMouseActions& MouseActions() { return FMouseActions; }
    TBackGround& BackGround() { return FBackGround; }
    TFilter& Filter() { return FFilter; }

    // ========================================================================================
    // Published properties: look and cells
    // ========================================================================================
    bool ActiveCellShow = false;
    const ui::Font& ActiveCellFont() const { return FActiveCellFont; }
    void SetActiveCellFont(const ui::Font& Value); // copied; repaints
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value); // repaints, except inside an update
    bool WordWrap = false;
    bool Multilinecells = false;
    bool EnhTextSize = false;
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value); // repaints and updates the footer on a change
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool FixedAsButtons = false;
    bool Hovering = false;
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool SelectionRTFKeep = false;
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value); // repaints on a change
    bool HideFocusRect = false;
    const ui::Font& FixedFont() const { return FFixedFont; }
    void SetFixedFont(const ui::Font& Value); // copied; repaints
    QImage RowIndicator;                      // an owned copy
    TImageList* GridImages() const { return FGridImages; }
    void SetImages(TImageList* Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
    bool URLEdit = false;
    bool EnableHTML = true;
    TPictureContainer* PictureContainer = nullptr; // not owned
    QString FloatFormat = QStringLiteral("%.2f");
    bool ExcelStyleDecimalSeparator = false;
    bool OemConvert = false;
    bool AutoNumAlign = false;
    // Rows at the bottom and columns at the right outside the normal cells.
    int FixedFooters() const { return fixedFooters(); }
    void SetFixedFooters(int Value) override;
    int FixedRightCols() const { return fixedRightCols(); }
    void SetFixedRightCols(int Value);
    // Width of column 0 (height of row 0); setting it sizes every fixed column (row).
    int FixedColWidth() const { return colWidths(0); }
    void SetFixedColWidth(int Value);
    int FixedRowHeight() const { return rowHeights(0); }
    void SetFixedRowHeight(int Value);
    bool FixedRowAlways = false;
    bool FixedColAlways = false;
    // Texts for row 0 and column 0; "\n" in an entry is a line break.
    const QStringList& ColumnHeaders() const { return FColumnHeaders; }
    void SetColumnHeaders(const QStringList& List);
    const QStringList& RowHeaders() const { return FRowHeaders; }
    void SetRowHeaders(const QStringList& List);
    void ShowColumnHeaders();
    void ShowRowHeaders();
    void ClearColumnHeaders();
    void ClearRowHeaders();
    bool IntegralHeight = false;
    QChar PasswordChar = QLatin1Char('*');
    QString CheckTrue = QStringLiteral("Y");
    QString CheckFalse = QStringLiteral("N");
    int Zoom = 0;

    // ========================================================================================
    // Published properties: editing
    // ========================================================================================
    bool EditWithTags = false;
    int MaxEditLength = 0;
    bool Lookup = false;
    const QStringList& LookupItems() const { return FLookupItems; }
    void SetLookupItems(const QStringList& Value) { FLookupItems = Value; }
    bool LookupCaseSensitive = false;
    bool LookupHistory = false;
    TTxStringGridCheck* CellChecker = nullptr; // not owned

    // ========================================================================================
    // Published properties: sizing, scrolling and the wheel
    // ========================================================================================
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool SizeWithForm = false;
    bool EnhRowColMove = false;
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = ui::clNone;
    int ScrollWidth = 0; // set to the platform's vertical scroll bar width
    bool ScrollSynch = false;
    bool ScrollProportional = false;
    TScrollHintType ScrollHints = shNone;
    bool EnableWheel = true;
    TIntelliPan IntelliPan = ipVertical;
    bool IntelliZoom = true;

    // ========================================================================================
    // Published properties: mouse and hints; sorting and filtering
    // ========================================================================================
    TColor HintColor = ui::clInfoBk;
    bool HintShowCells = false;
    bool HintShowLargeText = false;
    bool HintShowSizing = false;
    bool HTMLHint = false;
    bool AnchorHint = false;
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value); // stored; rows are hidden by the filtering step

    // ========================================================================================
    // Events (OnGetDisplText comes from the base grid)
    // ========================================================================================
    // Painting and printing
    TGridColorEvent OnGetCellColor, OnGetCellPrintColor;
    TGridBorderEvent OnGetCellBorder, OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue, OnGetCheckFalse;
    // Hints
    TGridHintEvent OnGridHint;
    TScrollHintEvent OnScrollHint;
    // Moving, adding and deleting
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow, OnAutoInsertRow, OnAutoDeleteRow;
    TCanInsertRowEvent OnCanInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TAutoInsertColEvent OnAutoInsertCol;
    // Sorting
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    // Nodes and clicks
    TNodeClickEvent OnExpandNode, OnContractNode;
    TClickCellEvent OnClickCell, OnRightClickCell, OnDblClickCell;
    // Cell questions
    TCanEditCellEvent OnCanEditCell;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    // Anchors in formatted text
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter, OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    // Clipboard, validation, changes, progress
    TClipboardEvent OnClipboardPaste, OnClipboardCopy, OnClipboardCut;
    TCellValidateEvent OnCellValidate;
    TCellsChangedEvent OnCellsChanged;
    TProgressEvent OnFileProgress, OnFilterProgress;
    // Editors
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TEllipsClickEvent OnEllipsClick;
    TButtonClickEvent OnButtonClick;
    TCheckBoxClickEvent OnCheckBoxClick, OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick, OnRadioMouseUp;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick, OnDateSpinClick;
    TNotifyEvent OnRichEditSelectionChange, OnEditingDone;
    // Printing
    TPrintStartEvent OnPrintStart;
    TPrintPageEvent OnPrintPage;
    TPrintPageDoneEvent OnPrintPageDone;
    TFitToPageEvent OnFitToPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintColumnWidthEvent OnPrintSetColumnWidth;
    TPrintRowHeightEvent OnPrintSetRowHeight;
    // Drag and drop
    TOleDropEvent OnOleDrop, OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDroppedEvent OnOleDropped;
    TOleDropColEvent OnOleDropCol;
    // Sizing and moving columns and rows
    TColumnSizeEvent OnColumnSize, OnColumnMove;
    TRowSizeEvent OnRowSize, OnRowMove;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;

    // ========================================================================================
    // Virtual hooks, in slot order (the column grid overrides several). Hooks of steps not
    // built yet answer as the grid does before them; each says so.
    // ========================================================================================
    virtual TCellType GetCellType(int ACol, int ARow);       // ctEmpty without a cell object
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow); // the addressed cell's, or none
    // Room the cell object takes on screen (auto-sizing) and on paper.
    virtual TPoint GetCellGraphicSize(int ACol, int ARow);
    virtual TPoint GetPrintGraphicSize(int ACol, int ARow, int Width, int Height, double Factor);
    // The text editor reports its text and caret; nothing is done with it here.
    virtual void EditProgress(const QString& Text, TPoint Pos, int Index);
    // A proposed column width after mouse sizing / auto-sizing: OnUpdateColumnSize.
    virtual void UpdateColSize(int ACol, int& AWidth);
    virtual void UpdateAutoColSize(int ACol, int& AWidth);
    virtual void UpdateColHeaders(); // nothing here
    // The ellipsis button's text: Result = Text, then OnEllipsClick may change it.
    virtual void EllipsClick(const QString& Text, QString& Result);
    // Whether row ARow passes every filter condition (cell texts as stored).
    virtual bool MatchFilter(int ARow);
    virtual void PasteNotify(TPoint Origin, TGridRect PasteArea, int LastOperation); // nothing
    // The text shown for a formula cell, and the text written to files: the cell text.
    virtual void CalcCell(int ACol, int ARow, QString& Text);
    virtual void SaveCell(int ACol, int ARow, QString& Text);
    // One cell changed / records the cell being validated: nothing until footers and
    // validation exist.
    virtual void UpdateCell(int ACol, int ARow);
    virtual void InitValidate(int ACol, int ARow);
    // Cells changed (fires OnCellsChanged) / were loaded from a file (nothing yet).
    virtual void CellsChanged(TRect R);
    virtual void CellsLoaded();
    // Per-cell questions; each ends with its event.
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont);
    virtual void GetCellBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
    virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit); // callers start with true
    virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
    virtual QString GetCheckTrue(int ACol, int ARow);
    virtual QString GetCheckFalse(int ACol, int ARow);
    virtual bool GetFilter(int ACol); // false
    virtual int GetVersionNr();
    virtual QString GetVersionString();
    // Validates a finished edit: every value is valid until validation exists.
    virtual bool ValidateCell(QString& Value);
    // Structure: the bare store operations (texts, objects and sizes move together; removed
    // cells free their objects). The structure step adds current row, selection and width
    // bookkeeping and the change reports.
    virtual void RemoveRowsEx(int ARow, int Count);
    virtual void RemoveRows(int ARow, int Count); // nothing when ARow is past the rows
    virtual void InsertRows(int ARow, int Count);
    virtual void RemoveCols(int ACol, int Count);
    virtual void InsertCols(int ACol, int Count);
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);

    // Base grid hooks answered here.
    bool IsFixed(int ACol, int ARow) override;
    bool HasNodes() override { return FNodeCount > 0; }

    // ========================================================================================
    // Cell objects (column first, then row). Add operations keep the caller's object, Create
    // operations make one the grid owns. Has..., IsRadio and GetRadioStrings ask the base cell
    // of a merged block; the rest the addressed cell.
    // ========================================================================================
    TCellGraphic* CreateCellGraphic(int ACol, int ARow); // frees the cell's old one
    void FreeCellGraphic(int ACol, int ARow);
    bool RemoveCellGraphic(int ACol, int ARow, TCellType CellType); // only that kind

    // Bitmaps, icons and pictures
    void AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* GetBitmap(int ACol, int ARow);
    void RemoveBitmap(int ACol, int ARow);
    void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    TIcon* CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveIcon(int ACol, int ARow);
    void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                            TCellHAlign HAlign, TCellVAlign VAlign);
    TPicture* GetPicture(int ACol, int ARow);
    void RemovePicture(int ACol, int ARow);
    void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                    TCellHAlign HAlign, TCellVAlign VAlign);
    TFilePicture* GetFilePicture(int ACol, int ARow);
    void RemoveFilePicture(int ACol, int ARow);

    // Images of GridImages (nothing happens without it)
    void AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    bool GetImageIdx(int ACol, int ARow, int& Index);
    void RemoveImageIdx(int ACol, int ARow);
    void AddDataImage(int ACol, int ARow, int Offset, TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveDataImage(int ACol, int ARow);
    // Direction 0: side by side; other values: one under the other.
    void AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveMultiImage(int ACol, int ARow);
    TIntList* GetCellImages(int ACol, int ARow);

    // Check boxes: ctCheckBox keeps its state, ctDataCheckBox shows whether the cell text is
    // the check-true text.
    void AddCheckBox(int ACol, int ARow, bool State, bool Data);
    void RemoveCheckBox(int ACol, int ARow);
    bool HasCheckBox(int ACol, int ARow);
    bool HasDataCheckBox(int ACol, int ARow);
    bool HasStaticEdit(int ACol, int ARow); // a check box or radio group: changed by clicks
    bool GetCheckBoxState(int ACol, int ARow, bool& State);
    bool SetCheckBoxState(int ACol, int ARow, bool State);
    // FromUser: only when the cell may be edited (GetCellReadOnly).
    bool ToggleCheck(int ACol, int ARow, bool FromUser);
    bool ToggleCheckBox(int ACol, int ARow) { return ToggleCheck(ACol, ARow, false); }

    // Radio groups: Direction non-zero lays the items side by side; a negative Index selects
    // the item equal to the cell text.
    void AddRadio(int ACol, int ARow, int Direction, int Index, QStringList* Items);
    QStringList* CreateRadio(int ACol, int ARow, int Direction, int Index);
    bool GetRadioIdx(int ACol, int ARow, int& Index);
    bool SetRadioIdx(int ACol, int ARow, int Index);
    QStringList* GetRadioStrings(int ACol, int ARow);
    bool IsRadio(int ACol, int ARow);
    void RemoveRadio(int ACol, int ARow);
    // Selects the next item (wrapping) and writes it into the cell; always false.
    bool ToggleRadio(int ACol, int ARow, bool FromUser);

    // Buttons, progress bars, comments, markers, rotated text
    void AddButton(int ACol, int ARow, int Width, int Height, const QString& Caption, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    // The glyph passes to the grid.
    void AddBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption,
                      std::unique_ptr<TBitmap> Glyph, TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption,
                             TCellHAlign HAlign, TCellVAlign VAlign);
    void RemoveButton(int ACol, int ARow);
    bool HasButton(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Pushed); // ACol displayed
    TRect ButtonRect(int ACol, int ARow);            // ACol displayed; where painting put it
    void AddProgress(int ACol, int ARow, TColor BarColor, TColor RestColor);
    void AddProgressEx(int ACol, int ARow, TColor BarColor, TColor BarTextColor, TColor RestColor,
                       TColor RestTextColor);
    void RemoveProgress(int ACol, int ARow);
    void AddComment(int ACol, int ARow, const QString& Comment);
    bool IsComment(int ACol, int ARow, QString& Comment);
    void RemoveComment(int ACol, int ARow);
    // Two values kept on any cell object (a ctEmpty one is made when the cell has none).
    void AddMarker(int ACol, int ARow, int Marker1, int Marker2);
    void GetMarker(int ACol, int ARow, int& Marker1, int& Marker2);
    void RemoveMarker(int ACol, int ARow);
    void AddRotated(int ACol, int ARow, int Angle, const QString& Text);
    void SetRotated(int ACol, int ARow, int Angle); // turns any cell object into rotated text
    bool IsRotated(int ACol, int ARow, int& Angle);
    void RemoveRotated(int ACol, int ARow);

    // ========================================================================================
    // Tree nodes in column 0. ARow is a real row where the parameter says so, else displayed.
    // ========================================================================================
    void AddNode(int ARow, int Span);      // real row; Span counts the node's own row (0: to the next node)
    void RemoveNode(int ARow);             // real row
    bool GetNodeState(int ARow);           // displayed; true when contracted
    void SetNodeState(int ARow, bool Contracted); // displayed
    int GetNodeSpan(int ARow);             // displayed; -1 without a node
    bool IsNode(int ARow);                 // displayed
    void ExpandNode(int ARow);             // real row
    void ContractNode(int ARow);           // real row
    void ExpandAll();
    void ContractAll();
    int GetNodeSpanType(int ARow);         // displayed; 0, 1 or 2 for the tree lines
    int NodeCount() const { return FNodeCount; }

    // ========================================================================================
    // Real and display indexes. Columns: 256 visibility flags; rows: until rows can be hidden
    // every row is displayed and both numberings agree.
    // ========================================================================================
    int RemapCol(int ACol) const;    // displayed → real
    int RemapColInv(int ACol) const; // real → displayed
    int RemapRow(int ARow) const { return ARow; }    // real → displayed
    int RemapRowInv(int ARow) const { return ARow; } // displayed → real (RowCount maps past the end)
    int NumHiddenColumns() const { return FNumHiddenColumns; }
    int NumHiddenRows() const { return 0; }
    bool IsHiddenColumn(int ACol) const { return ACol >= 0 && ACol < 256 && !FVisibleCols[std::size_t(ACol)]; }
    // Hiding and showing real rows: the hidden-rows step moves them into its store; until
    // then no row is hidden and both do nothing.
    void HideRows(int ARow1, int ARow2);
    void UnHideRows(int ARow1, int ARow2);

    // ========================================================================================
    // Update lock: painting waits while the count is above 0, then one full repaint follows.
    // ========================================================================================
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    // The window exists: editor parents, the footer panel, loading column sizes, the timer.
    virtual void CreateWnd();
    void SetSkipNextInvalidate() { FSkipNextInvalidate = true; }

private:
    // --- settings host ---------------------------------------------------------------------
    TBaseGrid& HostGrid() override { return *this; }
    void RepaintGrid() override { Invalidate(); }
    void RepaintGridCell(int ACol, int ARow) override { RepaintCell(ACol, ARow); }
    void StretchRightColumn() override {} // column stretching arrives with scrolling
    void SetFooterPanelHeight(int Height) override;
    void SetFooterPanelVisible(bool Visible) override;
    void RepaintFooterPanel() override;
    bool IsDesigning() const override { return designing(); }
    bool RegisterDropTarget() override;
    void RevokeDropTarget() override;

    // --- construction steps and helpers ------------------------------------------------------
    void CreateControls();
    void LayoutFooterPanel();
    void OwnerFormResized();  // the form's size changes (sizing with the form comes later)
    void TimerTick();         // the 500 ms timer (hover selection and blinking come later)
    void SaveColSizes() {}    // column sizes are kept by the persistence step
    void LoadColSizes() {}
    TCellGraphic* BaseGraphic(int ACol, int ARow); // the cell object of the base cell
    TCellGraphic* NewGraphic(int ACol, int ARow, TCellType Type, TCellHAlign HAlign, TCellVAlign VAlign);
    void RepaintColumn(int ACol);
    int NextNodeRow(int ADisplayRow); // the first node row after it, or the row count

    // --- settings objects (created in this order) -------------------------------------------
    TFloatingFooter FFloatingFooter{*this};
    TPrintSettings FPrintSettings;
    THTMLSettings FHTMLSettings;
    TSortSettings FSortSettings{*this};
    TDragDropSettings FDragDropSettings{*this};
    TControlLook FControlLook{*this};
    TNavigation FNavigation;
    TColumnSize FColumnSize{*this};
    TCellNode FCellNode{*this};
    TBands FBands{*this};
    TSizeWhileTyping FSizeWhileTyping;
    TMouseActions FMouseActions;
    TBackGround FBackGround{*this};
    TFilter FFilter{*this};

    // --- lists, fonts and pictures ---------------------------------------------------------
    QStringList FColumnHeaders, FRowHeaders;
    ui::Font FFixedFont, FActiveCellFont;
    QStringList FSwapScratch; // row swaps of the sort
    QStringList FLookupItems;
    std::vector<bool> FRowSelect; // disjunct row selection, grown on demand
    TSortIndexList FSortIndexes;
    TIntList FMergedColumns;  // columns merged by equal texts; a change repaints
    TIntList FCrossReference; // the sort's row cross-reference
    THTMLPictureCache* FPictureCache = nullptr; // made by the picture step
    THTMLHintWindow* FHintWindow = nullptr;     // made by the hints step

    // --- child controls --------------------------------------------------------------------
    ui::Control* FFooterPanel = nullptr;
    int FFooterPanelHeight = 0;
    bool FFooterPanelVisible = false;
    QTextEdit* FRichEdit = nullptr;         // text conversion, never shown
    QTextEdit* FInplaceRichEdit = nullptr;  // rich-text cell editor
    std::array<TArrowWindow*, 4> FArrows{}; // column move markers
    TPopupButton* FPopupButton = nullptr;
    // Editor controls, made hidden and disabled by the editing steps.
    TGridCombo* FGridCombo = nullptr;
    TGridSpin* FGridSpin = nullptr;
    TGridDatePicker* FGridDatePicker = nullptr; // only when the platform offers the picker
    TGridCheckBox* FGridCheckBox = nullptr;
    TGridEditBtn* FGridEditBtn = nullptr;
    TGridUnitEditBtn* FGridUnitEditBtn = nullptr;
    TGridButton* FGridButton = nullptr;

    // --- owner form, window, timer ---------------------------------------------------------
    QPointer<QWidget> FOwnerForm;
    int FFormWidth = 0, FFormHeight = 0;
    bool FWindowCreated = false;
    bool FSkipNextInvalidate = false;
    bool FThemed = false;
    int FWheelScrollLines = 3;
    QBasicTimer FTimer;

    // --- property values -------------------------------------------------------------------
    TVAlignment FVAlignment = vtaTop;
    TGridLook FLook = glSoft;
    bool FFlat = false;
    TColor FSelectionColor = ui::clHighlight;
    TColor FSelectionTextColor = ui::clHighlightText;
    bool FSelectionRectangle = false;
    bool FShowSelection = true;
    TImageList* FGridImages = nullptr;
    TColor FURLColor = ui::clBlue;
    bool FURLShow = false;
    bool FURLFull = false;
    bool FAutoSize = false;
    bool FFilterActive = false;

    // --- indexes, nodes, update lock ---------------------------------------------------------
    std::bitset<256> FVisibleCols;
    int FNumHiddenColumns = 0;
    int FNodeCount = 0;
    int FUpdateCount = 0;
};

} // namespace grid
