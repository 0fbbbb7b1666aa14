#pragma once
// A stand-in for the invoice print library: every entry point it hands out records its call
// (the texts as the bytes it received) instead of printing.
#include "documents/Form_Drukuj_Fakt.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace drukuj_test {

struct Wywolanie {
    std::string wydruk; // entry point name
    QByteArray id;
    int oryginaly;
    int kopie;
    QByteArray duplikat;
    QByteArray data_duplikatu;
};

inline std::vector<Wywolanie>& wywolania()
{
    static std::vector<Wywolanie> lista;
    return lista;
}

// The name asked for last; entry points of one signature cannot tell which name they were found by.
inline std::string& ostatnia_nazwa()
{
    static std::string nazwa;
    return nazwa;
}

inline void wydruk(QApplication*, const char* id, qint32 oryginaly, qint32 kopie, const char* duplikat,
                   const char* data)
{
    wywolania().push_back({ostatnia_nazwa(), QByteArray(id), oryginaly, kopie, QByteArray(duplikat), QByteArray(data)});
}

// Gives the recording entry point for every name.
inline void podlacz(TForm_Drukuj_Fakt* dialog)
{
    wywolania().clear();
    dialog->Znajdz_Wydruk = [](const char* nazwa) -> void* {
        ostatnia_nazwa() = nazwa;
        return reinterpret_cast<void*>(&wydruk);
    };
}

} // namespace drukuj_test
