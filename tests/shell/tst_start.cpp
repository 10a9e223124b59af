// Start-up through the real parts: two real processes, and the real message boxes.

#include "Fakes.h"
#include "FileDialogs.h"
#include "QtMessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using platform::Buttons;
using platform::Icon;
using platform::Reply;

Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Icon)
Q_DECLARE_METATYPE(platform::Reply)
Q_DECLARE_METATYPE(platform::Default)

class tst_Start : public QObject {
    Q_OBJECT
private slots:
    void secondProcessIsRefused();
    void messageBoxes_data();
    void messageBoxes();
    void fileDialogFilters_data();
    void fileDialogFilters();
};

void tst_Start::secondProcessIsRefused()
{
    QTemporaryDir dir;
    const QString ordner = dir.filePath("config/Welko Klingport Inbetriebnahmesoftware");
    QVERIFY(QDir().mkpath(ordner));
    QFile conf(ordner + "/Welko Klingport Inbetriebnahmesoftware.conf");
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[Settings]\nComport=\\x1\n[Ports]\nCOM1=" + dir.filePath("no-such-port").toUtf8() + "\n");
    conf.close();

    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    umgebung.insert("QT_QPA_PLATFORM", "offscreen");
    umgebung.insert("QT_LOGGING_RULES", "klingport.message.info=true");
    const auto starten = [&](QProcess& p) {
        p.setProcessEnvironment(umgebung);
        p.start(QStringLiteral(KLINGPORT_PROGRAM), {});
        return p.waitForStarted(5000);
    };
    const auto wartenAuf = [](QProcess& p, const QByteArray& text, QByteArray& gelesen) {
        return QTest::qWaitFor(
            [&] {
                gelesen += p.readAllStandardError();
                return gelesen.contains(text);
            },
            10000);
    };

    // The first instance cannot open its port: its warning tells that it is up.
    QProcess erster;
    QByteArray ersterText;
    QVERIFY(starten(erster));
    QVERIFY2(wartenAuf(erster, "COM-Port nicht vorhanden oder belegt!", ersterText), ersterText.constData());

    QProcess zweiter;
    QByteArray zweiterText;
    QVERIFY(starten(zweiter));
    QVERIFY2(wartenAuf(zweiter, "Programm läuft bereits!", zweiterText), zweiterText.constData());
    QVERIFY(!zweiterText.contains("COM-Port")); // it never got as far as the port
    zweiter.kill();
    zweiter.waitForFinished(3000);

    QTest::qWait(200);
    QCOMPARE(erster.state(), QProcess::Running); // the first is not touched
    erster.kill();
    erster.waitForFinished(3000);

    // Once the first has gone, the program starts again.
    QProcess dritter;
    QByteArray dritterText;
    QVERIFY(starten(dritter));
    QVERIFY2(wartenAuf(dritter, "COM-Port nicht vorhanden oder belegt!", dritterText),
             dritterText.constData());
    dritter.kill();
    dritter.waitForFinished(3000);
}

void tst_Start::messageBoxes_data()
{
    QTest::addColumn<Buttons>("knöpfe");
    QTest::addColumn<Icon>("symbol");
    QTest::addColumn<QStringList>("beschriftungen");
    QTest::addColumn<QString>("klick");
    QTest::addColumn<Reply>("antwort");
    QTest::addColumn<int>("qtSymbol");
    QTest::addColumn<platform::Default>("standard");
    QTest::addColumn<QString>("standardKnopf");
    const auto erster = platform::Default::First;
    QTest::newRow("OK, exclamation") << Buttons::Ok << Icon::Exclamation << QStringList{"OK"} << "OK"
                                     << Reply::Ok << int(QMessageBox::Warning) << erster << "OK";
    QTest::newRow("yes/no, critical, yes")
        << Buttons::YesNo << Icon::Critical << QStringList{"Ja", "Nein"} << "Ja" << Reply::Yes
        << int(QMessageBox::Critical) << erster << "Ja";
    QTest::newRow("yes/no, no") << Buttons::YesNo << Icon::Question << QStringList{"Ja", "Nein"} << "Nein"
                                << Reply::No << int(QMessageBox::Question) << erster << "Ja";
    QTest::newRow("OK/cancel, cancel preselected")
        << Buttons::OkCancel << Icon::Critical << QStringList{"OK", "Abbrechen"} << "Abbrechen"
        << Reply::Cancel << int(QMessageBox::Critical) << platform::Default::Second << "Abbrechen";
    QTest::newRow("OK/cancel, OK") << Buttons::OkCancel << Icon::Information << QStringList{"OK", "Abbrechen"}
                                   << "OK" << Reply::Ok << int(QMessageBox::Information) << erster << "OK";
    QTest::newRow("no icon") << Buttons::Ok << Icon::None << QStringList{"OK"} << "OK" << Reply::Ok
                             << int(QMessageBox::NoIcon) << erster << "OK";
}

void tst_Start::messageBoxes()
{
    QFETCH(Buttons, knöpfe);
    QFETCH(Icon, symbol);
    QFETCH(QStringList, beschriftungen);
    QFETCH(QString, klick);
    QFETCH(Reply, antwort);
    QFETCH(int, qtSymbol);
    QFETCH(platform::Default, standard);

    platform::QtMessageBoxes meldungen("Welko Klingport Inbetriebnahmesoftware");
    QString titel, text;
    QStringList gesehen;
    QString gesehenerStandard;
    int gesehenesSymbol = -1;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        titel = box->windowTitle();
        text = box->text();
        gesehenesSymbol = box->icon();
        gesehenerStandard = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* knopf : box->buttons())
            gesehen.append(knopf->text());
        for (QAbstractButton* knopf : box->buttons())
            if (knopf->text() == klick)
                knopf->click();
    });
    QCOMPARE(meldungen.show("Zeile 1\r\nZeile 2", symbol, knöpfe, standard), antwort);
    QTEST(gesehenerStandard, "standardKnopf");
    QCOMPARE(titel, "Welko Klingport Inbetriebnahmesoftware");
    QCOMPARE(text, "Zeile 1\r\nZeile 2");
    QCOMPARE(gesehenesSymbol, qtSymbol);
    gesehen.sort();
    beschriftungen.sort();
    QCOMPARE(gesehen, beschriftungen);
}

void tst_Start::fileDialogFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("one") << "Logdateien (*.log)|*.log"
                         << "Logdateien (*.log)";
    QTest::newRow("two") << "Firmware (*.tsk)|*.tsk|Alle Dateien (*.*)|*.*"
                         << "Firmware (*.tsk);;Alle Dateien (*.*)";
    QTest::newRow("pattern only") << "*.kpk"
                                  << "*.kpk";
}

void tst_Start::fileDialogFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(platform::QtFileDialogs::qtFilter(filter), qt);
}

QTEST_MAIN(tst_Start)
#include "tst_start.moc"
