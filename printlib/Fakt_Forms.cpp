#include "printlib/Fakt_Forms.h"

namespace {

Variant makeVariant(DocumentKind kind, bool proForma, bool gross, bool english)
{
    Variant v;
    v.kind = kind;
    v.proForma = proForma;
    v.gross = gross;
    v.english = english;
    return v;
}

} // namespace

TForm_Fakt_Std* Form_Fakt_Std = nullptr;
TForm_Fakt_Std::TForm_Fakt_Std(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, false, false, false))
{}

TForm_Fakt_Std_B* Form_Fakt_Std_B = nullptr;
TForm_Fakt_Std_B::TForm_Fakt_Std_B(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, false, true, false))
{}

TForm_Fakt_Std_Ang* Form_Fakt_Std_Ang = nullptr;
TForm_Fakt_Std_Ang::TForm_Fakt_Std_Ang(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, false, false, true))
{}

TForm_Fakt_Pro_F* Form_Fakt_Pro_F = nullptr;
TForm_Fakt_Pro_F::TForm_Fakt_Pro_F(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, true, false, false))
{}

TForm_Fakt_Pro_F_B* Form_Fakt_Pro_F_B = nullptr;
TForm_Fakt_Pro_F_B::TForm_Fakt_Pro_F_B(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, true, true, false))
{}

TForm_Fakt_Pro_F_Ang* Form_Fakt_Pro_F_Ang = nullptr;
TForm_Fakt_Pro_F_Ang::TForm_Fakt_Pro_F_Ang(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Invoice, true, false, true))
{}

TForm_Fakt_Kor* Form_Fakt_Kor = nullptr;
TForm_Fakt_Kor::TForm_Fakt_Kor(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Correction, false, false, false))
{}

TForm_Fakt_Kor_B* Form_Fakt_Kor_B = nullptr;
TForm_Fakt_Kor_B::TForm_Fakt_Kor_B(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Correction, false, true, false))
{}

TForm_Fakt_Kor_Ang* Form_Fakt_Kor_Ang = nullptr;
TForm_Fakt_Kor_Ang::TForm_Fakt_Kor_Ang(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Correction, false, false, true))
{}

TForm_Fakt_Nota* Form_Fakt_Nota = nullptr;
TForm_Fakt_Nota::TForm_Fakt_Nota(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Note, false, false, false))
{}

TForm_Fakt_Nota_Ang* Form_Fakt_Nota_Ang = nullptr;
TForm_Fakt_Nota_Ang::TForm_Fakt_Nota_Ang(QObject* owner)
    : TFakt_Form(owner, makeVariant(DocumentKind::Note, false, false, true))
{}
