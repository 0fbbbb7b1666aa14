// The .xlsx reader's own XML scanner: the part's bytes held in one buffer that only ever keeps
// the token being read (compacted before each piece is added), every search resumed where the
// last one stopped, so that a long token costs its length once, not once per piece.
#include "grid/files/TxgridXmlScanner.h"
#include "grid/files/TxgridWorkbook.h"

#include <charconv>
#include <cstring>

namespace grid {

namespace {

std::string_view localName(std::string_view Qualified)
{
    const std::size_t colon = Qualified.rfind(':');
    return colon == std::string_view::npos ? Qualified : Qualified.substr(colon + 1);
}

bool isSpace(char C) { return C == ' ' || C == '\t' || C == '\n' || C == '\r'; }

// Whether text has entities or line ends to be decoded; most has none and is used as it is.
bool plainText(std::string_view Raw)
{
    for (const char c : Raw)
        if (c == '&' || c == '\r')
            return false;
    return true;
}

// A character XML allows, as a reference may name it.
bool isXmlChar(unsigned long U)
{
    return U == 0x9 || U == 0xA || U == 0xD || (U >= 0x20 && U <= 0xD7FF) || (U >= 0xE000 && U <= 0xFFFD)
        || (U >= 0x10000 && U <= 0x10FFFF);
}

void appendUtf8(std::string& Out, unsigned long U)
{
    if (U < 0x80) {
        Out += char(U);
    } else if (U < 0x800) {
        Out += char(0xC0 | (U >> 6));
        Out += char(0x80 | (U & 0x3F));
    } else if (U < 0x10000) {
        Out += char(0xE0 | (U >> 12));
        Out += char(0x80 | ((U >> 6) & 0x3F));
        Out += char(0x80 | (U & 0x3F));
    } else {
        Out += char(0xF0 | (U >> 18));
        Out += char(0x80 | ((U >> 12) & 0x3F));
        Out += char(0x80 | ((U >> 6) & 0x3F));
        Out += char(0x80 | (U & 0x3F));
    }
}

} // namespace

bool AppendXmlEntity(std::string_view e, std::string& Out)
{
    if (e == "amp")
        Out += '&';
    else if (e == "lt")
        Out += '<';
    else if (e == "gt")
        Out += '>';
    else if (e == "quot")
        Out += '"';
    else if (e == "apos")
        Out += '\'';
    else if (e.size() > 1 && e[0] == '#') {
        const bool hex = e[1] == 'x';
        const std::string_view digits = e.substr(hex ? 2 : 1);
        unsigned long u = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), u, hex ? 16 : 10);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !isXmlChar(u))
            return false;
        appendUtf8(Out, u);
    } else {
        return false;
    }
    return true;
}

TXmlScanner::TXmlScanner(TSource Source, QString FileName) : FSource(std::move(Source)), FFileName(std::move(FileName))
{
    FBuf.resize(std::size_t(4 * kPiece));
}

void TXmlScanner::Malformed() const { Corrupt(FFileName); }

bool TXmlScanner::fill()
{
    if (FEof)
        return false;
    if (FLen - FPos >= kMaxToken)
        throw ETxGridError(QStringLiteral("Skoroszyt %1 jest uszkodzony: jeden element XML przekracza %2 MiB.")
                               .arg(FFileName, GroupedNumber(kMaxToken >> 20)));
    if (FPos > 0) {
        std::memmove(FBuf.data(), FBuf.data() + FPos, std::size_t(FLen - FPos));
        FLen -= FPos;
        FPos = 0;
    }
    if (qint64(FBuf.size()) - FLen < kPiece)
        FBuf.resize(std::max(FBuf.size() * 2, std::size_t(FLen + kPiece)));
    const qint64 n = FSource(FBuf.data() + FLen, kPiece);
    if (n < 0 || n > kPiece)
        Malformed();
    if (n == 0) {
        FEof = true;
        return false;
    }
    FLen += n;
    return true;
}

qint64 TXmlScanner::findFrom(qint64 From, std::string_view Needle)
{
    qint64 scanned = From;
    for (;;) {
        const char* b = FBuf.data() + FPos;
        const qint64 n = FLen - FPos;
        if (n >= scanned + qint64(Needle.size())) {
            if (Needle.size() == 1) {
                if (const void* at = std::memchr(b + scanned, Needle[0], std::size_t(n - scanned)))
                    return static_cast<const char*>(at) - b;
            } else if (const std::size_t at = std::string_view(b, std::size_t(n)).find(Needle, std::size_t(scanned));
                       at != std::string_view::npos) {
                return qint64(at);
            }
            scanned = n - qint64(Needle.size()) + 1;
        }
        if (!fill())
            return -1;
    }
}

