// Workbook files: .xlsx read by our own reader (the zip through libzip, the parts through
// QXmlStreamReader), .xls read through FreeXL, and .xlsx written through libxlsxwriter.
#include "grid/TxgridError.h"
#include "grid/TxgridOffice.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QXmlStreamReader>
#include <cstdio>
#include <freexl.h>
#include <xlsxwriter.h>
#include <zip.h>

namespace grid {

namespace {

constexpr int kMaxRows = 1048576, kMaxCols = 16384; // the format's limits
constexpr zip_uint64_t kMaxPart = 1u << 30;

[[noreturn]] void corrupt(const QString& Name)
{
    throw ETxGridError(QStringLiteral("File contains no data or corrupt file ") + Name);
}

// --- .xlsx ---------------------------------------------------------------------------------

class TZip {
public:
    explicit TZip(const QByteArray& Data)
    {
        zip_error_t err;
        zip_error_init(&err);
        zip_source_t* src = zip_source_buffer_create(Data.constData(), zip_uint64_t(Data.size()), 0, &err);
        if (src && !(FZip = zip_open_from_source(src, ZIP_RDONLY, &err)))
            zip_source_free(src);
        zip_error_fini(&err);
    }
    ~TZip()
    {
        if (FZip)
            zip_discard(FZip);
    }
    bool IsOpen() const { return FZip != nullptr; }
    // A part's bytes; false when absent or unreadable.
    bool Read(const QString& Name, QByteArray& Out) const
    {
        zip_stat_t st;
        const QByteArray n = Name.toUtf8();
        if (zip_stat(FZip, n.constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPart)
            return false;
        zip_file_t* f = zip_fopen(FZip, n.constData(), 0);
        if (!f)
            return false;
        Out.resize(qsizetype(st.size));
        const zip_int64_t got = zip_fread(f, Out.data(), st.size);
        zip_fclose(f);
        return got == zip_int64_t(st.size);
    }

private:
    zip_t* FZip = nullptr;
};

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
QString runText(QXmlStreamReader& X)
{
    QString out;
    const QString end = X.name().toString();
    int skip = 0;
    while (!X.atEnd()) {
        X.readNext();
        if (X.isStartElement()) {
            if (X.name() == QLatin1String("rPh"))
                ++skip;
            else if (X.name() == QLatin1String("t") && !skip)
                out += X.readElementText();
        } else if (X.isEndElement()) {
            if (X.name() == QLatin1String("rPh"))
                --skip;
            else if (X.name() == end)
                break;
        }
    }
    return out;
}

void readSheet(const QByteArray& Xml, const QStringList& Shared, TOfficeSheet& Sheet)
{
    QXmlStreamReader x(Xml);
    int row = -1, nextCol = 0;
    while (!x.atEnd()) {
        x.readNext();
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
            QString v;
            bool hasV = false;
            TOfficeValue value;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isEndElement() && x.name() == QLatin1String("c"))
                    break;
                if (!x.isStartElement())
                    continue;
                if (x.name() == QLatin1String("v")) {
                    v = x.readElementText();
                    hasV = true;
                } else if (x.name() == QLatin1String("is")) {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = runText(x);
                }
            }
            if (type == QLatin1String("s") && hasV) {
                bool ok = false;
                const int i = v.toInt(&ok);
                if (ok && i >= 0 && i < Shared.size()) {
                    value.Kind = TOfficeValue::ovText;
                    value.Text = Shared.at(i);
                }
            } else if ((type == QLatin1String("str") || type == QLatin1String("d")) && hasV) {
                value.Kind = TOfficeValue::ovText;
                value.Text = v;
            } else if (type == QLatin1String("b") && hasV) {
                value.Kind = TOfficeValue::ovBool;
                value.Number = v.trimmed() == QLatin1String("1");
            } else if (type == QLatin1String("e")) {
                value.Kind = TOfficeValue::ovError;
            } else if (hasV && type != QLatin1String("inlineStr")) {
                bool ok = false;
                value.Number = v.toDouble(&ok);
                value.Kind = ok ? TOfficeValue::ovNumber : TOfficeValue::ovEmpty;
            }
            if (value.Kind != TOfficeValue::ovEmpty)
                Sheet.Set(r, col, std::move(value));
            nextCol = col + 1;
            row = r;
        }
    }
    if (x.hasError())
        throw std::runtime_error("xml");
}

// --- .xls ----------------------------------------------------------------------------------

