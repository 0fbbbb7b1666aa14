#pragma once
// TTxStringGrid: the grid control that windows place. On top of the base grid (property
// objects and merged cells) it carries cell objects, its settings objects, the published
// properties and events, and the virtual hooks through which painting, editing, sorting,
// printing and the column grid ask it about cells. grid/README.md maps the files that define it.
#include "grid/core/Basegrid.h"
#include "grid/core/TxgridCellGraphic.h"
#include "grid/core/TxgridHiddenRows.h"
#include "grid/settings/TxgridLookSettings.h"
#include "grid/settings/TxgridSettings.h"
#include "grid/core/TxgridEvents.h"
#include "grid/core/TxgridCellAccess.h"
#include "grid/core/TxgridForward.h"
#include "grid/core/TxgridGroup.h"
#include "grid/core/TxgridTypes.h"
#include "grid/controls/Txobj.h"
#include "grid/core/TxgridPlainProperties.h"

#include <QPagedPaintDevice>
#include <QStringList>
#include <array>
#include <bitset>
#include <memory>

namespace grid {

// The grid's events (OnGetDisplText comes from the base grid); each is empty until set, and the
// grid passes itself first.
class TTxStringGrid : public TBaseGrid,
                      public TGridPlainProperties,
                      public TTxStringGridEvents,
                      public TGridGrouping,
                      public TGridCellAccess,
                      private TSettingsHost {
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
    bool TimerActive() const;
    // The form whose resizing the grid follows, and its size when the grid was made.
    QWidget* OwnerForm() const;
    QSize OwnerFormSize() const;
    ui::Control* FooterPanel() const;

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
    const ui::Font& ActiveCellFont() const { return FActiveCellFont; }
    void SetActiveCellFont(const ui::Font& Value); // copied; repaints
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value); // repaints, except inside an update
    TGridLook Look() const { return FLook; }
    void SetLook(TGridLook Value); // repaints and updates the footer on a change
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TColor SelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value);
    TColor SelectionTextColor() const { return FSelectionTextColor; }
    void SetSelectionTextColor(TColor Value);
    bool SelectionRectangle() const { return FSelectionRectangle; }
    void SetSelectionRectangle(bool Value);
    bool ShowSelection() const { return FShowSelection; }
    void SetShowSelection(bool Value); // repaints on a change
    const QImage& RowIndicator() const { return FRowIndicator; }
    void SetRowIndicator(const QImage& Value); // copied; repaints the current row's mark
    const ui::Font& FixedFont() const { return FFixedFont; }
    void SetFixedFont(const ui::Font& Value); // copied; repaints
    TImageList* GridImages() const { return FGridImages; }
    void SetImages(TImageList* Value);
    TColor URLColor() const { return FURLColor; }
    void SetURLColor(TColor Value);
    bool URLShow() const { return FURLShow; }
    void SetURLShow(bool Value);
    bool URLFull() const { return FURLFull; }
    void SetURLFull(bool Value);
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
    // Texts for row 0 and column 0; "\n" in an entry is a line break.
    const QStringList& ColumnHeaders() const { return FColumnHeaders; }
    void SetColumnHeaders(const QStringList& List);
    const QStringList& RowHeaders() const { return FRowHeaders; }
    void SetRowHeaders(const QStringList& List);
    void ShowColumnHeaders();
    void ShowRowHeaders();
    void ClearColumnHeaders();
    void ClearRowHeaders();

    // ========================================================================================
    // Published properties: editing
    // ========================================================================================
    const QStringList& LookupItems() const { return FLookupItems; }
    void SetLookupItems(const QStringList& Value) { FLookupItems = Value; }

    // ========================================================================================
    // Published properties: sizing, scrolling and the wheel
    // ========================================================================================
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // ========================================================================================
    // Published properties: mouse and hints; sorting and filtering
    // ========================================================================================
    bool FilterActive() const { return FFilterActive; }
    void SetFilterActive(bool Value); // on: ApplyFilter; off: every hidden row shows again

    // ========================================================================================
    // Virtual hooks, in slot order (the column grid overrides several). Hooks of steps not
    // built yet answer as the grid does before them; each says so.
    // ========================================================================================
    virtual TCellType GetCellType(int ACol, int ARow);        // ctEmpty without a cell object
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
    // One cell changed: its footer / the cell being validated / cells changed: the event, the
    // notifiers and the footer / cells were loaded from a file: the footer.
    virtual void UpdateCell(int ACol, int ARow);
    virtual void InitValidate(int ACol, int ARow);
    virtual void CellsChanged(TRect R);
    virtual void CellsLoaded();
    // After the column count changed (SetColCount, inserted or removed columns).
    virtual void ColCountChanged() {}
    // Per-cell questions; each ends with its event.
    virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont);
    virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont);
    virtual void GetCellBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders);
    virtual void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders);
    virtual void GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix);
    virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
    virtual void GetCellFixed(int ACol, int ARow, bool& IsFixed);
    // The grid's own rule and OnIsFixedCell after a descendant's answer, which stays when fixed.
    void GetCellFixedAfter(int ACol, int ARow, bool& IsFixed);
    virtual void GetCellReadOnly(int ACol, int ARow, bool& CanEdit); // callers start with true
    virtual void GetCellPassword(int ACol, int ARow, bool& IsPassword);
    virtual QString GetCheckTrue(int ACol, int ARow);
    virtual QString GetCheckFalse(int ACol, int ARow);
    virtual bool GetFilter(int ACol); // false
    // The text editor's length limit (MaxEditLength) and input mask (none) for the current
    // cell (ACol displayed); asked each time the editor opens.
    virtual int GetEditLimit();
    virtual QString GetEditMask(int ACol, int ARow);
    virtual int GetVersionNr();
    virtual QString GetVersionString();
    // Validates a finished edit whose text differs from the recorded one: the checker and
    // OnCellValidate may change Value; false when refused (the callers keep the editor open).
    virtual bool ValidateCell(QString& Value);
    // Structure. Rows are displayed rows; InsertCols and RemoveCols take a column of the
    // store (hidden columns lie past the displayed ones). Texts, objects, heights, widths,
    // visibility flags and row marks move with their rows and columns; removed cells free
    // what they hold.
    virtual void RemoveRowsEx(int ARow, int Count); // current row kept while it exists, else the first
    virtual void RemoveRows(int ARow, int Count);   // nothing when ARow is past the last row
    virtual void InsertRows(int ARow, int Count);
    virtual void RemoveCols(int ACol, int Count);
    virtual void InsertCols(int ACol, int Count);
    virtual void SortSwapRows(int ARow1, int ARow2);
    virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);

    // Base grid hooks answered here.
    bool IsFixed(int ACol, int ARow) override;
    bool HasNodes() override { return FNodeCount > 0; }
    int NodeIndent(int ARow) override;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, ui::Brush& Brush,
                             ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap) override;
    void DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State) override;

    // ========================================================================================
    // Rows and columns (display rows; see the structure hooks above)
    // ========================================================================================
    void AddRow();
    void AddColumn();
    // A data row added after the last one, before the footer rows, or with Column a column
    // before the right fixed columns; the footers keep their texts and calculations. The
    // displayed index of the new row or column.
    int AddBeforeFooters(bool Column);
    void RemoveSelectedRows(); // the rows marked in the disjunct row selection
    void HideSelectedRows();
    void ClearRows(int ARow, int Count); // hidden columns included
    void ClearCols(int ACol, int Count);
    void ClearNormalCells();
    void ClearSelection();
    void Clear(); // every cell, fixed and hidden columns included
    // The first cell (row by row) whose stored text is Value, case-sensitively.
    bool IsCell(const QString& Value, int& ACol, int& ARow);
    // Column ACol2's texts appended to ACol1's (with a blank, trimmed); ACol2 is removed.
    void MergeCols(int ACol1, int ACol2);
    void SplitColumnCells(int ACol);
    void SplitRowCells(int ARow);
    // Runs of equal texts become merged blocks; a closed run becomes a block even of one row,
    // the run at the end only from two rows on.
    void MergeColumnCells(int ACol, bool MainMerge);
    void MergeRowCells(int ARow, bool MainMerge);
    // Columns merged by equal texts: a change splits every column and merges these again.
    TIntList& MergedColumns() { return FMergedColumns; }
    void SwapColumns(int ACol1, int ACol2);
    void SwapRows(int ARow1, int ARow2);
    int SwapCount() const;
    TIntList& SortCrossReference();

    // ========================================================================================
    // Calculations, selected text and sizing
    // ========================================================================================
    double ColumnSum(int ACol, int FromRow, int ToRow);
    double ColumnAvg(int ACol, int FromRow, int ToRow);
    double ColumnMin(int ACol, int FromRow, int ToRow);
    double ColumnMax(int ACol, int FromRow, int ToRow);
    double RowSum(int ARow, int FromCol, int ToCol);
    double RowAvg(int ARow, int FromCol, int ToCol);
    double RowMin(int ARow, int FromCol, int ToCol);
    double RowMax(int ARow, int FromCol, int ToCol);
    bool ClipboardQuoteMultiline = false;
    QString SelectedText();
    bool IsSelected(int ACol, int ARow);
    void AutoNumberCol(int ACol);
    void AutoNumberRow(int ARow);
    void AutoSizeCells(bool SkipFixed, int PaddingX, int PaddingY);
    void AutoSizeColumns(bool DoFixedCols, int Padding);
    void AutoSizeCol(int ACol) { SizeToWidth(ACol, false); }
    void SizeToWidth(int ACol, bool OnlyGrow);
    void AutoSizeRows(bool DoFixedRows, int Padding);
    void SizeToLines(int ARow, int Lines, int Padding);
    // SizeWhileTyping: the cell measured as holding Text, the text editor's. LineBreak: a line
    // break is being typed into Text (the row follows the lines with Multilinecells).
    void SizeWhileTypingText(int ACol, int ARow, const QString& Text, bool LineBreak);
    void AutoSizeRow(int ARow);
    // Width and height the cell's text needs.
    TPoint GetCellTextSize(int ACol, int ARow);

    // ========================================================================================
    // Typed access (real column), highlighting, checking, filling, row selection, repainting
    // ========================================================================================
    int GetInts(int ACol, int ARow);
    void SetInts(int ACol, int ARow, int Value);
    double GetFloats(int ACol, int ARow);
    void SetFloats(int ACol, int ARow, double Value);
    TDateTime GetDates(int ACol, int ARow);
    void SetDates(int ACol, int ARow, TDateTime Value);
    TDateTime GetTimes(int ACol, int ARow);
    void SetTimes(int ACol, int ARow, TDateTime Value);
    static QString HilightText(bool DoCase, const QString& S, const QString& Text);
    static QString UnHilightText(const QString& S);
    static QString MarkText(bool DoCase, const QString& S, const QString& Text);
    static QString UnMarkText(const QString& S);
    void MarkCells(const QString& Text, const QString& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                   int ToRow);
    void UnMarkCells(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);
    void HilightInCell(bool DoCase, int ACol, int ARow, const QString& Text);
    void HilightInCol(bool Fixed, bool DoCase, int ACol, const QString& Text);
    void HilightInRow(bool Fixed, bool DoCase, int ARow, const QString& Text);
    void HilightInGrid(bool Fixed, bool DoCase, const QString& Text);
    void UnHilightInCell(int ACol, int ARow);
    void UnHilightInCol(bool Fixed, int ACol);
    void UnHilightInRow(bool Fixed, int ARow);
    void UnHilightInGrid(bool Fixed);
    void MarkInCell(bool DoCase, int ACol, int ARow, const QString& Text);
    void MarkInCol(bool Fixed, bool DoCase, int ACol, const QString& Text);
    void MarkInRow(bool Fixed, bool DoCase, int ARow, const QString& Text);
    void MarkInGrid(bool Fixed, bool DoCase, const QString& Text);
    void UnMarkInCell(int ACol, int ARow);
    void UnMarkInCol(bool Fixed, int ACol);
    void UnMarkInRow(bool Fixed, int ARow);
    void UnMarkInGrid(bool Fixed);
    bool CheckCell(int ACol, int ARow);
    bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
    bool CheckCol(bool Fixed, int ACol);
    bool CheckRow(bool Fixed, int ARow);
    bool CheckGrid(bool Fixed);
    void TextFill(bool Fixed, const QString& S);
    void RandomFill(bool Fixed, int Max);
    bool GetRowSelect(int ARow); // ETxGridError "Invalid Row accessed" outside the rows
    void SetRowSelect(int ARow, bool Value);
    int GetRowSelectCount() const;
    void ClearRowSelect();
    void SelectToRowSelect(bool Replace);
    void SelectRows(int ARow, int Count);
    void SelectCols(int ACol, int Count);
    void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
    void RepaintRow(int ARow);
    void RepaintCol(int ACol);
    void RepaintRect(TRect R); // R in cells
    // Counts with the always-switches (a fixed row / column even when none is set).
    int RowCount() const { return rowCount(); }
    void SetRowCount(int Value);
    int ColCount() const { return colCount(); }
    void SetColCount(int Value);
    int FixedRows() const { return fixedRows() == 0 && FixedRowAlways ? 1 : fixedRows(); }
    void SetFixedRows(int Value) { setFixedRows(Value); }
    int FixedCols() const { return fixedCols() == 0 && FixedColAlways ? 1 : fixedCols(); }
    void SetFixedCols(int Value) { setFixedCols(Value); }

    // ========================================================================================
    // Painting
    // ========================================================================================
    void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    // The cell's graphic: its size, placement and whether its text shows beside it.
    TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& Width, int& Height, bool& TextToo, TCellHAlign& HAlign,
                                    TCellVAlign& VAlign);
    void DrawSortIndicator(ui::Canvas& Canvas, int ACol, int Y, int X);
    THTMLPictureCache& PictureCache();
    TColor CommentColor = ui::clRed;
    TColor SelectionRectangleColor = ui::clBlack;
    TColor FixedColor = ui::clBtnFace;
    TPoint XYOffset() const { return FXYOffset; } // the text's offset inside a cell
    void SetXYOffset(TPoint Value);               // repaints
    bool BlinkOn() const;

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
    void AddBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption, std::unique_ptr<TBitmap> Glyph,
                      TCellHAlign HAlign, TCellVAlign VAlign);
    TBitmap* CreateBitButton(int ACol, int ARow, int Width, int Height, const QString& Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign);
    void RemoveButton(int ACol, int ARow);
    bool HasButton(int ACol, int ARow);
    void PushButton(int ACol, int ARow, bool Pushed); // ACol displayed
    TRect ButtonRect(int ACol, int ARow);             // ACol displayed; where painting put it
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
    void AddNode(int ARow, int Span);             // real row; Span counts the node's own row (0: to the next node)
    void RemoveNode(int ARow);                    // real row
    bool GetNodeState(int ARow);                  // displayed; true when contracted
    void SetNodeState(int ARow, bool Contracted); // displayed
    int GetNodeSpan(int ARow);                    // displayed; -1 without a node
    bool IsNode(int ARow);                        // displayed
    void ExpandNode(int ARow);                    // real row
    void ContractNode(int ARow);                  // real row
    void ExpandAll();
    void ContractAll();
    int GetNodeSpanType(int ARow); // displayed; 0, 1 or 2 for the tree lines
    int NodeCount() const { return FNodeCount; }

    // ========================================================================================
    // Real and display indexes. Columns: 256 visibility flags, the cells of hidden columns
    // stay in the store past the displayed columns. Rows: hidden rows leave the store for
    // the hidden-row store, which does the translation (see TxgridHiddenRows.h).
    // ========================================================================================
    int RemapCol(int ACol) const;    // displayed → real
    int RemapColInv(int ACol) const; // real → displayed
    int RealColIndex(int ACol) const { return RemapCol(ACol); }
    int DisplColIndex(int ACol) const { return RemapColInv(ACol); }
    int RemapRow(int ARow) const { return FHiddenRows.RealToDisplay(ARow); }    // real → displayed
    int RemapRowInv(int ARow) const { return FHiddenRows.DisplayToReal(ARow); } // displayed → real
    int DisplRowIndex(int ARow) const { return RemapRow(ARow); }
    int RealRowIndex(int ARow) const { return RemapRowInv(ARow); }
    int GetRealCol() const { return RemapCol(col()); }
    int GetRealRow() const { return RemapRowInv(row()); }
    int NumHiddenColumns() const { return FNumHiddenColumns; }
    int NumHiddenRows() const { return FHiddenRows.Count(); }
    bool IsHiddenColumn(int ACol) const { return ACol >= 0 && ACol < 256 && !FVisibleCols[std::size_t(ACol)]; }
    bool IsHiddenRow(int ARow) const { return FHiddenRows.IsHidden(ARow); }
    // The cells of a hidden real row (texts and objects by real column); nullptr when shown.
    ui::StringGridCore::RowData* HiddenRow(int ARow) { return FHiddenRows.Find(ARow); }
    const THiddenRows& HiddenRows() const { return FHiddenRows; }
    bool GetVisibleCol(int ACol) const { return ACol < 0 || ACol > 255 || FVisibleCols[std::size_t(ACol)]; }
    void SetVisibleCol(int ACol, bool Value);
    // Columns by real index; the last displayed column is never hidden.
    void HideColumn(int ACol) { HideColumns(ACol, ACol); }
    void HideColumns(int ACol1, int ACol2);
    void UnHideColumn(int ACol) { UnHideColumns(ACol, ACol); }
    void UnHideColumns(int ACol1, int ACol2);
    void UnHideColumnsAll();
    // Rows by real index. Rows already hidden in the range are skipped; each row hidden keeps
    // its own real index, and a range past the last row ends at the last row.
    void HideRow(int ARow) { HideRows(ARow, ARow); }
    void HideRows(int ARow1, int ARow2);
    void HideRowsEx(int ARow1, int ARow2); // with the current-row rules of RemoveRowsEx
    void UnHideRow(int ARow) { UnHideRows(ARow, ARow); }
    // Nothing when ARow1 is not hidden; every hidden row of the range returns to the place
    // its real index gives.
    void UnHideRows(int ARow1, int ARow2);
    void UnHideRowsAll();
    // Shows no cell as selected until UnHideSelection or the next move of the current cell.
    void HideSelection();
    void UnHideSelection();
    bool SelectionHidden() const { return FSelectionHidden; }
    // The cells the file, text and clipboard outputs cover (SaveWithFixedCells).
    bool SaveWithFixedCells = true;
    bool SaveWithHiddenColumns = false;
    int GetSaveStartCol() const { return SaveWithFixedCells ? 0 : FixedCols(); }
    int GetSaveStartRow() const { return SaveWithFixedCells ? 0 : FixedRows(); }
    int GetSaveEndCol() const { return SaveWithFixedCells ? colCount() - 1 : colCount() - FixedRightCols() - 1; }
    int GetSaveEndRow() const { return SaveWithFixedCells ? rowCount() - 1 : rowCount() - FixedFooters() - 1; }
    int GetSaveColCount() const { return GetSaveEndCol() - GetSaveStartCol() + 1; }
    int GetSaveRowCount() const { return GetSaveEndRow() - GetSaveStartRow() + 1; }

    // ---- Inplace editing and cell editors ----
    // An edit opens by F2, a typed character, a click on the current cell or AdvanceEdit; the
    // cell's editor type (GetCellEditor) chooses the text editor or a control. Columns are
    // display columns; every read and write goes to the real column.
    void ShowInplaceEdit() { showEditor(); }
    void HideInplaceEdit(); // commits the open edit and gives the grid the focus
    void ShowCellEdit();    // as F2 on the grid
    void HideCellEdit() { HideEditControl(col(), row()); }
    void ShowEditControl(int ACol, int ARow), HideEditControl(int ACol, int ARow);
    QWidget* EditControlOf(TEditorType Type) const; // the control of a kind, when made
    void WriteBackControl(int Real, int ARow);
    // An editor ended its edit with Key: commit, then the key as the grid takes it (Tab, arrows),
    // or advance on Return.
    void DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift);
    void RestoreCache(); // the current cell gets back its text from when it was selected or opened
    // To the next (Advance) or previous editable cell, opening its editor when ShowEditor; only
    // with Navigation.AdvanceOnEnter or Force; stops after one round when no cell is editable.
    void AdvanceEdit(int ACol, int ARow, bool Advance, bool ShowEditor, bool Force);
    TTxInplaceEdit* GetInplaceEditor() const;
    QString GetCurrentCell() const { return cells(RemapCol(col()), row()); }
    void SetCurrentCell(const QString& S) { setCells(RemapCol(col()), row(), S); }
    void DoneEditing();
    TEditorType CurrentEditorType() const;
    bool EditActive() const;
    bool EditStarted() const;
    // ---- Support classes: the edCustom editor link (TxgridEditLink.h) and change notifiers ----
    TEditLink* EditLink = nullptr; // drives edCustom cells; not owned
    void ShowEditLink(int ACol, int ARow), HideEditLink();
    void RegisterNotifier(TGridChangeNotifier*N), UnRegisterNotifier(TGridChangeNotifier*N);
    std::vector<TGridChangeNotifier*> FNotifiers; // in registration order; not owned
    // The editor controls, made on first use; the combo's items are filled by the owner.
    TGridCombo* GetComboBox();
    TGridSpin* GetSpinEdit();
    // The item a list-only combo shows when the cell's text is none of its items.
    void SetComboSelection(int Index);
    bool SetComboSelectionString(const QString& S); // false, nothing changed: S is no item
    // A control's value into the current cell, validated: false (the cell keeps its text from
    // before, Text becomes what the editor shows again) when refused; else the value as stored.
    bool CommitControlValue(QString& Text);

