#pragma once
// The expired-notes dialog of the board: at start-up for every note due, and again whenever
// notes come due while the board runs, once no other dialog or menu is in the way.
#include "core/RegistroNota.h"
#include "core/VigiaCaducadas.h"

#include <QObject>
#include <QTimer>

struct Configuracion;
class ModeloNotas;
class QWidget;

class AnuncioCaducadas : public QObject {
public:
    // The board's notes, settings and delete action outlive this object, a child of it.
    AnuncioCaducadas(QWidget& tablero, const ModeloNotas& notas, const Configuracion& config,
                     AccionNota borrar);

    // Once the files are read: what is due today the start-up shows, the watch takes over
    // from there.
    void Iniciar();
    // The start-up's dialog, for every note due now.
    void ComprobarTodas();
    // The board is closing: nothing more is announced.
    void Detener();
    VigiaCaducadas& Vigia() { return FVigia; }

private:
    void Anunciar(const QList<IdNota>& ids);
    void AnunciarPendientes();
    // The dialog over the notes `notas` lists, read anew at every step.
    void Mostrar(const LeerRegistros& notas);

    QWidget& FTablero;
    const ModeloNotas& FNotas;
    const Configuracion& FConfig;
    AccionNota FBorrar;
    VigiaCaducadas FVigia;
    // Due notes waiting for the dialogs open now to close.
    QList<IdNota> FPorAnunciar;
    QTimer FTimer;
    bool FAnunciando = false;
    bool FActivo = false;
};
