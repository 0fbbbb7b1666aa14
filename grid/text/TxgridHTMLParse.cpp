#include "grid/text/TxgridHTML.h"
#include "grid/text/TxgridHTMLTags.h"
#include "grid/text/TxgridStrings.h"

#include <array>
#include <utility>

namespace grid {

namespace {

struct NamedColor {
    const char* name;
    ui::Color value;
};

constexpr std::array<NamedColor, 40> kColorNames{{
    {"clred", ui::clRed},
    {"clblack", ui::clBlack},
    {"clblue", ui::clBlue},
    {"clgreen", ui::clGreen},
    {"claqua", ui::clAqua},
    {"clyellow", ui::clYellow},
    {"clfuchsia", ui::clFuchsia},
    {"clwhite", ui::clWhite},
    {"cllime", ui::clLime},
    {"clsilver", ui::clSilver},
    {"clgray", ui::clGray},
    {"clolive", ui::clOlive},
    {"clnavy", ui::clNavy},
    {"clpurple", ui::clPurple},
    {"clteal", ui::clTeal},
    {"clmaroon", ui::clMaroon},
    {"clbackground", ui::clBackground},
    {"clactivecaption", ui::clActiveCaption},
    {"clinactivecaption", ui::clInactiveCaption},
    {"clmenu", ui::clMenu},
    {"clwindow", ui::clWindow},
    {"clwindowframe", ui::clWindowFrame},
    {"clmenutext", ui::clMenuText},
    {"clwindowtext", ui::clWindowText},
    {"clcaptiontext", ui::clCaptionText},
    {"clactiveborder", ui::clActiveBorder},
    {"clinactiveborder", ui::clInactiveBorder},
    {"clappworkspace", ui::clAppWorkSpace},
    {"clhighlight", ui::clHighlight},
    {"clhighlighttext", ui::clHighlightText},
    {"clbtnface", ui::clBtnFace},
    {"clbtnshadow", ui::clBtnShadow},
    {"clgraytext", ui::clGrayText},
    {"clbtntext", ui::clBtnText},
    {"clinactivecaptiontext", ui::clInactiveCaptionText},
    {"clbtnhighlight", ui::clBtnHighlight},
    {"cl3ddkshadow", ui::cl3DDkShadow},
    {"cl3dlight", ui::cl3DLight},
    {"clinfotext", ui::clInfoText},
    {"clinfobk", ui::clInfoBk},
}};

// Entities replaced before layout (the ampersand doubled: a single one marks a mnemonic).
const std::array<std::pair<QLatin1String, QString>, 9>& entities()
{
    static const std::array<std::pair<QLatin1String, QString>, 9> e{{
        {QLatin1String("&amp;"), QStringLiteral("&&")},
        {QLatin1String("&quot;"), QStringLiteral("\"")},
        {QLatin1String("&sect;"), QStringLiteral("\u00A7")},
        {QLatin1String("&permil;"), QStringLiteral("\u2030")},
        {QLatin1String("&reg;"), QStringLiteral("\u00AE")},
        {QLatin1String("&copy;"), QStringLiteral("\u00A9")},
        {QLatin1String("&para;"), QStringLiteral("\u00B6")},
        {QLatin1String("&trade;"), QStringLiteral("\u2122")},
        {QLatin1String("&euro;"), QStringLiteral("\u20AC")},
    }};
    return e;
}

int hexDigit(QChar c)
{
    const int code = c.unicode();
    return code < 'A' ? code - 48 : code - 55;
}

int leadingSignedInt(const QString& Text, qsizetype From)
{
    bool negative = false;
    if (From < Text.size() && Text.at(From) == QLatin1Char('-')) {
        negative = true;
        ++From;
    }
    const int v = LeadingInt(Text.mid(From));
    return negative ? -v : v;
}

} // namespace

ui::Color HTMLColorByName(const QString& Name)
{
    for (const NamedColor& c : kColorNames)
        if (Name == QLatin1String(c.name))
            return c.value;
    return 0;
}

int HexByte(const QString& Pair)
{
    if (Pair.size() < 2)
        return 0;
    return (hexDigit(Pair.at(0)) * 16 + hexDigit(Pair.at(1))) & 0xFF;
}

ui::Color HexToColor(const QString& Value)
{
    const int r = HexByte(Value.mid(1, 2));
    const int g = HexByte(Value.mid(3, 2));
    const int b = HexByte(Value.mid(5, 2));
    return ui::Color(r) + ui::Color(g) * 256 + ui::Color(b) * 65536;
}

namespace html {

QString PrepareText(const QString& Text)
{
    QString s = Text;
    if (s.contains(QLatin1Char('&'))) {
        // Every replacement shortens the text, so the rounds end.
        bool replaced = true;
        while (replaced) {
            replaced = false;
            for (const auto& [entity, by] : entities())
                if (ReplaceFirst(entity, by, s))
                    replaced = true;
        }
    }
    const qsizetype hash = s.indexOf(QLatin1String("<#"));
    if (hash >= 0) {
        s.remove(hash, 1);
        const qsizetype close = s.indexOf(QLatin1Char('>'), hash);
        if (close >= 0)
            s.remove(close, 1);
    }
    if (s.contains(QChar(10)))
        s.remove(QChar(10));
    if (s.contains(QChar(13)))
        s.replace(QChar(13), QLatin1String("<BR>"));
    return s;
}

QString ConvertRun(const QString& Run)
{
    if (!Run.contains(QLatin1Char('&')))
        return Run;
    QString s = Run;
    s.replace(QLatin1String("&nbsp;"), QLatin1String(" "), Qt::CaseInsensitive);
    s.replace(QLatin1String("&lt;"), QLatin1String("<"), Qt::CaseInsensitive);
    s.replace(QLatin1String("&gt;"), QLatin1String(">"), Qt::CaseInsensitive);
    return s;
}

QString ShownText(const QString& Run)
{
    if (!Run.contains(QLatin1Char('&')))
        return Run;
    QString r;
    r.reserve(Run.size());
    for (qsizetype i = 0; i < Run.size(); ++i) {
        if (Run.at(i) == QLatin1Char('&')) {
            if (i + 1 < Run.size())
                r += Run.at(++i);
            continue;
        }
        r += Run.at(i);
    }
    return r;
}

QString UpperSameLength(const QString& Text)
{
    QString r = Text;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}

QString Tag::attr(QLatin1String Name, bool KeepCase, bool* Found) const
{
    const qsizetype at = Upper.indexOf(Name);
    if (Found)
        *Found = at >= 0;
    if (at < 0)
        return {};
    const qsizetype open = Upper.indexOf(QLatin1Char('"'), at + Name.size());
    if (open < 0)
        return {};
    const qsizetype close = Upper.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return {};
    return (KeepCase ? Text : Upper).mid(open + 1, close - open - 1);
}

QString Tag::firstQuoted() const
{
    const qsizetype open = Text.indexOf(QLatin1Char('"'));
    if (open < 0)
        return {};
    const qsizetype close = Text.indexOf(QLatin1Char('"'), open + 1);
    if (close < 0)
        return {};
    return Text.mid(open + 1, close - open - 1);
}

int Tag::fontSize() const
{
    const qsizetype at = Upper.indexOf(QLatin1String("SIZE"));
    if (at < 0)
        return 0;
    qsizetype p = Upper.indexOf(QLatin1Char('='), at + 4);
    if (p < 0)
        return 0;
    ++p;
    while (p < Upper.size() && Upper.at(p) == QLatin1Char(' '))
        ++p;
    if (p < Upper.size() && Upper.at(p) == QLatin1Char('"'))
        ++p;
    const int n = LeadingInt(Upper.mid(p));
    switch (n) {
    case 1: return 8;
    case 2: return 10;
    case 3: return 12;
    case 4: return 14;
    case 5: return 16;
    default: return n > 0 ? n : 0;
    }
}

int Tag::angle() const
{
    const qsizetype a = Upper.indexOf(QLatin1Char('A'), 2);
    if (a < 0)
        return 0;
    const qsizetype q = Upper.indexOf(QLatin1Char('"'), a);
    if (q < 0)
        return 0;
    return leadingSignedInt(Upper, q + 1);
}

ui::Color AttrColor(const QString& UpperValue)
{
    if (UpperValue.startsWith(QLatin1Char('#')))
        return HexToColor(UpperValue);
    return HTMLColorByName(UpperValue.toLower());
}

} // namespace html
} // namespace grid
