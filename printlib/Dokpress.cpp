#include "printlib/Dokpress.h"

#include "printlib/Fakt_Std.h"
#include "platform/report/Output.h"
#include "platform/text/Cp1250.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Application.h"

#include <QApplication>

#include <memory>

namespace {

// The library takes the host's application object as its own on the first call and keeps it for
// the rest of the run; the forms are owned by it.
QApplication* g_application = nullptr;

QObject* applicationFor(QApplication* caller)
{
    if (!g_application)
        g_application = caller ? caller : qApp;
    return g_application;
}

struct Options {
    bool vatSummary = true;
    bool duplicate = true;
    bool pageCount = true;
};

// One run of the report: the copy label, the page count from a first layout, then the printer.
void printRun(TFakt_Form& form, const QString& label, int count, const Options& o)
{
    form.QRL_OrgKop->setText(label);
    report::PageList pages = form.QuickRep1.prepare();
    if (o.pageCount && form.QRL_Strona) {
        form.QRL_Strona->setText(QString::number(pages.pageCount()));
        pages = form.QuickRep1.prepare();
    }
    report::print(pages, report::PrintJob{form.documentNumber(), label, count});
}

template <class Form>
void printDocument(QApplication* application, const char* idText, qint32 originals, qint32 copies,
                   const char* duplicateCaption, const char* duplicateDate, Form*& global,
                   const Options& o)
{
    ui::guard([&] {
        QObject* owner = applicationFor(application);
        const QString idArg = text::fromCp1250(idText);
        bool ok = false;
        const int id = text::parseInt(idArg, &ok);
        if (!ok)
            throw report::Error(QStringLiteral("„%1” nie jest poprawną liczbą całkowitą.").arg(idArg));
        std::unique_ptr<Form> form(new Form(owner));
        global = form.get();
        struct Clear {
            Form*& g;
            ~Clear() { g = nullptr; }
        } clear{global};
        form->openHeader(id);
        if (o.vatSummary)
            form->openVatSummary(id);
        if (o.duplicate) {
            const QString caption = text::fromCp1250(duplicateCaption);
            const QString date = text::fromCp1250(duplicateDate);
            form->QRL_Duplikat->setText(caption);
            form->QRL_Data_Dupl->setText(caption.isEmpty() ? date : QStringLiteral("wystawiono dnia :") + date);
        }
        form->openDetails();
        printRun(*form, QStringLiteral("Oryginał"), originals, o);
        if (copies > 0)
            printRun(*form, QStringLiteral("Kopia"), copies, o);
    });
}

} // namespace

void ShowFaktStdRep(QApplication* application, const char* id, qint32 originals, qint32 copies,
                    const char* duplicateCaption, const char* duplicateDate)
{
    printDocument(application, id, originals, copies, duplicateCaption, duplicateDate, Form_Fakt_Std,
                  Options{});
}
