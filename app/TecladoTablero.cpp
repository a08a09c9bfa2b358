#include "app/TecladoTablero.h"

#include "app/BotonRedondo.h"
#include "app/Pinaco.h"
#include "core/GeometriaNotas.h"
#include "notes/FocoVisible.h"
#include "notes/Nota.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

TecladoTablero::TecladoTablero(TPinaco& tablero, QList<BotonRedondo*> botones)
    : QObject(&tablero), FTablero(tablero), FBotones(std::move(botones)) {
    FTablero.installEventFilter(this);
}

TNota* TecladoTablero::DelTablero(TNota* nota) const {
    // A note being destroyed has left the model already.
    return nota && FTablero.Vista(nota->Id()) == nota ? nota : nullptr;
}

TNota* TecladoTablero::NotaEnfocada() const {
    return DelTablero(qobject_cast<TNota*>(QApplication::focusWidget()));
}

TNota* TecladoTablero::NotaVecina(const TNota* nota, bool adelante) const {
    const ModeloNotas& notas = FTablero.Notas();
    QList<QRect> rectangulos;
    rectangulos.reserve(notas.Cuenta());
    qsizetype actual = -1;
    for (qsizetype i = 0; i < notas.Cuenta(); ++i) {
        const TNota* n = FTablero.Vista(notas.En(i));
        if (n == nota)
            actual = i;
        // A hidden note is not reached, but the one being hidden still has its place.
        rectangulos.append(n && (n->isVisible() || n == nota) ? n->geometry() : QRect());
    }
    const qsizetype siguiente = NotaSiguienteEnLectura(
        {rectangulos.constData(), size_t(rectangulos.size())}, actual, adelante);
    return siguiente < 0 ? nullptr : FTablero.Vista(notas.En(siguiente));
}

bool TecladoTablero::MoverFoco(bool adelante) {
    QList<BotonRedondo*> botones;
    for (BotonRedondo* b : FBotones)
        if (b->isVisible())
            botones.append(b);
    if (!adelante)
        std::reverse(botones.begin(), botones.end());
    const auto primeraNota = [&] { return NotaVecina(nullptr, adelante); };
    QWidget* destino = nullptr;
    auto* foco = QApplication::focusWidget();
    const qsizetype boton = botones.indexOf(foco);
    if (TNota* nota = DelTablero(qobject_cast<TNota*>(foco)))
        destino = NotaVecina(nota, adelante);
    else if (boton >= 0 && boton + 1 < botones.size())
        destino = botones[boton + 1];
    else if (boton >= 0)
        destino = primeraNota();
    else if (!adelante)
        destino = primeraNota();
    // Past the notes, or with none, the ring starts again at the buttons.
    if (!destino && !botones.isEmpty())
        destino = botones.first();
    if (!destino)
        return false;
    Enfocar(destino, adelante);
    return true;
}

void TecladoTablero::Enfocar(QWidget* widget, bool adelante) {
    widget->setFocus(adelante ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool TecladoTablero::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == &FTablero && evento->type() == QEvent::KeyPress)
        return Tecla(static_cast<QKeyEvent*>(evento));
    return false;
}

bool TecladoTablero::Tecla(QKeyEvent* evento) {
    const int tecla = evento->key();
    const Qt::KeyboardModifiers mods = evento->modifiers() & ~Qt::KeypadModifier;
    if ((tecla == Qt::Key_N && mods == Qt::ControlModifier) ||
        (tecla == Qt::Key_Insert && mods == Qt::NoModifier)) {
        const qsizetype antes = FTablero.Notas().Cuenta();
        FTablero.AnadirNota();
        // The keys go on with the note just written, as they would in a list.
        if (FTablero.Notas().Cuenta() > antes)
            EnfocarConTeclado(FTablero.NotaActual());
        return true;
    }
    if (evento->matches(QKeySequence::Undo)) {
        if (TNota* recuperada = FTablero.RecuperarNotaBorrada())
            EnfocarConTeclado(recuperada);
        return true;
    }
    TNota* nota = NotaEnfocada();
    const bool menu = (tecla == Qt::Key_Menu && mods == Qt::NoModifier) ||
                      (tecla == Qt::Key_F10 && mods == Qt::ShiftModifier);
    if (menu && nota) {
        FTablero.NotaAlFrente(nota);
        AbrirMenu(FTablero.PopupMenuNota, nota);
        return true;
    }
    if (menu) {
        QWidget* foco = QApplication::focusWidget();
        AbrirMenu(FTablero.PopupMenuFondo, foco && foco->window() == &FTablero ? foco : nullptr);
        return true;
    }
    return nota && TeclaDeNota(nota, evento);
}

bool TecladoTablero::TeclaDeNota(TNota* nota, QKeyEvent* evento) {
    const Qt::KeyboardModifiers mods = evento->modifiers() & ~Qt::KeypadModifier;
    const int paso = mods & Qt::ControlModifier ? 1 : kPaso;
    const bool tamano = mods & Qt::ShiftModifier;
    switch (evento->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods != Qt::NoModifier)
            return false;
        FTablero.NotaAlFrente(nota);
        FTablero.EditarNota(nota, false);
        return true;
    case Qt::Key_Delete:
        if (mods != Qt::NoModifier)
            return false;
        BorrarNota(nota);
        return true;
    case Qt::Key_Left:
        MoverNota(nota, -paso, 0, tamano);
        return true;
    case Qt::Key_Right:
        MoverNota(nota, paso, 0, tamano);
        return true;
    case Qt::Key_Up:
        MoverNota(nota, 0, -paso, tamano);
        return true;
    case Qt::Key_Down:
        MoverNota(nota, 0, paso, tamano);
        return true;
    default:
        return false;
    }
}

void TecladoTablero::MoverNota(TNota* nota, int dx, int dy, bool cambiarTamano) {
    // As a drag or the grip would: in front, inside the board, shades redone, a save due.
    FTablero.NotaAlFrente(nota);
    if (cambiarTamano)
        nota->resize(qMax(nota->width() + dx, nota->MinWidth()),
                     qMax(nota->height() + dy, nota->MinHeight()));
    else
        nota->move(nota->pos() + QPoint(dx, dy));
    FTablero.AjustarNotasAlPinaco(nota);
    FTablero.ActualizarSombras();
    FTablero.MarcarNotasCambiadas();
}

void TecladoTablero::BorrarNota(TNota* nota) {
    // The focus goes on to the next note, as in a list, once this one is gone.
    QPointer<TNota> siguiente = NotaVecina(nota, true);
    if (!siguiente)
        siguiente = NotaVecina(nota, false);
    QPointer<TNota> viva(nota);
    FTablero.NotaAlFrente(nota);
    FTablero.mnuNotaBorrarClick();
    if (DelTablero(viva))
        return;
    if (DelTablero(siguiente))
        EnfocarConTeclado(siguiente);
    else
        FTablero.setFocus(Qt::OtherFocusReason);
}

void TecladoTablero::AbrirMenu(QMenu* menu, const QWidget* junto) {
    // At the widget the keys act on, a little inside it; else at the board's cork.
    const QPoint sitio = junto ? junto->mapToGlobal(QPoint(junto->width() / 4, junto->height() / 4))
                               : FTablero.mapToGlobal(QPoint(40, 70));
    menu->popup(sitio);
}
