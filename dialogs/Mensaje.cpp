#include "dialogs/Mensaje.h"

#include <QApplication>

namespace {

RespondedorMensajes& Respondedor() {
    static RespondedorMensajes r;
    return r;
}

QMessageBox::Icon IconoQt(IconoMensaje icono) {
    switch (icono) {
    case IconoMensaje::Error:
        return QMessageBox::Critical;
    case IconoMensaje::Exclamacion:
        return QMessageBox::Warning;
    case IconoMensaje::Informacion:
        return QMessageBox::Information;
    case IconoMensaje::Pregunta:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton MostrarMensaje(QWidget* owner, const QString& titulo,
                                           const QString& texto, IconoMensaje icono,
                                           QMessageBox::StandardButtons botones,
                                           QMessageBox::StandardButton porDefecto) {
    if (Respondedor())
        return Respondedor()({titulo, texto, icono, botones, porDefecto});
    QMessageBox caja(IconoQt(icono), titulo, QString(texto).replace(u'\r', u'\n'), botones, owner);
    caja.setTextFormat(Qt::PlainText);
    if (porDefecto != QMessageBox::NoButton)
        caja.setDefaultButton(porDefecto);
    return QMessageBox::StandardButton(caja.exec());
}

void FijarRespondedorMensajes(RespondedorMensajes respondedor) {
    Respondedor() = std::move(respondedor);
}

bool DialogoAbierto() {
    return QApplication::activeModalWidget() || QApplication::activePopupWidget();
}