TOfficeWorkbook readXls(const QString& FileName)
{
    const void* h = nullptr;
    const QByteArray path = QFile::encodeName(FileName);
    struct TClose {
        const void*& H;
        ~TClose()
        {
            if (H)
                freexl_close(H);
        }
    } close{h};
    unsigned int count = 0;
    if (freexl_open(path.constData(), &h) != FREEXL_OK || freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        corrupt(FileName);
    TOfficeWorkbook book;
    for (unsigned short i = 0; i < count; ++i) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(h, i, &name) != FREEXL_OK || freexl_select_active_worksheet(h, i) != FREEXL_OK
            || freexl_worksheet_dimensions(h, &rows, &cols) != FREEXL_OK)
            corrupt(FileName);
        TOfficeSheet sheet;
        sheet.Name = QString::fromUtf8(name);
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(h, r, c, &cell) != FREEXL_OK)
                    continue;
                TOfficeValue v;
                switch (cell.type) {
                case FREEXL_CELL_INT: v.Kind = TOfficeValue::ovNumber; v.Number = cell.value.int_value; break;
                case FREEXL_CELL_DOUBLE: v.Kind = TOfficeValue::ovNumber; v.Number = cell.value.double_value; break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: v.Kind = TOfficeValue::ovText; v.Text = QString::fromUtf8(cell.value.text_value); break;
                default: continue; // no value
                }
                sheet.Set(int(r), int(c), std::move(v));
            }
        book.Sheets.push_back(std::move(sheet));
    }
    return book;
}

} // namespace

TOfficeWorkbook ReadXlsx(const QByteArray& Zip)
{
    const TZip zip(Zip);
    QByteArray part;
    if (!zip.IsOpen() || !zip.Read(QStringLiteral("xl/workbook.xml"), part))
        throw std::runtime_error("zip");
    // The sheets in their order, each with its relationship to the part holding it.
    TOfficeWorkbook book;
    QStringList relIds;
    {
        QXmlStreamReader x(part);
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("sheet")) {
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
            }
        }
    }
    QHash<QString, QString> targets;
    if (zip.Read(QStringLiteral("xl/_rels/workbook.xml.rels"), part)) {
        QXmlStreamReader x(part);
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("Relationship")) {
                QString t = attr(x, QLatin1String("Target"));
                t = t.startsWith(QLatin1Char('/')) ? t.mid(1) : QStringLiteral("xl/") + t;
                targets.insert(attr(x, QLatin1String("Id")), t);
            }
    }
    QStringList shared;
    if (zip.Read(QStringLiteral("xl/sharedStrings.xml"), part)) {
        QXmlStreamReader x(part);
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("si"))
                shared << runText(x);
    }
    for (std::size_t i = 0; i < book.Sheets.size(); ++i) {
        const QString target = targets.value(relIds.at(qsizetype(i)),
                                             QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1));
        if (zip.Read(target, part))
            readSheet(part, shared, book.Sheets[i]);
    }
    if (book.ActiveSheet < 0 || book.ActiveSheet >= int(book.Sheets.size()))
        book.ActiveSheet = 0;
    return book;
}

TOfficeWorkbook ReadWorkbook(const QString& FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Cannot open file ") + FileName);
    const QByteArray head = f.peek(8);
    if (head.startsWith("PK")) {
        try {
            return ReadXlsx(f.readAll());
        } catch (const std::runtime_error&) {
            corrupt(FileName);
        }
    }
    if (head.startsWith("\xD0\xCF\x11\xE0"))
        return readXls(FileName);
    corrupt(FileName);
}

void WriteXlsx(const QString& FileName, const TOfficeWorkbook& Book)
{
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
        for (std::size_t r = 0; r < s.Rows.size() && failure.isEmpty(); ++r)
            for (std::size_t c = 0; c < s.Rows[r].size(); ++c) {
                const TOfficeValue& v = s.Rows[r][c];
                lxw_error e = LXW_NO_ERROR;
                switch (v.Kind) {
                case TOfficeValue::ovText:
                    e = worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), v.Text.toUtf8().constData(), nullptr);
                    break;
                case TOfficeValue::ovNumber: e = worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), v.Number, nullptr); break;
                case TOfficeValue::ovBool: e = worksheet_write_boolean(ws, lxw_row_t(r), lxw_col_t(c), v.Number != 0, nullptr); break;
                default: break;
                }
                if (e != LXW_NO_ERROR) {
                    failure = QStringLiteral("Komórka %1%2 arkusza \"%3\": %4")
                                  .arg(ColumnLetters(int(c) + 1)).arg(r + 1).arg(s.Name, QString::fromUtf8(lxw_strerror(e)));
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
