// The RTF subset: one reader feeding either a document or plain text, the writer, and the
// drawing of rich cells.
#include "grid/text/TxgridRTF.h"

#include "platform/codepage/Cp1250.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <map>
#include <vector>

namespace grid {

bool IsRichText(const QString& Text) { return Text.startsWith(QLatin1String("{\\")); }

namespace {

enum class Dest { Text, Skip, FontTable, ColorTable };

// Indents are twips in RTF and pixels (of 96 to the inch) in a document.
constexpr double kTwipsPerPixel = 1440.0 / 96.0;

// What a group carries: the character and paragraph formats and where its text goes.
struct State {
    bool bold = false, italic = false, underline = false, strike = false;
    int font = -1;                                        // index into the font table; -1 none set
    int halfPoints = 0;                                   // 0: the base size
    int color = 0;                                        // index into the colour table; 0 the base colour
    int highlight = 0;                                    // the text's background from the colour table; 0 none
    int vert = 0;                                         // 1 superscript, -1 subscript
    int align = 0;                                        // 0 left, 1 right, 2 centre, 3 justified
    int leftIndent = 0, rightIndent = 0, firstIndent = 0; // in twips
    int uc = 1;                                           // characters skipped after a \u escape
    Dest dest = Dest::Text;

    // \plain resets the characters, not the paragraph.
    void plain()
    {
        *this = State{.align = align,
                      .leftIndent = leftIndent,
                      .rightIndent = rightIndent,
                      .firstIndent = firstIndent,
                      .uc = uc,
                      .dest = dest};
    }
};

class Sink {
public:
    virtual ~Sink() = default;
    virtual void text(const QString& s, const State& st) = 0;
    virtual void paragraph(const State& st) = 0;
    virtual void line(const State& st) = 0;
};

class Reader {
public:
    Reader(const QString& Rtf, Sink& Out) : in_(Rtf), out_(Out) {}
    void run();
    std::map<int, QString> fonts;
    std::vector<QColor> colors; // as listed; an entry without values is the base colour

private:
    void controlWord();
    void controlSymbol(QChar c);
    void word(const QString& w, bool hasParam, int param);
    void put(const QString& s);
    void putByte(int b);
    void breakMark(bool paragraph);
    bool skipping();

