#include "core/AvisoNoGuardable.h"

#include "core/Cp1252.h"

#include <QList>

namespace {

QString CaracterEn(const QString& texto, qsizetype i) {
    const bool par =
        texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate();
    return texto.mid(i, par ? 2 : 1);
}

// A control or blank character would show as nothing: its code and, for Ctrl-Z, its name.
QString DescribirCaracter(const QString& caracter) {
    const char32_t codigo = caracter.toUcs4().value(0);
    const QString numero =
        QStringLiteral("U+%1").arg(QString::number(codigo, 16).toUpper().rightJustified(4, u'0'));
    if (caracter == Cp1252::kFinDeArchivo)
        return numero + QStringLiteral(" (Ctrl-Z)");
    if (!QChar::isPrint(codigo) || QChar::isSpace(codigo))
        return numero;
    return QStringLiteral("«%1» (%2)").arg(caracter, numero);
}

} // namespace

QString AvisoCaracterNoGuardable(const QString& quien, const QString& donde, const QString& texto,
                                 qsizetype indice) {
    return QStringLiteral("%1 tiene un carácter que %2 no puede guardar: %3.")
        .arg(quien, donde, DescribirCaracter(CaracterEn(texto, indice)));
}
