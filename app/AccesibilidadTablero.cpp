#include "app/AccesibilidadTablero.h"

#include "app/BotonRedondo.h"
#include "core/BusquedaNotas.h"
#include "notes/Nota.h"

#include <QAccessibleWidget>
#include <QDate>

namespace {

class NotaAccesible : public QAccessibleWidget {
public:
    explicit NotaAccesible(TNota* nota) : QAccessibleWidget(nota, QAccessible::Note) {}

    QString text(QAccessible::Text t) const override {
        const auto* nota = static_cast<const TNota*>(widget());
        switch (t) {
        case QAccessible::Name:
            // As much as the search table shows: a megabyte is no name to read out.
            return nota->Texto().left(kLetrasVisibles);
        case QAccessible::Description:
            return DescripcionNota(nota->Datos());
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

class BotonAccesible : public QAccessibleWidget {
public:
    explicit BotonAccesible(BotonRedondo* boton) : QAccessibleWidget(boton, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& accion) override {
        if (accion == pressAction())
            static_cast<BotonRedondo*>(widget())->Pulsar();
        else
            QAccessibleWidget::doAction(accion);
    }
};

QAccessibleInterface* Fabrica(const QString&, QObject* objeto) {
    if (auto* nota = qobject_cast<TNota*>(objeto))
        return new NotaAccesible(nota);
    if (auto* boton = dynamic_cast<BotonRedondo*>(objeto))
        return new BotonAccesible(boton);
    return nullptr;
}

} // namespace

void InstalarAccesibilidadTablero() {
    static const bool instalada = [] {
        QAccessible::installFactory(Fabrica);
        return true;
    }();
    Q_UNUSED(instalada);
}

QString DescripcionNota(const DatosNota& datos) {
    QString chincheta;
    switch (datos.ColorChincheta) {
    case TColorChincheta::None:
        chincheta = QStringLiteral("Sin chincheta");
        break;
    case TColorChincheta::Net:
        chincheta = QStringLiteral("Nota recibida de %1")
                        .arg(datos.ReceivedFromUser.isEmpty()
                                 ? datos.ReceivedFromIP
                                 : QStringLiteral("%1 (%2)").arg(datos.ReceivedFromUser,
                                                                 datos.ReceivedFromIP));
        break;
    default:
        chincheta = QStringLiteral("Chincheta %1").arg(NombreColor[int(datos.ColorChincheta)]);
    }
    const QDate caduca(datos.YearExpires, datos.MonthExpires, datos.DayExpires);
    if (!caduca.isValid())
        return chincheta;
    return QStringLiteral("%1. Caduca el %2").arg(chincheta, caduca.toString(u"dd/MM/yyyy"));
}