    const QString& in_;
    Sink& out_;
    qsizetype pos_ = 0;
    State st_;
    std::vector<State> stack_;
    int skipAfterU_ = 0;
    int codepage_ = 1250;
    QString fontName_;
    int fontNo_ = -1;
    int red_ = -1, green_ = -1, blue_ = -1;
    // Paragraph and line marks wait for the text after them, so that marks at the end vanish.
    std::vector<std::pair<bool, State>> pendingBreaks_;
};

void Reader::run()
{
    const qsizetype n = in_.size();
    while (pos_ < n) {
        const QChar c = in_.at(pos_++);
        if (c == u'{') {
            stack_.push_back(st_);
            skipAfterU_ = 0;
        } else if (c == u'}') {
            if (st_.dest == Dest::FontTable && fontNo_ >= 0 && !fontName_.trimmed().isEmpty())
                fonts[fontNo_] = fontName_.trimmed(); // an entry closed without ';'
            fontName_.clear();
            if (!stack_.empty()) {
                st_ = stack_.back();
                stack_.pop_back();
            }
            skipAfterU_ = 0;
        } else if (c == u'\\') {
            if (pos_ >= n)
                break;
            const QChar e = in_.at(pos_);
            if (e.isLetter() && e.unicode() < 128)
                controlWord();
            else
                controlSymbol(in_.at(pos_++));
        } else if (c == u'\r' || c == u'\n') {
            continue;
        } else if (!skipping()) {
            put(QString(c));
        }
    }
}

bool Reader::skipping()
{
    if (skipAfterU_ > 0) {
        --skipAfterU_;
        return true;
    }
    return false;
}

void Reader::controlWord()
{
    const qsizetype n = in_.size();
    const qsizetype start = pos_;
    while (pos_ < n && pos_ - start < 32 && in_.at(pos_).isLetter() && in_.at(pos_).unicode() < 128)
        ++pos_;
    const QString w = in_.mid(start, pos_ - start);
    bool neg = false, hasParam = false;
    qint64 value = 0;
    if (pos_ < n && in_.at(pos_) == u'-' && pos_ + 1 < n && in_.at(pos_ + 1).isDigit()) {
        neg = true;
        ++pos_;
    }
    for (int digits = 0; pos_ < n && in_.at(pos_).isDigit() && in_.at(pos_).unicode() < 128; ++pos_, ++digits) {
        hasParam = true;
        if (digits < 9)
            value = value * 10 + (in_.at(pos_).unicode() - '0');
    }
    if (pos_ < n && in_.at(pos_) == u' ')
        ++pos_;
    if (!skipping()) // a control word counts as one of the characters a \u escape stands for
        word(w, hasParam, int(neg ? -value : value));
}

void Reader::controlSymbol(QChar c)
{
    if (c != u'*' && c != u'\'' && skipping()) // one of the characters a \u escape stands for
        return;
    switch (c.unicode()) {
    case '\\':
    case '{':
    case '}': put(QString(c)); break;
    case '~': put(QString(QChar(0x00A0))); break;
    case '_': put(QStringLiteral("-")); break;
    case '*': st_.dest = Dest::Skip; break;
    case '\r':
    case '\n': breakMark(true); break;
    case '\'': {
        // Exactly two hex digits: "-a" or " a" would pass a number parser and name no byte.
        const QString hex = in_.mid(pos_, 2);
        pos_ += hex.size();
        auto digit = [](QChar h) {
            const char16_t u = h.unicode();
            return (u >= u'0' && u <= u'9') || ((u | 0x20) >= u'a' && (u | 0x20) <= u'f');
        };
        if (hex.size() == 2 && digit(hex.at(0)) && digit(hex.at(1)) && !skipping())
            putByte(hex.toInt(nullptr, 16));
        break;
    }
    default: break; // optional hyphen and the rest: nothing shown
    }
}

void Reader::word(const QString& w, bool hasParam, int param)
{
    const bool on = !hasParam || param != 0;
    auto is = [&](const char* s) { return w == QLatin1String(s); };
    if (st_.dest == Dest::ColorTable) {
        if (is("red"))
            red_ = std::clamp(param, 0, 255);
        else if (is("green"))
            green_ = std::clamp(param, 0, 255);
        else if (is("blue"))
            blue_ = std::clamp(param, 0, 255);
        return;
    }
    if (st_.dest == Dest::FontTable && is("f")) {
        fontNo_ = param;
        return;
    }
    if (is("fonttbl"))
        st_.dest = Dest::FontTable;
    else if (is("colortbl"))
        st_.dest = Dest::ColorTable;
    else if (is("stylesheet") || is("info") || is("pict") || is("object") || is("footnote") || w.startsWith(u"header")
             || w.startsWith(u"footer") || is("listtable") || is("listoverridetable") || is("themedata")
             || is("fldinst") || is("datastore") || is("latentstyles"))
        st_.dest = Dest::Skip;
    else if (is("bin"))
        pos_ = std::min(in_.size(), pos_ + std::max(param, 0));
    else if (is("ansicpg"))
        codepage_ = param;
    else if (is("b"))
        st_.bold = on;
    else if (is("i"))
        st_.italic = on;
    else if (is("ul"))
        st_.underline = on;
    else if (is("ulnone"))
        st_.underline = false;
    else if (is("strike"))
        st_.strike = on;
    else if (is("plain"))
        st_.plain();
    else if (is("f"))
        st_.font = param;
    else if (is("fs"))
        st_.halfPoints = std::clamp(param, 0, 3276);
    else if (is("cf"))
        st_.color = param;
    else if (is("highlight") || is("cb"))
        st_.highlight = param;
    else if (is("super") || (is("up") && on))
        st_.vert = 1;
    else if (is("sub") || (is("dn") && on))
        st_.vert = -1;
    else if (is("nosupersub") || is("up") || is("dn"))
        st_.vert = 0;
    else if (is("pard")) {
        st_.align = 0;
        st_.leftIndent = st_.rightIndent = st_.firstIndent = 0;
    } else if (is("li"))
        st_.leftIndent = std::clamp(param, -31680, 31680);
    else if (is("ri"))
        st_.rightIndent = std::clamp(param, -31680, 31680);
    else if (is("fi"))
        st_.firstIndent = std::clamp(param, -31680, 31680);
    else if (is("ql"))
        st_.align = 0;
    else if (is("qr"))
        st_.align = 1;
    else if (is("qc"))
        st_.align = 2;
    else if (is("qj"))
        st_.align = 3;
    else if (is("uc"))
        st_.uc = std::clamp(param, 0, 10);
    else if (is("u")) {
        put(QString(QChar(char16_t(param < 0 ? param + 65536 : param))));
        skipAfterU_ = st_.uc;
    } else if (is("par"))
        breakMark(true);
    else if (is("line"))
        breakMark(false);
    else if (is("tab"))
        put(QStringLiteral("\t"));
    else if (is("emdash"))
        put(QString(QChar(0x2014)));
    else if (is("endash"))
        put(QString(QChar(0x2013)));
    else if (is("bullet"))
        put(QString(QChar(0x2022)));
    else if (is("lquote") || is("rquote"))
        put(QString(QChar(is("lquote") ? 0x2018 : 0x2019)));
    else if (is("ldblquote") || is("rdblquote"))
        put(QString(QChar(is("ldblquote") ? 0x201C : 0x201D)));
}

void Reader::putByte(int b)
{
    if (b < 128 || codepage_ != 1250)
        put(QString(QChar(b)));
    else
        put(text::fromCp1250(QByteArray(1, char(b))));
}

void Reader::breakMark(bool paragraph)
{
    if (st_.dest == Dest::Text)
        pendingBreaks_.emplace_back(paragraph, st_);
}

// Characters that would be structure in a document (paragraph and frame marks, objects) or
// are no text at all are dropped, so that the text reads the same in every output.
bool Dropped(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != '\t') || u == QChar::LineSeparator || u == QChar::ParagraphSeparator
        || u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1;
}

void Reader::put(const QString& Raw)
{
    QString s = Raw;
    s.removeIf(Dropped);
    if (s.isEmpty())
        return;
    switch (st_.dest) {
    case Dest::Skip: return;
    case Dest::FontTable:
        for (QChar c : s) {
            if (c == u';') {
                if (fontNo_ >= 0)
                    fonts[fontNo_] = fontName_.trimmed();
                fontName_.clear();
            } else {
                fontName_ += c;
            }
        }
        return;
    case Dest::ColorTable:
        for (QChar c : s)
            if (c == u';') {
                colors.push_back(red_ < 0 && green_ < 0 && blue_ < 0
                                     ? QColor()
                                     : QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
                red_ = green_ = blue_ = -1;
            }
        return;
    case Dest::Text:
        for (const auto& [paragraph, st] : pendingBreaks_) {
            if (paragraph)
                out_.paragraph(st);
            else
                out_.line(st);
        }
        pendingBreaks_.clear();
        out_.text(s, st_);
        return;
    }
}

class PlainSink : public Sink {
public:
    QString out;
    void text(const QString& s, const State&) override { out += s; }
    void paragraph(const State&) override { out += QStringLiteral("\r\n"); }
    void line(const State&) override { out += QStringLiteral("\r\n"); }
};

Qt::Alignment AlignmentOf(int Align)
{
    static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
    return kAlign[std::clamp(Align, 0, 3)];
}

class DocSink : public Sink {
public:
    DocSink(QTextDocument& Doc, const Reader& R) : cursor_(&Doc), reader_(R) {}
    void text(const QString& s, const State& st) override
    {
        const QTextCharFormat f = format(st);
        if (f != runFormat_)
            flush();
        runFormat_ = f;
        run_ += s;
        para_ = st;
    }
    void paragraph(const State& st) override
    {
        flush();
        endBlock(st);
        cursor_.insertBlock(QTextBlockFormat(), runFormat_);
    }
    void line(const State& st) override { text(QString(QChar::LineSeparator), st); }
    void finish()
    {
        flush();
        endBlock(para_);
    }

private:
    QTextCharFormat format(const State& st) const
    {
        QTextCharFormat f;
        if (st.bold)
            f.setFontWeight(QFont::Bold);
        if (st.italic)
            f.setFontItalic(true);
        if (st.underline)
            f.setFontUnderline(true);
        if (st.strike)
            f.setFontStrikeOut(true);
        if (const auto it = reader_.fonts.find(st.font); it != reader_.fonts.end() && !it->second.isEmpty())
            f.setFontFamilies(QStringList{it->second});
        if (st.halfPoints > 0)
            f.setFontPointSize(st.halfPoints / 2.0);
        const std::vector<QColor>& colors = reader_.colors;
        if (st.color >= 0 && std::size_t(st.color) < colors.size() && colors[size_t(st.color)].isValid())
            f.setForeground(colors[size_t(st.color)]);
        if (st.highlight > 0 && std::size_t(st.highlight) < colors.size() && colors[size_t(st.highlight)].isValid())
            f.setBackground(colors[size_t(st.highlight)]);
        if (st.vert)
            f.setVerticalAlignment(st.vert > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
        return f;
    }
    void flush()
    {
        if (!run_.isEmpty())
            cursor_.insertText(run_, runFormat_);
        run_.clear();
    }
    void endBlock(const State& St)
    {
        if (St.align == 0 && St.leftIndent == 0 && St.rightIndent == 0 && St.firstIndent == 0)
            return;
        QTextBlockFormat b = cursor_.blockFormat();
        if (St.align != 0)
            b.setAlignment(AlignmentOf(St.align));
        if (St.leftIndent != 0)
            b.setLeftMargin(St.leftIndent / kTwipsPerPixel);
        if (St.rightIndent != 0)
            b.setRightMargin(St.rightIndent / kTwipsPerPixel);
        if (St.firstIndent != 0)
            b.setTextIndent(St.firstIndent / kTwipsPerPixel);
        cursor_.setBlockFormat(b);
    }

    QTextCursor cursor_;
    const Reader& reader_;
    QTextCharFormat runFormat_;
    QString run_;
    State para_; // the paragraph formats of the text last added
};

// --- writing -------------------------------------------------------------------------------

void AppendEscaped(QString& Out, const QString& Text)
{
    for (const QChar c : Text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            Out += u'\\';
            Out += c;
        } else if (u == '\t') {
            Out += QLatin1String("\\tab ");
        } else if (u == QChar::LineSeparator) {
            Out += QLatin1String("\\line ");
        } else if (u == 0x00A0) {
            Out += QLatin1String("\\~");
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x7F) {
            Out += c;
        } else {
            Out += QLatin1String("\\u") + QString::number(qint16(u)) + u'?';
        }
    }
}

int AlignWord(Qt::Alignment A)
{
    if (A & Qt::AlignJustify)
        return 3;
    if (A & Qt::AlignHCenter)
        return 2;
    if (A & Qt::AlignRight)
        return 1;
    return 0;
}

QString FamilyOf(const QTextCharFormat& F)
{
    if (!F.hasProperty(QTextFormat::FontFamilies))
        return {};
    const QStringList l = F.fontFamilies().toStringList();
    return l.isEmpty() ? QString() : l.first();
}

} // namespace

void RichTextToDocument(const QString& Rtf, QTextDocument& Doc)
{
    Doc.clear();
    PlainSink none;
    Reader tables(Rtf, none); // the tables may follow text in odd files: read them first
    tables.run();
    DocSink sink(Doc, tables);
    Reader main(Rtf, sink);
    main.run();
    sink.finish();
}

QString RichTextToPlain(const QString& Rtf)
{
    PlainSink sink;
    Reader r(Rtf, sink);
    r.run();
    return sink.out;
}

QString DocumentToRichText(const QTextDocument& Doc)
{
    std::vector<QString> fonts;
    std::vector<QColor> colors;
    auto indexOf = [](auto& list, const auto& v) {
        const auto it = std::find(list.begin(), list.end(), v);
        if (it != list.end())
            return int(it - list.begin());
        list.push_back(v);
        return int(list.size()) - 1;
    };
    QString body;
    for (QTextBlock b = Doc.begin(); b.isValid(); b = b.next()) {
        if (b != Doc.begin())
            body += QLatin1String("\\par\r\n");
        body += QLatin1String("\\pard");
        static const char* const kAlign[] = {"", "\\qr", "\\qc", "\\qj"};
        const QTextBlockFormat bf = b.blockFormat();
        body += QLatin1String(kAlign[AlignWord(bf.alignment())]);
        const auto indent = [&](const char* Word, double Pixels) {
            if (const int twips = qRound(Pixels * kTwipsPerPixel); twips != 0)
                body += QLatin1String(Word) + QString::number(twips);
        };
        indent("\\li", bf.leftMargin());
        indent("\\ri", bf.rightMargin());
        indent("\\fi", bf.textIndent());
        body += u' ';
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QTextCharFormat f = frag.charFormat();
            QString words;
            if (f.fontWeight() >= QFont::DemiBold)
                words += QLatin1String("\\b");
            if (f.fontItalic())
                words += QLatin1String("\\i");
            if (f.fontUnderline())
                words += QLatin1String("\\ul");
            if (f.fontStrikeOut())
                words += QLatin1String("\\strike");
            if (const QString family = FamilyOf(f); !family.isEmpty())
                words += QLatin1String("\\f") + QString::number(indexOf(fonts, family));
            if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
                words += QLatin1String("\\fs") + QString::number(qRound(f.fontPointSize() * 2));
            if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
                words += QLatin1String("\\cf") + QString::number(indexOf(colors, f.foreground().color().rgb()) + 1);
            if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
                words +=
                    QLatin1String("\\highlight") + QString::number(indexOf(colors, f.background().color().rgb()) + 1);
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                words += QLatin1String("\\super");
            else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
                words += QLatin1String("\\sub");
            if (words.isEmpty()) {
                AppendEscaped(body, frag.text());
            } else {
                body += u'{' + words + u' ';
                AppendEscaped(body, frag.text());
                body += u'}';
            }
        }
    }
    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\uc1");
    if (!fonts.empty()) {
        out += QLatin1String("{\\fonttbl");
        for (std::size_t i = 0; i < fonts.size(); ++i) {
            QString name;
            AppendEscaped(name, QString(fonts[i]).remove(u';'));
            out += QLatin1String("{\\f") + QString::number(i) + QLatin1String("\\fnil ") + name + QLatin1String(";}");
        }
        out += u'}';
    }
    if (!colors.empty()) {
        out += QLatin1String("{\\colortbl ;");
        for (const QColor& c : colors)
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        out += u'}';
    }
    return out + QLatin1String("\r\n") + body + u'}';
}

