// One sheet saved into an existing .xlsx package: that sheet's part is rewritten (the cells
// of the written block replaced, the rest of the part kept as it was), a new sheet is added
// to the workbook, its relations and content types. The stored results of formulas that can
// read the written cells are left out, so that a spreadsheet computes them when it opens the
// book. libzip copies every other part without unpacking it, and writes the package beside
// the file before putting it in its place.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridPackageFile.h"
#include "grid/files/TxgridSheetPart.h"
#include "grid/files/TxgridWorkbook.h"

#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <charconv>
#include <climits>
#include <functional>
#include <map>
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

// Text for an attribute or element of XML, escaped as the cells' texts are (AppendEscaped).
QString escaped(const QString& Text)
{
    QByteArray out;
    AppendEscaped(out, Text);
    return QString::fromUtf8(out);
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
    explicit TWritablePackage(const QString& FileName) : FFileName(FileName), FPackage(FileName), FZip(FPackage.Z()) {}
    zip_t* Z() const { return FZip; }
    QString Text(const QString& Part)
    {
        QByteArray bytes;
        if (!readWhole(FZip, Part, FFileName, bytes))
            Corrupt(FFileName);
        return QString::fromUtf8(bytes);
    }
    QByteArray Bytes(const QString& Part)
    {
        QByteArray bytes;
        if (!readWhole(FZip, Part, FFileName, bytes))
            Corrupt(FFileName);
        return bytes;
    }
    void Put(const QString& Part, const QString& Text) { Put(Part, Text.toUtf8()); }
    // Part becomes Bytes (added when missing); they live until the package is closed.
    void Put(const QString& Part, QByteArray Bytes)
    {
        FKeep.push_back(std::move(Bytes));
        const QByteArray& b = FKeep.back();
        const QByteArray name = Part.toUtf8();
        // The old entry goes and a new one comes: libzip ignores the level given for an entry
        // that was deflated already and deflates it again at its best.
        const zip_int64_t old = zip_name_locate(FZip, name.constData(), 0);
        if (old >= 0 && zip_delete(FZip, zip_uint64_t(old)) != 0)
            throw ETxGridError(QStringLiteral("Cannot Create file ") + FFileName);
        zip_source_t* src = zip_source_buffer(FZip, b.constData(), zip_uint64_t(b.size()), 0);
        const zip_int64_t index = src ? zip_file_add(FZip, name.constData(), src, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            zip_source_free(src);
            throw ETxGridError(QStringLiteral("Cannot Create file ") + FFileName);
        }
        // zlib's usual level: a tenth of a second on a large sheet, where the best level
        // takes seconds for a file hardly smaller.
        zip_set_file_compression(FZip, zip_uint64_t(index), ZIP_CM_DEFLATE, 6);
    }
    void Close() { FPackage.Close(); }

private:
    QString FFileName;
    TPackageFile FPackage;
    zip_t* FZip = nullptr;
    std::list<QByteArray> FKeep;
};

// --- cell formats for dates -----------------------------------------------------------------

// The start tag Tag with its attribute Name set to Value (added when missing).
QString withAttribute(QString Tag, const QString& Name, const QString& Value)
{
    const QRegularExpression re(
        QStringLiteral("\\s%1\\s*=\\s*(\"[^\"]*\"|'[^']*')").arg(QRegularExpression::escape(Name)));
    const QRegularExpressionMatch m = re.match(Tag);
    if (m.hasMatch())
        return Tag.replace(m.capturedStart(1), m.capturedLength(1), QLatin1Char('"') + Value + QLatin1Char('"'));
    const qsizetype end = Tag.endsWith(QLatin1String("/>")) ? Tag.size() - 2 : Tag.size() - 1;
    return Tag.insert(end, QLatin1Char(' ') + Name + QLatin1String("=\"") + Value + QLatin1Char('"'));
}

// Xml with the count="" of the element Span set to N.
QString withCount(const QString& Xml, const TSpan& Span, qsizetype N)
{
    const qsizetype tagEnd = Xml.indexOf(QLatin1Char('>'), Span.Begin) + 1;
    return Xml.left(Span.Begin)
        + withAttribute(Xml.mid(Span.Begin, tagEnd - Span.Begin), QStringLiteral("count"), QString::number(N))
        + Xml.mid(tagEnd);
}

