#include "LogBench.h"

#include "Klingport.h"
#include "Logfenster.h"
#include "LoggenTab.h"
#include "MessageBoxes.h"
#include "Programm.h"
#include "QtPlattform.h"
#include "SimProcess.h"
#include "Telegramm.h"
#include "frm_Haupt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int Block = 1000;

// Resident memory of this process in kB, from /proc; 0 where there is none.
qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return 0;
}

void runEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

AppendFigures measureLogAppend(int lines)
{
    LoggenTab tab;
    tab.resize(655, 370);
    tab.show();
    const QList<QByteArray> reports = device::Klingport::builtInReports();
    const QDateTime stamp = QDateTime::currentDateTime();
    AppendFigures figures;
    figures.lines = lines;
    QElapsedTimer clock;
    for (int i = 0; i < lines; ++i) {
        if (i % Block == 0)
            clock.start();
        tab.log().zeileAnhängen(stamp, QLatin1Char(' ') + BerichtDekodieren(reports[i % reports.size()]));
        if (i % Block == Block - 1) {
            const double us = double(clock.nsecsElapsed()) / 1e3 / Block;
            if (i < Block)
                figures.firstUsPerLine = us;
            figures.lastUsPerLine = us;
            QApplication::processEvents(); // let the window paint, as it would between reports
        }
    }
    return figures;
}

double measureDecodeNs()
{
    const QList<QByteArray> reports = device::Klingport::builtInReports();
    constexpr int Rounds = 20000;
    qsizetype sink = 0;
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < Rounds; ++round)
        for (const QByteArray& report : reports)
            sink += BerichtDekodieren(report).size();
    const double ns = double(clock.nsecsElapsed()) / (double(Rounds) * reports.size());
    return sink > 0 ? ns : 0;
}

FloodFigures measureFlood(int seconds, const QDir& dir)
{
    FloodFigures figures;
    SimProcess sim({"--baud", "0", "--report-interval", "1"});
    if (sim.ptyPath().isEmpty()) {
        figures.failure = QStringLiteral("klingport-sim did not start");
        return figures;
    }
    shell::QtPlattform plattform(dir.filePath(QStringLiteral("flood.ini")));
    plattform.settings.setValue(QStringLiteral("Settings"), QStringLiteral("Comport"), QString(QChar(1)));
    plattform.settings.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), sim.ptyPath());
    platform::AnsweringMessageBoxes meldungen;
    shell::Programm programm(plattform.teile(meldungen));
    if (!programm.starten())
        return {QStringLiteral("the program did not start")};
    while (!programm.ersteAktivierungVorbei())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    LoggenTab& tab = *programm.hauptfenster().loggen;

    QElapsedTimer clock;
    qint64 last = 0;
    QTimer pulse;
    QObject::connect(&pulse, &QTimer::timeout, [&] {
        figures.longestGapMs = std::max(figures.longestGapMs, clock.elapsed() - last);
        last = clock.elapsed();
    });
    const qint64 rssBefore = residentKb();
    tab.cmd_StartLog->click();
    clock.start();
    pulse.start(10);
    runEvents(seconds * 1000);
    pulse.stop();
    tab.cmd_StartLog->click();
    figures.seconds = double(clock.elapsed()) / 1e3;
    runEvents(200);
    figures.rssGrowthKb = residentKb() - rssBefore;

    const QList<QByteArray> reports = device::Klingport::builtInReports();
    const QString log = tab.log().text();
    figures.logTextKb = log.size() * 2 / 1024;
    figures.inOrder = true;
    for (const QString& line : log.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString text = line.mid(20);
        if (!text.startsWith(QLatin1String("Klingport ")))
            continue;
        if (text != BerichtDekodieren(reports[figures.reports % reports.size()]))
            figures.inOrder = false;
        ++figures.reports;
    }
    programm.hauptfenster().close();
    return figures;
}
