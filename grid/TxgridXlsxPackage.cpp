// The .xlsx package through libzip: parts streamed into the XML reader under the read
// budget, and one sheet saved into an existing package with every other part kept as it is
// (libzip copies unchanged entries without unpacking them).
#include "grid/TxgridError.h"
#include "grid/TxgridWorkbook.h"

#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QLocale>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <list>
#include <new>
#include <zip.h>

namespace grid {

// --- limits --------------------------------------------------------------------------------

QString GroupedNumber(qint64 N)
{
    QString digits = QString::number(N);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return digits;
}

QString RangeTooLargeMessage(const QString& Range)
{
    return QStringLiteral("Zakres %1 arkusza jest za duży: siatka wczytuje najwyżej %2 komórek.")
        .arg(Range, GroupedNumber(kGridMaxRangeCells));
}

void Corrupt(const QString& FileName)
{
    throw ETxGridError(QStringLiteral("File contains no data or corrupt file ") + FileName);
}

QByteArray FileHead(const QString& FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Cannot open file ") + FileName);
    return f.peek(8);
}

namespace {

QString inflatedTooLarge(const QString& FileName)
{
    return QStringLiteral("Skoroszyt %1 jest za duży: jego rozpakowana treść przekracza %2 MiB.")
        .arg(FileName, GroupedNumber(kWorkbookMaxInflated >> 20));
}

constexpr qint64 kMaxToken = qint64(16) << 20;

} // namespace

void TReadBudget::AddInflated(qint64 N)
{
    Inflated += N;
    if (Inflated > kWorkbookMaxInflated)
        throw ETxGridError(inflatedTooLarge(FileName));
}

void TReadBudget::AddCell()
{
    if (++Cells > kWorkbookMaxCells)
        throw ETxGridError(QStringLiteral("Skoroszyt %1 jest za duży: ma więcej niż %2 niepustych komórek.")
                               .arg(FileName, GroupedNumber(qint64(kWorkbookMaxCells))));
}

void TReadBudget::AddText(qint64 N)
{
    Text += N;
    if (Text > kWorkbookMaxText)
        throw ETxGridError(QStringLiteral("Skoroszyt %1 jest za duży: tekst jego komórek przekracza %2 znaków.")
                               .arg(FileName, GroupedNumber(kWorkbookMaxText)));
}

// --- the package, read -----------------------------------------------------------------------

TPackage::TPackage(const QString& FileName)
{
    int err = 0;
    FZip = zip_open(QFile::encodeName(FileName).constData(), ZIP_RDONLY, &err);
}

TPackage::TPackage(const QByteArray& Bytes)
{
    zip_error_t err;
    zip_error_init(&err);
    // libzip keeps reading the buffer while the archive is open: it holds its own copy.
    void* copy = std::malloc(std::size_t(std::max<qsizetype>(Bytes.size(), 1)));
    if (copy) {
        std::memcpy(copy, Bytes.constData(), std::size_t(Bytes.size()));
        zip_source_t* src = zip_source_buffer_create(copy, zip_uint64_t(Bytes.size()), 1, &err);
        if (!src)
            std::free(copy);
        else if (!(FZip = zip_open_from_source(src, ZIP_RDONLY, &err)))
            zip_source_free(src);
    }
    zip_error_fini(&err);
}

TPackage::~TPackage()
{
    if (FZip)
        zip_discard(FZip);
}

bool TPackage::Has(const QString& Part) const
{
    return FZip && zip_name_locate(FZip, Part.toUtf8().constData(), 0) >= 0;
}

// The part as a sequential device: zip_fread in the chunks the XML reader asks for. A limit
// passed is no exception here (it would cross Qt's frames): the read fails and Finish() tells.
class TPartReader::TDevice : public QIODevice {
public:
    TDevice(zip_file_t* File, TReadBudget& Budget) : FFile(File), FBudget(Budget) { open(QIODevice::ReadOnly); }
    ~TDevice() override
    {
        if (FFile)
            zip_fclose(FFile);
    }
    bool isSequential() const override { return true; }
    QString Failure;
    qint64 SinceToken = 0;

protected:
    qint64 readData(char* Data, qint64 Max) override
    {
        if (!Failure.isEmpty())
            return -1;
        const zip_int64_t n = zip_fread(FFile, Data, zip_uint64_t(Max));
        if (n < 0) {
            Failure = QStringLiteral("corrupt");
            return -1;
        }
        SinceToken += n;
        if (FBudget.Inflated + n > kWorkbookMaxInflated)
            Failure = inflatedTooLarge(FBudget.FileName);
        else if (SinceToken > kMaxToken)
            Failure = QStringLiteral("Skoroszyt %1 jest uszkodzony: jeden element XML przekracza %2 MiB.")
                          .arg(FBudget.FileName, GroupedNumber(kMaxToken >> 20));
        if (!Failure.isEmpty())
            return -1;
        FBudget.Inflated += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* FFile;
    TReadBudget& FBudget;
};

TPartReader::TPartReader(const TPackage& Package, const QString& Part, TReadBudget& Budget)
{
    zip_file_t* f = Package.IsOpen() ? zip_fopen(Package.Handle(), Part.toUtf8().constData(), 0) : nullptr;
    if (f) {
        FDevice = std::make_unique<TDevice>(f, Budget);
        X.setDevice(FDevice.get());
    }
}

TPartReader::~TPartReader() = default;

bool TPartReader::IsOpen() const { return FDevice != nullptr; }

QXmlStreamReader::TokenType TPartReader::Next()
{
    const QXmlStreamReader::TokenType t = X.readNext();
    if (FDevice)
        FDevice->SinceToken = 0;
    return t;
}

void TPartReader::Finish()
{
    if (FDevice && !FDevice->Failure.isEmpty() && FDevice->Failure != QLatin1String("corrupt"))
        throw ETxGridError(FDevice->Failure);
    if (X.hasError() || (FDevice && !FDevice->Failure.isEmpty()))
        throw std::runtime_error("part");
}

// --- one sheet saved into the package --------------------------------------------------------

namespace {

const QLatin1String kRelNs("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QLatin1String kWorksheetType("http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet");
const QLatin1String kWorksheetContent("application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");

// A part's bytes whole: the small parts a save edits and the sheet it replaces.
bool readWhole(zip_t* Z, const QString& Name, const QString& FileName, QByteArray& Out)
{
    zip_file_t* f = zip_fopen(Z, Name.toUtf8().constData(), 0);
    if (!f)
        return false;
    Out.clear();
    char buf[65536];
    zip_int64_t n = 0;
    while ((n = zip_fread(f, buf, sizeof buf)) > 0) {
        if (Out.size() + n > kWorkbookMaxInflated) {
            zip_fclose(f);
            throw ETxGridError(inflatedTooLarge(FileName));
        }
        Out.append(buf, qsizetype(n));
    }
    zip_fclose(f);
    if (n < 0)
        throw std::runtime_error("part");
    return true;
}

// Text for XML: markup escaped, characters XML cannot hold written as the format's _xHHHH_
// (and a literal "_x" escape pattern protected by _x005F_).
QString escaped(const QString& Text)
{
    QString out;
    out.reserve(Text.size());
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const char16_t u = Text.at(i).unicode();
        if (u == u'&')
            out += QLatin1String("&amp;");
        else if (u == u'<')
            out += QLatin1String("&lt;");
        else if (u == u'>')
            out += QLatin1String("&gt;");
        else if (u == u'"')
            out += QLatin1String("&quot;");
        else if ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF
                 || (QChar::isSurrogate(u) && !(QChar::isHighSurrogate(u) && i + 1 < Text.size() && Text.at(i + 1).isLowSurrogate())
                     && !(QChar::isLowSurrogate(u) && i > 0 && Text.at(i - 1).isHighSurrogate())))
            out += QStringLiteral("_x%1_").arg(int(u), 4, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("_X"), QLatin1String("_x"));
        else if (u == u'_' && Text.mid(i, 7).size() == 7 && Text.at(i + 1) == QLatin1Char('x') && Text.at(i + 6) == QLatin1Char('_'))
            out += QLatin1String("_x005F_");
        else
            out += QChar(u);
    }
    return out;
}

// Where an element stands in an XML text: from its "<" to just after its end.
struct TSpan {
    qsizetype Begin = -1, End = -1;
    QString QName;
    bool Formulas = false; // an <f> inside
    bool Found() const { return Begin >= 0; }
};

TSpan findElement(const QString& Xml, const std::function<bool(const QXmlStreamReader&)>& Match)
{
    QXmlStreamReader x(Xml);
    TSpan span;
    int depth = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (span.Found()) {
                ++depth;
                span.Formulas = span.Formulas || x.name() == QLatin1String("f");
            } else if (Match(x)) {
                span.Begin = Xml.lastIndexOf(QLatin1Char('<'), qsizetype(x.characterOffset()) - 1);
                span.QName = x.qualifiedName().toString();
            }
        } else if (x.isEndElement() && span.Found()) {
            if (depth-- == 0) {
                span.End = qsizetype(x.characterOffset());
                return span;
            }
        }
    }
    if (x.hasError())
        throw std::runtime_error("xml");
    return TSpan();
}