// The children named Child of the first element named Parent, and that element's place.
std::vector<TSpan> children(const QString& Xml, const char* Parent, const char* Child, TSpan& Container)
{
    std::vector<TSpan> out;
    Container = TSpan();
    QXmlStreamReader x(Xml);
    int depth = -1;
    while (!x.atEnd()) {
        x.readNext();
        const qsizetype at = qsizetype(x.characterOffset());
        if (x.isStartElement()) {
            if (depth < 0 && Container.Found())
                continue;
            if (depth < 0 && x.name() == QLatin1String(Parent)) {
                Container.Begin = Xml.lastIndexOf(QLatin1Char('<'), at - 1);
                Container.QName = x.qualifiedName().toString();
                depth = 0;
                continue;
            }
            if (depth >= 0 && ++depth == 1 && x.name() == QLatin1String(Child))
                out.push_back({Xml.lastIndexOf(QLatin1Char('<'), at - 1), -1, x.qualifiedName().toString()});
        } else if (x.isEndElement() && depth >= 0) {
            if (depth == 0) {
                Container.End = at;
                depth = -1;
            } else if (depth-- == 1 && !out.empty() && out.back().End < 0) {
                out.back().End = at;
            }
        }
    }
    if (x.hasError())
        throw std::runtime_error("styles");
    return out;
}

// The cell formats of styles.xml, for dates written into a sheet: a date takes the format of
// the cell it replaces (the book's default when none) with a date number format in it. The
// formats added are found again by a later save rather than added twice.
class TDateStyles {
public:
    explicit TDateStyles(TWritablePackage& Package) : FPackage(Package) {}
    // The format index for a date of Form in a cell that had the format Base (empty: none);
    // empty when the book keeps no cell formats.
    QByteArray Style(std::string_view Base, TOfficeValue::TDateForm Form)
    {
        const auto key = std::make_pair(std::string(Base), int(Form));
        if (const auto found = FFound.find(key); found != FFound.end())
            return found->second;
        if (!FLoaded) {
            FLoaded = true;
            if (zip_name_locate(FPackage.Z(), kStylesPart, 0) >= 0)
                FXml = FPackage.Text(QLatin1String(kStylesPart));
        }
        QByteArray& style = FFound[key];
        TSpan list;
        if (FXml.isEmpty() || children(FXml, "cellXfs", "xf", list).empty())
            return style;
        const int fmt = numFmt(Form);
        const std::vector<TSpan> xfs = children(FXml, "cellXfs", "xf", list);
        bool ok = false;
        std::size_t base = QByteArray(Base.data(), qsizetype(Base.size())).toUInt(&ok);
        if (!ok || base >= xfs.size())
            base = 0;
        QString xf = FXml.mid(xfs[base].Begin, xfs[base].End - xfs[base].Begin);
        const qsizetype tagEnd = xf.indexOf(QLatin1Char('>')) + 1;
        xf = withAttribute(withAttribute(xf.left(tagEnd), QStringLiteral("numFmtId"), QString::number(fmt)),
                           QStringLiteral("applyNumberFormat"), QStringLiteral("1"))
            + xf.mid(tagEnd);
        for (std::size_t i = 0; i < xfs.size(); ++i)
            if (QStringView(FXml).mid(xfs[i].Begin, xfs[i].End - xfs[i].Begin) == xf)
                return style = QByteArray::number(qulonglong(i));
        FXml = withCount(insertInto(FXml, list, xf), list, qsizetype(xfs.size() + 1));
        FChanged = true;
        return style = QByteArray::number(qulonglong(xfs.size()));
    }
    void Save()
    {
        if (FChanged)
            FPackage.Put(QLatin1String(kStylesPart), FXml);
    }

private:
    static constexpr const char* kStylesPart = "xl/styles.xml";
    // The number format of Form: the book's own when it has the same code, else a new one.
    int numFmt(TOfficeValue::TDateForm Form)
    {
        const QLatin1String code(DateFormatCode(Form));
        TSpan list;
        const std::vector<TSpan> fmts = children(FXml, "numFmts", "numFmt", list);
        int last = 163; // the ids below 164 are the built-in formats
        for (const TSpan& f : fmts) {
            QXmlStreamReader x(FXml.mid(f.Begin, f.End - f.Begin));
            x.readNextStartElement();
            const int id = x.attributes().value(QLatin1String("numFmtId")).toInt();
            if (x.attributes().value(QLatin1String("formatCode")) == code)
                return id;
            last = std::max(last, id);
        }
        const TSpan sheet = findNamed(FXml, "styleSheet");
        const QString element = QStringLiteral("<%1numFmt numFmtId=\"%2\" formatCode=\"%3\"/>")
                                    .arg(prefixOf(sheet.QName))
                                    .arg(last + 1)
                                    .arg(code);
        if (list.Found()) {
            FXml = withCount(insertInto(FXml, list, element), list, qsizetype(fmts.size() + 1));
        } else {
            const qsizetype at = FXml.indexOf(QLatin1Char('>'), sheet.Begin) + 1;
            FXml.insert(at,
                        QStringLiteral("<%1numFmts count=\"1\">%2</%1numFmts>").arg(prefixOf(sheet.QName), element));
        }
        FChanged = true;
        return last + 1;
    }

