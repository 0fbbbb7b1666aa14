#pragma once
// The entry points of the invoice print library. Each prints one stored document straight to the
// printer: the originals marked "Oryginał", then the copies marked "Kopia". Arguments: the host's
// application object, the document's Id as text, the number of originals, the number of copies,
// the duplicate caption ("Duplikat" or empty) and the duplicate date; texts are NUL-terminated
// Windows-1250, owned by the caller. No error leaves an entry point: it is shown and the call
// returns.
#include <QtGlobal>

class QApplication;

#define DOKPRESS_EXPORT __attribute__((visibility("default")))

// The type of every entry point, for the host's look-up by name ("_ShowFaktStdRep").
using ShowFaktProc = void (*)(QApplication* application, const char* id, qint32 originals,
                              qint32 copies, const char* duplicateCaption, const char* duplicateDate);

extern "C" {
DOKPRESS_EXPORT void ShowFaktStdRep(QApplication* application, const char* id, qint32 originals,
                                    qint32 copies, const char* duplicateCaption,
                                    const char* duplicateDate) __asm__("_ShowFaktStdRep");
}
