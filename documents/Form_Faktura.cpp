#include "documents/Form_Faktura.h"

#include "shell/MainForm.h"

TForm_Faktura* Form_Faktura = nullptr;

namespace {

documents::InvoiceKind kind()
{
    documents::InvoiceKind k;
    k.typ = QStringLiteral("FV");
    k.caption = QStringLiteral("Faktura");
    k.plainEmptyDate = true;
    k.kodMaxLength = 15;
    return k;
}

} // namespace

TForm_Faktura::TForm_Faktura(QWidget* parent) : documents::InvoiceWindow(kind(), parent)
{
    setObjectName(QStringLiteral("Form_Faktura"));
}

TForm_Faktura::~TForm_Faktura()
{
    if (Form_Faktura == this)
        Form_Faktura = nullptr;
}
