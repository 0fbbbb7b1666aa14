#include "documents/AmountColumns.h"

#include <QStringList>

namespace documents {

std::vector<ui::DbColumn> amountColumns(std::vector<ui::DbColumn> columns)
{
    static const QStringList amounts = {QStringLiteral("Wart_Netto"), QStringLiteral("Wart_Brutto"),
                                        QStringLiteral("Wartosc_Netto"), QStringLiteral("Kwota_Vat"),
                                        QStringLiteral("Wartosc_Brutto")};
    for (ui::DbColumn& c : columns)
        if (amounts.contains(c.field, Qt::CaseInsensitive))
            c.decimals = 2;
    return columns;
}

} // namespace documents
