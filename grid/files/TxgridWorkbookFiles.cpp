// Workbook files: .xlsx read by our own streaming reader (parts inflated in chunks by libzip
// into QXmlStreamReader, styles read so that dates come in as dates), .xls read by FreeXL in a
// helper process, new .xlsx written through libxlsxwriter.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridWorkbook.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <new>
#include <xlsxwriter.h>

namespace grid {

namespace {

constexpr int kMaxRows = 1048576, kMaxCols = 16384; // the format's limits

QString attr(const QXmlStreamReader& X, QLatin1String Name) { return X.attributes().value(Name).toString(); }

// "B12" as 0-based column and row; false when it is no cell reference within the limits.
bool cellRef(QStringView Ref, int& Col, int& Row)
{
    qsizetype i = 0;
    Col = 0;
    while (i < Ref.size() && Ref[i].isLetter() && Col <= kMaxCols)
        Col = Col * 26 + (QChar::toUpper(Ref[i++].unicode()) - u'A' + 1);
    bool ok = false;
    Row = Ref.mid(i).toInt(&ok);
    if (!ok || i == 0 || Col > kMaxCols || Row < 1 || Row > kMaxRows)
        return false;
    --Col;
    --Row;
    return true;
}

// The text of an element holding text runs (<si>, <is>): every <t> inside, phonetic runs left out.
QString runText(TPartReader& P)
{
    QXmlStreamReader& x = P.X;
    QString out;
    const QString end = x.name().toString();
    int skip = 0;
    while (!x.atEnd()) {
        P.Next();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("rPh"))
                ++skip;
            else if (x.name() == QLatin1String("t") && !skip)
                out += x.readElementText();
        } else if (x.isEndElement()) {
            if (x.name() == QLatin1String("rPh"))
                --skip;
            else if (x.name() == end)
                break;
        }
    }
    return out;
}

// --- styles: which cell formats show dates and times ----------------------------------------

enum TDateKind : unsigned char { dkNone, dkDate, dkTime, dkDateTime };

TDateKind builtinKind(int Id)
{
    if ((Id >= 14 && Id <= 17) || (Id >= 27 && Id <= 36) || (Id >= 50 && Id <= 58))
        return dkDate;
    if ((Id >= 18 && Id <= 21) || (Id >= 45 && Id <= 47))
        return dkTime;
    return Id == 22 ? dkDateTime : dkNone;
}

// A format code's kind from its first section: quoted text, escapes, colours and locales
// left out; d or y is a date, h or s (or an elapsed [h]) a time; m alone counts as a date.
TDateKind codeKind(const QString& Code)
{
    const QString code = Code.section(QLatin1Char(';'), 0, 0).toLower();
    if (code == QLatin1String("general"))
        return dkNone;
    bool date = false, time = false, month = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"')) {
            i = code.indexOf(QLatin1Char('"'), i + 1);
            if (i < 0)
                break;
        } else if (c == QLatin1Char('\\') || c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = code.indexOf(QLatin1Char(']'), i);
            const QString inner = code.mid(i + 1, close < 0 ? -1 : close - i - 1);
            if (!inner.isEmpty() && (inner.at(0) == QLatin1Char('h') || inner.at(0) == QLatin1Char('s')
                                     || inner.at(0) == QLatin1Char('m')) && inner.count(inner.at(0)) == inner.size())
                time = true;
            if (close < 0)
                break;
            i = close;
        } else if (c == QLatin1Char('d') || c == QLatin1Char('y')) {
            date = true;
        } else if (c == QLatin1Char('h') || c == QLatin1Char('s')) {
            time = true;
        } else if (c == QLatin1Char('m')) {
            month = true;
        }
    }
    if (month && !time)
        date = true;
    return date && time ? dkDateTime : date ? dkDate : time ? dkTime : dkNone;
}

// The kind of each cell format (<cellXfs>), by its index.
std::vector<TDateKind> readStyles(const TPackage& Package, TReadBudget& Budget)
{
    std::vector<TDateKind> kinds;
    TPartReader p(Package, QStringLiteral("xl/styles.xml"), Budget);
    if (!p.IsOpen())
        return kinds;
    QHash<int, TDateKind> custom;
    bool inCellXfs = false;
    while (!p.AtEnd()) {
        p.Next();
        const QXmlStreamReader& x = p.X;
        if (x.isEndElement() && x.name() == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("numFmt")) {
            custom.insert(attr(x, QLatin1String("numFmtId")).toInt(), codeKind(attr(x, QLatin1String("formatCode"))));
        } else if (x.name() == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && x.name() == QLatin1String("xf")) {
            if (kinds.size() >= 65536)
                throw std::runtime_error("styles");
            const int id = attr(x, QLatin1String("numFmtId")).toInt();
            kinds.push_back(custom.contains(id) ? custom.value(id) : builtinKind(id));
        }
    }
    p.Finish();
    return kinds;
}

