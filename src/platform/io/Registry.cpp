#include "Registry.h"

#include <windows.h>

namespace platform::registry {

namespace {

HKEY wurzelVon(Wurzel wurzel)
{
    return wurzel == Wurzel::Benutzer ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

const wchar_t* breit(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// Closes the key on every path.
struct Schlüssel {
    HKEY h = nullptr;
    ~Schlüssel()
    {
        if (h != nullptr)
            ::RegCloseKey(h);
    }
};

struct Wert {
    DWORD typ = 0;
    QByteArray daten;
};

std::optional<Wert> rohLesen(Wurzel wurzel, const QString& schlüssel, const QString& name)
{
    // Reading needs no more than read access: the machine's keys refuse more to a user without
    // administrator rights.
    Schlüssel key;
    if (::RegOpenKeyExW(wurzelVon(wurzel), breit(schlüssel), 0, KEY_READ, &key.h) != ERROR_SUCCESS)
        return std::nullopt;
    Wert wert;
    DWORD größe = 0;
    if (::RegQueryValueExW(key.h, breit(name), nullptr, &wert.typ, nullptr, &größe) != ERROR_SUCCESS)
        return std::nullopt;
    wert.daten = QByteArray(qsizetype(größe), '\0');
    if (::RegQueryValueExW(key.h, breit(name), nullptr, &wert.typ, reinterpret_cast<BYTE*>(wert.daten.data()),
                           &größe) != ERROR_SUCCESS)
        return std::nullopt;
    wert.daten.truncate(qsizetype(größe));
    return wert;
}

} // namespace

std::optional<QByteArray> lesenBinär(Wurzel wurzel, const QString& schlüssel, const QString& name)
{
    std::optional<Wert> wert = rohLesen(wurzel, schlüssel, name);
    if (!wert || wert->typ != REG_BINARY)
        return std::nullopt;
    return wert->daten;
}

std::optional<QString> lesen(Wurzel wurzel, const QString& schlüssel, const QString& name)
{
    const std::optional<Wert> wert = rohLesen(wurzel, schlüssel, name);
    if (!wert)
        return std::nullopt;
    const DWORD typ = wert->typ;
    const QByteArray& daten = wert->daten;
    if (typ == REG_SZ || typ == REG_EXPAND_SZ) {
        QString text(reinterpret_cast<const QChar*>(daten.constData()), daten.size() / 2);
        if (text.endsWith(QChar(0)))
            text.chop(1);
        return text;
    }
    if (typ == REG_DWORD) {
        QString text = QStringLiteral("&h");
        for (qsizetype i = daten.size() - 1; i >= 0; --i)
            text += QString::number(quint8(daten.at(i)), 16).toUpper();
        return text;
    }
    return std::nullopt;
}

bool schreiben(Wurzel wurzel, const QString& schlüssel, const QString& name, const QString& wert)
{
    Schlüssel key;
    if (::RegCreateKeyExW(wurzelVon(wurzel), breit(schlüssel), 0, nullptr, 0, KEY_WRITE, nullptr, &key.h,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD größe =
        DWORD((wert.size() + 1) * sizeof(wchar_t)); // the zero that QString keeps after its text
    return ::RegSetValueExW(key.h, breit(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(wert.utf16()),
                            größe) == ERROR_SUCCESS;
}

} // namespace platform::registry
