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

InstanceGuard::Anspruch LockFileInstanceGuard::acquire()
{
    if (lock->isLocked() || lock->tryLock(0))
        return Anspruch::Erhalten;
    return lock->error() == QLockFile::LockFailedError ? Anspruch::Belegt : Anspruch::Unmöglich;
}

QString LockFileInstanceGuard::ordner() const
{
    return QDir::toNativeSeparators(QDir::tempPath());
}

} // namespace platform
