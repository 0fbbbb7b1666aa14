#pragma once
// The VAT invoice window ("FV"), an MDI child of the main window.
#include "documents/InvoiceWindow.h"

class TForm_Faktura : public documents::InvoiceWindow {
    Q_OBJECT
public:
    explicit TForm_Faktura(QWidget* parent = nullptr);
    ~TForm_Faktura() override;
};

extern TForm_Faktura* Form_Faktura;