protected:
    bool canEditShow() const override;
    QLineEdit* createEditor() override;
    QString getEditText(int ACol, int ARow) override;
    void setEditText(int ACol, int ARow, const QString& Value) override;
    bool selectCell(int ACol, int ARow) override;

private:
    std::unique_ptr<TGridEditing> FEditing; // the edit in progress and the editor controls
    friend class TGridEditingHost;          // editing's host: the platform's gates and the key entries

public:
    // ========================================================================================
    // ---- Sorting and filtering ----
    // Columns are real columns (hidden ones included), rows displayed rows. Comparisons give
    // -1, 0 or +1: +1 when row 1 sorts after row 2 in ascending order. The sorts order the
    // rows first and then move each row to its place with SortSwapRows, so sorting is
    // n log n and stable, and a handler that throws leaves the rows as they were.
    // ========================================================================================
    int Compare(int ACol, int ARow1, int ARow2);
    // With SortSettings.Full, ties are broken by the columns to the right, each in its style.
    int CompareLine(int ACol, int ARow1, int ARow2);
    // By sort index entry Idx (its own direction), with Full the later entries break ties.
    int CompareLineIndexed(int Idx, int ARow1, int ARow2);
    // Swaps the two rows when they are out of order (from ACol rightwards); whether it did.
    bool SortLine(int ACol, int ARow1, int ARow2);
    // The normal rows by the one column, no tie-break.
    void SortByColumn(int ACol);
    // Rows Lo..Hi by column ACol / by the sort index list from entry 0, hidden columns
    // breaking ties; no update lock and no current-row handling.
    void QuickSort(int ACol, int Lo, int Hi);
    void QuickSortIndexed(int Lo, int Hi); // ETxGridError without an index
    // The normal rows by SortSettings.Column / by the sort index list / within each group of
    // node rows (node rows stay), in one update.
    void QSort();
    void QSortIndexed(); // ETxGridError "No indexes specified for indexed sort"
    void QSortGroup();
    TSortIndexList& SortIndexes();
    // The row cross-reference: entry p is the row number the row now at p had when the list
    // was filled.
    void InitSortXRef();
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const; // the list's length when no entry equals ARow
    // Sorting as a click on header column ACol (real) does it: index or direction first.
    void ClickSort(int ACol, bool Shift);
    // Whether a left-button release at Pos over cell (ACol, ARow) of a press in row PressRow
    // sorts (ACol displayed; OnCanSort, asked last, gets the real column).
    bool CanClickSort(int ACol, int ARow, int PressRow, QPoint Pos);
    int CompareCount() const;
    qint64 SortTime() const; // the last header-click sort, ms
    // The image index a ctImageList, ctDataImage or ctImages cell carries; -1 for others.
    int GetCellImageIdx(int ACol, int ARow);
    // Hides every normal row that fails MatchFilter (in place in the store when nothing is
    // hidden yet).
    void ApplyFilter();

