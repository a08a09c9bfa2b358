// What the board does with its notes: creating, moving, resizing, stacking, deleting.
#include "app/ArrastreRaton.h"
#include "app/CapasNotas.h"
#include "app/FondoCorcho.h"
#include "app/IdsNotas.h"
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
#include "notes/FrmOrganizarNotas.h"
#include "notes/FrmVerNotaNet.h"
#include "notes/Nota.h"

#include <QCursor>
#include <QDate>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

namespace {

QList<QRect> Rectangulos(const ListaNotas& notas, qsizetype desde = 0) {
    QList<QRect> r;
    r.reserve(notas.Cuenta() - desde);
    for (qsizetype i = desde; i < notas.Cuenta(); ++i)
        r.append(notas.En(i)->geometry());
    return r;
}

} // namespace

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
    PopupMenuFondo->addSeparator();
    PopupMenuFondo->addAction(QStringLiteral("Acerca &de"), this, &TPinaco::mnuFondoAboutClick);
}

TNota* TPinaco::CrearNota(bool Visible) {
    const QList<QRect> ocupadas = Rectangulos(FListaNotas);
    TNota* nota = NuevaNota(Visible);
    nota->move(PosicionLibre(ocupadas, nota->width(), nota->height()));
    AjustarNotasAlPinaco(nota);
    return nota;
}

TNota* TPinaco::NuevaNota(bool Visible, bool AlFondo) {
    MarcarNotasCambiadas();
    // Made in place: the newest child of its layer is its top one.
    auto* nota = new TNota(AlFondo ? FCapas->CapaAbajo() : FCapas->CapaArriba());
    if (AlFondo)
        nota->lower();
    nota->setVisible(Visible);
    nota->setGeometry(-200, -200, 120, 160);
    nota->AsignarImagenes(imglChinchetas, imglAgarradera);
    FListaNotas.Agregar(nota);

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

    const QDate hoy = QDate::currentDate();
    nota->setDayCreated(quint8(hoy.day()));
    nota->setDayExpires(quint8(hoy.day()));
    nota->setMonthCreated(quint8(hoy.month()));
    nota->setMonthExpires(quint8(hoy.month()));
    nota->setYearCreated(hoy.year());
    nota->setYearExpires(hoy.year());
    return nota;
}

void TPinaco::NotaAlFrente(TNota* nota) {
    SubirNota(nota);
    nota->update();
    FListaNotas.AlFrente(nota);
}

void TPinaco::SubirNota(TNota* nota) {
    FCapas->AlFrente(nota);
}

QList<QWidget*> TPinaco::Apilado() const {
    return FCapas->Pila();
}

void TPinaco::AnadirNota() {
    QPointer<TNota> nota = CrearNota(false);
    NotaAlFrente(nota);
    EditarNota(nota, true);
    if (nota && FListaNotas.Contiene(nota))
        nota->setVisible(true);
}

void TPinaco::EditarNota(TNota* nota, bool EsNueva) {
    QPointer<TNota> viva(nota);
    if (nota->ColorChincheta() == TColorChincheta::Net) {
        TfrmVerNotaNet visor(this);
        visor.CargarNotaEnVisor(nota->Datos(), FListaIP.NombreDeIP(nota->ReceivedFromIP()));
        if (visor.exec() == QDialog::Accepted && viva)
            AsignarEdicion(viva, visor.Datos());
    } else {
        TfrmConfigNota editor(nota->Datos(), EsNueva, this);
        const bool aceptado = editor.exec() == QDialog::Accepted;
        if (aceptado && viva)
            AsignarEdicion(viva, editor.Datos());
        // A new note the user cancelled is discarded; it is the current note.
        if (!aceptado && EsNueva && viva && FListaNotas.Primero() == nota)
            BorrarNotaActual();
    }
    MarcarNotasCambiadas();
}

void TPinaco::AsignarEdicion(TNota* nota, DatosNota editada) {
    // Place, size and shade are the board's: they may have changed while the dialog was open.
    const DatosNota actual = nota->Datos();
    editada.Left = actual.Left;
    editada.Top = actual.Top;
    editada.Width = actual.Width;
    editada.Height = actual.Height;
    editada.ColorNW = actual.ColorNW;
    nota->AsignarDatos(editada);
}

void TPinaco::BorrarNotaActual() {
    if (TNota* nota = FListaNotas.QuitarPrimero())
        DestruirNota(nota);
}

void TPinaco::BorrarNota(TNota* nota) {
    if (FListaNotas.Quitar(nota))
        DestruirNota(nota);
}

void TPinaco::DestruirNota(TNota* nota) {
    // Deferred: the note may be inside one of its own event handlers.
    nota->hide();
    nota->OnMouseDown = nullptr;
    nota->OnMouseUp = nullptr;
    nota->OnDblClick = nullptr;
    nota->OnAgarraderaMouseMove = nullptr;
    nota->deleteLater();
}

