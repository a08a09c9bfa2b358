#pragma once
// The notes the user deleted, the last ones, so that one deleted by mistake can come back,
// also after a restart. They are kept in a file of their own beside the notes file, which
// keeps its layout: a header line, then the records as the notes file lays them out, the
// oldest first.
#include "core/DatosNota.h"
#include "storage/ErrorArchivo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

inline constexpr char kCabeceraBorradas[] = "PINACO_NOTAS_BORRADAS_1.0";

class PapeleraNotas {
public:
    static constexpr qsizetype kMaxBorradas = 100;

    explicit PapeleraNotas(QString ruta = {}) : FRuta(std::move(ruta)) {}

    // A missing file is an empty bin. One that cannot be read is copied aside (the copy's
    // name in `apartado`, empty when no copy could be made, and then nothing is written
    // over it) and the bin starts empty: its notes stay on disk.
    ErrorArchivo Cargar(QString* apartado = nullptr);
    // The file follows every change.
    ErrorArchivo Echar(const DatosNota& nota);
    // The last note deleted, taken out of the bin.
    std::optional<DatosNota> Sacar();

    bool Vacia() const { return FNotas.isEmpty(); }
    const QString& Ruta() const { return FRuta; }
    const QList<DatosNota>& Notas() const { return FNotas; }

    static QByteArray Bytes(const QList<DatosNota>& notas);
    // Null when the bytes are not a bin.
    static std::optional<QList<DatosNota>> Leer(QByteArrayView bytes);

private:
    ErrorArchivo Guardar() const;

    QString FRuta;
    QList<DatosNota> FNotas; // oldest first
};
