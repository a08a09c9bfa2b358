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

LectorLineas::LectorLineas(QByteArrayView bytes, FinDeLinea fin) : bytes_(bytes), fin_(fin) {
    const qsizetype finDeArchivo =
        std::find(bytes.begin(), bytes.end(), kFinDeArchivo) - bytes.begin();
    bytesTrasElFin_ = finDeArchivo + 1 < bytes.size();
    bytes_ = bytes.first(finDeArchivo);
}

bool LectorLineas::SoloQuedanBlancos() const {
    return std::all_of(bytes_.begin() + pos_, bytes_.end(), EsSeparador);
}

QByteArrayView LectorLineas::LeerLinea() {
    if (fallo_)
        return {};
    const qsizetype inicio = pos_;
    while (pos_ < bytes_.size() && !EsFinDeLinea(bytes_[pos_]))
        ++pos_;
    const QByteArrayView linea = bytes_.sliced(inicio, pos_ - inicio);
    SaltarFinDeLinea();
    return linea;
}

qint32 LectorLineas::LeerNumero() {
    if (fallo_)
        return 0;
    while (pos_ < bytes_.size() && EsSeparador(bytes_[pos_]))
        ++pos_;
    if (FinDeArchivo())
        return 0;
    const qsizetype inicio = pos_;
    while (pos_ < bytes_.size() && pos_ - inicio < kMaxCaracteresNumero &&
           !EsSeparador(bytes_[pos_]))
        ++pos_;
    const auto numero = EnteroDeTexto(bytes_.sliced(inicio, pos_ - inicio));
    SaltarRestoDeLinea();
    if (!numero) {
        fallo_ = true;
        return 0;
    }
    return *numero;
}

void LectorLineas::SaltarFinDeLinea() {
    if (pos_ >= bytes_.size() || !EsFinDeLinea(bytes_[pos_]))
        return;
    const bool cr = bytes_[pos_] == '\r';
    ++pos_;
    if (cr && pos_ < bytes_.size() && bytes_[pos_] == '\n')
        ++pos_;
}

void LectorLineas::SaltarRestoDeLinea() {
    while (pos_ < bytes_.size() && !EsFinDeLinea(bytes_[pos_]))
        ++pos_;
    SaltarFinDeLinea();
}
