#pragma once

// The Windows registry as the program reads and writes it: the settings under the current user, the
// system information tool's location under the machine.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform::registry {

enum class Wurzel { Benutzer, Maschine }; // HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE

// A value as text: a string as stored, one terminating zero character dropped; a 32-bit number as
// "&h" followed by its bytes in hexadecimal, the last byte first. Nothing when the key or the value is
// missing or has another type.
std::optional<QString> lesen(Wurzel wurzel, const QString& schlüssel, const QString& name);

// A binary value (REG_BINARY) as stored; nothing when the key or the value is missing or has another
// type.
std::optional<QByteArray> lesenBinär(Wurzel wurzel, const QString& schlüssel, const QString& name);

// Stores text as a string value (REG_SZ) with its terminating zero, creating the key when needed.
bool schreiben(Wurzel wurzel, const QString& schlüssel, const QString& name, const QString& wert);

} // namespace platform::registry
