#pragma once
// The eleven printout forms, each a variant of the invoice, correction or note layout (Layout.h).
// While a call of its entry point runs, a form is reachable through its global pointer (nullptr
// outside one).
#include "printlib/Fakt_Form.h"

// The VAT invoice in net prices.
class TForm_Fakt_Std : public TFakt_Form {
public:
    explicit TForm_Fakt_Std(QObject* owner);
};
extern TForm_Fakt_Std* Form_Fakt_Std __asm__("_Form_Fakt_Std") __attribute__((visibility("default")));

// The VAT invoice in gross prices.
class TForm_Fakt_Std_B : public TFakt_Form {
public:
    explicit TForm_Fakt_Std_B(QObject* owner);
};
extern TForm_Fakt_Std_B* Form_Fakt_Std_B __asm__("_Form_Fakt_Std_B") __attribute__((visibility("default")));

// The VAT invoice with English captions.
class TForm_Fakt_Std_Ang : public TFakt_Form {
public:
    explicit TForm_Fakt_Std_Ang(QObject* owner);
};
extern TForm_Fakt_Std_Ang* Form_Fakt_Std_Ang __asm__("_Form_Fakt_Std_Ang") __attribute__((visibility("default")));

// The pro forma invoice in net prices.
class TForm_Fakt_Pro_F : public TFakt_Form {
public:
    explicit TForm_Fakt_Pro_F(QObject* owner);
};
extern TForm_Fakt_Pro_F* Form_Fakt_Pro_F __asm__("_Form_Fakt_Pro_F") __attribute__((visibility("default")));

// The pro forma invoice in gross prices.
class TForm_Fakt_Pro_F_B : public TFakt_Form {
public:
    explicit TForm_Fakt_Pro_F_B(QObject* owner);
};
extern TForm_Fakt_Pro_F_B* Form_Fakt_Pro_F_B __asm__("_Form_Fakt_Pro_F_B") __attribute__((visibility("default")));

// The pro forma invoice with English captions.
class TForm_Fakt_Pro_F_Ang : public TFakt_Form {
public:
    explicit TForm_Fakt_Pro_F_Ang(QObject* owner);
};
extern TForm_Fakt_Pro_F_Ang* Form_Fakt_Pro_F_Ang __asm__("_Form_Fakt_Pro_F_Ang") __attribute__((visibility("default")));

// The correction invoice in net prices.
class TForm_Fakt_Kor : public TFakt_Form {
public:
    explicit TForm_Fakt_Kor(QObject* owner);
};
extern TForm_Fakt_Kor* Form_Fakt_Kor __asm__("_Form_Fakt_Kor") __attribute__((visibility("default")));

// The correction invoice in gross prices.
class TForm_Fakt_Kor_B : public TFakt_Form {
public:
    explicit TForm_Fakt_Kor_B(QObject* owner);
};
extern TForm_Fakt_Kor_B* Form_Fakt_Kor_B __asm__("_Form_Fakt_Kor_B") __attribute__((visibility("default")));

// The correction invoice with English captions.
class TForm_Fakt_Kor_Ang : public TFakt_Form {
public:
    explicit TForm_Fakt_Kor_Ang(QObject* owner);
};
extern TForm_Fakt_Kor_Ang* Form_Fakt_Kor_Ang __asm__("_Form_Fakt_Kor_Ang") __attribute__((visibility("default")));

// The correction note.
class TForm_Fakt_Nota : public TFakt_Form {
public:
    explicit TForm_Fakt_Nota(QObject* owner);
};
extern TForm_Fakt_Nota* Form_Fakt_Nota __asm__("_Form_Fakt_Nota") __attribute__((visibility("default")));

// The correction note with English captions.
class TForm_Fakt_Nota_Ang : public TFakt_Form {
public:
    explicit TForm_Fakt_Nota_Ang(QObject* owner);
};
extern TForm_Fakt_Nota_Ang* Form_Fakt_Nota_Ang __asm__("_Form_Fakt_Nota_Ang") __attribute__((visibility("default")));
