#pragma once
// The note server: listens on every IPv4 address, keeps one session per connection, checks
// every message against the address book, creates the notes, runs flood control, the
// restoration of temporary withdrawals and the log. Nothing a peer sends opens a window:
// what goes wrong is written to standard error.
#include "core/MarcasTiempo.h"
#include "net/EscritorLog.h"
#include "net/LimiteRechazos.h"
#include "net/ReglasServidor.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class ControlAbuso;
struct ResultadoMensaje;
class QTcpServer;
class QTcpSocket;
class TableroRed;

class ServidorNotas : public QObject {
    Q_OBJECT
public:
    // A read longer than a path's smallest segment may be the first piece of a message: the
    // rest is awaited up to a retransmission time.
    static constexpr qsizetype kUmbralTrozos = 500;
    static constexpr int kEsperaTrozosMs = 300;
    static constexpr qsizetype kMaxMensaje = 1 << 20;
    static constexpr int kMaxConexiones = 128;
    static constexpr int kMaxPorDireccion = 4;
    // A connection is closed this long after its last accepted message, and at this age.
    static constexpr int kSilencioMs = 60000;
    static constexpr int kVidaMaximaMs = 5 * 60000;
    // A permitted newcomer to a full server may take the place of a connection this idle.
    static constexpr int kOciosaMs = 5000;
    static constexpr int kRevisionMs = 1000;
    static constexpr int kCierreMs = 2000; // a polite close that takes longer is cut
    static constexpr int kRetiroTemporalMs = 15000;
    static constexpr int kRechazosMs = 15000;

    // Milliseconds from any fixed point; steady, unlike the date and time of Reloj.
    using RelojMs = std::function<qint64()>;

    // registroPorDefecto: the log file when LogFilename is empty or would write into one of
    // the board's own files; a relative LogFilename lies in the folder of the data files.
    ServidorNotas(TableroRed& tablero, ListaIP& libreta, const QString& registroPorDefecto,
                  Reloj reloj = {}, QObject* parent = nullptr);
    ~ServidorNotas() override;

    // The rules from the board's settings, for every message from now on.
    void FijarReglas(const ReglasServidor& reglas) { FReglas = reglas; }

    // Listens on every IPv4 address of the machine, moving from another port; false when the
    // port is taken. Open connections stay.
    bool Activar(quint16 puerto);
    // Stops listening; open connections run to their end.
    void DejarDeEscuchar();
    // Stops listening and drops every open connection.
    void Desactivar();
    bool Activo() const;
    quint16 Puerto() const;
    int Conexiones() const { return int(FConexiones.size()); }
    void FijarRelojMs(RelojMs reloj) { FRelojMs = std::move(reloj); }
    // Closes the connections silent or open too long; runs every kRevisionMs.
    void RevisarConexiones();

    // Withdrawals read back after a restart: their restoration goes on.
    void ReanudarRestituciones() { TimerRetiroTemporal.start(kRetiroTemporalMs); }
    // One tick of the restoration of temporary withdrawals.
    void TimerRetiroTemporalTimer();
    QTimer TimerRetiroTemporal;
    // Writes the counted refusals of the addresses whose minute is over.
    void TimerRechazosTimer();
    // The refusals counted in a minute that has not ended, written now: the log is closing.
    // Called by the owner while the address book still exists; the destructor does it too.
    void EscribirRechazosContados() { EscribirRechazosRepetidos(true); }
    // A line of the board's own, when the settings keep a log.
    void AnotarEnLog(const QString& linea) {
        if (FReglas.CrearArchivoLog)
            EscribirLog(linea);
    }
    QTimer TimerRechazos;

signals:
    // The server changed an entry of the address book: a permission or a sender's port.
    void LibretaCambiada();

private:
    struct Conexion;

    void NuevaConexion();
    // Why a connection from ip is turned away, or nullptr when it is taken (maybe in the place
    // of another).
    const char* Admitir(const QString& ip);
    Conexion* Desalojable();
    void Responder(Conexion* conexion, const QByteArray& respuesta, bool cerrar);
    void AlLeer(Conexion* conexion);
    void Despachar(Conexion* conexion);
    void CrearNota(Conexion* conexion, const ResultadoMensaje& resultado, nodoListaIP* propia);
    void EscribirLog(const QString& linea);
    void RegistrarRechazo(const QString& ip, const QString& nombre);
    void EscribirRechazosRepetidos(bool todos);
    void Cerrar(Conexion* conexion, const char* motivo);
    void Quitar(Conexion* conexion);

    TableroRed& FTablero;
    ListaIP& FLibreta;
    ReglasServidor FReglas;
    Reloj FReloj;
    EscritorLog FLog;
    std::unique_ptr<ControlAbuso> FAbuso;
    LimiteRechazos FRechazos;
    QTcpServer* FServidor;
    std::vector<std::unique_ptr<Conexion>> FConexiones;
    std::vector<std::unique_ptr<Conexion>> FRetiradas;
    RelojMs FRelojMs;
    QTimer FRevision;
    quint16 FPuerto = 0;
};