    TWritablePackage& FPackage;
    QString FXml;
    bool FLoaded = false, FChanged = false;
    std::map<std::pair<std::string, int>, QByteArray> FFound;
};

// --- cells ---------------------------------------------------------------------------------

// The used range of a sheet as its cells are written.
struct TUsed {
    int Top = INT_MAX, Left = INT_MAX, Bottom = -1, Right = -1;
    void Add(int Row, int Col)
    {
        Top = std::min(Top, Row);
        Bottom = std::max(Bottom, Row);
        Left = std::min(Left, Col);
        Right = std::max(Right, Col);
    }
    QByteArray Ref() const
    {
        if (Bottom < 0)
            return "A1";
        const QByteArray first = ColumnLetters(Left + 1).toLatin1() + QByteArray::number(Top + 1);
        if (Top == Bottom && Left == Right)
            return first;
        return first + ':' + ColumnLetters(Right + 1).toLatin1() + QByteArray::number(Bottom + 1);
    }
};

// Cells as the format holds them, elements with the sheet's prefix.
class TCellWriter {
public:
    // From1904: the book counts its dates from 1904-01-01, 1462 days after the 1900 system.
    TCellWriter(QByteArray Prefix, TDateStyles& Styles, bool From1904)
        : P(std::move(Prefix)), FStyles(Styles), F1904(From1904)
    {}
    const QByteArray P;
    const QByteArray& Letters(int Col)
    {
        if (std::size_t(Col) >= FLetters.size())
            FLetters.resize(std::size_t(Col) + 1);
        QByteArray& l = FLetters[std::size_t(Col)];
        if (l.isEmpty())
            l = ColumnLetters(Col + 1).toLatin1();
        return l;
    }
    // The cell V at Col of the row numbered RowText; Style the old cell's format kept (an
    // empty value keeps only that, or nothing: false).
    bool Append(QByteArray& Out, const QByteArray& RowText, int Col, const TOfficeValue& V, std::string_view Style)
    {
        QByteArray dateStyle;
        bool asText = V.Kind == TOfficeValue::ovText;
        double number = V.Number;
        if (V.Kind == TOfficeValue::ovNumber && V.DateForm() != TOfficeValue::dfNone) {
            dateStyle = FStyles.Style(Style, V.DateForm());
            if (F1904 && V.DateForm() < TOfficeValue::dfTime)
                number -= 1462;
            if (dateStyle.isEmpty() || number < 0)
                asText = true; // a book without cell formats, a day before its first: the date as its text
            else
                Style = std::string_view(dateStyle.constData(), std::size_t(dateStyle.size()));
        }
        const bool value = asText || V.Kind == TOfficeValue::ovNumber || V.Kind == TOfficeValue::ovBool;
        if (!value && Style.empty())
            return false;
        Out += '<';
        Out += P;
        Out += "c r=\"";
        Out += Letters(Col);
        Out += RowText;
        Out += '"';
        if (!Style.empty()) {
            Out += " s=\"";
            Out.append(Style.data(), qsizetype(Style.size()));
            Out += '"';
        }
        if (asText) {
            // Blanks at either end or a line end are kept only where the text says so.
            const bool keep = !V.Text.isEmpty()
                && (V.Text.front().isSpace() || V.Text.back().isSpace() || V.Text.contains(QLatin1Char('\n')));
            Out += " t=\"inlineStr\"><" + P + "is><" + P + (keep ? "t xml:space=\"preserve\">" : "t>");
            AppendEscaped(Out, V.Text);
            Out += "</" + P + "t></" + P + "is></" + P + "c>";
        } else if (value) {
            if (V.Kind == TOfficeValue::ovBool)
                Out += " t=\"b\"";
            Out += "><" + P + "v>";
            char buf[64];
            const auto r = std::to_chars(buf, buf + sizeof buf, number);
            Out.append(buf, r.ptr - buf);
            Out += "</" + P + "v></" + P + "c>";
        } else {
            Out += "/>";
        }
        return true;
    }

private:
    TDateStyles& FStyles;
    bool F1904;
    std::vector<QByteArray> FLetters;
};

// The <sheetData> of a sheet written whole from Sheet.
QByteArray sheetData(const TOfficeSheet& Sheet, TCellWriter& W, TUsed& Used)
{
    QByteArray out = '<' + W.P + "sheetData>";
    out.reserve(qsizetype(Sheet.CellCount()) * 48 + 64);
    for (const auto& [row, cells] : Sheet.Rows) {
        const QByteArray r = QByteArray::number(row + 1);
        out += '<' + W.P + "row r=\"" + r + "\">";
        for (const TOfficeCell& c : cells)
            if (W.Append(out, r, c.Col, c.Value, {}))
                Used.Add(row, c.Col);
        out += "</" + W.P + "row>";
    }
    return out + "</" + W.P + "sheetData>";
}

