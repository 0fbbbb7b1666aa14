// TTxStringGrid: cells read and written as numbers, dates and times; highlighting and marking
// found text; running the cell checker; filling; the disjunct row selection; repainting parts
// of the grid; the counts with their always-switches; the indent of rows under a node.
#include "grid/core/Txgrid.h"

#include "grid/controls/Tsgcheck.h"
#include "grid/controls/TxgridError.h"
#include "grid/text/TxgridStrings.h"
#include "platform/text/Dates.h"
#include "platform/text/Numbers.h"
#include "platform/text/Regional.h"

#include <QRandomGenerator>
#include <QTime>
#include <cmath>
#include <cstdio>

namespace grid {

namespace {
const QString kIntError = QStringLiteral("Cell does not contain integer value");
const QString kFloatError = QStringLiteral("Cell does not contain a float value");

// A C-style format with one floating-point argument ("%.2f", "%8.3e", "Suma: %g"), written
// with the desktop's decimal separator; %n and %m are written as %f.
QString FormatFloat(const QString& Format, double Value)
{
    const qsizetype p = Format.indexOf(QLatin1Char('%'));
    if (p < 0)
        return Format;
    qsizetype q = p + 1;
    while (q < Format.size() && QStringLiteral("-+ #0123456789.").contains(Format.at(q)))
        ++q;
    if (q >= Format.size())
        return Format;
    char conv = char(Format.at(q).toLatin1());
    if (conv == 'n' || conv == 'm')
        conv = 'f';
    if (!QByteArrayView("fFeEgG").contains(conv))
        return Format;
    const QByteArray spec = Format.mid(p, q - p).toLatin1() + conv;
    char buf[512];
    std::snprintf(buf, sizeof buf, spec.constData(), Value);
    QString number = QString::fromLatin1(buf);
    number.replace(QLatin1Char('.'), text::decimalSeparator());
    return Format.left(p) + number + Format.mid(q + 1);
}
} // namespace

// --- typed access ------------------------------------------------------------------------

int TTxStringGrid::GetInts(int ACol, int ARow)
{
    const QString s = GetCellEx(ACol, ARow);
    bool ok = false;
    const int v = text::parseInt(s.isEmpty() ? QStringLiteral("0") : s, &ok);
    if (!ok)
        throw ETxGridError(kIntError);
    return v;
}

void TTxStringGrid::SetInts(int ACol, int ARow, int Value) { SetCellEx(ACol, ARow, QString::number(Value)); }

double TTxStringGrid::GetFloats(int ACol, int ARow)
{
    QString s = RemoveSeps(GetCellEx(ACol, ARow));
    if (s.isEmpty())
        s = QStringLiteral("0");
    bool ok = false;
    const double v = s.toDouble(&ok); // full-stop notation after RemoveSeps
    if (!ok)
        throw ETxGridError(kFloatError);
    return v;
}

void TTxStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCellEx(ACol, ARow, FormatFloat(FloatFormat, Value));
}

TDateTime TTxStringGrid::GetDates(int ACol, int ARow)
{
    const QString s = GetCellEx(ACol, ARow);
    const QDate d = text::textToDate(s.trimmed());
    if (!d.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(s));
    return DateToDateTime(d);
}

void TTxStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCellEx(ACol, ARow, text::dateToText(DateTimeToDate(Value)));
}

TDateTime TTxStringGrid::GetTimes(int ACol, int ARow)
{
    const QString s = GetCellEx(ACol, ARow).trimmed();
    QTime t = QTime::fromString(s, QStringLiteral("H:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(s, QStringLiteral("H:mm"));
    if (!t.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid time").arg(s));
    return t.msecsSinceStartOfDay() / 86400000.0;
}

void TTxStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    double frac = std::fabs(Value - std::trunc(Value));
    const int ms = int(std::llround(frac * 86400000.0)) % 86400000;
    SetCellEx(ACol, ARow, QTime::fromMSecsSinceStartOfDay(ms).toString(QStringLiteral("HH:mm:ss")));
}

// --- highlighting and marking ------------------------------------------------------------

QString TTxStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    return HTMLHilight(S, Text, QStringLiteral("hi"), DoCase);
}

QString TTxStringGrid::UnHilightText(const QString& S) { return HTMLUnHilight(S, QStringLiteral("hi")); }

QString TTxStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    return HTMLHilight(S, Text, QStringLiteral("e"), DoCase);
}

QString TTxStringGrid::UnMarkText(const QString& S) { return HTMLUnHilight(S, QStringLiteral("e")); }

void TTxStringGrid::MarkCells(const QString& Text, const QString& Tag, bool DoCase, int FromCol, int FromRow, int ToCol,
                              int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            SetCellEx(c, r, HTMLHilight(GetCellEx(c, r), Text, Tag, DoCase));
}

void TTxStringGrid::UnMarkCells(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow)
{
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            SetCellEx(c, r, HTMLUnHilight(GetCellEx(c, r), Tag));
}

