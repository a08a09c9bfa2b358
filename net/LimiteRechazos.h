#pragma once
// Refused attempts go to the log once per address and minute: a refused host that keeps
// trying fills no disk. The first attempt of an address is written at once; the ones that
// follow are counted, and each minute that had some gives one line with the count.
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

class LimiteRechazos {
public:
    static constexpr qint64 kSegundos = 60;
    // Addresses followed at once; the attempts of any more are counted together.
    static constexpr qsizetype kMaxDirecciones = 4096;

    struct Resumen {
        QString IP; // empty: the addresses beyond kMaxDirecciones
        qint64 Veces = 0;
    };

    // True when this attempt's line is written now.
    bool Registrar(const QString& ip, const QDateTime& ahora);
    // The counts whose minute is over, or every count when the log is closing. An address
    // with none is written at once again.
    QList<Resumen> Vencidos(const QDateTime& ahora, bool todos = false);
    bool Pendientes() const { return !FAbiertos.isEmpty() || FOtras > 0; }

private:
    struct Abierto {
        QDateTime Desde;
        qint64 Veces = 0;
    };
    QHash<QString, Abierto> FAbiertos;
    QDateTime FOtrasDesde;
    qint64 FOtras = 0;
};
