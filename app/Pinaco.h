#pragma once
// The board: main window, owner of the notes, the address book, the settings and the timers.
#include "core/Autoguardado.h"
#include "core/Configuracion.h"
#include "core/ModeloNotas.h"
#include "net/EscritorLog.h"
#include "net/TableroRed.h"
#include "storage/ListaIP.h"
#include "storage/PapeleraNotas.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>

class AnuncioCaducadas;
class BotonRedondo;
class CapasNotas;
class CustodiaArchivos;
class FondoCorcho;
class PendientesTablero;
class PiezaMarco;
class QAction;
class QMenu;
class QMouseEvent;
class QSettings;
class QSystemTrayIcon;
class ReproductorWav;
class ServidorNotas;
class TNota;
class TecladoTablero;
class VigiaCaducadas;
class VistasNotas;

class TPinaco : public QWidget, public TableroRed {
    Q_OBJECT
public:
    static constexpr int kAnchoDisenado = 442;
    static constexpr int kAltoDisenado = 384;
    static constexpr int kTicksAutoguardado = Autoguardado::kTicksAutoguardado;
    static constexpr int kTicksNotaEntrante = Autoguardado::kTicksNotaEntrante;

    // rutaPrograma: the program's full path, from which the data files are named.
    explicit TPinaco(const QString& rutaPrograma, QWidget* parent = nullptr);
    ~TPinaco() override;

    // Shutdown: settings, notes and address book written once, everything freed.
    void FormDestroy();

    // Start-up, autosave and the show request of a second start.
    void TimerOnLoadTimer();
    void TimerGuardarNotasTimer();
    // The start of an incoming note: a save 30 ticks later at most.
    void IniciarNotaEntrante();
    void MensajeMostrar();

    // Notes on the board, topmost first; the first is the current note.
    const ModeloNotas& Notas() const { return FModelo; }
    // The widget that shows a note; null once the note is gone.
    TNota* Vista(IdNota id) const;
    TNota* NotaActual() const { return Vista(FModelo.Primero()); }
    // Brings the note to the front and makes it the current note.
    void NotaAlFrente(TNota* nota);
    // Brings the note to the front of the stacking order only.
    void SubirNota(TNota* nota);
    // Restarts the autosave countdown.
    void MarcarNotasCambiadas();
    // Takes the note off the board into the bin of deleted notes; its widget goes once
    // control returns to the event loop.
    void BorrarNota(IdNota id);
    // The last note deleted comes back on top, where it was and as it was; null when none.
    TNota* RecuperarNotaBorrada();
    const PapeleraNotas& Papelera() const { return FPapelera; }
    // New list order, topmost first, and the same stacking on the board; same notes only.
    void ReordenarNotas(const QList<IdNota>& orden);
    TNota* CrearNota(bool Visible);
    // The add path: a hidden new note, made current, edited, shown when kept.
    void AnadirNota();
    void EditarNota(TNota* nota, bool EsNueva);
    void BorrarNotaActual();
    // Every note, or only the one given when the others have not moved, back inside the board.
    void AjustarNotasAlPinaco(TNota* solo = nullptr);
    void ActualizarSombras();
    bool NotaSolapada(qsizetype indice) const;
    void NotaMouseDown(TNota* nota, Qt::MouseButton boton, Qt::MouseButtons shift, int X, int Y);
    void NotaMouseUp(TNota* nota, Qt::MouseButton boton);
    void NotaDblClick(TNota* nota);
    void NotaAgarraderaMouseMove(TNota* nota, Qt::MouseButtons shift, int X, int Y);
    void ChartFondoMouseDown(QMouseEvent* event);
    void ChartFondoDblClick();
    void mnuNotaEditarClick();
    void mnuNotaBorrarClick();
    void mnuNotaEnviarClick();
    void mnuNotaAlFondoClick();
    void mnuFondoAddNotaClick();
    void mnuFondoConfigPinacoClick();
    void mnuFondoOrganizarClick();
    // By creation or due date: the first ends topmost; places and sizes stay.
    void OrganizarNotas(bool PorCreacion, bool Ascendente);
    void mnuFondoBuscarNotaClick();
    void mnuFondoAboutClick();
    void mnuFondoPendientesClick();
    void ComprobarNotasCaducadas();
    // Notes that come due while the board runs; its clock is the board's today.
    VigiaCaducadas& Vigia();

