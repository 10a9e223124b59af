#include "Portsuche.h"

#include "Portverzeichnis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#ifdef Q_OS_WIN
#include "Registry.h"

#include <QSerialPortInfo>
#include <algorithm>
#endif

namespace platform {

#ifdef Q_OS_WIN
QStringList vorhandeneSeriellePorts(const Portordner&)
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(info.portName());
    // By number: COM10 after COM9.
    std::sort(ports.begin(), ports.end(), [](const QString& a, const QString& b) {
        return std::pair(a.size(), a) < std::pair(b.size(), b);
    });
    return ports;
}
#else
namespace {

QStringList geräte(const QString& ordner, const QStringList& muster)
{
    QStringList pfade;
    const QDir dir(ordner);
    for (const QString& name :
         dir.entryList(muster, QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name))
        pfade.append(dir.filePath(name));
    return pfade;
}

// A ttyS port counts when the kernel found a UART behind it.
bool hatUart(const Portordner& ordner, const QString& name)
{
    QFile typ(QDir(ordner.sysTty).filePath(name + QStringLiteral("/type")));
    if (!typ.open(QIODevice::ReadOnly))
        return false;
    return typ.readAll().trimmed().toInt() != 0;
}

} // namespace

QStringList vorhandeneSeriellePorts(const Portordner& ordner)
{
    QStringList ports;
    QSet<QString> erreicht; // the devices the stable names lead to
    const QDir byId(ordner.byId);
    for (const QString& name :
         byId.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QFileInfo eintrag(byId.filePath(name));
        if (!eintrag.exists()) // a link whose device is gone
            continue;
        ports.append(eintrag.filePath());
        erreicht.insert(eintrag.canonicalFilePath());
    }
    for (const QString& gerät : geräte(ordner.dev, {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")})) {
        if (!erreicht.contains(QFileInfo(gerät).canonicalFilePath()))
            ports.append(gerät);
    }
    for (const QString& gerät : geräte(ordner.dev, {QStringLiteral("ttyS*")})) {
        if (hatUart(ordner, QFileInfo(gerät).fileName()))
            ports.append(gerät);
    }
    return ports;
}
#endif

QByteArray comDb()
{
#ifdef Q_OS_WIN
    return registry::lesenBinär(registry::Wurzel::Maschine,
                                QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\COM Name Arbiter"),
                                QStringLiteral("ComDB"))
        .value_or(QByteArray());
#else
    return {};
#endif
}

QSet<int> reservierteNummern(const QByteArray& comDb)
{
    QSet<int> nummern;
    for (qsizetype i = 0; i < comDb.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            if (quint8(comDb.at(i)) & (1u << bit))
                nummern.insert(int(i * 8 + bit + 1));
        }
    }
    return nummern;
}

QList<Portzuordnung> PortsZuordnen(SettingsStore& settings, const QStringList& ports,
                                   const QSet<int>& vergeben)
{
    const QString gruppe = QStringLiteral("Ports");
    QSet<QString> bekannt;
    for (int n = Portverzeichnis::ErsterPort; n <= Portverzeichnis::LetzterPort; ++n)
        bekannt.insert(settings.value(gruppe, Portverzeichnis::name(n)).trimmed());
    // On Windows COM1 to COM6 are ports of their own: one that is present keeps its number.
    const auto eigenerPort = [&ports](int n) {
#ifdef Q_OS_WIN
        return n >= Portverzeichnis::ErsterPort && n <= Portverzeichnis::LetzterPort &&
               ports.contains(Portverzeichnis::name(n), Qt::CaseInsensitive);
#else
        Q_UNUSED(ports);
        Q_UNUSED(n);
        return false;
#endif
    };
    const auto belegt = [&](int n) {
        return !settings.value(gruppe, Portverzeichnis::name(n)).trimmed().isEmpty() || eigenerPort(n) ||
               vergeben.contains(n);
    };
    QList<Portzuordnung> neu;
    int frei = Portverzeichnis::ErsterPort;
    for (const QString& port : ports) {
        if (bekannt.contains(port) || eigenerPort(Portverzeichnis::nummer(port)))
            continue;
        while (frei <= Portverzeichnis::LetzterPort && belegt(frei))
            ++frei;
        if (frei > Portverzeichnis::LetzterPort)
            break;
        settings.setValue(gruppe, Portverzeichnis::name(frei), port);
        bekannt.insert(port);
        neu.append({frei, port});
    }
    return neu;
}

} // namespace platform
