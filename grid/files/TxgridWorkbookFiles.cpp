// Workbook files: .xlsx read by our own streaming reader (parts inflated in chunks by libzip
// into our XML scanner, styles read so that dates come in as dates), .xls read in a helper
// process, new .xlsx written through libxlsxwriter.
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/xls/TxgridDates.h"
#include "platform/system/FileReplacement.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cerrno>
#include <new>
#include <type_traits>
#include <xlsxwriter.h>

namespace grid {

namespace {

constexpr int kMaxRows = 1048576, kMaxCols = 16384; // the format's limits

std::string_view trimmed(std::string_view V)
{
    while (!V.empty() && (V.front() == ' ' || V.front() == '\t' || V.front() == '\n' || V.front() == '\r'))
        V.remove_prefix(1);
    while (!V.empty() && (V.back() == ' ' || V.back() == '\t' || V.back() == '\n' || V.back() == '\r'))
        V.remove_suffix(1);
    return V;
}

// A number as QString's toInt()/toDouble() take it: white space around, a sign; nothing else.
template <class T>
bool toNumber(std::string_view V, T& Out)
{
    if constexpr (std::is_integral_v<T>) { // mostly a few plain digits: an index, a row
        if (!V.empty() && V.size() <= 9) {
            T n = 0;
            std::size_t i = 0;
            for (; i < V.size() && V[i] >= '0' && V[i] <= '9'; ++i)
                n = n * 10 + T(V[i] - '0');
            if (i == V.size()) {
                Out = n;
                return true;
            }
        }
    }
    V = trimmed(V);
    if (V.size() > 1 && V[0] == '+' && V[1] != '-')
        V.remove_prefix(1);
    const char* end = V.data() + V.size();
    const auto [stop, ec] = std::from_chars(V.data(), end, Out);
    return !V.empty() && ec == std::errc() && stop == end;
}

int toInt(std::string_view V)
{
    int n = 0;
    return toNumber(V, n) ? n : 0;
}

QString utf8(const std::string& S) { return QString::fromUtf8(S.data(), qsizetype(S.size())); }

// A text of the format with its escapes _xHHHH_ (a character XML cannot hold, by its code)
// decoded: "_x000D_" is a CR, "_x005F_x000D_" the text "_x000D_".
QString unescaped(const std::string& S)
{
    if (S.find("_x") == std::string::npos)
        return utf8(S);
    const QString t = utf8(S);
    QString out;
    out.reserve(t.size());
    auto hex = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= u'0' && u <= u'9' ? u - u'0'
            : u >= u'A' && u <= u'F'  ? u - u'A' + 10
            : u >= u'a' && u <= u'f'  ? u - u'a' + 10
                                      : -1;
    };
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i) == u'_' && i + 6 < t.size() && t.at(i + 1) == u'x' && t.at(i + 6) == u'_') {
            int code = 0;
            for (qsizetype k = i + 2; k < i + 6 && code >= 0; ++k)
                code = hex(t.at(k)) < 0 ? -1 : code * 16 + hex(t.at(k));
            if (code >= 0) {
                out += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        out += t.at(i);
    }
    return out;
}


// The text of the element in hand holding text runs (<si>, <is>): every <t> inside, phonetic
// runs left out. Buf is the caller's, kept between calls so that it is allocated once.
QString runText(TXmlScanner& X, std::string& Buf)
{
    Buf.clear();
    const int depth = X.Depth();
    int skip = 0;
    while (X.Next() != TXmlScanner::xtDocEnd) {
        if (X.Token() == TXmlScanner::xtStart) {
            if (X.Name() == "rPh")
                ++skip;
            else if (X.Name() == "t" && !skip)
                X.AppendElementText(Buf);
        } else if (X.Token() == TXmlScanner::xtEnd) {
            if (X.Depth() == depth)
                break;
            if (X.Name() == "rPh")
                --skip;
        }
    }
    return unescaped(Buf);
}

// --- styles: which cell formats show dates and times ----------------------------------------

using xls::TDateKind;

