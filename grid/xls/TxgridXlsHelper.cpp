// txgrid-xls: reads one .xls file and writes its sheets and cells to standard output, for the
// grid library, which runs it as a separate process under memory and time limits so that a
// fault of the parsing on a damaged file cannot reach the program's memory. libgsf opens the
// compound file and its workbook stream; the stream's records are read by TxgridBiff.cpp,
// whose header gives the output's records.
//
// Usage: txgrid-xls FILE. Exit status 0 when read, 2 when the file is no readable .xls,
// 3 on wrong use, 4 when the workbook is protected by a password, 5 when the memory allowed
// to the helper is not enough, 6 when its shared string table holds more entries than the
// cells a workbook may hold, 7 when the compound file's directory is nested or chained
// deeper than libgsf can walk, 8 when its links loop.
#include "grid/xls/TxgridBiff.h"
#include "grid/xls/TxgridCompound.h"

#include <cstdio>
#include <cstring>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>
#include <new>
#include <strings.h>
#include <vector>

namespace {

class TStdout : public grid::xls::TBiffOutput {
public:
    void Write(const void* Data, std::size_t Size) override { std::fwrite(Data, 1, Size, stdout); }
};

// The workbook stream, "Workbook" (BIFF8) or "Book" (BIFF5) in any case; false when the file
// is no compound file holding one. The stream is never longer than the file it lies in.
bool workbookStream(const char* FileName, std::vector<unsigned char>& Out)
{
    GError* err = nullptr;
    GsfInput* file = gsf_input_stdio_new(FileName, &err);
    if (!file) {
        g_clear_error(&err);
        return false;
    }
    const gsf_off_t fileSize = gsf_input_size(file);
    GsfInfile* ole = gsf_infile_msole_new(file, &err);
    g_object_unref(file);
    if (!ole) {
        g_clear_error(&err);
        return false;
    }
    GsfInput* stream = nullptr;
    for (const char* name : {"Workbook", "Book"})
        for (int i = 0; !stream && i < gsf_infile_num_children(ole); ++i) {
            const char* child = gsf_infile_name_by_index(ole, i);
            if (child && strcasecmp(child, name) == 0)
                stream = gsf_infile_child_by_index(ole, i);
        }
    bool ok = false;
    if (stream) {
        const gsf_off_t size = gsf_input_size(stream);
        if (size >= 0 && size <= fileSize) {
            Out.resize(std::size_t(size));
            ok = size == 0 || gsf_input_read(stream, std::size_t(size), Out.data()) != nullptr;
        }
        g_object_unref(stream);
    }
    g_object_unref(ole);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 3;
    try {
        if (std::FILE* f = std::fopen(argv[1], "rb")) {
            const grid::xls::TCompoundCheck check = grid::xls::CheckCompoundDirectory(f);
            std::fclose(f);
            if (check != grid::xls::ccFine)
                return check == grid::xls::ccTooDeep ? 7 : 8;
        }
        gsf_init();
        std::vector<unsigned char> stream;
        if (!workbookStream(argv[1], stream))
            return 2;
        TStdout out;
        const grid::xls::TBiffResult result = grid::xls::ReadBiffWorkbook(stream.data(), stream.size(), out);
        if (std::fflush(stdout) != 0)
            return 3;
        return result;
    } catch (const std::bad_alloc&) {
        return 5;
    }
}
