#include "documents/LineTarget.h"

#include <QHash>

namespace documents {

namespace {
QHash<QString, LineTarget*>& targets()
{
    static QHash<QString, LineTarget*> t;
    return t;
}
} // namespace

void setLineTarget(const QString& code, LineTarget* target)
{
    if (target)
        targets().insert(code, target);
    else
        targets().remove(code);
}

void removeLineTarget(const QString& code, LineTarget* target)
{
    if (targets().value(code) == target)
        targets().remove(code);
}

LineTarget* lineTarget(const QString& code) { return targets().value(code); }

} // namespace documents
