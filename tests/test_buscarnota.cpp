#include "TableroFalso.h"
#include "core/BusquedaNotas.h"
#include "notes/FrmBuscarNota.h"
#include "notes/Mensaje.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

namespace {

enum Pestana { PChincheta, PCreacion, PLimite, PTexto };
enum Columna { ColOrden, ColChincheta, ColCreacion, ColLimite, ColTexto };

const QDate kUnDia(2003, 2, 7);

// Answers every message box and keeps what it was asked.
struct Mensajes {
    QList<PeticionMensaje> Recibidos;
    Mensajes() {
        FijarRespondedorMensajes([this](const PeticionMensaje& p) {
            Recibidos.append(p);
            return QMessageBox::Ok;
        });
    }
    ~Mensajes() { FijarRespondedorMensajes({}); }
    QString Ultimo() const { return Recibidos.isEmpty() ? QString() : Recibidos.last().Texto; }
};

QStringList Columna(const TfrmBuscarNota& d, int columna) {
    QStringList textos;
    for (int fila = 0; fila < d.ListView->rowCount(); ++fila)
        textos.append(d.ListView->item(fila, columna)->text());
    return textos;
}

void ClicEnPestana(TfrmBuscarNota& d, int pestana) {
    QTest::mouseClick(d.Tab, Qt::LeftButton, {}, d.Tab->tabRect(pestana).center());
    QCOMPARE(d.Tab->currentIndex(), pestana);
}

void ClicEnCabecera(TfrmBuscarNota& d, int columna) {
    QHeaderView* cabecera = d.ListView->horizontalHeader();
    const QPoint punto(cabecera->sectionViewportPosition(columna) +
                           cabecera->sectionSize(columna) / 2,
                       cabecera->height() / 2);
    QTest::mouseClick(cabecera->viewport(), Qt::LeftButton, {}, punto);
}

void ClicYDobleClicEnFila(TfrmBuscarNota& d, int fila) {
    const QPoint centro = d.ListView->visualItemRect(d.ListView->item(fila, ColCreacion)).center();
    QTest::mouseClick(d.ListView->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {}, centro);
}

// Typed key by key; QTest's own typing knows only ASCII.
void Escribir(QLineEdit* edit, const QString& texto) {
    edit->clear();
    for (const QChar c : texto) {
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(edit->text(), texto);
}

int FilaSeleccionada(const TfrmBuscarNota& d) {
    const auto filas = d.ListView->selectionModel()->selectedRows();
    return filas.size() == 1 ? filas.first().row() : -1;
}

// Buscar, then Siguiente until a message ends it: that column of the rows found, in order.
QStringList Coincidencias(TfrmBuscarNota& d, Mensajes& m, int columna) {
    QStringList textos;
    m.Recibidos.clear();
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    while (m.Recibidos.isEmpty() && textos.size() <= d.ListView->rowCount()) {
        const int fila = FilaSeleccionada(d);
        textos.append(fila < 0 ? QString() : d.ListView->item(fila, columna)->text());
        QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    }
    return textos;
}

QString NoEsNumero(const QString& campo) {
    return QString("'%1' no es un número entero válido.").arg(campo);
}

} // namespace

class TestBuscarNota : public QObject {
    Q_OBJECT
private slots:
    void clavesDeOrden();
    void buscar_data();
    void buscar();
    void siguienteSigueLaBusqueda();
    void tableroSinNotas();
    void ordenarPorColumna_data();
    void ordenarPorColumna();
    void anchoDeLaColumnaTexto_data();
    void anchoDeLaColumnaTexto();
    void dobleClicAlFrente_data();
    void dobleClicAlFrente();
    void abreSinMarcaYReordenarVuelveArriba();
};

void TestBuscarNota::clavesDeOrden() {
    // Day first, so sorting by a date goes by the day of the month.
    QCOMPARE(ClaveDeFecha(7, 2, 2003), QString("07022003"));
    // Windows-1252 bytes: "€" is 80 and "ÿ" FF, though U+20AC is above U+00FF.
    QCOMPARE(CompararClaves("€", "ÿ"), -1);
    // Among equal keys the note nearer the tail comes first.
    QCOMPARE(OrdenDeFilas({"b", "a", "b", "a", "c"}), (QList<qsizetype>{3, 1, 2, 0, 4}));
}

void TestBuscarNota::buscar_data() {
    QTest::addColumn<int>("pestana");
    // On the date tabs: "<", "=" or ">" for the comparison, then day-month-year.
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QStringList>("encontradas"); // the cells of the tab's column or of Texto
    QTest::addColumn<QString>("error");
    const auto fila = [](const char* nombre, int pestana, const char* patron,
                         const QStringList& encontradas, const QString& error = QString()) {
        QTest::newRow(nombre) << pestana << QString::fromUtf8(patron) << encontradas << error;
    };
    fila("o, no Ninguna", PChincheta, "o", {"Rojo", "Amarillo", "Morado"});
    fila("net: las recibidas", PChincheta, "net", {"Net", "Net"});
    fila("chincheta sin mayúsculas", PChincheta, "NINGUNA", {"Ninguna"});
    fila("texto sin acentos ni mayúsculas", PTexto, "cancion", {"CANCION de cuna", "Una canción"});
    fila("eñe", PTexto, "AÑO", {"año nuevo"});
    // LF is a NUL that a match never crosses and the table shows nothing after; CR is a blank.
    fila("no cruza el salto de línea", PTexto, "uno dos", {});
    fila("segunda línea", PTexto, "dos", {"uno "});
    fila("CR solo es un espacio", PTexto, "tres cuatro", {"tres cuatro"});
    fila("creación anterior a 1-Ene-2003", PCreacion, "<1-Ene-2003", {"fin de 2002"});
    fila("creación igual a 01-Ene-2003", PCreacion, "=01-Ene-2003", {"año nuevo"});
    fila("creación posterior a 7-Feb-2003", PCreacion, ">7-Feb-2003", {"marzo"});
    fila("límite igual a 10-Oct-2010", PLimite, "=10-Oct-2010", {"marzo"});
    // Not read as 14-Ene-2003, which would find "año nuevo" too.
    fila("día 45 como número", PCreacion, "<45-Dic-2002", {"fin de 2002"});
    fila("día no numérico", PCreacion, "=x1-Ene-2003", {}, NoEsNumero("x1"));
    fila("día vacío", PCreacion, "=-Ene-2003", {}, NoEsNumero(""));
    fila("año no numérico", PLimite, "=1-Ene-dos mil", {}, NoEsNumero("dos mil"));
}

void TestBuscarNota::buscar() {
    QFETCH(int, pestana);
    QFETCH(QString, patron);
    QFETCH(QStringList, encontradas);
    QFETCH(QString, error);
    Mensajes m;
    TableroFalso tablero;
    // In the table's order, by text.
    const char* textos[] = {"",      "CANCION de cuna", "Una canción", "año nuevo", "fin de 2002",
                            "marzo", "tres\rcuatro",    "uno\r\ndos",  "zorro"};
    const int chinchetas[] = {6, 0, 1, 2, 3, 4, 5, 6, 7};
    const QDate creadas[] = {
        kUnDia, kUnDia, kUnDia, QDate(2003, 1, 1), QDate(2002, 12, 31), QDate(2003, 3, 1),
        kUnDia, kUnDia, kUnDia};
    for (int i = 0; i < 9; ++i)
        tablero.Agregar(QString::fromUtf8(textos[i]), creadas[i],
                        i == 5 ? QDate(2010, 10, 10) : kUnDia, TColorChincheta(chinchetas[i]));
    TfrmBuscarNota d(tablero);
    d.show();
    ClicEnPestana(d, pestana);
    if (pestana == PChincheta) {
        Escribir(d.cmbColorChincheta->lineEdit(), patron);
    } else if (pestana == PTexto) {
        Escribir(d.EditTexto, patron);
    } else {
        const QStringList campos = patron.mid(1).split(u'-');
        const int paso = int(QString("<=>").indexOf(patron[0])) - d.cmbComparacion->currentIndex();
        d.cmbComparacion->setFocus();
        for (int i = 0; i < std::abs(paso); ++i)
            QTest::keyClick(d.cmbComparacion, paso > 0 ? Qt::Key_Down : Qt::Key_Up);
        Escribir(d.editDia, campos[0]);
        d.cmbMes->setCurrentText(campos[1]);
        Escribir(d.editAno, campos[2]);
    }
    QCOMPARE(Coincidencias(d, m, pestana == PChincheta ? ColChincheta : ColTexto), encontradas);
    QCOMPARE(m.Recibidos.size(), 1);
    QCOMPARE(m.Ultimo(), !error.isNull()         ? error
                         : encontradas.isEmpty() ? QString("No se encontraron equivalencias")
                                                 : QString("No se encontraron más equivalencias"));
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
}

void TestBuscarNota::siguienteSigueLaBusqueda() {
    Mensajes m;
    TableroFalso tablero;
    for (const char* texto : {"rojo uno", "rojo dos", "rojo tres"})
        tablero.Agregar(texto, kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    Escribir(d.EditTexto, "rojo");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0); // "rojo dos"

    // An empty pattern is refused and does not replace "rojo".
    d.EditTexto->clear();
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Ultimo(), QString("Búsqueda no válida"));
    QVERIFY(d.EditTexto->hasFocus());

