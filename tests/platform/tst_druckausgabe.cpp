// The printouts for real: through QPrinter into a PDF file, read back with poppler's tools.

#include "Fakes.h"
#include "Hauptfenster.h"
#include "KonfigurationDateibefehle.h"
#include "KonfigurationTab.h"
#include "Printers.h"
#include "TelefonbuchDateibefehle.h"
#include "TelefonbuchModell.h"
#include "TelefonbuchTab.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString poppler(const QString& werkzeug, QStringList argumente)
{
    QProcess p;
    p.start(werkzeug, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("%s failed (poppler-utils missing?)", qPrintable(werkzeug));
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString text(const QString& pdf)
{
    return poppler("pdftotext", {"-layout", pdf, "-"});
}

// Whether the first page is upright, and how many pages there are.
std::pair<bool, int> seiten(const QString& pdf)
{
    const QString info = poppler("pdfinfo", {pdf});
    const auto größe = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(info);
    return {größe.captured(1).toDouble() < größe.captured(2).toDouble(),
            QRegularExpression(R"(Pages:\s+(\d+))").match(info).captured(1).toInt()};
}

} // namespace

class tst_Druckausgabe : public QObject {
    Q_OBJECT
private slots:
    // The configuration upright in a monospaced font, then the phone book across in the same font,
    // its columns lined up by the TAB stops. Then a line wider than the page goes on below, and a text
    // longer than a page goes on on the next.
    void drucken()
    {
        QTemporaryDir ordner;
        const QString pdf = ordner.filePath("druck.pdf");
        platform::PdfPrinters drucker(pdf);
        FakeMessageBoxes meldungen;
        FakeFileDialogs dateien;
        KonfigurationTab konfiguration;
        KonfigurationDateibefehle konfigurationsbefehle(konfiguration, meldungen, dateien, drucker);
        TelefonbuchTab telefonbuch;
        TelefonbuchDateibefehle telefonbuchbefehle(telefonbuch, meldungen, dateien, drucker);

        konfiguration.KonfigurationWerkseinstellungen();
        konfiguration.cmd_KonfigDrucken->click();
        const QString konfig = text(pdf);
        QVERIFY(QRegularExpression(R"(Türgesprächszeit \(in Sek\.\): +060)").match(konfig).hasMatch());
        QVERIFY(QRegularExpression(R"(Nebenstellenanschluss: +X)").match(konfig).hasMatch());
        QVERIFY(seiten(pdf).first);

        telefonbuch.modell().setEintrag(
            50, {"Zöllner", "0301234", "", "3", "9", "gefangen", "00-0B-00-00-00-00-00-00"});
        telefonbuch.cmd_TelbuchDrucken->click();
        QVERIFY(meldungen.shown.isEmpty());
        const QString buch = text(pdf);
        QVERIFY(buch.contains("Telefonbuchübersicht WELKO Klingport"));
        QVERIFY(!seiten(pdf).first);
        // Embedded: "yes" in the first of the columns emb, sub and uni.
        QVERIFY(QRegularExpression(R"((LiberationMono|CourierNew) .* yes +(yes|no) +(yes|no) +\d+ +\d+\n)")
                    .match(poppler("pdffonts", {pdf}))
                    .hasMatch());
        // Where an address stands in its line; the first empty one is entry 1's.
        const auto spalte = [&](const QString& adresse) {
            const qsizetype stelle = buch.indexOf(adresse);
            return stelle - buch.lastIndexOf('\n', stelle);
        };
        QVERIFY(spalte("00-00-00") > 20);
        QCOMPARE(spalte("00-0B-00"), spalte("00-00-00"));
        QCOMPARE(buch.count("00-00-00-00-00-00-00-00"), 49);

        QString lang;
        for (int i = 0; i < 40; ++i)
            lang += QString("%1-abcdefgh ").arg(i, 3, 10, QChar('0'));
        QString log;
        for (int i = 1; i <= 150; ++i)
            log += QString("Zeile %1\r\n").arg(i);
        QVERIFY(drucker.setFontSize(10) && drucker.print(lang) && drucker.print(log) &&
                drucker.endDocument());
        const QString gedruckt = text(pdf);
        QVERIFY(seiten(pdf).second > 1);
        QVERIFY(gedruckt.contains("Zeile 150"));
        const QRegularExpression leerraum(R"(\s)");
        QVERIFY(QString(gedruckt).remove(leerraum).contains(QString(lang).remove(leerraum)));
        QVERIFY(!gedruckt.split('\n').constFirst().contains("039-abcdefgh"));
    }

    // With "PDF-Datei" each printout of the window asks for its file, proposing its own name, and
    // writes its pages there. A cancelled dialog prints nothing and says nothing; a file that can't
    // be written fails as a printer does.
    void pdfDatei()
    {
        Hauptfenster h;
        QTemporaryDir ordner;
        h.drucker.setCurrent(platform::PdfDatei);
        h.dateien.names = {ordner.filePath("t.pdf"), ordner.filePath("fehlt/k.pdf")};
        for (const char* knopf : {"cmd_TelbuchDrucken", "cmd_KonfigDrucken", "cmd_LoggDrucken"})
            h.klicken(knopf);
        QCOMPARE(h.dateien.startPaths, QStringList({"Telefonbuch.pdf", "Konfiguration.pdf", "Log.pdf"}));
        QCOMPARE(h.meldungen.texts(), QStringList{"Drucker Fehler"});
        QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), QStringList{"t.pdf"});
        QVERIFY(text(ordner.filePath("t.pdf")).contains("Telefonbuchübersicht WELKO Klingport"));
    }
};

QTEST_MAIN(tst_Druckausgabe)
#include "tst_druckausgabe.moc"
