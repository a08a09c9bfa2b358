#include "storage/ArchivoNotas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/LectorLineas.h"

#include "core/Cp1252.h"

namespace {

// The file keeps the ordinal's low byte; a value that names no pushpin becomes the
// pushpin of a new note, an ordinary note of the user's own that the editor can fix.
TColorChincheta ChinchetaDeNumero(qint32 numero) {
    const quint8 ordinal = quint8(numero);
    return ordinal < kNumColoresChincheta ? TColorChincheta(ordinal) : DatosNota().ColorChincheta;
}

// Bold, italic, underline, strike-out as "1"/"0"; a missing position is not set.
quint8 EstiloDeLinea(QByteArrayView linea) {
    constexpr quint8 kBits[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    quint8 estilo = 0;
    for (qsizetype i = 0; i < qsizetype(std::size(kBits)) && i < linea.size(); ++i)
        if (linea[i] == '1')
            estilo |= kBits[i];
    return estilo;
}

QString LeerTextoNota(LectorLineas& lector) {
    const qint32 lineas = lector.LeerNumero();
    QByteArray texto;
    // Past the end of the file every line would read as empty and be trimmed below.
    for (qint32 i = 0; i < lineas && !lector.FinDeArchivo(); ++i) {
        texto += lector.LeerLinea();
        texto += '\r';
    }
    while (texto.endsWith('\r') || texto.endsWith('\n'))
        texto.chop(1);
    return Cp1252::Decodificar(texto);
}

VersionArchivoNotas VersionDeCabecera(QByteArrayView primeraLinea) {
    if (primeraLinea == QByteArrayView(kCabeceraNotas))
        return VersionArchivoNotas::Actual;
    if (primeraLinea == QByteArrayView(kCabeceraNotasV2))
        return VersionArchivoNotas::Version2;
    return VersionArchivoNotas::Primera;
}

} // namespace

DatosNota LeerRegistroNota(LectorLineas& lector, VersionArchivoNotas version) {
    DatosNota nota;
    nota.Left = lector.LeerNumero();
    nota.Top = lector.LeerNumero();
    nota.Width = lector.LeerNumero();
    nota.Height = lector.LeerNumero();
    nota.ColorChincheta = ChinchetaDeNumero(lector.LeerNumero());
    nota.DayCreated = quint8(lector.LeerNumero());
    nota.MonthCreated = quint8(lector.LeerNumero());
    nota.YearCreated = lector.LeerNumero();
    nota.DayExpires = quint8(lector.LeerNumero());
    nota.MonthExpires = quint8(lector.LeerNumero());
    nota.YearExpires = lector.LeerNumero();
    if (version != VersionArchivoNotas::Primera) {
        nota.FontStyle = EstiloDeLinea(lector.LeerLinea());
        nota.FontName = Cp1252::Decodificar(lector.LeerLinea());
        nota.FontSize = lector.LeerNumero();
        nota.FontColor = quint32(lector.LeerNumero());
    }
    if (version == VersionArchivoNotas::Actual) {
        nota.ReceivedTime = Cp1252::Decodificar(lector.LeerLinea());
        nota.ReceivedFromIP = Cp1252::Decodificar(lector.LeerLinea());
        nota.ReceivedFromUser = Cp1252::Decodificar(lector.LeerLinea());
    }
    nota.Texto = LeerTextoNota(lector);
    return nota;
}

ResultadoCargaNotas LeerArchivoNotas(QByteArrayView bytes) {
    ResultadoCargaNotas resultado;
    resultado.Existe = true;
    LectorLineas lector(bytes);
    resultado.Version = VersionDeCabecera(lector.LeerLinea());
    // The first layout has no header: its records start at the first line.
    if (resultado.Version == VersionArchivoNotas::Primera)
        lector = LectorLineas(bytes);
    resultado.BytesTrasElFin = lector.HayBytesTrasElFin();
    while (!lector.SoloQuedanBlancos()) {
        DatosNota nota = LeerRegistroNota(lector, resultado.Version);
        if (lector.Fallo()) {
            resultado.Notas.clear();
            resultado.Error = ErrorArchivo::NumeroNoValido;
            return resultado;
        }
        resultado.Notas.append(std::move(nota));
    }
    return resultado;
}

ResultadoCargaNotas CargarArchivoNotas(const QString& ruta) {
    return CargarArchivo(ruta, LeerArchivoNotas);
}