    // Re-sorted to uno, tres, dos, Siguiente (here by its Alt+S) goes on from the next row.
    ClicEnCabecera(d, ColTexto);
    QTest::keyClick(&d, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(FilaSeleccionada(d), 1);
    QCOMPARE(d.ListView->item(1, ColTexto)->text(), QString("rojo tres"));
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 2);
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(m.Ultimo(), QString("No se encontraron más equivalencias"));
    QCOMPARE(m.Recibidos.size(), 2);
}

void TestBuscarNota::tableroSinNotas() {
    Mensajes m;
    TableroFalso tablero;
    TfrmBuscarNota d(tablero);
    d.show();
    QCOMPARE(d.ListView->rowCount(), 0);
    QVERIFY(d.GroupTexto->isVisible() && !d.GroupFecha->isVisible());
    QCOMPARE(d.btnBuscarSiguiente->text(), QString("&Siguiente"));
    QVERIFY(!d.btnBuscarSiguiente->isEnabled() && d.btnSalir->isDefault());
    Escribir(d.EditTexto, "algo");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);

    // The date combos take no typing, only their arrows.
    ClicEnPestana(d, PCreacion);
    d.cmbMes->setCurrentIndex(0);
    QTest::keyClicks(d.cmbComparacion, "Anterior");
    QTest::keyClick(d.cmbComparacion, Qt::Key_Down);
    QTest::keyClicks(d.cmbMes, "Dic");
    QTest::keyClick(d.cmbMes, Qt::Key_Down);
    QCOMPARE(d.cmbComparacion->currentText(), QString("Posterior a"));
    QCOMPARE(d.cmbMes->currentText(), QString("Feb"));

    // With no rows nothing is compared, not even a day that is no number.
    Escribir(d.editDia, "x");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Recibidos.size(), 2);
    for (const PeticionMensaje& p : std::as_const(m.Recibidos))
        QCOMPARE(p.Texto, QString("No se encontraron equivalencias"));
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
}

