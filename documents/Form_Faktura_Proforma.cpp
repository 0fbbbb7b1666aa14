#include "documents/Form_Faktura_Proforma.h"

TForm_Faktura_Proforma* Form_Faktura_Proforma = nullptr;

namespace {

documents::InvoiceKind kind()
{
    documents::InvoiceKind k;
    k.typ = QStringLiteral("PFV");
    k.caption = QStringLiteral("Faktura proforma");
    // Every message of the save, the empty issue date's included, goes to the program's box.
    k.plainEmptyDate = false;
    // Only what is typed is limited; a longer code from the client pick stays whole.
    k.kodMaxLength = 6;
    return k;
}

} // namespace

TForm_Faktura_Proforma::TForm_Faktura_Proforma(QWidget* parent) : documents::InvoiceWindow(kind(), parent)
{
    setObjectName(QStringLiteral("Form_Faktura_Proforma"));
}

TForm_Faktura_Proforma::~TForm_Faktura_Proforma()
{
    if (Form_Faktura_Proforma == this)
        Form_Faktura_Proforma = nullptr;
}