protected:
    void QuickSortRows(int ACol, int Lo, int Hi);
    void QuickSortRowsIndexed(int Idx, int Lo, int Hi);
    // Whether MatchFilter is the grid's own, so that the filter may test the rows straight
    // from the store: only a class known to keep it answers true (its own exact type).
    virtual bool OwnMatchFilter() const;

private:
    std::unique_ptr<TGridSorting> FSorting; // made with the grid (TxgridSorting.h)
    friend class TGridSortHost; // sorting's host: the hidden-row store, the row selection, rows leaving, merges

public:
    // ---- Search and find ----
    // Cells are found by displayed (column, row), (-1, -1) when none matches; one call never
    // wraps around, and FindNext after a miss starts again from the first cell.
    TPoint FindFirst(const QString& AText, TFindParams Params);
    TPoint FindNext();
    TPoint Find(TPoint Start, const QString& AText, TFindParams Params);
    bool MatchCell(int ACol, int ARow); // ACol displayed; under the stored text and options
    int Search(const QString& AText);   // AText upper-cased; -1 when no key cell starts so
    // A typed character while Navigation.AutoGotoWhenSorted: Search moves to the row found.
    void SearchKey(const QString& Typed);

private:
    std::unique_ptr<TGridFinder> FFinder; // made with the grid (TxgridFind.h)
    void ForgetTypedSearch();             // a click, a navigation key or a cleared grid: typing starts anew
