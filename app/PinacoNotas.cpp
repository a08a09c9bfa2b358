// What the board does with its notes: creating, moving, resizing, stacking, deleting.
#include "app/ArrastreRaton.h"
#include "app/CapasNotas.h"
#include "app/FondoCorcho.h"
#include "app/PendientesTablero.h"
#include "app/Pinaco.h"
#include "app/RutasDatos.h"
#include "config/FrmConfigurarPinaco.h"
#include "config/PanelRed.h"
#include "core/GeometriaNotas.h"
#include "core/OrdenNotas.h"
#include "net/ServidorNotas.h"
#include "notes/FrmBuscarNota.h"
#include "notes/FrmConfigNota.h"
#include "notes/FrmEliminarNota.h"
#include "notes/FrmEnviarNotaRed.h"
#include "notes/FrmNotasPendientes.h"
#include "notes/FrmOrganizarNotas.h"
#include "notes/FrmVerNotaNet.h"
#include "notes/FuenteDeNota.h"
#include "notes/Nota.h"
#include "notes/VistasNotas.h"

#include <QAction>
#include <QCursor>
#include <QDate>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <cstdio>

void TPinaco::CrearMenus() {
    PopupMenuNota = new QMenu(this);
    PopupMenuNota->addAction(QStringLiteral("&Editar"), this, &TPinaco::mnuNotaEditarClick);
    PopupMenuNota->addAction(QStringLiteral("&Borrar"), this, &TPinaco::mnuNotaBorrarClick);
    PopupMenuNota->addAction(QStringLiteral("En&viar"), this, &TPinaco::mnuNotaEnviarClick);
    PopupMenuNota->addSeparator();
    PopupMenuNota->addAction(QStringLiteral("&Al fondo"), this, &TPinaco::mnuNotaAlFondoClick);

    PopupMenuFondo = new QMenu(this);
    PopupMenuFondo->addAction(QStringLiteral("&Añadir Nota"), this, &TPinaco::mnuFondoAddNotaClick);
    PopupMenuFondo->addAction(QStringLiteral("&Configurar Pinaco"), this,
                              &TPinaco::mnuFondoConfigPinacoClick);
    PopupMenuFondo->addAction(QStringLiteral("&Organizar Notas"), this,
                              &TPinaco::mnuFondoOrganizarClick);
    PopupMenuFondo->addAction(QStringLiteral("&Buscar Nota"), this,
                              &TPinaco::mnuFondoBuscarNotaClick);
    PopupMenuFondo->addAction(QStringLiteral("Notas &pendientes de envío"), this,
                              &TPinaco::mnuFondoPendientesClick);
    FAccionRecuperar = PopupMenuFondo->addAction(QStringLiteral("&Recuperar nota borrada"), this,
                                                 &TPinaco::RecuperarNotaBorrada);
    FAccionRecuperar->setShortcut(QKeySequence::Undo);
    connect(PopupMenuFondo, &QMenu::aboutToShow, this,
            [this] { FAccionRecuperar->setEnabled(!FPapelera.Vacia()); });
    PopupMenuFondo->addSeparator();
    PopupMenuFondo->addAction(QStringLiteral("Acerca &de"), this, &TPinaco::mnuFondoAboutClick);
}

TNota* TPinaco::CrearNota(bool Visible) {
    DatosNota datos = DatosDeNotaNueva();
    const QRect libre(PosicionLibre(FModelo.Geometrias(), datos.Width, datos.Height),
                      QSize(datos.Width, datos.Height));
    const QRect dentro = DentroDelPinaco(libre, width(), height(), Config.TipoPinaco);
    datos.Left = dentro.left();
    datos.Top = dentro.top();
    TNota* nota = AgregarNota(datos, Visible);
    BotonesAlFrente();
    return nota;
}

DatosNota TPinaco::DatosDeNotaNueva() {
    DatosNota datos;
    FuentePorDefecto(datos);
    const QDate hoy = QDate::currentDate();
    datos.DayCreated = datos.DayExpires = quint8(hoy.day());
    datos.MonthCreated = datos.MonthExpires = quint8(hoy.month());
    datos.YearCreated = datos.YearExpires = hoy.year();
    return datos;
}

