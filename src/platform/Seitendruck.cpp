#include "Seitendruck.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

namespace platform {

namespace {

constexpr int Tabulatorweite = 8;

// A missing "Courier New" gives way to a monospaced font of the same metrics.
QString verfügbareSchrift(const QString& name)
{
    static const QStringList CourierErsatz = {QStringLiteral("Liberation Mono"), QStringLiteral("Cousine"),
                                              QStringLiteral("DejaVu Sans Mono")};
    if (name != QLatin1String("Courier New") || QFontDatabase::hasFamily(name))
        return name;
    for (const QString& ersatz : CourierErsatz) {
        if (QFontDatabase::hasFamily(ersatz))
            return ersatz;
    }
    return name;
}

QFont druckschrift(const Druckdokument& dokument)
{
    QFont schrift = dokument.schriftart.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                                                  : QFont(verfügbareSchrift(dokument.schriftart));
    if (dokument.schriftart == QLatin1String("Courier New"))
        schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPointSizeF(dokument.schriftgröße);
    return schrift;
}

QString tabsAufgelöst(QStringView zeile)
{
    QString spalten;
    for (const QChar zeichen : zeile) {
        if (zeichen == u'\t')
            spalten += QString(Tabulatorweite - spalten.size() % Tabulatorweite, u' ');
        else
            spalten += zeichen;
    }
    return spalten;
}

// The pieces of a line that each fit into `breite`.
QStringList umbrochen(const QString& zeile, const QFontMetricsF& maße, qreal breite)
{
    QStringList teile;
    QString teil;
    qreal x = 0;
    for (const QChar zeichen : zeile) {
        const qreal weite = maße.horizontalAdvance(zeichen);
        if (x + weite > breite && !teil.isEmpty()) {
            teile.append(teil);
            teil.clear();
            x = 0;
        }
        teil += zeichen;
        x += weite;
    }
    teile.append(teil);
    return teile;
}

} // namespace

bool seitenDrucken(QPrinter& drucker, const Druckdokument& dokument)
{
    drucker.setPageOrientation(dokument.ausrichtung);
    drucker.setDocName(QStringLiteral("Welko Klingport Inbetriebnahmesoftware"));
    QPainter maler;
    if (!maler.begin(&drucker))
        return false;
    const QFont schrift = druckschrift(dokument);
    maler.setFont(schrift);
    const QFontMetricsF maße(schrift, &drucker);
    const QSizeF seite = drucker.pageRect(QPrinter::DevicePixel).size();

    QStringList zeilen = dokument.text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (zeilen.size() > 1 && zeilen.constLast().isEmpty())
        zeilen.removeLast(); // the break that ends the last line opens no new one
    qreal y = 0;
    bool gut = true;
    for (const QString& zeile : std::as_const(zeilen)) {
        for (const QString& teil : umbrochen(tabsAufgelöst(zeile), maße, seite.width())) {
            if (y > 0 && y + maße.lineSpacing() > seite.height()) {
                gut = gut && drucker.newPage();
                y = 0;
            }
            if (!teil.trimmed().isEmpty())
                maler.drawText(QPointF(0, y + maße.ascent()), teil);
            y += maße.lineSpacing();
        }
    }
    return maler.end() && gut && drucker.printerState() != QPrinter::Error;
}

bool pdfSchreiben(const QString& datei, const Druckdokument& dokument)
{
    if (datei.isEmpty())
        return false;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(datei);
    drucker.setFontEmbeddingEnabled(true);
    return seitenDrucken(drucker, dokument);
}

} // namespace platform
