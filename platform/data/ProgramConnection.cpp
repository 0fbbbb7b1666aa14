#include "platform/data/ProgramConnection.h"

#include "platform/data/Connection.h"
#include "platform/data/Error.h"

namespace data {

Connection& programConnection()
{
    auto* c = qobject_cast<Connection*>(findComponent(QStringLiteral("DataModule1"), QStringLiteral("ADOConnection1")));
    if (!c || !c->isConnected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych programu (DataModule1.ADOConnection1): "
                                   "wydruku nie można przygotować."));
    return *c;
}

} // namespace data
