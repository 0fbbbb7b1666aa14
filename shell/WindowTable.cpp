#include "shell/WindowTable.h"

#include "shell/MainForm.h"

namespace {
std::vector<WindowKind>& table()
{
    static std::vector<WindowKind> rows;
    return rows;
}
} // namespace

QWidget* window_table_detail::owner() { return MainForm; }

void Ustaw_Tabele_Okien(std::vector<WindowKind> rows) { table() = std::move(rows); }

std::span<const WindowKind> Tabela_Okien() { return table(); }

const WindowKind* Okno_Dla_Pozycji(const QString& action)
{
    for (const WindowKind& k : table())
        if (k.action && action == QLatin1String(k.action))
            return &k;
    return nullptr;
}
