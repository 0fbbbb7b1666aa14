#pragma once
// The pro forma invoice window ("PFV"), an MDI child of the main window: the invoice window with
// its own number series and no final identity.
#include "documents/InvoiceWindow.h"

class TForm_Faktura_Proforma : public documents::InvoiceWindow {
    Q_OBJECT
public:
    explicit TForm_Faktura_Proforma(QWidget* parent = nullptr);
    ~TForm_Faktura_Proforma() override;
};

extern TForm_Faktura_Proforma* Form_Faktura_Proforma;
