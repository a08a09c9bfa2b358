#include "dialogs/ReproductorWav.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using Reloj = std::chrono::steady_clock;

// One look for a sound output, on a thread of its own: opening the sound system can hang
// where the sound server does not answer, and the window must not hang with it.
struct SondaSonido {
    enum Estado { Pendiente, Hay, NoHay };
    std::atomic<int> estado{Pendiente};
};

namespace {

bool HaySalidaDeSonido() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

struct AjustesSonda {
    ReproductorWav::Sonda mirar = HaySalidaDeSonido;
    std::chrono::milliseconds espera = 3s;
    std::shared_ptr<SondaSonido> ultima;
};

AjustesSonda& Ajustes() {
    static AjustesSonda ajustes;
    return ajustes;
}

// A look still running at exit gets a moment to end before Qt goes away under it.
void EsperarSondaAlSalir() {
    const std::shared_ptr<SondaSonido> ultima = Ajustes().ultima;
    const auto limite = Reloj::now() + 2s;
    while (ultima && ultima->estado == SondaSonido::Pendiente && Reloj::now() < limite)
        std::this_thread::sleep_for(10ms);
}

// An output once found is kept; a machine found without one is looked at again, since a
// device may have come since.
std::shared_ptr<SondaSonido> SondaVigente() {
    AjustesSonda& ajustes = Ajustes();
    if (ajustes.ultima && ajustes.ultima->estado != SondaSonido::NoHay)
        return ajustes.ultima;
    static const bool registrada = (qAddPostRoutine(EsperarSondaAlSalir), true);
    Q_UNUSED(registrada)
    auto sonda = std::make_shared<SondaSonido>();
    std::thread([sonda, mirar = ajustes.mirar] {
        sonda->estado = mirar() ? SondaSonido::Hay : SondaSonido::NoHay;
    }).detach();
    ajustes.ultima = sonda;
    return sonda;
}

} // namespace

ReproductorWav::ReproductorWav(QObject* parent) : QObject(parent) {
    FEsperaSonda.setInterval(10);
    connect(&FEsperaSonda, &QTimer::timeout, this, &ReproductorWav::ComprobarSonda);
}

ReproductorWav::~ReproductorWav() {
    Soltar(false);
}

void ReproductorWav::FijarSonda(Sonda sonda, std::chrono::milliseconds espera) {
    AjustesSonda& ajustes = Ajustes();
    ajustes.mirar = sonda ? std::move(sonda) : HaySalidaDeSonido;
    ajustes.espera = espera;
    ajustes.ultima.reset();
}

bool ReproductorWav::Reproducir(const QString& archivo) {
    Cerrar();
    // The sound system is only woken when there is something to play.
    if (archivo.isEmpty() || !QFileInfo(archivo).isFile())
        return false;
    FArchivo = archivo;
    ++FReproducciones;
    FSonda = SondaVigente();
    FLimiteSonda = Reloj::now() + Ajustes().espera;
    ComprobarSonda();
    return true;
}

void ReproductorWav::ComprobarSonda() {
    switch (FSonda->estado.load()) {
    case SondaSonido::Hay:
        Sonar();
        return;
    case SondaSonido::NoHay:
        Fallar(Motivo::SinDispositivo);
        return;
    default:
        break;
    }
    if (Reloj::now() >= FLimiteSonda)
        Fallar(Motivo::SinRespuesta);
    else if (!FEsperaSonda.isActive())
        FEsperaSonda.start();
}

void ReproductorWav::Sonar() {
    FEsperaSonda.stop();
    FSonda.reset();
    FSonido = new QSoundEffect(this);
    connect(FSonido, &QSoundEffect::playingChanged, this, [this] {
        if (FSonido && !FSonido->isPlaying() && FSonido->status() != QSoundEffect::Loading)
            Cerrar();
    });
    connect(FSonido, &QSoundEffect::statusChanged, this, [this] {
        if (FSonido && FSonido->status() == QSoundEffect::Error)
            Fallar(Motivo::ArchivoNoValido);
    });
    FSonido->setSource(QUrl::fromLocalFile(QFileInfo(FArchivo).absoluteFilePath()));
    FSonido->play();
}

void ReproductorWav::Fallar(Motivo motivo) {
    const QString archivo = FArchivo;
    Cerrar();
    // Whoever shows it may open a modal box: not from inside the sound system's signal.
    QMetaObject::invokeMethod(
        this, [this, motivo, archivo] { emit Fallo(motivo, archivo); }, Qt::QueuedConnection);
}

void ReproductorWav::Cerrar() {
    Soltar(true);
}

void ReproductorWav::Soltar(bool avisar) {
    const bool sonaba = !FArchivo.isEmpty();
    FArchivo.clear();
    FEsperaSonda.stop();
    FSonda.reset();
    if (FSonido) {
        QSoundEffect* sonido = FSonido;
        FSonido = nullptr;
        sonido->disconnect(this);
        sonido->stop();
        // It may be inside one of its own signals.
        sonido->deleteLater();
    }
    if (sonaba && avisar)
        emit Terminado();
}
