// The workbook stream's records: the globals first (code page, date system, active sheet,
// number formats, cell formats, shared strings, the sheets' places), then each sheet's cell
// records from its place. Every read is checked against the record it belongs to; a record
// running past the stream, or a value past its record, ends the reading as a corrupt file.
#include "grid/xls/TxgridBiff.h"
#include "grid/xls/TxgridDates.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace grid::xls {

namespace {

struct TCorrupt : std::runtime_error {
    TCorrupt() : std::runtime_error("corrupt") {}
};
struct TTooLarge : std::runtime_error {
    TTooLarge() : std::runtime_error("too large") {}
};

std::vector<TDateKind> builtinKinds()
{
    std::vector<TDateKind> k(65536);
    for (unsigned id = 0; id < 60; ++id)
        k[id] = BuiltinDateKind(id);
    return k;
}

enum : std::uint16_t {
    rtFormula = 0x0006,
    rtEof = 0x000A,
    rtDateMode = 0x0022,
    rtFilePass = 0x002F,
    rtContinue = 0x003C,
    rtWindow1 = 0x003D,
    rtCodePage = 0x0042,
    rtBoundSheet = 0x0085,
    rtMulRk = 0x00BD,
    rtRString = 0x00D6,
    rtXf = 0x00E0,
    rtSst = 0x00FC,
    rtLabelSst = 0x00FD,
    rtDimensions = 0x0200,
    rtNumber = 0x0203,
    rtLabel = 0x0204,
    rtBoolErr = 0x0205,
    rtString = 0x0207,
    rtRk = 0x027E,
    rtFormat = 0x041E,
    rtBof = 0x0809,
};

constexpr std::uint32_t kMaxRows = 1048576, kMaxCols = 16384; // beyond any BIFF sheet

// A record's body, or the body of a record and the CONTINUE records after it read as one:
// a text's characters that cross into the next segment go on after a new flags byte there.
class TCursor {
public:
    void Add(const unsigned char* Data, std::size_t Size) { FSegs.push_back({Data, Size}); }
    bool AtEnd()
    {
        settle();
        return FSeg >= FSegs.size();
    }
    std::uint8_t U8()
    {
        settle();
        if (FSeg >= FSegs.size())
            throw TCorrupt();
        return FSegs[FSeg].Data[FPos++];
    }
    std::uint16_t U16()
    {
        const std::uint16_t lo = U8();
        return std::uint16_t(lo | U8() << 8);
    }
    std::uint32_t U32()
    {
        const std::uint32_t lo = U16();
        return lo | std::uint32_t(U16()) << 16;
    }
    void Skip(std::size_t N)
    {
        while (N) {
            settle();
            if (FSeg >= FSegs.size())
                throw TCorrupt();
            const std::size_t n = std::min(N, FSegs[FSeg].Size - FPos);
            FPos += n;
            N -= n;
        }
    }
    // Count characters, one or two bytes each as Flags says, as UTF-8.
    void Chars(std::size_t Count, std::uint8_t Flags, std::string& Out)
    {
        std::uint32_t high = 0; // a high surrogate waiting for its low one
        bool first = true;
        while (Count) {
            if (!first && FPos >= FSegs[FSeg].Size) { // the text goes on in the next segment
                ++FSeg;
                FPos = 0;
                Flags = U8();
            }
            first = false;
            if (FSeg >= FSegs.size())
                throw TCorrupt();
            const TSeg& s = FSegs[FSeg];
            const std::size_t width = (Flags & 1) ? 2 : 1;
            while (Count && FPos + width <= s.Size) {
                std::uint32_t c = s.Data[FPos];
                if (width == 2)
                    c |= std::uint32_t(s.Data[FPos + 1]) << 8;
                FPos += width;
                --Count;
                if (high && c >= 0xDC00 && c < 0xE000) {
                    utf8(0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00), Out);
                    high = 0;
                    continue;
                }
                if (high)
                    utf8(0xFFFD, Out);
                high = c >= 0xD800 && c < 0xDC00 ? c : 0;
                if (!high)
                    utf8(c >= 0xDC00 && c < 0xE000 ? 0xFFFD : c, Out);
            }
            if (Count && FPos < s.Size) // half a character at the end of a segment
                throw TCorrupt();
        }
        if (high)
            utf8(0xFFFD, Out);
    }
    static void utf8(std::uint32_t C, std::string& Out)
    {
        if (C < 0x80) {
            Out += char(C);
        } else if (C < 0x800) {
            Out += char(0xC0 | C >> 6);
            Out += char(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
            Out += char(0xE0 | C >> 12);
            Out += char(0x80 | (C >> 6 & 0x3F));
            Out += char(0x80 | (C & 0x3F));
        } else {
            Out += char(0xF0 | C >> 18);
            Out += char(0x80 | (C >> 12 & 0x3F));
            Out += char(0x80 | (C >> 6 & 0x3F));
            Out += char(0x80 | (C & 0x3F));
        }
    }
    // Raw bytes (BIFF5 texts before their code page is applied), running on into the next
    // segments as a long text does; none for an empty text, even at the record's end.
    std::string Bytes(std::size_t N)
    {
        std::string s;
        while (N) {
            settle();
            if (FSeg >= FSegs.size())
                throw TCorrupt();
            const std::size_t n = std::min(N, FSegs[FSeg].Size - FPos);
            s.append(reinterpret_cast<const char*>(FSegs[FSeg].Data + FPos), n);
            FPos += n;
            N -= n;
        }
        return s;
    }

private:
    struct TSeg {
        const unsigned char* Data;
        std::size_t Size;
    };
    void settle()
    {
        while (FSeg < FSegs.size() && FPos >= FSegs[FSeg].Size) {
            ++FSeg;
            FPos = 0;
        }
    }
    std::vector<TSeg> FSegs;
    std::size_t FSeg = 0, FPos = 0;
};

// --- the reader ------------------------------------------------------------------------------

struct TRecord {
    std::uint16_t Type = 0;
    const unsigned char* Data = nullptr;
    std::size_t Size = 0;
};

struct TSheetPlace {
    std::uint32_t Pos = 0;
    std::string Name;
};

class TReader {
public:
    TReader(const unsigned char* Data, std::size_t Size, TBiffOutput& Out) : FData(Data), FSize(Size), FOut(Out) {}
    ~TReader()
    {
        if (FIconv != reinterpret_cast<iconv_t>(-1))
            iconv_close(FIconv);
    }
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    TBiffResult Run()
    {
        readGlobals();
        if (FEncrypted)
            return brEncrypted;
        put('A');
        put32(FActive < FSheets.size() ? FActive : 0);
        for (const TSheetPlace& s : FSheets) {
            put('S');
            putText(s.Name);
            readSheet(s.Pos);
        }
        put('E');
        return brRead;
    }

private:
    // The record at Pos, moved past.
    TRecord next(std::size_t& Pos) const
    {
        if (Pos > FSize || FSize - Pos < 4)
            throw TCorrupt();
        TRecord r;
        r.Type = std::uint16_t(FData[Pos] | FData[Pos + 1] << 8);
        r.Size = std::size_t(FData[Pos + 2] | FData[Pos + 3] << 8);
        r.Data = FData + Pos + 4;
        if (FSize - Pos - 4 < r.Size)
            throw TCorrupt();
        Pos += 4 + r.Size;
        return r;
    }
    // The record and the CONTINUE records right after it, as one cursor.
    TCursor continued(const TRecord& R, std::size_t& Pos) const
    {
        TCursor c;
        c.Add(R.Data, R.Size);
        while (FSize - Pos >= 4 && FData[Pos] == (rtContinue & 0xFF) && FData[Pos + 1] == rtContinue >> 8) {
            const TRecord more = next(Pos);
            c.Add(more.Data, more.Size);
        }
        return c;
    }
    static std::uint16_t u16(const TRecord& R, std::size_t At)
    {
        if (R.Size < At + 2)
            throw TCorrupt();
        return std::uint16_t(R.Data[At] | R.Data[At + 1] << 8);
    }
    static std::uint32_t u32(const TRecord& R, std::size_t At)
    {
        return u16(R, At) | std::uint32_t(u16(R, At + 2)) << 16;
    }
    static double f64(const TRecord& R, std::size_t At)
    {
        if (R.Size < At + 8)
            throw TCorrupt();
        double v;
        std::memcpy(&v, R.Data + At, 8); // the platforms built for are little-endian
        return v;
    }