// An old cell copied; Drop: a formula's cached result left out (and the type of that
// result), so that the spreadsheet computes it when it opens the book; Formula, when given,
// the <f> element in place of the cell's.
void copyCell(QByteArray& Out, const QByteArray& Xml, const TPartCell& C, bool Drop, const QByteArray& Formula = {})
{
    const char* d = Xml.constData();
    struct TCut {
        std::int32_t Begin, End;
        const QByteArray* With;
    };
    static const QByteArray nothing;
    TCut cuts[3];
    int n = 0;
    if (Drop && C.ValueBegin >= 0) {
        if (C.TypeBegin >= 0 && !QByteArrayView(d + C.TypeBegin, C.TypeEnd - C.TypeBegin).contains("inlineStr"))
            cuts[n++] = {C.TypeBegin, C.TypeEnd, &nothing};
        cuts[n++] = {C.ValueBegin, C.ValueEnd, &nothing};
    }
    if (!Formula.isEmpty() && C.FormulaBegin >= 0)
        cuts[n++] = {C.FormulaBegin, C.FormulaEnd, &Formula};
    std::sort(cuts, cuts + n, [](const TCut& a, const TCut& b) { return a.Begin < b.Begin; });
    std::int32_t at = C.Begin;
    for (int i = 0; i < n; ++i) {
        Out.append(d + at, cuts[i].Begin - at);
        Out += *cuts[i].With;
        at = cuts[i].End;
    }
    Out.append(d + at, C.End - at);
}

// The shared formulas the written block reaches: each of their cells outside it gets a
// formula of its own, the shared text with its references moved to the cell, as a
// spreadsheet does when a shared range is broken (a shared formula reaching into the block
// would give its text to the cells written there).
class TBrokenShares {
public:
    TBrokenShares(const TSheetPart& Part, const TOfficeRange& Written, QByteArray Prefix)
        : FPart(Part), FPrefix(std::move(Prefix))
    {
        for (const TFormulaBlock& b : Part.Blocks)
            if (b.Shared >= 0 && b.Row1 <= Written.Row2 && b.Row2 >= Written.Row1 && b.Col1 <= Written.Col2
                && b.Col2 >= Written.Col1)
                FBlocks.emplace(b.Shared, &b);
    }
    // The <f> element of the cell at Row, or empty when it keeps its own.
    QByteArray Formula(const TPartCell& C, int Row) const
    {
        if (C.Shared < 0 || FBlocks.empty())
            return {};
        const auto b = FBlocks.find(C.Shared);
        if (b == FBlocks.end())
            return {};
        const TFormulaBlock& m = *b->second;
        const std::string text = MovedFormula(FPart.Formulas[std::size_t(m.Formula)], Row - m.Row, C.Col - m.Col);
        QByteArray out = '<' + FPrefix + "f>";
        for (const char c : text)
            out += c == '&' ? QByteArray("&amp;")
                : c == '<'  ? QByteArray("&lt;")
                : c == '>'  ? QByteArray("&gt;")
                            : QByteArray(1, c);
        return out + "</" + FPrefix + "f>";
    }
    bool Any() const { return !FBlocks.empty(); }

private:
    const TSheetPart& FPart;
    QByteArray FPrefix;
    std::map<std::int32_t, const TFormulaBlock*> FBlocks;
};

// Which formulas of a sheet lose their cached result: in a sheet the written cells can reach,
// every formula that reads any cell (a shared formula's other cells read as its first does).
std::vector<char> droppedFormulas(const TSheetPart& Part, const std::vector<TFormulaRefs>& Refs, bool Reached)
{
    std::vector<char> drop(Part.Formulas.size(), 0);
    if (Reached)
        for (std::size_t i = 0; i < drop.size(); ++i)
            drop[i] = Part.Formulas[i].empty() || Refs[i].Refs;
    return drop;
}

bool dropped(const TPartCell& C, const std::vector<char>& Drop)
{
    return C.Formula >= 0 && Drop[std::size_t(C.Formula)];
}

// A sheet part with the cached results of the formulas Drop left out.
QByteArray withoutResults(const QByteArray& Xml, const TSheetPart& Part, const std::vector<char>& Drop)
{
    QByteArray out;
    out.reserve(Xml.size());
    std::int32_t at = 0;
    for (const TPartRow& row : Part.Rows)
        for (const TPartCell& c : row.Cells)
            if (dropped(c, Drop) && c.ValueBegin >= 0) {
                out.append(Xml.constData() + at, c.Begin - at);
                copyCell(out, Xml, c, true);
                at = c.End;
            }
    out.append(Xml.constData() + at, Xml.size() - at);
    return out;
}

