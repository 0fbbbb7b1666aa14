// The clipboard side of the grid's exchange: blocks of cells as tab-separated text, the rich
// text of one cell besides, paste with growth of the grid, the series fill of a selection and
// the clipboard keys.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/files/TxgridExchange.h"
#include "grid/controls/TxgridLines.h"
#include "grid/text/TxgridRTF.h"
#include "grid/text/TxgridStrings.h"
#include "grid/controls/TsgspinValues.h"
#include "grid/controls/Txutil.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <cmath>

namespace grid {

namespace {

const QString kRTFFormats[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

QClipboard* systemClipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
}

// Whether a text may hold tags or rich text: one pass, as most cells hold neither.
bool MayHoldMarkup(const QString& Text)
{
    for (const QChar ch : Text)
        if (ch == QLatin1Char('<') || ch == QLatin1Char('{'))
            return true;
    return false;
}

} // namespace

TGridExchange& TTxStringGrid::Exchange()
{
    if (!FExchange)
        FExchange = std::make_unique<TGridExchange>(*this);
    return *FExchange;
}

bool TTxStringGrid::ClipboardKeyDown(QKeyEvent* e) { return Exchange().ClipboardKeyDown(e->key(), e->modifiers()); }

bool TGridExchange::CellWritable(int ACol, int ARow)
{
    return FGrid.Navigation().AllowClipboardAlways || FGrid.FEditing->CellEditable(ACol, ARow);
}

// --- copy --------------------------------------------------------------------------------

QString TGridExchange::CopyText(TGridRect R)
{
    const bool disjunct = FGrid.MouseActions().DisjunctRowSelect;
    const bool withTags = FGrid.Navigation().CopyHTMLTagsToClipboard;
    const bool quote = FGrid.ClipboardQuoteMultiline;
    const QLatin1String closeTag("</");
    std::vector<int> real;
    for (int c = R.Left; c <= R.Right; ++c)
        real.push_back(FGrid.RemapCol(c));
    QString out, t;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (disjunct && !FGrid.GetRowSelect(r))
            continue;
        for (std::size_t k = 0; k < real.size(); ++k) {
            FGrid.SaveCell(real[k], r, t);
            if (MayHoldMarkup(t)) {
                if (!withTags && t.contains(closeTag))
                    t = StripTags(t);
                else if (IsRichText(t))
                    t = RichTextToPlain(t);
            }
            if (quote && NeedsTabQuotes(t))
                t = QuoteMultiline(t);
            if (k > 0)
                out += QLatin1Char('\t');
            out += t;
        }
        if (R.Top < R.Bottom)
            out += QLatin1String("\r\n");
    }
    return out;
}

void TGridExchange::PutText(const QString& Text)
{
    if (QClipboard* cb = systemClipboard())
        cb->setText(Text);
}

void TGridExchange::CopyFunc(TGridRect R)
{
    FCopyOrigin = QPoint(R.Left, R.Top);
    PutText(CopyText(R));
    if (FGrid.Navigation().AllowRTFClipboard)
        CopyRTFFunc(R.Left, R.Top);
}

// The cell's rich text joins the text already on the clipboard.
void TGridExchange::CopyRTFFunc(int ACol, int ARow)
{
    QClipboard* cb = systemClipboard();
    const QString raw = FGrid.cells(FGrid.RemapCol(ACol), ARow);
    if (!cb || !IsRichText(raw))
        return;
    auto* data = new QMimeData;
    if (const QMimeData* old = cb->mimeData())
        for (const QString& f : old->formats())
            data->setData(f, old->data(f));
    data->setData(kRTFFormats[0], raw.toLatin1());
    cb->setMimeData(data);
}

void TGridExchange::CopyToClipBoard()
{
    CopyFunc({FGrid.GetSaveStartCol(), FGrid.GetSaveStartRow(), FGrid.GetSaveEndCol(), FGrid.GetSaveEndRow()});
    FLastOperation = coCopy;
}

void TGridExchange::CopySelectionToClipboard()
{
    if (FGrid.MouseActions().DisjunctRowSelect)
        CopyToClipBoard();
    else
        CopyFunc(FGrid.selection());
    FLastOperation = coCopy;
}

void TGridExchange::CutToClipboard()
{
    CopyToClipBoard();
    for (int r = FGrid.GetSaveStartRow(); r <= FGrid.GetSaveEndRow(); ++r)
        for (int c = FGrid.GetSaveStartCol(); c <= FGrid.GetSaveEndCol(); ++c)
            if (CellWritable(c, r))
                FGrid.setCells(FGrid.RemapCol(c), r, QString());
    FLastOperation = coCut;
}

