#include "statements/Form_Wydruki_Wg_Klientow.h"

TForm_Wydruki_Wg_Klientow* Form_Wydruki_Wg_Klientow = nullptr;

TForm_Wydruki_Wg_Klientow::TForm_Wydruki_Wg_Klientow(QWidget* owner)
    : Wydruk_Sprzedazy({QStringLiteral("Form_Wydruki_Wg_Klientow"), QStringLiteral("Sprzedaż wg. Klientów - wydruk"),
                        "_ShowSprzWgKlientow", QStringLiteral("Jv_Od_Daty"), QStringLiteral("Jv_Do_Daty")},
                       owner)
{
    Jv_Od_Daty = Od;
    Jv_Do_Daty = Do;
}
