// Feeds arbitrary bytes to the notes-file, deleted-notes and address-book readers. Besides the
// sanitizers, it checks that whatever loads can be saved and loads back the same.
#include "storage/ArchivoNotas.h"
#include "storage/ListaIP.h"
#include "storage/PapeleraNotas.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

void Exigir(bool condicion) {
    if (!condicion)
        std::abort();
}

template <typename Escribir> QByteArray Guardar(Escribir escribir) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    // Whatever was loaded holds only characters the file can carry.
    Exigir(escribir(buffer) == ErrorArchivo::Ninguno);
    return buffer.data();
}

// Loading turns a CR LF inside a text into a bare CR; nothing else may change.
QList<DatosNota> ComoSeLeeran(QList<DatosNota> notas) {
    for (DatosNota& nota : notas)
        nota.Texto.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    return notas;
}

void ProbarArchivoNotas(QByteArrayView bytes) {
    const ResultadoCargaNotas leido = LeerArchivoNotas(bytes);
    if (leido.Error != ErrorArchivo::Ninguno) {
        Exigir(leido.Notas.isEmpty());
        return;
    }
    const QByteArray guardado =
        Guardar([&](QIODevice& d) { return EscribirArchivoNotas(d, leido.Notas); });
    const ResultadoCargaNotas releido = LeerArchivoNotas(guardado);
    Exigir(releido.Error == ErrorArchivo::Ninguno);
    Exigir(releido.Version == VersionArchivoNotas::Actual);
    Exigir(releido.Notas == ComoSeLeeran(leido.Notas));
}

void ProbarPapelera(QByteArrayView bytes) {
    const std::optional<QList<DatosNota>> leidas = PapeleraNotas::Leer(bytes);
    if (!leidas || leidas->isEmpty())
        return;
    Exigir(leidas->size() <= PapeleraNotas::kMaxBorradas);
    const QByteArray guardado = PapeleraNotas::Bytes(*leidas);
    Exigir(!guardado.isEmpty());
    Exigir(PapeleraNotas::Leer(guardado) == ComoSeLeeran(*leidas));
}

bool MismasEntradas(const ListaIP& a, const ListaIP& b) {
    return std::equal(a.Entradas().begin(), a.Entradas().end(), b.Entradas().begin(),
                      b.Entradas().end(), [](const nodoListaIP& x, const nodoListaIP& y) {
                          return x.IP == y.IP && x.Nombre == y.Nombre && x.Puerto == y.Puerto &&
                                 x.Permitido == y.Permitido;
                      });
}

void ProbarListaIP(QByteArrayView bytes) {
    ListaIP lista;
    if (lista.LeerListaIP(bytes) != ErrorArchivo::Ninguno) {
        Exigir(lista.Entradas().empty());
        return;
    }
    Exigir(lista.ExisteIP(kIPComodin));
    const QByteArray guardado = Guardar([&](QIODevice& d) { return lista.EscribirListaIP(d); });
    ListaIP releida;
    Exigir(releida.LeerListaIP(guardado) == ErrorArchivo::Ninguno);
    Exigir(MismasEntradas(lista, releida));
    Exigir(Guardar([&](QIODevice& d) { return releida.EscribirListaIP(d); }) == guardado);
    for (const nodoListaIP& nodo : lista.Entradas())
        lista.IPPermitida(nodo.IP);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t tamano) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(datos), qsizetype(tamano));
    ProbarArchivoNotas(bytes);
    ProbarPapelera(bytes);
    ProbarListaIP(bytes);
    return 0;
}
