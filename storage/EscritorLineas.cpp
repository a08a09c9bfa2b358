#include "storage/EscritorLineas.h"

#include "core/Cp1252.h"

void EscritorLineas::Numero(qint32 numero) {
    FBytes += QByteArray::number(numero);
    FBytes += "\r\n";
}

void EscritorLineas::Linea(const QString& texto) {
    if (texto.contains(QChar('\r')))
        FCorrecto = false;
    TextoMultilinea(texto);
}

void EscritorLineas::TextoMultilinea(const QString& texto) {
    Anadir(texto);
    FBytes += "\r\n";
}

void EscritorLineas::Anadir(const QString& texto) {
    const auto codificado = Cp1252::Codificar(texto);
    if (!codificado || texto.contains(Cp1252::kFinDeArchivo)) {
        FCorrecto = false;
        return;
    }
    FBytes += *codificado;
}
