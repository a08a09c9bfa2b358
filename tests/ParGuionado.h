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
    explicit ParGuionado(Guion guion) : FGuion(std::move(guion)) {
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
        for (const auto& [prefijo, respuesta] : FGuion)
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
        if (m.startsWith("ACTUALIZE_MY_SERVER_PORT:"))
            return "YOUR_SERVER_PORT_ACTUALIZED";
        static const QMap<QByteArray, QByteArray> respuestas = {
            {"HOLA", "HOLA_ACK"},
            {"VERSION", "VERSION_ID:Pinaco v1.4o"},
            {"NOTA_BEGIN", "READY"},
            {"NOTA_END", "NOTA_CREATED"},
            {"CIAO", "CIAO_ACK"}};
        return respuestas.value(m, "DATA_RECEIVED");
    }
    Guion FGuion;
};

} // namespace