// The kind of each cell format (<cellXfs>), by its index.
std::vector<TDateKind> readStyles(const TPackage& Package, TReadBudget& Budget)
{
    std::vector<TDateKind> kinds;
    TPartReader p(Package, QStringLiteral("xl/styles.xml"), Budget);
    if (!p.IsOpen())
        return kinds;
    TXmlScanner& x = p.X;
    QHash<int, TDateKind> custom;
    bool inCellXfs = false;
    while (x.Next() != TXmlScanner::xtDocEnd) {
        if (x.IsEnd("cellXfs"))
            inCellXfs = false;
        if (x.Token() != TXmlScanner::xtStart)
            continue;
        if (x.Name() == "numFmt") {
            custom.insert(toInt(x.Attr("numFmtId")), xls::FormatDateKind(x.AttrText("formatCode").toStdString()));
        } else if (x.Name() == "cellXfs") {
            inCellXfs = true;
        } else if (inCellXfs && x.Name() == "xf") {
            if (kinds.size() >= 65536)
                throw std::runtime_error("styles");
            const int id = toInt(x.Attr("numFmtId"));
            kinds.push_back(custom.contains(id) ? custom.value(id) : xls::BuiltinDateKind(unsigned(id)));
        }
    }
    return kinds;
}

struct TSheetContext {
    const QStringList& Shared;
    // Which shared strings a cell has used: the table paid for each one's first use, every
    // further use is charged again, since each cell goes on as text of its own (filtered,
    // saved, written out) however little the table itself holds.
    std::vector<bool>& SharedUsed;
    const std::vector<TDateKind>& Styles;
    bool From1904 = false;
    TReadBudget& Budget;
};

// What a cell's t="" says its value is; any other type reads as a number.
enum TCellType : unsigned char { ctNumber, ctShared, ctStr, ctBool, ctError, ctInline };

TCellType cellType(std::string_view T)
{
    if (T == "s")
        return ctShared;
    if (T == "str" || T == "d")
        return ctStr;
    if (T == "b")
        return ctBool;
    if (T == "e")
        return ctError;
    return T == "inlineStr" ? ctInline : ctNumber;
}

void readSheet(TXmlScanner& X, const TSheetContext& Ctx, TOfficeSheet& Sheet)
{
    int row = -1, nextCol = 0;
    std::string v, text, date; // kept for every cell: no allocation each
    TSheetFiller fill;
    fill.Start(Sheet);
    while (X.Next() != TXmlScanner::xtDocEnd) {
        if (X.Token() != TXmlScanner::xtStart)
            continue;
        if (X.Name() == "row") {
            int r = 0;
            row = toNumber(X.Attr("r"), r) ? r - 1 : row + 1;
            if (row < 0 || row >= kMaxRows)
                throw std::runtime_error("row");
            nextCol = 0;
        } else if (X.Name() == "c") {
            int col = nextCol, r = std::max(row, 0);
            std::string_view ref, t, s;
            for (const TXmlScanner::TAttr& a : X.Attrs()) { // one pass for the three
                if (a.Name == "r")
                    ref = a.Value;
                else if (a.Name == "t")
                    t = a.Value;
                else if (a.Name == "s")
                    s = a.Value;
            }
            if (!ref.empty() && !CellReference(ref, col, r))
                throw std::runtime_error("ref");
            const TCellType type = cellType(t);
            const int style = toInt(s);
            const int depth = X.Depth();
            bool hasV = false;
            TOfficeValue value;
            while (X.Next() != TXmlScanner::xtDocEnd) {
                if (X.Token() == TXmlScanner::xtEnd && X.Depth() == depth)
                    break;
                if (X.Token() != TXmlScanner::xtStart)
                    continue;
                if (X.Name() == "v") {
                    v.clear();
                    X.AppendElementText(v);
                    hasV = true;
                } else if (X.Name() == "is") {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = runText(X, text);
                    Ctx.Budget.AddText(value.Text.size());
                }
            }
            if (type == ctShared && hasV) {
                int i = 0;
                if (!toNumber(std::string_view(v), i) || i < 0 || i >= Ctx.Shared.size())
                    throw ETxGridError(
                        QStringLiteral("Skoroszyt %1 jest uszkodzony: komórka %2%3 arkusza \"%4\" wskazuje tekst, "
                                       "którego nie ma w jego tabeli tekstów.")
                            .arg(Ctx.Budget.FileName, ColumnLetters(col + 1))
                            .arg(r + 1)
                            .arg(Sheet.Name));
                value.Kind = TOfficeValue::ovText;
                value.Text = Ctx.Shared.at(i); // shared, not copied
                if (Ctx.SharedUsed[std::size_t(i)])
                    Ctx.Budget.AddText(value.Text.size());
                Ctx.SharedUsed[std::size_t(i)] = true;
            } else if (type == ctStr && hasV) {
                value.Kind = TOfficeValue::ovText;
                value.Text = unescaped(v);
                Ctx.Budget.AddText(value.Text.size());
            } else if (type == ctBool && hasV) {
                value.Kind = TOfficeValue::ovBool;
                value.Number = trimmed(v) == "1";
            } else if (type == ctError) {
                value.Kind = TOfficeValue::ovError;
            } else if (hasV && type != ctInline) {
                const bool ok = toNumber(std::string_view(v), value.Number);
                value.Kind = ok ? TOfficeValue::ovNumber : TOfficeValue::ovEmpty;
                if (!ok)
                    value.Number = 0;
                const TDateKind kind =
                    style >= 0 && std::size_t(style) < Ctx.Styles.size() ? Ctx.Styles[std::size_t(style)] : xls::dkNone;
                if (ok && kind != xls::dkNone && xls::SerialDateText(value.Number, kind, Ctx.From1904, date)) {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = QString::fromLatin1(date.data(), qsizetype(date.size()));
                }
            }
            if (value.Kind != TOfficeValue::ovEmpty) {
                Ctx.Budget.AddCell();
                fill.Add(r, col, std::move(value));
            }
            nextCol = col + 1;
            row = r;
        }
    }
    fill.Finish();
}

