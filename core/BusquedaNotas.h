#pragma once
// The note search without its window: sort keys, cell texts and the row-by-row search.
#include "core/DatosNota.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

inline const QString kClaveChincheta = QStringLiteral("CHINCHETA");
inline const QString kClaveCreacion = QStringLiteral("CREACION");
inline const QString kClaveLimite = QStringLiteral("LIMITE");
inline const QString kClaveTexto = QStringLiteral("TEXTO");

inline const QString kComparacionAnterior = QStringLiteral("Anterior a");
inline const QString kComparacionIgual = QStringLiteral("Igual a");
inline const QString kComparacionPosterior = QStringLiteral("Posterior a");

// "7-Feb-2003": the table's own date form, day without a leading zero.
QString FechaATexto(quint8 dia, quint8 mes, qint32 anio);
// Day first: "07022003". Sorting by it orders by day of the month, then month, then year.
QString ClaveDeFecha(quint8 dia, quint8 mes, qint32 anio);
QString ClaveDeNota(const DatosNota& nota, const QString& claveOrden, bool ascendente);
// Compares as Windows-1252 bytes, as the table's keys are meant.
int CompararClaves(const QString& a, const QString& b);
// Row order for keys given head to tail: each key goes before the first one not smaller,
// so among equal keys the note nearer the tail comes first.
QList<qsizetype> OrdenDeFilas(const QList<QString>& claves);

// The cells the table compares: pushpin name, creation date, due date, text.
using CeldasFila = std::array<QString, 4>;
// CR becomes a blank and LF a NUL, so a search never matches across a line break.
QString TextoDeCelda(const QString& texto);
CeldasFila CeldasDeNota(const DatosNota& nota);
// What the table shows of the text cell: up to its first NUL, and no more than a column can
// show, as laying out a line of a megabyte held the dialog for seconds.
constexpr qsizetype kLetrasVisibles = 1000;
QString TextoVisible(const QString& celda);

bool ContieneTexto(const QString& patron, const QString& texto);

struct FechaBuscada {
    qint64 Dia = 0;
    int Mes = 0;
    qint64 Anio = 0;
};
// Day before the first "-", year after the last; nothing when either is not a whole number,
// and then campoNoValido holds the offending text.
std::optional<FechaBuscada> TextoAFecha(const QString& texto, QString* campoNoValido = nullptr);
// 1 when a is later than b; compared as plain numbers, year first.
int CompararFechasBuscadas(const FechaBuscada& a, const FechaBuscada& b);

// Rows visible in a table of that height, and the width left for the "Texto" column inside
// the table's frame, less the vertical scroll bar when not every row fits.
int FilasVisibles(int altoTabla, int altoCabecera, int altoFila);
int AnchoColumnaTexto(int anchoInterior, int anchoOtrasColumnas, int filas, int filasVisibles,
                      int anchoBarra);

// Which key a click on a column caption selects, and the direction that follows.
struct OrdenTabla {
    QString ClaveOrden = kClaveTexto;
    bool OrdenAscendente = true;
    // False when the caption names no sortable column.
    bool ClicEnColumna(const QString& titulo);
};

enum class ResultadoBusqueda { Encontrada, SinEquivalencias, PatronVacio, FechaNoValida };

class BusquedaNotas {
public:
    static constexpr int kTipoChincheta = 0;
    static constexpr int kTipoCreacion = 1;
    static constexpr int kTipoLimite = 2;
    static constexpr int kTipoTexto = 3;

    // Fixes the pattern and searches from row 0; comparacion is the current text of the
    // comparison box. An empty pattern changes nothing, so "Siguiente" still goes on with
    // the last valid search.
    ResultadoBusqueda Buscar(const QString& textoBuscado, int tipoBusqueda,
                             const QList<CeldasFila>& filas, const QString& comparacion);
    // From the row after the last one reached.
    ResultadoBusqueda Siguiente(const QList<CeldasFila>& filas, const QString& comparacion);

    QString TextoBuscado() const { return FTextoBuscado; }
    int TipoBusqueda() const { return FTipoBusqueda; }
    qsizetype FilaBusqueda() const { return FFilaBusqueda; }
    bool Encontrado() const { return FEncontrado; }
    // The date field that could not be read, after FechaNoValida.
    QString CampoNoValido() const { return FCampoNoValido; }

private:
    ResultadoBusqueda Recorrer(const QList<CeldasFila>& filas, const QString& comparacion);
    // Nothing when the searched date cannot be read.
    std::optional<bool> CoincideFila(const CeldasFila& fila, const QString& comparacion);

    QString FTextoBuscado;
    int FTipoBusqueda = kTipoTexto;
    qsizetype FFilaBusqueda = 0;
    bool FEncontrado = false;
    QString FCampoNoValido;
};
