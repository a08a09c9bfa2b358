#include "app/AnuncioCaducadas.h"

#include "core/Configuracion.h"
#include "core/ModeloNotas.h"
#include "core/NotasCaducadas.h"
#include "dialogs/Mensaje.h"
#include "notes/FrmNotaCaduca.h"

#include <QSet>
#include <QWidget>

AnuncioCaducadas::AnuncioCaducadas(QWidget& tablero, const ModeloNotas& notas,
                                   const Configuracion& config, AccionNota borrar)
    : QObject(&tablero), FTablero(tablero), FNotas(notas), FConfig(config),
      FBorrar(std::move(borrar)),
      FVigia([this](const VisitaNota& visita) { FNotas.Recorrer(visita); }) {
    connect(&FVigia, &VigiaCaducadas::NotasCaducadas, this, &AnuncioCaducadas::Anunciar);
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, &AnuncioCaducadas::AnunciarPendientes);
}

void AnuncioCaducadas::Iniciar() {
    FActivo = true;
    FVigia.Iniciar(FVigia.Hoy());
}

void AnuncioCaducadas::ComprobarTodas() {
    // Looked at note by note first: a board of many notes, none due, makes no list of them.
    const QDate hoy = FVigia.Hoy();
    bool alguna = false;
    for (qsizetype i = 0; i < FNotas.Cuenta() && !alguna; ++i)
        alguna = NotaCaducada(FNotas.DatosEn(i), hoy);
    if (alguna)
        Mostrar([this] { return FNotas.Registros(); });
}

void AnuncioCaducadas::Detener() {
    FActivo = false;
    FVigia.Detener();
    FTimer.stop();
    FPorAnunciar.clear();
}

void AnuncioCaducadas::Anunciar(const QList<IdNota>& ids) {
    if (!FActivo)
        return;
    for (IdNota id : ids)
        if (!FPorAnunciar.contains(id))
            FPorAnunciar.append(id);
    // From the event loop: the watch's timer is not held by a modal dialog.
    if (!FPorAnunciar.isEmpty() && !FTimer.isActive())
        FTimer.start(0);
}

void AnuncioCaducadas::AnunciarPendientes() {
    if (!FActivo || FPorAnunciar.isEmpty())
        return;
    // Never on top of another dialog (the expired notes' own too) or an open menu: the
    // notes wait until these are gone.
    if (FAnunciando || DialogoAbierto()) {
        FTimer.start(kEsperaDialogoMs);
        return;
    }
    const QList<IdNota> pendientes = std::exchange(FPorAnunciar, {});
    const QSet<IdNota> ids(pendientes.begin(), pendientes.end());
    // A note deleted meanwhile is not shown.
    Mostrar([this, ids] {
        QList<RegistroNota> notas;
        for (qsizetype i = 0; i < FNotas.Cuenta(); ++i)
            if (ids.contains(FNotas.En(i)))
                notas.append({FNotas.En(i), FNotas.DatosEn(i)});
        return notas;
    });
    // Due while the dialog was open: shown next, in a dialog of their own.
    if (!FPorAnunciar.isEmpty() && FActivo)
        FTimer.start(0);
}

void AnuncioCaducadas::Mostrar(const LeerRegistros& notas) {
    FAnunciando = true;
    ::ComprobarNotasCaducadas(notas, FBorrar, FConfig.AvisoNotaCaducada,
                              FConfig.AvisoNotaCaducadaWAV, &FTablero,
                              [this] { return FVigia.Hoy(); });
    FAnunciando = false;
}
