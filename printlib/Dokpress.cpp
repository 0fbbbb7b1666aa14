#include "printlib/Dokpress.h"

#include "printlib/Fakt_Forms.h"
#include "platform/data/Connection.h"
#include "platform/data/ProgramConnection.h"
#include "platform/report/Output.h"
#include "platform/codepage/Cp1250.h"
#include "platform/text/Numbers.h"
#include "platform/ui/Application.h"

#include <QApplication>

#include <memory>

namespace {

// One run of the report: the copy label, the page count from a first layout (not on notes), then
// the printer.
void printRun(TFakt_Form& form, const QString& label, const QString& englishLabel, int count)
{
    form.QRL_OrgKop->setText(label);
    if (form.QRL_OrgKop_Ang)
        form.QRL_OrgKop_Ang->setText(englishLabel);
    report::PageList pages = form.layOut();
    const QString name = form.documentNumber();
    if (form.QRL_Strona) {
        form.QRL_Strona->setText(QString::number(pages.pageCount()));
        pages = form.layOut();
    }
    report::print(pages, report::PrintJob{name, label, count});
}

void markDuplicate(TFakt_Form& form, const char* duplicateCaption, const char* duplicateDate)
{
    if (!form.QRL_Duplikat)
        return;
    const QString caption = text::fromCp1250(duplicateCaption);
    const QString date = text::fromCp1250(duplicateDate);
    form.QRL_Duplikat->setText(caption);
    form.QRL_Data_Dupl->setText(caption.isEmpty() ? date : QStringLiteral("wystawiono dnia :") + date);
    if (form.QRL_Duplikat_Ang) {
        form.QRL_Duplikat_Ang->setText(caption.isEmpty() ? QString() : QStringLiteral("Duplicate"));
        form.QRL_Data_Dupl_Ang->setText(caption.isEmpty() ? QString() : QStringLiteral("date of issue"));
    }
}

// The type code a form prints and its name in a refusal ("... nie jest korektą faktury VAT").
std::pair<QString, QString> printedType(const Variant& v)
{
    switch (v.kind) {
    case DocumentKind::Correction: return {QStringLiteral("KFV"), QStringLiteral("korektą faktury VAT")};
    case DocumentKind::Note: return {QStringLiteral("NFV"), QStringLiteral("notą korygującą")};
    case DocumentKind::Invoice: break;
    }
    if (v.proForma)
        return {QStringLiteral("PFV"), QStringLiteral("fakturą proforma")};
    return {QStringLiteral("FV"), QStringLiteral("fakturą VAT")};
}

void checkCount(qint32 count, qint32 least, const char* what)
{
    if (count < least || count > dokpress::MaxCount)
        throw report::Error(QStringLiteral("Niepoprawna liczba %1: %2. Dozwolone są liczby od %3 do %4.")
                                .arg(QString::fromUtf8(what))
                                .arg(count)
                                .arg(least)
                                .arg(dokpress::MaxCount));
}

// Refuses an id of no document and a document of another type than `v` prints.
void checkDocument(int id, const Variant& v)
{
    const QVariant typ = data::programConnection().scalar(QStringLiteral("select Typ from Faktura where Id=?"), {id});
    if (!typ.isValid() || typ.isNull())
        throw report::Error(QStringLiteral("Nie znaleziono dokumentu o identyfikatorze %1.").arg(id));
    const auto [code, name] = printedType(v);
    if (typ.toString() != code)
        throw report::Error(QStringLiteral("Dokument o identyfikatorze %1 nie jest %2.").arg(id).arg(name));
}

template <class Form>
void printDocument(QApplication* application, const char* idText, qint32 originals, qint32 copies,
                   const char* duplicateCaption, const char* duplicateDate, Form*& global)
{
    ui::guard([&] {
        QObject* owner = ui::hostApplication(application);
        const QString idArg = text::fromCp1250(idText);
        bool ok = false;
        const int id = text::parseInt(idArg, &ok);
        if (!ok)
            throw report::Error(
                QStringLiteral("„%1” nie jest poprawną liczbą całkowitą.").arg(text::quotedExcerpt(idArg)));
        checkCount(originals, dokpress::MinOriginals, "oryginałów");
        checkCount(copies, dokpress::MinCopies, "kopii");
        std::unique_ptr<Form> form(new Form(owner));
        checkDocument(id, form->variant);
        global = form.get();
        struct Clear {
            Form*& g;
            ~Clear() { g = nullptr; }
        } clear{global};
        form->openHeader(id);
        form->openVatSummary(id);
        markDuplicate(*form, duplicateCaption, duplicateDate);
        form->openDetails();
        printRun(*form, QStringLiteral("Oryginał"), QStringLiteral("Original"), originals);
        if (copies > 0)
            printRun(*form, QStringLiteral("Kopia"), QStringLiteral("Copy"), copies);
    });
}

} // namespace

// Each entry point prints through its own form.
#define DOKPRESS_ENTRY(entry, form)                                                                                    \
    void entry(QApplication* application, const char* id, qint32 originals, qint32 copies,                             \
               const char* duplicateCaption, const char* duplicateDate)                                                \
    {                                                                                                                  \
        printDocument(application, id, originals, copies, duplicateCaption, duplicateDate, form);                      \
    }

DOKPRESS_ENTRY(ShowFaktStdRep, Form_Fakt_Std)
DOKPRESS_ENTRY(ShowFaktProFRep, Form_Fakt_Pro_F)
DOKPRESS_ENTRY(ShowFaktKorRep, Form_Fakt_Kor)
DOKPRESS_ENTRY(ShowFaktNotaRep, Form_Fakt_Nota)
DOKPRESS_ENTRY(ShowFaktStdBRep, Form_Fakt_Std_B)
DOKPRESS_ENTRY(ShowFaktProFBRep, Form_Fakt_Pro_F_B)
DOKPRESS_ENTRY(ShowFaktKorBRep, Form_Fakt_Kor_B)
DOKPRESS_ENTRY(ShowFaktStdRepAng, Form_Fakt_Std_Ang)
DOKPRESS_ENTRY(ShowFaktProFRepAng, Form_Fakt_Pro_F_Ang)
DOKPRESS_ENTRY(ShowFaktKorRepAng, Form_Fakt_Kor_Ang)
DOKPRESS_ENTRY(ShowFaktNotaRepAng, Form_Fakt_Nota_Ang)