void TXmlScanner::skipBom()
{
    while (FLen - FPos < 3 && fill()) {}
    const auto* b = reinterpret_cast<const unsigned char*>(FBuf.data() + FPos);
    const qint64 n = FLen - FPos;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        FPos += 3;
    else if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
        Malformed(); // UTF-16: no spreadsheet writes its parts so
}

// The offset of the ">" ending the tag begun at FPos: quoted values may hold ">", never "<".
// Read once, however many pieces the tag spans.
qint64 TXmlScanner::findTagEnd()
{
    char quote = 0;
    qint64 i = 1;
    for (;;) {
        const char* b = FBuf.data() + FPos;
        for (const qint64 n = FLen - FPos; i < n; ++i) {
            const char c = b[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '>') {
                return i;
            } else if (c == '"' || c == '\'') {
                quote = c;
            }
        }
        if (!fill())
            Malformed();
    }
}

// The start tag at FPos read up to the ">" at End; false when that ">" stands inside a
// quoted value (the tag goes on).
bool TXmlScanner::scanStartTag(qint64 End)
{
    const char* const b = FBuf.data() + FPos;
    const char* const e = b + End;
    const char* p = b + 1;
    for (; p < e && !isSpace(*p) && *p != '/'; ++p)
        if (*p == '<' || *p == '"' || *p == '\'' || *p == '=')
            Malformed();
    const std::string_view name(b + 1, std::size_t(p - b - 1));
    if (name.empty() || (FOpen.empty() && FRootSeen) || int(FOpen.size()) >= kMaxDepth)
        Malformed();
    FAttrs.clear();
    bool selfClosing = false;
    for (;;) {
        const char* const before = p;
        while (p < e && isSpace(*p))
            ++p;
        if (p == e)
            break;
        if (*p == '/') {
            if (p + 1 != e)
                Malformed();
            selfClosing = true;
            break;
        }
        if (p == before) // attributes stand apart
            Malformed();
        const char* const attrAt = p;
        for (; p < e && !isSpace(*p) && *p != '='; ++p)
            if (*p == '<' || *p == '/' || *p == '"' || *p == '\'')
                Malformed();
        const std::string_view attr(attrAt, std::size_t(p - attrAt));
        while (p < e && isSpace(*p))
            ++p;
        if (p == e || *p != '=')
            Malformed();
        ++p;
        while (p < e && isSpace(*p))
            ++p;
        if (p == e || (*p != '"' && *p != '\''))
            Malformed();
        const char quote = *p++;
        const char* close = p; // values are short: a plain loop beats two calls
        for (; close < e && *close != quote; ++close)
            if (*close == '<')
                Malformed();
        if (close == e)
            return false;
        FAttrs.push_back({attr, std::string_view(p, std::size_t(close - p))});
        p = close + 1;
    }
    FRootSeen = true;
    FOpen.emplace_back(name);
    FPendingEnd = selfClosing;
    FName = localName(name);
    FPos += End + 1;
    return true;
}

void TXmlScanner::scanEndTag(qint64 End)
{
    std::string_view name(FBuf.data() + FPos + 2, std::size_t(End - 2));
    while (!name.empty() && isSpace(name.back()))
        name.remove_suffix(1);
    if (FOpen.empty() || FOpen.back() != name)
        Malformed();
    FOpen.pop_back();
    FName = localName(name);
    FPos += End + 1;
}

void TXmlScanner::decodeInto(std::string_view Raw, std::string& Out, bool Attribute) const
{
    std::size_t i = 0;
    while (i < Raw.size()) {
        std::size_t j = i;
        while (j < Raw.size() && Raw[j] != '&' && Raw[j] != '\r' && !(Attribute && (Raw[j] == '\t' || Raw[j] == '\n')))
            ++j;
        Out.append(Raw.data() + i, j - i);
        if (j == Raw.size())
            break;
        const char c = Raw[j];
        if (c == '\r') {
            // Line ends are "\n" whatever wrote the file; in a value they are spaces.
            Out += Attribute ? ' ' : '\n';
            i = j + 1 < Raw.size() && Raw[j + 1] == '\n' ? j + 2 : j + 1;
            continue;
        }
        if (c != '&') {
            Out += ' ';
            i = j + 1;
            continue;
        }
        const std::size_t semi = Raw.find(';', j);
        if (semi == std::string_view::npos || semi - j > 40) // "&#x0000000041;" is still "A"
            Malformed();
        if (!AppendXmlEntity(Raw.substr(j + 1, semi - j - 1), Out))
            Malformed();
        i = semi + 1;
    }
}