    // A text: BIFF8's characters with their flags byte (rich runs and phonetic data after
    // them skipped where Rich says they may be), BIFF5's bytes in the stream's code page.
    std::string text(TCursor& C, std::size_t Count, bool Rich)
    {
        std::string s;
        if (!FBiff8) {
            decode(C.Bytes(Count), s);
            return s;
        }
        const std::uint8_t flags = C.U8();
        std::uint16_t runs = 0;
        std::uint32_t ext = 0;
        if (Rich && (flags & 0x08))
            runs = C.U16();
        if (Rich && (flags & 0x04))
            ext = C.U32();
        C.Chars(Count, flags, s);
        C.Skip(std::size_t(runs) * 4);
        C.Skip(ext);
        return s;
    }
    void decode(const std::string& Bytes, std::string& Out)
    {
        if (FIconv == reinterpret_cast<iconv_t>(-1)) {
            const std::string name = FCodePage == 367                       ? "ASCII"
                : FCodePage == 65001                                        ? "UTF-8"
                : FCodePage == 32768                                        ? "MACINTOSH"
                : FCodePage == 0 || FCodePage == 1200 || FCodePage == 32769 ? "CP1252"
                                                                            : "CP" + std::to_string(FCodePage);
            FIconv = iconv_open("UTF-8", name.c_str());
            if (FIconv == reinterpret_cast<iconv_t>(-1))
                FIconv = iconv_open("UTF-8", "CP1252");
            if (FIconv == reinterpret_cast<iconv_t>(-1))
                throw TCorrupt();
        }
        iconv(FIconv, nullptr, nullptr, nullptr, nullptr);
        std::string in = Bytes;
        char* src = in.data();
        std::size_t left = in.size();
        char buf[1024];
        while (left) {
            char* dst = buf;
            std::size_t room = sizeof buf;
            const std::size_t r = iconv(FIconv, &src, &left, &dst, &room);
            Out.append(buf, std::size_t(dst - buf));
            if (r == std::size_t(-1) && errno != E2BIG) { // a byte the code page lacks
                Out += "\xEF\xBF\xBD";
                ++src;
                --left;
                iconv(FIconv, nullptr, nullptr, nullptr, nullptr);
            }
        }
    }