void TTxStringGrid::HilightRange(bool Mark, bool Undo, bool DoCase, const QString& Text, int FromCol, int FromRow,
                                 int ToCol, int ToRow)
{
    const QString tag = Mark ? QStringLiteral("e") : QStringLiteral("hi");
    if (Undo)
        UnMarkCells(tag, FromCol, FromRow, ToCol, ToRow);
    else
        MarkCells(Text, tag, DoCase, FromCol, FromRow, ToCol, ToRow);
}

#define TX_HILIGHT_FAMILY(NAME, UNNAME, MARK)                                                                          \
    void TTxStringGrid::NAME##InCell(bool DoCase, int ACol, int ARow, const QString& Text)                             \
    {                                                                                                                  \
        HilightRange(MARK, false, DoCase, Text, ACol, ARow, ACol, ARow);                                               \
    }                                                                                                                  \
    void TTxStringGrid::NAME##InCol(bool Fixed, bool DoCase, int ACol, const QString& Text)                            \
    {                                                                                                                  \
        HilightRange(MARK, false, DoCase, Text, ACol, Fixed ? 0 : fixedRows(), ACol,                                   \
                     Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);                                        \
    }                                                                                                                  \
    void TTxStringGrid::NAME##InRow(bool Fixed, bool DoCase, int ARow, const QString& Text)                            \
    {                                                                                                                  \
        HilightRange(MARK, false, DoCase, Text, Fixed ? 0 : fixedCols(), ARow,                                         \
                     Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1, ARow);                                \
    }                                                                                                                  \
    void TTxStringGrid::NAME##InGrid(bool Fixed, bool DoCase, const QString& Text)                                     \
    {                                                                                                                  \
        HilightRange(MARK, false, DoCase, Text, Fixed ? 0 : fixedCols(), Fixed ? 0 : fixedRows(),                      \
                     Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1,                                       \
                     Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);                                        \
    }                                                                                                                  \
    void TTxStringGrid::UNNAME##InCell(int ACol, int ARow)                                                             \
    {                                                                                                                  \
        HilightRange(MARK, true, false, QString(), ACol, ARow, ACol, ARow);                                            \
    }                                                                                                                  \
    void TTxStringGrid::UNNAME##InCol(bool Fixed, int ACol)                                                            \
    {                                                                                                                  \
        HilightRange(MARK, true, false, QString(), ACol, Fixed ? 0 : fixedRows(), ACol,                                \
                     Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);                                        \
    }                                                                                                                  \
    void TTxStringGrid::UNNAME##InRow(bool Fixed, int ARow)                                                            \
    {                                                                                                                  \
        HilightRange(MARK, true, false, QString(), Fixed ? 0 : fixedCols(), ARow,                                      \
                     Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1, ARow);                                \
    }                                                                                                                  \
    void TTxStringGrid::UNNAME##InGrid(bool Fixed)                                                                     \
    {                                                                                                                  \
        HilightRange(MARK, true, false, QString(), Fixed ? 0 : fixedCols(), Fixed ? 0 : fixedRows(),                   \
                     Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1,                                       \
                     Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);                                        \
    }

TX_HILIGHT_FAMILY(Hilight, UnHilight, false)
TX_HILIGHT_FAMILY(Mark, UnMark, true)
#undef TX_HILIGHT_FAMILY

// --- cell checker ------------------------------------------------------------------------

bool TTxStringGrid::CheckCell(int ACol, int ARow)
{
    if (!CellChecker)
        return true;
    const QString read = GetCellEx(ACol, ARow);
    if (CellChecker->GotoCell) {
        moveCurrentRaw(ACol, ARow);
        setSelection(TGridRect{ACol, ARow, ACol, ARow});
    }
    QString s = read;
    if (CellChecker->UseCorrect)
        s = CellChecker->Correct(ACol, ARow, s);
    if (CellChecker->UseMarkError)
        s = CellChecker->MarkError(ACol, ARow, s);
    SetCellEx(ACol, ARow, s);
    return s == read;
}

bool TTxStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow)
{
    if (!CellChecker)
        return true;
    CellChecker->StartCheck();
    const int oldRow = row(), oldCol = col();
    const TGridRect oldSelection = selection();
    bool all = true;
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            all = CheckCell(c, r) && all; // every cell is checked, also after a failure
    CellChecker->StopCheck();
    if (CellChecker->GotoCell) {
        moveCurrentRaw(oldCol, oldRow);
        setSelection(oldSelection); // the visits moved the selection along
    }
    return all;
}

bool TTxStringGrid::CheckCol(bool Fixed, int ACol)
{
    return CheckCells(ACol, Fixed ? 0 : fixedRows(), ACol, Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);
}

bool TTxStringGrid::CheckRow(bool Fixed, int ARow)
{
    return CheckCells(Fixed ? 0 : fixedCols(), ARow, Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1, ARow);
}

bool TTxStringGrid::CheckGrid(bool Fixed)
{
    return CheckCells(Fixed ? 0 : fixedCols(), Fixed ? 0 : fixedRows(),
                      Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1,
                      Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1);
}

// --- filling -----------------------------------------------------------------------------

