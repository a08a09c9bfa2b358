#include "app/ArrastreRaton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace {
ArrastreRaton* gActual = nullptr;
}

void ArrastreRaton::Iniciar(QWidget* widget, QPoint globalInicial,
                            std::function<void()> alTerminar) {
    if (gActual)
        gActual->Terminar();
    gActual = new ArrastreRaton(widget, globalInicial, std::move(alTerminar), false);
}

void ArrastreRaton::IniciarVentana(QWidget* ventana, QPoint globalInicial) {
    if (gActual)
        gActual->Terminar();
    gActual = new ArrastreRaton(ventana, globalInicial, {}, true);
}

bool ArrastreRaton::EnCurso() {
    return gActual != nullptr;
}

ArrastreRaton::ArrastreRaton(QWidget* widget, QPoint globalInicial,
                             std::function<void()> alTerminar, bool esVentana)
    : FWidget(widget), FInicioRaton(globalInicial), FInicioWidget(widget->pos()),
      FAlTerminar(std::move(alTerminar)), FMoviendo(!esVentana) {
    qApp->installEventFilter(this);
}

bool ArrastreRaton::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (!(e->buttons() & Qt::LeftButton)) {
            Terminar();
            return false;
        }
        const QPoint global = e->globalPosition().toPoint();
        if (!FMoviendo) {
            if ((global - FInicioRaton).manhattanLength() < QApplication::startDragDistance())
                return false;
            FMoviendo = true;
            if (FWidget && FWidget->windowHandle() && FWidget->windowHandle()->startSystemMove()) {
                Terminar();
                return true;
            }
        }
        if (FWidget)
            FWidget->move(FInicioWidget + global - FInicioRaton);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const bool seMovio = FMoviendo;
            Terminar();
            return seMovio; // a release without a move is an ordinary click
        }
        return false;
    default:
        return false;
    }
}

void ArrastreRaton::Terminar() {
    qApp->removeEventFilter(this);
    if (gActual == this)
        gActual = nullptr;
    auto alTerminar = std::move(FAlTerminar);
    const bool vivo = !FWidget.isNull();
    deleteLater();
    if (vivo && alTerminar)
        alTerminar();
}
