#pragma once
// A board for the dialog tests: real notes on a plain widget, and a count of what the
// dialogs asked of it.
#include "core/ListaNotas.h"
#include "notes/Nota.h"
#include "notes/TableroNotas.h"
#include "resources/ImagenesPinaco.h"

#include <QDate>
#include <QWidget>

class TableroFalso : public TableroNotas {
public:
    TableroFalso() { Pinaco.resize(640, 480); }
    ~TableroFalso() override {
        for (TNota* nota : Lista.QuitarTodas())
            delete nota;
    }

    TNota* Agregar(const QString& texto, QDate creada, QDate limite,
                   TColorChincheta chincheta = TColorChincheta::Rojo) {
        auto* nota = new TNota(&Pinaco);
        nota->AsignarImagenes(ImagenesPinaco::imglChinchetas(), ImagenesPinaco::imglAgarradera());
        nota->setColorChincheta(chincheta);
        nota->setTexto(texto);
        nota->setDayCreated(quint8(creada.day()));
        nota->setMonthCreated(quint8(creada.month()));
        nota->setYearCreated(creada.year());
        nota->setDayExpires(quint8(limite.day()));
        nota->setMonthExpires(quint8(limite.month()));
        nota->setYearExpires(limite.year());
        const int i = int(Lista.Cuenta());
        nota->setGeometry(20 + 30 * (i % 12), 20 + 20 * (i % 12), 120, 160);
        nota->raise();
        nota->show();
        Lista.Agregar(nota);
        return nota;
    }

    // The notes in stacking order, topmost first.
    QList<TNota*> Apilado() const {
        QList<TNota*> apilado;
        for (QObject* hijo : Pinaco.children())
            if (auto* nota = qobject_cast<TNota*>(hijo))
                apilado.prepend(nota);
        return apilado;
    }
    QList<TNota*> Orden() const { return {Lista.begin(), Lista.end()}; }

    const ListaNotas& Notas() const override { return Lista; }
    void NotaAlFrente(TNota* nota) override {
        ++AlFrente;
        nota->raise();
        Lista.AlFrente(nota);
    }
    void SubirNota(TNota* nota) override { nota->raise(); }
    void MarcarNotasCambiadas() override { ++Cambios; }
    void BorrarNota(TNota* nota) override {
        if (!Lista.Quitar(nota))
            return;
        nota->hide();
        nota->deleteLater();
    }
    void ReordenarNotas(const QList<TNota*>& orden) override {
        ++Reordenados;
        Lista.Reordenar(orden);
        for (auto it = orden.crbegin(); it != orden.crend(); ++it)
            (*it)->raise();
    }
    QWidget* Ventana() override { return &Pinaco; }

    QWidget Pinaco;
    ListaNotas Lista;
    int Cambios = 0;
    int Reordenados = 0;
    int AlFrente = 0;
};
