#include "documents/LineMath.h"

#include "documents/Document.h"
#include "documents/LineGridModel.h"
#include "platform/text/Numbers.h"

#include <map>

namespace documents {

std::optional<long double> readNumber(const QString& t)
{
    bool ok = false;
    const long double v = text::parseFloat(t, &ok);
    return ok ? std::optional<long double>(v) : std::nullopt;
}

std::optional<int> readInteger(const QString& t)
{
    bool ok = false;
    const int v = text::parseInt(t, &ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QString priceModeText(PriceMode mode)
{
    return mode == PriceMode::Brutto ? QStringLiteral("brutto") : QStringLiteral("netto");
}

std::optional<PriceMode> priceModeFromText(const QString& text)
{
    if (text == QLatin1String("netto"))
        return PriceMode::Netto;
    if (text == QLatin1String("brutto"))
        return PriceMode::Brutto;
    return std::nullopt;
}

PriceMode priceModeFromSetting(const QString& value)
{
    const auto n = readInteger(value);
    return n && *n == 1 ? PriceMode::Brutto : PriceMode::Netto;
}

std::optional<LineValues> computeLine(long double price, long double quantity, long double discount, long double rate,
                                      PriceMode mode)
{
    const long double x = quantity * price;
    const long double afterDiscount = x - (discount * x) * 0.01L;
    LineValues v;
    if (mode == PriceMode::Netto) {
        v.net = afterDiscount;
        v.vat = rate * v.net * 0.01L;
        v.gross = v.net + v.vat;
    } else {
        if (rate + 100.0L == 0.0L)
            return std::nullopt;
        v.gross = afterDiscount;
        v.net = 100.0L * v.gross / (rate + 100.0L);
        v.vat = v.gross - v.net;
    }
    return v;
}

bool withinAmountBound(long double value)
{
    // As the amount is stored and printed: rounded to the grosz through the text the windows show.
    const auto m = Money::fromText(text::formatFixed(value, 2));
    return m && m->grosze() >= -MaxAmountGrosze && m->grosze() <= MaxAmountGrosze;
}

bool withinQuantityBound(long double quantity)
{
    const auto q = readNumber(text::formatQuantity(quantity));
    return q && *q >= -MaxQuantity && *q <= MaxQuantity;
}

AmountFault amountFault(long double price, const LineValues& v)
{
    if (!withinAmountBound(price))
        return AmountFault::Price;
    if (!withinAmountBound(v.net) || !withinAmountBound(v.vat) || !withinAmountBound(v.gross))
        return AmountFault::Quantity;
    return AmountFault::None;
}

QString amountTooLargeText(AmountFault fault)
{
    return fault == AmountFault::Price ? QStringLiteral("Cena nie może przekroczyć 999 999 999,99 zł")
                                       : QStringLiteral("Wartość pozycji nie może przekroczyć 999 999 999,99 zł");
}

QString quantityTooLargeText() { return QStringLiteral("Ilość nie może przekroczyć 9 999 999,999"); }

bool totalsWithinBound(const std::vector<LineAmounts>& lines)
{
    LineAmounts total;
    std::map<QString, LineAmounts> byRate;
    for (const LineAmounts& l : lines)
        for (LineAmounts* s : {&total, &byRate[l.rate]}) {
            s->net += l.net;
            s->vat += l.vat;
            s->gross += l.gross;
        }
    for (const auto& [rate, s] : byRate)
        if (!withinAmountBound(s.net) || !withinAmountBound(s.vat) || !withinAmountBound(s.gross))
            return false;
    return withinAmountBound(total.net) && withinAmountBound(total.vat) && withinAmountBound(total.gross);
}

QString totalsTooLargeText() { return QStringLiteral("Suma dokumentu nie może przekroczyć 999 999 999,99 zł"); }

std::variant<LineFailure, LineResult> evaluateLine(const LineEntry& e, PriceMode mode)
{
    auto fail = [](const char* message, LineField field) {
        return std::variant<LineFailure, LineResult>(LineFailure{QString::fromUtf8(message), field});
    };
    if (e.nazwa.isEmpty())
        return fail("Należy podać nazwę towaru / usługi", LineField::Nazwa);
    if (e.vatNazwa.isEmpty())
        return fail("Należy podać stawkę VAT", LineField::Vat);
    if (!e.czyPodst && e.pkwiu.isEmpty())
        return fail("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU",
                    LineField::PKWIU);
    const auto price = readNumber(e.cena);
    if (!price)
        return fail("Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0", LineField::Cena);
    if (!(*price > 0))
        return fail("Cena musi być większa od 0", LineField::Cena);
    if (e.jm.isEmpty())
        return fail("Należy podać jednostkę miary", LineField::Jm);
    const auto quantity = readNumber(e.ilosc);
    if (!quantity)
        return fail("Niepoprawny foramt ilości \n Ilość musi być liczbą rzeczywistą większą od 0", LineField::Ilosc);
    if (!(*quantity > 0))
        return fail("Ilość musi być większa od 0", LineField::Ilosc);
    if (!withinQuantityBound(*quantity))
        return LineFailure{quantityTooLargeText(), LineField::Ilosc};
    const auto discount = readInteger(e.rabat);
    if (!discount)
        return fail("Rabat musi być liczbą calkowitą", LineField::Rabat);
    if (*discount > 100 || *discount < 0)
        return fail("Rabat nie może być mniejszy od 0% ani większy niż 100%", LineField::Rabat);
    // The combo shows a rate only with a current rate row behind it; a rate without a readable
    // percent is no rate.
    const auto rate = readNumber(e.vatWart);
    if (!rate)
        return fail("Należy podać stawkę VAT", LineField::Vat);
    const auto values = computeLine(*price, *quantity, static_cast<long double>(*discount), *rate, mode);
    if (!values)
        return fail("Przy stawce VAT -100% nie można wyliczyć wartości netto z ceny brutto", LineField::Vat);
    if (const AmountFault f = amountFault(*price, *values); f != AmountFault::None)
        return LineFailure{amountTooLargeText(f), f == AmountFault::Price ? LineField::Cena : LineField::Ilosc};

    LineResult r;
    r.values = *values;
    r.cells = QStringList(LineGridModel::InvoiceColumns);
    r.cells[Col_Symbol] = e.symbol;
    r.cells[Col_Nazwa] = e.nazwa;
    r.cells[Col_Nazwa_cd] = e.nazwaCd;
    r.cells[Col_PKWiU] = e.pkwiu;
    r.cells[Col_Ilosc] = text::formatQuantity(*quantity);
    r.cells[Col_Jm] = e.jm;
    r.cells[Col_Cena] = text::formatAmount(*price);
    r.cells[Col_Rabat] = e.rabat;
    r.cells[Col_Netto] = text::formatAmount(values->net);
    r.cells[Col_Stawka] = e.vatNazwa;
    r.cells[Col_Kwota_Vat] = text::formatAmount(values->vat);
    r.cells[Col_Brutto] = text::formatAmount(values->gross);
    r.cells[Col_Wart] = e.vatWart;
    return r;
}

} // namespace documents
