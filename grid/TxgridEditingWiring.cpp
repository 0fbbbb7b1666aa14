// The grid's editing wired to the grid: the host that answers for the grid to TGridEditing,
// and the grid's editing functions forwarded to it.
#include "grid/TxgridEditingWiring.h"
#include "grid/TxgridHostAdapter.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/edit/TxgridRichEdit.h"
#include "grid/edit/TxgridEditLink.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace grid {

// The grid as editing sees it. A friend of the grid: the platform's gates under the grid's own
// (canEditShow, selectCell, the event filter) and the key entries are protected.
class TGridEditingHost final : public TGridHostAdapter<TEditingHost> {
public:
    using TGridHostAdapter::TGridHostAdapter;
    static TGridEditing& EditingOf(TTxStringGrid& Grid) { return *Grid.FEditing; }

    QWidget* viewport() override { return G.viewport(); }
    TSizeWhileTyping& SizeWhileTyping() override { return G.SizeWhileTyping(); }
    void SizeToTypedText(const QString& Text, bool LineBreak) override
    {
        G.SizeWhileTypingText(G.col(), G.row(), Text, LineBreak);
    }
    TGridLook Look() const override { return G.Look(); }
    ui::Color controlColor() const override { return G.controlColor(); }
    int GridLineWidth() const override { return G.GridLineWidth(); }
    const QStringList& LookupItems() const override { return G.LookupItems(); }
    void SetLookupItems(const QStringList& Items) override { G.SetLookupItems(Items); }
    TEditLink* EditLink() const override { return G.EditLink; }
    void ForgetEditLink(TEditLink* Link) override
    {
        if (G.EditLink == Link)
            G.EditLink = nullptr;
    }

    void setOptions(ui::GridOptions Options) override { G.setOptions(Options); }
    bool designing() const override { return G.designing(); }
    void invalidateCell(int ACol, int ARow) override { G.invalidateCell(ACol, ARow); }
    bool editorMode() const override { return G.editorMode(); }
    void showEditor() override { G.showEditor(); }
    QLineEdit* inplaceEditor() const override { return G.inplaceEditor(); }
    bool canEditShow() override { return G.canEditShow(); }
    bool PlatformCanEditShow() override { return G.TBaseGrid::canEditShow(); }
    bool PlatformSelectCell(int ACol, int ARow) override { return G.TBaseGrid::selectCell(ACol, ARow); }
    bool PlatformEventFilter(QObject* o, QEvent* e) override { return G.TBaseGrid::eventFilter(o, e); }
    void KeyPressed(int Key, Qt::KeyboardModifiers Shift) override
    {
        QKeyEvent again(QEvent::KeyPress, Key, Shift);
        G.keyPressEvent(&again);
    }
    void keyDown(int& Key, Qt::KeyboardModifiers Shift) override { G.keyDown(Key, Shift); }

    int AddBeforeFooters(bool Column) override { return G.AddBeforeFooters(Column); }
    bool IsFixed(int ACol, int ARow) override { return G.IsFixed(ACol, ARow); }
    bool HasStaticEdit(int Real, int ARow) override { return G.HasStaticEdit(Real, ARow); }
    TRect CellRect(int ACol, int ARow) const override { return G.CellRect(ACol, ARow); }
    int rowHeights(int ARow) const override { return G.rowHeights(ARow); }
    void setRowHeights(int ARow, int Height) override { G.setRowHeights(ARow, Height); }
    int colWidths(int ACol) const override { return G.colWidths(ACol); }
    void setColWidths(int ACol, int Width) override { G.setColWidths(ACol, Width); }
    void SelectBaseCell() override { G.SelectBaseCell(); }
    QPoint mapToGlobal(QPoint Pos) const override { return G.mapToGlobal(Pos); }

    void setCells(int Real, int ARow, const QString& Text) override { G.setCells(Real, ARow, Text); }
    int GetInts(int Real, int ARow) override { return G.GetInts(Real, ARow); }
    double GetFloats(int Real, int ARow) override { return G.GetFloats(Real, ARow); }
    TDateTime GetDates(int Real, int ARow) override { return G.GetDates(Real, ARow); }
    void SetFloats(int Real, int ARow, double Value) override { G.SetFloats(Real, ARow, Value); }
    void SetDates(int Real, int ARow, TDateTime Value) override { G.SetDates(Real, ARow, Value); }
    void CellToRich(int Real, int ARow, QTextEdit& Edit) override { G.CellToRich(Real, ARow, Edit); }
    void RichToCell(int Real, int ARow, QTextEdit& Edit) override { G.RichToCell(Real, ARow, Edit); }