// A sheet's name as spreadsheets hold it: at most 31 characters (longer ones, which some
// writers leave in a file, are cut there, as a spreadsheet repairing the file cuts them).
QString sheetName(const QString& Name)
{
    constexpr qsizetype kMax = 31;
    if (Name.size() <= kMax)
        return Name;
    return Name.left(Name.at(kMax - 1).isHighSurrogate() ? kMax - 1 : kMax); // a copy of its own size
}

// libxlsxwriter writes the characters XML cannot hold as _xHHHH_, but a text that holds such
// a pattern itself as it stands: its "_" is written as the escape _x005F_, as the format asks,
// so that the text reads back as it was.
QString literalEscapes(const QString& Text)
{
    if (!Text.contains(QLatin1String("_x")))
        return Text;
    QString out;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        if (Text.at(i) == u'_' && i + 6 < Text.size() && Text.at(i + 1) == u'x' && Text.at(i + 6) == u'_')
            out += QLatin1String("_x005F_");
        else
            out += Text.at(i);
    }
    return out;
}

QString outOfMemory(const QString& FileName)
{
    return QStringLiteral("Za mało pamięci, by wczytać skoroszyt %1.").arg(FileName);
}

} // namespace

void TSheetFiller::Start(TOfficeSheet& Sheet)
{
    FSheet = &Sheet;
    FCells = nullptr;
    FRow = -1;
    FUnordered.clear();
}

void TSheetFiller::Add(int Row, int Col, TOfficeValue Value)
{
    if (!FSheet || Value.Kind == TOfficeValue::ovEmpty)
        return;
    if (Row != FRow) {
        const std::size_t width = FCells ? FCells->size() : 0;
        FCells = &FSheet->Rows.try_emplace(FSheet->Rows.end(), Row)->second;
        FRow = Row;
        if (FCells->empty())
            FCells->reserve(width); // rows are mostly as wide as the one before
    }
    if (!FCells->empty() && FCells->back().Col >= Col && (FUnordered.empty() || FUnordered.back() != Row))
        FUnordered.push_back(Row);
    FCells->push_back({Col, std::move(Value)});
}

void TSheetFiller::Finish()
{
    if (!FSheet)
        return;
    std::sort(FUnordered.begin(), FUnordered.end());
    FUnordered.erase(std::unique(FUnordered.begin(), FUnordered.end()), FUnordered.end());
    for (const int r : FUnordered) {
        std::vector<TOfficeCell>& cells = FSheet->Rows[r];
        std::stable_sort(cells.begin(), cells.end(),
                         [](const TOfficeCell& a, const TOfficeCell& b) { return a.Col < b.Col; });
        auto out = cells.begin();
        for (auto in = cells.begin(); in != cells.end(); ++in) {
            if (out != cells.begin() && std::prev(out)->Col == in->Col)
                *std::prev(out) = std::move(*in);
            else
                *out++ = std::move(*in);
        }
        cells.erase(out, cells.end());
    }
    Start(*FSheet);
    FSheet = nullptr;
}