void TPinaco::ReordenarNotas(const QList<TNota*>& orden) {
    FListaNotas.Reordenar(orden);
    // Stack from the bottom up so the head ends on top.
    for (auto it = orden.crbegin(); it != orden.crend(); ++it)
        FCapas->AlFrente(*it);
    BotonesAlFrente();
}

void TPinaco::AjustarNotasAlPinaco(TNota* solo) {
    const auto ajustar = [this](TNota* nota) {
        nota->setGeometry(DentroDelPinaco(nota->geometry(), width(), height(), Config.TipoPinaco));
    };
    if (solo)
        ajustar(solo);
    else
        for (TNota* nota : FListaNotas)
            ajustar(nota);
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
    const QList<QRect> rectangulos = Rectangulos(FListaNotas);
    const std::span<const QRect> todas(rectangulos.constData(), size_t(rectangulos.size()));
    for (qsizetype i = 0; i < FListaNotas.Cuenta(); ++i)
        FListaNotas.En(i)->setColorNW(Solapada(todas[i], todas.subspan(i + 1)) ? kColorSombra
                                                                               : kColorBlanco);
}

DatosNota TPinaco::ColocarNotaRecibida(const DatosNota& recibida) {
    // The other notes stay where they are while this one steps off them.
    const QList<QRect> otras = Rectangulos(FListaNotas);
    const std::span<const QRect> resto(otras.constData(), size_t(otras.size()));
    const DatosNota datos = LugarNotaRecibida(recibida, resto, size(), Config.TipoPinaco);
    TNota* nota = NuevaNota(false);
    nota->AsignarDatos(datos);
    NotaAlFrente(nota);
    BotonesAlFrente();
    // On top, only its own shade can change: the others' look only at the notes below them.
    nota->setColorNW(Solapada(nota->geometry(), resto) ? kColorSombra : kColorBlanco);
    nota->setVisible(true);
    return nota->Datos();
}

bool TPinaco::NotaSolapada(qsizetype indice) const {
    if (indice < 0 || indice >= FListaNotas.Cuenta())
        return false;
    const QList<QRect> posteriores = Rectangulos(FListaNotas, indice + 1);
    return Solapada(FListaNotas.En(indice)->geometry(),
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
    if (TNota* nota = FListaNotas.Primero())
        EditarNota(nota, false);
}

void TPinaco::mnuNotaBorrarClick() {
    TNota* nota = FListaNotas.Primero();
    if (!nota)
        return;
    if (Config.ConfirmarBorrarNota) {
        // While the box is open a received note may come to the head: the one shown goes.
        QPointer<TNota> mostrada(nota);
        TfrmEliminarNota dialogo(nota->Datos(), this);
        if (dialogo.exec() == QDialog::Accepted && mostrada)
            BorrarNota(mostrada);
    } else {
        BorrarNotaActual();
    }
    MarcarNotasCambiadas();
}

void TPinaco::mnuNotaEnviarClick() {
    // The note the menu was opened on is at the head of the list.
    const TNota* nota = FListaNotas.Primero();
    if (!nota)
        return;
    TfrmEnviarNotaRed dialogo(ListaDirecciones(), nota->Datos(),
                              Config.ActualizarPuertoAlEnviarNota
                                  ? std::optional<qint32>(Config.ServerPort)
                                  : std::nullopt,
                              this);
    dialogo.exec();
}

void TPinaco::mnuNotaAlFondoClick() {
    MarcarNotasCambiadas();
    TNota* nota = FListaNotas.Primero();
    if (!nota)
        return;
    FCapas->AlFondo(nota);
    ChartFondo->lower();
    FCapas->Compactar();
    FListaNotas.PrimeroAlFondo();
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
    QList<DatosNota> registros;
    registros.reserve(FListaNotas.Cuenta());
    for (const TNota* nota : FListaNotas)
        registros.append(nota->Datos());
    QList<TNota*> orden;
    orden.reserve(registros.size());
    for (const qsizetype i : OrdenOrganizado(registros, PorCreacion, Ascendente))
        orden.append(FListaNotas.En(i));
    if (!orden.isEmpty())
        ReordenarNotas(orden);
    MarcarNotasCambiadas();
}

void TPinaco::mnuFondoBuscarNotaClick() {
    IdsNotas ids;
    TfrmBuscarNota dialogo([&] { return ids.Registros(FListaNotas); },
                           [&](IdNota id) {
                               TNota* nota = ids.Nota(id);
                               // Gone, or taken off the board and waiting to be destroyed.
                               if (!nota || !FListaNotas.Contiene(nota))
                                   return;
                               SubirNota(nota);
                               nota->update();
                           },
                           this);
    dialogo.exec();
}
