#pragma once
// What a data file held at some moment, enough to tell later whether it has changed.
#include <QByteArray>
#include <QString>
#include <optional>

struct EstadoArchivo {
    bool Existe = false;
    qint64 Tamano = 0;
    QByteArray Huella; // SHA-256 of the bytes

    static EstadoArchivo DeBytes(const QByteArray& bytes);
    // One line: "ausente", or the size and the hash in hex.
    QByteArray Texto() const;
    static std::optional<EstadoArchivo> DeTexto(const QByteArray& texto);

    bool operator==(const EstadoArchivo&) const = default;
};

// The file as it is now; none when it exists but cannot be read.
std::optional<EstadoArchivo> EstadoActual(const QString& ruta);
