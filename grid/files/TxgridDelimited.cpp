// Plain text exchange of the grid: delimited text (written, appended, read and inserted), the
// padded text report and fixed-width columns (written and read).
#include "grid/files/TxgridFiles.h"

#include "grid/files/TGridFiles.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/core/Txgrid.h"
#include "grid/core/TxgridUpdateGuard.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridLines.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/TxgridWaitCursor.h"
#include "grid/controls/Txutil.h"

#include <QFile>
#include <QGuiApplication>
#include <QIODevice>

namespace grid {

namespace files {

namespace {

const QChar kQuote = QLatin1Char('"');
// The separators a file is searched for, in the order they win ties.
const QString kDelimiterCandidates = QStringLiteral(",;#\t|");
const QString kCRLF = QStringLiteral("\r\n");

// Double quotes inside are doubled, so that the reader's collapsing of quote runs gives the
// text back.
QString Quoted(const QString& Text)
{
    QString t = Text;
    t.replace(kQuote, QStringLiteral("\"\""));
    return kQuote + t + kQuote;
}

// Every line break (CR LF, a lone CR or a lone LF) as one "~".
QString TildeBreaks(const QString& Text)
{
    QString t = Text;
    t.replace(kCRLF, QStringLiteral("~"));
    t.replace(CR, QLatin1Char('~'));
    t.replace(LF, QLatin1Char('~'));
    return t;
}

// Every line break as one LF (a lone CR inside a line would end the line when read).
QString LFBreaks(const QString& Text)
{
    QString t = Text;
    t.replace(kCRLF, QString(LF));
    t.replace(CR, LF);
    return t;
}

// A field of the reader, its quotes taken off already: line breaks back to CR LF (whichever
// line end the file used inside its quoted fields).
QString ReadField(QString t, bool Tilde)
{
    if (Tilde) {
        if (t == QLatin1String("^"))
            return QString(); // how an empty cell is written
        t.replace(QLatin1Char('~'), kCRLF);
        return t;
    }
    return LineEndsToCRLF(t);
}

// The text of every line of a cell, the first only unless Multi.
QStringList CellLines(const QString& Text, bool Multi)
{
    if (!Multi) {
        const qsizetype p = Text.indexOf(kCRLF);
        return {p < 0 ? Text : Text.left(p)};
    }
    return Text.split(kCRLF);
}

// The longest line among the texts of a real column over every row.
int LongestLine(TTxStringGrid& Grid, int RealCol)
{
    int w = 0;
    QString text;
    for (int r = 0; r < Grid.rowCount(); ++r) {
        Grid.SaveCell(RealCol, r, text);
        for (const QString& l : CellLines(text, Grid.Multilinecells))
            w = std::max(w, int(l.size()));
    }
    return w;
}

// A piece aligned in a column W wide.
QString Aligned(QString Text, TAlignment Align, int W)
{
    if (Align == taRightJustify) {
        if (Text.size() < W)
            Text = QString(W - Text.size(), QLatin1Char(' ')) + Text;
    } else if (Align == taCenter) {
        while (Text.size() < W)
            Text = QLatin1Char(' ') + Text + QLatin1Char(' ');
    }
    return Text;
}

// Blanks and control characters off both ends.
QString TrimControls(QStringView Text)
{
    qsizetype a = 0, b = Text.size();
    while (a < b && Text.at(a).unicode() <= 32)
        ++a;
    while (b > a && Text.at(b - 1).unicode() <= 32)
        --b;
    return Text.mid(a, b - a).toString();
}

} // namespace

// --- delimited text ------------------------------------------------------------------------

QString CSVField(const QString& Text, const TCSVOptions& O)
{
    const bool breaks = Text.contains(CR) || Text.contains(LF);
    if (O.QuoteAll) // wrapped once, whatever else the text holds
        return Quoted(O.TildeLineBreaks ? TildeBreaks(Text) : LFBreaks(Text));
    if (Text.isEmpty())
        return O.TildeLineBreaks ? QStringLiteral("^") : O.QuoteEmpty ? QStringLiteral("\"\"") : QString();
    QString t = Text;
    if (breaks)
        t = O.TildeLineBreaks ? TildeBreaks(t) : LFBreaks(t);
    bool quote = t.contains(O.Separator) || (breaks && !O.TildeLineBreaks) || t.startsWith(kQuote);
    for (qsizetype i = 0; O.QuoteCandidates && !quote && i < kDelimiterCandidates.size(); ++i)
        quote = t.contains(kDelimiterCandidates.at(i));
    return quote ? Quoted(t) : t;
}

namespace {

// Occurrences of C between the fields of a line split at C; with Single, a run of two or more
// counts as none. A quoted field opens only where a field begins, so a quote in the middle
// of a field (24" in a plain field) is a character and the separators after it still count.
int CountSeparators(QChar C, const QString& Line, bool Single)
{
    int n = 0;
    bool fieldStart = true;
    for (qsizetype i = 0; i < Line.size();) {
        const QChar ch = Line.at(i);
        if (fieldStart && ch == kQuote) {
            if (const qsizetype close = lines::ClosingQuote(Line, i + 1); close >= 0) {
                i = close + 1;
                fieldStart = false;
                continue;
            }
        }
        if (ch != C) {
            fieldStart = false;
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < Line.size() && Line.at(j) == C)
            ++j;
        n += Single ? (j - i == 1 ? 1 : 0) : int(j - i);
        i = j;
        fieldStart = true;
    }
    return n;
}

// The field that begins at From, up to the separator or the end of the line; From is left on
// the separator (or the end). A field opening with a quote runs to the first quote that is
// not doubled, "" in it standing for one quote, and anything between that quote and the
// separator follows as it stands. A quote that never closes leaves the field empty, its text
// up to the separator not taken; the line's last field is then closed by the line's end.
QString TakeField(const QString& Line, qsizetype& From, QChar Sep)
{
    const qsizetype start = From;
    auto toSeparator = [&](qsizetype i) {
        while (i < Line.size() && (Sep.isNull() || Line.at(i) != Sep))
            ++i;
        return i;
    };
    // In one pass: a replace would move the rest of the text once for every run of quotes.
    auto unquoted = [&](qsizetype End) {
        QString t;
        t.reserve(End - start - 1);
        for (qsizetype i = start + 1; i < End; ++i) {
            t += Line.at(i);
            if (Line.at(i) == kQuote && i + 1 < End && Line.at(i + 1) == kQuote)
                ++i;
        }
        return t;
    };
    if (start < Line.size() && Line.at(start) == kQuote) {
        const qsizetype close = lines::ClosingQuote(Line, start + 1);
        if (close < 0) {
            From = toSeparator(start + 1);
            return From == Line.size() ? unquoted(From) : QString();
        }
        From = toSeparator(close + 1);
        return unquoted(close) + Line.mid(close + 1, From - close - 1);
    }
    From = toSeparator(start);
    return Line.mid(start, From - start);
}

} // namespace

QChar DetectDelimiter(const QString& Line1, const QString& Line2, bool HasLine2)
{
    for (int pass = 0; pass < 2; ++pass) {
        QChar best(0);
        int bestCount = 0;
        for (const QChar c : kDelimiterCandidates) {
            const int n1 = CountSeparators(c, Line1, pass == 0);
            const int n2 = CountSeparators(c, Line2, pass == 0);
            if ((!HasLine2 || n1 == n2) && n1 > bestCount) {
                best = c;
                bestCount = n1;
            }
        }
        if (bestCount > 0)
            return best;
    }
    return QChar(0);
}

QStringList SplitCSVLine(const QString& Line, QChar Sep, bool Tilde, int MaxFields)
{
    QStringList fields;
    qsizetype p = 0;
    while (p < Line.size() && (MaxFields < 0 || fields.size() <= MaxFields)) {
        fields << ReadField(TakeField(Line, p, Sep), Tilde);
        ++p; // past the separator; one ending the line adds no field
    }
    return fields;
}

void WriteCSV(TTxStringGrid& Grid, QIODevice& Device, const QString& Name)
{
    TCSVOptions o;
    o.Separator = Grid.Delimiter.isNull() ? QLatin1Char(',') : Grid.Delimiter;
    o.QuoteAll = Grid.CSVQuoteAll;
    o.QuoteEmpty = Grid.CSVQuoteEmpty;
    o.TildeLineBreaks = Grid.CSVTildeLineBreaks;
    o.QuoteCandidates = Grid.Delimiter.isNull();
    const int H = Grid.SaveWithHiddenColumns ? Grid.NumHiddenColumns() : 0;
    const std::vector<int> real = StoreColumns(Grid, Grid.GetSaveStartCol(), Grid.GetSaveEndCol() + H);
    TLineWriter out(Device, Grid.OemConvert ? tcBytes : tcAnsi, Name);
    TProgress progress(Grid);
    QString text;
    for (int r = Grid.GetSaveStartRow(); r <= Grid.GetSaveEndRow(); ++r) {
        QString line;
        for (std::size_t k = 0; k < real.size(); ++k) {
            if (k > 0)
                line += o.Separator;
            text.clear();
            if (real[k] >= 0)
                Grid.SaveCell(real[k], r, text);
            // Nothing is saved of a text the code page cannot hold, as nothing is appended.
            if (Grid.OemConvert && !StringToOem(text))
                throw ETxGridError(QStringLiteral("Tekstu komórki w wierszu %1 nie da się zapisać w stronie kodowej "
                                                  "852 (DOS): plik %2 pozostał bez zmian.")
                                       .arg(r + 1)
                                       .arg(Name));
            line += CSVField(text, o);
        }
        out.WriteLine(line);
        progress.Step(r, Grid.rowCount() - 1);
    }
    out.Finish();
}

namespace {

// A file's rows of fields, held flat: a list for each row would cost more than its fields.
struct TRows {
    std::vector<QString> Fields;
    std::vector<std::size_t> Starts; // where each row's fields begin
    int Width = 0;                   // fields of the longest row
    int Count() const { return int(Starts.size()); }
    int Size(int Row) const
    {
        const std::size_t end = std::size_t(Row) + 1 < Starts.size() ? Starts[std::size_t(Row) + 1] : Fields.size();
        return int(end - Starts[std::size_t(Row)]);
    }
    void Add(QStringList&& Row)
    {
        Starts.push_back(Fields.size());
        Width = std::max(Width, int(Row.size()));
        for (QString& f : Row)
            Fields.push_back(std::move(f));
    }
};

// Rows of fields into the grid from row Top and column FC on; every cell of the rows given
// holds the file's text afterwards, or none (the columns past a row's last field included).
void StoreRows(TTxStringGrid& Grid, const TRows& Rows, int Top, int FC)
{
    const int cols = Grid.colCount();
    std::vector<int> real;
    for (int c = FC; c < cols; ++c)
        real.push_back(Grid.RemapCol(c));
    TProgress progress(Grid);
    for (int i = 0; i < Rows.Count(); ++i) {
        const int n = Rows.Size(i);
        for (int k = 0; k < int(real.size()); ++k) {
            if (k < n)
                Grid.SetCellEx(real[std::size_t(k)], Top + i,
                               Rows.Fields[Rows.Starts[std::size_t(i)] + std::size_t(k)]);
            else if (!Grid.cells(real[std::size_t(k)], Top + i).isEmpty())
                Grid.SetCellEx(real[std::size_t(k)], Top + i, QString());
        }
        progress.Step(i + 1, Rows.Count());
    }
}

} // namespace

void ReadCSV(TTxStringGrid& Grid, QIODevice& Device, bool InsertMode, const QString& Name)
{
    const int FC = Grid.SaveWithFixedCells ? 0 : Grid.FixedCols();
    int FR = Grid.SaveWithFixedCells ? 0 : Grid.FixedRows();
    int R = 0;
    if (InsertMode) {
        FR = 0;
        R = Grid.rowCount();
    }
    TTextBudget budget(Name);
    // The whole file is parsed, within the limits, before the grid changes.
    const TRows rows = MemoryGuarded(Name, [&] {
        // The whole text at once: a quoted field may hold line ends, and which of them end a
        // record depends on the separator.
        TTextCoding coding = tcAnsi;
        QString text = DecodeGuessed(budget.ReadAll(Device), Grid.OemConvert ? tcBytes : tcAnsi, &coding);
        if (Grid.OemConvert && coding == tcBytes)
            OemToString(text);
        QChar sep = Grid.Delimiter;
        if (sep.isNull()) {
            // Before the separator is known, a quoted field may open after any candidate.
            const TQuoting any{true, kDelimiterCandidates};
            qsizetype unclosed = text.size(), next1 = 0, next2 = 0;
            const qsizetype end1 = FindLineEnd(text, 0, next1, any, unclosed);
            const qsizetype end2 = FindLineEnd(text, next1, next2, any, unclosed);
            sep = DetectDelimiter(text.left(end1), text.mid(next1, end2 - next1), next1 < text.size());
        }
        const TQuoting quoting{true, sep.isNull() ? QString() : QString(sep)};
        TRows out;
        qsizetype unclosed = text.size();
        for (qsizetype p = 0, next = 0; p < text.size(); p = next) {
            const qsizetype end = FindLineEnd(text, p, next, quoting, unclosed);
            budget.Line(end - p);
            QStringList fields =
                SplitCSVLine(text.mid(p, end - p), sep, Grid.CSVTildeLineBreaks, TTextBudget::kMaxCols);
            budget.Row(fields);
            out.Add(std::move(fields));
        }
        return out;
    });
    const int N = rows.Count();
    TUpdateGuard lock(Grid);
    Grid.SetRowCount(InsertMode ? Grid.rowCount() + N : FR + N);
    if (Grid.colCount() < rows.Width + FC) // the column count never shrinks
        Grid.SetColCount(rows.Width + FC);
    StoreRows(Grid, rows, R + FR, FC);
}

// --- the padded report and fixed widths ----------------------------------------------------

void WriteASCII(TTxStringGrid& Grid, QIODevice& Device, const QString& Name)
{
    const int cols = Grid.colCount();
    const std::vector<int> real = StoreColumns(Grid, 0, cols - 1);
    std::vector<int> W(static_cast<std::size_t>(cols)), offset(static_cast<std::size_t>(cols));
    for (int i = 0; i < cols; ++i) {
        W[std::size_t(i)] = LongestLine(Grid, real[std::size_t(i)]);
        if (i > 0)
            offset[std::size_t(i)] = offset[std::size_t(i - 1)] + W[std::size_t(i - 1)] + 1;
    }
    TLineWriter out(Device, tcAnsi, Name);
    QString text;
    for (int r = 0; r < Grid.rowCount(); ++r) {
        QString line;
        QStringList more; // continuation lines of multi-line cells
        for (int i = 0; i < cols; ++i) {
            const int w = W[std::size_t(i)];
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            Grid.GetCellAlignment(i, r, ha, va);
            Grid.SaveCell(real[std::size_t(i)], r, text);
            const QStringList lines = CellLines(text, Grid.Multilinecells && text.contains(kCRLF));
            for (int k = 1; k < lines.size(); ++k) {
                if (more.size() < k)
                    more << QString();
                QString& cont = more[k - 1];
                if (cont.size() < offset[std::size_t(i)])
                    cont += QString(offset[std::size_t(i)] - cont.size(), QLatin1Char(' '));
                cont += Aligned(lines.at(k), ha, w);
            }
            QString field = Aligned(lines.at(0), ha, w);
            if (w - field.size() + 1 > 0)
                field += QString(w - field.size() + 1, QLatin1Char(' '));
            line += field;
        }
        out.WriteLine(line);
        for (const QString& l : more)
            out.WriteLine(l);
    }
    out.Finish();
}

void WriteFixed(TTxStringGrid& Grid, QIODevice& Device, TIntList& Widths, const QString& Name)
{
    const int c0 = Grid.GetSaveStartCol();
    const std::vector<int> real = StoreColumns(Grid, c0, Grid.GetSaveEndCol());
    for (int k = Widths.Count(); k < int(real.size()); ++k)
        Widths.Add(LongestLine(Grid, real[std::size_t(k)]) + 1);
    TLineWriter out(Device, tcAnsi, Name);
    QString text;
    for (int r = Grid.GetSaveStartRow(); r <= Grid.GetSaveEndRow(); ++r) {
        QString line;
        for (std::size_t k = 0; k < real.size(); ++k) {
            const int w = std::max(0, Widths.GetInteger(int(k)));
            Grid.SaveCell(real[k], r, text);
            // Only the first line of a cell: a line break would end the row.
            qsizetype br = 0;
            while (br < text.size() && text.at(br) != CR && text.at(br) != LF)
                ++br;
            const QString t = text.left(std::min<qsizetype>(br, w));
            line += t + QString(w - t.size(), QLatin1Char(' '));
        }
        out.WriteLine(line);
    }
    out.Finish();
}

void ReadFixed(TTxStringGrid& Grid, QIODevice& Device, const TIntList& Positions, const QString& Name)
{
    const int fields = Positions.Count() - 1;
    if (fields < 1)
        return; // fewer than two positions bound no field
    TTextBudget budget(Name);
    const TRows rows = MemoryGuarded(Name, [&] {
        const QString text = DecodeGuessed(budget.ReadAll(Device), tcAnsi);
        TRows out;
        for (qsizetype p = 0, next = 0; p < text.size(); p = next) {
            const qsizetype end = FindLineEnd(text, p, next);
            const QStringView line = QStringView(text).mid(p, end - p);
            QStringList f;
            for (int k = 1; k <= fields; ++k) {
                const int from = std::max(1, Positions.GetInteger(k - 1));
                const int length = std::max(0, Positions.GetInteger(k) - Positions.GetInteger(k - 1));
                f << TrimControls(line.mid(std::min<qsizetype>(from - 1, line.size()), length));
            }
            budget.Row(f);
            out.Add(std::move(f));
        }
        return out;
    });
    TUpdateGuard lock(Grid);
    Grid.SetColCount(Grid.FixedCols() + fields);
    const int c0 = Grid.GetSaveStartCol();
    const int top = Grid.GetSaveStartRow();
    if (rows.Count() > 0 && top + rows.Count() > Grid.rowCount())
        Grid.SetRowCount(top + rows.Count());
    for (int i = 0; i < rows.Count(); ++i)
        for (int k = 0; k < fields && c0 + k < Grid.colCount(); ++k)
            Grid.SetCellEx(Grid.RemapCol(c0 + k), top + i, rows.Fields[rows.Starts[std::size_t(i)] + std::size_t(k)]);
}

} // namespace files

// --- the grid's methods --------------------------------------------------------------------

void TGridFiles::OutputToCSV(const QString& FileName, bool AppendMode)
{
    TSaveFile f(FileName, AppendMode);
    files::WriteCSV(FGrid, f.Device(), FileName);
    f.Commit();
}

void TGridFiles::InputFromCSV(const QString& FileName, bool InsertMode)
{
    QFile f(FileName);
    files::OpenForReading(f, QStringLiteral("Cannot open file "));
    files::ReadCSV(FGrid, f, InsertMode, FileName);
    f.close();
    Loaded();
}

void TGridFiles::SaveToASCII(const QString& FileName)
{
    files::TWaitCursor wait;
    TSaveFile f(FileName);
    files::WriteASCII(FGrid, f.Device(), FileName);
    f.Commit();
}

void TGridFiles::SaveToFixed(const QString& FileName, TIntList& Widths)
{
    TSaveFile f(FileName);
    files::WriteFixed(FGrid, f.Device(), Widths, FileName);
    f.Commit();
}

void TGridFiles::LoadFromFixed(const QString& FileName, TIntList& Positions)
{
    CheckFileKind(FileName);
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("File ") + FileName + QStringLiteral(" not found"));
    files::ReadFixed(FGrid, f, Positions, FileName);
    f.close();
    Loaded();
}

} // namespace grid
