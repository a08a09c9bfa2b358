#pragma once
// Small routines and tables shared by the dialogs, the files and the protocol.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>

enum class TColorChincheta : quint8 {
    Rojo = 0,
    Verde = 1,
    Azul = 2,
    Cyan = 3,
    Amarillo = 4,
    Morado = 5,
    Net = 6,
    None = 7,
};
constexpr int kNumColoresChincheta = 8;

extern const std::array<QString, 8> NombreColor;
// Index 1..12; index 0 is empty.
extern const std::array<QString, 13> NombreMes;
extern const std::array<int, 13> DiasMes;

int CompararFechas(quint8 dia1, quint8 mes1, qint32 anio1, quint8 dia2, quint8 mes2, qint32 anio2);
int CompararHoras(quint8 hora1, quint8 minuto1, quint8 segundo1, quint8 hora2, quint8 minuto2,
                  quint8 segundo2);
QString Normalizar(const QString& texto);
quint8 MesDeTexto(const QString& texto);
bool IPValida(const QString& texto);
bool EsNumero(const QString& texto);

// Optional sign and decimal digits, within the range of a signed 32-bit integer; the one
// reading of a number that the data files and the wire share.
std::optional<qint32> EnteroDeTexto(QByteArrayView texto);
QString ReemplazarCaracter(const QString& texto, QChar de, QChar a);

QString ByteAHex(int n);
QString TextoAHex(const QString& texto);
QString InvertirTexto(const QString& texto);
QString RellenarIP(const QString& texto);
QString InvertirDigitos(const QString& texto);

// The lines of a note text: a CR, an LF or a CR LF ends a line; the last piece is a line
// too.
QStringList LineasDeNota(const QString& texto);

// "01-Ene-2000": the date as the delete and expired-note dialogs show it.
QString FechaCorta(quint8 dia, quint8 mes, qint32 anio);
