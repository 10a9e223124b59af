#pragma once

#include "Druckdateidialog.h"
#include "FileDialogs.h"

#include <QObject>
#include <QPageLayout>
#include <functional>
#include <optional>

class QAbstractButton;

namespace platform {

class MessageBoxes;
class Printers;

// A second kind of file a tab's file commands take.
struct Dateiformat {
    QString filter; // "Tabelle (*.csv)|*.csv"
    std::function<QByteArray()> schreiben;
    std::function<QString(const QByteArray& datei, const QString& name)> lesen;
};

// What a tab keeps in its file and how it prints it.
struct Dateiinhalt {
    QString art;    // the kind of file as messages name it: "Konfigurationsdatei"
    QString filter; // the file dialogs' filter
    // Why what the tab shows can't be written, so that every file written loads again; empty when it can.
    std::function<QString()> prüfen;
    // The file's bytes, from what the tab shows.
    std::function<QByteArray()> schreiben;
    // Shows what the file NAME holds; or the message that refuses it, and then nothing changes.
    std::function<QString(const QByteArray& datei, const QString& name)> lesen;
    // The printout's text, and how it is set.
    std::function<QString()> drucktext;
    int schriftgröße;
    std::optional<QPageLayout::Orientation> ausrichtung; // else the printer's
    QString druckdatei; // the name a printout into "PDF-Datei" proposes: "Konfiguration.pdf"
    // Offered in the dialogs after the first kind; a name ending in its extension is of this kind
    // whichever type was chosen.
    std::optional<Dateiformat> zweitformat = {};
};

// A tab's commands that need no device: saving what it shows to a file, loading a file, and printing.
class Dateibefehle : public QObject {
public:
    Dateibefehle(Dateiinhalt inhalt, MessageBoxes& meldungen, FileDialogs& dateidialoge, Printers& drucker,
                 QObject* parent);

    // The tab's buttons for the three commands.
    void verbinden(QAbstractButton* speichern, QAbstractButton* laden, QAbstractButton* drucken);
    void InDateiSpeichern_Click();
    void AusDateiLaden_Click();
    void Drucken_Click();
    // `typ` is the type chosen in the dialog, counted from 0.
    void DateiSchreiben(const QString& name, int typ);
    void DateiLesen(const QString& name, int typ);

private:
    // The second kind when it is chosen or named; none for the first.
    const Dateiformat* zweitformat(const QString& name, int typ) const;

    Dateiinhalt inhalt;
    MessageBoxes& meldungen;
    Dateidialog dialog;
    Druckdateidialog druckdatei;
    Printers& drucker;
};

} // namespace platform
