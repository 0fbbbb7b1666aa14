#include "reportlib/Salvista.h"

#include "reportlib/QRMDForm_Sprzedaz_Wg_Dokumentow.h"
#include "reportlib/QRMDForm_Sprzedaz_Wg_Klientow.h"
#include "reportlib/QRMDForm_Sprzedaz_Wg_Towarow.h"
#include "platform/codepage/Cp1250.h"
#include "platform/ui/Application.h"

#include <QApplication>

#include <memory>
#include <optional>

namespace {

// Creates the form, keeps it in its global pointer while the call lasts, opens its data with
// `open`, shows the preview and deletes the form. Any failure is shown as a message instead of
// leaving the entry point, and nothing is shown of the report then.
template <class Form, class Open>
void showReport(QApplication* application, const char* dateFrom, const char* dateTo, Form*& global, Open open)
{
    if (!QApplication::instance())
        return; // no application: nothing can be shown, not even a message
    ui::guard([&] {
        QObject* owner = ui::hostApplication(application);
        const QString od = text::fromCp1250(dateFrom);
        const QString do_ = text::fromCp1250(dateTo);
        std::unique_ptr<Form> form(new Form(owner));
        global = form.get();
        struct Clear {
            Form*& g;
            ~Clear() { g = nullptr; }
        } clear{global};
        open(*form, Okres_Z_Tekstow(od, do_));
        form->Ustaw_Okres(od, do_);
        form->Pokaz();
    });
}

} // namespace

void ShowSprzWgDok(QApplication* application, const char* dateFrom, const char* dateTo, bool fv, bool kfv, bool pfv,
                   bool nfv)
{
    showReport(application, dateFrom, dateTo, QRMDForm_Sprzedaz_Wg_Dokumentow,
               [&](TQRMDForm_Sprzedaz_Wg_Dokumentow& f, const Okres& okres) {
                   f.Otworz(okres, Rodzaje_Dokumentow{fv, kfv, pfv, nfv});
               });
}

void ShowSprzWgKlientow(QApplication* application, const char* dateFrom, const char* dateTo)
{
    showReport(application, dateFrom, dateTo, QRMDForm_Sprzedaz_Wg_Klientow,
               [](TQRMDForm_Sprzedaz_Wg_Klientow& f, const Okres& okres) { f.Otworz(okres, std::nullopt); });
}

void ShowSprzDlaKlienta(QApplication* application, const char* dateFrom, const char* dateTo, const char* clientNumber)
{
    const QString nr = text::fromCp1250(clientNumber);
    showReport(application, dateFrom, dateTo, QRMDForm_Sprzedaz_Wg_Klientow,
               [&](TQRMDForm_Sprzedaz_Wg_Klientow& f, const Okres& okres) {
                   f.Ustaw_Tytul(QStringLiteral("Sprzedaż dla Klienta nr ") + nr);
                   f.Otworz(okres, nr);
               });
}

void ShowSprzWgTowarow(QApplication* application, const char* dateFrom, const char* dateTo)
{
    showReport(application, dateFrom, dateTo, QRMDForm_Sprzedaz_Wg_Towarow,
               [](TQRMDForm_Sprzedaz_Wg_Towarow& f, const Okres& okres) { f.Otworz(okres, std::nullopt); });
}

void ShowSprzDlaTowaru(QApplication* application, const char* dateFrom, const char* dateTo, const char* symbol)
{
    const QString s = text::fromCp1250(symbol);
    showReport(application, dateFrom, dateTo, QRMDForm_Sprzedaz_Wg_Towarow,
               [&](TQRMDForm_Sprzedaz_Wg_Towarow& f, const Okres& okres) {
                   f.Ustaw_Tytul(QStringLiteral("Sprzedaż dla towaru / usługi symbol ") + s);
                   f.Otworz(okres, s);
               });
}
