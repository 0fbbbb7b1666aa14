#pragma once
// The program's pictures (resources/*.png, built into the program).
#include <QIcon>
#include <QPixmap>

// `nazwa` is the file name without ".png", e.g. "faktura".
QPixmap Obrazek(const QString& nazwa);
QIcon Ikona(const QString& nazwa);
