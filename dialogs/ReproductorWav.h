#pragma once
// Plays a wave file once, if there is one; a missing or broken file, or a machine without
// sound, plays nothing. Whoever wants to know listens to Terminado and Fallo.
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

class QSoundEffect;
struct SondaSonido;

class ReproductorWav : public QObject {
    Q_OBJECT
public:
    enum class Motivo {
        ArchivoNoValido, // the sound system cannot read the file as a wave
        SinDispositivo,  // the machine has no sound output
        SinRespuesta,    // the sound system did not answer in time
    };
    Q_ENUM(Motivo)

    // Tells, away from the GUI thread, whether the machine has a sound output.
    using Sonda = std::function<bool()>;

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

    // Replaces the look for a sound output and how long a sound waits for its answer;
    // an empty function brings back the real one. Forgets the last answer.
    static void FijarSonda(Sonda sonda, std::chrono::milliseconds espera);

signals:
    // A sound that Reproducir accepted has stopped: at its end, closed, or failing.
    void Terminado();
    // Why that sound was not heard; arrives from the event loop, after Terminado.
    void Fallo(ReproductorWav::Motivo motivo, const QString& archivo);

private:
    void ComprobarSonda();
    void Sonar();
    void Fallar(Motivo motivo);
    void Soltar(bool avisar);

    QSoundEffect* FSonido = nullptr;
    std::shared_ptr<SondaSonido> FSonda;
    QTimer FEsperaSonda;
    std::chrono::steady_clock::time_point FLimiteSonda;
    QString FArchivo;
    int FReproducciones = 0;
};
