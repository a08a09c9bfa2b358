#pragma once
// The address book: the boards this board knows, whether they may send notes, and the
// per-sender flood-control data of the note server.
#include "storage/ErrorArchivo.h"
#include "storage/NodoListaIP.h"
#include "storage/RemitentesPorPatron.h"

#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringView>
#include <list>

inline const QString kIPComodin = QStringLiteral("*.*.*.*");
inline const QString kNombreComodin = QStringLiteral("(Desconocido)");
constexpr qint32 kPuertoComodin = 2222;

class ListaIP {
public:
    // Entries from head to tail; pointers and references stay valid until the entry
    // itself is removed.
    const std::list<nodoListaIP>& Entradas() const { return FEntradas; }
    std::list<nodoListaIP>& Entradas() { return FEntradas; }

    // Exact lookups find the first entry whose IP equals the text, case included.
    bool ExisteIP(const QString& ip) const;
    nodoListaIP* BuscarIP(const QString& ip);
    const nodoListaIP* BuscarIP(const QString& ip) const;
    bool PermisoExactoIP(const QString& ip) const;
    QString NombreDeIP(const QString& ip) const;
    qint32 PuertoDeIP(const QString& ip) const;

    // "*" stands for one whole segment; an empty address matches every pattern.
    static bool IPCoincideConPatron(QStringView ip, QStringView patron);
    // Accepted by its own entry or by any accepted entry whose pattern matches, unless flood
    // control withdrew the address: that outranks every pattern.
    bool IPPermitida(const QString& ip) const;
    // The same with the address's own entry already looked up (null: it has none).
    bool IPPermitida(const QString& ip, const nodoListaIP* propia) const;
    static bool RetiradoPorAbuso(const nodoListaIP& nodo) {
        return !nodo.Permitido && !nodo.FechaRetiro.isEmpty();
    }
    // Where flood control counts a sender: its own entry when that admits it, else its
    // record by address. Null when neither exists yet.
    const nodoListaIP* RegistroAbuso(const QString& ip) const;
    const nodoListaIP* RegistroAbuso(const QString& ip, const nodoListaIP* propia) const;
    RemitentesPorPatron& PorPatron() { return FPorPatron; }
    const RemitentesPorPatron& PorPatron() const { return FPorPatron; }

    void CambiarPermisoIP(const QString& ip);
    // Appends at the tail without looking for an existing entry.
    void AddIP(const QString& ip, const QString& nombre, bool permitido, qint32 puerto);
    // Removes the first entry of that text only.
    void BorrarIP(const QString& ip);
    // Appends the wildcard entry, not accepted, when no entry is exactly "*.*.*.*".
    void AsegurarComodin();

    // Appends the file's entries, then the wildcard entry if missing. A missing file is
    // no error. On error the list is left as it was. `bytesTrasElFin`: a Ctrl-Z ended the
    // file before its last byte, so a save would drop what follows.
    ErrorArchivo CargarListaIP(const QString& ruta, bool* bytesTrasElFin = nullptr);
    ErrorArchivo LeerListaIP(QByteArrayView bytes, bool* bytesTrasElFin = nullptr);
    // Adds the wildcard entry if missing and writes the whole list; on failure the
    // stored file stays as it was.
    ErrorArchivo GuardarListaIP(const QString& ruta);
    ErrorArchivo EscribirListaIP(QIODevice& destino);

private:
    std::list<nodoListaIP> FEntradas;
    RemitentesPorPatron FPorPatron;
};
