#include "InstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>

namespace platform {

LockFileInstanceGuard::LockFileInstanceGuard(const QString& key)
{
    const QByteArray name = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock = std::make_unique<QLockFile>(QDir::temp().filePath(QStringLiteral("klingport-%1.lock").arg(name)));
    lock->setStaleLockTime(0);
}

bool LockFileInstanceGuard::acquire()
{
    return lock->isLocked() || lock->tryLock(0);
}

} // namespace platform
