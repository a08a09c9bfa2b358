#include "app/CapasNotas.h"

#include <QChildEvent>
#include <QRegion>
#include <QWidget>

namespace {

// A mask that takes no click: a point outside the layer. An empty region would mean no
// mask at all, the whole layer.
const QRect kNingunPunto(-1, -1, 1, 1);

// The area a note covers on its layer, its own mask included.
QRegion AreaDe(const QWidget* nota) {
    const QRegion mascara = nota->mask();
    return mascara.isEmpty() ? QRegion(nota->geometry()) : mascara.translated(nota->pos());
}

// By halves: adding one area at a time to a growing region would cost the square.
QRegion Union(const QList<QRegion>& areas, qsizetype desde, qsizetype hasta) {
    if (hasta - desde == 1)
        return areas[desde];
    const qsizetype medio = (desde + hasta) / 2;
    return Union(areas, desde, medio).united(Union(areas, medio, hasta));
}

// One layer: as large as the board, transparent, masked to the notes it holds. A note that
// moves, grows or shows is added to the mask at once, so it is painted and clicked where it
// is; where the mask may shrink (a note moved, hidden or gone) it is worked out whole once
// control returns to the event loop, before the next paint (paints are posted with low
// priority).
class CapaNotas : public QWidget {
public:
    explicit CapaNotas(QWidget* tablero) : QWidget(tablero) {
        setGeometry(tablero->rect());
        setMask(kNingunPunto);
    }

    int Notas() const { return int(children().size()); }

protected:
    bool event(QEvent* evento) override {
        switch (evento->type()) {
        case QEvent::ChildAdded:
            // Its Show event adds it to the mask.
            static_cast<QChildEvent*>(evento)->child()->installEventFilter(this);
            break;
        case QEvent::ChildRemoved:
            Programar();
            break;
        case QEvent::Show:
            FMostrada = true;
            Actualizar();
            break;
        case QEvent::Hide:
            FMostrada = false;
            break;
        default:
            break;
        }
        return QWidget::event(evento);
    }

    bool eventFilter(QObject* nota, QEvent* evento) override {
        if (nota->parent() != this) {
            // It moved to another layer.
            nota->removeEventFilter(this);
            return false;
        }
        auto* widget = static_cast<QWidget*>(nota);
        switch (evento->type()) {
        case QEvent::Show:
            Agrandar(widget);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            // A hidden note is not in the mask; a shown one may leave its old place.
            if (widget->isHidden())
                break;
            Agrandar(widget);
            Programar();
            break;
        case QEvent::Hide:
            Programar();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Agrandar(const QWidget* nota) {
        // While the layer is being shown, its own Show event comes after its notes' and
        // works out the whole mask.
        if (!FMostrada || nota->isHidden())
            return;
        const QRegion antes = mask();
        const QRegion despues = antes.united(AreaDe(nota));
        if (despues != antes)
            setMask(despues);
    }

    void Programar() {
        if (FProgramada)
            return;
        FProgramada = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (FProgramada)
                    Actualizar();
            },
            Qt::QueuedConnection);
    }

    void Actualizar() {
        FProgramada = false;
        QList<QRegion> areas;
        for (QObject* hijo : children()) {
            auto* nota = qobject_cast<QWidget*>(hijo);
            if (nota && !nota->isHidden())
                areas.append(AreaDe(nota));
        }
        setMask(areas.isEmpty() ? QRegion(kNingunPunto) : Union(areas, 0, areas.size()));
    }

    bool FProgramada = false;
    bool FMostrada = false;
};

CapaNotas* ComoCapa(QWidget* widget) {
    return widget ? dynamic_cast<CapaNotas*>(widget) : nullptr;
}

// The note moves to another layer with its visibility.
void Mover(QWidget* nota, QWidget* capa) {
    if (nota->parentWidget() == capa)
        return;
    const bool oculta = nota->isHidden();
    nota->setParent(capa);
    nota->setVisible(!oculta);
}

} // namespace

CapasNotas::CapasNotas(QWidget* tablero) : QObject(tablero), FTablero(tablero) {
    // Notes are opaque, so Qt would move one by copying its pixels; under a transparent layer
    // it then leaves the old place unpainted. Qt reads this once, at the first move shown.
    if (!qEnvironmentVariableIsSet("QT_NO_FAST_MOVE"))
        qputenv("QT_NO_FAST_MOVE", "1");
    tablero->installEventFilter(this);
}

QList<QWidget*> CapasNotas::Hijos() const {
    QList<QWidget*> hijos;
    for (QObject* hijo : FTablero->children()) {
        auto* widget = qobject_cast<QWidget*>(hijo);
        if (widget && !widget->isWindow())
            hijos.append(widget);
    }
    return hijos;
}

