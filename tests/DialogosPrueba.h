#pragma once
// What the dialog tests share: the message boxes answered in place of a person, and kept;
// the next modal dialog worked on; the texts of a table's column.
#include "dialogs/Mensaje.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <functional>

struct Cajas {
    QList<PeticionMensaje> vistas;
    QMessageBox::StandardButton respuesta = QMessageBox::Ok;
    std::function<void()> alMostrar; // runs while the box is open
    Cajas() {
        FijarRespondedorMensajes([this](const PeticionMensaje& p) {
            vistas << p;
            if (alMostrar)
                alMostrar();
            return respuesta;
        });
    }
    ~Cajas() { FijarRespondedorMensajes({}); }
    QStringList Textos() const {
        QStringList textos;
        for (const PeticionMensaje& p : vistas)
            textos << p.Texto;
        return textos;
    }
};

// Holds a box open as a person reading it would: meanwhile events run in the box's own loop.
inline void MantenerAbierta(int ms) {
    QEventLoop bucle;
    QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
    bucle.exec();
}

inline QStringList Columna(const QAbstractItemView* tabla, int columna) {
    const QAbstractItemModel* modelo = tabla->model();
    QStringList textos;
    for (int fila = 0; fila < modelo->rowCount(); ++fila)
        textos << modelo->index(fila, columna).data().toString();
    return textos;
}

// Runs accion on the modal dialog that opens next, once it is up, without blocking.
inline void AlAbrirseDialogo(std::function<void(QDialog*)> accion) {
    auto* sondeo = new QTimer;
    QObject::connect(sondeo, &QTimer::timeout, [sondeo, accion] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            sondeo->stop();
            sondeo->deleteLater();
            accion(d);
        }
    });
    sondeo->start(5);
}
