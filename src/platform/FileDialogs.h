#pragma once

#include <QString>

namespace platform {

// File choice; an empty result means the user chose nothing. Filters are "Text (*.ext)|*.ext" pairs.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(const QString& filter, const QString& startPath) = 0;
    virtual QString saveFileName(const QString& filter, const QString& startPath) = 0;
    // The type the user chose in the last dialog, counted from 0 in the filter's order.
    virtual int chosenType() const = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    QString openFileName(const QString& filter, const QString& startPath) override;
    QString saveFileName(const QString& filter, const QString& startPath) override;
    int chosenType() const override { return typ; }

    // "Logdateien (*.log)|*.log" -> "Logdateien (*.log)"
    static QString qtFilter(const QString& filter);
    // "Logdateien (*.log)" -> "log"; empty for "Alle Dateien (*.*)".
    static QString endung(const QString& typ);

private:
    int typ = 0;
};

// A command's file dialog: its filter, and the name it gave last, where it starts next time; the
// first time it starts at `start`.
class Dateidialog {
public:
    Dateidialog(FileDialogs& dialoge, QString filter, QString start = {})
        : dialoge(dialoge), filter(std::move(filter)), letzter(std::move(start))
    {
    }

    // The chosen name; empty when the user chose nothing.
    QString öffnen() { return gewählt(dialoge.openFileName(filter, letzter)); }
    QString speichern() { return gewählt(dialoge.saveFileName(filter, letzter)); }
    // The type chosen with the last name, counted from 0.
    int typ() const { return dialoge.chosenType(); }

private:
    QString gewählt(const QString& name)
    {
        if (!name.isEmpty())
            letzter = name;
        return name;
    }

    FileDialogs& dialoge;
    QString filter;
    QString letzter;
};

} // namespace platform
