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
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/Txutil.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>

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

void ReadNativeFile(TTxStringGrid& Grid, QIODevice& Device, const QString& Name)
{
    const int FC = Grid.SaveWithFixedCells ? 0 : Grid.FixedCols();
    const int FR = Grid.SaveWithFixedCells ? 0 : Grid.FixedRows();
    TUpdateGuard lock(Grid);
    const TTextCoding coding = GuessCoding(Device, tcAnsi);
    TLineReader in(Device);
    QByteArray raw;
    if (in.ReadLine(raw) && !raw.isEmpty()) {
        QString rest = Decode(raw, coding);
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const int cols = LenientInt(comma < 0 ? rest : rest.left(comma)).value_or(0) + FC;
        const int rows = LenientInt(comma < 0 ? QString() : rest.mid(comma + 1)).value_or(0) + FR;
        const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + Name;
        if (cols > kMaxFileCount || rows > kMaxFileCount)
            throw ETxGridError(corrupt);
        Grid.SetColCount(cols);
        Grid.SetRowCount(rows);
        if (cols <= 0 || rows <= 0)
            throw ETxGridError(corrupt);
    }
    const std::vector<int> real = StoreColumns(Grid, 0, Grid.colCount() - 1);
    TProgress progress(Grid);
    while (in.ReadLine(raw)) {
        QString line = Decode(raw, coding);
        if (line.startsWith(QLatin1String("cw"))) {
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            if (comma < 0)
                continue;
            const auto c = LenientInt(line.mid(3, comma - 3));
            const auto w = LenientInt(line.mid(comma + 1, 255));
            if (c && w && *c >= 0 && *c < Grid.colCount() && *w >= 0)
                Grid.setColWidths(*c, *w);
            continue;
        }
        const auto c = LenientInt(CutField(line));
        const auto r = LenientInt(CutField(line));
        // Positions outside the grid, negative ones too, are left out.
        if (c && r && *c >= 0 && *c < Grid.colCount() && *r >= 0 && *r < Grid.rowCount()) {
            Grid.SetCellEx(real[std::size_t(*c)], *r, FileToLf(line, true));
            progress.Step(*r, Grid.rowCount() - 1);
        }
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
    TUpdateGuard lock(Grid);
    const TTextCoding coding = GuessCoding(Device, tcAnsi);
    TLineReader in(Device);
    QByteArray raw;
    if (!in.AtEnd() && in.ReadLine(raw) && !raw.isEmpty()) {
        QString rest = Decode(raw, coding);
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const int cols = StrictInt(comma < 0 ? rest : rest.left(comma)) + c0;
        const int rows = StrictInt(comma < 0 ? QString() : rest.mid(comma + 1)) + r0;
        if (cols > kMaxFileCount || rows > kMaxFileCount)
            throw ETxGridError(QStringLiteral("File contains no data or corrupt file"));
        Grid.SetColCount(cols);
        Grid.SetRowCount(rows);
    }
    const std::vector<int> real = StoreColumns(Grid, 0, Grid.colCount() - 1);
    while (in.ReadLine(raw)) {
        QString line = Decode(raw, coding);
        if (line.startsWith(QLatin1String("cw"))) {
            line.remove(0, 3);
            const int c = StrictInt(CutField(line));
            const int w = StrictInt(line);
            if (c >= 0 && c < Grid.colCount() && w >= 0)
                Grid.setColWidths(c, w);
            continue;
        }
        const int c = c0 + StrictInt(CutField(line));
        const int r = r0 + StrictInt(CutField(line));
        if (c >= 0 && c < Grid.colCount() && r >= 0 && r < Grid.rowCount())
            Grid.SetCellEx(real[std::size_t(c)], r, FileToLf(line, true));
    }
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
