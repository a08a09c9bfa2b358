#include "storage/EscritorLineas.h"

#include "core/Cp1252.h"

void EscritorLineas::Numero(qint32 numero) {
    bytes_ += QByteArray::number(numero);
    bytes_ += "\r\n";
}

void EscritorLineas::Linea(const QString& texto) {
    if (texto.contains(QChar('\r')))
        correcto_ = false;
    TextoMultilinea(texto);
}

void EscritorLineas::TextoMultilinea(const QString& texto) {
    Anadir(texto);
    bytes_ += "\r\n";
}

void EscritorLineas::Anadir(const QString& texto) {
    const auto codificado = Cp1252::Codificar(texto);
    if (!codificado || texto.contains(Cp1252::kFinDeArchivo)) {
        correcto_ = false;
        return;
    }
    bytes_ += *codificado;
}
