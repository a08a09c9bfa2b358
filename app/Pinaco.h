#pragma once
// The board: main window, owner of the notes, the address book, the settings and the timers.
#include "app/Configuracion.h"
#include "notes/ListaNotas.h"
#include "notes/TableroNotas.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

class FondoCorcho;
class TNota;

class TPinaco : public QWidget, public TableroNotas {
    Q_OBJECT
public:
    static constexpr int kAnchoDisenado = 442;
    static constexpr int kAltoDisenado = 384;
    static constexpr int kTicksAutoguardado = 300;
    static constexpr int kTicksNotaEntrante = 270;

    // rutaPrograma: the program's full path, from which the data files are named.
    explicit TPinaco(const QString& rutaPrograma, QWidget* parent = nullptr);
    ~TPinaco() override;

    // Shutdown: settings, notes and address book written once, everything freed.
    void FormDestroy();

    void TimerOnLoadTimer();
    void TimerGuardarNotasTimer();
    // The start of an incoming note: a save 30 ticks later unless the note completes.
    void IniciarNotaEntrante();
    // A second start asks the board to show itself.
    void MensajeMostrar();

    TNota* CrearNota(bool Visible);
    void AjustarNotasAlPinaco();

    void CargarConfiguracion();
    void GuardarConfiguracion();
    void AplicarConfiguracion();
    bool CargarNotas();
    bool GuardarNotas();
    bool GuardarListaIP();
    void CrearRegiones();
    void ColocarBotones();
    void ColocarMarco();
    void ComprobarNotasCaducadas();

    const ListaNotas& Notas() const override { return FListaNotas; }
    void NotaAlFrente(TNota* nota) override;
    void MarcarNotasCambiadas() override;
    void BorrarNota(TNota* nota) override;
    void ReordenarNotas(const QList<TNota*>& orden) override;
    QWidget* Ventana() override { return this; }
    int ContadorGuardado() const { return FContadorGuardado; }
    bool AutoguardadoArmado() const { return TimerGuardarNotas.isActive(); }
    QString RutaNotas() const { return FRutaNotas; }
    QString RutaListaIP() const { return FRutaListaIP; }

    Configuracion Config;
    QList<QPixmap> imglChinchetas;
    QList<QPixmap> imglAgarradera;
    FondoCorcho* ChartFondo = nullptr;

    QTimer TimerOnLoad;
    QTimer TimerGuardarNotas;
    QTimer TimerNotaRecibida;
    QTimer TimerRetiroTemporal;

signals:
    void NotasGuardadas();
    void Cargado();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void ActivarServidor();
    void DesactivarServidor();
    void LiberarNotas();

    QString FRutaPrograma;
    QString FRutaNotas;
    QString FRutaListaIP;
    ListaNotas FListaNotas;
    int FContadorGuardado = 0;
    bool FIsMaximized = false;
    bool FIgnorarPulsacionNota = false;
    bool FIgnorarPulsacionFondo = false;
    bool FErrorDeCarga = false;
    bool FDestruido = false;
};
