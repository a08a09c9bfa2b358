#pragma once
// The notes file: read in any of its three layouts, written only in the current one,
// records from the topmost note to the bottom one.
#include "core/DatosNota.h"
#include "storage/ErrorArchivo.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QString>

inline constexpr char kCabeceraNotas[] = "PINACO_NOTAS_BD_3.0";
inline constexpr char kCabeceraNotasV2[] = "PINACO_NOTAS_BD_2.0";

enum class VersionArchivoNotas {
    Actual,   // "PINACO_NOTAS_BD_3.0"
    Version2, // "PINACO_NOTAS_BD_2.0": no received fields
    Primera,  // no header, no style, font or received fields
};

struct ResultadoCargaNotas {
    QList<DatosNota> Notas; // empty after an error: a partial board must not be saved
    VersionArchivoNotas Version = VersionArchivoNotas::Actual;
    ErrorArchivo Error = ErrorArchivo::Ninguno;
    bool Existe = false;
    // A Ctrl-Z ended the file before its last byte: a save would drop what follows.
    bool BytesTrasElFin = false;

    // An older layout is written back in the current one right after loading.
    bool HayQueConvertir() const {
        return Existe && Error == ErrorArchivo::Ninguno && Version != VersionArchivoNotas::Actual;
    }
};

class EscritorLineas;
class LectorLineas;

// One note record as the notes file lays it out, for the other files that keep notes. A
// reader that fails leaves the reader's Fallo() set.
void EscribirRegistroNota(EscritorLineas& escritor, const DatosNota& nota);
DatosNota LeerRegistroNota(LectorLineas& lector,
                           VersionArchivoNotas version = VersionArchivoNotas::Actual);

// A missing file is no error and gives no notes.
ResultadoCargaNotas CargarArchivoNotas(const QString& ruta);
ResultadoCargaNotas LeerArchivoNotas(QByteArrayView bytes);

// On any failure the stored file stays as it was.
ErrorArchivo GuardarArchivoNotas(const QString& ruta, const QList<DatosNota>& notas);
// Writes nothing when a field cannot be stored.
ErrorArchivo EscribirArchivoNotas(QIODevice& destino, const QList<DatosNota>& notas);
