#include "PrintBench.h"

#include "Geraeteabbild.h"
#include "Konfigurationsdatei.h"
#include "Logdruck.h"
#include "Printers.h"
#include "SicherungenModell.h"
#include "Telefonbuchbereich.h"
#include "Telefonbuchdatei.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

namespace {

Telefonbuch fullPhoneBook()
{
    Telefonbuch book;
    for (int n = 0; n < Telefonbucheinträge; ++n)
        book[n] = {QStringLiteral("Teilnehmer %1 Müller").arg(n + 1),
                   QStringLiteral("0301234%1").arg(n, 3, 10, QChar('0')),
                   QStringLiteral("0170987%1").arg(n, 3, 10, QChar('0')),
                   QStringLiteral("3"),
                   QString::number(n % 10),
                   QStringLiteral("gefangen"),
                   QStringLiteral("12-34-56-78-9A-BC-DE-%1").arg(n, 2, 10, QChar('0'))};
    return book;
}

// Milliseconds to print `texts` as one document, or a negative value when the printer fails.
double printMs(platform::Printers& printer, const QString& font, qreal size,
               QPageLayout::Orientation orientation, const QStringList& texts)
{
    QElapsedTimer timer;
    timer.start();
    bool ok = printer.setFontName(font) && printer.setOrientation(orientation) && printer.setFontSize(size);
    for (const QString& text : texts)
        ok = ok && printer.print(text);
    ok = ok && printer.endDocument();
    return ok ? double(timer.nsecsElapsed()) / 1e6 : -1;
}

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

PrintFigures measurePrintouts(int logLines, const QDir& dir)
{
    PrintFigures figures;
    const Telefonbuch book = fullPhoneBook();
    constexpr int Rounds = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Rounds; ++i) {
        if (!std::holds_alternative<Telefonbuch>(TelefonbuchAusDatei(TelefonbuchDateiinhalt(book)))) {
            figures.failure = QStringLiteral("the phone book file was refused");
            return figures;
        }
    }
    figures.phoneBookFileUs = double(timer.nsecsElapsed()) / 1e3 / Rounds;

    platform::Sicherungen sicherungen(dir.filePath(QStringLiteral("Sicherungen")));
    const QByteArray image = TelefonbuchInAbbild(QByteArray(abbild::Größe, '\0'), book);
    const QDateTime first(QDate(2026, 12, 7), QTime(9, 0));
    for (int i = 0; i < platform::Sicherungen::Höchstzahl; ++i) {
        if (sicherungen.sichern(image, first.addSecs(i)).isEmpty()) {
            figures.failure = QStringLiteral("a backup could not be written");
            return figures;
        }
    }
    SicherungenModell list;
    timer.restart();
    list.laden(sicherungen);
    figures.backupsListMs = double(timer.nsecsElapsed()) / 1e6;
    figures.backups = list.rowCount();

    const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
    platform::PdfPrinters printer(pdf);
    figures.configurationMs = printMs(printer, QStringLiteral("Courier New"), 10, QPageLayout::Portrait,
                                      {KonfigurationDruckText(Werkseinstellungen())});
    figures.phoneBookMs = printMs(printer, QStringLiteral("Courier New"), 8, QPageLayout::Landscape,
                                  {TelefonbuchAlsText(book)});
    const QString line =
        QStringLiteral("07.12.2026 09:05:00 Ruf von Türstation 1 an Telefonbuch 12 Variante 1\r\n");
    figures.logLines = logLines;
    figures.logMs = printMs(printer, QStringLiteral("Courier New"), 10, QPageLayout::Portrait,
                            {LogDrucküberschrift(), LogDruckText(line.repeated(logLines))});
    figures.logPages = pdfPages(pdf);
    if (figures.configurationMs < 0 || figures.phoneBookMs < 0 || figures.logMs < 0)
        figures.failure = QStringLiteral("a printout into PDF failed");
    return figures;
}
