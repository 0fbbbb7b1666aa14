#pragma once
// The amount in words printed after "Słownie złotych : " on invoices and corrections.
#include <QString>
#include <QtGlobal>

// A whole number in Polish words, each word with one leading blank, ending with one blank:
// 5 → " pięć ", 1 001 000 → " jeden mln. jeden tys. ", -12 → "minus dwanaście ", 0 → "zero ".
// Groups are named by abbreviation only (" tys.", " mln.", " mld.", " bln.", " bld.", " tryl.").
QString Liczba_Slownie(qint64 n);

// The whole złoty of a total in words, then the grosze in digits and "/100":
// 123.45 → " sto dwadzieścia trzy 45/100", 0.45 → "zero 45/100". The total is rounded to whole
// grosze first, so 12.29 gives 29 even where the binary value is 12.2899…, and 99.999 gives
// " sto 0/100". A negative total below one złoty keeps its sign ("minus zero 45/100").
// A total beyond the 64-bit range (or not a number) gives empty text.
QString Kwota_Slownie(double total);
