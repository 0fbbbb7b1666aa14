#pragma once
// The entry points of the sales report library. Each shows one sales report over a period in
// the modal preview and returns when the preview closes. Arguments: the host's application
// object, the period's first and last date as text in the desktop's short date format, then the
// four document types (FV, KFV, PFV, NFV), a client number or a goods symbol; texts are
// NUL-terminated Windows-1250, owned by the caller. No error leaves an entry point: it is shown
// as a message and the call returns.
#include <QtGlobal>

class QApplication;

#define SALVISTA_EXPORT __attribute__((visibility("default")))

// The types of the entry points, for the host's look-up by name.
using ShowSprzWgDokProc = void (*)(QApplication* application, const char* dateFrom, const char* dateTo, bool fv,
                                   bool kfv, bool pfv, bool nfv); // "_ShowSprzWgDok"
using ShowSprzOkresProc = void (*)(QApplication* application, const char* dateFrom, const char* dateTo);
// "_ShowSprzWgKlientow", "_ShowSprzWgTowarow"
using ShowSprzDlaProc =
    void (*)(QApplication* application, const char* dateFrom, const char* dateTo,
             const char* key); // "_ShowSprzDlaKlienta" (client number), "_ShowSprzDlaTowaru" (symbol)

extern "C" {
SALVISTA_EXPORT void ShowSprzWgDok(QApplication* application, const char* dateFrom, const char* dateTo, bool fv,
                                   bool kfv, bool pfv, bool nfv) __asm__("_ShowSprzWgDok");
SALVISTA_EXPORT void ShowSprzWgKlientow(QApplication* application, const char* dateFrom,
                                        const char* dateTo) __asm__("_ShowSprzWgKlientow");
SALVISTA_EXPORT void ShowSprzDlaKlienta(QApplication* application, const char* dateFrom, const char* dateTo,
                                        const char* clientNumber) __asm__("_ShowSprzDlaKlienta");
SALVISTA_EXPORT void ShowSprzWgTowarow(QApplication* application, const char* dateFrom,
                                       const char* dateTo) __asm__("_ShowSprzWgTowarow");
SALVISTA_EXPORT void ShowSprzDlaTowaru(QApplication* application, const char* dateFrom, const char* dateTo,
                                       const char* symbol) __asm__("_ShowSprzDlaTowaru");
}