public:
    // ========================================================================================
    // Update lock: painting waits while the count is above 0, then one full repaint follows.
    // ========================================================================================
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void ResetUpdate();
    bool GetLockFlag() const { return FUpdateCount > 0; }
    void SetLockFlag(bool Value) { Value ? BeginUpdate() : EndUpdate(); }

    // ---- Input (TGridInput): keys, clicks, moves, scrolling, hints, zoom; displayed columns ----
    void TabEdit(); // Tab inside a merged cell
    bool IsEditable(int ACol, int ARow), IsPassword(int ACol, int ARow);
    void MoveColumn(int FromIndex, int ToIndex) { ColumnMoved(FromIndex, ToIndex); }
    void MoveRow(int FromIndex, int ToIndex) { RowMoved(FromIndex, ToIndex); }
    virtual void ColumnMoved(int FromIndex, int ToIndex), RowMoved(int FromIndex, int ToIndex);
    void HandleRadioClick(int ACol, int ARow, int X, int Y); // X, Y inside the cell
    void ScrollInView(int ACol, int ARow);
    bool ScreenToCell(QPoint Point, int& ACol, int& ARow); // a point of the screen; (-1, -1) off the cells
    // The scroll bars' look: each setter stores and shows it; FlatUpdate shows what is stored.
    void SetScrollType(TScrollType V)
    {
        ScrollType = V;
        FlatUpdate();
    }
    void SetScrollColor(TColor V)
    {
        ScrollColor = V;
        FlatUpdate();
    }
    void SetScrollWidth(int V)
    {
        ScrollWidth = V;
        FlatUpdate();
    }
    void SetScrollProportional(bool V)
    {
        ScrollProportional = V;
        FlatUpdate();
    }
    void FlatUpdate();
    void SetArrowColor(TColor Value); // the move and drop markers; read back from the first
    TColor GetArrowColor() const;
    void StretchRightColumn() override; // the last column takes the client width left over
    bool InSizeZone(int X, int Y);
    void ColWidthsChanged(), RowHeightsChanged(); // a column / row was sized by the mouse
    void ZoomBy(int N);                           // every width and height by N pixels, the font with Zoom
    const TInputState& InputState() const;
    // What painting and drags show of the input: a fixed cell pressed as a button, the sizing
    // line and the panning focus point over the cells, the markers of a move or a drop (by
    // TArrowDirection) and the drag indicator.
    bool IsSunkenCell(int ACol, int ARow) const;
    bool MouseSelecting() const; // a plain press's selection with disjunct row marks, until the release
    void PaintInputMarks(ui::Canvas& Canvas);
    TArrowWindow* MoveArrow(int Direction) const;
    TPopupButton* DragIndicator() const;
    // The hint for the cell under Pos: text and place (client); false when none shows.
    bool CellHint(QPoint Pos, QString& Text, QPoint& At);
    // The combo editor's items; removing a text that is no item is false.
    void ClearComboString(), AddComboString(const QString&S), AddComboStringObject(const QString&S, QObject*O);
    bool RemoveComboString(const QString& S);
    int GetComboCount();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void defaultRowHeightChanged() override; // the floating footer follows
    // The only entries of input (TxgridInput.cpp); keyDown is the platform's navigation step.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    bool event(QEvent* e) override; // characters typed into the grid are kept from shortcuts
    void keyDown(int& key, Qt::KeyboardModifiers mods) override;
    void topLeftChanged() override; // an editor control closes on the cell it was opened on
    void paint(ui::Canvas& Canvas, const QRect& Region) override; // and the panning focus point
    void PaintSoftFrame();                                        // the soft look's frame, over the platform's
    // Every press, after the input's steps: what a descendant adds to a press.
    virtual void MousePressed(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}
    // The window exists: editor parents, the footer panel, loading column sizes, the timer.
    virtual void CreateWnd();
    void SetSkipNextInvalidate() { FSkipNextInvalidate = true; }

