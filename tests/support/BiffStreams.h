#pragma once
// .xls workbook streams made record by record, and the compound file that holds one as its
// "Workbook" stream (written by libgsf, as a spreadsheet program's library writes it).
#include <QFile>
#include <QString>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <string>

namespace biff {

inline std::string u16(unsigned V) { return {char(V & 0xFF), char(V >> 8 & 0xFF)}; }
inline std::string u32(unsigned V) { return u16(V & 0xFFFF) + u16(V >> 16); }
inline std::string rec(unsigned Type, const std::string& Body) { return u16(Type) + u16(unsigned(Body.size())) + Body; }

// A BIFF8 book of one sheet "Ab": the globals' records and the sheet's cell records given.
inline std::string book8(const std::string& Globals, const std::string& Cells)
{
    const std::string bof = rec(0x0809, u16(0x0600) + u16(0x0005) + u32(0) + u32(0) + u32(0));
    const std::size_t pos = bof.size() + 4 + 10 + Globals.size() + 4;
    return bof
        + rec(0x0085,
              u32(unsigned(pos)) + u16(0)
                  + std::string("\x02\x00"
                                "Ab",
                                4))
        + Globals + rec(0x000A, "") + rec(0x0809, u16(0x0600) + u16(0x0010) + u32(0) + u32(0) + u32(0)) + Cells
        + rec(0x000A, "");
}

// The stream in a compound file; false when it could not be written.
inline bool writeXls(const QString& File, const std::string& Stream)
{
    GsfOutput* out = gsf_output_stdio_new(QFile::encodeName(File).constData(), nullptr);
    if (!out)
        return false;
    GsfOutfile* ole = gsf_outfile_msole_new(out);
    GsfOutput* s = gsf_outfile_new_child(ole, "Workbook", FALSE);
    const bool ok = gsf_output_write(s, Stream.size(), reinterpret_cast<const guint8*>(Stream.data()));
    gsf_output_close(s);
    g_object_unref(s);
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    g_object_unref(out);
    return ok;
}

} // namespace biff
