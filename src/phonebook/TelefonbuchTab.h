#pragma once

#include <QByteArrayView>
#include <QWidget>

class QMenu;
class QPushButton;
class QTableView;
class TelefonbuchModell;

// The phone book tab of the main window. Its grid shows the model that is the only copy of the
// phone book; the controls are public under their given names, the frames are found by objectName
// ("Frame3" etc.). The grid's current row is the current entry, shown selected across the row.
class TelefonbuchTab : public QWidget {
    Q_OBJECT
public:
    explicit TelefonbuchTab(QWidget* parent = nullptr);

    TelefonbuchModell& modell() { return *telefonbuch; }
    const TelefonbuchModell& modell() const { return *telefonbuch; }

    // Empties every entry and makes entry 1 current.
    void TelefonbuchTabelleAufbauen();
    void TelefonbuchParsAnzeigen(QByteArrayView abbild);
    // The current entry, 1 to 50.
    int aktuelleZeile() const;
    // Makes cell `vonSpalte` of `zeile` current and selects the row's cells from it to `bisSpalte`.
    void zeileMarkieren(int zeile, int bisSpalte = 7, int vonSpalte = 0);
    // Makes one cell current and selects only it.
    void zelleSetzen(int zeile, int spalte);

signals:
    // "Bearbeiten" by button, context menu or double click.
    void bearbeitenAngefordert();

public:
    QTableView* const MSFlexGrid1;
    // The grid's context menu "Flexgrid" with "Bearbeiten" and "Löschen".
    QMenu* const flexmenü;

    // Frame3 "Telefonbuch"
    QPushButton* const cmd_TelbuchAusAnlageLaden;
    QPushButton* const cmd_TelbuchInAnlageSpeichern;
    QPushButton* const cmd_TelbuchAusAnlageLoeschen;
    QPushButton* const cmd_TelbuchAusDateiLaden;
    QPushButton* const cmd_TelbuchInDateiSpeichern;
    QPushButton* const cmd_TelbuchDrucken;

    // Frame2 "Telefonbucheintrag"
    QPushButton* const cmd_TelbuchBearbeiten;
    QPushButton* const cmd_TelbuchLöschen;
    QPushButton* const Cmd_RufInformationAbholen;

private:
    TelefonbuchModell* const telefonbuch;
};