    void readGlobals()
    {
        std::size_t pos = 0;
        const TRecord bof = next(pos);
        if (bof.Type != rtBof || u16(bof, 2) != 0x0005)
            throw TCorrupt();
        const std::uint16_t version = u16(bof, 0);
        if (version != 0x0600 && version != 0x0500)
            throw TCorrupt();
        FBiff8 = version == 0x0600;
        for (;;) {
            const TRecord r = next(pos);
            switch (r.Type) {
            case rtEof:
                // Each cell format's date kind once, not looked up by every cell.
                FXfKinds.reserve(FXfFormats.size());
                for (const std::uint16_t f : FXfFormats)
                    FXfKinds.push_back(FFormatKinds[f]);
                return;
            case rtFilePass: FEncrypted = true; return;
            case rtCodePage: FCodePage = u16(r, 0); break;
            case rtDateMode: F1904 = u16(r, 0) == 1; break;
            case rtWindow1:
                if (!FWindowSeen)
                    FActive = u16(r, 10);
                FWindowSeen = true;
                break;
            case rtFormat: {
                const std::uint16_t id = u16(r, 0);
                TCursor c;
                c.Add(r.Data + 2, r.Size - 2);
                const std::size_t n = FBiff8 ? c.U16() : c.U8();
                FFormatKinds[id] = FormatDateKind(text(c, n, false)); // a later one wins
                break;
            }
            case rtXf:
                if (FXfFormats.size() >= 65536)
                    throw TCorrupt();
                FXfFormats.push_back(u16(r, 2));
                break;
            case rtBoundSheet: {
                TSheetPlace s;
                s.Pos = u32(r, 0);
                TCursor c;
                c.Add(r.Data + 6, r.Size >= 6 ? r.Size - 6 : 0);
                if (r.Size < 6)
                    throw TCorrupt();
                s.Name = text(c, c.U8(), false);
                if (FSheets.size() >= 4096)
                    throw TCorrupt();
                FSheets.push_back(std::move(s));
                break;
            }
            case rtSst: {
                TCursor c = continued(r, pos);
                c.Skip(4);
                const std::uint32_t unique = c.U32();
                // The count saves growing the list, within reason (it may lie).
                FShared.reserve(std::min<std::size_t>(unique, std::size_t(1) << 20));
                for (std::uint32_t i = 0; i < unique && !c.AtEnd(); ++i) {
                    // Every entry costs its slot, however empty: more than the cells a
                    // workbook may hold can never all be used.
                    if (FShared.size() >= kBiffMaxStrings)
                        throw TTooLarge();
                    FShared.push_back(text(c, c.U16(), true));
                }
                break;
            }
            default: break;
            }
        }
    }

