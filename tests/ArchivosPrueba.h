#pragma once
// Whole files read and written by the tests, byte for byte; odd files; a test run without
// root's rights.
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

inline QByteArray LeerBytes(const QString& ruta) {
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

inline void EscribirBytes(const QString& ruta, const QByteArray& bytes) {
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    QCOMPARE(archivo.write(bytes), bytes.size());
}

// A file in the folder holding those bytes; without bytes it is not made, only named.
inline QString ArchivoEn(const QTemporaryDir& carpeta, const QString& nombre,
                         const QByteArray& bytes = {}) {
    const QString ruta = carpeta.filePath(nombre);
    if (!bytes.isEmpty())
        EscribirBytes(ruta, bytes);
    return ruta;
}

// A FIFO whose writer hands these bytes to every reader that opens it, so that a reader
// that should not have opened it reads them and fails its test instead of waiting for ever.
class FifoServida {
public:
    FifoServida(const QString& ruta, const QByteArray& bytes) : FRuta(QFile::encodeName(ruta)) {
        QVERIFY(mkfifo(FRuta.constData(), 0644) == 0);
        FEscritor = std::thread([this, bytes] {
            while (!FFin) {
                const int fd = open(FRuta.constData(), O_WRONLY);
                if (fd < 0)
                    return;
                if (!FFin) {
                    [[maybe_unused]] const auto escritos = write(fd, bytes.data(), bytes.size());
                }
                close(fd);
                // The reader sees the end of the file before the next round.
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    ~FifoServida() {
        FFin = true;
        // The writer waits for a reader: this one lets it see the end.
        const int fd = open(FRuta.constData(), O_RDONLY | O_NONBLOCK);
        FEscritor.join();
        close(fd);
    }

private:
    QByteArray FRuta;
    std::atomic<bool> FFin = false;
    std::thread FEscritor;
};

// Runs `prueba` without root's rights, as nobody in a child process when the test runs as
// root, who may write anything; what it returned.
inline QByteArray SinPrivilegios(const std::function<QByteArray()>& prueba) {
    int tubo[2];
    if (getuid() != 0 || pipe(tubo) != 0)
        return getuid() != 0 ? prueba() : QByteArray("<pipe>");
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        const bool sinPrivilegios = setgid(65534) == 0 && setuid(65534) == 0;
        const QByteArray visto = sinPrivilegios ? prueba() : QByteArray("<setuid>");
        [[maybe_unused]] const auto escrito = write(tubo[1], visto.data(), visto.size());
        _exit(0);
    }
    close(tubo[1]);
    QByteArray respuesta;
    char bloque[512];
    for (ssize_t n; (n = read(tubo[0], bloque, sizeof bloque)) > 0;)
        respuesta.append(bloque, n);
    close(tubo[0]);
    waitpid(hijo, nullptr, 0);
    return respuesta;
}
