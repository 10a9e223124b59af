#include "FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

namespace platform {

QString QtFileDialogs::qtFilter(const QString& filter)
{
    const QStringList teile = filter.split(QLatin1Char('|'));
    QStringList filter_;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2)
        filter_.append(teile[i]);
    if (teile.size() == 1)
        filter_.append(teile[0]);
    return filter_.join(QStringLiteral(";;"));
}

namespace {

int typNummer(const QString& qtFilter, const QString& typ)
{
    return std::max<int>(0, qtFilter.split(QStringLiteral(";;")).indexOf(typ));
}

} // namespace

QString QtFileDialogs::openFileName(const QString& filter, const QString& startPath)
{
    QString gewählt;
    const QString name =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), {}, startPath, qtFilter(filter), &gewählt);
    typ = typNummer(qtFilter(filter), gewählt);
    return name;
}

QString QtFileDialogs::endung(const QString& typ)
{
    static const QRegularExpression muster(QStringLiteral("\\*\\.(\\w+)"));
    return muster.match(typ).captured(1);
}

QString QtFileDialogs::saveFileName(const QString& filter, const QString& startPath)
{
    QFileDialog dialog(QApplication::activeWindow(), {}, startPath, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the chosen type's, so that the open dialog lists the file
    // and the question before replacing one asks about the right name.
    const auto typGewählt = [&dialog](const QString& typ) { dialog.setDefaultSuffix(endung(typ)); };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, typGewählt);
    typGewählt(dialog.selectedNameFilter());
    const bool gewählt = dialog.exec() == QDialog::Accepted;
    typ = typNummer(qtFilter(filter), dialog.selectedNameFilter());
    return gewählt ? dialog.selectedFiles().value(0) : QString();
}

} // namespace platform