    TDateKind dateKind(std::uint16_t Xf) const { return Xf < FXfKinds.size() ? FXfKinds[Xf] : dkNone; }

    void cell(std::uint32_t Row, std::uint32_t Col)
    {
        if (Row >= kMaxRows || Col >= kMaxCols)
            throw TCorrupt();
        put('C');
        put32(Row);
        put32(Col);
    }
    void number(std::uint32_t Row, std::uint32_t Col, std::uint16_t Xf, double V)
    {
        cell(Row, Col);
        std::string date;
        if (const TDateKind k = dateKind(Xf); k != dkNone && SerialDateText(V, k, F1904, date)) {
            put('T');
            putText(date);
            return;
        }
        put('N');
        put(&V, 8);
    }
    void string(std::uint32_t Row, std::uint32_t Col, const std::string& S)
    {
        cell(Row, Col);
        put('T');
        putText(S);
    }
    static double rk(std::uint32_t V)
    {
        double d;
        if (V & 2) {
            d = double(std::int32_t(V) >> 2);
        } else {
            const std::uint64_t bits = std::uint64_t(V & 0xFFFFFFFCu) << 32;
            std::memcpy(&d, &bits, 8);
        }
        return (V & 1) ? d / 100 : d;
    }

    // One sheet's substream from its BOF at Pos; the substreams inside it (a chart placed on
    // the sheet) are passed over whole.
    void readSheet(std::size_t Pos)
    {
        if (Pos >= FSize)
            throw TCorrupt();
        int depth = 0;
        bool cells = true;    // a worksheet; a chart sheet or a module holds no cells
        bool pending = false; // a formula whose text result comes in the next STRING record
        std::uint32_t pendingRow = 0, pendingCol = 0;
        auto unreadable = [&] {
            if (pending) {
                put('U');
                put32(pendingRow);
                put32(pendingCol);
            }
            pending = false;
        };
        for (bool first = true;; first = false) {
            const TRecord r = next(Pos);
            if (first && r.Type != rtBof)
                throw TCorrupt();
            if (first)
                cells = u16(r, 2) == 0x0010;
            if (r.Type == rtBof) {
                if (++depth > 16)
                    throw TCorrupt();
                continue;
            }
            if (r.Type == rtEof) {
                if (--depth == 0)
                    break;
                continue;
            }
            if (depth != 1 || !cells)
                continue;
            switch (r.Type) {
            case rtDimensions: {
                std::uint32_t r1, r2;
                std::uint16_t c1, c2;
                if (FBiff8) {
                    r1 = u32(r, 0);
                    r2 = u32(r, 4);
                    c1 = u16(r, 8);
                    c2 = u16(r, 10);
                } else {
                    r1 = u16(r, 0);
                    r2 = u16(r, 2);
                    c1 = u16(r, 4);
                    c2 = u16(r, 6);
                }
                if (r2 > kMaxRows || c2 > kMaxCols)
                    throw TCorrupt();
                if (r2 > r1 && c2 > c1) {
                    put('R');
                    put32(r1);
                    put32(c1);
                    put32(r2 - 1);
                    put32(std::uint32_t(c2) - 1);
                }
                break;
            }
            case rtNumber:
                unreadable();
                number(u16(r, 0), u16(r, 2), u16(r, 4), f64(r, 6));
                break;
            case rtRk:
                unreadable();
                number(u16(r, 0), u16(r, 2), u16(r, 4), rk(u32(r, 6)));
                break;
            case rtMulRk: {
                unreadable();
                if (r.Size < 6 || (r.Size - 6) % 6 != 0)
                    throw TCorrupt();
                const std::uint16_t row = u16(r, 0), first = u16(r, 2);
                for (std::size_t i = 0; i < (r.Size - 6) / 6; ++i)
                    number(row, std::uint32_t(first + i), u16(r, 4 + 6 * i), rk(u32(r, 6 + 6 * i)));
                break;
            }
            case rtLabelSst: {
                unreadable();
                const std::uint32_t i = u32(r, 6);
                if (i < FShared.size()) {
                    string(u16(r, 0), u16(r, 2), FShared[i]);
                } else {
                    put('U');
                    put32(u16(r, 0));
                    put32(u16(r, 2));
                }
                break;
            }
            case rtLabel:
            case rtRString: {
                unreadable();
                if (r.Size < 8)
                    throw TCorrupt();
                // A long text goes on in CONTINUE records, as a shared string does.
                TCursor c = continued(r, Pos);
                c.Skip(6);
                string(u16(r, 0), u16(r, 2), text(c, c.U16(), false));
                break;
            }
            case rtBoolErr: {
                unreadable();
                if (r.Size < 8)
                    throw TCorrupt();
                cell(u16(r, 0), u16(r, 2));
                if (r.Data[7]) {
                    put('X');
                } else {
                    put('B');
                    put(r.Data[6] ? '\1' : '\0');
                }
                break;
            }
            case rtFormula: {
                unreadable();
                const std::uint16_t row = u16(r, 0), col = u16(r, 2), xf = u16(r, 4);
                if (r.Size < 14)
                    throw TCorrupt();
                const unsigned char* v = r.Data + 6;
                if (v[6] != 0xFF || v[7] != 0xFF) {
                    number(row, col, xf, f64(r, 6));
                    break;
                }
                switch (v[0]) {
                case 0:                  // a text, in the STRING record that follows
                    if (col >= kMaxCols) // a 16-bit row is within every sheet
                        throw TCorrupt();
                    pending = true;
                    pendingRow = row;
                    pendingCol = col;
                    break;
                case 1:
                    cell(row, col);
                    put('B');
                    put(v[2] ? '\1' : '\0');
                    break;
                case 2:
                    cell(row, col);
                    put('X');
                    break;
                case 3: break; // an empty text: an empty cell
                default:
                    put('U');
                    put32(row);
                    put32(col);
                }
                break;
            }
            case rtString: {
                if (!pending)
                    break;
                TCursor c = continued(r, Pos);
                const std::size_t n = c.U16();
                string(pendingRow, pendingCol, text(c, n, false));
                pending = false;
                break;
            }
            default: break;
            }
        }
        unreadable();
    }