    // The board's part in receiving a note.
    void NotaEmpezada() override { IniciarNotaEntrante(); }
    DatosNota ColocarNotaRecibida(const DatosNota& nota) override;
    void NotaEntregada() override;
    // The files the log never writes into.
    ArchivosPropios ArchivosDelTablero();
    // After a received note: the tray icon blinks while the board sits in the tray.
    void AvisoBandeja();

    // Data files.
    bool CargarNotas();
    bool GuardarNotas();
    bool GuardarListaIP();
    ListaIP& ListaDirecciones() { return FListaIP; }
    // The board's widgets from the bottom up, notes in their place among the frame pieces.
    QList<QWidget*> Apilado() const;
    QString RutaNotas() const { return FRutaNotas; }
    QString RutaListaIP() const { return FRutaListaIP; }
    QString RutaRetiros() const { return FRutaRetiros; }
    QString RutaPendientes() const { return FRutaPendientes; }
    // The notes that wait for a board that was off.
    PendientesTablero& Pendientes() { return *FPendientes; }

    // Settings.
    void CargarConfiguracion();
    void GuardarConfiguracion();
    void AplicarConfiguracion();

    // Frame.
    void CrearRegiones();
    void ColocarBotones();
    void ColocarMarco();
    void ArrastrarVentana();
    void Image2MouseDown(QMouseEvent* event);
    void chart8MouseMove(QMouseEvent* event);
    // The grip's resize to the given outer size, with the minimum.
    void CambiarTamano(int ancho, int alto);
    // The maximise button's action: maximised, or back from it.
    void AlternarMaximizado();
    void Maximizar();
    // The free area of every screen of the desktop.
    static QList<QRect> AreasDePantallas();
    // The screen the board is on, else the primary one; none on a desktop without screens.
    const QScreen* PantallaPropia() const;
    // What a maximised board covers: the free area of its screen.
    QRect AreaMaximizada() const;
    // A board left on no screen, after a monitor went away, comes back onto one.
    void VolverAPantalla();
    void Restaurar();
    void Cerrar();
    bool IsMaximized() const { return FIsMaximized; }

    // Tray and alerts.
    void Minimizar();
    void MinimizarABandeja();
    void RestaurarDeBandeja();
    void IniciarParpadeo();
    void TimerNotaRecibidaTimer();
    void mnuTrayCerrarClick();
    void SonidoNotaRecibida();
    int Parpadeo() const { return EstadoParpadeo; }
    // Whether the desktop has a tray; replaceable so tests can have one without a desktop.
    static inline bool (*DisponibilidadBandeja)() = nullptr;

    int ContadorGuardado() const { return FAutoguardado.Contador(); }
    bool AutoguardadoArmado() const { return TimerGuardarNotas.isActive(); }

    Configuracion Config;
    QList<QPixmap> imglChinchetas;
    QList<QPixmap> imglAgarradera;
    QList<QPixmap> ImageListTrayIcon;

    FondoCorcho* ChartFondo = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* Chart3 = nullptr;
    PiezaMarco* Image2 = nullptr;
    PiezaMarco* Image4 = nullptr;
    PiezaMarco* Image5 = nullptr;
    PiezaMarco* Image7 = nullptr;
    PiezaMarco* Chart6 = nullptr;
    PiezaMarco* Chart8 = nullptr;
    BotonRedondo* PanelAdd = nullptr;
    BotonRedondo* PanelConfigurar = nullptr;
    BotonRedondo* PanelOrganizar = nullptr;
    BotonRedondo* PanelBuscar = nullptr;
    BotonRedondo* PanelMinimizar = nullptr;
    BotonRedondo* PanelMaximizar = nullptr;
    BotonRedondo* PanelCerrar = nullptr;
    QMenu* PopupMenuNota = nullptr;
    QMenu* PopupMenuFondo = nullptr;
    QMenu* PopupMenuTray = nullptr;
    QSystemTrayIcon* IconoBandeja = nullptr;
    ServidorNotas* Server = nullptr;
    ReproductorWav* MediaPlayer = nullptr;