// The <sheetData> of an existing sheet with the block Written replaced by the cells of Sheet
// there: rows and cells outside it stay as they were (formulas, dates, formats) but for the
// formula results Drop and the shared formulas Broken, a replaced cell keeps its format.
// Formulas is set when one was replaced.
QByteArray mergedSheetData(const QByteArray& Xml, const TSheetPart& Part, const TOfficeSheet& Sheet,
                           const TOfficeRange& Written, const std::vector<char>& Drop, const TBrokenShares& Broken,
                           TCellWriter& W, TUsed& Used, bool& Formulas)
{
    const QByteArray& p = W.P;
    const char* d = Xml.constData();
    QByteArray out =
        Part.DataEmpty ? '<' + p + "sheetData>" : QByteArray(d + Part.DataBegin, Part.DataTagEnd - Part.DataBegin);
    out.reserve(Part.DataEnd - Part.DataBegin + 48 * qsizetype(Sheet.CellCount()) + 64);
    // The new cells of a row of the block, in column order.
    std::vector<const TOfficeCell*> cells;
    auto newCells = [&](int Row) {
        cells.clear();
        const auto r = Sheet.Rows.find(Row);
        if (r != Sheet.Rows.end())
            for (const TOfficeCell& c : r->second)
                if (Written.Contains(Row, c.Col))
                    cells.push_back(&c);
    };
    auto writeNewRow = [&](int Row) {
        newCells(Row);
        if (cells.empty())
            return;
        const QByteArray r = QByteArray::number(Row + 1);
        out += '<' + p + "row r=\"" + r + "\">";
        for (const TOfficeCell* c : cells)
            if (W.Append(out, r, c->Col, c->Value, {}))
                Used.Add(Row, c->Col);
        out += "</" + p + "row>";
    };
    int nextNew = Written.Row1;
    for (const TPartRow& old : Part.Rows) {
        for (; nextNew <= Written.Row2 && nextNew < old.Row; ++nextNew)
            writeNewRow(nextNew);
        if (old.Row < Written.Row1 || old.Row > Written.Row2) {
            bool drops = false;
            for (const TPartCell& c : old.Cells) {
                Used.Add(old.Row, c.Col);
                drops = drops || dropped(c, Drop) || (Broken.Any() && c.Shared >= 0);
            }
            if (!drops) {
                out.append(d + old.Begin, old.End - old.Begin);
                continue;
            }
            out.append(d + old.Begin, old.TagEnd - old.Begin);
            std::int32_t at = old.TagEnd;
            for (const TPartCell& c : old.Cells) {
                out.append(d + at, c.Begin - at);
                copyCell(out, Xml, c, dropped(c, Drop), Broken.Formula(c, old.Row));
                at = c.End;
            }
            out.append(d + at, old.End - at);
            continue;
        }
        nextNew = std::max(nextNew, old.Row + 1);
        const bool emptyRow = old.TagEnd == old.End && Xml.at(old.TagEnd - 2) == '/';
        // The row's tag as it was, less its "spans" (a hint of its columns that may now be wrong).
        std::string_view tag(d + old.Begin, std::size_t(old.TagEnd - old.Begin - (emptyRow ? 2 : 0)));
        std::size_t spanAt = 0, spanLen = 0;
        if (TagAttribute(tag, "spans", spanAt, spanLen)) {
            std::size_t from = spanAt - 1; // the quote; back over "=", the name and the blank
            while (from > 0 && tag[from - 1] != ' ' && tag[from - 1] != '\t' && tag[from - 1] != '\r'
                   && tag[from - 1] != '\n')
                --from;
            while (from > 0
                   && (tag[from - 1] == ' ' || tag[from - 1] == '\t' || tag[from - 1] == '\r' || tag[from - 1] == '\n'))
                --from;
            out.append(tag.data(), qsizetype(from));
            out.append(tag.data() + spanAt + spanLen + 1, qsizetype(tag.size() - spanAt - spanLen - 1));
        } else {
            out.append(tag.data(), qsizetype(tag.size()));
        }
        if (emptyRow)
            out += '>';
        newCells(old.Row);
        const QByteArray r = QByteArray::number(old.Row + 1);
        std::size_t k = 0;
        static const TOfficeValue empty;
        for (const TPartCell& c : old.Cells) {
            for (; k < cells.size() && cells[k]->Col < c.Col; ++k)
                if (W.Append(out, r, cells[k]->Col, cells[k]->Value, {}))
                    Used.Add(old.Row, cells[k]->Col);
            if (!Written.Contains(old.Row, c.Col)) {
                copyCell(out, Xml, c, dropped(c, Drop), Broken.Formula(c, old.Row));
                Used.Add(old.Row, c.Col);
                continue;
            }
            Formulas = Formulas || c.Formula >= 0;
            const bool same = k < cells.size() && cells[k]->Col == c.Col;
            const std::string_view style =
                c.StyleAt < 0 ? std::string_view() : std::string_view(d + c.StyleAt, std::size_t(c.StyleLen));
            if (W.Append(out, r, c.Col, same ? cells[k]->Value : empty, style))
                Used.Add(old.Row, c.Col);
            if (same)
                ++k;
        }
        for (; k < cells.size(); ++k)
            if (W.Append(out, r, cells[k]->Col, cells[k]->Value, {}))
                Used.Add(old.Row, cells[k]->Col);
        out += "</" + p + "row>";
    }
    for (; nextNew <= Written.Row2; ++nextNew)
        writeNewRow(nextNew);
    return out + "</" + p + "sheetData>";
}

