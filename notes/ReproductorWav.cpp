#include "notes/ReproductorWav.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

ReproductorWav::ReproductorWav(QObject* parent) : QObject(parent) {}

ReproductorWav::~ReproductorWav() {
    Cerrar();
}

bool ReproductorWav::Reproducir(const QString& archivo) {
    Cerrar();
    // The sound system is only woken when there is something to play.
    if (archivo.isEmpty() || !QFileInfo(archivo).isFile())
        return false;
    FArchivo = archivo;
    ++FReproducciones;
    FSonido = new QSoundEffect(this);
    connect(FSonido, &QSoundEffect::playingChanged, this, [this] {
        if (FSonido && !FSonido->isPlaying() && FSonido->status() != QSoundEffect::Loading)
            Cerrar();
    });
    connect(FSonido, &QSoundEffect::statusChanged, this, [this] {
        if (FSonido && FSonido->status() == QSoundEffect::Error)
            Cerrar();
    });
    FSonido->setSource(QUrl::fromLocalFile(QFileInfo(archivo).absoluteFilePath()));
    FSonido->play();
    return true;
}

void ReproductorWav::Cerrar() {
    FArchivo.clear();
    if (!FSonido)
        return;
    QSoundEffect* sonido = FSonido;
    FSonido = nullptr;
    sonido->disconnect(this);
    sonido->stop();
    // It may be inside one of its own signals.
    sonido->deleteLater();
}