void TestBuscarNota::ordenarPorColumna_data() {
    QTest::addColumn<QList<int>>("clics"); // the last one is the column compared
    QTest::addColumn<QStringList>("esperado");
    const QStringList ordinal = {"Rojo",     "Verde",  "Azul", "Cyan",
                                 "Amarillo", "Morado", "Net",  "Ninguna"};
    QStringList inverso = ordinal;
    std::reverse(inverso.begin(), inverso.end());
    QTest::newRow("chincheta por ordinal") << QList<int>{ColChincheta} << ordinal;
    QTest::newRow("chincheta al revés") << QList<int>{ColChincheta, ColChincheta} << inverso;
    // Day-first keys: the day of the month rules.
    QTest::newRow("límite por el día")
        << QList<int>{ColLimite}
        << QStringList{"1-Dic-2009", "2-Ene-2001", "3-Feb-2000", "4-Mar-1999",
                       "5-Ene-2001", "6-Ene-2001", "7-Ene-2001", "8-Ene-2001"};
    // Reversed text keys: a prefix still goes first, "Casa" before "Casa azul".
    QTest::newRow("texto desc con prefijo")
        << QList<int>{ColTexto}
        << QStringList{"Ñu", "Árbol", "Zorro", "Mesa", "Loro", "Casa", "Casa azul", "Barco"};
    QTest::newRow("límite, límite, texto vuelve a asc")
        << QList<int>{ColLimite, ColLimite, ColTexto}
        << QStringList{"Barco", "Casa", "Casa azul", "Loro", "Mesa", "Zorro", "Árbol", "Ñu"};
}

void TestBuscarNota::ordenarPorColumna() {
    QFETCH(QList<int>, clics);
    QFETCH(QStringList, esperado);
    TableroFalso tablero;
    const QDate limites[] = {QDate(2001, 1, 8), QDate(2001, 1, 7), QDate(2000, 2, 3),
                             QDate(2001, 1, 5), QDate(1999, 3, 4), QDate(2009, 12, 1),
                             QDate(2001, 1, 2), QDate(2001, 1, 6)};
    const char* textos[] = {"Zorro", "Casa azul", "Barco", "Ñu", "Casa", "Árbol", "Mesa", "Loro"};
    const int chinchetas[] = {3, 7, 0, 5, 1, 6, 2, 4};
    for (int i = 0; i < 8; ++i)
        tablero.Agregar(QString::fromUtf8(textos[i]), kUnDia, limites[i],
                        TColorChincheta(chinchetas[i]));
    TfrmBuscarNota d(tablero);
    d.show();
    for (int clic : clics)
        ClicEnCabecera(d, clic);
    QCOMPARE(Columna(d, clics.last()), esperado);
    // The table is only re-sorted, never the board.
    QCOMPARE(tablero.Orden().first()->Texto(), QString("Zorro"));
}

