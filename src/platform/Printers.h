#pragma once

#include <QPageLayout>
#include <QStringList>

namespace platform {

class MessageBoxes;

// The printer after the system's ones that writes each printout into a PDF file, the same on every platform.
inline const QString PdfDatei = QStringLiteral("PDF-Datei");

// One printout as it goes to paper: its text and the printer's settings when it was ended.
struct Druckdokument {
    QString drucker;
    QString schriftart; // empty: the printer's own font
    qreal schriftgröße = 10;
    QPageLayout::Orientation ausrichtung = QPageLayout::Portrait;
    QString text;

    bool operator==(const Druckdokument&) const = default;
};

// The installed printers and the current one, which printouts go to. A printout is a series of
// steps, each of which fails when no printer is current. Like a real printer, the current one
// keeps its font, size and orientation from one printout to the next; choosing another printer
// starts again from that printer's own settings.
class Printers {
public:
    virtual ~Printers() = default;
    // The system's printers, then "PDF-Datei".
    QStringList installed() const;
    // Empty when no printer is chosen, as when the system has none.
    QString current() const { return aktueller; }
    // Makes the installed printer of that name current, or none for an empty name; an unknown name
    // changes nothing.
    void setCurrent(const QString& name);
    // The file the next document goes into when "PDF-Datei" is current.
    void setDatei(const QString& name) { druckdatei = name; }

    bool setFontName(const QString& name);
    bool setFontSize(qreal punkte);
    bool setOrientation(QPageLayout::Orientation ausrichtung);
    // Adds the text and a line break to the document.
    bool print(const QString& text);
    // Sends the document to the printer.
    bool endDocument();
    // Drops what a failed printout has added, so that the next one starts clean.
    void abortDocument();

protected:
    virtual QStringList systemdrucker() const = 0;
    // Puts one document on paper; false when the printer fails.
    virtual bool ausgeben(const Druckdokument& dokument) = 0;

private:
    bool bereit() const { return !aktueller.isEmpty(); }

    QString aktueller;
    Druckdokument offen;
    QString druckdatei;
};

// Ends a failed printout and says so, as every printout does.
void DruckerFehlerMelden(Printers& drucker, MessageBoxes& meldungen);

// The printers of the system.
class QtPrinters final : public Printers {
public:
    QtPrinters();

protected:
    QStringList systemdrucker() const override;
    bool ausgeben(const Druckdokument& dokument) override;
};

// One printer, "PDF", that prints into a file.
class PdfPrinters final : public Printers {
public:
    explicit PdfPrinters(QString datei);

protected:
    QStringList systemdrucker() const override { return {QStringLiteral("PDF")}; }
    bool ausgeben(const Druckdokument& dokument) override;

private:
    QString datei;
};

} // namespace platform
