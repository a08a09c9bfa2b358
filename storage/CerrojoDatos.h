#pragma once
// The data files belong to one board at a time: a lock file beside the notes file. A lock
// left by a board that died is taken over.
#include <QLockFile>
#include <QString>

class CerrojoDatos {
public:
    explicit CerrojoDatos(const QString& rutaNotas);

    // False only when a live board holds the files. A folder that takes no lock file is
    // no refusal: no save can replace a file there either, and every save looks at what
    // is on disk before it writes.
    bool Tomar();
    QString Ruta() const { return FRuta; }
    // Who holds the files, for the user: "proceso 1234 en equipo".
    QString Dueno() const;

private:
    QString FRuta;
    QLockFile FCerrojo;
};
