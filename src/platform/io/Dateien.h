#pragma once

// The program's own files: each is read or written whole within one command.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

class MessageBoxes;

// Writes a new file whole, or leaves an existing one as it was. A failure is reported as
// "Die <art> "<name>" konnte nicht gespeichert werden.", `art` being "Logdatei" and the like.
bool dateiSpeichern(MessageBoxes& meldungen, const QString& art, const QString& name,
                    const QByteArray& inhalt);
// The whole file, or nothing after "Die <art> "<name>" konnte nicht gelesen werden.".
std::optional<QByteArray> dateiLaden(MessageBoxes& meldungen, const QString& art, const QString& name);

} // namespace platform
