#pragma once
// Reads the line-oriented data files. A CR ends a line and an LF right after it belongs
// to that line end. Ctrl-Z (26) ends the file.
#include <QByteArrayView>
#include <QtGlobal>

enum class FinDeLinea {
    SoloCR, // any other LF is ordinary text: a note's text may hold it
    CRoLF,  // a lone LF ends a line too: files edited on Linux
};

class LectorLineas {
public:
    explicit LectorLineas(QByteArrayView bytes, FinDeLinea fin = FinDeLinea::SoloCR);

    bool FinDeArchivo() const { return FPos >= FBytes.size(); }
    // Nothing but blanks and line ends is left: trailing empty lines are no record.
    bool SoloQuedanBlancos() const;
    // Bytes followed the Ctrl-Z that ended the file; the reader never sees them.
    bool HayBytesTrasElFin() const { return FBytesTrasElFin; }
    // Set by the first number field that holds no number; from then on every field
    // reads as 0 or empty, so a record reader can check once at its end.
    bool Fallo() const { return FFallo; }

    // The characters up to the next CR; empty at the end of the file.
    QByteArrayView LeerLinea();
    // Skips blanks and control characters (line ends too), takes up to 32 characters up
    // to the next one, and skips the rest of that line. 0 at the end of the file.
    qint32 LeerNumero();

private:
    void SaltarFinDeLinea();
    void SaltarRestoDeLinea();
    bool EsFinDeLinea(char c) const {
        return c == '\r' || (c == '\n' && FFin == FinDeLinea::CRoLF);
    }

    QByteArrayView FBytes;
    FinDeLinea FFin;
    bool FBytesTrasElFin = false;
    qsizetype FPos = 0;
    bool FFallo = false;
};