// --- drawing -------------------------------------------------------------------------------

namespace {

void Prepare(QTextDocument& Doc, const QString& Rtf, const QFont& BaseFont, double Width)
{
    Doc.setDocumentMargin(0);
    Doc.setDefaultFont(BaseFont);
    RichTextToDocument(Rtf, Doc);
    Doc.setTextWidth(Width > 0 ? Width : -1);
}

} // namespace

void DrawRichText(QPainter& Painter, const QString& Rtf, const TRichTextBox& Where)
{
    if (Where.Box.isEmpty() || Where.Scale <= 0)
        return;
    QTextDocument doc;
    Prepare(doc, Rtf, Where.BaseFont, Where.WordWrap ? Where.Box.width() / Where.Scale : 0);
    if (Where.TextColor.isValid()) {
        QTextCursor all(&doc);
        all.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setForeground(Where.TextColor);
        all.mergeCharFormat(f);
    }
    Painter.save();
    Painter.setClipRect(Where.Box, Qt::IntersectClip);
    Painter.translate(Where.Box.topLeft());
    Painter.scale(Where.Scale, Where.Scale);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, Where.BaseColor);
    ctx.clip = QRectF(0, 0, Where.Box.width() / Where.Scale, Where.Box.height() / Where.Scale);
    doc.documentLayout()->draw(&Painter, ctx);
    Painter.restore();
}

QSizeF RichTextSize(const QString& Rtf, const QFont& BaseFont, double Width)
{
    QTextDocument doc;
    Prepare(doc, Rtf, BaseFont, Width);
    return doc.size();
}

} // namespace grid