QWidget* CapasNotas::HijoDeArriba(QWidget** encima) const {
    const QObjectList& hijos = FTablero->children();
    for (auto it = hijos.crbegin(); it != hijos.crend(); ++it) {
        auto* widget = qobject_cast<QWidget*>(*it);
        if (!widget || widget->isWindow())
            continue;
        if (!FEncima.contains(widget))
            return widget;
        if (encima)
            *encima = widget;
    }
    return nullptr;
}

QWidget* CapasNotas::HijoDeAbajo() const {
    for (QObject* hijo : FTablero->children())
        if (auto* widget = qobject_cast<QWidget*>(hijo); widget && !widget->isWindow())
            return widget;
    return nullptr;
}

QWidget* CapasNotas::NuevaCapa() {
    auto* capa = new CapaNotas(FTablero);
    capa->setAccessibleName(QStringLiteral("Notas"));
    capa->setVisible(!FCargando);
    return capa;
}

QWidget* CapasNotas::CapaArriba() {
    QWidget* encima = nullptr;
    CapaNotas* capa = ComoCapa(HijoDeArriba(&encima));
    if (capa && capa->Notas() < kNotasPorCapa)
        return capa;
    QWidget* nueva = NuevaCapa(); // the newest child is the topmost
    if (encima)
        nueva->stackUnder(encima);
    return nueva;
}

void CapasNotas::FijarEncima(const QList<QWidget*>& piezas) {
    FEncima = piezas;
}

void CapasNotas::SubirEncima(const QList<QWidget*>& piezas) {
    FijarEncima(piezas);
    QList<QWidget*> arriba;
    const QObjectList& hijos = FTablero->children();
    for (auto it = hijos.crbegin(); it != hijos.crend() && arriba.size() < piezas.size(); ++it)
        if (auto* widget = qobject_cast<QWidget*>(*it); widget && !widget->isWindow())
            arriba.prepend(widget);
    if (arriba == piezas)
        return;
    for (QWidget* pieza : piezas)
        pieza->raise();
    // The layer a raised note went to may now lie next to the one below it.
    Compactar();
}

QWidget* CapasNotas::CapaAbajo() {
    CapaNotas* capa = ComoCapa(HijoDeAbajo());
    if (capa && capa->Notas() < kNotasPorCapa)
        return capa;
    QWidget* nueva = NuevaCapa();
    nueva->lower();
    return nueva;
}

void CapasNotas::AlFrente(QWidget* nota) {
    // Already in the topmost layer: no layer changes.
    if (HijoDeArriba() != nota->parentWidget())
        Mover(nota, CapaArriba());
    nota->raise();
    Compactar();
}

void CapasNotas::AlFondo(QWidget* nota) {
    if (HijoDeAbajo() != nota->parentWidget())
        Mover(nota, CapaAbajo());
    nota->lower();
    Compactar();
}

void CapasNotas::Compactar() {
    CapaNotas* anterior = nullptr;
    for (QWidget* hijo : Hijos()) {
        CapaNotas* capa = ComoCapa(hijo);
        if (capa && capa->Notas() == 0) {
            delete capa; // masked to nothing: it paints nothing when it goes
            continue;
        }
        if (capa && anterior && anterior->Notas() + capa->Notas() <= kNotasPorCapa) {
            // The smaller one moves: above the lower layer's notes, or below the upper's.
            if (capa->Notas() <= anterior->Notas()) {
                for (QObject* nota : capa->children())
                    Mover(static_cast<QWidget*>(nota), anterior);
                delete capa;
                continue;
            }
            const QObjectList abajo = anterior->children();
            for (auto it = abajo.crbegin(); it != abajo.crend(); ++it) {
                auto* nota = static_cast<QWidget*>(*it);
                Mover(nota, capa);
                nota->lower();
            }
            delete anterior;
        }
        anterior = capa;
    }
}

void CapasNotas::EmpezarCarga() {
    FCargando = true;
}

void CapasNotas::TerminarCarga() {
    FCargando = false;
    for (QWidget* hijo : Hijos())
        if (ComoCapa(hijo))
            hijo->show();
}

QList<QWidget*> CapasNotas::Pila() const {
    QList<QWidget*> pila;
    for (QWidget* hijo : Hijos()) {
        if (!ComoCapa(hijo)) {
            pila.append(hijo);
            continue;
        }
        for (QObject* nota : hijo->children())
            if (auto* widget = qobject_cast<QWidget*>(nota))
                pila.append(widget);
    }
    return pila;
}

bool CapasNotas::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == FTablero && evento->type() == QEvent::Resize)
        for (QWidget* hijo : Hijos())
            if (ComoCapa(hijo))
                hijo->setGeometry(FTablero->rect());
    return false;
}