void TGridExchange::CutSelectionToClipboard()
{
    CopySelectionToClipboard();
    if (FGrid.MouseActions().DisjunctRowSelect) {
        for (int r = FGrid.FixedRows(); r < FGrid.RowCount(); ++r)
            if (FGrid.GetRowSelect(r))
                FGrid.ClearRows(r, 1);
    } else {
        const TGridRect s = FGrid.selection();
        for (int r = s.Top; r <= s.Bottom; ++r)
            for (int c = s.Left; c <= s.Right; ++c)
                if (CellWritable(c, r))
                    FGrid.setCells(FGrid.RemapCol(c), r, QString());
    }
    FLastOperation = coCut;
}

// --- paste -------------------------------------------------------------------------------

namespace {

// Clipboard text as lines of tab-separated fields; with Quoted, a quoted field keeps its tabs
// and line ends (its quotes stay for the caller). Whether the text ends with a line end. Empty
// lines at the end close the text, as other programs end it, and are no rows of empty cells
// (which would empty the cells below the pasted ones).
struct TClipLines {
    std::vector<QStringList> Rows;
    bool EndsWithBreak = false;
};

TClipLines ClipLines(const QString& Text, bool Quoted)
{
    TClipLines out;
    const QChar tab(9);
    const TQuoting q{Quoted, QString(tab)};
    qsizetype unclosed = Text.size();
    for (qsizetype p = 0, next = 0; p < Text.size(); p = next) {
        const qsizetype end = FindLineEnd(Text, p, next, q, unclosed);
        const QString line = Text.mid(p, end - p);
        out.Rows.push_back(Quoted ? SplitQuotedFields(line, tab) : line.split(tab));
        out.EndsWithBreak = next > end;
    }
    while (!out.Rows.empty() && out.Rows.back().size() == 1 && out.Rows.back().front().isEmpty())
        out.Rows.pop_back();
    return out;
}

} // namespace

void TGridExchange::PasteSize(const QString& Text, QPoint& Size, bool Quoted)
{
    const TClipLines lines = ClipLines(Text, Quoted);
    qsizetype most = 0;
    for (const QStringList& fields : lines.Rows)
        most = std::max(most, fields.size());
    Size = QPoint(int(most), int(lines.Rows.size()));
}

bool TGridExchange::PasteAllowed() const
{
    // A read-only current cell switches goEditing off; the cells pasted into answer for
    // themselves.
    return (FGrid.options() & ui::goEditing) || FGrid.FEditing->State().EditingSwitchedOff
        || FGrid.Navigation().AllowClipboardAlways;
}

TGridExchange::TPasteWalk TGridExchange::WalkPaste(int ACol, int ARow, const QString& Text, bool Write)
{
    TPasteWalk w;
    const bool quote = FGrid.ClipboardQuoteMultiline;
    const bool colGrow = FGrid.Navigation().AllowClipboardColGrow;
    const bool rowGrow = FGrid.Navigation().AllowClipboardRowGrow;
    const TClipLines lines = ClipLines(Text, quote);
    int row = ARow;
    w.MaxCol = ACol;
    for (std::size_t k = 0; k < lines.Rows.size(); ++k, ++row) {
        // Growth comes before the footer rows (the right fixed columns), which stay last.
        if (k > 0 && rowGrow && row == FGrid.RowCount() - FGrid.FixedFooters())
            FGrid.AddBeforeFooters(false);
        const bool ended = k + 1 < lines.Rows.size() || lines.EndsWithBreak;
        const QStringList& fields = lines.Rows[k];
        int col = ACol;
        for (qsizetype f = 0; f < fields.size(); ++f, ++col, ++w.Fields) {
            QString field = fields[f];
            if (quote)
                field = UnquoteTabField(field);
            if (f + 1 < fields.size() || ended || !field.isEmpty()) {
                if (colGrow && col == FGrid.ColCount() - FGrid.FixedRightCols() && row < FGrid.RowCount())
                    FGrid.AddBeforeFooters(true);
                // A merged block takes its base's field; the cells it covers stay as they are.
                if (col < FGrid.ColCount() && row < FGrid.RowCount() && FGrid.IsBaseCell(col, row)
                    && CellWritable(col, row)) {
                    if (Write)
                        FGrid.setCells(FGrid.RemapCol(col), row, field);
                    ++w.Written;
                    continue;
                }
            }
            if (!field.isEmpty())
                ++w.Lost;
        }
        w.MaxCol = std::max(w.MaxCol, col);
    }
    w.EndRow = row;
    if (lines.EndsWithBreak)
        ++w.Fields; // the empty remainder after the last line end counts as a field
    return w;
}

