#include "app/CustodiaArchivos.h"

#include "dialogs/Mensaje.h"
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
    QBuffer nuevo;
    nuevo.open(QIODevice::WriteOnly);
    ErrorArchivo error = contenido(nuevo);
    const bool legible = error == ErrorArchivo::Ninguno;
    QString ajena;
    const bool conservada = !legible || ConservarCambioAjeno(ruta, ajena);
    if (legible && conservada)
        error = GuardarBytes(ruta, nuevo.data());
    if (!ajena.isEmpty())
        AvisarCambioAjeno(ruta, ajena, alCerrar);
    if (conservada && error == ErrorArchivo::Ninguno) {
        FConocidos[ruta] = EstadoArchivo::DeBytes(nuevo.data());
        FConFallo.remove(ruta);
        FConFallo.remove(ruta + QStringLiteral("\nsin copia"));
        // The file holds this board's newest data now: its own older copies would hide it.
        BorrarPropias(ruta);
        return true;
    }
    const QString motivo = conservada
                               ? Motivo(error)
                               : QStringLiteral("El fichero ha cambiado desde que el Pinaco lo "
                                                "leyó y no se pudo conservar esa versión.");
    if (alCerrar) {
        GuardarRecuperacionAlCerrar(ruta, nuevo.data(), legible, motivo);
        return false;
    }
    // The changes must outlive a board that is killed or loses power before the next try.
    const Recuperacion r = GuardarRecuperacion(ruta, nuevo.data(), legible);
    QString despues = QStringLiteral("Los cambios siguen en el Pinaco");
    if (!r.Copia.isEmpty())
        despues += QStringLiteral(" y en la copia de recuperación:\r%1\r\r").arg(r.Copia);
    else if (!r.ASalvo && legible)
        despues += QStringLiteral(", pero tampoco se pudo guardar una copia de recuperación en "
                                  "ningún sitio: libere espacio en el disco (o dé permiso de "
                                  "escritura) para no perderlos.\r\r");
    else
        despues += QStringLiteral(".\r\r");
    // A copy that can no longer be made is told again.
    AvisarNoGuardado(r.ASalvo ? ruta : ruta + QStringLiteral("\nsin copia"), ruta, motivo,
                     despues + QStringLiteral("Se volverá a intentar dentro de unos minutos."),
                     false);
    return false;
}

bool CustodiaArchivos::Comprobar(const QString& ruta, ErrorArchivo error, bool alCerrar) {
    if (error == ErrorArchivo::Ninguno) {
        FConFallo.remove(ruta);
        return true;
    }
    AvisarNoGuardado(ruta, ruta, Motivo(error),
                     QStringLiteral("Se volverá a intentar al cerrar el Pinaco."), alCerrar);
    return false;
}

void CustodiaArchivos::AvisarNoGuardado(const QString& clave, const QString& ruta,
                                        const QString& motivo, const QString& despues,
                                        bool alCerrar) {
    std::fprintf(stderr, "pinaco: no se pudo guardar %s: %s\n", qPrintable(ruta),
                 qPrintable(motivo));
    if (!alCerrar)
        AvisarFallo(
            clave,
            QStringLiteral("No se pudo guardar el fichero:\r%1\r\r%2\r\r").arg(ruta, motivo) +
                despues);
}

bool CustodiaArchivos::ConservarCambioAjeno(const QString& ruta, QString& copia) {
    const auto conocido = FConocidos.constFind(ruta);
    if (conocido == FConocidos.cend())
        return true;
    const std::optional<EstadoArchivo> actual = EstadoActual(ruta);
    // Unchanged, or gone: nothing to keep.
    if (actual == *conocido || (actual && !actual->Existe))
        return true;
    copia = ConservarCopia(ruta, QStringLiteral(".ajeno"));
    return !copia.isEmpty();
}

void CustodiaArchivos::AvisarCambioAjeno(const QString& ruta, const QString& copia, bool alCerrar) {
    const QString texto =
        QStringLiteral("El fichero %1 ha cambiado desde que este Pinaco lo leyó o lo guardó "
                       "(lo ha escrito otro Pinaco u otro programa).\r\rEsa versión se ha "
                       "conservado en:\r%2")
            .arg(ruta, copia);
    if (alCerrar || FCambioAvisado.contains(ruta)) {
        std::fprintf(stderr, "pinaco: %s\n", qPrintable(QString(texto).replace(u'\r', u' ')));
        return;
    }
    FCambioAvisado.insert(ruta);
    Informar(texto);
}