    QTimer TimerOnLoad;
    QTimer TimerGuardarNotas;
    // The server comes back 100 ms after an autosave, without holding the window meanwhile.
    QTimer TimerReactivarServidor;
    QTimer TimerNotaRecibida;

signals:
    void NotasGuardadas();
    void Cargado();
    // A data file could not be read: the program ends without saving over it.
    void ErrorDeCarga();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Every resize, by the grip or by the window manager, lays the frame out again.
    void resizeEvent(QResizeEvent* event) override;
    // Tab goes through the board's own order of buttons and notes.
    bool focusNextPrevChild(bool next) override;

private:
    void FormCreate();
    void CrearMenus();
    void CrearMarco();
    void CrearBandeja();
    void AplicarTipoPinaco();
    bool HayBandeja() const;
    QSettings& Registro();
    // The settings file can be read: a FIFO or a huge file would hold the start up.
    bool ConfiguracionLegible();
    void CargarRetirosPendientes();
    bool ActivarServidor();
    void AplicarServidor(bool alCargar);
    void DesactivarServidor();
    void AvisarPuertoOcupado(bool alCargar);
    void BotonMouseDown(BotonRedondo* boton, Qt::MouseButton b, bool deVentana);
    // True when the press began on a button: the action runs.
    bool BotonMouseUp(BotonRedondo* boton);
    // A note added at the tail of the list: its widget on top of the board's stacking, or at
    // its bottom while the notes file is read.
    TNota* AgregarNota(const DatosNota& datos, bool Visible);
    // What every note's widget gets: pictures and handlers.
    TNota* CrearVista(IdNota id);
    // A new note's record: the application's font, created and due today.
    static DatosNota DatosDeNotaNueva();
    // What an editing dialog gave back, written into the note.
    void AsignarEdicion(IdNota id, DatosNota editada);
    // Keeps the button pieces above the notes when notes may not cover them.
    void BotonesAlFrente();
    // The due autosave: the server closed around the write.
    void GuardarAutomaticamente();
    void ErrorCritico(const QString& primeraLinea, const QString& ruta);
    void LiberarNotas();

    QString FRutaPrograma;
    QString FRutaNotas;
    QString FRutaListaIP;
    QString FRutaRetiros;    // withdrawals by flood control, beside the address book
    QString FRutaBorradas;   // the bin of deleted notes, beside the notes file
    QString FRutaPendientes; // notes waiting to be sent, beside the notes file
    PendientesTablero* FPendientes = nullptr;
    ModeloNotas FModelo;
    VistasNotas* FVistas = nullptr;
    // The notes file is being read: each note goes beneath the ones read before it.
    bool FCargandoNotas = false;
    CapasNotas* FCapas = nullptr;
    TecladoTablero* FTeclado = nullptr;
    ListaIP FListaIP;
    PapeleraNotas FPapelera;
    QAction* FAccionRecuperar = nullptr;
    std::unique_ptr<QSettings> FRegistro;
    std::unique_ptr<CustodiaArchivos> FCustodia;
    Autoguardado FAutoguardado{TimerGuardarNotas};
    int EstadoParpadeo = 0;
    QRect FLimitesRestaurar;
    bool FIsMaximized = false;
    bool FBotonApretado = false;
    bool FIgnorarPulsacionNota = false;
    bool FIgnorarPulsacionFondo = false;
    // Until the start-up has read the files, a shutdown must write nothing over them.
    bool FArchivosCargados = false;
    bool FDestruido = false;
    bool FCerrando = false;
    // The autosave has closed the server around its write.
    bool FGuardandoConServidor = false;
    AnuncioCaducadas* FAnuncio = nullptr;
};