int TGridExchange::PasteText(int ACol, int ARow, const QString& Text, int* Written)
{
    if (Written)
        *Written = 0;
    if (ACol < 0 || ARow < 0 || Text.isEmpty() || !PasteAllowed())
        return 0;
    const TPasteWalk w = WalkPaste(ACol, ARow, Text, true);
    if (Written)
        *Written = w.Written;
    const TGridRect area{ACol, ARow, w.MaxCol - 1, w.EndRow - 1};
    FGrid.PasteNotify(FCopyOrigin, area, FLastOperation);
    FGrid.CellsChanged({area.Left, area.Top, area.Right, area.Bottom});
    return w.Fields;
}

bool TGridExchange::PasteLandsWhole(int ACol, int ARow, const QString& Text)
{
    if (ACol < 0 || ARow < 0 || !PasteAllowed())
        return Text.isEmpty();
    // The trial grows the grid as the paste would, so that the new cells answer whether they
    // take text; the empty rows and columns it added go again.
    const int rows = FGrid.RowCount(), cols = FGrid.ColCount();
    const bool whole = WalkPaste(ACol, ARow, Text, false).Lost == 0;
    if (FGrid.ColCount() > cols) {
        if (FGrid.FixedRightCols() > 0)
            FGrid.RemoveCols(FGrid.RemapCol(cols - FGrid.FixedRightCols()), FGrid.ColCount() - cols);
        else
            FGrid.SetColCount(cols);
    }
    if (FGrid.RowCount() > rows) {
        if (FGrid.FixedFooters() > 0)
            FGrid.RemoveRows(rows - FGrid.FixedFooters(), FGrid.RowCount() - rows);
        else
            FGrid.SetRowCount(rows);
    }
    return whole;
}

int TGridExchange::PasteFunc(int ACol, int ARow)
{
    QClipboard* cb = systemClipboard();
    const QMimeData* data = cb ? cb->mimeData() : nullptr;
    if (!data)
        return 0;
    if (FGrid.Navigation().AllowRTFClipboard)
        for (const QString& f : kRTFFormats)
            if (data->hasFormat(f)) {
                QByteArray rtf = data->data(f);
                if (const qsizetype z = rtf.indexOf('\0'); z >= 0)
                    rtf.truncate(z);
                if (FGrid.FEditing->CellEditable(ACol, ARow))
                    FGrid.setCells(FGrid.RemapCol(ACol), ARow, QString::fromLatin1(rtf));
                return 0;
            }
    return data->hasText() ? PasteText(ACol, ARow, data->text()) : 0;
}

void TGridExchange::PasteFromClipboard() { PasteFunc(FGrid.GetSaveStartCol(), FGrid.GetSaveStartRow()); }

void TGridExchange::PasteSelectionFromClipboard()
{
    const TGridRect s = FGrid.selection();
    const int n = PasteFunc(s.Left, s.Top);
    if (FGrid.Navigation().AllowSmartClipboard)
        PasteSmartFill(n, s);
}

// --- series fill -------------------------------------------------------------------------

namespace {

// The step between two dates: whole days, months or years when only that part differs,
// else the difference as a number of days.
struct TDateStep {
    int Years = 0, Months = 0, Days = 0;
    double Span = 0;
    TDateTime At(TDateTime From, int K) const
    {
        const double time = From - std::floor(From);
        const QDate d = DateTimeToDate(From);
        if (Months != 0)
            return DateToDateTime(d.addMonths(Months * K)) + time; // a missing day becomes the month's last
        if (Years != 0)
            return DateToDateTime(d.addYears(Years * K)) + time;
        if (Days != 0)
            return From + double(Days) * K;
        return From + Span * K;
    }
};

TDateStep DateStep(TDateTime D1, TDateTime D2)
{
    const QDate a = DateTimeToDate(D1), b = DateTimeToDate(D2);
    const bool sameTime = std::fabs((D1 - std::floor(D1)) - (D2 - std::floor(D2))) < 1e-9;
    TDateStep s;
    if (sameTime && a.year() == b.year() && a.month() == b.month())
        s.Days = b.day() - a.day();
    else if (sameTime && a.month() == b.month() && a.day() == b.day())
        s.Years = b.year() - a.year();
    else if (sameTime && a.year() == b.year() && a.day() == b.day())
        s.Months = b.month() - a.month();
    if (s.Days == 0 && s.Months == 0 && s.Years == 0)
        s.Span = D2 - D1;
    return s;
}

} // namespace