    void put(char C) { FOut.Write(&C, 1); }
    void put(const void* Data, std::size_t Size) { FOut.Write(Data, Size); }
    void put32(std::uint32_t V)
    {
        const unsigned char b[4] = {static_cast<unsigned char>(V), static_cast<unsigned char>(V >> 8),
                                    static_cast<unsigned char>(V >> 16), static_cast<unsigned char>(V >> 24)};
        put(b, 4);
    }
    void putText(const std::string& S)
    {
        put32(std::uint32_t(S.size()));
        put(S.data(), S.size());
    }

    const unsigned char* FData;
    std::size_t FSize;
    TBiffOutput& FOut;
    bool FBiff8 = true, F1904 = false, FEncrypted = false, FWindowSeen = false;
    unsigned FCodePage = 0;
    std::uint32_t FActive = 0;
    iconv_t FIconv = reinterpret_cast<iconv_t>(-1);
    std::vector<TDateKind> FFormatKinds = builtinKinds(); // by number format
    std::vector<TDateKind> FXfKinds;                      // by cell format
    std::vector<std::uint16_t> FXfFormats;
    std::vector<std::string> FShared;
    std::vector<TSheetPlace> FSheets;
};

} // namespace

TBiffResult ReadBiffWorkbook(const unsigned char* Data, std::size_t Size, TBiffOutput& Out)
{
    try {
        TReader reader(Data, Size, Out);
        return reader.Run();
    } catch (const TCorrupt&) {
        return brCorrupt;
    } catch (const TTooLarge&) {
        return brTooLarge;
    }
}

} // namespace grid::xls