// A serial date as FreeXL gives it for .xls: "YYYY-MM-DD", "HH:MM:SS" or both.
bool serialText(double Serial, TDateKind Kind, bool From1904, QString& Out)
{
    if (!(Serial >= 0 && Serial < 2958466)) // up to 9999-12-31
        return false;
    qint64 seconds = qint64(std::llround(Serial * 86400.0));
    qint64 days = seconds / 86400;
    seconds %= 86400;
    // The 1900 system counts a 29 February 1900 that never was: serials before it are one
    // day later than their count from 30 December 1899.
    QDate base = From1904 ? QDate(1904, 1, 1) : days < 61 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QString date = base.addDays(days).toString(QStringLiteral("yyyy-MM-dd"));
    const QString time = QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss"));
    Out = Kind == dkDate ? date : Kind == dkTime ? time : date + QLatin1Char(' ') + time;
    return true;
}

struct TSheetContext {
    const QStringList& Shared;
    const std::vector<TDateKind>& Styles;
    bool From1904 = false;
    TReadBudget& Budget;
};

void readSheet(TPartReader& P, const TSheetContext& Ctx, TOfficeSheet& Sheet)
{
    QXmlStreamReader& x = P.X;
    int row = -1, nextCol = 0;
    while (!x.atEnd()) {
        P.Next();
        if (!x.isStartElement())
            continue;
        if (x.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = attr(x, QLatin1String("r")).toInt(&ok);
            row = ok ? r - 1 : row + 1;
            if (row < 0 || row >= kMaxRows)
                throw std::runtime_error("row");
            nextCol = 0;
        } else if (x.name() == QLatin1String("c")) {
            int col = nextCol, r = std::max(row, 0);
            const QString ref = attr(x, QLatin1String("r"));
            if (!ref.isEmpty() && !cellRef(ref, col, r))
                throw std::runtime_error("ref");
            const QString type = attr(x, QLatin1String("t"));
            const int style = attr(x, QLatin1String("s")).toInt();
            QString v;
            bool hasV = false;
            TOfficeValue value;
            while (!x.atEnd()) {
                P.Next();
                if (x.isEndElement() && x.name() == QLatin1String("c"))
                    break;
                if (!x.isStartElement())
                    continue;
                if (x.name() == QLatin1String("v")) {
                    v = x.readElementText();
                    hasV = true;
                } else if (x.name() == QLatin1String("is")) {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = runText(P);
                    Ctx.Budget.AddText(value.Text.size());
                }
            }
            if (type == QLatin1String("s") && hasV) {
                bool ok = false;
                const int i = v.toInt(&ok);
                if (ok && i >= 0 && i < Ctx.Shared.size()) {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = Ctx.Shared.at(i); // shared, not copied
                }
            } else if ((type == QLatin1String("str") || type == QLatin1String("d")) && hasV) {
                value.Kind = TOfficeValue::ovText;
                value.Text = v;
                Ctx.Budget.AddText(v.size());
            } else if (type == QLatin1String("b") && hasV) {
                value.Kind = TOfficeValue::ovBool;
                value.Number = v.trimmed() == QLatin1String("1");
            } else if (type == QLatin1String("e")) {
                value.Kind = TOfficeValue::ovError;
            } else if (hasV && type != QLatin1String("inlineStr")) {
                bool ok = false;
                value.Number = v.toDouble(&ok);
                value.Kind = ok ? TOfficeValue::ovNumber : TOfficeValue::ovEmpty;
                const TDateKind kind = style >= 0 && std::size_t(style) < Ctx.Styles.size() ? Ctx.Styles[std::size_t(style)] : dkNone;
                if (ok && kind != dkNone && serialText(value.Number, kind, Ctx.From1904, value.Text))
                    value.Kind = TOfficeValue::ovText;
            }
            if (value.Kind != TOfficeValue::ovEmpty) {
                Ctx.Budget.AddCell();
                Sheet.Set(r, col, std::move(value));
            }
            nextCol = col + 1;
            row = r;
        }
    }
    P.Finish();
}

