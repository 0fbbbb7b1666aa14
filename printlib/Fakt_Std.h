#pragma once
// The VAT invoice printout in net prices: A4 portrait, 10 mm margins.
#include "printlib/Fakt_Form.h"

class TForm_Fakt_Std : public TFakt_Form {
public:
    explicit TForm_Fakt_Std(QObject* owner);
};

// The form while a call of its entry point runs (nullptr outside one).
extern TForm_Fakt_Std* Form_Fakt_Std __asm__("_Form_Fakt_Std") __attribute__((visibility("default")));
