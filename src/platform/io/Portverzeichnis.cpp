#include "Portverzeichnis.h"

namespace platform {

QString Portverzeichnis::pfad(int nummer) const
{
    if (nummer < ErsterPort || nummer > LetzterPort)
        return {};
    const QString name = Portverzeichnis::name(nummer);
    const QString eingetragen = settings.value(QStringLiteral("Ports"), name).trimmed();
    if (!eingetragen.isEmpty())
        return eingetragen;
#ifdef Q_OS_WIN
    return name;
#else
    return QStringLiteral("/dev/ttyS%1").arg(nummer - 1);
#endif
}

} // namespace platform
