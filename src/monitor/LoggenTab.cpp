#include "LoggenTab.h"

#include "Logfenster.h"
#include "Steuerelemente.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using steuerelemente::anlegen;

LoggenTab::LoggenTab(QWidget* parent)
    : QWidget(parent), txt_Log(anlegen<QPlainTextEdit>(this, "txt_Log")),
      cmd_StartLog(anlegen<QPushButton>(this, "cmd_StartLog", "Start")),
      cmd_SaveLog(anlegen<QPushButton>(this, "cmd_SaveLog", "Speichern")),
      cmd_OpenLog(anlegen<QPushButton>(this, "cmd_OpenLog", "Öffnen")),
      cmd_DeleteLog(anlegen<QPushButton>(this, "cmd_DeleteLog", "Löschen")),
      chk_AutoSroll(anlegen<QCheckBox>(this, "chk_AutoSroll", "Auto-Scroll")),
      cmd_LoggDrucken(anlegen<QPushButton>(this, "cmd_LoggDrucken", "Drucken")),
      logfenster(std::make_unique<Logfenster>(*txt_Log, [this] { return chk_AutoSroll->isChecked(); }))
{
    txt_Log->setReadOnly(true);
    // Unwrapped lines and no undo history keep appending cheap however long a logging session runs.
    txt_Log->setLineWrapMode(QPlainTextEdit::NoWrap);
    txt_Log->setUndoRedoEnabled(false);
    txt_Log->setAccessibleName(QStringLiteral("Log"));

    auto* rahmen = anlegen<QGroupBox>(this, "Frame5", "Loggen");
    auto* befehle = new QHBoxLayout(rahmen);
    befehle->addWidget(cmd_StartLog);
    befehle->addWidget(chk_AutoSroll);
    befehle->addStretch();
    befehle->addWidget(cmd_SaveLog);
    befehle->addWidget(cmd_OpenLog);
    befehle->addWidget(cmd_DeleteLog);
    befehle->addWidget(cmd_LoggDrucken);

    auto* seite = new QVBoxLayout(this);
    seite->addWidget(txt_Log, 1);
    seite->addWidget(rahmen);
}

LoggenTab::~LoggenTab() = default;
