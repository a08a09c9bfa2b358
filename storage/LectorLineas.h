#pragma once
// Reads the line-oriented data files. A CR ends a line and an LF right after it belongs
// to that line end; any other LF is ordinary text. Ctrl-Z (26) ends the file.
#include <QByteArrayView>
#include <QtGlobal>

class LectorLineas {
public:
    explicit LectorLineas(QByteArrayView bytes);

    bool FinDeArchivo() const { return pos_ >= bytes_.size(); }
    // Set by the first number field that holds no number; from then on every field
    // reads as 0 or empty, so a record reader can check once at its end.
    bool Fallo() const { return fallo_; }

    // The characters up to the next CR; empty at the end of the file.
    QByteArrayView LeerLinea();
    // Skips blanks and control characters (line ends too), takes up to 32 characters up
    // to the next one, and skips the rest of that line. 0 at the end of the file.
    qint32 LeerNumero();

private:
    void SaltarFinDeLinea();
    void SaltarRestoDeLinea();

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
    bool fallo_ = false;
};