TNota* TPinaco::AgregarNota(const DatosNota& datos, bool Visible) {
    TNota* nota = Vista(FModelo.Agregar(datos));
    nota->setVisible(Visible);
    return nota;
}

TNota* TPinaco::CrearVista(IdNota id) {
    // Made in place: the newest child of its layer is its top one.
    auto* nota =
        new TNota(FCargandoNotas ? FCapas->CapaAbajo() : FCapas->CapaArriba(), FModelo, id);
    if (FCargandoNotas)
        nota->lower();
    nota->setVisible(false);
    nota->AsignarImagenes(&imglChinchetas, &imglAgarradera);
    nota->OnMouseDown = [this](TNota* n, Qt::MouseButton b, Qt::MouseButtons s, int x, int y) {
        NotaMouseDown(n, b, s, x, y);
    };
    nota->OnMouseUp = [this](TNota* n, Qt::MouseButton b, Qt::MouseButtons, int, int) {
        NotaMouseUp(n, b);
    };
    nota->OnDblClick = [this](TNota* n) { NotaDblClick(n); };
    nota->OnAgarraderaMouseMove = [this](TNota* n, Qt::MouseButtons s, int x, int y) {
        NotaAgarraderaMouseMove(n, s, x, y);
    };
    return nota;
}

TNota* TPinaco::Vista(IdNota id) const {
    return FVistas ? FVistas->Vista(id) : nullptr;
}

void TPinaco::NotaAlFrente(TNota* nota) {
    SubirNota(nota);
    nota->update();
    FModelo.AlFrente(nota->Id());
}

void TPinaco::SubirNota(TNota* nota) {
    FCapas->AlFrente(nota);
}

QList<QWidget*> TPinaco::Apilado() const {
    return FCapas->Pila();
}

void TPinaco::AnadirNota() {
    TNota* nota = CrearNota(false);
    const IdNota id = nota->Id();
    NotaAlFrente(nota);
    EditarNota(nota, true);
    if (TNota* vista = Vista(id))
        vista->setVisible(true);
}

void TPinaco::EditarNota(TNota* nota, bool EsNueva) {
    // While a dialog is open a received note may come to the head, or this one may go.
    const IdNota id = nota->Id();
    const DatosNota datos = nota->Datos();
    std::optional<DatosNota> editada;
    if (datos.ColorChincheta == TColorChincheta::Net) {
        TfrmVerNotaNet visor(this);
        visor.CargarNotaEnVisor(datos, FListaIP.NombreDeIP(datos.ReceivedFromIP));
        if (visor.exec() == QDialog::Accepted)
            editada = visor.Datos();
    } else {
        TfrmConfigNota editor(datos, EsNueva, this);
        if (editor.exec() == QDialog::Accepted)
            editada = editor.Datos();
        else if (EsNueva)
            FModelo.Quitar(id); // a new note the user cancelled is discarded, not kept
    }
    if (editada)
        AsignarEdicion(id, *editada);
    MarcarNotasCambiadas();
}

void TPinaco::AsignarEdicion(IdNota id, DatosNota editada) {
    if (!FModelo.Contiene(id))
        return;
    // Place, size and shade are the board's: they may have changed while the dialog was open.
    const DatosNota& actual = FModelo.Datos(id);
    editada.Left = actual.Left;
    editada.Top = actual.Top;
    editada.Width = actual.Width;
    editada.Height = actual.Height;
    editada.ColorNW = actual.ColorNW;
    FModelo.Cambiar(id, editada);
}

void TPinaco::BorrarNotaActual() {
    BorrarNota(FModelo.Primero());
}

void TPinaco::BorrarNota(IdNota id) {
    const std::optional<DatosNota> borrada = FModelo.Quitar(id);
    if (borrada && FPapelera.Echar(*borrada) != ErrorArchivo::Ninguno)
        std::fprintf(stderr, "pinaco: no se pudo guardar la nota borrada en %s\n",
                     qPrintable(FPapelera.Ruta()));
}

TNota* TPinaco::RecuperarNotaBorrada() {
    const std::optional<DatosNota> nota = FPapelera.Sacar();
    if (!nota)
        return nullptr;
    TNota* vista = AgregarNota(*nota, true);
    NotaAlFrente(vista);
    // The board may have shrunk since.
    AjustarNotasAlPinaco(vista);
    ActualizarSombras();
    return vista;
}

