#include "net/EnviosPendientes.h"

#include <algorithm>

namespace MotivosPendientes {
QString Rechazada() {
    return ClienteNotas::TextoNoPermitido();
}
QString SinConfirmar() {
    return QStringLiteral("La Nota se envió completa, pero el equipo remoto dejó de "
                          "responder... No es seguro que la haya creado.");
}
QString Caducada() {
    return QStringLiteral("El equipo remoto no ha estado disponible en %1 días.")
        .arg(ReglaReintentos::kDiasMaximos);
}
QString NoEnviable() {
    return QStringLiteral("La Nota contiene caracteres que no se pueden enviar.");
}
} // namespace MotivosPendientes

EnviosPendientes::EnviosPendientes(Reloj reloj, QObject* parent)
    : QObject(parent),
      FReloj(reloj ? std::move(reloj) : Reloj([] { return QDateTime::currentDateTimeUtc(); })) {
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &EnviosPendientes::Revisar);
    NuevoCliente();
}

EnviosPendientes::~EnviosPendientes() = default;

void EnviosPendientes::NuevoCliente() {
    FCliente = std::make_unique<ClienteNotas>();
    // Queued: an attempt that fails at once ends inside Enviar, and the next one must not
    // start beneath it. The end of a dropped client's attempt may still be on its way.
    const quint64 generacion = ++FGeneracion;
    connect(
        FCliente.get(), &ClienteNotas::Terminado, this,
        [this, generacion] {
            if (generacion == FGeneracion)
                AlTerminar();
        },
        Qt::QueuedConnection);
}

void EnviosPendientes::Cargar(QList<EnvioPendiente> envios) {
    FEnvios = std::move(envios);
    for (EnvioPendiente& e : FEnvios)
        e.Id = FSiguienteId++;
    emit Cambiado();
    Programar();
}

quint64 EnviosPendientes::Anadir(const DestinoEnvio& destino, const DatosNota& nota) {
    const QDateTime ahora = FReloj();
    EnvioPendiente e;
    e.Id = FSiguienteId++;
    e.Nota = nota;
    e.IP = destino.IP;
    e.Puerto = destino.Puerto;
    e.Nombre = destino.Nombre;
    e.Desde = ahora;
    e.Intentos = 1;
    e.Proximo = *ReglaReintentos::ProximoIntento(ahora, 1, ahora);
    FEnvios.append(e);
    Guardar();
    emit Cambiado();
    Programar();
    return e.Id;
}

qsizetype EnviosPendientes::Indice(quint64 id) const {
    const auto it = std::find_if(FEnvios.cbegin(), FEnvios.cend(),
                                 [id](const EnvioPendiente& e) { return e.Id == id; });
    return it == FEnvios.cend() ? -1 : it - FEnvios.cbegin();
}

const EnvioPendiente* EnviosPendientes::Buscar(quint64 id) const {
    const qsizetype i = Indice(id);
    return i < 0 ? nullptr : &FEnvios[i];
}

bool EnviosPendientes::EnviarAhora(quint64 id) {
    const qsizetype i = Indice(id);
    if (i < 0)
        return false;
    if (id != FEnCurso) {
        // Before every other due entry; the 7 days still count from the first failure.
        QDateTime antes = FReloj();
        for (const EnvioPendiente& e : FEnvios)
            if (e.Id != id)
                antes = std::min(antes, e.Proximo.addMSecs(-1));
        FEnvios[i].Proximo = std::min(FEnvios[i].Proximo, antes);
        Guardar();
        emit Cambiado();
    }
    Programar();
    return true;
}

bool EnviosPendientes::Cancelar(quint64 id) {
    const qsizetype i = Indice(id);
    if (i < 0)
        return false;
    if (id == FEnCurso) {
        // The client and its socket go at once: no answer of that attempt is heard.
        FCliente.reset();
        NuevoCliente();
        FEnCurso = 0;
    }
    Quitar(i);
    Programar();
    return true;
}

void EnviosPendientes::Quitar(qsizetype indice) {
    FEnvios.removeAt(indice);
    Guardar();
    emit Cambiado();
}

void EnviosPendientes::Guardar() {
    if (FGuardado)
        FGuardado(FEnvios);
}

qsizetype EnviosPendientes::IndiceProximo() const {
    const auto it = std::min_element(
        FEnvios.cbegin(), FEnvios.cend(),
        [](const EnvioPendiente& a, const EnvioPendiente& b) { return a.Proximo < b.Proximo; });
    return it == FEnvios.cend() ? -1 : it - FEnvios.cbegin();
}

std::optional<QDateTime> EnviosPendientes::ProximaRevision() const {
    const qsizetype i = IndiceProximo();
    if (FEnCurso != 0 || i < 0)
        return std::nullopt;
    return FEnvios[i].Proximo;
}

void EnviosPendientes::Programar() {
    const std::optional<QDateTime> proxima = ProximaRevision();
    if (!proxima) {
        Timer.stop();
        return;
    }
    // A clock put back or forward is caught within a day.
    constexpr qint64 kMaximoMs = qint64(24) * 3600 * 1000;
    Timer.start(int(std::clamp(FReloj().msecsTo(*proxima), qint64(0), kMaximoMs)));
}

void EnviosPendientes::Revisar() {
    if (FEnCurso != 0)
        return;
    const qsizetype elegido = IndiceProximo();
    if (elegido < 0 || FEnvios[elegido].Proximo > FReloj()) {
        Programar();
        return;
    }
    const EnvioPendiente& e = FEnvios[elegido];
    FCliente->EsperaConexionMs = EsperaConexionMs;
    FCliente->EsperaRespuestaMs = EsperaRespuestaMs;
    FEnCurso = e.Id;
    Timer.stop();
    if (!FCliente->Enviar({e.IP, e.Puerto, e.Nombre}, e.Nota,
                          FPuertoPropio ? FPuertoPropio() : std::nullopt)) {
        FEnCurso = 0;
        const EnvioPendiente quitado = e;
        Quitar(elegido);
        emit Terminada(quitado, MotivosPendientes::NoEnviable());
        Programar();
    }
}

void EnviosPendientes::AlTerminar() {
    const qsizetype i = Indice(FEnCurso);
    FEnCurso = 0;
    if (i < 0) {
        Programar();
        return;
    }
    const EnvioPendiente e = FEnvios[i];
    switch (FCliente->Resultado()) {
    case ResultadoEnvio::Entregada:
        Quitar(i);
        emit Entregada(e);
        break;
    case ResultadoEnvio::Rechazada:
        Quitar(i);
        emit Terminada(e, MotivosPendientes::Rechazada());
        break;
    case ResultadoEnvio::SinConfirmar:
        // It may be on the peer's board already: it is never sent twice.
        Quitar(i);
        emit Terminada(e, MotivosPendientes::SinConfirmar());
        break;
    case ResultadoEnvio::Inalcanzable:
    case ResultadoEnvio::Interrumpida: {
        const QDateTime ahora = FReloj();
        const std::optional<QDateTime> proximo =
            ReglaReintentos::ProximoIntento(e.Desde, e.Intentos + 1, ahora);
        if (!proximo) {
            Quitar(i);
            emit Terminada(e, MotivosPendientes::Caducada());
            break;
        }
        FEnvios[i].Intentos = e.Intentos + 1;
        FEnvios[i].Proximo = *proximo;
        Guardar();
        emit Cambiado();
        break;
    }
    }
    Programar();
}