bool CellReference(std::string_view Ref, int& Col, int& Row)
{
    std::size_t i = 0;
    Col = 0;
    for (; i < Ref.size() && Col <= kMaxCols; ++i) {
        const char c = char(Ref[i] & ~0x20); // upper case
        if (c < 'A' || c > 'Z')
            break;
        Col = Col * 26 + (c - 'A' + 1);
    }
    if (i == 0 || Col > kMaxCols || !toNumber(Ref.substr(i), Row) || Row < 1 || Row > kMaxRows)
        return false;
    --Col;
    --Row;
    return true;
}

TOfficeWorkbook ReadPackage(const TPackage& Package, TReadBudget& Budget)
{
    if (!Package.IsOpen())
        throw std::runtime_error("zip");
    // The sheets in their order, each with its relationship to the part holding it.
    TOfficeWorkbook book;
    QStringList relIds;
    bool from1904 = false;
    {
        TPartReader p(Package, QStringLiteral("xl/workbook.xml"), Budget);
        if (!p.IsOpen())
            throw std::runtime_error("zip");
        TXmlScanner& x = p.X;
        while (x.Next() != TXmlScanner::xtDocEnd) {
            if (x.Token() != TXmlScanner::xtStart)
                continue;
            if (x.Name() == "sheet") {
                if (book.Sheets.size() >= 4096)
                    throw std::runtime_error("sheets");
                TOfficeSheet s;
                s.Name = sheetName(x.AttrText("name"));
                book.Sheets.push_back(std::move(s));
                relIds << x.AttrText("id", true);
                Budget.AddText(relIds.back().size());
            } else if (x.Name() == "workbookView") {
                book.ActiveSheet = toInt(x.Attr("activeTab"));
            } else if (x.Name() == "workbookPr") {
                const std::string_view d = x.Attr("date1904");
                from1904 = d == "1" || d == "true";
            }
        }
    }
    // Only the relationships a sheet names are kept: the part may list any number of others.
    QHash<QString, QString> targets;
    for (const QString& id : std::as_const(relIds))
        targets.insert(id, QString());
    if (TPartReader p(Package, QStringLiteral("xl/_rels/workbook.xml.rels"), Budget); p.IsOpen())
        while (p.X.Next() != TXmlScanner::xtDocEnd)
            if (p.X.IsStart("Relationship")) {
                const auto target = targets.find(p.X.AttrText("Id"));
                if (target == targets.end())
                    continue;
                QString t = p.X.AttrText("Target");
                t = t.startsWith(QLatin1Char('/')) ? t.mid(1) : QStringLiteral("xl/") + t;
                Budget.AddText(t.size());
                *target = t;
            }
    QStringList shared;
    if (TPartReader p(Package, QStringLiteral("xl/sharedStrings.xml"), Budget); p.IsOpen()) {
        std::string buf;
        while (p.X.Next() != TXmlScanner::xtDocEnd)
            if (p.X.IsStart("si")) {
                shared << runText(p.X, buf);
                Budget.AddString(shared.back().size());
            } else if (p.X.IsStart("sst")) {
                // The count it gives saves growing the list, within reason (it may lie).
                int count = 0;
                if (toNumber(p.X.Attr("uniqueCount"), count) && count > 0)
                    shared.reserve(std::min(count, 1 << 20));
            }
    }
    const std::vector<TDateKind> styles = readStyles(Package, Budget);
    std::vector<bool> sharedUsed(std::size_t(shared.size()));
    const TSheetContext ctx{shared, sharedUsed, styles, from1904, Budget};
    for (std::size_t i = 0; i < book.Sheets.size(); ++i) {
        QString target = targets.value(relIds.at(qsizetype(i)));
        if (target.isEmpty())
            target = QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1);
        TPartReader p(Package, target, Budget);
        if (p.IsOpen())
            readSheet(p.X, ctx, book.Sheets[i]);
    }
    if (book.ActiveSheet < 0 || book.ActiveSheet >= int(book.Sheets.size()))
        book.ActiveSheet = 0;
    return book;
}

