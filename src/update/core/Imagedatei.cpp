#include "Imagedatei.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Dateisuche DateiSuchen(const QString& pfad)
{
    const qsizetype trenner =
        std::max(pfad.lastIndexOf(QLatin1Char('/')), pfad.lastIndexOf(QLatin1Char('\\')));
    const QString name = pfad.mid(trenner + 1);
    const QString ordnerPfad = trenner < 0    ? QStringLiteral(".")
                               : trenner == 0 ? pfad.left(1)
                                              : pfad.left(trenner);
    const QDir ordner(ordnerPfad);
    if (name.isEmpty() || !ordner.exists())
        return {};
    if (!QFileInfo(ordnerPfad).isReadable())
        return {Dateisuche::Ergebnis::Fehler,
                {},
                QStringLiteral("Auf das Laufwerk kann nicht zugegriffen werden!")};
    QString gefunden;
    for (const QString& eintrag : ordner.entryList(QDir::Files)) {
        if (eintrag == name)
            return {Dateisuche::Ergebnis::Gefunden, ordner.filePath(eintrag), {}};
        if (gefunden.isEmpty() && eintrag.compare(name, Qt::CaseInsensitive) == 0)
            gefunden = eintrag;
    }
    if (gefunden.isEmpty())
        return {};
    return {Dateisuche::Ergebnis::Gefunden, ordner.filePath(gefunden), {}};
}

std::optional<QByteArray> DateiEinlesen(const QString& pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray inhalt = datei.readAll();
    if (datei.error() != QFileDevice::NoError)
        return std::nullopt;
    return inhalt;
}

QString Imagebeschriftung(const QString& pfad)
{
    return pfad.size() > 63 ? QStringLiteral("...") + pfad.right(60) : pfad;
}

QString Dateisuche::meldung() const
{
    return ergebnis == Ergebnis::Fehler ? fehler : QStringLiteral("Der Pfad oder die Datei existiert nicht!");
}

Image ImageEinlesen(const QString& pfad)
{
    const QString name = QFileInfo(pfad).fileName();
    if (const qint64 größe = QFileInfo(pfad).size(); größe > GrößtesImage)
        return {std::nullopt,
                QStringLiteral("Die Datei \"%1\" ist mit %2 Bytes zu groß und wurde nicht übertragen.")
                    .arg(name)
                    .arg(größe)};
    Image image{DateiEinlesen(pfad), {}};
    if (image.bytes && image.bytes->isEmpty())
        return {std::nullopt,
                QStringLiteral("Die Datei \"%1\" ist leer und wurde nicht übertragen.").arg(name)};
    return image;
}

QString NichtLesbarMeldung(const QString& pfad)
{
    return QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden!").arg(QFileInfo(pfad).fileName());
}
