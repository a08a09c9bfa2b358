#pragma once
// A board on loopback that answers as the protocol says, except where a script says
// otherwise, and records every message it got.
#include <QTcpServer>
#include <QTcpSocket>

namespace {

using Guion = QList<QPair<QByteArray, QByteArray>>; // message prefix -> answer ("" silence)
const QByteArray kCerrar = "<cerrar>";

// A board that answers as the protocol says, except where the script says otherwise.
class ParGuionado : public QObject {
public:
    explicit ParGuionado(Guion guion) : guion_(std::move(guion)) {
        servidor.listen(QHostAddress::LocalHost);
        connect(&servidor, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = servidor.nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, this, [this, s] { Responder(s); });
        });
    }
    quint16 Puerto() const { return servidor.serverPort(); }

    QTcpServer servidor;
    QByteArrayList recibidos;

private:
    void Responder(QTcpSocket* s) {
        const QByteArray m = s->readAll();
        recibidos << m;
        for (const auto& [prefijo, respuesta] : guion_)
            if (m.startsWith(prefijo)) {
                if (respuesta == kCerrar)
                    s->abort();
                else if (!respuesta.isEmpty())
                    s->write(respuesta);
                return;
            }
        s->write(Normal(m));
    }
    static QByteArray Normal(const QByteArray& m) {
        if (m == "HOLA")
            return "HOLA_ACK";
        if (m == "VERSION")
            return "VERSION_ID:Pinaco v1.4o";
        if (m.startsWith("ACTUALIZE_MY_SERVER_PORT:"))
            return "YOUR_SERVER_PORT_ACTUALIZED";
        if (m == "NOTA_BEGIN")
            return "READY";
        if (m == "NOTA_END")
            return "NOTA_CREATED";
        if (m == "CIAO")
            return "CIAO_ACK";
        return "DATA_RECEIVED";
    }
    Guion guion_;
};

} // namespace
