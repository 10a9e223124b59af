#pragma once

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

// German texts in Qt's own dialogs and messages: from Qt's installation, or, in the Windows program's
// folder, from "translations" beside the program.
inline void qtTexteLaden(QTranslator& übersetzung)
{
    const QString ordner[] = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
    for (const QString& pfad : ordner) {
        if (übersetzung.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"), pfad)) {
            QCoreApplication::installTranslator(&übersetzung);
            return;
        }
    }
}

} // namespace platform
