#include "Portverzeichnis.h"

namespace platform {

QString Portverzeichnis::pfad(int nummer) const
{
    if (nummer < ErsterPort)
        return {};
    const QString name = Portverzeichnis::name(nummer);
#ifdef Q_OS_WIN
    if (nummer > LetzterPort)
        return name;
#else
    if (nummer > LetzterPort)
        return {};
#endif
    const QString eingetragen = settings.value(QStringLiteral("Ports"), name).trimmed();
    if (!eingetragen.isEmpty())
        return eingetragen;
#ifdef Q_OS_WIN
    return name;
#else
    return QStringLiteral("/dev/ttyS%1").arg(nummer - 1);
#endif
}

int Portverzeichnis::nummer(const QString& name)
{
    if (!name.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
        return 0;
    bool zahl = false;
    const int n = name.sliced(3).toInt(&zahl);
    return zahl && n > 0 ? n : 0;
}

} // namespace platform
