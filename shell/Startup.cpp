#include "shell/Startup.h"

#include "shell/Form_Winieta.h"
#include "shell/MainForm.h"

namespace {

// The steps whose window was created, in creation order.
std::vector<const StartupStep*>& created()
{
    static std::vector<const StartupStep*> list;
    return list;
}

} // namespace

std::vector<const StartupStep*> startupTable()
{
    std::vector<const StartupStep*> steps;
    for (const WindowKind& k : Tabela_Okien())
        if (k.startup > 0)
            steps.push_back(&k);
    return steps;
}

void Utworz_Formularze(const std::function<void(const StartupStep&)>& afterStep)
{
    for (const StartupStep* s : startupTable()) {
        if (s->create) {
            s->create();
            created().push_back(s);
        }
        if (Form_Winieta)
            Form_Winieta->Ustaw_Postep(s->startup);
        if (afterStep)
            afterStep(*s);
    }
    // The splash is only hidden: it stays in memory until the program ends.
    if (Form_Winieta)
        Form_Winieta->hide();
}

void Zwolnij_Formularze()
{
    auto& list = created();
    while (!list.empty()) {
        const StartupStep* s = list.back();
        list.pop_back();
        s->destroy();
    }
}