// The sheet part Xml with Data in place of its <sheetData> and the used range Used in its
// <dimension> (added where the format puts it when there was none).
QByteArray sheetWith(const QByteArray& Xml, const TSheetPart& Part, const QByteArray& Data, const TUsed& Used)
{
    const QByteArray dimension = '<' + Part.Prefix + "dimension ref=\"" + Used.Ref() + "\"/>";
    QByteArray out;
    out.reserve(Xml.size() - (Part.DataEnd - Part.DataBegin) + Data.size() + 64);
    if (Part.DimensionBegin >= 0) {
        out.append(Xml.constData(), Part.DimensionBegin);
        out += dimension;
        out.append(Xml.constData() + Part.DimensionEnd, Part.DataBegin - Part.DimensionEnd);
    } else if (Part.DimensionAt >= 0 && Part.DimensionAt <= Part.DataBegin) {
        out.append(Xml.constData(), Part.DimensionAt);
        out += dimension;
        out.append(Xml.constData() + Part.DimensionAt, Part.DataBegin - Part.DimensionAt);
    } else {
        out.append(Xml.constData(), Part.DataBegin);
    }
    out += Data;
    out.append(Xml.constData() + Part.DataEnd, Xml.size() - Part.DataEnd);
    return out;
}

// Why a block may not be written: it covers part of an array formula, or a merged range.
QString BlockRefusedMessage(const QString& Sheet, const TFormulaBlock& B, bool Merged)
{
    auto cell = [](int Row, int Col) { return ColumnLetters(Col + 1) + QString::number(Row + 1); };
    if (Merged)
        return QStringLiteral("Zapisywane komórki leżą pod scalonym zakresem %1:%2 arkusza \"%3\", który pokazuje "
                              "tylko swoją pierwszą komórkę; plik pozostał bez zmian.")
            .arg(cell(B.Row1, B.Col1), cell(B.Row2, B.Col2), Sheet);
    return QStringLiteral("Zapisywane komórki obejmują tylko część formuły tablicowej %1:%2 arkusza \"%3\", "
                          "której nie da się zmienić w części; plik pozostał bez zmian.")
        .arg(cell(B.Row1, B.Col1), cell(B.Row2, B.Col2), Sheet);
}

struct TSheetEntry {
    QString Name, Id, RelId;
};

// A sheet part other than the one written that holds formulas.
struct TFormulaSheet {
    QString Name, Part;
    QByteArray Xml;
    TSheetPart Scan;
    std::vector<TFormulaRefs> Refs;
};

std::vector<TFormulaRefs> refsOf(const TSheetPart& Part)
{
    std::vector<TFormulaRefs> refs;
    refs.reserve(Part.Formulas.size());
    for (const std::string& f : Part.Formulas)
        refs.push_back(FormulaRefs(f));
    return refs;
}

// The workbook asks for every formula to be computed when it is opened.
QString withFullCalculation(const QString& Workbook, const QString& Prefix)
{
    const TSpan calc = findNamed(Workbook, "calcPr");
    if (calc.Found()) {
        const qsizetype tagEnd = Workbook.indexOf(QLatin1Char('>'), calc.Begin) + 1;
        return Workbook.left(calc.Begin)
            + withAttribute(Workbook.mid(calc.Begin, tagEnd - calc.Begin), QStringLiteral("fullCalcOnLoad"),
                            QStringLiteral("1"))
            + Workbook.mid(tagEnd);
    }
    // After the elements the format puts before it (the sheets at least).
    qsizetype at = -1;
    for (const char* before : {"sheets", "functionGroups", "externalReferences", "definedNames"})
        if (const TSpan s = findNamed(Workbook, before); s.Found())
            at = std::max(at, s.End);
    if (at < 0)
        throw std::runtime_error("workbook");
    return Workbook.left(at) + QLatin1Char('<') + Prefix + QLatin1String("calcPr fullCalcOnLoad=\"1\"/>")
        + Workbook.mid(at);
}

