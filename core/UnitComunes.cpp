#include "core/UnitComunes.h"

#include "core/Cp1252.h"

#include <QStringList>

const std::array<QString, 8> NombreColor = {"Rojo",     "Verde",  "Azul", "Cyan",
                                            "Amarillo", "Morado", "Net",  "Ninguna"};
const std::array<QString, 13> NombreMes = {"",    "Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                           "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
const std::array<int, 13> DiasMes = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

namespace {

template <typename A, typename B, typename C> int CompararTres(A a1, B b1, C c1, A a2, B b2, C c2) {
    if (a1 != a2)
        return a1 > a2 ? 1 : -1;
    if (b1 != b2)
        return b1 > b2 ? 1 : -1;
    if (c1 != c2)
        return c1 > c2 ? 1 : -1;
    return 0;
}

// Characters that Windows-1252 cannot hold never reach the sort keys from the files, but
// may from an edit box; they sort as the byte 0x3F there.
uchar ByteParaClave(QChar c) {
    return Cp1252::ByteDe(c).value_or('?');
}

} // namespace

int CompararFechas(quint8 dia1, quint8 mes1, qint32 anio1, quint8 dia2, quint8 mes2, qint32 anio2) {
    return CompararTres(anio1, mes1, dia1, anio2, mes2, dia2);
}

int CompararHoras(quint8 hora1, quint8 minuto1, quint8 segundo1, quint8 hora2, quint8 minuto2,
                  quint8 segundo2) {
    return CompararTres(hora1, minuto1, segundo1, hora2, minuto2, segundo2);
}

QString Normalizar(const QString& texto) {
    QString r = texto;
    for (QChar& c : r) {
        switch (c.unicode()) {
        case u'á':
            c = u'A';
            break;
        case u'é':
            c = u'E';
            break;
        case u'í':
            c = u'I';
            break;
        case u'ó':
            c = u'O';
            break;
        case u'ú':
            c = u'U';
            break;
        case u'ñ':
            c = u'Ñ';
            break;
        default:
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - 32);
        }
    }
    return r;
}

quint8 MesDeTexto(const QString& texto) {
    const QString n = Normalizar(texto);
    for (int mes = 1; mes <= 12; ++mes)
        if (n == NombreMes[mes].toUpper())
            return quint8(mes);
    return 0;
}

bool IPValida(const QString& texto) {
    if (texto.count(u'.') != 3)
        return false;
    int valor = 0;
    for (const QChar c : texto) {
        if (c >= u'0' && c <= u'9') {
            valor = valor * 10 + (c.unicode() - u'0');
        } else if (c == u'*') {
            valor += 255;
        } else if (c == u'.') {
            if (valor > 255)
                return false;
            valor = 0;
        } else {
            return false;
        }
        if (valor > 255)
            return false; // stops long digit runs before they overflow
    }
    return valor <= 255;
}

bool EsNumero(const QString& texto) {
    for (const QChar c : texto)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString ReemplazarCaracter(const QString& texto, QChar de, QChar a) {
    QString r = texto;
    for (QChar& c : r)
        if (c == de)
            c = a;
    return r;
}

QString ByteAHex(int n) {
    if (n < 1)
        return QStringLiteral("00");
    QString hex = QString::number(n, 16).toUpper();
    if (hex.size() % 2)
        hex.prepend(u'0');
    return hex;
}

QString TextoAHex(const QString& texto) {
    QString r;
    r.reserve(texto.size() * 2);
    for (const QChar c : texto)
        r += ByteAHex(ByteParaClave(c));
    return r;
}

QString InvertirTexto(const QString& texto) {
    QString r = texto;
    for (QChar& c : r)
        c = Cp1252::CaracterDe(uchar(255 - ByteParaClave(c)));
    return r;
}

QString RellenarIP(const QString& texto) {
    QStringList grupos = texto.split(u'.');
    for (QString& g : grupos)
        if (g.size() < 3)
            g = QString(3 - g.size(), u'0') + g;
    return grupos.join(u'.');
}

QString InvertirDigitos(const QString& texto) {
    QString r = texto;
    for (QChar& c : r)
        if (c >= u'0' && c <= u'9')
            c = QChar(u'9' - (c.unicode() - u'0'));
    return r;
}

QString FechaCorta(quint8 dia, quint8 mes, qint32 anio) {
    const QString nombreMes = mes >= 1 && mes <= 12 ? NombreMes[mes] : QString::number(mes);
    return QStringLiteral("%1-%2-%3").arg(dia, 2, 10, QChar(u'0')).arg(nombreMes).arg(anio);
}

QStringList LineasDeNota(const QString& texto) {
    QStringList lineas;
    QString linea;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == u'\r' || c == u'\n') {
            lineas.append(linea);
            linea.clear();
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
        } else {
            linea += c;
        }
    }
    lineas.append(linea);
    return lineas;
}

// Optional sign and decimal digits, within the range of a signed 32-bit integer.
std::optional<qint32> EnteroDeTexto(QByteArrayView texto) {
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