private:
    // --- settings host ---------------------------------------------------------------------
    TBaseGrid& HostGrid() override { return *this; }
    void RepaintGrid() override { Invalidate(); }
    void RepaintGridCell(int ACol, int ARow) override { RepaintCell(ACol, ARow); }
    void SetFooterPanelHeight(int Height) override;
    void SetFooterPanelVisible(bool Visible) override;
    void RepaintFooterPanel() override;
    int HostFixedRows() override { return fixedRows(); }
    void HostSetLastRowInFooter(bool Value) override
    {
        SetLastRowInFooter(Value);
        CalcFooter(-1);
    }
    quint8 FooterCalc(int ACol) override;
    void SetFooterCalc(int ACol, quint8 Value) override;
    bool IsDesigning() const override { return designing(); }
    bool RegisterDropTarget() override;
    void RevokeDropTarget() override;

    // --- construction steps and helpers ------------------------------------------------------
    std::unique_ptr<TGridInput> FInput; // keys, mouse, wheel, focus, timers, scrolling
    friend class TGridInput;
    TCellGraphic* BaseGraphic(int ACol, int ARow); // the cell object of the base cell
    void StructureChanged();                       // scroll bars and repaint, or at EndUpdate
    void InsertRowsData(int ARow, std::vector<ui::StringGridCore::RowData> Rows);
    void RemoveRowsKeep(int ARow, int Count, std::vector<ui::StringGridCore::RowData>* Keep, bool ExRules);
    // After rows left inside BeginUpdate: the current cell and top row from before them kept
    // where they still can be, EndUpdate, and the cells that moved told.
    void RowsLeft(int Top, int Cur, int Col, bool ExRules, const TRect& Changed);
    void HideRowsImpl(int ARow1, int ARow2, bool ExRules);
    void SyncHiddenColumnCount();
    void MergedColumnsChanged();
    void SwapCellContents(int ACol1, int ARow1, int ACol2, int ARow2); // texts and cell objects
    void HilightRange(bool Mark, bool Undo, bool DoCase, const QString& Text, int FromCol, int FromRow, int ToCol,
                      int ToRow);
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
    QStringList FLookupItems;
    ui::GapVector<char> FRowSelect;         // disjunct row selection, grown on demand
    TIntList FMergedColumns;                // columns merged by equal texts; a change repaints
    std::unique_ptr<TGridPainter> FPainter; // painting: the picture cache, the footer panel
    friend class TGridPainter;              // the disjunct row selection, property objects, the footer's room

    // --- window ------------------------------------------------------------------------------
    bool FWindowCreated = false;
    bool FSkipNextInvalidate = false;

    // --- property values -------------------------------------------------------------------
    TVAlignment FVAlignment = vtaTop;
    TGridLook FLook = glSoft;
    bool FFlat = false;
    TColor FSelectionColor = ui::clHighlight;
    TColor FSelectionTextColor = ui::clHighlightText;
    bool FSelectionRectangle = false;
    bool FShowSelection = true;
    QImage FRowIndicator;
    TImageList* FGridImages = nullptr;
    TColor FURLColor = ui::clBlue;
    bool FURLShow = false;
    bool FURLFull = false;
    bool FAutoSize = false;
    bool FFilterActive = false;
    TPoint FXYOffset{2, 1};

    // --- indexes, nodes, update lock ---------------------------------------------------------
    std::bitset<256> FVisibleCols;
    std::array<quint16, 256> FSavedWidths{};
    quint16& KeptColWidth(int ACol) override { return FSavedWidths[std::size_t(ACol)]; } // TGridCellAccess's
    int FNumHiddenColumns = 0;
    THiddenRows FHiddenRows;
    std::vector<ui::StringGridCore::RowData> FRowScratch; // rows on their way into the store
    bool FSelectionHidden = false;
    TGridRect FHiddenSelection;
    int FNodeCount = 0;
    int FUpdateCount = 0;
    unsigned FCellsChanges = 0;               // CellsChanged calls: a running filter sees its rows change
    std::unique_ptr<TGridExchange> FExchange; // clipboard, office files, drag and drop
    friend class TGridExchange;               // the editing's CellEditable: what a paste or drop may write