void saveSheet(const QString& FileName, const TOfficeSheet& Sheet, const TOfficeRange& Written)
{
    TWritablePackage pkg(FileName);
    const QString workbookPart = QStringLiteral("xl/workbook.xml"),
                  relsPart = QStringLiteral("xl/_rels/workbook.xml.rels"),
                  typesPart = QStringLiteral("[Content_Types].xml");
    QString workbook = pkg.Text(workbookPart), rels = pkg.Text(relsPart);
    // The sheets, the namespaces the workbook uses, the relations' targets.
    std::vector<TSheetEntry> sheets;
    QString mainNs, relPrefix;
    bool from1904 = false;
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
            if (x.name() == QLatin1String("workbookPr")) {
                const QStringView d = x.attributes().value(QLatin1String("date1904"));
                from1904 = d == QLatin1String("1") || d == QLatin1String("true");
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
    QHash<QString, QString> targets, worksheets; // worksheets: the targets of worksheet relations
    QString worksheetType = kWorksheetType;
    {
        QXmlStreamReader x(rels);
        while (!x.atEnd())
            if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("Relationship")) {
                QString t = x.attributes().value(QLatin1String("Target")).toString();
                t = t.startsWith(QLatin1Char('/')) ? t.mid(1) : QStringLiteral("xl/") + t;
                const QString id = x.attributes().value(QLatin1String("Id")).toString();
                targets.insert(id, t);
                const QString type = x.attributes().value(QLatin1String("Type")).toString();
                if (type.endsWith(QLatin1String("/worksheet"))) {
                    worksheetType = type;
                    worksheets.insert(id, t);
                }
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

    TDateStyles styles(pkg);
    if (found >= 0) {
        const QString part = targets.value(sheets[std::size_t(found)].RelId);
        if (part.isEmpty())
            Corrupt(FileName);
        const QByteArray old = pkg.Bytes(part);
        const TSheetPart scan = ScanSheetPart(old);
        // An array formula gives one result over all its cells: a spreadsheet lets no part
        // of it change alone.
        for (const TFormulaBlock& b : scan.Blocks) {
            const bool meets =
                b.Row1 <= Written.Row2 && b.Row2 >= Written.Row1 && b.Col1 <= Written.Col2 && b.Col2 >= Written.Col1;
            if (b.Shared < 0 && meets && !(Written.Contains(b.Row1, b.Col1) && Written.Contains(b.Row2, b.Col2)))
                throw ETxGridError(BlockRefusedMessage(Sheet.Name, b, false));
        }
        // A merged range shows its first cell only: values written under the rest would be
        // there unseen.
        for (const TFormulaBlock& m : scan.Merges) {
            const int bottom = std::min(m.Row2, Written.Row2), right = std::min(m.Col2, Written.Col2);
            for (auto r = Sheet.Rows.lower_bound(std::max(m.Row1, Written.Row1));
                 r != Sheet.Rows.end() && r->first <= bottom; ++r)
                for (const TOfficeCell& c : r->second)
                    if (c.Col >= std::max(m.Col1, Written.Col1) && c.Col <= right
                        && (r->first != m.Row1 || c.Col != m.Col1))
                        throw ETxGridError(BlockRefusedMessage(Sheet.Name, m, true));
        }
        const std::vector<TFormulaRefs> ownRefs = refsOf(scan);
        // The sheets whose formulas can read the written cells: this one, those naming it
        // and those naming one of those, and those whose formulas may read any sheet.
        std::vector<TFormulaSheet> others;
        for (int i = 0; i < int(sheets.size()); ++i) {
            const QString other = worksheets.value(sheets[std::size_t(i)].RelId);
            if (i == found || other.isEmpty() || other == part)
                continue;
            QByteArray xml = pkg.Bytes(other);
            if (!xml.contains("<f") && !xml.contains(":f>") && !xml.contains(":f "))
                continue;
            TSheetPart s = ScanSheetPart(xml, true);
            if (s.Formulas.empty())
                continue;
            std::vector<TFormulaRefs> refs = refsOf(s);
            others.push_back({sheets[std::size_t(i)].Name, other, std::move(xml), std::move(s), std::move(refs)});
        }
        QStringList reached{sheets[std::size_t(found)].Name};
        std::vector<char> reachedOther(others.size(), 0);
        for (bool more = true; more;) {
            more = false;
            for (std::size_t i = 0; i < others.size(); ++i)
                for (const TFormulaRefs& r : others[i].Refs) {
                    if (reachedOther[i])
                        break;
                    bool reads = r.Anywhere;
                    for (const QString& s : r.Sheets)
                        reads = reads || reached.contains(s, Qt::CaseInsensitive);
                    if (reads) {
                        reachedOther[i] = 1;
                        reached << others[i].Name;
                        more = true;
                    }
                }
        }
        bool recalculate = false;
        for (std::size_t i = 0; i < others.size(); ++i) {
            if (!reachedOther[i])
                continue;
            const std::vector<char> drop = droppedFormulas(others[i].Scan, others[i].Refs, true);
            if (std::find(drop.begin(), drop.end(), 1) == drop.end())
                continue;
            pkg.Put(others[i].Part, withoutResults(others[i].Xml, others[i].Scan, drop));
            recalculate = true;
        }
        const std::vector<char> drop = droppedFormulas(scan, ownRefs, true);
        TCellWriter writer(scan.Prefix, styles, from1904);
        TUsed used;
        bool formulas = false;
        const TBrokenShares broken(scan, Written, scan.Prefix);
        const QByteArray cells = mergedSheetData(old, scan, Sheet, Written, drop, broken, writer, used, formulas);
        for (const TPartRow& row : scan.Rows)
            for (const TPartCell& c : row.Cells)
                recalculate = recalculate || (dropped(c, drop) && !Written.Contains(row.Row, c.Col));
        pkg.Put(part, sheetWith(old, scan, cells, used));
        // Formulas whose results were left out are computed when the book opens; some
        // spreadsheets compute only what the book asks for.
        if (recalculate)
            pkg.Put(workbookPart,
                    workbook = withFullCalculation(workbook, prefixOf(findNamed(workbook, "sheets").QName)));
        // The calculation chain lists the formulas that were there: dropped (it is rebuilt
        // by the spreadsheet), so that no cell of it points at a value.
        const QString chain = QStringLiteral("xl/calcChain.xml");
        const zip_int64_t chainIndex = zip_name_locate(pkg.Z(), chain.toUtf8().constData(), 0);
        if (formulas && chainIndex >= 0) {
            QString types = pkg.Text(typesPart);
            zip_delete(pkg.Z(), zip_uint64_t(chainIndex));
            pkg.Put(
                relsPart,
                without(rels, findElement(rels, [](const QXmlStreamReader& x) {
                            return x.name() == QLatin1String("Relationship")
                                && x.attributes().value(QLatin1String("Type")).endsWith(QLatin1String("/calcChain"));
                        })));
            pkg.Put(typesPart, without(types, findElement(types, [](const QXmlStreamReader& x) {
                                           return x.name() == QLatin1String("Override")
                                               && x.attributes().value(QLatin1String("PartName"))
                                               == QLatin1String("/xl/calcChain.xml");
                                       })));
        }
    } else {
        if (!validSheetName(Sheet.Name))
            throw ETxGridError(QStringLiteral("Nieprawidłowa nazwa arkusza \"%1\"").arg(Sheet.Name));
        // A new part, a new relation and a new sheet id, each unused so far.
        int n = 1;
        while (zip_name_locate(pkg.Z(), QStringLiteral("xl/worksheets/sheet%1.xml").arg(n).toUtf8().constData(), 0)
               >= 0)
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
        const QString idAttr = relPrefix.isEmpty() ? QStringLiteral("xmlns:tx=\"%1\" tx:id").arg(kRelNs)
                                                   : relPrefix + QLatin1String(":id");
        TCellWriter writer(QByteArray(), styles, from1904);
        TUsed used;
        const QByteArray data = sheetData(Sheet, writer, used);
        pkg.Put(part,
                "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\""
                    + escaped(mainNs).toUtf8() + "\"><dimension ref=\"" + used.Ref() + "\"/>" + data + "</worksheet>");
        pkg.Put(workbookPart,
                insertInto(workbook, sheetsSpan,
                           QStringLiteral("<%1sheet name=\"%2\" sheetId=\"%3\" %4=\"%5\"/>")
                               .arg(p, escaped(Sheet.Name))
                               .arg(sheetId + 1)
                               .arg(idAttr, relId)));
        pkg.Put(relsPart,
                insertInto(rels, relsSpan,
                           QStringLiteral("<%1Relationship Id=\"%2\" Type=\"%3\" Target=\"worksheets/sheet%4.xml\"/>")
                               .arg(prefixOf(relsSpan.QName), relId, escaped(worksheetType))
                               .arg(n)));
        pkg.Put(typesPart,
                insertInto(types, typesSpan,
                           QStringLiteral("<%1Override PartName=\"/%2\" ContentType=\"%3\"/>")
                               .arg(prefixOf(typesSpan.QName), part, kWorksheetContent)));
    }
    styles.Save();
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
