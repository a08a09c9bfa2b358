// The address-book file: four lines per entry (IP, name, port, "1"/"0"), no header.
#include "storage/EscritorLineas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/LectorLineas.h"
#include "storage/ListaIP.h"

#include "core/Cp1252.h"

ErrorArchivo ListaIP::CargarListaIP(const QString& ruta, bool* bytesTrasElFin) {
    const ArchivoLeido leido = LeerArchivoEntero(ruta);
    if (leido.Error != ErrorArchivo::Ninguno)
        return leido.Error;
    return LeerListaIP(leido.Bytes, bytesTrasElFin);
}

ErrorArchivo ListaIP::LeerListaIP(QByteArrayView bytes, bool* bytesTrasElFin) {
    // Read aside first so that a damaged file adds nothing.
    ListaIP leidas;
    LectorLineas lector(bytes, FinDeLinea::CRoLF);
    if (bytesTrasElFin)
        *bytesTrasElFin = lector.HayBytesTrasElFin();
    while (!lector.SoloQuedanBlancos()) {
        const QString ip = Cp1252::Decodificar(lector.LeerLinea());
        const QString nombre = Cp1252::Decodificar(lector.LeerLinea());
        const qint32 puerto = lector.LeerNumero();
        const bool permitido = lector.LeerNumero() != 0;
        if (lector.Fallo())
            return ErrorArchivo::NumeroNoValido;
        leidas.AddIP(ip, nombre, permitido, puerto);
    }
    FEntradas.splice(FEntradas.end(), leidas.FEntradas);
    AsegurarComodin();
    return ErrorArchivo::Ninguno;
}

ErrorArchivo ListaIP::GuardarListaIP(const QString& ruta) {
    AsegurarComodin();
    return GuardarAtomico(ruta, [this](QIODevice& destino) { return EscribirListaIP(destino); });
}

ErrorArchivo ListaIP::EscribirListaIP(QIODevice& destino) {
    EscritorLineas escritor;
    // The entry fields refuse what the file cannot carry; should one still hold such a
    // character, a "?" stands for it rather than the whole book going unsaved.
    for (const nodoListaIP& nodo : FEntradas) {
        escritor.Linea(Cp1252::SustituirNoGuardablesEnLinea(nodo.IP));
        escritor.Linea(Cp1252::SustituirNoGuardablesEnLinea(nodo.Nombre));
        escritor.Numero(nodo.Puerto);
        escritor.Numero(nodo.Permitido ? 1 : 0);
    }
    return EscribirTodo(destino, escritor.Bytes()) ? ErrorArchivo::Ninguno
                                                   : ErrorArchivo::NoSePuedeEscribir;
}
