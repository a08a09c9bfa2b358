#include "storage/RetirosGuardados.h"

#include "storage/EscritorLineas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/LectorLineas.h"
#include "storage/ListaIP.h"

#include "core/Cp1252.h"

#include <QDate>
#include <QTime>

namespace {

void Escribir(EscritorLineas& escritor, const nodoListaIP& nodo, bool propia) {
    escritor.Linea(nodo.IP);
    escritor.Linea(nodo.FechaRetiro);
    escritor.Linea(nodo.HoraRetiro);
    escritor.Numero(propia ? 1 : 0);
}

bool MomentoValido(const QString& fecha, const QString& hora) {
    return QDate::fromString(fecha, QStringLiteral("dd-MM-yyyy")).isValid() &&
           (hora.isEmpty() || QTime::fromString(hora, QStringLiteral("hh:mm:ss")).isValid());
}

} // namespace

QByteArray BytesRetiros(const ListaIP& lista) {
    EscritorLineas escritor;
    for (const nodoListaIP& nodo : lista.Entradas())
        if (ListaIP::RetiradoPorAbuso(nodo) && lista.BuscarIP(nodo.IP) == &nodo)
            Escribir(escritor, nodo, true);
    lista.PorPatron().ParaCada([&](const nodoListaIP& registro) {
        if (ListaIP::RetiradoPorAbuso(registro))
            Escribir(escritor, registro, false);
    });
    // Addresses come from the wire in dotted form, so every field is plain text.
    return escritor.Correcto() ? escritor.Bytes() : QByteArray();
}

ErrorArchivo GuardarRetiros(const ListaIP& lista, const QString& ruta) {
    // A file that stays would bring back withdrawals that have ended.
    return GuardarOQuitar(ruta, BytesRetiros(lista));
}

int LeerRetiros(ListaIP& lista, QByteArrayView bytes) {
    int pendientes = 0;
    LectorLineas lector(bytes, FinDeLinea::CRoLF);
    while (!lector.SoloQuedanBlancos() && !lector.Fallo()) {
        const QString ip = Cp1252::Decodificar(lector.LeerLinea());
        const QString fecha = Cp1252::Decodificar(lector.LeerLinea());
        const QString hora = Cp1252::Decodificar(lector.LeerLinea());
        const bool propia = lector.LeerNumero() != 0;
        if (lector.Fallo() || ip.isEmpty() || !MomentoValido(fecha, hora))
            continue;
        nodoListaIP* registro = nullptr;
        if (!propia)
            registro = &lista.PorPatron().Registro(ip);
        else if (nodoListaIP* entrada = lista.BuscarIP(ip); entrada && !entrada->Permitido)
            registro = entrada;
        if (!registro || !registro->FechaRetiro.isEmpty())
            continue;
        registro->Permitido = false;
        registro->FechaRetiro = fecha;
        registro->HoraRetiro = hora;
        if (!hora.isEmpty())
            ++pendientes;
    }
    return pendientes;
}

ErrorArchivo CargarRetiros(ListaIP& lista, const QString& ruta, int* pendientes) {
    const ArchivoLeido leido = LeerArchivoEntero(ruta);
    if (leido.Error != ErrorArchivo::Ninguno)
        return leido.Error;
    const int n = LeerRetiros(lista, leido.Bytes);
    if (pendientes)
        *pendientes = n;
    return ErrorArchivo::Ninguno;
}
