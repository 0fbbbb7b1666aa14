// Workbooks and documents of the grid through the office bridge: the used range read back
// from its address text, values placed after the fixed cells, the grid's texts written from
// A1, and a document table with the cells' alignment.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/controls/TxgridWaitCursor.h"
#include "grid/controls/Txutil.h"

namespace grid {

namespace {

TGridExchange::TBridgeFactory& bridgeFactory()
{
    static TGridExchange::TBridgeFactory f;
    return f;
}

std::unique_ptr<TOfficeBridge> createBridge(bool Word)
{
    auto b = bridgeFactory() ? bridgeFactory()(Word) : NewNativeOfficeBridge();
    if (!b)
        throw ETxGridError(Word ? QStringLiteral("Word OLE server not found")
                                : QStringLiteral("Excel OLE server not found"));
    return b;
}

// The office program in hand: whatever happens, an open workbook is closed without saving
// (unless the work finished) and the program told to quit.
class TOfficeSession {
public:
    explicit TOfficeSession(bool Word) : Bridge(createBridge(Word)) {}
    ~TOfficeSession()
    {
        try {
            Finish();
        } catch (...) { // the failure that brought us here is the one to report
        }
    }
    // Closes an open workbook without saving and quits.
    void Finish()
    {
        if (WorkbookOpen) {
            WorkbookOpen = false;
            Bridge->WorkbookClose(false);
        }
        if (Running) {
            Running = false;
            Bridge->Quit();
        }
    }
    TOfficeBridge* operator->() { return Bridge.get(); }
    std::unique_ptr<TOfficeBridge> Bridge;
    bool WorkbookOpen = false;
    bool Running = true;
};

// The sheet of that name in hand (the last of equal names), else of that name in other
// letter case, as spreadsheets take sheet names; false when there is none. A book may hold
// names that differ in case only ("Dane", "DANE"): its own name is found first.
bool selectSheet(TOfficeBridge& B, const QString& Name)
{
    int found = 0;
    const int n = B.SheetsCount();
    for (int i = 1; i <= n; ++i)
        if (B.SheetName(i) == Name)
            found = i;
    for (int i = 1; !found && i <= n; ++i)
        if (B.SheetName(i).compare(Name, Qt::CaseInsensitive) == 0)
            found = i;
    if (found)
        B.SelectSheet(found);
    return found > 0;
}

// One end of a used range, "B$2" after its first "$" went: column letters and a row.
struct TRangeEnd {
    int Col = 0, Row = 0; // 0: missing
    bool HasDollar = false;
};

TRangeEnd parseEnd(QString Part)
{
    if (Part.startsWith(QLatin1Char('$')))
        Part.remove(0, 1);
    TRangeEnd e;
    const qsizetype d = Part.indexOf(QLatin1Char('$'));
    e.HasDollar = d >= 0;
    bool ok = false;
    const int row = (e.HasDollar ? Part.mid(d + 1) : Part).toInt(&ok);
    e.Row = ok && row > 0 ? row : 0;
    if (e.HasDollar)
        e.Col = ColumnNumber(Part.left(d));
    return e;
}

} // namespace

void TGridExchange::SetBridgeFactory(TBridgeFactory Factory) { bridgeFactory() = std::move(Factory); }

void TGridExchange::LoadFromXLS(const QString& FileName) { LoadXLS(FileName, nullptr); }
void TGridExchange::LoadFromXLSSheet(const QString& FileName, const QString& SheetName)
{
    LoadXLS(FileName, &SheetName);
}
void TGridExchange::SaveToXLS(const QString& FileName) { SaveXLS(FileName, nullptr); }
void TGridExchange::SaveToXLSSheet(const QString& FileName, const QString& SheetName) { SaveXLS(FileName, &SheetName); }

void TGridExchange::LoadXLS(const QString& FileName, const QString* SheetName)
{
    files::TWaitCursor wait;
    TOfficeSession app(false);
    if (!app->WorkbooksOpen(FileName))
        throw ETxGridError(QStringLiteral("File %1 not found").arg(FileName));
    app.WorkbookOpen = true;
    if (SheetName) {
        if (!selectSheet(*app.Bridge, *SheetName))
            throw ETxGridError(QStringLiteral("Excel worksheet %1 not found").arg(*SheetName));
    } else {
        app->SelectActiveSheet();
    }
    // The used range as its address text; one cell has no ":" and is both ends.
    const QString address = app->UsedRangeAddress();
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    const TRangeEnd a = parseEnd(colon < 0 ? address : address.left(colon));
    const TRangeEnd b = parseEnd(colon < 0 ? address : address.mid(colon + 1).left(255));
    int c1 = a.Col, c2 = b.Col;
    if (!a.HasDollar) {
        c1 = 1;
        c2 = 256;
    }
    std::vector<TOfficeRow> values;
    const bool found = a.Row && b.Row && c1 && c2 && c2 >= c1 && b.Row >= a.Row;
    // A range the grid cannot hold is refused before the grid changes: its rows are as long
    // as their last column.
    if (found && qint64(c2 - c1 + 1) * (b.Row - a.Row + 1) > kGridMaxRangeCells)
        throw ETxGridError(RangeTooLargeMessage(address));
    if (found) {
        FGrid.SetColCount(c2 - c1 + 1);
        FGrid.SetRowCount(b.Row - a.Row + 1);
        values = app->RangeValue(ColumnLetters(c1) + QString::number(a.Row) + QLatin1Char(':') + ColumnLetters(c2)
                                 + QString::number(b.Row));
    }
    int FC = 0, FR = 0;
    if (!FGrid.SaveWithFixedCells) {
        FC = FGrid.FixedCols();
        FR = FGrid.FixedRows();
        if (found) {
            FGrid.SetColCount(FGrid.ColCount() + FC);
            FGrid.SetRowCount(FGrid.RowCount() + FR);
        }
    }
    // The range read holds exactly the workbook's cells: an empty or error value empties its
    // cell, so that no text the grid held before shows as if the workbook held it. Values
    // that do not fit the grid (a range read without its size) are skipped.
    const QChar sep = TRegional::Current().DecimalSeparator;
    const int rows = found ? FGrid.RowCount() - FR : int(values.size());
    for (int r = 0; r < rows && r + FR < FGrid.RowCount(); ++r) {
        const int given = r < int(values.size()) ? int(values[r].size()) : 0;
        const int cols = found ? FGrid.ColCount() - FC : given;
        for (int c = 0; c < cols && c + FC < FGrid.ColCount(); ++c) {
            const TOfficeValue* v = c < given ? &values[r][c] : nullptr;
            if (v && v->Kind != TOfficeValue::ovEmpty && v->Kind != TOfficeValue::ovError)
                FGrid.setCells(c + FC, r + FR, v->ToText(sep));
            else if (!FGrid.cells(c + FC, r + FR).isEmpty())
                FGrid.setCells(c + FC, r + FR, QString());
        }
    }
    app.Finish();
    FGrid.CellsChanged({0, 0, FGrid.ColCount(), FGrid.RowCount()});
    FGrid.CellsLoaded();
}

void TGridExchange::SaveXLS(const QString& FileName, const QString* SheetName)
{
    CheckFileKind(FileName, true);
    files::TWaitCursor wait;
    TOfficeSession app(false);
    // Past the start of the program, what keeps the book from being saved is told with the
    // file's name.
    SavingFile(FileName, [&] {
        bool isNew = true;
        if (SheetName) {
            isNew = !app->WorkbooksOpen(FileName);
            if (isNew)
                app->WorkbooksAdd();
            app.WorkbookOpen = true;
            if (!selectSheet(*app.Bridge, *SheetName))
                app->WorksheetsAdd(*SheetName);
        } else {
            app->WorkbooksAdd();
            app.WorkbookOpen = true;
            app->WorksheetsAdd(QString());
        }
        const int FC = FGrid.SaveWithFixedCells ? 0 : FGrid.FixedCols();
        const int FR = FGrid.SaveWithFixedCells ? 0 : FGrid.FixedRows();
        const int rows = FGrid.RowCount() - FR, cols = FGrid.ColCount() - FC;
        if (rows > 0 && cols > 0) {
            std::vector<std::vector<QString>> values(static_cast<std::size_t>(rows),
                                                     std::vector<QString>(static_cast<std::size_t>(cols)));
            std::vector<int> real;
            for (int c = FC; c < FGrid.ColCount(); ++c)
                real.push_back(FGrid.RemapCol(c));
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    QString& t = values[r][c];
                    FGrid.SaveCell(real[std::size_t(c)], r + FR, t);
                    if (t.contains(QLatin1Char('\r')))
                        t.remove(QLatin1Char('\r'));
                }
            app->SetRangeValue(QStringLiteral("A1:") + ColumnLetters(cols) + QString::number(rows), values);
        }
        if (isNew)
            app->WorkbookSaveAs(FileName);
        else
            app->WorkbookSave();
        app.WorkbookOpen = false;
        app.Finish();
    });
}

void TGridExchange::SaveToDOC(const QString& FileName)
{
    files::TWaitCursor wait;
    TOfficeSession app(true);
    SavingFile(FileName, [&] {
        app->DocumentsAdd();
        const int rows = FGrid.RowCount(), cols = FGrid.ColCount();
        app->TablesAdd(rows, cols);
        QString t;
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c) {
                FGrid.SaveCell(FGrid.RemapCol(c - 1), r - 1, t);
                app->CellInsertAfter(r, c, t);
                TAlignment h = taLeftJustify;
                TVAlignment v = vtaTop;
                FGrid.GetCellAlignment(c - 1, r - 1, h, v);
                if (h == taRightJustify)
                    app->CellAlignment(r, c, 2);
                else if (h == taCenter)
                    app->CellAlignment(r, c, 1);
            }
        app->DocumentSaveAs(FileName);
    });
}

} // namespace grid
