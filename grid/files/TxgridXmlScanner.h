#pragma once
// The XML scanner of the .xlsx reader: a pull scanner over a part handed over in pieces (as
// libzip inflates it), small and bounded. It gives start and end tags with their attributes
// and text with its entities decoded, as views into its own buffer (valid until the next
// Next()), so that a sheet's million cells cost no allocation each. Comments, processing
// instructions and the XML declaration are passed over, CDATA is text; a DOCTYPE is refused
// (a package's parts never have one, and its entities are how XML bombs are built). A tag or
// a text run over 16 MiB, nesting deeper than 256 elements and anything malformed raise
// ETxGridError.
#include "grid/controls/TxgridError.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace grid {

// Appends to Out (UTF-8) the character the entity Name stands for ("amp", "#x41", ...): one of
// XML's five or a reference to a character XML allows. False for anything else, which no part
// of a package may hold (it has no DTD to declare more).
bool AppendXmlEntity(std::string_view Name, std::string& Out);

class TXmlScanner {
public:
    // Fills up to Max bytes at Data; 0 at the end of the part. It may throw (a limit passed).
    using TSource = std::function<qint64(char* Data, qint64 Max)>;
    enum TToken : unsigned char { xtNone, xtStart, xtEnd, xtText, xtDocEnd };
    static constexpr qint64 kMaxToken = qint64(16) << 20;
    static constexpr qint64 kPiece = 16 << 10;
    static constexpr int kMaxDepth = 256;

    // FileName names the workbook in the messages.
    TXmlScanner(TSource Source, QString FileName);

    TToken Next();
    TToken Token() const { return FToken; }
    // Start and end tags: the name without its namespace prefix.
    std::string_view Name() const { return FName; }
    bool IsStart(std::string_view LocalName) const { return FToken == xtStart && FName == LocalName; }
    bool IsEnd(std::string_view LocalName) const { return FToken == xtEnd && FName == LocalName; }
    // The depth of the element in hand: 1 for the root's start and end tags.
    int Depth() const { return FToken == xtEnd ? int(FOpen.size()) + 1 : int(FOpen.size()); }
    // An attribute of the start tag in hand by its name as written ("r", "r:id"), its value as
    // written (entities not decoded); empty when it is missing.
    std::string_view Attr(std::string_view QualifiedName) const;
    // An attribute value with its entities decoded, as text; Local: Name is the name without
    // its prefix ("id" for "r:id").
    QString AttrText(std::string_view Name, bool Local = false) const;
    // A text token: its UTF-8 text, entities decoded and line ends made "\n".
    std::string_view Text() const { return FText; }
    // At a start tag: the text up to its end tag, appended to Out as UTF-8 (comments left
    // out); an element inside it is malformed. The scanner stops at the end tag.
    void AppendElementText(std::string& Out);
    // Raises the workbook's "corrupt file" error.
    [[noreturn]] void Malformed() const;

    struct TAttr {
        std::string_view Name, Value; // as written
    };
    // The attributes of the start tag in hand, for a caller taking several at once.
    const std::vector<TAttr>& Attrs() const { return FAttrs; }

private:
    const TAttr* findAttr(std::string_view Name, bool Local) const;
    bool fill();
    // Makes sure the bytes From.. hold Needle, reading more as needed; its offset from the
    // buffer's start, or -1 at the end of the part.
    qint64 findFrom(qint64 From, std::string_view Needle);
    qint64 findTagEnd();
    bool scanStartTag(qint64 End);
    void scanEndTag(qint64 End);
    void decodeInto(std::string_view Raw, std::string& Out, bool Attribute) const;
    void skipBom();

    TSource FSource;
    QString FFileName;
    std::vector<char> FBuf;
    qint64 FPos = 0, FLen = 0; // the unread bytes are FBuf[FPos, FLen)
    bool FEof = false, FPendingEnd = false, FStarted = false, FRootSeen = false;
    TToken FToken = xtNone;
    std::string_view FName;
    std::string_view FText;
    std::string FScratch;
    std::vector<TAttr> FAttrs;
    std::vector<std::string> FOpen; // the qualified names of the open elements
    std::string FClosing;           // the name of a self-closed element, ended by the next Next()
};

} // namespace grid