void TTxStringGrid::TextFill(bool Fixed, const QString& S)
{
    const int r1 = Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1;
    const int c1 = Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1;
    for (int r = Fixed ? 0 : fixedRows(); r <= r1; ++r)
        for (int c = Fixed ? 0 : fixedCols(); c <= c1; ++c)
            setCells(c, r, S);
    CellsLoaded();
}

void TTxStringGrid::RandomFill(bool Fixed, int Max)
{
    const int r1 = Fixed ? rowCount() - 1 : rowCount() - FixedFooters() - 1;
    const int c1 = Fixed ? colCount() - 1 : colCount() - FixedRightCols() - 1;
    for (int r = Fixed ? 0 : fixedRows(); r <= r1; ++r)
        for (int c = Fixed ? 0 : fixedCols(); c <= c1; ++c)
            SetInts(c, r, Max > 0 ? int(QRandomGenerator::global()->bounded(Max)) : 0);
    CellsLoaded();
}

// --- disjunct row selection --------------------------------------------------------------

bool TTxStringGrid::GetRowSelect(int ARow)
{
    if (ARow < 0 || ARow >= rowCount())
        throw ETxGridError(QStringLiteral("Invalid Row accessed"));
    if (std::size_t(ARow) >= FRowSelect.size())
        FRowSelect.resize(std::size_t(ARow) + 1, 0);
    return FRowSelect[std::size_t(ARow)] != 0;
}

void TTxStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (GetRowSelect(ARow) != Value)
        RepaintRow(ARow);
    FRowSelect[std::size_t(ARow)] = Value;
}

int TTxStringGrid::GetRowSelectCount() const
{
    int n = 0;
    for (std::size_t i = 0; i < FRowSelect.size(); ++i)
        n += FRowSelect[i] ? 1 : 0;
    return n;
}

void TTxStringGrid::ClearRowSelect()
{
    for (std::size_t i = 0; i < FRowSelect.size(); ++i)
        if (FRowSelect[i]) {
            RepaintRow(int(i));
            FRowSelect[i] = 0;
        }
}

void TTxStringGrid::SelectToRowSelect(bool Replace)
{
    const TGridRect s = selection();
    for (int r = fixedRows(); r < rowCount(); ++r) {
        const bool in = r >= s.Top && r <= s.Bottom;
        if (Replace || in)
            SetRowSelect(r, in);
    }
}

void TTxStringGrid::SelectRows(int ARow, int Count)
{
    if (FMouseActions.DisjunctRowSelect) {
        for (int r = ARow; r < ARow + Count && r < rowCount(); ++r)
            SetRowSelect(r, true);
        return;
    }
    setSelection(TGridRect{fixedCols(), ARow, colCount() - 1, ARow + Count - 1});
}

void TTxStringGrid::SelectCols(int ACol, int Count)
{
    setSelection(TGridRect{ACol, fixedRows(), ACol + Count - 1, rowCount() - 1});
}

void TTxStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    setSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

// --- repainting --------------------------------------------------------------------------

void TTxStringGrid::RepaintRow(int ARow)
{
    const TRect r = platformCellRect(0, ARow);
    if (!r.isEmpty())
        invalidateRect(TRect{0, r.Top, clientWidth(), r.Bottom});
}

void TTxStringGrid::RepaintCol(int ACol)
{
    const TRect r = platformCellRect(ACol, 0);
    if (!r.isEmpty())
        invalidateRect(TRect{r.Left, 0, r.Right, clientHeight()});
    else
        RepaintColumn(ACol);
}

void TTxStringGrid::RepaintRect(TRect R)
{
    const TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
    if (a.isEmpty() || b.isEmpty()) {
        Invalidate();
        return;
    }
    invalidateRect(TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                         std::max(a.Bottom, b.Bottom)});
}

// --- counts ------------------------------------------------------------------------------

void TTxStringGrid::SetRowCount(int Value)
{
    setRowCount(Value);
    if (rowCount() > 1 && FixedRowAlways && fixedRows() == 0)
        setFixedRows(1);
    SetDisplTextRowLimit(rowCount());
    FloatFooterUpdate();
}

void TTxStringGrid::SetColCount(int Value)
{
    setColCount(Value);
    if (colCount() > 1 && FixedColAlways && fixedCols() == 0)
        setFixedCols(1);
    FloatFooterUpdate();
    setGeometry(geometry()); // size-dependent layout follows the new columns
    ColCountChanged();
}

// --- nodes -------------------------------------------------------------------------------

int TTxStringGrid::NodeIndent(int ARow)
{
    if (FNodeCount == 0 || IsNode(ARow))
        return 0;
    for (int n = ARow - 1; n >= 1; --n) {
        if (!IsNode(n))
            continue;
        // The nearest node above decides: expanded and reaching this row.
        const TCellGraphic* g = GetCellGraphic(0, n);
        return !g->State && ARow - n < g->Value ? 16 : 0;
    }
    return 0;
}

int TTxStringGrid::GetCellImageIdx(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && (g->CellType == ctImageList || g->CellType == ctDataImage || g->CellType == ctImages))
        return g->Value;
    return -1;
}

} // namespace grid