void TPinaco::ReordenarNotas(const QList<IdNota>& orden) {
    if (!FModelo.Reordenar(orden))
        return;
    // Stack from the bottom up so the head ends on top.
    for (auto it = orden.crbegin(); it != orden.crend(); ++it)
        FCapas->AlFrente(Vista(*it));
    BotonesAlFrente();
}

void TPinaco::AjustarNotasAlPinaco(TNota* solo) {
    const auto dentro = [this](QRect nota) {
        return DentroDelPinaco(nota, width(), height(), Config.TipoPinaco);
    };
    if (solo) {
        // Where the user put it on the screen, which its record takes at last.
        solo->setGeometry(dentro(solo->geometry()));
        solo->GuardarGeometria();
    } else {
        for (qsizetype i = 0; i < FModelo.Cuenta(); ++i) {
            const DatosNota& d = FModelo.DatosEn(i);
            const QRect donde(d.Left, d.Top, d.Width, d.Height);
            if (dentro(donde) != donde)
                FModelo.CambiarGeometria(FModelo.En(i), dentro(donde));
        }
    }
    BotonesAlFrente();
}

void TPinaco::BotonesAlFrente() {
    // With the pieces kept above, a note brought to the front goes straight beneath them.
    if (Panel1 && Chart3)
        FCapas->SubirEncima(Config.NotasCanOverlapPinaco ? QList<QWidget*>{}
                                                         : QList<QWidget*>{Panel1, Chart3});
}

void TPinaco::ActualizarSombras() {
    // One list for every note: each looks only at the notes after it.
    const QList<QRect> rectangulos = FModelo.Geometrias();
    const std::span<const QRect> todas(rectangulos.constData(), size_t(rectangulos.size()));
    for (qsizetype i = 0; i < FModelo.Cuenta(); ++i) {
        const quint32 sombra =
            Solapada(todas[i], todas.subspan(i + 1)) ? kColorSombra : kColorBlanco;
        if (FModelo.DatosEn(i).ColorNW != sombra)
            FModelo.Modificar(FModelo.En(i), [sombra](DatosNota& d) { d.ColorNW = sombra; });
    }
}

DatosNota TPinaco::ColocarNotaRecibida(const DatosNota& recibida) {
    // The other notes stay where they are while this one steps off them.
    const QList<QRect> otras = FModelo.Geometrias();
    const std::span<const QRect> resto(otras.constData(), size_t(otras.size()));
    DatosNota datos = LugarNotaRecibida(recibida, resto, size(), Config.TipoPinaco);
    // On top, only its own shade can change: the others' look only at the notes below them.
    datos.ColorNW = Solapada({datos.Left, datos.Top, datos.Width, datos.Height}, resto)
                        ? kColorSombra
                        : kColorBlanco;
    TNota* nota = AgregarNota(datos, false);
    NotaAlFrente(nota);
    BotonesAlFrente();
    nota->setVisible(true);
    return nota->Registro();
}

bool TPinaco::NotaSolapada(qsizetype indice) const {
    if (indice < 0 || indice >= FModelo.Cuenta())
        return false;
    const QList<QRect> posteriores = FModelo.Geometrias(indice + 1);
    return Solapada(FModelo.Geometria(FModelo.En(indice)),
                    {posteriores.constData(), size_t(posteriores.size())});
}

void TPinaco::NotaMouseDown(TNota* nota, Qt::MouseButton, Qt::MouseButtons shift, int X, int Y) {
    if (FIgnorarPulsacionNota) {
        FIgnorarPulsacionNota = false;
        return;
    }
    if (!(shift & Qt::LeftButton))
        return;
    MarcarNotasCambiadas();
    NotaAlFrente(nota);
    ArrastreRaton::Iniciar(nota, nota->mapToGlobal(QPoint(X, Y)), [this, nota] {
        AjustarNotasAlPinaco(nota);
        ActualizarSombras();
    });
}

void TPinaco::NotaAgarraderaMouseMove(TNota* nota, Qt::MouseButtons shift, int X, int Y) {
    if (!(shift & Qt::LeftButton))
        return;
    nota->resize(qMax(X + 5, nota->MinWidth()), qMax(Y + 5, nota->MinHeight()));
    MarcarNotasCambiadas();
}

