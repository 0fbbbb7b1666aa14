#pragma once
// The records of an .xls workbook stream (BIFF8, and BIFF5 whose texts are in the code page
// the stream names) read into the helper's output: sheets, the range each declares used, and
// every cell with a value, formulas as the result the file stores. Plain C++ with no library
// beyond the C one, so that it runs in the helper process under its limits.
//
// Output, little-endian, in this order:
//   'A' u32 index                                        the active sheet, from 0
//   'S' u32 length, the sheet's name in UTF-8            a sheet begins
//   'R' u32 row, u32 column, u32 row, u32 column         the range the sheet declares used,
//                                                        both corners included, from 0
//   'C' u32 row, u32 column, then 'N' f64 value          a number
//                            or   'T' u32 length, UTF-8  a text (dates as "YYYY-MM-DD" etc.)
//                            or   'B' u8 0 or 1          a boolean
//                            or   'X'                    an error value (#DIV/0! ...)
//   'U' u32 row, u32 column                              a cell whose value cannot be read
//   'E'                                                  the stream was read whole
#include <cstddef>

namespace grid::xls {

// Where the output goes: the helper's pipe, or a test's counter.
class TBiffOutput {
public:
    virtual ~TBiffOutput() = default;
    virtual void Write(const void* Data, std::size_t Size) = 0;
};

// brTooLarge: the shared string table holds more entries than kBiffMaxStrings, the cells a
// workbook may hold (the library's cell limit).
enum TBiffResult { brRead = 0, brCorrupt = 2, brEncrypted = 4, brTooLarge = 6 };
constexpr std::size_t kBiffMaxStrings = 2'000'000;

// Reads the whole workbook stream Data; on any other result than brRead the output stops where
// the reading did, without 'E'. Never reads outside Data.
TBiffResult ReadBiffWorkbook(const unsigned char* Data, std::size_t Size, TBiffOutput& Out);

} // namespace grid::xls