void TestBuscarNota::anchoDeLaColumnaTexto_data() {
    QTest::addColumn<int>("notas");
    QTest::newRow("siete") << 7;
    QTest::newRow("muchas") << 30;
}

void TestBuscarNota::anchoDeLaColumnaTexto() {
    QFETCH(int, notas);
    TableroFalso tablero;
    for (int i = 0; i < notas; ++i)
        tablero.Agregar(QString("nota %1 con un texto bastante largo para la columna").arg(i),
                        QDate(2002, 12, 31), QDate(2002, 12, 31), TColorChincheta::Amarillo);
    TfrmBuscarNota d(tablero);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTableWidget* t = d.ListView;
    const bool barra = t->verticalScrollBar()->isVisible();
    const int interior = t->width() - 2 * t->frameWidth();
    const int ancho = t->columnWidth(ColChincheta) + t->columnWidth(ColCreacion) +
                      t->columnWidth(ColLimite) + t->columnWidth(ColTexto);
    QCOMPARE(barra, notas > 7 && t->rowCount() * t->rowHeight(0) > t->viewport()->height());
    // The columns fill the table, less the scroll bar when there is one, and never need a
    // horizontal one.
    QCOMPARE(ancho, interior - (barra ? t->verticalScrollBar()->width() : 0));
    QVERIFY(!t->horizontalScrollBar()->isVisible());
    // At least the designed widths, and no pushpin name or date cut by the desktop's font.
    for (int columna : {ColChincheta, ColCreacion, ColLimite})
        QVERIFY(t->columnWidth(columna) >= (columna == ColChincheta ? 60 : 75) &&
                t->fontMetrics().horizontalAdvance(t->item(0, columna)->text()) <
                    t->columnWidth(columna));
}

void TestBuscarNota::dobleClicAlFrente_data() {
    QTest::addColumn<bool>("destruida");
    QTest::newRow("borrada, por destruir") << false;
    QTest::newRow("borrada y destruida") << true;
}

void TestBuscarNota::dobleClicAlFrente() {
    QFETCH(bool, destruida);
    Mensajes m;
    TableroFalso tablero;
    TNota* borrada = tablero.Agregar("a se va", kUnDia, kUnDia);
    TNota* abajo = tablero.Agregar("b abajo", kUnDia, kUnDia);
    TNota* arriba = tablero.Agregar("c arriba", kUnDia, kUnDia);
    QPointer<TNota> vigia = borrada;
    TfrmBuscarNota d(tablero);
    d.show();

    // Nothing selected: nothing happens.
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {},
                       QPoint(5, d.ListView->viewport()->height() - 3));
    QCOMPARE(tablero.Apilado().first(), arriba);
    // Only the stacking changes, not the board's order nor its file.
    ClicYDobleClicEnFila(d, 1);
    QCOMPARE(tablero.Apilado().first(), abajo);
    QCOMPARE(tablero.Orden(), (QList<TNota*>{borrada, abajo, arriba}));
    QCOMPARE(tablero.Cambios, 0);

    // A note the board drops while the dialog is open is never touched.
    QCOMPARE(d.NotaDeFila(0), borrada);
    tablero.BorrarNota(borrada);
    if (destruida) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(vigia.isNull());
    }
    QCOMPARE(d.NotaDeFila(0), nullptr);
    const QList<TNota*> apilado = tablero.Apilado();
    ClicYDobleClicEnFila(d, 0);
    QCOMPARE(tablero.Apilado(), apilado);
    // Searching the snapshot still works; re-sorting drops the row.
    Escribir(d.EditTexto, "a se");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0);
    ClicEnCabecera(d, ColTexto);
    QCOMPARE(Columna(d, ColTexto), (QStringList{"c arriba", "b abajo"}));
    QCOMPARE(d.NotaDeFila(0), arriba);
}

void TestBuscarNota::abreSinMarcaYReordenarVuelveArriba() {
    TableroFalso tablero;
    for (int i = 0; i < 30; ++i)
        tablero.Agregar(QString("nota %1").arg(i), kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    // The text to look for takes the keys; no cell of the table is marked.
    QCOMPARE(QApplication::focusWidget(), d.EditTexto);
    QVERIFY(!d.ListView->currentIndex().isValid());
    d.ListView->verticalScrollBar()->setValue(1);
    ClicEnCabecera(d, ColCreacion);
    QCOMPARE(d.ListView->verticalScrollBar()->value(), 0);
}

QTEST_MAIN(TestBuscarNota)
#include "test_buscarnota.moc"
