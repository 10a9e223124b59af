#pragma once

#include <QWidget>
#include <memory>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class Logfenster;

// The log tab of the main window. Its log (`log()`) is the only copy of the log; the controls
// are public under their given names; the frame is found by objectName ("Frame5").
class LoggenTab : public QWidget {
public:
    explicit LoggenTab(QWidget* parent = nullptr);
    ~LoggenTab() override;

    Logfenster& log() { return *logfenster; }

    QPlainTextEdit* const txt_Log;

    // Frame5 "Loggen"
    QPushButton* const cmd_StartLog;
    QPushButton* const cmd_SaveLog;
    QPushButton* const cmd_OpenLog;
    QPushButton* const cmd_DeleteLog;
    QCheckBox* const chk_AutoSroll;
    QPushButton* const cmd_LoggDrucken;

private:
    std::unique_ptr<Logfenster> logfenster;
};
