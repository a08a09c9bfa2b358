#include "storage/LectorLineas.h"

#include "core/UnitComunes.h"

#include <algorithm>
#include <optional>

namespace {

constexpr char kFinDeArchivo = 26;
constexpr qsizetype kMaxCaracteresNumero = 32;

bool EsSeparador(char c) {
    return uchar(c) <= ' ';
}

} // namespace

LectorLineas::LectorLineas(QByteArrayView bytes, FinDeLinea fin) : FBytes(bytes), FFin(fin) {
    const qsizetype finDeArchivo =
        std::find(bytes.begin(), bytes.end(), kFinDeArchivo) - bytes.begin();
    FBytesTrasElFin = finDeArchivo + 1 < bytes.size();
    FBytes = bytes.first(finDeArchivo);
}

bool LectorLineas::SoloQuedanBlancos() const {
    return std::all_of(FBytes.begin() + FPos, FBytes.end(), EsSeparador);
}

QByteArrayView LectorLineas::LeerLinea() {
    if (FFallo)
        return {};
    const qsizetype inicio = FPos;
    while (FPos < FBytes.size() && !EsFinDeLinea(FBytes[FPos]))
        ++FPos;
    const QByteArrayView linea = FBytes.sliced(inicio, FPos - inicio);
    SaltarFinDeLinea();
    return linea;
}

qint32 LectorLineas::LeerNumero() {
    if (FFallo)
        return 0;
    while (FPos < FBytes.size() && EsSeparador(FBytes[FPos]))
        ++FPos;
    if (FinDeArchivo())
        return 0;
    const qsizetype inicio = FPos;
    while (FPos < FBytes.size() && FPos - inicio < kMaxCaracteresNumero &&
           !EsSeparador(FBytes[FPos]))
        ++FPos;
    const auto numero = EnteroDeTexto(FBytes.sliced(inicio, FPos - inicio));
    SaltarRestoDeLinea();
    if (!numero) {
        FFallo = true;
        return 0;
    }
    return *numero;
}

void LectorLineas::SaltarFinDeLinea() {
    if (FPos >= FBytes.size() || !EsFinDeLinea(FBytes[FPos]))
        return;
    const bool cr = FBytes[FPos] == '\r';
    ++FPos;
    if (cr && FPos < FBytes.size() && FBytes[FPos] == '\n')
        ++FPos;
}

void LectorLineas::SaltarRestoDeLinea() {
    while (FPos < FBytes.size() && !EsFinDeLinea(FBytes[FPos]))
        ++FPos;
    SaltarFinDeLinea();
}
