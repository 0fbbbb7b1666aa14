#pragma once
// The entry points of the invoice print library. Each prints one stored document straight to the
// printer: the originals marked "Oryginał", then the copies marked "Kopia". Arguments: the host's
// application object, the document's Id as text, the number of originals, the number of copies,
// the duplicate caption ("Duplikat" or empty) and the duplicate date; texts are NUL-terminated
// Windows-1250, owned by the caller. No error leaves an entry point: it is shown and the call
// returns. An id of no document, or of a document of another type than the entry point prints,
// and counts out of range are refused in the same way, with nothing printed. The pro forma printouts have no duplicate marking and ignore the last two; the notes
// have no page count.
#include <QtGlobal>

class QApplication;

#define DOKPRESS_EXPORT __attribute__((visibility("default")))

// The counts an entry point accepts; any other count is refused with a message, nothing printed.
namespace dokpress {
constexpr qint32 MinOriginals = 1;
constexpr qint32 MinCopies = 0;
constexpr qint32 MaxCount = 99;
} // namespace dokpress

// The type of every entry point, for the host's look-up by name ("_ShowFaktStdRep").
using ShowFaktProc = void (*)(QApplication* application, const char* id, qint32 originals, qint32 copies,
                              const char* duplicateCaption, const char* duplicateDate);

// Each entry point is exported under its name with a leading underscore ("_ShowFaktStdRep").
#define DOKPRESS_ENTRY_POINT(name)                                                                                     \
    DOKPRESS_EXPORT void name(QApplication* application, const char* id, qint32 originals, qint32 copies,              \
                              const char* duplicateCaption, const char* duplicateDate) __asm__("_" #name)

extern "C" {
DOKPRESS_ENTRY_POINT(ShowFaktStdRep);
DOKPRESS_ENTRY_POINT(ShowFaktProFRep);
DOKPRESS_ENTRY_POINT(ShowFaktKorRep);
DOKPRESS_ENTRY_POINT(ShowFaktNotaRep);
DOKPRESS_ENTRY_POINT(ShowFaktStdBRep);
DOKPRESS_ENTRY_POINT(ShowFaktProFBRep);
DOKPRESS_ENTRY_POINT(ShowFaktKorBRep);
DOKPRESS_ENTRY_POINT(ShowFaktStdRepAng);
DOKPRESS_ENTRY_POINT(ShowFaktProFRepAng);
DOKPRESS_ENTRY_POINT(ShowFaktKorRepAng);
DOKPRESS_ENTRY_POINT(ShowFaktNotaRepAng);
}
