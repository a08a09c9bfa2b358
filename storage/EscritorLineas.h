#pragma once
// Builds the bytes of a data file, every line ended by CR LF, texts in Windows-1252.
// A field the file could not carry back is refused instead of being written damaged.
#include <QByteArray>
#include <QString>

class EscritorLineas {
public:
    void Numero(qint32 numero);
    // One line: a CR would split it and shift every later field.
    void Linea(const QString& texto);
    // A text whose own CRs become line ends; the reader counts them beforehand.
    void TextoMultilinea(const QString& texto);

    // False once a field held a character the file cannot carry.
    bool Correcto() const { return FCorrecto; }
    const QByteArray& Bytes() const { return FBytes; }

private:
    void Anadir(const QString& texto);

    QByteArray FBytes;
    bool FCorrecto = true;
};
