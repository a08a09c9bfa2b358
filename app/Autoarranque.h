#pragma once
// The desktop's autostart entry, which stands in for the start-with-the-system list.
#include <QString>

// The program path as one argument of an Exec= line: quoted and escaped as the desktop-entry
// rules say, so that blanks, quotes, $, ` and % reach the program unchanged.
QString ArgumentoExec(const QString& programa);

// The whole entry that starts the program with the session.
QString EntradaAutoarranque(const QString& programa);