TSpan findNamed(const QString& Xml, const char* Name)
{
    return findElement(Xml, [Name](const QXmlStreamReader& x) { return x.name() == QLatin1String(Name); });
}

// Xml with Content put last inside the element at Container.
QString insertInto(const QString& Xml, const TSpan& Container, const QString& Content)
{
    if (Xml.mid(Container.End - 2, 2) == QLatin1String("/>"))
        return Xml.left(Container.End - 2) + QLatin1Char('>') + Content + QLatin1String("</") + Container.QName
               + QLatin1Char('>') + Xml.mid(Container.End);
    const qsizetype close = Xml.lastIndexOf(QLatin1String("</"), Container.End - 1);
    return Xml.left(close) + Content + Xml.mid(close);
}

QString without(const QString& Xml, const TSpan& Span)
{
    return Span.Found() ? Xml.left(Span.Begin) + Xml.mid(Span.End) : Xml;
}

// The prefix ("x:" or "") of an element's qualified name.
QString prefixOf(const QString& QName)
{
    const qsizetype colon = QName.indexOf(QLatin1Char(':'));
    return colon < 0 ? QString() : QName.left(colon + 1);
}

// The <sheetData> of a sheet, its elements with Prefix.
QString sheetData(const TOfficeSheet& Sheet, const QString& Prefix)
{
    const QString p = Prefix;
    QString out = QLatin1Char('<') + p + QLatin1String("sheetData>");
    for (const auto& [row, cells] : Sheet.Rows) {
        const QString r = QString::number(row + 1);
        out += QLatin1Char('<') + p + QLatin1String("row r=\"") + r + QLatin1String("\">");
        for (const TOfficeCell& c : cells) {
            const QString ref = ColumnLetters(c.Col + 1) + r;
            const TOfficeValue& v = c.Value;
            if (v.Kind == TOfficeValue::ovText)
                out += QLatin1Char('<') + p + QLatin1String("c r=\"") + ref + QLatin1String("\" t=\"inlineStr\"><") + p
                       + QLatin1String("is><") + p + QLatin1String("t xml:space=\"preserve\">") + escaped(v.Text)
                       + QLatin1String("</") + p + QLatin1String("t></") + p + QLatin1String("is></") + p + QLatin1String("c>");
            else if (v.Kind == TOfficeValue::ovNumber || v.Kind == TOfficeValue::ovBool)
                out += QLatin1Char('<') + p + QLatin1String("c r=\"") + ref
                       + (v.Kind == TOfficeValue::ovBool ? QLatin1String("\" t=\"b\"><") : QLatin1String("\"><")) + p
                       + QLatin1String("v>") + QString::number(v.Number, 'g', QLocale::FloatingPointShortest)
                       + QLatin1String("</") + p + QLatin1String("v></") + p + QLatin1String("c>");
        }
        out += QLatin1String("</") + p + QLatin1String("row>");
    }
    return out + QLatin1String("</") + p + QLatin1String("sheetData>");
}

