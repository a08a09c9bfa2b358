#include "storage/ArchivoPendientes.h"

#include "core/Cp1252.h"
#include "storage/ArchivoNotas.h"
#include "storage/EscritorLineas.h"
#include "storage/GuardadoAtomico.h"
#include "storage/LectorLineas.h"

#include <QFile>
#include <QStringList>

namespace {

constexpr char kFin[] = "FIN";

QString TextoMomento(const QDateTime& momento) {
    return momento.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime MomentoDeTexto(QByteArrayView linea) {
    QDateTime momento = QDateTime::fromString(QString::fromLatin1(linea), Qt::ISODateWithMs);
    return momento.isValid() && momento.timeSpec() == Qt::UTC ? momento : QDateTime();
}

// Dotted IPv4 only, no pattern: a note goes to one board.
bool DireccionDeEnvio(const QString& ip) {
    const QStringList partes = ip.split(u'.');
    if (partes.size() != 4)
        return false;
    for (const QString& parte : partes) {
        bool ok = false;
        const int valor = parte.toInt(&ok);
        if (!ok || parte.isEmpty() || parte.size() > 3 || valor < 0 || valor > 255 ||
            !parte.front().isDigit())
            return false;
    }
    return true;
}

} // namespace

QByteArray BytesPendientes(const QList<EnvioPendiente>& envios) {
    EscritorLineas escritor;
    escritor.Linea(QString::fromLatin1(kCabeceraPendientes));
    escritor.Numero(qint32(envios.size()));
    for (const EnvioPendiente& e : envios) {
        escritor.Linea(e.IP);
        escritor.Numero(e.Puerto);
        escritor.Linea(e.Nombre);
        escritor.Linea(TextoMomento(e.Desde));
        escritor.Linea(TextoMomento(e.Proximo));
        escritor.Numero(e.Intentos);
        EscribirRegistroNota(escritor, e.Nota);
    }
    escritor.Linea(QString::fromLatin1(kFin));
    return escritor.Correcto() ? escritor.Bytes() : QByteArray();
}

ErrorArchivo GuardarPendientes(const QString& ruta, const QList<EnvioPendiente>& envios) {
    if (envios.isEmpty()) {
        if (!QFile::exists(ruta) || QFile::remove(ruta))
            return ErrorArchivo::Ninguno;
        // A file that stayed would send again what has been sent or given up.
        return GuardarBytes(ruta, QByteArray(kCabeceraPendientes) + "\r\n0\r\nFIN\r\n");
    }
    const QByteArray bytes = BytesPendientes(envios);
    if (bytes.isEmpty())
        return ErrorArchivo::TextoNoGuardable;
    return GuardarBytes(ruta, bytes);
}

ResultadoCargaPendientes LeerPendientes(QByteArrayView bytes) {
    ResultadoCargaPendientes resultado;
    resultado.Existe = true;
    const auto danado = [&resultado] {
        resultado.Envios.clear();
        resultado.Error = ErrorArchivo::NumeroNoValido;
        return resultado;
    };
    LectorLineas lector(bytes);
    if (lector.LeerLinea() != QByteArrayView(kCabeceraPendientes))
        return danado();
    const qint32 numero = lector.LeerNumero();
    if (lector.Fallo() || numero < 0)
        return danado();
    for (qint32 i = 0; i < numero; ++i) {
        if (lector.FinDeArchivo())
            return danado();
        EnvioPendiente e;
        e.Id = quint64(i) + 1;
        e.IP = Cp1252::Decodificar(lector.LeerLinea());
        e.Puerto = lector.LeerNumero();
        e.Nombre = Cp1252::Decodificar(lector.LeerLinea());
        e.Desde = MomentoDeTexto(lector.LeerLinea());
        e.Proximo = MomentoDeTexto(lector.LeerLinea());
        e.Intentos = lector.LeerNumero();
        e.Nota = LeerRegistroNota(lector);
        if (lector.Fallo() || !DireccionDeEnvio(e.IP) || !e.Desde.isValid() ||
            !e.Proximo.isValid() || e.Intentos < 0)
            return danado();
        resultado.Envios.append(std::move(e));
    }
    // A file cut short mid-way would otherwise read as fewer or shorter notes.
    if (lector.LeerLinea() != QByteArrayView(kFin) || !lector.SoloQuedanBlancos() ||
        lector.HayBytesTrasElFin())
        return danado();
    return resultado;
}

ResultadoCargaPendientes CargarPendientes(const QString& ruta) {
    return CargarArchivo(ruta, LeerPendientes);
}