public:
    // ---- Persistence, cell checks, drag and drop ----
    // Column widths Col0 .. Col<ColCount - 1> in the INI file or the registry key (of the
    // current user) ColumnSize.Key, section or subkey ColumnSize.Section. Nothing happens
    // when either is empty or the grid is being designed. Loading takes the default column
    // width for a missing value. A store that cannot be written raises ETxGridError.
    void SaveColSizes();
    void LoadColSizes();
    // PrintSettings in a section of an INI file (TxgridPersist.h).
    void SavePrintSettings(const QString& FileName, const QString& Section);
    void LoadPrintSettings(const QString& FileName, const QString& Section);
    // The cell checker's part of validating an edit whose text changed (ACol the real
    // column): CellChecker's Correct when AutoCorrect, OnCellValidate, then its MarkError when
    // AutoMarkError. Value comes back changed; the result is whether it is valid.
    bool CheckEditedValue(int ACol, int ARow, QString& Value);

    // ---- Printing ----
    // Pages are laid out in tenths of a millimetre with y growing upwards (TxgridPrintLayout.h),
    // by PrintSettings. A print is a counting pass and a drawing pass over the same layout.
    using TPrintMethod = grid::TPrintMethod;
    using enum grid::TPrintMethod;
    // The print events (OnPrintStart, OnPrintPage, ...) are declared with the other events.
    // Where Print sends its pages. The default device is the system's default printer or, on
    // a machine without one, a PDF file in "wydruki" of the working directory. Tests install
    // their own (an empty function restores the default).
    using TPrintDeviceFactory = grid::TPrintDeviceFactory;
    static void SetPrintDeviceFactory(TPrintDeviceFactory Factory);
    void Print();
    void PrintRect(TGridRect GridRect);
    // Rect is in device units of Canvas's device; the page range chooses what is drawn.
    void PrintPreview(ui::Canvas& Canvas, QRect Rect);
    void PrintPreviewRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect);
    void SetPreviewPage(int PageNr);
    // Page 1 of the layout, on a page as big as Canvas's device.
    void PrintDraw(ui::Canvas& Canvas, QRect Rect);
    void PrintDrawRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect);
    // Lays out the print range; draws (preview, print) the pages in the page range. Returns
    // the number of pages. TotalPages is an earlier count (-1 when counting).
    int BuildPages(ui::Canvas* Canvas, TPrintMethod Method, int TotalPages);
    // The modal print preview of the whole grid, page by page.
    void ShowPrintPreview();
    int MapFontHeight(int Size) const; // point size -> negative height in tenths of a millimetre
    int MapFontSize(int Height) const;
    int GetPrintColWidth(int ACol) const;
    int GetPrintColOffset(int ACol) const;
    const TPrintLayout& PrintLayout() const; // TxgridPrintLayout.h
    int PrintPageCount() const;
    // Measures one cell for the print layout (real column): width and height on paper.
    TPoint PrintCellSize(int ACol, int ARow);
    int MaxLinesInGrid();
    int MaxCharsInCol(int ACol);
    int MaxLinesInRow(int ARow);
    // Moves Rect's top-left corner to where Text turned by Angle degrees starts on screen.
    void CalcTextPos(TRect& Rect, int Angle, const QString& Text, TAlignment Alignment);