TOfficeWorkbook ReadXlsx(const QByteArray& Zip)
{
    return Guarded(QString(), outOfMemory(QString()), [&] {
        TReadBudget budget;
        return ReadPackage(TPackage(Zip), budget);
    });
}

TOfficeWorkbook ReadWorkbook(const QString& FileName)
{
    const QByteArray head = FileHead(FileName);
    if (head.startsWith("PK"))
        return Guarded(FileName, outOfMemory(FileName), [&] {
            TReadBudget budget{FileName};
            return ReadPackage(TPackage(FileName), budget);
        });
    if (IsBiff(head))
        return Guarded(FileName, outOfMemory(FileName), [&] { return ReadXlsInHelper(FileName); });
    Corrupt(FileName);
}

void WriteXlsx(const QString& FileName, const TOfficeWorkbook& Book)
{
    // A real .xls of the user's is never replaced by .xlsx content under its name.
    if (QFile old(FileName); old.open(QIODevice::ReadOnly) && IsBiff(old.peek(8)))
        throw ETxGridError(BiffRefusedMessage(FileName));
    // Written beside the file and put in its place only when complete, so that a failure
    // leaves the old workbook as it was.
    TSaveFile file(FileName);
    const QByteArray tempName = QFile::encodeName(file.Replacement().temporaryPath());
    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb)
        throw ETxGridError(QStringLiteral("Za mało pamięci, by zapisać skoroszyt %1.").arg(FileName));
    // Dates as a spreadsheet keeps them: a serial shown in the form it was typed in.
    lxw_format* dateFormat[TOfficeValue::dfCount] = {};
    for (int f = TOfficeValue::dfNone + 1; f < TOfficeValue::dfCount; ++f) {
        dateFormat[f] = workbook_add_format(wb);
        format_set_num_format(dateFormat[f], DateFormatCode(TOfficeValue::TDateForm(f)));
    }
    QString failure;
    for (std::size_t i = 0; i < Book.Sheets.size() && failure.isEmpty(); ++i) {
        const TOfficeSheet& s = Book.Sheets[i];
        const QByteArray name = s.Name.toUtf8();
        lxw_worksheet* ws = workbook_validate_sheet_name(wb, name.constData()) == LXW_NO_ERROR
            ? workbook_add_worksheet(wb, name.constData())
            : nullptr;
        if (!ws) {
            failure = QStringLiteral("Nieprawidłowa nazwa arkusza \"%1\"").arg(s.Name);
            break;
        }
        if (int(i) == Book.ActiveSheet)
            worksheet_activate(ws);
        for (auto row = s.Rows.begin(); row != s.Rows.end() && failure.isEmpty(); ++row)
            for (const TOfficeCell& cell : row->second) {
                const TOfficeValue& v = cell.Value;
                const auto r = lxw_row_t(row->first);
                const auto c = lxw_col_t(cell.Col);
                lxw_error e = LXW_NO_ERROR;
                switch (v.Kind) {
                case TOfficeValue::ovText:
                    e = worksheet_write_string(ws, r, c, literalEscapes(v.Text).toUtf8().constData(), nullptr);
                    break;
                case TOfficeValue::ovNumber:
                    e = worksheet_write_number(ws, r, c, v.Number, dateFormat[v.DateForm()]);
                    break;
                case TOfficeValue::ovBool: e = worksheet_write_boolean(ws, r, c, v.Number != 0, nullptr); break;
                default: break;
                }
                if (e == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED) {
                    failure = CellTooLongMessage(s.Name, row->first, cell.Col, v.Text.size());
                    break;
                }
                if (e != LXW_NO_ERROR) {
                    failure = QStringLiteral("Komórka %1%2 arkusza \"%3\": %4")
                                  .arg(ColumnLetters(cell.Col + 1))
                                  .arg(row->first + 1)
                                  .arg(s.Name, QString::fromUtf8(lxw_strerror(e)));
                    break;
                }
            }
    }
    // libxlsxwriter tells why it could not write only on stderr: the cause is the system's
    // error it met, or found in the state of the file system.
    errno = 0;
    const lxw_error closed = workbook_close(wb);
    const int why = errno;
    if (!failure.isEmpty())
        throw ETxGridError(failure);
    if (closed != LXW_NO_ERROR)
        file.Fail(why);
    file.Commit();
}

} // namespace grid
