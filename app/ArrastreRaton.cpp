#include "app/ArrastreRaton.h"

#include <QApplication>
#include <QMouseEvent>

namespace {
ArrastreRaton* gActual = nullptr;
}

void ArrastreRaton::Iniciar(QWidget* widget, QPoint globalInicial,
                            std::function<void()> alTerminar) {
    if (gActual)
        gActual->Terminar();
    gActual = new ArrastreRaton(widget, globalInicial, std::move(alTerminar));
}

bool ArrastreRaton::EnCurso() {
    return gActual != nullptr;
}

ArrastreRaton::ArrastreRaton(QWidget* widget, QPoint globalInicial,
                             std::function<void()> alTerminar)
    : FWidget(widget), FInicioRaton(globalInicial), FInicioWidget(widget->pos()),
      FAlTerminar(std::move(alTerminar)) {
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
        if (FWidget)
            FWidget->move(FInicioWidget + e->globalPosition().toPoint() - FInicioRaton);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Terminar();
            return true;
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
