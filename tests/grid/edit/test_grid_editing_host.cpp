// Editing driven through a small fake host instead of the grid: validation of a finished edit
// asks the host for the cell by its real column, tells it what changed, and arms itself again
// on the current cell, in that order.
#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridEditingHost.h"
#include "tests/grid/FakeGridHost.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

class FakeEditingHost : public FakeGridHost<TEditingHost> {
public:
    using FakeGridHost::FakeGridHost;
    TGridEditing* Editing = nullptr; // answers the validation hooks, as the grid's own do
    TSizeWhileTyping Typing;
    QStringList Lookup;

    QWidget* viewport() override { return nullptr; }
    TSizeWhileTyping& SizeWhileTyping() override { return Typing; }
    void SizeToTypedText(const QString&, bool) override {}
    TGridLook Look() const override { return {}; }
    ui::Color controlColor() const override { return {}; }
    int GridLineWidth() const override { return 1; }
    const QStringList& LookupItems() const override { return Lookup; }
    void SetLookupItems(const QStringList& Items) override { Lookup = Items; }
    TEditLink* EditLink() const override { return nullptr; }
    void ForgetEditLink(TEditLink*) override {}
    void setOptions(ui::GridOptions Options) override { Store.setOptions(Options); }
    bool designing() const override { return false; }
    void invalidateCell(int, int) override {}
    bool editorMode() const override { return false; }
    void showEditor() override { note("showEditor"); }
    QLineEdit* inplaceEditor() const override { return nullptr; }
    bool canEditShow() override { return true; }
    bool PlatformCanEditShow() override { return true; }
    bool PlatformSelectCell(int, int) override { return true; }
    bool PlatformEventFilter(QObject*, QEvent*) override { return false; }
    void KeyPressed(int, Qt::KeyboardModifiers) override {}
    void keyDown(int&, Qt::KeyboardModifiers) override {}
    int AddBeforeFooters(bool Column) override
    {
        if (Column) {
            Store.setColCount(Store.colCount() + 1);
            return Store.colCount() - 1;
        }
        Store.setRowCount(Store.rowCount() + 1);
        return Store.rowCount() - 1 - Footers;
    }
    bool IsFixed(int ACol, int ARow) override { return ACol < fixedCols() || ARow < fixedRows(); }
    bool HasStaticEdit(int, int) override { return false; }
    TRect CellRect(int ACol, int ARow) const override { return platformCellRect(ACol, ARow); }
    int rowHeights(int) const override { return 24; }
    void setRowHeights(int, int) override {}
    int colWidths(int) const override { return 64; }
    void setColWidths(int, int) override {}
    void SelectBaseCell() override {}
    QPoint mapToGlobal(QPoint Pos) const override { return Pos; }
    void setCells(int Real, int ARow, const QString& Text) override { Store.setCell(Real, ARow, Text); }
    int GetInts(int Real, int ARow) override { return cells(Real, ARow).toInt(); }
    double GetFloats(int Real, int ARow) override { return cells(Real, ARow).toDouble(); }
    TDateTime GetDates(int, int) override { return {}; }
    void SetFloats(int Real, int ARow, double Value) override { setCells(Real, ARow, QString::number(Value)); }
    void SetDates(int, int, TDateTime) override {}
    void CellToRich(int, int, QTextEdit&) override {}
    void RichToCell(int, int, QTextEdit&) override {}
    QString getEditText(int ACol, int ARow) override { return cells(RemapCol(ACol), ARow); }
    void GetCellEditor(int, int, TEditorType&) override {}
    void GetCellReadOnly(int, int, bool&) override {}
    void GetCellAlign(int, int, TAlignment&, TVAlignment&) override {}
    int GetEditLimit() override { return 0; }
    QString GetEditMask(int, int) override { return {}; }
    void EditProgress(const QString&, TPoint, int) override {}
    void EllipsClick(const QString&, QString&) override {}
    void InitValidate(int ACol, int ARow) override
    {
        note("InitValidate " + at(ACol, ARow));
        Editing->InitValidate(ACol, ARow);
    }
    bool ValidateCell(QString& Value) override { return Editing->ValidateCell(Value); }
    void UpdateCell(int Real, int ARow) override { note("UpdateCell " + at(Real, ARow)); }
    void CellsChanged(TRect R) override { note("CellsChanged " + at(R.Left, R.Top) + at(R.Right, R.Bottom)); }
    void DoneEditing() override { note("DoneEditing"); }
};

} // namespace

TEST(GridEditingHost, ValidationReadsTheRealColumnAndReportsOnlyAChange)
{
    auto owned = std::make_unique<FakeEditingHost>(4, 4);
    FakeEditingHost& h = *owned;
    h.ColMap = {0, 2, 3}; // real column 1 is hidden: displayed 1 is real 2
    h.Store.setCell(1, 1, "ukryty");
    h.Store.setCell(2, 1, "stary");
    h.Col = 2, h.Row = 3; // the current cell, where validation arms itself again
    TGridEditing editing(std::move(owned));
    h.Editing = &editing;

    struct Case {
        QString value;
        bool valid;
        QStringList calls;
    };
    const Case cases[] = {
        // The text the edit began with: nothing changed, nothing told.
        {"stary", true, {"InitValidate (2,3)"}},
        // A change is told only once the value is stored (EditStored), never by validation.
        {"nowy", true, {"InitValidate (2,3)", "UpdateCell (2,1)", "CellsChanged (2,1)(2,1)"}},
    };
    for (const Case& c : cases) {
        h.Calls.clear();
        editing.InitValidate(1, 1); // an edit began on displayed (1, 1)
        QString value = c.value;
        EXPECT_EQ(editing.ValidateCell(value), c.valid) << c.value.toStdString();
        editing.EditStored();
        editing.EditStored(); // told once
        EXPECT_EQ(h.Calls, c.calls) << c.value.toStdString();
        EXPECT_EQ(value, c.value);
    }
}
