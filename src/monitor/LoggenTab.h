#pragma once

#include <QWidget>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

// The log tab of the main window. Its log window is the only copy of the log, so the controls
// are public under their given names; the frame is found by objectName ("Frame5").
class LoggenTab : public QWidget {
public:
    explicit LoggenTab(QWidget* parent = nullptr);

    QPlainTextEdit* const txt_Log;

    // Frame5 "Loggen"
    QPushButton* const cmd_StartLog;
    QPushButton* const cmd_SaveLog;
    QPushButton* const cmd_OpenLog;
    QPushButton* const cmd_DeleteLog;
    QCheckBox* const chk_AutoSroll;
    QPushButton* const cmd_LoggDrucken;
};