QString outOfMemory(const QString& FileName)
{
    return QStringLiteral("Za mało pamięci, by wczytać skoroszyt %1.").arg(FileName);
}

} // namespace

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
        while (!p.AtEnd()) {
            p.Next();
            const QXmlStreamReader& x = p.X;
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("sheet")) {
                if (book.Sheets.size() >= 4096)
                    throw std::runtime_error("sheets");
                TOfficeSheet s;
                s.Name = attr(x, QLatin1String("name"));
                QString id;
                for (const QXmlStreamAttribute& a : x.attributes())
                    if (a.name() == QLatin1String("id"))
                        id = a.value().toString();
                book.Sheets.push_back(std::move(s));
                relIds << id;
            } else if (x.name() == QLatin1String("workbookView")) {
                book.ActiveSheet = attr(x, QLatin1String("activeTab")).toInt();
            } else if (x.name() == QLatin1String("workbookPr")) {
                const QString d = attr(x, QLatin1String("date1904"));
                from1904 = d == QLatin1String("1") || d == QLatin1String("true");
            }
        }
        p.Finish();
    }
    QHash<QString, QString> targets;
    {
        TPartReader p(Package, QStringLiteral("xl/_rels/workbook.xml.rels"), Budget);
        while (p.IsOpen() && !p.AtEnd())
            if (p.Next() == QXmlStreamReader::StartElement && p.X.name() == QLatin1String("Relationship")) {
                QString t = attr(p.X, QLatin1String("Target"));
                t = t.startsWith(QLatin1Char('/')) ? t.mid(1) : QStringLiteral("xl/") + t;
                targets.insert(attr(p.X, QLatin1String("Id")), t);
            }
        p.Finish();
    }
    QStringList shared;
    {
        TPartReader p(Package, QStringLiteral("xl/sharedStrings.xml"), Budget);
        while (p.IsOpen() && !p.AtEnd())
            if (p.Next() == QXmlStreamReader::StartElement && p.X.name() == QLatin1String("si")) {
                shared << runText(p);
                Budget.AddText(shared.back().size() + 1);
            }
        p.Finish();
    }
    const std::vector<TDateKind> styles = readStyles(Package, Budget);
    const TSheetContext ctx{shared, styles, from1904, Budget};
    for (std::size_t i = 0; i < book.Sheets.size(); ++i) {
        const QString target = targets.value(relIds.at(qsizetype(i)),
                                             QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1));
        TPartReader p(Package, target, Budget);
        if (p.IsOpen())
            readSheet(p, ctx, book.Sheets[i]);
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
    QTemporaryFile temp(QFileInfo(FileName).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw ETxGridError(QStringLiteral("Cannot Create file ") + FileName);
    temp.close();
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    lxw_workbook* wb = workbook_new(tempName.constData());
    if (!wb)
        throw ETxGridError(QStringLiteral("Cannot Create file ") + FileName);
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
                case TOfficeValue::ovText: e = worksheet_write_string(ws, r, c, v.Text.toUtf8().constData(), nullptr); break;
                case TOfficeValue::ovNumber: e = worksheet_write_number(ws, r, c, v.Number, nullptr); break;
                case TOfficeValue::ovBool: e = worksheet_write_boolean(ws, r, c, v.Number != 0, nullptr); break;
                default: break;
                }
                if (e != LXW_NO_ERROR) {
                    failure = QStringLiteral("Komórka %1%2 arkusza \"%3\": %4")
                                  .arg(ColumnLetters(cell.Col + 1)).arg(row->first + 1).arg(s.Name, QString::fromUtf8(lxw_strerror(e)));
                    break;
                }
            }
    }
    const lxw_error closed = workbook_close(wb);
    if (failure.isEmpty() && closed != LXW_NO_ERROR)
        failure = QStringLiteral("Cannot Create file ") + FileName;
    if (!failure.isEmpty())
        throw ETxGridError(failure);
    const QFile::Permissions keep = QFile::exists(FileName)
                                        ? QFile::permissions(FileName)
                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(temp.fileName(), keep);
    if (std::rename(tempName.constData(), QFile::encodeName(FileName).constData()) != 0)
        throw ETxGridError(QStringLiteral("Cannot Create file ") + FileName);
    temp.setAutoRemove(false);
}

} // namespace grid