private:
    std::unique_ptr<TGridPrinter> FPrinter; // the print state and its work (TxgridPrinter.h)

public:
    // ---- Files: native, delimited, fixed-width, HTML, XML (the work and its rules: TGridFiles.h) ----
    // The native cell file (absolute positions; progress while writing and reading) and
    // stream (positions relative to the first saved cell): size, column widths and the texts
    // of non-empty cells.
    void SaveToFile(const QString& FileName);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice& Stream);   // from its current position
    void LoadFromStream(QIODevice& Stream); // from its current position to its end
    // Delimited text. Delimiter 0 is a comma when writing and detected when reading.
    QChar Delimiter = QChar(0);
    bool CSVQuoteAll = false;
    bool CSVQuoteEmpty = true;       // an empty cell is written as two double quotes
    bool CSVTildeLineBreaks = false; // line breaks as "~", an empty cell as "^"
    void SaveToCSV(const QString& FileName) { OutputToCSV(FileName, false); }
    void AppendToCSV(const QString& FileName) { OutputToCSV(FileName, true); } // created when missing
    void LoadFromCSV(const QString& FileName) { InputFromCSV(FileName, false); }
    void InsertFromCSV(const QString& FileName) { InputFromCSV(FileName, true); } // below the rows there are
    void OutputToCSV(const QString& FileName, bool AppendMode);
    void InputFromCSV(const QString& FileName, bool InsertMode);
    // Every column as wide as its longest text and one blank, aligned as the cells show.
    void SaveToASCII(const QString& FileName);
    // Fixed widths: Widths gets an entry (longest text + 1) for every saved column it lacks.
    void SaveToFixed(const QString& FileName, TIntList& Widths);
    // Positions: the 1-based character positions bounding each field (n positions, n - 1 fields).
    void LoadFromFixed(const QString& FileName, TIntList& Positions);
    // An HTML table as HTMLSettings says, between the header and footer files.
    void SaveToHTML(const QString& FileName) { OutputToHTML(FileName, false); }
    void AppendToHTML(const QString& FileName) { OutputToHTML(FileName, true); } // created when missing
    void OutputToHTML(const QString& FileName, bool AppendMode);
    // One ListDescr element holding a RecordDescr element per row and one element per field,
    // named by FieldDescr (may be absent) or "FIELD" and the field's number from 0.
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   const QStringList* FieldDescr);
    // ---- Clipboard, workbooks, databases, drag and drop (TxgridExchange.h; made on first use) ----
    TGridExchange& Exchange();
    bool ClipboardKeyDown(QKeyEvent* e); // true: a clipboard key, handled
};

} // namespace grid
