// The expired-notes dialog at start-up, and again whenever notes come due while the board runs.
#include "app/Pinaco.h"

#include "core/NotasCaducadas.h"
#include "core/VigiaCaducadas.h"
#include "notes/FrmNotaCaduca.h"

#include <QApplication>
#include <QSet>

namespace {

// How often an announcement looks again whether the dialogs in its way have closed.
constexpr int kReintentoAnuncioMs = 250;

} // namespace

void TPinaco::CrearVigia() {
    FVigia = new VigiaCaducadas([this] { return FModelo.Registros(); }, this);
    connect(FVigia, &VigiaCaducadas::NotasCaducadas, this, &TPinaco::AnunciarCaducadas);
    TimerAnunciar.setSingleShot(true);
    connect(&TimerAnunciar, &QTimer::timeout, this, &TPinaco::AnunciarPendientes);
}

void TPinaco::IniciarVigia() {
    // What is due today the start-up shows; the watch takes over from there.
    FVigia->Iniciar(FVigia->Hoy());
}

void TPinaco::DetenerVigia() {
    FVigia->Detener();
    TimerAnunciar.stop();
    FPorAnunciar.clear();
}

void TPinaco::ComprobarNotasCaducadas() {
    // Looked at note by note first: a board of many notes, none due, makes no list of them.
    const QDate hoy = Vigia().Hoy();
    bool alguna = false;
    for (qsizetype i = 0; i < FModelo.Cuenta() && !alguna; ++i)
        alguna = NotaCaducada(FModelo.DatosEn(i), hoy);
    if (!alguna)
        return;
    ::ComprobarNotasCaducadas([this] { return FModelo.Registros(); },
                              [this](IdNota id) { BorrarNota(id); }, Config.AvisoNotaCaducada,
                              Config.AvisoNotaCaducadaWAV, this, [this] { return Vigia().Hoy(); });
}

void TPinaco::AnunciarCaducadas(const QList<IdNota>& ids) {
    if (FCerrando || !FArchivosCargados)
        return;
    for (IdNota id : ids)
        if (!FPorAnunciar.contains(id))
            FPorAnunciar.append(id);
    // From the event loop: the watch's timer is not held by a modal dialog.
    if (!FPorAnunciar.isEmpty() && !TimerAnunciar.isActive())
        TimerAnunciar.start(0);
}

void TPinaco::AnunciarPendientes() {
    if (FCerrando || !FArchivosCargados || FPorAnunciar.isEmpty())
        return;
    // Never on top of another dialog (the expired notes' own too) or an open menu: the
    // notes wait until these are gone.
    if (FAnunciando || QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        TimerAnunciar.start(kReintentoAnuncioMs);
        return;
    }
    const QList<IdNota> pendientes = std::exchange(FPorAnunciar, {});
    const QSet<IdNota> ids(pendientes.begin(), pendientes.end());
    // Read from the board at every step: a note deleted meanwhile is not shown.
    const LeerRegistros anunciadas = [this, ids] {
        QList<RegistroNota> notas;
        for (qsizetype i = 0; i < FModelo.Cuenta(); ++i)
            if (ids.contains(FModelo.En(i)))
                notas.append({FModelo.En(i), FModelo.DatosEn(i)});
        return notas;
    };
    FAnunciando = true;
    ::ComprobarNotasCaducadas(
        anunciadas, [this](IdNota id) { BorrarNota(id); }, Config.AvisoNotaCaducada,
        Config.AvisoNotaCaducadaWAV, this, [this] { return Vigia().Hoy(); });
    FAnunciando = false;
    // Due while the dialog was open: shown next, in a dialog of their own.
    if (!FPorAnunciar.isEmpty() && !FCerrando)
        TimerAnunciar.start(0);
}
