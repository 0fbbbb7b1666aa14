// The grid's own cell format: a header "cols,rows", width lines "cw c,w" and one line
// "c,r,text" per non-empty cell, one cell always on one line (line breaks travel as tab and
// backspace). The file variant keeps absolute positions, the stream variant positions
// relative to the first saved cell. Only the size, the widths and the texts are kept. A cell
// reads back whole whatever Multilinecells says: that setting is how cells show, and a load
// that kept only the first line would lose the rest unseen.
#include "grid/files/TxgridFiles.h"

#include "grid/files/TGridFiles.h"
#include "grid/core/Txgrid.h"
#include "grid/core/TxgridUpdateGuard.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridLines.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/Txutil.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <exception>

namespace grid {

namespace files {

namespace {

QString Num(int Value) { return QString::number(Value); }

// The text before the first comma; Rest loses everything through it. Without a comma the
// field is empty and Rest stays.
QString CutField(QString& Rest)
{
    const qsizetype p = Rest.indexOf(QLatin1Char(','));
    if (p < 0)
        return QString();
    QString field = Rest.left(p);
    Rest.remove(0, p + 1);
    return field;
}

} // namespace

void WriteNativeFile(TTxStringGrid& Grid, QIODevice& Device, const QString& Name)
{
    TLineWriter out(Device, tcAnsi, Name);
    const int H = Grid.SaveWithHiddenColumns ? Grid.NumHiddenColumns() : 0;
    out.WriteLine(Num(Grid.GetSaveColCount() + H) + QLatin1Char(',') + Num(Grid.GetSaveRowCount()));
    for (int c = Grid.GetSaveStartCol(); c <= Grid.GetSaveEndCol() + H; ++c) {
        const int w = c < Grid.colCount() ? Grid.colWidths(c) : Grid.defaultColWidth();
        out.WriteLine(QStringLiteral("cw ") + Num(c) + QLatin1Char(',') + Num(w));
    }
    // The cells cover the hidden columns whatever SaveWithHiddenColumns says.
    const int first = Grid.GetSaveStartCol();
    const std::vector<int> real = StoreColumns(Grid, first, Grid.GetSaveEndCol() + Grid.NumHiddenColumns());
    TProgress progress(Grid);
    for (int r = Grid.GetSaveStartRow(); r <= Grid.GetSaveEndRow(); ++r) {
        for (std::size_t k = 0; k < real.size(); ++k) {
            if (real[k] < 0)
                continue;
            const QString text = Grid.GetCellEx(real[k], r);
            if (!text.isEmpty())
                out.WriteLine(Num(first + int(k)) + QLatin1Char(',') + Num(r) + QLatin1Char(',') + LfToFile(text));
        }
        // Counted from the first saved row, so that the last row reports 100.
        progress.Step(r - Grid.GetSaveStartRow(), Grid.GetSaveRowCount() - 1);
    }
    out.Finish();
}

namespace {

// A native file's lines taken in before the grid changes: its size, its widths and its cells.
struct TNativeContent {
    bool HasSize = false;
    int Cols = 0, Rows = 0;
    // The size the header gives, within the limits before anything is read into the grid.
    void SetSize(int C, int R, TTextBudget& Budget, const QString& Refusal)
    {
        if (C > kMaxFileCount || R > kMaxFileCount)
            throw ETxGridError(Refusal);
        Budget.Range(C, R);
        HasSize = true;
        Cols = C;
        Rows = R;
    }
    std::vector<std::pair<int, int>> Widths; // column, width
    struct TCell {
        int Col, Row;
        QString Text;
    };
    std::vector<TCell> Cells;
};

// The lines of the whole device, within the limits of the other text readers; Line is given
// each line after the first, the first (the size) goes to Header when it is not empty.
template <class H, class L>
void ReadNativeLines(QIODevice& Device, TTextBudget& Budget, const QString& Name, H Header, L Line)
{
    MemoryGuarded(Name, [&] {
        const QString text = DecodeGuessed(Budget.ReadAll(Device), tcAnsi);
        qsizetype next = 0;
        for (qsizetype p = 0; p < text.size(); p = next) {
            const qsizetype end = FindLineEnd(text, p, next);
            QString line = text.mid(p, end - p);
            if (p == 0) {
                if (!line.isEmpty())
                    Header(line);
                continue;
            }
            Line(line);
        }
        return 0;
    });
}

} // namespace

void ReadNativeFile(TTxStringGrid& Grid, QIODevice& Device, const QString& Name)
{
    const int FC = Grid.SaveWithFixedCells ? 0 : Grid.FixedCols();
    const int FR = Grid.SaveWithFixedCells ? 0 : Grid.FixedRows();
    TTextBudget budget(Name);
    TNativeContent in;
    in.Cols = Grid.colCount();
    in.Rows = Grid.rowCount();
    ReadNativeLines(
        Device, budget, Name,
        [&](const QString& Rest) {
            const qsizetype comma = Rest.indexOf(QLatin1Char(','));
            const int cols = LenientInt(comma < 0 ? Rest : Rest.left(comma)).value_or(0) + FC;
            const int rows = LenientInt(comma < 0 ? QString() : Rest.mid(comma + 1)).value_or(0) + FR;
            const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + Name;
            if (cols <= 0 || rows <= 0)
                throw ETxGridError(corrupt);
            in.SetSize(cols, rows, budget, corrupt);
        },
        [&](QString& Line) {
            if (Line.startsWith(QLatin1String("cw"))) {
                const qsizetype comma = Line.indexOf(QLatin1Char(','));
                if (comma < 0)
                    return;
                const auto c = LenientInt(Line.mid(3, comma - 3));
                const auto w = LenientInt(Line.mid(comma + 1, 255));
                if (c && w && *c >= 0 && *c < in.Cols && *w >= 0)
                    in.Widths.emplace_back(*c, *w);
                return;
            }
            const auto c = LenientInt(CutField(Line));
            const auto r = LenientInt(CutField(Line));
            // Positions outside the grid, negative ones too, are left out.
            if (c && r && *c >= 0 && *c < in.Cols && *r >= 0 && *r < in.Rows) {
                budget.Cell(Line.size());
                in.Cells.push_back({*c, *r, FileToLf(Line, true)});
            }
        });
    TUpdateGuard lock(Grid);
    if (in.HasSize) {
        Grid.SetColCount(in.Cols);
        Grid.SetRowCount(in.Rows);
    }
    for (const auto& [c, w] : in.Widths)
        Grid.setColWidths(c, w);
    const std::vector<int> real = StoreColumns(Grid, 0, Grid.colCount() - 1);
    TProgress progress(Grid);
    for (const TNativeContent::TCell& cell : in.Cells) {
        Grid.SetCellEx(real[std::size_t(cell.Col)], cell.Row, cell.Text);
        progress.Step(cell.Row, Grid.rowCount() - 1);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(); // a long load keeps the window responsive
    }
}

void WriteNativeStream(TTxStringGrid& Grid, QIODevice& Device)
{
    TLineWriter out(Device, tcAnsi);
    out.WriteLine(Num(Grid.GetSaveColCount()) + QLatin1Char(',') + Num(Grid.GetSaveRowCount()));
    for (int c = 0; c < Grid.colCount(); ++c)
        out.WriteLine(QStringLiteral("cw ") + Num(c) + QLatin1Char(',') + Num(Grid.colWidths(c)));
    const int c0 = Grid.GetSaveStartCol(), r0 = Grid.GetSaveStartRow();
    const std::vector<int> real = StoreColumns(Grid, c0, Grid.GetSaveEndCol());
    QString text;
    for (int r = r0; r <= Grid.GetSaveEndRow(); ++r)
        for (std::size_t k = 0; k < real.size(); ++k) {
            Grid.SaveCell(real[k], r, text);
            if (!text.isEmpty())
                out.WriteLine(Num(int(k)) + QLatin1Char(',') + Num(r - r0) + QLatin1Char(',') + LfToFile(text));
        }
    out.Finish();
}

void ReadNativeStream(TTxStringGrid& Grid, QIODevice& Device)
{
    const int c0 = Grid.GetSaveStartCol(), r0 = Grid.GetSaveStartRow();
    TTextBudget budget{QString()};
    TNativeContent in;
    in.Cols = Grid.colCount();
    in.Rows = Grid.rowCount();
    // A line that is no number ends the read: what came before it is loaded, as a stream is
    // read line by line.
    std::exception_ptr stopped;
    try {
        ReadNativeLines(
            Device, budget, QString(),
            [&](const QString& Rest) {
                const qsizetype comma = Rest.indexOf(QLatin1Char(','));
                const int cols = StrictInt(comma < 0 ? Rest : Rest.left(comma)) + c0;
                const int rows = StrictInt(comma < 0 ? QString() : Rest.mid(comma + 1)) + r0;
                in.SetSize(cols, rows, budget, QStringLiteral("File contains no data or corrupt file"));
            },
            [&](QString& Line) {
                if (Line.startsWith(QLatin1String("cw"))) {
                    Line.remove(0, 3);
                    const int c = StrictInt(CutField(Line));
                    const int w = StrictInt(Line);
                    if (c >= 0 && c < in.Cols && w >= 0)
                        in.Widths.emplace_back(c, w);
                    return;
                }
                const int c = c0 + StrictInt(CutField(Line));
                const int r = r0 + StrictInt(CutField(Line));
                if (c >= 0 && c < in.Cols && r >= 0 && r < in.Rows) {
                    budget.Cell(Line.size());
                    in.Cells.push_back({c, r, FileToLf(Line, true)});
                }
            });
    } catch (const EConvertError&) {
        stopped = std::current_exception();
    }
    TUpdateGuard lock(Grid);
    if (in.HasSize) {
        Grid.SetColCount(in.Cols);
        Grid.SetRowCount(in.Rows);
    }
    for (const auto& [c, w] : in.Widths)
        Grid.setColWidths(c, w);
    const std::vector<int> real = StoreColumns(Grid, 0, Grid.colCount() - 1);
    for (const TNativeContent::TCell& cell : in.Cells)
        Grid.SetCellEx(real[std::size_t(cell.Col)], cell.Row, cell.Text);
    if (stopped)
        std::rethrow_exception(stopped);
}

} // namespace files

// --- the grid's methods --------------------------------------------------------------------

void TGridFiles::SaveToFile(const QString& FileName)
{
    TSaveFile f(FileName);
    files::WriteNativeFile(FGrid, f.Device(), FileName);
    f.Commit();
}

void TGridFiles::LoadFromFile(const QString& FileName)
{
    QFile f(FileName);
    files::OpenForReading(f, QStringLiteral("Cannot open file "));
    files::ReadNativeFile(FGrid, f, FileName);
    f.close();
    Loaded();
}

void TGridFiles::SaveToStream(QIODevice& Stream) { files::WriteNativeStream(FGrid, Stream); }

void TGridFiles::LoadFromStream(QIODevice& Stream)
{
    files::ReadNativeStream(FGrid, Stream);
    Loaded();
}

} // namespace grid