    QString getEditText(int ACol, int ARow) override { return G.getEditText(ACol, ARow); }
    void GetCellEditor(int Real, int ARow, TEditorType& Editor) override { G.GetCellEditor(Real, ARow, Editor); }
    void GetCellReadOnly(int Real, int ARow, bool& CanEdit) override { G.GetCellReadOnly(Real, ARow, CanEdit); }
    void GetCellAlign(int Real, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override
    {
        G.GetCellAlign(Real, ARow, HAlign, VAlign);
    }
    int GetEditLimit() override { return G.GetEditLimit(); }
    QString GetEditMask(int ACol, int ARow) override { return G.GetEditMask(ACol, ARow); }
    void EditProgress(const QString& Text, TPoint Pos, int Index) override { G.EditProgress(Text, Pos, Index); }
    void EllipsClick(const QString& Text, QString& Result) override { G.EllipsClick(Text, Result); }
    void InitValidate(int ACol, int ARow) override { G.InitValidate(ACol, ARow); }
    bool ValidateCell(QString& Value) override { return G.ValidateCell(Value); }
    void UpdateCell(int Real, int ARow) override { G.UpdateCell(Real, ARow); }
    void CellsChanged(TRect R) override { G.CellsChanged(R); }
    void DoneEditing() override { G.DoneEditing(); }
};

std::unique_ptr<TEditingHost> MakeEditingHost(TTxStringGrid& Grid) { return std::make_unique<TGridEditingHost>(Grid); }

TTxRichEdit::TTxRichEdit(TTxStringGrid& AGrid) : TTxRichEdit(TGridEditingHost::EditingOf(AGrid)) {}

// ---- the grid's editing functions ----
TTxInplaceEdit* TTxStringGrid::GetInplaceEditor() const { return FEditing->InplaceEdit(); }
QLineEdit* TTxStringGrid::createEditor() { return FEditing->CreateEditor(); }
QString TTxStringGrid::getEditText(int ACol, int ARow) { return FEditing->EditText(ACol, ARow); }
void TTxStringGrid::setEditText(int ACol, int ARow, const QString& Value) { setCells(RemapCol(ACol), ARow, Value); }
// The platform asks through a const hook; the answer opens the edit and so changes state.
bool TTxStringGrid::canEditShow() const { return FEditing->CanEditShow(); }
bool TTxStringGrid::selectCell(int ACol, int ARow) { return FEditing->SelectCell(ACol, ARow); }

void TTxStringGrid::DoneEditing()
{
    if (OnEditingDone)
        OnEditingDone(*this);
}

void TTxStringGrid::ShowCellEdit()
{
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier));
}

void TTxStringGrid::HideInplaceEdit() { FEditing->HideInplaceEdit(); }
void TTxStringGrid::DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift) { FEditing->DoneInplaceEdit(Key, Shift); }
void TTxStringGrid::RestoreCache() { FEditing->RestoreCache(); }
void TTxStringGrid::AdvanceEdit(int ACol, int ARow, bool Advance, bool ShowEditor, bool Force)
{
    FEditing->AdvanceEdit(ACol, ARow, Advance, ShowEditor, Force);
}
TEditorType TTxStringGrid::CurrentEditorType() const { return FEditing->State().EditorType; }
bool TTxStringGrid::EditActive() const { return FEditing->State().Active; }
bool TTxStringGrid::EditStarted() const { return FEditing->State().Started; }

// ---- the editor controls and the custom editor link ----
bool TTxStringGrid::CommitControlValue(QString& Text) { return FEditing->CommitControlValue(Text); }
TGridCombo* TTxStringGrid::GetComboBox() { return FEditing->ComboBox(); }
TGridSpin* TTxStringGrid::GetSpinEdit() { return FEditing->SpinEdit(); }
void TTxStringGrid::SetComboSelection(int Index) { FEditing->SetComboSelection(Index); }
bool TTxStringGrid::SetComboSelectionString(const QString& S) { return FEditing->SetComboSelectionString(S); }
void TTxStringGrid::ShowEditControl(int ACol, int ARow) { FEditing->ShowEditControl(ACol, ARow); }
void TTxStringGrid::HideEditControl(int ACol, int ARow) { FEditing->HideEditControl(ACol, ARow); }
QWidget* TTxStringGrid::EditControlOf(TEditorType Type) const { return FEditing->EditControlOf(Type); }
void TTxStringGrid::WriteBackControl(int Real, int ARow) { FEditing->WriteBackControl(Real, ARow); }
void TTxStringGrid::ShowEditLink(int ACol, int ARow) { FEditing->ShowEditLink(ACol, ARow); }
void TTxStringGrid::HideEditLink() { FEditing->HideEditLink(); }
TGridDatePicker* TGridCellAccess::GetDateTimePicker() const
{
    return static_cast<TGridDatePicker*>(Self().EditControlOf(edDateEdit));
}

// ---- validation ----
void TTxStringGrid::InitValidate(int ACol, int ARow) { FEditing->InitValidate(ACol, ARow); }
bool TTxStringGrid::ValidateCell(QString& Value) { return FEditing->ValidateCell(Value); }
bool TTxStringGrid::CheckEditedValue(int ACol, int ARow, QString& Value)
{
    return FEditing->CheckEditedValue(ACol, ARow, Value);
}

} // namespace grid
