#include "dialogs/TeclaBoton.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

class FiltroTecla : public QObject {
public:
    FiltroTecla(QWidget* campo, Qt::Key tecla, QAbstractButton* boton)
        : QObject(campo), FTecla(tecla), FBoton(boton) {}

    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(evento)->key() != FTecla || !FBoton)
            return false;
        FBoton->click();
        return true;
    }

private:
    Qt::Key FTecla;
    QPointer<QAbstractButton> FBoton;
};

} // namespace

void TeclaPulsaBoton(QWidget* campo, Qt::Key tecla, QAbstractButton* boton) {
    campo->installEventFilter(new FiltroTecla(campo, tecla, boton));
}
