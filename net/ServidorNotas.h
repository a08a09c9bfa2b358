#pragma once
// The note server: listens on every IPv4 address, keeps one session per connection, checks
// every message against the address book, creates the notes, runs flood control, the
// restoration of temporary withdrawals and the log. Nothing a peer sends opens a window:
// what goes wrong is written to standard error.
#include "core/MarcasTiempo.h"
#include "net/EscritorLog.h"
#include "net/LimiteRechazos.h"

#include <QObject>
#include <QTimer>
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
    // A read this long may be the first piece of a long message: more is awaited.
    static constexpr qsizetype kUmbralTrozos = 1000;
    static constexpr int kEsperaTrozosMs = 50;
    static constexpr qsizetype kMaxMensaje = 1 << 20;
    static constexpr int kMaxConexiones = 64;
    static constexpr int kRetiroTemporalMs = 15000;
    static constexpr int kRechazosMs = 15000;

    // registroPorDefecto: the log file when LogFilename is empty or would write into one of
    // the board's own files; a relative LogFilename lies in the folder of the data files.
    ServidorNotas(TableroRed& tablero, const QString& registroPorDefecto, Reloj reloj = {},
                  QObject* parent = nullptr);
    ~ServidorNotas() override;

    // Listens on every IPv4 address of the machine; false when the port is taken.
    bool Activar(quint16 puerto);
    // Stops listening and drops every open connection.
    void Desactivar();
    bool Activo() const;
    quint16 Puerto() const;
    int Conexiones() const { return int(conexiones_.size()); }
    // A connection that stays silent this long is closed.
    void FijarSilencio(int ms) { silencioMs_ = ms; }

    // One tick of the restoration of temporary withdrawals.
    void TimerRetiroTemporalTimer();
    QTimer TimerRetiroTemporal;
    // Writes the counted refusals of the addresses whose minute is over.
    void TimerRechazosTimer();
    QTimer TimerRechazos;

signals:
    // The server changed an entry of the address book: a permission or a sender's port.
    void LibretaCambiada();

private:
    struct Conexion;

    void NuevaConexion();
    void AlLeer(Conexion* conexion);
    void Despachar(Conexion* conexion);
    void CrearNota(Conexion* conexion, const ResultadoMensaje& resultado);
    void EscribirLog(const QString& linea);
    void RegistrarRechazo(const QString& ip);
    void Cerrar(Conexion* conexion, const char* motivo);
    void Quitar(Conexion* conexion);

    TableroRed& tablero_;
    Reloj reloj_;
    EscritorLog log_;
    std::unique_ptr<ControlAbuso> abuso_;
    LimiteRechazos rechazos_;
    QTcpServer* servidor_;
    std::vector<std::unique_ptr<Conexion>> conexiones_;
    std::vector<std::unique_ptr<Conexion>> retiradas_;
    int silencioMs_ = 60000;
};