CustodiaArchivos::Recuperacion
CustodiaArchivos::GuardarRecuperacion(const QString& ruta, const QByteArray& bytes, bool legible) {
    // A file that cannot be written but already holds everything loses nothing: no copy
    // to be loaded and told of at every start.
    if (legible && LeerArchivoEntero(ruta).Bytes == bytes) {
        BorrarPropias(ruta);
        return {true, {}};
    }
    // The copy stands for the file this board's notes grew from.
    const auto conocido = FConocidos.constFind(ruta);
    const std::optional<EstadoArchivo> base =
        conocido != FConocidos.cend() ? *conocido : EstadoActual(ruta);
    const QString copia =
        !legible ? QString()
                 : ::GuardarRecuperacion(
                       ruta, [&](const QString& destino) { return GuardarBytes(destino, bytes); },
                       base, FCopiasPropias.value(ruta));
    if (copia.isEmpty())
        return {false, {}};
    // The new copy holds what the copy loaded at start held.
    BorrarPropias(ruta, copia);
    FCopiasPropias[ruta] = {copia};
    return {true, copia};
}

void CustodiaArchivos::GuardarRecuperacionAlCerrar(const QString& ruta, const QByteArray& bytes,
                                                   bool legible, const QString& motivo) {
    const Recuperacion r = GuardarRecuperacion(ruta, bytes, legible);
    if (!r.ASalvo) {
        std::fprintf(stderr,
                     "pinaco: no se pudo guardar %s: %s Tampoco se pudo guardar una copia de "
                     "recuperación: los cambios se han perdido.\n",
                     qPrintable(ruta), qPrintable(motivo));
        return;
    }
    if (r.Copia.isEmpty())
        return;
    std::fprintf(stderr,
                 "pinaco: no se pudo guardar %s: %s Los cambios están en la copia de "
                 "recuperación %s, que se cargará al volver a iniciar el Pinaco.\n",
                 qPrintable(ruta), qPrintable(motivo), qPrintable(r.Copia));
}

void CustodiaArchivos::BorrarPropias(const QString& ruta, const QString& salvo) {
    for (const QString& copia : FCopiasPropias.take(ruta))
        if (copia != salvo)
            BorrarRecuperacion(copia);
}

void CustodiaArchivos::AvisarFallo(const QString& ruta, const QString& texto) {
    if (FConFallo.contains(ruta) || FAvisoAbierto)
        return;
    FConFallo.insert(ruta);
    FAvisoAbierto = true;
    Mostrar(QStringLiteral("Error al guardar"), texto, IconoMensaje::Error);
    FAvisoAbierto = false;
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
    const std::optional<EstadoArchivo> actual = EstadoActual(ruta);
    if (actual)
        FConocidos[ruta] = *actual;
    QString elegida;
    QStringList apartadas;
    for (const CopiaRecuperacion& copia : RecuperacionesExistentes(ruta)) {
        // Over a file that is gone nothing can be lost; over any other, only over the file
        // it was made from. A copy that does not say which one that was is not loaded.
        const bool vale = actual && (!actual->Existe || copia.Base == actual);
        if (vale && elegida.isEmpty())
            elegida = copia.Ruta;
        else
            apartadas << copia.Ruta;
    }
    if (!apartadas.isEmpty())
        Informar(QStringLiteral("No se ha cargado la copia de recuperación de %1:\r%2\r\r"
                                "El fichero ha cambiado desde que se hizo, o la copia no dice "
                                "sobre qué versión del fichero se hizo, y podría tapar cambios "
                                "más nuevos. Se ha leído el fichero:\r%3\r\r"
                                "La copia se conserva tal como estaba; revísela y bórrela "
                                "cuando ya no la necesite.")
                     .arg(contenido, apartadas.join(u'\r'), ruta));
    if (elegida.isEmpty())
        return ruta;
    FCopiasPropias[ruta] = {elegida};
    Informar(QStringLiteral("La última vez que se cerró el Pinaco no se pudo guardar %1 en:\r%2"
                            "\r\rSe han cargado los cambios desde la copia de recuperación:\r%3")
                 .arg(contenido, ruta, elegida));
    return elegida;
}

bool CustodiaArchivos::ConservarOriginal(const QString& ruta, const QString& contenido) {
    const QString copia = ConservarCopia(ruta, QStringLiteral(".original"));
    if (copia.isEmpty())
        return false;
    Informar(QStringLiteral("El fichero de %1 tiene datos después de un carácter de fin de "
                            "fichero (Ctrl-Z) que el Pinaco no puede leer.\r%2\r\r"
                            "El fichero se ha conservado tal como estaba en:\r%3")
                 .arg(contenido, ruta, copia));
    return true;
}

void CustodiaArchivos::Informar(const QString& texto) {
    Mostrar(QStringLiteral("Pinaco"), texto, IconoMensaje::Informacion);
}

void CustodiaArchivos::Mostrar(const QString& titulo, const QString& texto, IconoMensaje icono) {
    if (FAntesDeAviso)
        FAntesDeAviso();
    MostrarMensaje(FOwner, titulo, texto, icono);
}
