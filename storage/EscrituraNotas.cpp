#include "storage/ArchivoNotas.h"
#include "storage/EscritorLineas.h"
#include "storage/GuardadoAtomico.h"

namespace {

QString LineaDeEstilo(quint8 estilo) {
    QString linea;
    for (const quint8 bit : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
        linea += (estilo & bit) ? u'1' : u'0';
    return linea;
}

} // namespace

void EscribirRegistroNota(EscritorLineas& escritor, const DatosNota& nota) {
    escritor.Numero(nota.Left);
    escritor.Numero(nota.Top);
    escritor.Numero(nota.Width);
    escritor.Numero(nota.Height);
    escritor.Numero(qint32(nota.ColorChincheta));
    escritor.Numero(nota.DayCreated);
    escritor.Numero(nota.MonthCreated);
    escritor.Numero(nota.YearCreated);
    escritor.Numero(nota.DayExpires);
    escritor.Numero(nota.MonthExpires);
    escritor.Numero(nota.YearExpires);
    escritor.Linea(LineaDeEstilo(nota.FontStyle));
    escritor.Linea(nota.FontName);
    escritor.Numero(nota.FontSize);
    // System colours have the top bit set and are stored as negative numbers.
    escritor.Numero(qint32(nota.FontColor));
    escritor.Linea(nota.ReceivedTime);
    escritor.Linea(nota.ReceivedFromIP);
    escritor.Linea(nota.ReceivedFromUser);
    escritor.Numero(qint32(1 + nota.Texto.count(u'\r')));
    escritor.TextoMultilinea(nota.Texto);
}

ErrorArchivo EscribirArchivoNotas(QIODevice& destino, const QList<DatosNota>& notas) {
    EscritorLineas escritor;
    escritor.Linea(QString::fromLatin1(kCabeceraNotas));
    for (const DatosNota& nota : notas)
        EscribirRegistroNota(escritor, nota);
    if (!escritor.Correcto())
        return ErrorArchivo::TextoNoGuardable;
    return EscribirTodo(destino, escritor.Bytes()) ? ErrorArchivo::Ninguno
                                                   : ErrorArchivo::NoSePuedeEscribir;
}

ErrorArchivo GuardarArchivoNotas(const QString& ruta, const QList<DatosNota>& notas) {
    return GuardarAtomico(
        ruta, [&notas](QIODevice& destino) { return EscribirArchivoNotas(destino, notas); });
}
