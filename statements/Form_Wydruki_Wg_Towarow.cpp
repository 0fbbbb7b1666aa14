#include "statements/Form_Wydruki_Wg_Towarow.h"

TForm_Wydruki_Wg_Towarow* Form_Wydruki_Wg_Towarow = nullptr;

TForm_Wydruki_Wg_Towarow::TForm_Wydruki_Wg_Towarow(QWidget* owner)
    : Wydruk_Sprzedazy({QStringLiteral("Form_Wydruki_Wg_Towarow"),
                        QStringLiteral("Sprzedaż wg. towarów / usług - wydruk"), "_ShowSprzWgTowarow",
                        QStringLiteral("Jv_Od_Daty"), QStringLiteral("Jv_Do_Daty")},
                       owner)
{
    Jv_Od_Daty = Od;
    Jv_Do_Daty = Do;
}
