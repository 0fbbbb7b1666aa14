// One sheet saved into an existing .xlsx package: that sheet's part is rewritten (the cells
// of the written block replaced, the rest of the part kept as it was), a new sheet is added
// to the workbook, its relations and content types; libzip copies every other part without
// unpacking it, and writes the package beside the file before putting it in its place.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridWorkbook.h"

#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <functional>
#include <list>
#include <zip.h>

namespace grid {

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
            throw ETxGridError(InflatedTooLargeMessage(FileName));
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
            out += QLatin1String("_x") + QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0')) + QLatin1Char('_');
        else if (u == u'_' && i + 6 < Text.size() && Text.at(i + 1) == QLatin1Char('x') && Text.at(i + 6) == QLatin1Char('_'))
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

// One cell as the format holds it, its elements with prefix P; Style is the old cell's format
// kept (an empty value keeps only that, or nothing).
QString cellXml(const QString& P, const QString& Ref, const TOfficeValue& V, const QString& Style)
{
    const QString open = QLatin1Char('<') + P + QLatin1String("c r=\"") + Ref + QLatin1Char('"')
                         + (Style.isEmpty() ? QString() : QLatin1String(" s=\"") + escaped(Style) + QLatin1Char('"'));
    if (V.Kind == TOfficeValue::ovText)
        return open + QLatin1String(" t=\"inlineStr\"><") + P + QLatin1String("is><") + P
               + QLatin1String("t xml:space=\"preserve\">") + escaped(V.Text) + QLatin1String("</") + P + QLatin1String("t></")
               + P + QLatin1String("is></") + P + QLatin1String("c>");
    if (V.Kind == TOfficeValue::ovNumber || V.Kind == TOfficeValue::ovBool)
        return open + (V.Kind == TOfficeValue::ovBool ? QLatin1String(" t=\"b\"><") : QLatin1String("><")) + P
               + QLatin1String("v>") + QString::number(V.Number, 'g', QLocale::FloatingPointShortest) + QLatin1String("</") + P
               + QLatin1String("v></") + P + QLatin1String("c>");
    return Style.isEmpty() ? QString() : open + QLatin1String("/>");
}

// The <sheetData> of a new sheet, its elements with prefix P.
QString sheetData(const TOfficeSheet& Sheet, const QString& P)
{
    QString out = QLatin1Char('<') + P + QLatin1String("sheetData>");
    for (const auto& [row, cells] : Sheet.Rows) {
        const QString r = QString::number(row + 1);
        out += QLatin1Char('<') + P + QLatin1String("row r=\"") + r + QLatin1String("\">");
        for (const TOfficeCell& c : cells)
            out += cellXml(P, ColumnLetters(c.Col + 1) + r, c.Value, QString());
        out += QLatin1String("</") + P + QLatin1String("row>");
    }
    return out + QLatin1String("</") + P + QLatin1String("sheetData>");
}

// The rows and cells of an existing <sheetData>, as places in the part's text.
struct TOldCell {
    int Col = 0;
    qsizetype Begin = 0, End = 0;
    QString Style;
    bool Formula = false, Master = false; // Master: other cells share its formula (or array)
};
struct TOldRow {
    int Row = 0;
    qsizetype Begin = 0, TagEnd = 0, End = 0;
    std::vector<TOldCell> Cells;
};

// The rows of a sheet part's <sheetData>, whose place goes to Data (not found: none).
std::vector<TOldRow> oldRows(const QString& Xml, TSpan& Data)
{
    std::vector<TOldRow> rows;
    QXmlStreamReader x(Xml);
    int depth = -1, row = -1, nextCol = 0; // depth below <sheetData>; -1 before it
    while (!x.atEnd()) {
        x.readNext();
        const qsizetype at = qsizetype(x.characterOffset());
        if (x.isStartElement()) {
            if (depth < 0) {
                if (x.name() == QLatin1String("sheetData")) {
                    depth = 0;
                    Data.Begin = Xml.lastIndexOf(QLatin1Char('<'), at - 1);
                    Data.QName = x.qualifiedName().toString();
                }
                continue;
            }
            ++depth;
            Data.Formulas = Data.Formulas || x.name() == QLatin1String("f");
            int col = nextCol, r = row;
            if (depth == 1 && x.name() == QLatin1String("row")) {
                bool ok = false;
                const int n = x.attributes().value(QLatin1String("r")).toInt(&ok);
                row = ok ? n - 1 : row + 1;
                nextCol = 0;
                rows.push_back({row, Xml.lastIndexOf(QLatin1Char('<'), at - 1), at, at, {}});
            } else if (depth == 2 && x.name() == QLatin1String("c") && !rows.empty()) {
                const QStringView ref = x.attributes().value(QLatin1String("r"));
                if (!ref.isEmpty()) {
                    qsizetype i = 0;
                    while (i < ref.size() && ref[i].isLetter())
                        ++i;
                    col = ColumnNumber(ref.left(i).toString()) - 1;
                    r = ref.mid(i).toInt() - 1;
                    if (col < 0 || r != row)
                        throw std::runtime_error("ref");
                }
                nextCol = col + 1;
                rows.back().Cells.push_back({col, Xml.lastIndexOf(QLatin1Char('<'), at - 1), at,
                                             x.attributes().value(QLatin1String("s")).toString(), false, false});
            } else if (depth == 3 && x.name() == QLatin1String("f") && !rows.empty() && !rows.back().Cells.empty()) {
                TOldCell& c = rows.back().Cells.back();
                c.Formula = true;
                c.Master = x.attributes().value(QLatin1String("ref")).contains(QLatin1Char(':'))
                           || (x.attributes().value(QLatin1String("t")) == QLatin1String("shared")
                               && x.attributes().hasAttribute(QLatin1String("ref")));
            }
        } else if (x.isEndElement() && depth >= 0) {
            if (depth == 0) {
                Data.End = at;
                return rows;
            }
            if (depth == 1 && !rows.empty())
                rows.back().End = at;
            else if (depth == 2 && !rows.empty() && !rows.back().Cells.empty())
                rows.back().Cells.back().End = at;
            --depth;
        }
    }
    throw std::runtime_error("xml");
}

// The <sheetData> of an existing sheet with the block Written replaced by the cells of Sheet
// there: rows and cells outside it stay as they were (formulas, dates, formats), a replaced
// cell keeps its format. Empty when the block cuts through a formula other cells share:
// the caller then writes the whole sheet anew. Formulas is set when one was replaced.
QString mergedSheetData(const QString& Xml, const TSpan& Data, const std::vector<TOldRow>& Rows, const TOfficeSheet& Sheet,
                        const TOfficeRange& Written, bool& Formulas)
{
    const QString p = prefixOf(Data.QName);
    const std::vector<TOldRow>& rows = Rows;
    const bool emptyData = Xml.mid(Data.End - 2, 2) == QLatin1String("/>");
    const qsizetype dataTag = emptyData ? Data.End : Xml.indexOf(QLatin1Char('>'), Data.Begin) + 1;
    QString out = emptyData ? QLatin1Char('<') + p + QLatin1String("sheetData>") : Xml.mid(Data.Begin, dataTag - Data.Begin);
    out.reserve(Data.End - Data.Begin + 64 * qsizetype(Sheet.CellCount()) + 64);
    // The new cells of a row of the block, in column order.
    auto newCells = [&](int Row) {
        std::vector<const TOfficeCell*> cells;
        const auto r = Sheet.Rows.find(Row);
        if (r != Sheet.Rows.end())
            for (const TOfficeCell& c : r->second)
                if (Written.Contains(Row, c.Col))
                    cells.push_back(&c);
        return cells;
    };
    auto writeNewRow = [&](int Row) {
        const std::vector<const TOfficeCell*> cells = newCells(Row);
        if (cells.empty())
            return;
        const QString r = QString::number(Row + 1);
        out += QLatin1Char('<') + p + QLatin1String("row r=\"") + r + QLatin1String("\">");
        for (const TOfficeCell* c : cells)
            out += cellXml(p, ColumnLetters(c->Col + 1) + r, c->Value, QString());
        out += QLatin1String("</") + p + QLatin1String("row>");
    };
    int nextNew = Written.Row1;
    for (const TOldRow& old : rows) {
        for (; nextNew <= Written.Row2 && nextNew < old.Row; ++nextNew)
            writeNewRow(nextNew);
        if (old.Row < Written.Row1 || old.Row > Written.Row2) {
            out += Xml.mid(old.Begin, old.End - old.Begin);
            continue;
        }
        nextNew = std::max(nextNew, old.Row + 1);
        const bool emptyRow = Xml.mid(old.TagEnd - 2, 2) == QLatin1String("/>");
        // The row's tag as it was, less its "spans" (a hint of its columns that may now be wrong).
        static const QRegularExpression spans(QStringLiteral("\\sspans=(\"[^\"]*\"|'[^']*')"));
        QString tag = emptyRow ? Xml.mid(old.Begin, old.TagEnd - 2 - old.Begin) + QLatin1Char('>')
                               : Xml.mid(old.Begin, old.TagEnd - old.Begin);
        out += tag.remove(spans);
        const std::vector<const TOfficeCell*> cells = newCells(old.Row);
        const QString r = QString::number(old.Row + 1);
        std::size_t k = 0;
        static const TOfficeValue empty;
        for (const TOldCell& c : old.Cells) {
            for (; k < cells.size() && cells[k]->Col < c.Col; ++k)
                out += cellXml(p, ColumnLetters(cells[k]->Col + 1) + r, cells[k]->Value, QString());
            if (!Written.Contains(old.Row, c.Col)) {
                out += Xml.mid(c.Begin, c.End - c.Begin);
                continue;
            }
            if (c.Master)
                return QString();
            Formulas = Formulas || c.Formula;
            const bool same = k < cells.size() && cells[k]->Col == c.Col;
            out += cellXml(p, ColumnLetters(c.Col + 1) + r, same ? cells[k]->Value : empty, c.Style);
            if (same)
                ++k;
        }
        for (; k < cells.size(); ++k)
            out += cellXml(p, ColumnLetters(cells[k]->Col + 1) + r, cells[k]->Value, QString());
        out += QLatin1String("</") + p + QLatin1String("row>");
    }
    for (; nextNew <= Written.Row2; ++nextNew)
        writeNewRow(nextNew);
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
        const zip_int64_t index = src ? zip_file_add(FZip, Part.toUtf8().constData(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(src);
            throw ETxGridError(QStringLiteral("Cannot Create file ") + FFileName);
        }
        // zlib's usual level: libzip's own (the best) takes seconds on a large sheet.
        zip_set_file_compression(FZip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
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

void saveSheet(const QString& FileName, const TOfficeSheet& Sheet, const TOfficeRange& Written)
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
        TSpan data;
        const std::vector<TOldRow> rows = oldRows(old, data);
        if (!data.Found())
            Corrupt(FileName);
        bool formulas = false;
        QString cells = mergedSheetData(old, data, rows, Sheet, Written, formulas);
        if (cells.isEmpty()) { // a shared formula cut: the sheet's values as they are
            cells = sheetData(Sheet, prefixOf(data.QName));
            formulas = data.Formulas;
        }
        pkg.Put(part, old.left(data.Begin) + cells + old.mid(data.End));
        // The calculation chain lists the formulas that were there: dropped (it is rebuilt
        // by the spreadsheet), so that no cell of it points at a value.
        const QString chain = QStringLiteral("xl/calcChain.xml");
        const zip_int64_t chainIndex = zip_name_locate(pkg.Z(), chain.toUtf8().constData(), 0);
        if (formulas && chainIndex >= 0) {
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

QString BiffRefusedMessage(const QString& FileName)
{
    return QStringLiteral("Plik %1 jest skoroszytem .xls (Excel 97–2003), którego program nie zapisuje: "
                          "arkusz nie został zapisany, a plik pozostał bez zmian. Zapisz arkusz do pliku .xlsx.")
        .arg(FileName);
}

void SaveSheetIntoPackage(const QString& FileName, const TOfficeSheet& Sheet, const TOfficeRange& Written)
{
    const QByteArray head = FileHead(FileName);
    if (IsBiff(head))
        throw ETxGridError(BiffRefusedMessage(FileName));
    if (!head.startsWith("PK"))
        Corrupt(FileName);
    Guarded(FileName, QStringLiteral("Za mało pamięci, by zapisać skoroszyt %1.").arg(FileName),
            [&] { saveSheet(FileName, Sheet, Written); });
}

} // namespace grid
