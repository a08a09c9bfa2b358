#include "net/Protocolo.h"

#include "core/UnitComunes.h"

#include "core/Cp1252.h"

#include <array>
#include <limits>

namespace Protocolo {
namespace {

constexpr std::array<const char*, kNumCampos> kClaves = {
    "DAY_EXPIRES:", "MONTH_EXPIRES:", "YEAR_EXPIRES:", "FONT_STYLE:", "FONT_NAME:", "FONT_SIZE:",
    "FONT_COLOR:",  "WIDTH:",         "HEIGHT:",       "TOP:",        "LEFT:",      "TEXT:"};

constexpr std::array<quint8, 4> kBitsEstilo = {fsBold, fsItalic, fsUnderline, fsStrikeOut};

QByteArray Numero(qint64 n) {
    return QByteArray::number(n);
}

// Ctrl-Z ends the data files when they are read back.
QString TextoGuardable(QByteArrayView valor) {
    QByteArray limpio = valor.toByteArray();
    limpio.removeIf([](char c) { return c == '\x1A'; });
    return Cp1252::Decodificar(limpio);
}

// Every field but the two texts is a number.
bool EsNumerico(Campo campo) {
    return campo != Campo::FontStyle && campo != Campo::FontName && campo != Campo::Text;
}

void GuardarNumero(Campo campo, qint32 n, DatosNota& nota) {
    switch (campo) {
    case Campo::DayExpires:
        nota.DayExpires = quint8(n);
        break;
    case Campo::MonthExpires:
        nota.MonthExpires = quint8(n);
        break;
    case Campo::YearExpires:
        nota.YearExpires = n;
        break;
    case Campo::FontSize:
        nota.FontSize = n;
        break;
    case Campo::FontColor:
        nota.FontColor = quint32(n);
        break;
    case Campo::Width:
        nota.Width = n;
        break;
    case Campo::Height:
        nota.Height = n;
        break;
    case Campo::Top:
        nota.Top = n;
        break;
    case Campo::Left:
        nota.Left = n;
        break;
    default:
        break;
    }
}

} // namespace

const char* ClaveDe(Campo campo) {
    return kClaves[std::size_t(campo)];
}

QByteArray MensajeVersionId() {
    return QByteArray(kVersionId) + kNuestraVersion;
}

QByteArray MensajeActualizarPuerto(qint32 puerto) {
    return kActualizarPuerto + Numero(puerto);
}

QByteArray MensajeCiaoNoPermitidoPor(qint32 minutos) {
    return kCiaoNoPor + Numero(minutos);
}

QByteArray BanderasEstilo(quint8 estilo) {
    QByteArray banderas;
    for (const quint8 bit : kBitsEstilo)
        banderas += (estilo & bit) ? '1' : '0';
    return banderas;
}

quint8 EstiloDeBanderas(QByteArrayView banderas) {
    quint8 estilo = 0;
    for (std::size_t i = 0; i < kBitsEstilo.size() && qsizetype(i) < banderas.size(); ++i)
        if (banderas[qsizetype(i)] == '1')
            estilo |= kBitsEstilo[i];
    return estilo;
}

std::optional<QByteArray> MensajeCampo(Campo campo, const DatosNota& nota) {
    QByteArray mensaje(ClaveDe(campo));
    switch (campo) {
    case Campo::DayExpires:
        return mensaje + Numero(nota.DayExpires);
    case Campo::MonthExpires:
        return mensaje + Numero(nota.MonthExpires);
    case Campo::YearExpires:
        return mensaje + Numero(nota.YearExpires);
    case Campo::FontStyle:
        return mensaje + BanderasEstilo(nota.FontStyle);
    case Campo::FontSize:
        return mensaje + Numero(nota.FontSize);
    case Campo::FontColor:
        return mensaje + Numero(qint32(nota.FontColor));
    case Campo::Width:
        return mensaje + Numero(nota.Width);
    case Campo::Height:
        return mensaje + Numero(nota.Height);
    case Campo::Top:
        return mensaje + Numero(nota.Top);
    case Campo::Left:
        return mensaje + Numero(nota.Left);
    case Campo::FontName:
    case Campo::Text: {
        const auto valor = Cp1252::Codificar(campo == Campo::Text ? nota.Texto : nota.FontName);
        if (!valor)
            return std::nullopt;
        return mensaje + *valor;
    }
    }
    return std::nullopt;
}

std::optional<QList<QByteArray>> MensajesCampos(const DatosNota& nota) {
    QList<QByteArray> mensajes;
    for (int i = 0; i < kNumCampos; ++i) {
        auto mensaje = MensajeCampo(Campo(i), nota);
        if (!mensaje)
            return std::nullopt;
        mensajes.append(*mensaje);
    }
    return mensajes;
}

DatosNota NotaEntranteInicial() {
    DatosNota nota;
    nota.DayExpires = 0;
    nota.MonthExpires = 0;
    nota.YearExpires = 0;
    nota.FontStyle = 0;
    nota.FontName = QStringLiteral("MS Sans Serif");
    nota.FontSize = 11;
    nota.FontColor = 0;
    nota.Width = 0;
    nota.Height = 0;
    nota.Top = 0;
    nota.Left = 0;
    nota.Texto.clear();
    return nota;
}

LecturaCampo GuardarCampo(QByteArrayView mensaje, DatosNota& pendiente) {
    for (int i = 0; i < kNumCampos; ++i) {
        const Campo campo = Campo(i);
        const QByteArrayView clave(ClaveDe(campo));
        if (!mensaje.startsWith(clave))
            continue;
        const QByteArrayView valor = mensaje.sliced(clave.size());
        if (EsNumerico(campo)) {
            const auto n = EnteroDeTexto(valor);
            if (!n)
                return LecturaCampo::NoNumerico;
            GuardarNumero(campo, *n, pendiente);
        } else if (campo == Campo::FontStyle) {
            pendiente.FontStyle = EstiloDeBanderas(valor);
        } else if (campo == Campo::FontName) {
            QString nombre = TextoGuardable(valor);
            nombre.replace(u'\r', u' ').replace(u'\n', u' ');
            pendiente.FontName = nombre;
        } else {
            pendiente.Texto = TextoGuardable(valor);
        }
        return LecturaCampo::Guardado;
    }
    return LecturaCampo::NoEsCampo;
}

} // namespace Protocolo
