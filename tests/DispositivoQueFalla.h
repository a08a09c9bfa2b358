#pragma once
// A device that takes a fixed number of bytes and then fails, like a disk that fills up.
#include <QByteArray>
#include <QIODevice>

class DispositivoQueFalla : public QIODevice {
public:
    explicit DispositivoQueFalla(qint64 capacidad) : capacidad_(capacidad) {
        open(QIODevice::WriteOnly);
    }
    const QByteArray& Escrito() const { return escrito_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 longitud) override {
        const qint64 caben = qMin(longitud, capacidad_ - escrito_.size());
        if (caben <= 0)
            return -1;
        escrito_.append(datos, caben);
        return caben;
    }

private:
    qint64 capacidad_;
    QByteArray escrito_;
};
