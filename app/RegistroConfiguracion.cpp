#include "app/RegistroConfiguracion.h"

#include "storage/GuardadoAtomico.h"

#include <QSettings>
#include <QStandardPaths>
#include <limits>
#include <variant>

namespace RegistroConfiguracion {
namespace {

using Miembro = std::variant<bool Configuracion::*, int Configuracion::*, QString Configuracion::*>;

struct Valor {
    const char* Nombre;
    Miembro Variable;
    int Reparacion; // written when the value cannot be read; texts are repaired empty
    // A stored number outside these bounds cannot be used and is repaired too.
    int Minimo = std::numeric_limits<int>::min();
    int Maximo = std::numeric_limits<int>::max();
};

// In the order they are read.
const Valor kValores[] = {
    {"ActualizarPuertoAlEnviarNota", &Configuracion::ActualizarPuertoAlEnviarNota, 0},
    {"HabilitarNumMaxNotas", &Configuracion::HabilitarNumMaxNotas, 0},
    {"NumMaxNotas", &Configuracion::NumMaxNotas, 5},
    {"NumMinSegundos", &Configuracion::NumMinSegundos, 60},
    {"RetiroPermanente", &Configuracion::RetiroPermanente, 1},
    {"RetiroTemporal", &Configuracion::RetiroTemporal, 0},
    {"RetiroTemporalMinutos", &Configuracion::RetiroTemporalMinutos, 5},
    {"LogWithNotaText", &Configuracion::LogWithNotaText, 1},
    {"LogWithSenderName", &Configuracion::LogWithSenderName, 1},
    {"LogFilename", &Configuracion::LogFilename, 0},
    {"CrearArchivoLog", &Configuracion::CrearArchivoLog, 1},
    {"ConfirmarBorrarNota", &Configuracion::ConfirmarBorrarNota, 1},
    {"ServerActivo", &Configuracion::ServerActivo, 1},
    {"ServerPort", &Configuracion::ServerPort, 2222, 1, 65535},
    {"AvisoNotaRecibida", &Configuracion::AvisoNotaRecibida, 0},
    {"AvisoNotaRecibidaWAV", &Configuracion::AvisoNotaRecibidaWAV, 0},
    {"AvisoNotaCaducada", &Configuracion::AvisoNotaCaducada, 0},
    {"AvisoNotaCaducadaWAV", &Configuracion::AvisoNotaCaducadaWAV, 0},
    {"ExecOnWindowsLoad", &Configuracion::ExecOnWindowsLoad, 0},
    {"TipoPinaco", &Configuracion::TipoPinaco, 1},
    {"NotasCanOverlapPinaco", &Configuracion::NotasCanOverlapPinaco, 1},
    {"AlwaysOnTop", &Configuracion::AlwaysOnTop, 0},
    {"MinimizeToTray", &Configuracion::MinimizeToTray, 1},
    {"IconInTray", &Configuracion::IconInTray, 0},
};

// A stored number, or nothing when it is missing, no number or out of bounds; the stored
// value is then replaced by the repair value.
std::optional<int> LeerNumero(QSettings& registro, const QString& nombre, int reparacion,
                              int minimo = std::numeric_limits<int>::min(),
                              int maximo = std::numeric_limits<int>::max()) {
    bool ok = false;
    const int n = registro.value(nombre).toString().trimmed().toInt(&ok);
    if (ok && n >= minimo && n <= maximo)
        return n;
    registro.setValue(nombre, QString::number(reparacion));
    return std::nullopt;
}

std::optional<int> LeerSinReparar(const QSettings& registro, const QString& nombre) {
    bool ok = false;
    const int n = registro.value(nombre).toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString Numero(int n) {
    return QString::number(n);
}
QString Bandera(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString RutaArchivo() {
    return DestinoDeEnlaces(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Morvanti/Pinaco.conf"));
}

bool Existe(const QSettings& registro) {
    return !registro.allKeys().isEmpty();
}

void Leer(QSettings& registro, Configuracion& config, EstadoVentana& estado) {
    for (const Valor& v : kValores) {
        const QString nombre = QString::fromLatin1(v.Nombre);
        if (auto* texto = std::get_if<QString Configuracion::*>(&v.Variable)) {
            // A missing text is an empty text and nothing is written.
            config.*(*texto) = registro.value(nombre).toString();
            continue;
        }
        const std::optional<int> n = LeerNumero(registro, nombre, v.Reparacion, v.Minimo, v.Maximo);
        if (!n)
            continue;
        if (auto* bandera = std::get_if<bool Configuracion::*>(&v.Variable))
            config.*(*bandera) = *n != 0;
        else
            config.*std::get<int Configuracion::*>(v.Variable) = *n;
    }
    const int tipo = config.TipoPinaco & 0xFF;
    config.TipoPinaco = tipo == 1 || tipo == 2 ? tipo : 1;

    // The bounds are not repaired: when one is missing the board takes its default place.
    const auto top = LeerSinReparar(registro, "LastTop");
    const auto left = LeerSinReparar(registro, "LastLeft");
    const auto height = LeerSinReparar(registro, "LastHeight");
    const auto width = LeerSinReparar(registro, "LastWidth");
    estado.PosicionLeida = top && left && height && width;
    if (estado.PosicionLeida) {
        estado.LastTop = *top;
        estado.LastLeft = *left;
        estado.LastHeight = *height;
        estado.LastWidth = *width;
    }
    estado.NotaReceived = LeerNumero(registro, "NotaReceived", 0).value_or(0) != 0;
    estado.IsMaximized = LeerNumero(registro, "IsMaximized", 0).value_or(0) != 0;
}

ErrorArchivo Escribir(QSettings& registro, const Configuracion& config,
                      const EstadoVentana& estado) {
    for (const Valor& v : kValores) {
        const QString nombre = QString::fromLatin1(v.Nombre);
        if (auto* texto = std::get_if<QString Configuracion::*>(&v.Variable))
            registro.setValue(nombre, config.*(*texto));
        else if (auto* bandera = std::get_if<bool Configuracion::*>(&v.Variable))
            registro.setValue(nombre, Bandera(config.*(*bandera)));
        else
            registro.setValue(nombre, Numero(config.*std::get<int Configuracion::*>(v.Variable)));
    }
    // A place the platform cannot tell is not written over the one stored.
    const bool posicionGuardada =
        LeerSinReparar(registro, "LastTop") && LeerSinReparar(registro, "LastLeft");
    if (estado.PosicionConocida || !posicionGuardada) {
        registro.setValue("LastTop", Numero(estado.LastTop));
        registro.setValue("LastLeft", Numero(estado.LastLeft));
    }
    registro.setValue("LastHeight", Numero(estado.LastHeight));
    registro.setValue("LastWidth", Numero(estado.LastWidth));
    registro.setValue("NotaReceived", Bandera(estado.NotaReceived));
    registro.setValue("IsMaximized", Bandera(estado.IsMaximized));
    registro.sync();
    // A read-only file, or a file where its folder should be.
    return registro.status() == QSettings::AccessError ? ErrorArchivo::NoSePuedeEscribir
                                                       : ErrorArchivo::Ninguno;
}

} // namespace RegistroConfiguracion
