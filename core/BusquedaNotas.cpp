#include "core/BusquedaNotas.h"

#include "core/Cp1252.h"

#include <algorithm>
#include <tuple>

namespace {

QString NombreDeMes(quint8 mes) {
    return mes >= 1 && mes <= 12 ? NombreMes[mes] : QString();
}

std::optional<qint64> NumeroEntero(const QString& texto) {
    bool ok = false;
    const qint64 n = texto.trimmed().toLongLong(&ok, 10);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

} // namespace

QString FechaATexto(quint8 dia, quint8 mes, qint32 anio) {
    return QStringLiteral("%1-%2-%3").arg(dia).arg(NombreDeMes(mes)).arg(anio);
}

QString ClaveDeFecha(quint8 dia, quint8 mes, qint32 anio) {
    QString clave = QString::number(anio).rightJustified(4, u'0');
    clave = (QString::number(mes) + clave).rightJustified(6, u'0');
    return (QString::number(dia) + clave).rightJustified(8, u'0');
}

QString ClaveDeNota(const DatosNota& nota, const QString& claveOrden, bool ascendente) {
    if (claveOrden == kClaveChincheta) {
        const int ordinal = int(nota.ColorChincheta);
        return QString::number(ascendente ? ordinal : 9 - ordinal);
    }
    QString clave;
    if (claveOrden == kClaveCreacion)
        clave = ClaveDeFecha(nota.DayCreated, nota.MonthCreated, nota.YearCreated);
    else if (claveOrden == kClaveLimite)
        clave = ClaveDeFecha(nota.DayExpires, nota.MonthExpires, nota.YearExpires);
    else
        clave = nota.Texto;
    return ascendente ? clave : InvertirTexto(clave);
}

int CompararClaves(const QString& a, const QString& b) {
    const qsizetype comun = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < comun; ++i) {
        const uchar ba = Cp1252::ByteDe(a[i]).value_or('?');
        const uchar bb = Cp1252::ByteDe(b[i]).value_or('?');
        if (ba != bb)
            return ba < bb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QList<qsizetype> OrdenDeFilas(const QList<QString>& claves) {
    QList<qsizetype> orden;
    orden.reserve(claves.size());
    for (qsizetype i = 0; i < claves.size(); ++i) {
        const auto lugar =
            std::lower_bound(orden.begin(), orden.end(), i, [&](qsizetype fila, qsizetype nueva) {
                return CompararClaves(claves[fila], claves[nueva]) < 0;
            });
        orden.insert(lugar, i);
    }
    return orden;
}

QString TextoDeCelda(const QString& texto) {
    return ReemplazarCaracter(ReemplazarCaracter(texto, QChar(13), QChar(u' ')), QChar(10),
                              QChar(0));
}

CeldasFila CeldasDeNota(const DatosNota& nota) {
    return {NombreColor[size_t(nota.ColorChincheta) % NombreColor.size()],
            FechaATexto(nota.DayCreated, nota.MonthCreated, nota.YearCreated),
            FechaATexto(nota.DayExpires, nota.MonthExpires, nota.YearExpires),
            TextoDeCelda(nota.Texto)};
}

QString TextoVisible(const QString& celda) {
    const qsizetype nul = celda.indexOf(QChar(0));
    return celda.left(std::min(nul < 0 ? celda.size() : nul, kLetrasVisibles));
}

bool ContieneTexto(const QString& patron, const QString& texto) {
    return !texto.isEmpty() && texto.contains(patron, Qt::CaseSensitive);
}

std::optional<FechaBuscada> TextoAFecha(const QString& texto, QString* campoNoValido) {
    const qsizetype primero = texto.indexOf(u'-');
    const qsizetype ultimo = texto.lastIndexOf(u'-');
    const QString textoDia = primero < 0 ? texto : texto.left(primero);
    const QString textoAnio = ultimo < 0 ? texto : texto.mid(ultimo + 1);
    const QString textoMes =
        primero < 0 || ultimo <= primero ? QString() : texto.mid(primero + 1, ultimo - primero - 1);
    const auto dia = NumeroEntero(textoDia);
    const auto anio = NumeroEntero(textoAnio);
    if (!dia || !anio) {
        if (campoNoValido)
            *campoNoValido = dia ? textoAnio : textoDia;
        return std::nullopt;
    }
    return FechaBuscada{*dia, MesDeTexto(textoMes), *anio};
}

int CompararFechasBuscadas(const FechaBuscada& a, const FechaBuscada& b) {
    const auto ta = std::tie(a.Anio, a.Mes, a.Dia);
    const auto tb = std::tie(b.Anio, b.Mes, b.Dia);
    if (ta == tb)
        return 0;
    return ta > tb ? 1 : -1;
}

int FilasVisibles(int altoTabla, int altoCabecera, int altoFila) {
    return altoFila > 0 ? std::max(0, (altoTabla - altoCabecera) / altoFila) : 0;
}

int AnchoColumnaTexto(int anchoInterior, int anchoOtrasColumnas, int filas, int filasVisibles,
                      int anchoBarra) {
    int ancho = anchoInterior - anchoOtrasColumnas;
    if (filas > filasVisibles)
        ancho -= anchoBarra;
    return ancho;
}

bool OrdenTabla::ClicEnColumna(const QString& titulo) {
    QString clave;
    if (titulo == QStringLiteral("Chincheta"))
        clave = kClaveChincheta;
    else if (titulo == QStringLiteral("Creación"))
        clave = kClaveCreacion;
    else if (titulo == QStringLiteral("Límite"))
        clave = kClaveLimite;
    else if (titulo == QStringLiteral("Texto"))
        clave = kClaveTexto;
    else
        return false;
    if (clave == ClaveOrden) {
        OrdenAscendente = !OrdenAscendente;
    } else {
        ClaveOrden = clave;
        OrdenAscendente = true;
    }
    return true;
}

ResultadoBusqueda BusquedaNotas::Buscar(const QString& textoBuscado, int tipoBusqueda,
                                        const QList<CeldasFila>& filas,
                                        const QString& comparacion) {
    if (textoBuscado.isEmpty())
        return ResultadoBusqueda::PatronVacio;
    FTextoBuscado = textoBuscado;
    FTipoBusqueda = std::clamp(tipoBusqueda, kTipoChincheta, kTipoTexto);
    FFilaBusqueda = 0;
    FEncontrado = false;
    return Recorrer(filas, comparacion);
}

ResultadoBusqueda BusquedaNotas::Siguiente(const QList<CeldasFila>& filas,
                                           const QString& comparacion) {
    if (FTextoBuscado.isEmpty())
        return ResultadoBusqueda::PatronVacio;
    ++FFilaBusqueda;
    FEncontrado = false;
    return Recorrer(filas, comparacion);
}

ResultadoBusqueda BusquedaNotas::Recorrer(const QList<CeldasFila>& filas,
                                          const QString& comparacion) {
    for (; FFilaBusqueda < filas.size(); ++FFilaBusqueda) {
        const auto coincide = CoincideFila(filas[FFilaBusqueda], comparacion);
        if (!coincide)
            return ResultadoBusqueda::FechaNoValida;
        if (*coincide) {
            FEncontrado = true;
            return ResultadoBusqueda::Encontrada;
        }
    }
    FFilaBusqueda = filas.size();
    return ResultadoBusqueda::SinEquivalencias;
}

std::optional<bool> BusquedaNotas::CoincideFila(const CeldasFila& fila,
                                                const QString& comparacion) {
    const QString& celda = fila[size_t(FTipoBusqueda)];
    if (FTipoBusqueda == kTipoChincheta || FTipoBusqueda == kTipoTexto)
        return ContieneTexto(FTextoBuscado, Normalizar(celda));
    const auto buscada = TextoAFecha(FTextoBuscado, &FCampoNoValido);
    const auto deFila = TextoAFecha(celda, &FCampoNoValido);
    if (!buscada || !deFila)
        return std::nullopt;
    const int r = CompararFechasBuscadas(*buscada, *deFila);
    return (comparacion == kComparacionAnterior && r == 1) ||
           (comparacion == kComparacionIgual && r == 0) ||
           (comparacion == kComparacionPosterior && r == -1);
}
