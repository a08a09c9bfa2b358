#pragma once
// Where the notes file and the address book live.
#include <QString>

// The program's path with the extension of its file name replaced by the given one
// (appended after a dot when the name has none; a dot in a folder name is no extension).
QString RutaJuntoAlPrograma(const QString& rutaPrograma, const QString& extension);

// The folder the package installs the program to.
QString CarpetaInstalada();

// Beside the program when the notes file is there or the folder can take it, else in the
// per-user data folder. An installed program always keeps them in the per-user folder.
QString RutaArchivoDatos(const QString& rutaPrograma, const QString& extension);