void TGridExchange::PasteSmartFill(int Count, TGridRect S)
{
    const int L = S.Left, T = S.Top;
    const bool oneCol = S.Left == S.Right, oneRow = S.Top == S.Bottom;
    auto eachCell = [&](auto&& Fill) {
        int k = 0;
        for (int c = S.Left; c <= S.Right; ++c)
            for (int r = S.Top; r <= S.Bottom; ++r, ++k)
                if (FGrid.FEditing->CellEditable(c, r))
                    Fill(FGrid.RemapCol(c), r, k);
    };
    const QString p = FGrid.cells(FGrid.RemapCol(L), T);
    if (Count == 2 && !(oneCol && oneRow)) {
        eachCell([&](int c, int r, int) { FGrid.setCells(c, r, p); });
        return;
    }
    if (Count != 3 || !(oneCol || oneRow))
        return;
    const int qc = FGrid.RemapCol(oneRow ? L + 1 : L), qr = oneRow ? T : T + 1;
    const int pc = FGrid.RemapCol(L);
    const QString q = FGrid.cells(qc, qr);
    const TRegional reg = TRegional::Current();
    const QChar ds = reg.DateSeparator, ts = TimeSeparator();
    if ((p.contains(ds) || p.contains(ts)) && (q.contains(ds) || q.contains(ts))) {
        auto value = [&](int c, int r, const QString& t) {
            return t.contains(ds) ? FGrid.GetDates(c, r) : FGrid.GetTimes(c, r);
        };
        const TDateTime d1 = value(pc, T, p), d2 = value(qc, qr, q);
        const TDateStep step = DateStep(d1, d2);
        const bool asDate = p.contains(ds);
        eachCell([&](int c, int r, int k) {
            const TDateTime v = step.At(d1, k);
            asDate ? FGrid.SetDates(c, r, v) : FGrid.SetTimes(c, r, v);
        });
    } else if (p.contains(reg.DecimalSeparator) || q.contains(reg.DecimalSeparator)) {
        const double a = FGrid.GetFloats(pc, T), b = FGrid.GetFloats(qc, qr);
        eachCell([&](int c, int r, int k) { FGrid.SetFloats(c, r, a + (b - a) * k); });
    } else {
        int a = 0, b = 0;
        try {
            a = FGrid.GetInts(pc, T);
            b = FGrid.GetInts(qc, qr);
        } catch (const ETxGridError&) {
            return; // not whole numbers: nothing is filled
        }
        eachCell([&](int c, int r, int k) { FGrid.SetInts(c, r, a + (b - a) * k); });
    }
}

// --- keys --------------------------------------------------------------------------------

bool TGridExchange::ClipboardKeyDown(int Key, Qt::KeyboardModifiers Mods)
{
    if (!FGrid.Navigation().AllowClipboardShortCuts)
        return false;
    const bool ctrl = Mods & Qt::ControlModifier, shift = Mods & Qt::ShiftModifier;
    const int key = Key;
    TClipboardEvent* ask = nullptr;
    void (TGridExchange::*act)() = nullptr;
    if ((ctrl && key == Qt::Key_X) || (shift && key == Qt::Key_Delete)) {
        ask = &FGrid.OnClipboardCut;
        act = &TGridExchange::CutSelectionToClipboard;
    } else if ((ctrl && key == Qt::Key_V) || (shift && key == Qt::Key_Insert)) {
        ask = &FGrid.OnClipboardPaste;
        act = &TGridExchange::PasteSelectionFromClipboard;
    } else if (ctrl && (key == Qt::Key_C || key == Qt::Key_Insert)) {
        ask = &FGrid.OnClipboardCopy;
        act = &TGridExchange::CopySelectionToClipboard;
    } else {
        return false;
    }
    bool allow = true;
    if (*ask)
        (*ask)(FGrid, allow);
    if (allow)
        (this->*act)();
    return true;
}

// The selected cells as tab-separated text, as a copy or a drag carries them.
QString TTxStringGrid::SelectedText()
{
    TGridRect s = selection();
    if ((options() & ui::goRowSelect) && FDragDropSettings.OleEntireRows) {
        s.Left = 0;
        s.Right = colCount() - 1;
    }
    std::vector<int> rows;
    if (FMouseActions.DisjunctRowSelect) {
        for (int r = fixedRows(); r < rowCount(); ++r)
            if (GetRowSelect(r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString out;
    for (int r : rows) {
        for (int c = s.Left; c <= s.Right; ++c) {
            QString t = GetCellEx(c, r);
            if (t.contains(QLatin1String("{\\")))
                t = RichTextToPlain(t);
            if (ClipboardQuoteMultiline && NeedsTabQuotes(t))
                LineFeedsToCSV(t);
            out += t;
            if (c < s.Right)
                out += QLatin1Char('\t');
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

} // namespace grid