bool validSheetName(const QString& Name)
{
    static const QString bad = QStringLiteral("[]:*?/\\");
    if (Name.isEmpty() || Name.size() > 31 || Name.startsWith(QLatin1Char('\'')) || Name.endsWith(QLatin1Char('\'')))
        return false;
    for (const QChar c : Name)
        if (bad.contains(c))
            return false;
    return true;
}

// The package open for writing; discarded (the file left as it was) unless closed.
class TWritablePackage {
public:
    explicit TWritablePackage(const QString& FileName) : FFileName(FileName)
    {
        int err = 0;
        FZip = zip_open(QFile::encodeName(FileName).constData(), 0, &err);
        if (!FZip)
            Corrupt(FileName);
    }
    ~TWritablePackage()
    {
        if (FZip)
            zip_discard(FZip);
    }
    zip_t* Z() const { return FZip; }
    QString Text(const QString& Part)
    {
        QByteArray bytes;
        if (!readWhole(FZip, Part, FFileName, bytes))
            Corrupt(FFileName);
        return QString::fromUtf8(bytes);
    }
    // Part becomes Text (added when missing); the bytes live until the package is closed.
    void Put(const QString& Part, const QString& Text)
    {
        FKeep.push_back(Text.toUtf8());
        const QByteArray& b = FKeep.back();
        zip_source_t* src = zip_source_buffer(FZip, b.constData(), zip_uint64_t(b.size()), 0);
        if (!src || zip_file_add(FZip, Part.toUtf8().constData(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(src);
            throw ETxGridError(QStringLiteral("Cannot Create file ") + FFileName);
        }
    }
    void Close()
    {
        if (zip_close(FZip) != 0)
            throw ETxGridError(QStringLiteral("Cannot Create file ") + FFileName);
        FZip = nullptr;
    }

private:
    QString FFileName;
    zip_t* FZip = nullptr;
    std::list<QByteArray> FKeep;
};

struct TSheetEntry {
    QString Name, Id, RelId;
};

void saveSheet(const QString& FileName, const TOfficeSheet& Sheet)
{
    TWritablePackage pkg(FileName);
    const QString workbookPart = QStringLiteral("xl/workbook.xml"), relsPart = QStringLiteral("xl/_rels/workbook.xml.rels"),
                  typesPart = QStringLiteral("[Content_Types].xml");
    QString workbook = pkg.Text(workbookPart), rels = pkg.Text(relsPart);
    // The sheets, the namespaces the workbook uses, the relations' targets.
    std::vector<TSheetEntry> sheets;
    QString mainNs, relPrefix;
    {
        QXmlStreamReader x(workbook);
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (mainNs.isEmpty()) {
                mainNs = x.namespaceUri().toString();
                for (const QXmlStreamNamespaceDeclaration& d : x.namespaceDeclarations())
                    if (d.namespaceUri().endsWith(QLatin1String("/relationships")) && !d.prefix().isEmpty())
                        relPrefix = d.prefix().toString();
            }
            if (x.name() == QLatin1String("sheet")) {
                TSheetEntry e{x.attributes().value(QLatin1String("name")).toString(),
                              x.attributes().value(QLatin1String("sheetId")).toString(), QString()};
                for (const QXmlStreamAttribute& a : x.attributes())
                    if (a.name() == QLatin1String("id") && a.namespaceUri().endsWith(QLatin1String("/relationships")))
                        e.RelId = a.value().toString();
                sheets.push_back(e);
            }
        }
        if (x.hasError())
            Corrupt(FileName);
    }
    QHash<QString, QString> targets;
    QString worksheetType = kWorksheetType;
    {
        QXmlStreamReader x(rels);
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("Relationship")) {
                QString t = x.attributes().value(QLatin1String("Target")).toString();
                t = t.startsWith(QLatin1Char('/')) ? t.mid(1) : QStringLiteral("xl/") + t;
                targets.insert(x.attributes().value(QLatin1String("Id")).toString(), t);
                const QString type = x.attributes().value(QLatin1String("Type")).toString();
                if (type.endsWith(QLatin1String("/worksheet")))
                    worksheetType = type;
            }
        if (x.hasError())
            Corrupt(FileName);
    }
    // The sheet of that name (the last of equal names), else of that name in other letter case.
    int found = -1;
    for (int i = 0; i < int(sheets.size()); ++i)
        if (sheets[std::size_t(i)].Name == Sheet.Name)
            found = i;
    for (int i = 0; found < 0 && i < int(sheets.size()); ++i)
        if (sheets[std::size_t(i)].Name.compare(Sheet.Name, Qt::CaseInsensitive) == 0)
            found = i;

