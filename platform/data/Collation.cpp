#include "platform/data/Collation.h"

#include <QChar>
#include <QList>
#include <sqlite3.h>

#include <array>

namespace data {

namespace {

// Position of a folded (lower-case) letter in the Polish alphabet; other characters sort by code.
constexpr char32_t kAlphabet[] = U"aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźż";
constexpr unsigned kLetterBase = 0x100000; // after every code point, so letters sort after digits

char32_t fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    switch (c) {
    case 0x104:
    case 0x106:
    case 0x118:
    case 0x141:
    case 0x143:
    case 0x15A:
    case 0x179:
    case 0x17B: return c + 1;
    case 0xD3: return 0xF3;
    default: break;
    }
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Letter_Uppercase || cat == QChar::Letter_Titlecase ? QChar::toLower(c) : c;
}

unsigned weight(char32_t c)
{
    c = fold(c);
    if (c >= 'a' && c <= 'z') {
        static const std::array<unsigned, 26> ascii = [] {
            std::array<unsigned, 26> a{};
            for (unsigned i = 0; kAlphabet[i]; ++i)
                if (kAlphabet[i] < 0x80)
                    a[kAlphabet[i] - 'a'] = kLetterBase + i;
            return a;
        }();
        return ascii[c - 'a'];
    }
    if (c < 0x80)
        return c;
    for (unsigned i = 0; kAlphabet[i]; ++i)
        if (kAlphabet[i] == c)
            return kLetterBase + i;
    return kLetterBase + 0x100 + c; // other letters after the Polish alphabet
}

// Decodes one UTF-8 code point (lenient: a bad byte stands for itself).
char32_t nextUtf8(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = b & (0x3F >> extra);
    while (extra-- > 0 && p < end && (*p & 0xC0) == 0x80)
        c = (c << 6) | (*p++ & 0x3F);
    return c;
}

int compareUtf8(const unsigned char* a, int na, const unsigned char* b, int nb)
{
    const unsigned char* ea = a + na;
    const unsigned char* eb = b + nb;
    while (a < ea && b < eb) {
        if (*a < 0x80 && *b < 0x80) { // fast path for plain ASCII
            const unsigned wa = weight(*a++), wb = weight(*b++);
            if (wa != wb)
                return wa < wb ? -1 : 1;
            continue;
        }
        const unsigned wa = weight(nextUtf8(a, ea)), wb = weight(nextUtf8(b, eb));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return (a < ea) - (b < eb);
}

int collate(void*, int na, const void* a, int nb, const void* b)
{
    return compareUtf8(static_cast<const unsigned char*>(a), na, static_cast<const unsigned char*>(b), nb);
}

} // namespace

int comparePolish(const QString& a, const QString& b)
{
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compareUtf8(reinterpret_cast<const unsigned char*>(ua.constData()), int(ua.size()),
                       reinterpret_cast<const unsigned char*>(ub.constData()), int(ub.size()));
}

int comparePolishUtf8(const char* a, int na, const char* b, int nb)
{
    return compareUtf8(reinterpret_cast<const unsigned char*>(a), na, reinterpret_cast<const unsigned char*>(b), nb);
}

bool startsWithPolishUtf8(const char* s, int ns, const char* prefix, int np)
{
    auto a = reinterpret_cast<const unsigned char*>(s);
    auto b = reinterpret_cast<const unsigned char*>(prefix);
    const unsigned char* ea = a + ns;
    const unsigned char* eb = b + np;
    while (b < eb) {
        if (a >= ea)
            return false;
        if (weight(nextUtf8(a, ea)) != weight(nextUtf8(b, eb)))
            return false;
    }
    return true;
}

QString foldCase(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (char32_t c : s.toUcs4()) {
        const char32_t f = fold(c);
        out += QString::fromUcs4(&f, 1);
    }
    return out;
}

void registerCollation(sqlite3* db) { sqlite3_create_collation(db, "POLISH", SQLITE_UTF8, nullptr, &collate); }

} // namespace data
