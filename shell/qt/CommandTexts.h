// Menu texts, prompts and keys of the commands the menus and the toolbar show.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

struct CommandText {
  int command;
  const char* text;    // menu text
  const char* prompt;  // status-bar prompt and tooltip
  QKeySequence::StandardKey key;
  bool checkable;
};

// The entry of a command; null for a command the program does not show.
const CommandText* FindCommandText(int command);
// Every key of the command: its standard key first, then the older keys the
// clipboard commands also answer to (Ctrl+Insert, Shift+Delete, Shift+Insert);
// Close answers Ctrl+F4 and Ctrl+W.
QList<QKeySequence> CommandKeys(const CommandText& text);
