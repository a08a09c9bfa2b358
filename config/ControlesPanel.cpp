#include "config/ControlesPanel.h"

#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

void MarcarRadios(std::initializer_list<std::pair<QRadioButton*, bool>> radios) {
    for (const auto& [radio, marcado] : radios)
        radio->setAutoExclusive(false);
    for (const auto& [radio, marcado] : radios)
        radio->setChecked(marcado);
    for (const auto& [radio, marcado] : radios)
        radio->setAutoExclusive(true);
}

QToolButton* CrearBotonHerramienta(QWidget* padre, QStyle::StandardPixmap icono,
                                   const QString& pista) {
    auto* boton = new QToolButton(padre);
    boton->setAutoRaise(true);
    boton->setIcon(padre->style()->standardIcon(icono));
    boton->setToolTip(pista);
    return boton;
}

QSize TamanoPanel(const QWidget* panel) {
    const QLayout* columna = panel->layout();
    const int ancho = qMax(kLadoPanel, columna->minimumSize().width());
    return {ancho, qMax(kLadoPanel, columna->totalHeightForWidth(ancho))};
}

QVBoxLayout* CrearColumnaPanel(QWidget* panel) {
    auto* columna = new QVBoxLayout(panel);
    columna->setContentsMargins(6, 6, 6, 6);
    columna->setSpacing(2);
    return columna;
}

void SepararGrupo(QVBoxLayout* columna) {
    columna->addSpacing(columna->parentWidget()->fontMetrics().height() / 3);
}

QHBoxLayout* AnadirFila(QVBoxLayout* columna, int sangria) {
    auto* fila = new QHBoxLayout;
    // The column's tight spacing is for rows; controls within a row keep the usual room.
    fila->setSpacing(6);
    if (sangria > 0)
        fila->addSpacing(sangria);
    columna->addLayout(fila);
    return fila;
}
