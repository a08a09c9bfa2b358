#include "storage/LectorLineas.h"

#include <algorithm>
#include <optional>

namespace {

constexpr char kFinDeArchivo = 26;
constexpr qsizetype kMaxCaracteresNumero = 32;

bool EsSeparador(char c) {
    return uchar(c) <= ' ';
}

// Optional sign and decimal digits, within the range of a signed 32-bit integer.
std::optional<qint32> NumeroDeTexto(QByteArrayView texto) {
    qsizetype i = 0;
    const bool negativo = !texto.isEmpty() && texto[0] == '-';
    if (!texto.isEmpty() && (texto[0] == '-' || texto[0] == '+'))
        ++i;
    if (i == texto.size())
        return std::nullopt;
    const qint64 limite = negativo ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 valor = 0;
    for (; i < texto.size(); ++i) {
        if (texto[i] < '0' || texto[i] > '9')
            return std::nullopt;
        valor = valor * 10 + (texto[i] - '0');
        if (valor > limite)
            return std::nullopt;
    }
    return qint32(negativo ? -valor : valor);
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
    const auto numero = NumeroDeTexto(bytes_.sliced(inicio, pos_ - inicio));
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
