// txgrid-xls: reads one .xls (BIFF) file with FreeXL and writes its cells to standard output,
// for the grid library, which runs it as a separate process under memory and time limits so
// that a fault of the parser on a damaged file cannot reach the program's memory.
//
// Usage: txgrid-xls FILE. Output, little-endian, in this order:
//   'S' u32 length, the sheet's name in UTF-8            a sheet begins
//   'C' u32 row, u32 column, then 'N' f64 value          a number
//                            or   'T' u32 length, UTF-8  a text (dates as "YYYY-MM-DD" etc.)
//   'E'                                                  the file was read whole
// Exit status 0 when read, 2 when FreeXL refuses the file, 3 on wrong use.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <freexl.h>

namespace {

void put32(std::uint32_t V)
{
    unsigned char b[4] = {static_cast<unsigned char>(V), static_cast<unsigned char>(V >> 8),
                          static_cast<unsigned char>(V >> 16), static_cast<unsigned char>(V >> 24)};
    std::fwrite(b, 1, 4, stdout);
}

void putText(const char* Text)
{
    const std::size_t n = Text ? std::strlen(Text) : 0;
    put32(static_cast<std::uint32_t>(n));
    if (n)
        std::fwrite(Text, 1, n, stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 3;
    const void* h = nullptr;
    unsigned int sheets = 0;
    if (freexl_open(argv[1], &h) != FREEXL_OK || freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
        if (h)
            freexl_close(h);
        return 2;
    }
    for (unsigned int i = 0; i < sheets && i < 65536; ++i) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_get_worksheet_name(h, static_cast<unsigned short>(i), &name) != FREEXL_OK
            || freexl_select_active_worksheet(h, static_cast<unsigned short>(i)) != FREEXL_OK
            || freexl_worksheet_dimensions(h, &rows, &cols) != FREEXL_OK) {
            freexl_close(h);
            return 2;
        }
        std::fputc('S', stdout);
        putText(name);
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(h, r, c, &cell) != FREEXL_OK)
                    continue;
                double number = 0;
                const char* text = nullptr;
                switch (cell.type) {
                case FREEXL_CELL_INT: number = cell.value.int_value; break;
                case FREEXL_CELL_DOUBLE: number = cell.value.double_value; break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: text = cell.value.text_value ? cell.value.text_value : ""; break;
                default: continue; // no value
                }
                std::fputc('C', stdout);
                put32(r);
                put32(c);
                if (text) {
                    std::fputc('T', stdout);
                    putText(text);
                } else {
                    std::fputc('N', stdout);
                    unsigned char b[8];
                    std::memcpy(b, &number, 8); // the platforms built for are little-endian
                    std::fwrite(b, 1, 8, stdout);
                }
            }
    }
    freexl_close(h);
    std::fputc('E', stdout);
    return std::fflush(stdout) == 0 ? 0 : 3;
}