TXmlScanner::TToken TXmlScanner::Next()
{
    if (FPendingEnd) {
        FPendingEnd = false;
        FClosing = std::move(FOpen.back());
        FOpen.pop_back();
        FName = localName(FClosing);
        return FToken = xtEnd;
    }
    if (FToken == xtDocEnd)
        return FToken;
    if (!FStarted) {
        FStarted = true;
        skipBom();
    }
    for (;;) {
        if (FPos == FLen && !fill()) {
            if (!FOpen.empty() || !FRootSeen)
                Malformed();
            return FToken = xtDocEnd;
        }
        if (FBuf[std::size_t(FPos)] != '<') {
            qint64 end = findFrom(0, "<");
            if (end < 0)
                end = FLen - FPos;
            const std::string_view raw(FBuf.data() + FPos, std::size_t(end));
            FPos += end;
            if (FOpen.empty()) { // outside the root only white space may stand
                for (const char c : raw)
                    if (!isSpace(c))
                        Malformed();
                continue;
            }
            if (plainText(raw)) {
                FText = raw;
            } else {
                FScratch.clear();
                decodeInto(raw, FScratch, false);
                FText = FScratch;
            }
            return FToken = xtText;
        }
        while (FLen - FPos < 2)
            if (!fill())
                Malformed();
        const char kind = FBuf[std::size_t(FPos + 1)];
        if (kind == '/') {
            const qint64 end = findFrom(2, ">");
            if (end < 0)
                Malformed();
            scanEndTag(end);
            return FToken = xtEnd;
        }
        if (kind == '?') {
            const qint64 end = findFrom(2, "?>");
            if (end < 0)
                Malformed();
            FPos += end + 2;
            continue;
        }
        if (kind == '!') {
            while (FLen - FPos < 9 && fill()) {}
            const std::string_view head(FBuf.data() + FPos, std::size_t(std::min<qint64>(FLen - FPos, 9)));
            if (head.substr(0, 4) == "<!--") {
                const qint64 end = findFrom(4, "-->");
                if (end < 0)
                    Malformed();
                FPos += end + 3;
                continue;
            }
            if (head == "<![CDATA[" && !FOpen.empty()) {
                const qint64 end = findFrom(9, "]]>");
                if (end < 0)
                    Malformed();
                const std::string_view raw(FBuf.data() + FPos + 9, std::size_t(end - 9));
                FPos += end + 3;
                FScratch.clear();
                for (std::size_t i = 0; i < raw.size(); ++i) // line ends only: CDATA has no entities
                    if (raw[i] != '\r')
                        FScratch += raw[i];
                    else if (i + 1 == raw.size() || raw[i + 1] != '\n')
                        FScratch += '\n';
                FText = FScratch;
                return FToken = xtText;
            }
            Malformed(); // a DOCTYPE, or nothing XML knows
        }
        // Mostly the first ">" ends the tag; when it stands in a value, the tag is read to
        // its end with the quotes followed.
        const qint64 end = findFrom(1, ">");
        if (end < 0 || (!scanStartTag(end) && !scanStartTag(findTagEnd())))
            Malformed();
        return FToken = xtStart;
    }
}

const TXmlScanner::TAttr* TXmlScanner::findAttr(std::string_view Name, bool Local) const
{
    for (const TAttr& a : FAttrs)
        if ((Local ? localName(a.Name) : a.Name) == Name)
            return &a;
    return nullptr;
}

std::string_view TXmlScanner::Attr(std::string_view QualifiedName) const
{
    const TAttr* a = findAttr(QualifiedName, false);
    return a ? a->Value : std::string_view();
}

QString TXmlScanner::AttrText(std::string_view Name, bool Local) const
{
    const TAttr* a = findAttr(Name, Local);
    const std::string_view raw = a ? a->Value : std::string_view();
    if (raw.find_first_of("&\r\t\n") == std::string_view::npos)
        return QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    std::string s;
    decodeInto(raw, s, true);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

void TXmlScanner::AppendElementText(std::string& Out)
{
    if (FToken != xtStart)
        Malformed();
    // Mostly a value: its text and end tag are in the buffer already, taken here at once.
    if (!FPendingEnd) {
        const char* const b = FBuf.data() + FPos;
        const std::string_view have(b, std::size_t(FLen - FPos));
        const std::string& open = FOpen.back();
        const std::size_t lt = have.find('<');
        if (lt != std::string_view::npos && have.size() > lt + open.size() + 2 && have[lt + 1] == '/'
            && have.compare(lt + 2, open.size(), open) == 0 && have[lt + 2 + open.size()] == '>') {
            const std::string_view raw = have.substr(0, lt);
            if (plainText(raw))
                Out.append(raw);
            else
                decodeInto(raw, Out, false);
            FName = localName(have.substr(lt + 2, open.size()));
            FOpen.pop_back();
            FPos += qint64(lt + open.size() + 3);
            FToken = xtEnd;
            return;
        }
    }
    const std::size_t depth = FOpen.size();
    for (;;) {
        switch (Next()) {
        case xtText: Out.append(FText); break;
        case xtEnd:
            if (FOpen.size() < depth)
                return;
            break;
        default: Malformed(); // an element inside, or the part ended
        }
    }
}

} // namespace grid