    if (found >= 0) {
        const QString part = targets.value(sheets[std::size_t(found)].RelId);
        if (part.isEmpty())
            Corrupt(FileName);
        const QString old = pkg.Text(part);
        const TSpan data = findNamed(old, "sheetData");
        if (!data.Found())
            Corrupt(FileName);
        pkg.Put(part, old.left(data.Begin) + sheetData(Sheet, prefixOf(data.QName)) + old.mid(data.End));
        // The calculation chain lists the formulas that were there: dropped (it is rebuilt
        // by the spreadsheet), so that no cell of it points at a value.
        const QString chain = QStringLiteral("xl/calcChain.xml");
        const zip_int64_t chainIndex = zip_name_locate(pkg.Z(), chain.toUtf8().constData(), 0);
        if (data.Formulas && chainIndex >= 0) {
            QString types = pkg.Text(typesPart);
            zip_delete(pkg.Z(), zip_uint64_t(chainIndex));
            pkg.Put(relsPart, without(rels, findElement(rels, [](const QXmlStreamReader& x) {
                                          return x.name() == QLatin1String("Relationship")
                                                 && x.attributes().value(QLatin1String("Type")).endsWith(QLatin1String("/calcChain"));
                                      })));
            pkg.Put(typesPart, without(types, findElement(types, [](const QXmlStreamReader& x) {
                                           return x.name() == QLatin1String("Override")
                                                  && x.attributes().value(QLatin1String("PartName")) == QLatin1String("/xl/calcChain.xml");
                                       })));
        }
    } else {
        if (!validSheetName(Sheet.Name))
            throw ETxGridError(QStringLiteral("Nieprawidłowa nazwa arkusza \"%1\"").arg(Sheet.Name));
        // A new part, a new relation and a new sheet id, each unused so far.
        int n = 1;
        while (zip_name_locate(pkg.Z(), QStringLiteral("xl/worksheets/sheet%1.xml").arg(n).toUtf8().constData(), 0) >= 0)
            ++n;
        const QString part = QStringLiteral("xl/worksheets/sheet%1.xml").arg(n);
        int rid = 1;
        while (targets.contains(QStringLiteral("rId%1").arg(rid)))
            ++rid;
        const QString relId = QStringLiteral("rId%1").arg(rid);
        int sheetId = 0;
        for (const TSheetEntry& e : sheets)
            sheetId = std::max(sheetId, e.Id.toInt());
        const TSpan sheetsSpan = findNamed(workbook, "sheets");
        const TSpan relsSpan = findNamed(rels, "Relationships");
        QString types = pkg.Text(typesPart);
        const TSpan typesSpan = findNamed(types, "Types");
        if (!sheetsSpan.Found() || !relsSpan.Found() || !typesSpan.Found())
            Corrupt(FileName);
        const QString p = prefixOf(sheetsSpan.QName);
        const QString idAttr = relPrefix.isEmpty() ? QStringLiteral("xmlns:tx=\"%1\" tx:id").arg(kRelNs) : relPrefix + QLatin1String(":id");
        pkg.Put(part, QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"")
                          + escaped(mainNs) + QLatin1String("\">") + sheetData(Sheet, QString()) + QLatin1String("</worksheet>"));
        pkg.Put(workbookPart, insertInto(workbook, sheetsSpan,
                                         QStringLiteral("<%1sheet name=\"%2\" sheetId=\"%3\" %4=\"%5\"/>")
                                             .arg(p, escaped(Sheet.Name)).arg(sheetId + 1).arg(idAttr, relId)));
        pkg.Put(relsPart, insertInto(rels, relsSpan,
                                     QStringLiteral("<%1Relationship Id=\"%2\" Type=\"%3\" Target=\"worksheets/sheet%4.xml\"/>")
                                         .arg(prefixOf(relsSpan.QName), relId, escaped(worksheetType)).arg(n)));
        pkg.Put(typesPart, insertInto(types, typesSpan,
                                      QStringLiteral("<%1Override PartName=\"/%2\" ContentType=\"%3\"/>")
                                          .arg(prefixOf(typesSpan.QName), part, kWorksheetContent)));
    }
    pkg.Close();
}

} // namespace

void SaveSheetIntoPackage(const QString& FileName, const TOfficeSheet& Sheet)
{
    const QByteArray head = FileHead(FileName);
    if (IsBiff(head))
        throw ETxGridError(QStringLiteral("Plik %1 jest skoroszytem .xls (Excel 97–2003), którego program nie zapisuje: "
                                          "arkusz nie został zapisany, a plik pozostał bez zmian. Zapisz arkusz do pliku .xlsx.")
                               .arg(FileName));
    if (!head.startsWith("PK"))
        Corrupt(FileName);
    Guarded(FileName, QStringLiteral("Za mało pamięci, by zapisać skoroszyt %1.").arg(FileName),
            [&] { saveSheet(FileName, Sheet); });
}

} // namespace grid
