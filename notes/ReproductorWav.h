#pragma once
// Plays a wave file once, if there is one; a missing or broken file, or a machine without
// sound, plays nothing and says nothing.
#include <QObject>
#include <QString>

class QSoundEffect;

class ReproductorWav : public QObject {
    Q_OBJECT
public:
    explicit ReproductorWav(QObject* parent = nullptr);
    ~ReproductorWav() override;

    // Returns at once; false when there is no such file.
    bool Reproducir(const QString& archivo);
    // Stops and lets the sound system go.
    void Cerrar();
    // The file in play, empty when the player is closed.
    QString Archivo() const { return FArchivo; }
    // Files handed to the sound system so far.
    int Reproducciones() const { return FReproducciones; }

private:
    QSoundEffect* FSonido = nullptr;
    QString FArchivo;
    int FReproducciones = 0;
};
