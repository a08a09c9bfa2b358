#pragma once
// Whether a note or a round button draws its focus mark: only when the keyboard brought the
// focus there, so a click does not leave a frame around it.
#include <QFocusEvent>
#include <QWidget>

namespace foco_visible {
// Set by the keys on a widget focused while a dialog still holds the window: the focus
// arrives when the board is active again, as a window's, not as the keys'.
inline constexpr char kPendiente[] = "pinacoMarcaDeFocoPendiente";
} // namespace foco_visible

inline void EnfocarConTeclado(QWidget* widget) {
    widget->setProperty(foco_visible::kPendiente, true);
    widget->setFocus(Qt::OtherFocusReason);
}

// What the mark is after this focus event, from what it was.
inline bool MarcaDeFocoVisible(QWidget* widget, const QFocusEvent* evento, bool antes) {
    const bool pendiente = widget->property(foco_visible::kPendiente).toBool();
    widget->setProperty(foco_visible::kPendiente, QVariant());
    switch (evento->reason()) {
    case Qt::MouseFocusReason:
    case Qt::PopupFocusReason:
        return false;
    case Qt::ActiveWindowFocusReason:
        return antes || pendiente;
    default:
        return true;
    }
}
