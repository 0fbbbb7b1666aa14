#include "corrections/CorrectionCheck.h"

#include "documents/InvoiceCheck.h"

#include <cmath>

namespace corrections {

using documents::HeaderField;
using documents::PriceMode;

namespace {

Blad blad(const char* message, Pole field) { return Blad{QString::fromUtf8(message), field}; }

// The issue date and year checks shared with the invoices, with their fields.
std::optional<Blad> checkIssue(const QString& dataWyst, const QString& rok)
{
    const auto f = documents::checkIssueDateAndYear(dataWyst, rok, QStringLiteral("Niepoprawna data"));
    if (!f)
        return std::nullopt;
    return Blad{f->message, f->field == HeaderField::Rok ? Pole::Rok : Pole::Data_Wyst};
}

const char* const NoInvoice = "Nie wybrano dokumentu do korekty !";

// A number that is also a finite double, as it is stored.
std::optional<long double> finite(const QString& text)
{
    const auto v = documents::readNumber(text);
    if (!v || !std::isfinite(double(*v)))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Blad> checkKorekta(const KorektaEntry& e)
{
    if (auto f = checkIssue(e.dataWyst, e.rok))
        return f;
    if (e.typFaktury.isEmpty() || e.nrFaktury.isEmpty())
        return blad(NoInvoice, Pole::Pobierz);
    if (e.lineCount <= 0)
        return blad("Nie skorygowano żadnych pozycji !", Pole::Koryguj);
    if (e.formaZaplaty.isEmpty())
        return blad("Nie wybrano sposobu zapłaty !", Pole::Forma_Zaplaty);
    if (const auto f = documents::checkDueDate(e.dataZap))
        return Blad{f->message, Pole::Data_Zap};
    if (!documents::readInteger(e.iloscDni))
        return blad("Pole 'Ilość dni' musi być liczbą całkowitą", Pole::Ilosc_Dni);
    return std::nullopt;
}

std::optional<Blad> checkNota(const NotaEntry& e)
{
    if (auto f = checkIssue(e.dataWyst, e.rok))
        return f;
    if (e.typFaktury.isEmpty() || e.nrFaktury.isEmpty())
        return blad(NoInvoice, Pole::Pobierz);
    if (e.nazwa.isEmpty())
        return blad("Nie wprowadzono nazwy Klienta !", Pole::Nazwa);
    if (e.czyFirma && e.nip.isEmpty())
        return blad("Jeżeli Klientem jest firma należy podać Jego nr NIP", Pole::NIP);
    // The focus goes to the postal code whichever part of the address is missing.
    if (e.kod.isEmpty() || e.miasto.isEmpty() || e.adres.isEmpty())
        return blad("Nie wprowadzono pełnych danych adresowych !", Pole::Kod);
    return std::nullopt;
}

std::variant<Blad, Pozycja> evaluatePozycja(const PozycjaEntry& e, PriceMode mode)
{
    const char* const zlaCena = "Niepoprawna wartość w polu 'Cena'";
    const auto ilosc = finite(e.ilosc);
    if (!ilosc)
        return blad("Niepoprawna wartość w polu 'Ilość'", Pole::Ilosc);
    if (!documents::withinQuantityBound(*ilosc))
        return Blad{documents::quantityTooLargeText(), Pole::Ilosc};
    // Only the price of the invoice's mode is typed and checked; the other one is the old line's.
    const auto cena = finite(e.cena);
    if (mode == PriceMode::Netto && !cena)
        return blad(zlaCena, Pole::Cena);
    const auto cenaBrutto = finite(e.cenaBrutto);
    if (mode == PriceMode::Brutto && !cenaBrutto)
        return blad(zlaCena, Pole::Cena_Brutto);
    const auto rabat = documents::readInteger(e.rabat);
    if (!rabat)
        return blad("Rabat musi być liczbą calkowitą", Pole::Rabat);
    if (*rabat < 0 || *rabat > 100)
        return blad("Rabat nie może być mniejszy od 0% ani większy niż 100%", Pole::Rabat);
    if (e.vatNazwa.isEmpty())
        return blad("Należy podać stawkę VAT", Pole::Vat);
    if (!e.czyPodst && e.pkwiu.isEmpty())
        return blad("Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać je klasyfikację PKWiU", Pole::PKWIU);
    const auto stawka = documents::readNumber(e.vatWart);
    if (!stawka)
        return blad("Należy podać stawkę VAT", Pole::Vat);

    Pozycja p;
    p.ilosc = double(*ilosc);
    p.cena = double(cena.value_or(0));
    p.cenaBrutto = double(cenaBrutto.value_or(0));
    const auto values = documents::computeLine(mode == PriceMode::Netto ? p.cena : p.cenaBrutto, p.ilosc,
                                               static_cast<long double>(*rabat), *stawka, mode);
    if (!values)
        return blad("Przy stawce VAT -100% nie można wyliczyć wartości netto z ceny brutto", Pole::Vat);
    if (!std::isfinite(double(values->net)) || !std::isfinite(double(values->vat))
        || !std::isfinite(double(values->gross)))
        return blad("Niepoprawna wartość w polu 'Ilość'", Pole::Ilosc);
    if (const auto f = documents::amountFault(mode == PriceMode::Netto ? p.cena : p.cenaBrutto, *values);
        f != documents::AmountFault::None)
        return Blad{documents::amountTooLargeText(f),
                    f == documents::AmountFault::Quantity ? Pole::Ilosc
                        : mode == PriceMode::Netto        ? Pole::Cena
                                                          : Pole::Cena_Brutto};
    p.values = *values;
    return p;
}

} // namespace corrections