void TPinaco::NotaMouseUp(TNota* nota, Qt::MouseButton boton) {
    if (boton != Qt::RightButton)
        return;
    NotaAlFrente(nota);
    PopupMenuNota->popup(QCursor::pos() - QPoint(3, 3));
}

void TPinaco::NotaDblClick(TNota* nota) {
    FIgnorarPulsacionNota = true;
    NotaAlFrente(nota);
    EditarNota(nota, false);
}

void TPinaco::mnuNotaEditarClick() {
    if (TNota* nota = NotaActual())
        EditarNota(nota, false);
}

void TPinaco::mnuNotaBorrarClick() {
    const IdNota id = FModelo.Primero();
    if (id == kSinNota)
        return;
    // While the box is open a received note may come to the head: the one shown goes.
    if (!Config.ConfirmarBorrarNota)
        BorrarNota(id);
    else if (TfrmEliminarNota dialogo(FModelo.Datos(id), this); dialogo.exec() == QDialog::Accepted)
        BorrarNota(id);
    MarcarNotasCambiadas();
}

void TPinaco::mnuNotaEnviarClick() {
    // The note the menu was opened on is at the head of the list.
    const TNota* nota = NotaActual();
    if (!nota)
        return;
    TfrmEnviarNotaRed dialogo(ListaDirecciones(), nota->Datos(),
                              Config.ActualizarPuertoAlEnviarNota
                                  ? std::optional<qint32>(Config.ServerPort)
                                  : std::nullopt,
                              this, [this](const DestinoEnvio& destino, const DatosNota& datos) {
                                  if (FPendientes)
                                      FPendientes->Anadir(destino, datos);
                              });
    dialogo.exec();
}

void TPinaco::mnuFondoPendientesClick() {
    if (!FPendientes)
        return;
    TfrmNotasPendientes dialogo(FPendientes->Envios(), this);
    dialogo.exec();
}

void TPinaco::mnuNotaAlFondoClick() {
    MarcarNotasCambiadas();
    TNota* nota = NotaActual();
    if (!nota)
        return;
    FCapas->AlFondo(nota);
    ChartFondo->lower();
    FCapas->Compactar();
    FModelo.PrimeroAlFondo();
}

void TPinaco::ChartFondoMouseDown(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        PopupMenuFondo->popup(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (FIgnorarPulsacionFondo) {
        FIgnorarPulsacionFondo = false;
        return;
    }
    ArrastrarVentana();
}

void TPinaco::ChartFondoDblClick() {
    AnadirNota();
    FIgnorarPulsacionFondo = true;
}

void TPinaco::mnuFondoAddNotaClick() {
    AnadirNota();
}
void TPinaco::mnuFondoConfigPinacoClick() {
    // Named as the data files are; a relative name is taken from their folder.
    const QString log =
        QFileInfo(RutaJuntoAlPrograma(FRutaPrograma, QStringLiteral("LOG"))).fileName();
    TfrmConfigurarPinaco dialogo(
        Config, FListaIP, log, ArchivosDelTablero(),
        [this] {
            GuardarConfiguracion();
            AplicarConfiguracion();
        },
        this);
    connect(Server, &ServidorNotas::LibretaCambiada, dialogo.panelRed, &PanelRed::LibretaCambiada);
    dialogo.exec();
}
void TPinaco::mnuFondoOrganizarClick() {
    TfrmOrganizarNotas dialogo(this);
    if (dialogo.exec() == QDialog::Accepted)
        OrganizarNotas(dialogo.PorCreacion(), dialogo.Ascendente());
}

void TPinaco::OrganizarNotas(bool PorCreacion, bool Ascendente) {
    QList<IdNota> orden;
    orden.reserve(FModelo.Cuenta());
    for (const qsizetype i : OrdenOrganizado(FModelo.DatosEnOrden(), PorCreacion, Ascendente))
        orden.append(FModelo.En(i));
    if (!orden.isEmpty())
        ReordenarNotas(orden);
    MarcarNotasCambiadas();
}

void TPinaco::mnuFondoBuscarNotaClick() {
    TfrmBuscarNota dialogo([this] { return FModelo.Registros(); },
                           [this](IdNota id) {
                               if (TNota* nota = Vista(id)) {
                                   SubirNota(nota);
                                   nota->update();
                               }
                           },
                           this);
    dialogo.exec();
}
