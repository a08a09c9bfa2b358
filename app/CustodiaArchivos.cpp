#include "app/CustodiaArchivos.h"

#include "notes/Mensaje.h"
#include "storage/CopiasSeguridad.h"
#include "storage/GuardadoAtomico.h"

#include <QBuffer>

#include <QFileInfo>
#include <cstdio>

QString CustodiaArchivos::Motivo(ErrorArchivo error) {
    switch (error) {
    case ErrorArchivo::DiscoLleno:
        return QStringLiteral("No queda espacio libre en el disco.");
    case ErrorArchivo::SinPermiso:
        return QStringLiteral("No hay permiso para escribir el fichero o su carpeta.");
    case ErrorArchivo::TextoNoGuardable:
        return QStringLiteral("Una nota tiene un carácter que el fichero no puede guardar.");
    default:
        return QStringLiteral("El sistema no permitió escribirlo.");
    }
}

bool CustodiaArchivos::Guardar(const QString& ruta, const Contenido& contenido, bool alCerrar) {
    const ErrorArchivo error = GuardarAtomico(ruta, contenido);
    if (error == ErrorArchivo::Ninguno) {
        conFallo_.remove(ruta);
        // The file holds the newest data now: an older recovery copy would hide it.
        BorrarRecuperaciones(ruta);
        return true;
    }
    const QString motivo = Motivo(error);
    if (alCerrar) {
        GuardarRecuperacionAlCerrar(ruta, contenido, motivo);
        return false;
    }
    AvisarNoGuardado(ruta, motivo,
                     QStringLiteral("Los cambios siguen en el Pinaco y se volverá a intentar "
                                    "dentro de unos minutos."),
                     false);
    return false;
}

bool CustodiaArchivos::Comprobar(const QString& ruta, ErrorArchivo error, bool alCerrar) {
    if (error == ErrorArchivo::Ninguno) {
        conFallo_.remove(ruta);
        return true;
    }
    AvisarNoGuardado(ruta, Motivo(error),
                     QStringLiteral("Se volverá a intentar al cerrar el Pinaco."), alCerrar);
    return false;
}

void CustodiaArchivos::AvisarNoGuardado(const QString& ruta, const QString& motivo,
                                        const QString& despues, bool alCerrar) {
    std::fprintf(stderr, "pinaco: no se pudo guardar %s: %s\n", qPrintable(ruta),
                 qPrintable(motivo));
    if (!alCerrar)
        AvisarFallo(
            ruta, QStringLiteral("No se pudo guardar el fichero:\r%1\r\r%2\r\r").arg(ruta, motivo) +
                      despues);
}

void CustodiaArchivos::GuardarRecuperacionAlCerrar(const QString& ruta, const Contenido& contenido,
                                                   const QString& motivo) {
    QBuffer nuevo;
    nuevo.open(QIODevice::WriteOnly);
    const bool legible = contenido(nuevo) == ErrorArchivo::Ninguno;
    // A file that cannot be written but already holds everything loses nothing: no copy
    // to be loaded and told of at every start.
    if (legible && LeerArchivoEntero(ruta).Bytes == nuevo.data()) {
        BorrarRecuperaciones(ruta);
        return;
    }
    const QString copia = GuardarRecuperacion(
        ruta, [&](const QString& destino) { return GuardarAtomico(destino, contenido); });
    if (copia.isEmpty())
        std::fprintf(stderr,
                     "pinaco: no se pudo guardar %s: %s Tampoco se pudo guardar una copia de "
                     "recuperación: los cambios se han perdido.\n",
                     qPrintable(ruta), qPrintable(motivo));
    else
        std::fprintf(stderr,
                     "pinaco: no se pudo guardar %s: %s Los cambios están en la copia de "
                     "recuperación %s, que se cargará al volver a iniciar el Pinaco.\n",
                     qPrintable(ruta), qPrintable(motivo), qPrintable(copia));
}

void CustodiaArchivos::AvisarFallo(const QString& ruta, const QString& texto) {
    if (conFallo_.contains(ruta) || avisoAbierto_)
        return;
    conFallo_.insert(ruta);
    avisoAbierto_ = true;
    MostrarMensaje(owner_, QStringLiteral("Error al guardar"), texto, IconoMensaje::Error);
    avisoAbierto_ = false;
}

void CustodiaArchivos::ComprobarEscritura(const QString& ruta) {
    // A link is written at its target, in the target's folder.
    const QFileInfo info(DestinoDeEnlaces(ruta));
    if ((info.exists() && !info.isWritable()) || !QFileInfo(info.absolutePath()).isWritable())
        AvisarFallo(ruta, QStringLiteral("Las notas se han cargado, pero los cambios no se "
                                         "podrán guardar en el fichero:\r%1\r\r%2")
                              .arg(ruta, Motivo(ErrorArchivo::SinPermiso)));
}

QString CustodiaArchivos::OrigenDeCarga(const QString& ruta, const QString& contenido) {
    const QString copia = RecuperacionExistente(ruta);
    if (copia.isEmpty())
        return ruta;
    Informar(QStringLiteral("La última vez que se cerró el Pinaco no se pudo guardar %1 en:\r%2"
                            "\r\rSe han cargado los cambios desde la copia de recuperación:\r%3")
                 .arg(contenido, ruta, copia));
    return copia;
}

bool CustodiaArchivos::ConservarOriginal(const QString& ruta, const QString& contenido) {
    const QString copia = ::ConservarOriginal(ruta);
    if (copia.isEmpty())
        return false;
    Informar(QStringLiteral("El fichero de %1 tiene datos después de un carácter de fin de "
                            "fichero (Ctrl-Z) que el Pinaco no puede leer.\r%2\r\r"
                            "El fichero se ha conservado tal como estaba en:\r%3")
                 .arg(contenido, ruta, copia));
    return true;
}

void CustodiaArchivos::Informar(const QString& texto) {
    MostrarMensaje(owner_, QStringLiteral("Pinaco"), texto, IconoMensaje::Informacion);
}
