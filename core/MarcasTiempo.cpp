#include "core/MarcasTiempo.h"

#include "core/UnitComunes.h"

namespace {

// Two digits at a position of a text; 0 where the text has none.
int Digitos(const QString& texto, qsizetype desde, qsizetype cuantos = 2) {
    bool ok = false;
    const int n = texto.mid(desde, cuantos).toInt(&ok);
    return ok ? n : 0;
}

struct Momento {
    int dia, mes, anio, segundos;
};

Momento LeerMomento(const QString& fecha, const QString& hora) {
    return {Digitos(fecha, 0), Digitos(fecha, 3), Digitos(fecha, 6, 4),
            Digitos(hora, 0) * 3600 + Digitos(hora, 3) * 60 + Digitos(hora, 6)};
}

QDate Fecha(const Momento& m) {
    return QDate(m.anio, m.mes, m.dia);
}

// Texts that are no date still give a count that cannot overflow.
qint64 DiasSinCalendario(const Momento& m) {
    qint64 dias = qint64(m.anio) * 365 + m.dia;
    for (int mes = 1; mes < m.mes && mes <= 12; ++mes)
        dias += DiasMes[mes];
    return dias;
}

} // namespace

QString FechaTexto(const QDate& fecha) {
    return fecha.toString(QStringLiteral("dd-MM-yyyy"));
}

QString HoraTexto(const QTime& hora) {
    return hora.toString(QStringLiteral("hh:mm:ss"));
}

qint64 SegundosEntre(const QString& fecha1, const QString& hora1, const QString& fecha2,
                     const QString& hora2) {
    const Momento m1 = LeerMomento(fecha1, hora1);
    const Momento m2 = LeerMomento(fecha2, hora2);
    const int fechas = CompararFechas(quint8(m1.dia), quint8(m1.mes), m1.anio, quint8(m2.dia),
                                      quint8(m2.mes), m2.anio);
    if (fechas < 0)
        return 0;
    if (fechas == 0)
        return m1.segundos > m2.segundos ? m1.segundos - m2.segundos : 0;
    // Real calendar days: with 28-day Februaries a leap day and 1 March would be one day.
    const bool validas = Fecha(m1).isValid() && Fecha(m2).isValid();
    const qint64 dias =
        validas ? Fecha(m2).daysTo(Fecha(m1)) : DiasSinCalendario(m1) - DiasSinCalendario(m2);
    return m1.segundos + (86400 - m2.segundos) + (dias - 1) * 86400;
}

QString PrefijoLog(const QString& fecha, const QString& hora) {
    const int mes = Digitos(fecha, 3);
    const QString nombreMes = mes >= 1 && mes <= 12 ? NombreMes[mes] : fecha.mid(3, 2);
    return QStringLiteral("(%1-%2-%3  %4)  ").arg(fecha.left(2), nombreMes, fecha.mid(6), hora);
}

QString MarcaLog(const QDateTime& momento) {
    return PrefijoLog(FechaTexto(momento.date()), HoraTexto(momento.time()));
}
