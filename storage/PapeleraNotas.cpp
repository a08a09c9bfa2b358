#include "storage/PapeleraNotas.h"

#include "storage/ArchivoNotas.h"
#include "storage/CopiasSeguridad.h"
#include "storage/EscritorLineas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/LectorLineas.h"

QByteArray PapeleraNotas::Bytes(const QList<DatosNota>& notas) {
    if (notas.isEmpty())
        return {};
    EscritorLineas escritor;
    escritor.Linea(QString::fromLatin1(kCabeceraBorradas));
    for (const DatosNota& nota : notas)
        EscribirRegistroNota(escritor, nota);
    // Every note came from the board, which holds only what its files can carry.
    return escritor.Correcto() ? escritor.Bytes() : QByteArray();
}

std::optional<QList<DatosNota>> PapeleraNotas::Leer(QByteArrayView bytes) {
    LectorLineas lector(bytes);
    if (lector.LeerLinea() != QByteArrayView(kCabeceraBorradas))
        return std::nullopt;
    QList<DatosNota> notas;
    while (!lector.SoloQuedanBlancos()) {
        DatosNota nota = LeerRegistroNota(lector);
        if (lector.Fallo())
            return std::nullopt;
        notas.append(std::move(nota));
    }
    return notas.mid(qMax<qsizetype>(notas.size() - kMaxBorradas, 0));
}

ErrorArchivo PapeleraNotas::Cargar(QString* apartado) {
    FNotas.clear();
    const ArchivoLeido leido = LeerArchivoEntero(FRuta);
    if (!leido.Existe)
        return ErrorArchivo::Ninguno;
    std::optional<QList<DatosNota>> notas;
    if (leido.Error == ErrorArchivo::Ninguno && (notas = Leer(leido.Bytes))) {
        FNotas = std::move(*notas);
        return ErrorArchivo::Ninguno;
    }
    // Kept whole beside it, "<file>.dañado" (then ".2" and on), before a deletion is saved.
    const QString aparte = ConservarCopia(FRuta, QStringLiteral(".dañado"));
    if (apartado)
        *apartado = aparte;
    // Without a copy, this run's deletions are kept in memory only.
    if (aparte.isEmpty())
        FRuta.clear();
    return leido.Error != ErrorArchivo::Ninguno ? leido.Error : ErrorArchivo::NumeroNoValido;
}

ErrorArchivo PapeleraNotas::Echar(const DatosNota& nota) {
    FNotas.append(nota);
    if (FNotas.size() > kMaxBorradas)
        FNotas.removeFirst();
    return Guardar();
}

std::optional<DatosNota> PapeleraNotas::Sacar() {
    if (FNotas.isEmpty())
        return std::nullopt;
    DatosNota nota = FNotas.takeLast();
    Guardar();
    return nota;
}

ErrorArchivo PapeleraNotas::Guardar() const {
    return FRuta.isEmpty() ? ErrorArchivo::Ninguno : GuardarOQuitar(FRuta, Bytes(FNotas));
}
