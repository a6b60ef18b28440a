#include "platform/Wait.h"

#include "platform/Seams.h"

#include <QObject>
#include <QPointer>

namespace tastolino {

bool waitAlive(QObject* owner, int ms) {
    const QPointer<QObject> alive(owner);
    seams::waitWithEvents(ms);
    return !alive.isNull();
}

}  // namespace tastolino
