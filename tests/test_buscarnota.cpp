#include "TableroFalso.h"
#include "notes/BusquedaNotas.h"
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

QPoint CentroDeFila(const TfrmBuscarNota& d, int fila) {
    return d.ListView->visualItemRect(d.ListView->item(fila, ColCreacion)).center();
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

// Buscar, then Siguiente until the end: the rows found, in order.
QList<int> Coincidencias(TfrmBuscarNota& d, Mensajes& m) {
    QList<int> filas;
    m.Recibidos.clear();
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    while (m.Recibidos.isEmpty() && filas.size() <= d.ListView->rowCount()) {
        filas.append(FilaSeleccionada(d));
        if (!d.btnBuscarSiguiente->isEnabled()) {
            QTest::qFail("Siguiente off after a match", __FILE__, __LINE__);
            break;
        }
        QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    }
    return filas;
}

QStringList CeldasDeFilas(const TfrmBuscarNota& d, const QList<int>& filas, int columna) {
    QStringList textos;
    for (int fila : filas)
        textos.append(d.ListView->item(fila, columna)->text());
    return textos;
}

} // namespace

class TestBuscarNota : public QObject {
    Q_OBJECT
private slots:
    void fechaATexto_data();
    void fechaATexto();
    void claveDeNota_data();
    void claveDeNota();
    void clavesPorBytes();
    void ordenDeFilasIgualesDesdeLaCola();
    void textoAFecha_data();
    void textoAFecha();
    void anchoColumnaTexto_data();
    void anchoColumnaTexto();
    void contieneTexto_data();
    void contieneTexto();

    void alAbrir();
    void buscarChincheta_data();
    void buscarChincheta();
    void buscarTexto_data();
    void buscarTexto();
    void buscarFecha_data();
    void buscarFecha();
    void diaOAnoNoNumerico_data();
    void diaOAnoNoNumerico();
    void patronVacioNoPierdeLaBusqueda();
    void tableroSinNotas();
    void ordenarPorColumna_data();
    void ordenarPorColumna();
    void siguienteTrasReordenar();
    void combosSoloDesdeLaLista();
    void anchoDeLaColumnaTexto_data();
    void anchoDeLaColumnaTexto();
    void dobleClicAlFrente();
    void notaBorradaNuncaSeToca_data();
    void notaBorradaNuncaSeToca();
    void cerrar_data();
    void cerrar();
};

void TestBuscarNota::fechaATexto_data() {
    QTest::addColumn<int>("dia");
    QTest::addColumn<int>("mes");
    QTest::addColumn<int>("anio");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("clave");
    QTest::newRow("7 de febrero") << 7 << 2 << 2003 << "7-Feb-2003"
                                  << "07022003";
    QTest::newRow("31 de diciembre") << 31 << 12 << 2002 << "31-Dic-2002"
                                     << "31122002";
    QTest::newRow("mes fuera") << 1 << 13 << 5 << "1--5"
                               << "01130005";
}

void TestBuscarNota::fechaATexto() {
    QFETCH(int, dia);
    QFETCH(int, mes);
    QFETCH(int, anio);
    QFETCH(QString, texto);
    QFETCH(QString, clave);
    QCOMPARE(FechaATexto(quint8(dia), quint8(mes), anio), texto);
    QCOMPARE(ClaveDeFecha(quint8(dia), quint8(mes), anio), clave);
}

void TestBuscarNota::claveDeNota_data() {
    QTest::addColumn<QString>("orden");
    QTest::addColumn<bool>("ascendente");
    QTest::addColumn<int>("chincheta");
    QTest::addColumn<QString>("clave");
    QTest::newRow("rojo asc") << kClaveChincheta << true << 0 << "0";
    QTest::newRow("ninguna asc") << kClaveChincheta << true << 7 << "7";
    QTest::newRow("rojo desc") << kClaveChincheta << false << 0 << "9";
    QTest::newRow("ninguna desc") << kClaveChincheta << false << 7 << "2";
    QTest::newRow("creación asc") << kClaveCreacion << true << 0 << "07022003";
    QTest::newRow("límite asc") << kClaveLimite << true << 0 << "31122004";
    QTest::newRow("límite desc") << kClaveLimite << false << 0 << InvertirTexto("31122004");
    QTest::newRow("texto asc") << kClaveTexto << true << 0 << "Casa";
    QTest::newRow("texto desc") << kClaveTexto << false << 0 << InvertirTexto("Casa");
}

void TestBuscarNota::claveDeNota() {
    QFETCH(QString, orden);
    QFETCH(bool, ascendente);
    QFETCH(int, chincheta);
    QFETCH(QString, clave);
    DatosNota nota;
    nota.ColorChincheta = TColorChincheta(chincheta);
    nota.Texto = "Casa";
    nota.DayCreated = 7;
    nota.MonthCreated = 2;
    nota.YearCreated = 2003;
    nota.DayExpires = 31;
    nota.MonthExpires = 12;
    nota.YearExpires = 2004;
    QCOMPARE(ClaveDeNota(nota, orden, ascendente), clave);
}

void TestBuscarNota::clavesPorBytes() {
    // "€" is byte 80 and "ÿ" byte FF, though U+20AC is above U+00FF.
    QCOMPARE(CompararClaves("€", "ÿ"), -1);
    QCOMPARE(CompararClaves("Casa", "Casa azul"), -1);
    QCOMPARE(CompararClaves(InvertirTexto("Casa"), InvertirTexto("Casa azul")), -1);
    QCOMPARE(CompararClaves(InvertirTexto("Barco"), InvertirTexto("Casa")), 1);
    QCOMPARE(CompararClaves("abc", "abc"), 0);
}

void TestBuscarNota::ordenDeFilasIgualesDesdeLaCola() {
    QCOMPARE(OrdenDeFilas({"b", "a", "b", "a", "c"}), (QList<qsizetype>{3, 1, 2, 0, 4}));
    QCOMPARE(OrdenDeFilas({}), QList<qsizetype>{});
}

void TestBuscarNota::textoAFecha_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valida");
    QTest::addColumn<int>("dia");
    QTest::addColumn<int>("mes");
    QTest::addColumn<int>("anio");
    QTest::addColumn<QString>("campoMalo");
    QTest::newRow("normal") << "1-Ene-2003" << true << 1 << 1 << 2003 << "";
    QTest::newRow("minúsculas") << "07-dic-2002" << true << 7 << 12 << 2002 << "";
    QTest::newRow("mes desconocido") << "7-Enero-2002" << true << 7 << 0 << 2002 << "";
    QTest::newRow("día 45 se compara") << "45-Feb-2003" << true << 45 << 2 << 2003 << "";
    QTest::newRow("día no numérico") << "x-Ene-2003" << false << 0 << 0 << 0 << "x";
    QTest::newRow("día vacío") << "-Ene-2003" << false << 0 << 0 << 0 << "";
    QTest::newRow("año no numérico") << "1-Ene-2o03" << false << 0 << 0 << 0 << "2o03";
}

void TestBuscarNota::textoAFecha() {
    QFETCH(QString, texto);
    QFETCH(bool, valida);
    QFETCH(int, dia);
    QFETCH(int, mes);
    QFETCH(int, anio);
    QFETCH(QString, campoMalo);
    QString campo = "sin tocar";
    const auto fecha = TextoAFecha(texto, &campo);
    QCOMPARE(fecha.has_value(), valida);
    if (valida) {
        QCOMPARE(fecha->Dia, dia);
        QCOMPARE(fecha->Mes, mes);
        QCOMPARE(fecha->Anio, anio);
    } else {
        QCOMPARE(campo, campoMalo);
    }
}

void TestBuscarNota::anchoColumnaTexto_data() {
    QTest::addColumn<int>("filas");
    QTest::addColumn<int>("ancho");
    // The designed table: 473 x 153 with a 2-pixel frame, 17-pixel rows under a header.
    QTest::newRow("7 filas caben") << 7 << 259;
    QTest::newRow("8 filas necesitan barra") << 8 << 243;
    QTest::newRow("ninguna") << 0 << 259;
}

void TestBuscarNota::anchoColumnaTexto() {
    QFETCH(int, filas);
    QFETCH(int, ancho);
    const int visibles = FilasVisibles(153, 22, 17);
    QCOMPARE(visibles, 7);
    QCOMPARE(AnchoColumnaTexto(473 - 4, 60 + 75 + 75, filas, visibles, 16), ancho);
}

void TestBuscarNota::contieneTexto_data() {
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("contiene");
    QTest::newRow("en medio") << "O"
                              << "AMARILLO" << true;
    QTest::newRow("no está") << "O"
                             << "NINGUNA" << false;
    QTest::newRow("texto vacío") << "A"
                                 << "" << false;
    QTest::newRow("distingue mayúsculas") << "o"
                                          << "ROJO" << false;
    QTest::newRow("no cruza el NUL") << "UNO DOS" << QString::fromUtf8("UNO \0DOS", 8) << false;
}

void TestBuscarNota::contieneTexto() {
    QFETCH(QString, patron);
    QFETCH(QString, texto);
    QFETCH(bool, contiene);
    QCOMPARE(ContieneTexto(patron, texto), contiene);
}

void TestBuscarNota::alAbrir() {
    TableroFalso tablero;
    tablero.Agregar("uno\r\ndos", kUnDia, kUnDia, TColorChincheta::Azul);
    tablero.Agregar("<b>ñandú</b>", QDate(2002, 12, 31), QDate(2004, 1, 5), TColorChincheta::Net);
    TfrmBuscarNota d(tablero);
    d.show();
    QCOMPARE(d.windowTitle(), QString("Buscar Nota"));
    QCOMPARE(d.Tab->currentIndex(), int(PTexto));
    QVERIFY(d.GroupTexto->isVisible());
    QVERIFY(!d.GroupFecha->isVisible());
    QVERIFY(!d.GroupChincheta->isVisible());
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
    QVERIFY(d.btnSalir->isDefault());
    QCOMPARE(d.Orden().ClaveOrden, kClaveTexto);
    QCOMPARE(d.cmbComparacion->currentText(), QString("Igual a"));
    QCOMPARE(d.cmbColorChincheta->currentText(), QString("Ninguna"));
    const QDate hoy = QDate::currentDate();
    QCOMPARE(d.editDia->text(), hoy.toString("dd"));
    QCOMPARE(d.editAno->text(), hoy.toString("yyyy"));
    QCOMPARE(d.cmbMes->currentText(), NombreMes[hoy.month()]);

    QVERIFY(d.ListView->isColumnHidden(ColOrden));
    QCOMPARE(d.ListView->horizontalHeaderItem(ColOrden)->text(), QString("orden"));
    // The designed widths at least, and no pushpin name or date cut by a larger font.
    const QList<std::pair<int, int>> disenadas = {
        {ColChincheta, 60}, {ColCreacion, 75}, {ColLimite, 75}};
    for (const auto& [columna, ancho] : disenadas) {
        QVERIFY(d.ListView->columnWidth(columna) >= ancho);
        for (int fila = 0; fila < d.ListView->rowCount(); ++fila)
            QVERIFY(d.ListView->fontMetrics().horizontalAdvance(
                        d.ListView->item(fila, columna)->text()) <
                    d.ListView->columnWidth(columna));
    }
    // Ascending by text: "<" is below "u".
    QCOMPARE(Columna(d, ColOrden), (QStringList{"<b>ñandú</b>", "uno\r\ndos"}));
    QCOMPARE(Columna(d, ColChincheta), (QStringList{"Net", "Azul"}));
    QCOMPARE(Columna(d, ColCreacion), (QStringList{"31-Dic-2002", "7-Feb-2003"}));
    QCOMPARE(Columna(d, ColLimite), (QStringList{"5-Ene-2004", "7-Feb-2003"}));
    // The first line only, shown as plain text.
    QCOMPARE(Columna(d, ColTexto), (QStringList{"<b>ñandú</b>", "uno "}));
    QCOMPARE(d.ListView->item(0, ColChincheta)->checkState(), Qt::Unchecked);
    QCOMPARE(d.ListView->item(0, ColCreacion)->textAlignment() & Qt::AlignHorizontal_Mask,
             int(Qt::AlignHCenter));
}

void TestBuscarNota::buscarChincheta_data() {
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QStringList>("encontradas");
    QTest::newRow("o") << "o" << QStringList{"Rojo", "Amarillo", "Morado"};
    QTest::newRow("net") << "net" << QStringList{"Net", "Net"};
    QTest::newRow("ninguna") << "NINGUNA" << QStringList{"Ninguna"};
    QTest::newRow("zz") << "zz" << QStringList{};
}

void TestBuscarNota::buscarChincheta() {
    QFETCH(QString, patron);
    QFETCH(QStringList, encontradas);
    Mensajes m;
    TableroFalso tablero;
    // Sorted by text, rows follow the pushpin ordinal.
    for (int c = 0; c < kNumColoresChincheta; ++c)
        tablero.Agregar(QString("nota %1").arg(c), kUnDia, kUnDia, TColorChincheta(c));
    tablero.Agregar("nota 6 bis", kUnDia, kUnDia, TColorChincheta::Net);
    TfrmBuscarNota d(tablero);
    d.show();
    ClicEnPestana(d, PChincheta);
    QVERIFY(d.GroupChincheta->isVisible());
    QVERIFY(!d.GroupTexto->isVisible());
    Escribir(d.cmbColorChincheta->lineEdit(), patron);
    const QList<int> filas = Coincidencias(d, m);
    QCOMPARE(CeldasDeFilas(d, filas, ColChincheta), encontradas);
    QCOMPARE(m.Recibidos.size(), 1);
    QCOMPARE(m.Ultimo(), encontradas.isEmpty() ? QString("No se encontraron equivalencias")
                                               : QString("No se encontraron más equivalencias"));
    QCOMPARE(m.Recibidos.last().Titulo, QString("Fin de la búsqueda"));
    QCOMPARE(m.Recibidos.last().Icono, IconoMensaje::Informacion);
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
}

void TestBuscarNota::buscarTexto_data() {
    QTest::addColumn<QString>("patron");
    QTest::addColumn<QStringList>("encontradas"); // the hidden keys (the texts)
    QTest::newRow("sin acentos ni mayúsculas")
        << "canción" << QStringList{"CANCION de cuna", "Una canción"};
    QTest::newRow("sin acento escrito")
        << "cancion" << QStringList{"CANCION de cuna", "Una canción"};
    QTest::newRow("eñe") << "AÑO" << QStringList{"año nuevo"};
    QTest::newRow("no cruza el salto de línea") << "uno dos" << QStringList{};
    QTest::newRow("CR solo es un espacio") << "tres cuatro" << QStringList{"tres\rcuatro"};
    QTest::newRow("segunda línea") << "dos" << QStringList{"uno\r\ndos"};
}

void TestBuscarNota::buscarTexto() {
    QFETCH(QString, patron);
    QFETCH(QStringList, encontradas);
    Mensajes m;
    TableroFalso tablero;
    for (const char* texto :
         {"Una canción", "CANCION de cuna", "uno\r\ndos", "tres\rcuatro", "año nuevo", ""})
        tablero.Agregar(QString::fromUtf8(texto), kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    Escribir(d.EditTexto, patron);
    QCOMPARE(CeldasDeFilas(d, Coincidencias(d, m), ColOrden), encontradas);
}

void TestBuscarNota::buscarFecha_data() {
    QTest::addColumn<int>("pestana");
    QTest::addColumn<int>("flechasArriba"); // from "Igual a"
    QTest::addColumn<QString>("dia");
    QTest::addColumn<int>("mes");
    QTest::addColumn<QString>("anio");
    QTest::addColumn<QStringList>("encontradas");
    QTest::newRow("creación anterior a 1-Ene-2003")
        << int(PCreacion) << 1 << "1" << 1 << "2003" << QStringList{"fin de 2002"};
    QTest::newRow("creación igual a 01-Ene-2003")
        << int(PCreacion) << 0 << "01" << 1 << "2003" << QStringList{"año nuevo"};
    QTest::newRow("creación posterior a 1-Ene-2003")
        << int(PCreacion) << -1 << "1" << 1 << "2003" << QStringList{"marzo"};
    QTest::newRow("límite igual a 10-Oct-2010")
        << int(PLimite) << 0 << "10" << 10 << "2010" << QStringList{"marzo"};
    QTest::newRow("día 45 como número")
        << int(PCreacion) << -1 << "45" << 12 << "2002" << QStringList{"año nuevo", "marzo"};
}

void TestBuscarNota::buscarFecha() {
    QFETCH(int, pestana);
    QFETCH(int, flechasArriba);
    QFETCH(QString, dia);
    QFETCH(int, mes);
    QFETCH(QString, anio);
    QFETCH(QStringList, encontradas);
    Mensajes m;
    TableroFalso tablero;
    tablero.Agregar("fin de 2002", QDate(2002, 12, 31), QDate(2009, 1, 1));
    tablero.Agregar("año nuevo", QDate(2003, 1, 1), QDate(2009, 1, 1));
    tablero.Agregar("marzo", QDate(2003, 3, 1), QDate(2010, 10, 10));
    TfrmBuscarNota d(tablero);
    d.show();
    ClicEnPestana(d, pestana);
    QVERIFY(d.GroupFecha->isVisible());
    d.cmbComparacion->setFocus();
    for (int i = 0; i < std::abs(flechasArriba); ++i)
        QTest::keyClick(d.cmbComparacion, flechasArriba > 0 ? Qt::Key_Up : Qt::Key_Down);
    Escribir(d.editDia, dia);
    d.cmbMes->setCurrentIndex(mes - 1);
    Escribir(d.editAno, anio);
    QCOMPARE(CeldasDeFilas(d, Coincidencias(d, m), ColOrden), encontradas);
}

void TestBuscarNota::diaOAnoNoNumerico_data() {
    QTest::addColumn<QString>("dia");
    QTest::addColumn<QString>("anio");
    QTest::addColumn<QString>("campo");
    QTest::newRow("día") << "x1"
                         << "2003"
                         << "x1";
    QTest::newRow("día vacío") << ""
                               << "2003"
                               << "";
    QTest::newRow("año") << "1"
                         << "dos mil"
                         << "dos mil";
}

void TestBuscarNota::diaOAnoNoNumerico() {
    QFETCH(QString, dia);
    QFETCH(QString, anio);
    QFETCH(QString, campo);
    Mensajes m;
    TableroFalso tablero;
    tablero.Agregar("A uno", kUnDia, kUnDia);
    tablero.Agregar("A dos", kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    // A search that found something leaves "Siguiente" on.
    Escribir(d.EditTexto, "a");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QVERIFY(d.btnBuscarSiguiente->isEnabled());
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(d.Busqueda().FilaBusqueda(), 1);
    m.Recibidos.clear();

    ClicEnPestana(d, PCreacion);
    Escribir(d.editDia, dia);
    Escribir(d.editAno, anio);
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Recibidos.size(), 1);
    QCOMPARE(m.Recibidos.first().Icono, IconoMensaje::Error);
    QCOMPARE(m.Ultimo(), QString("'%1' no es un número entero válido.").arg(campo));
    QCOMPARE(d.Busqueda().FilaBusqueda(), 0);
    QVERIFY(!d.Busqueda().Encontrado());
    QVERIFY(d.btnBuscarSiguiente->isEnabled());

    // With no rows nothing is compared.
    TableroFalso vacio;
    TfrmBuscarNota sinFilas(vacio);
    sinFilas.show();
    ClicEnPestana(sinFilas, PCreacion);
    Escribir(sinFilas.editDia, dia);
    Escribir(sinFilas.editAno, anio);
    QTest::mouseClick(sinFilas.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Ultimo(), QString("No se encontraron equivalencias"));
}

void TestBuscarNota::patronVacioNoPierdeLaBusqueda() {
    Mensajes m;
    TableroFalso tablero;
    tablero.Agregar("rojo uno", kUnDia, kUnDia);
    tablero.Agregar("rojo dos", kUnDia, kUnDia);
    tablero.Agregar("verde", kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    Escribir(d.EditTexto, "rojo");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0);

    d.EditTexto->clear();
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Recibidos.size(), 1);
    QCOMPARE(m.Recibidos.first().Titulo, QString("Error!"));
    QCOMPARE(m.Recibidos.first().Texto, QString("Búsqueda no válida"));
    QCOMPARE(m.Recibidos.first().Icono, IconoMensaje::Exclamacion);
    QVERIFY(d.EditTexto->hasFocus());
    QVERIFY(d.btnBuscarSiguiente->isEnabled());

    // "Siguiente" goes on with "rojo", not with the empty text.
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 1);
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(m.Ultimo(), QString("No se encontraron más equivalencias"));
}

void TestBuscarNota::tableroSinNotas() {
    Mensajes m;
    TableroFalso tablero;
    TfrmBuscarNota d(tablero);
    d.show();
    QCOMPARE(d.ListView->rowCount(), 0);
    Escribir(d.EditTexto, "algo");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(m.Ultimo(), QString("No se encontraron equivalencias"));
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
}

void TestBuscarNota::ordenarPorColumna_data() {
    QTest::addColumn<QList<int>>("clics");
    QTest::addColumn<int>("columna");
    QTest::addColumn<QStringList>("esperado");
    const QStringList ordinal = {"Rojo",     "Verde",  "Azul", "Cyan",
                                 "Amarillo", "Morado", "Net",  "Ninguna"};
    QStringList inverso = ordinal;
    std::reverse(inverso.begin(), inverso.end());
    QTest::newRow("chincheta por ordinal")
        << QList<int>{ColChincheta} << int(ColChincheta) << ordinal;
    QTest::newRow("chincheta al revés")
        << QList<int>{ColChincheta, ColChincheta} << int(ColChincheta) << inverso;
    // Day-first keys: the day of the month rules.
    QTest::newRow("límite asc") << QList<int>{ColLimite} << int(ColLimite)
                                << QStringList{"1-Dic-2009", "2-Ene-2001", "3-Feb-2000",
                                               "4-Mar-1999", "5-Ene-2001", "6-Ene-2001",
                                               "7-Ene-2001", "8-Ene-2001"};
    QTest::newRow("límite desc") << QList<int>{ColLimite, ColLimite} << int(ColLimite)
                                 << QStringList{"8-Ene-2001", "7-Ene-2001", "6-Ene-2001",
                                                "5-Ene-2001", "4-Mar-1999", "3-Feb-2000",
                                                "2-Ene-2001", "1-Dic-2009"};
    QTest::newRow("texto desc con prefijo")
        << QList<int>{ColTexto} << int(ColOrden)
        << QStringList{InvertirTexto("Ñu"),        InvertirTexto("Árbol"), InvertirTexto("Zorro"),
                       InvertirTexto("Mesa"),      InvertirTexto("Loro"),  InvertirTexto("Casa"),
                       InvertirTexto("Casa azul"), InvertirTexto("Barco")};
    QTest::newRow("límite, límite, texto vuelve a asc")
        << QList<int>{ColLimite, ColLimite, ColTexto} << int(ColTexto)
        << QStringList{"Barco", "Casa", "Casa azul", "Loro", "Mesa", "Zorro", "Árbol", "Ñu"};
}

void TestBuscarNota::ordenarPorColumna() {
    QFETCH(QList<int>, clics);
    QFETCH(int, columna);
    QFETCH(QStringList, esperado);
    TableroFalso tablero;
    const QList<QDate> limites = {QDate(2001, 1, 8), QDate(2001, 1, 7), QDate(2000, 2, 3),
                                  QDate(2001, 1, 5), QDate(1999, 3, 4), QDate(2009, 12, 1),
                                  QDate(2001, 1, 2), QDate(2001, 1, 6)};
    const QStringList textos = {"Zorro", "Casa azul", "Barco", "Ñu",
                                "Casa",  "Árbol",     "Mesa",  "Loro"};
    const QList<int> chinchetas = {3, 7, 0, 5, 1, 6, 2, 4};
    for (int i = 0; i < 8; ++i)
        tablero.Agregar(textos[i], kUnDia, limites[i], TColorChincheta(chinchetas[i]));
    TfrmBuscarNota d(tablero);
    d.show();
    for (int clic : clics)
        ClicEnCabecera(d, clic);
    QCOMPARE(Columna(d, columna), esperado);
    // The table is only re-sorted, never the board.
    QCOMPARE(tablero.Orden().first()->Texto(), QString("Zorro"));
}

void TestBuscarNota::siguienteTrasReordenar() {
    Mensajes m;
    TableroFalso tablero;
    tablero.Agregar("b x", kUnDia, kUnDia);
    tablero.Agregar("a x", kUnDia, kUnDia);
    tablero.Agregar("c x", kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    Escribir(d.EditTexto, "x");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0); // "a x"
    ClicEnCabecera(d, ColTexto);      // now c, b, a
    QVERIFY(d.btnBuscarSiguiente->isEnabled());
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 1);
    QCOMPARE(d.ListView->item(1, ColTexto)->text(), QString("b x"));
}

void TestBuscarNota::combosSoloDesdeLaLista() {
    TableroFalso tablero;
    TfrmBuscarNota d(tablero);
    d.show();
    ClicEnPestana(d, PLimite);
    d.cmbMes->setCurrentIndex(0);
    for (QComboBox* combo : {d.cmbComparacion, d.cmbMes}) {
        const QString antes = combo->currentText();
        QTest::keyClicks(combo, "Posterior Dic");
        QCOMPARE(combo->currentText(), antes);
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(combo->currentText() != antes);
    }
    QCOMPARE(d.cmbComparacion->currentText(), QString("Posterior a"));
    QCOMPARE(d.cmbMes->currentText(), QString("Feb"));
}

void TestBuscarNota::anchoDeLaColumnaTexto_data() {
    QTest::addColumn<int>("notas");
    QTest::newRow("una") << 1;
    QTest::newRow("siete") << 7;
    QTest::newRow("muchas") << 30;
}

void TestBuscarNota::anchoDeLaColumnaTexto() {
    QFETCH(int, notas);
    TableroFalso tablero;
    for (int i = 0; i < notas; ++i)
        tablero.Agregar(QString("nota %1 con un texto bastante largo para la columna").arg(i),
                        kUnDia, kUnDia);
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
}

void TestBuscarNota::dobleClicAlFrente() {
    TableroFalso tablero;
    TNota* abajo = tablero.Agregar("b abajo", kUnDia, kUnDia);
    TNota* arriba = tablero.Agregar("a arriba", kUnDia, kUnDia);
    const QList<TNota*> orden = tablero.Orden();
    TfrmBuscarNota d(tablero);
    d.show();
    QCOMPARE(tablero.Apilado().first(), arriba);

    // Nothing selected: nothing happens.
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {},
                       QPoint(5, d.ListView->viewport()->height() - 3));
    QCOMPARE(tablero.Apilado().first(), arriba);

    QTest::mouseClick(d.ListView->viewport(), Qt::LeftButton, {}, CentroDeFila(d, 1));
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {}, CentroDeFila(d, 1));
    QCOMPARE(d.NotaDeFila(1), abajo);
    QCOMPARE(tablero.Apilado().first(), abajo);
    QCOMPARE(tablero.Orden(), orden);
    QCOMPARE(tablero.Cambios, 0);
}

void TestBuscarNota::notaBorradaNuncaSeToca_data() {
    QTest::addColumn<bool>("destruida");
    QTest::newRow("quitada, por destruir") << false;
    QTest::newRow("ya destruida") << true;
}

void TestBuscarNota::notaBorradaNuncaSeToca() {
    QFETCH(bool, destruida);
    Mensajes m;
    TableroFalso tablero;
    TNota* borrada = tablero.Agregar("a se va", kUnDia, kUnDia);
    TNota* queda = tablero.Agregar("b queda", kUnDia, kUnDia);
    QPointer<TNota> vigia = borrada;
    TfrmBuscarNota d(tablero);
    d.show();
    QCOMPARE(d.NotaDeFila(0), borrada);

    // The board drops the note while the dialog is open.
    tablero.BorrarNota(borrada);
    if (destruida) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(vigia.isNull());
    }
    QCOMPARE(d.NotaDeFila(0), nullptr);
    const QList<TNota*> apilado = tablero.Apilado();
    QTest::mouseClick(d.ListView->viewport(), Qt::LeftButton, {}, CentroDeFila(d, 0));
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {}, CentroDeFila(d, 0));
    QCOMPARE(tablero.Apilado(), apilado);

    // Searching the snapshot still works; re-sorting drops the row.
    Escribir(d.EditTexto, "a se");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0);
    ClicEnCabecera(d, ColTexto);
    QCOMPARE(d.ListView->rowCount(), 1);
    QCOMPARE(d.NotaDeFila(0), queda);
}

void TestBuscarNota::cerrar_data() {
    QTest::addColumn<bool>("conEscape");
    QTest::newRow("Cerrar") << false;
    QTest::newRow("Escape") << true;
}

void TestBuscarNota::cerrar() {
    QFETCH(bool, conEscape);
    TableroFalso tablero;
    tablero.Agregar("nota", kUnDia, kUnDia);
    TfrmBuscarNota d(tablero);
    d.show();
    if (conEscape)
        QTest::keyClick(&d, Qt::Key_Escape);
    else
        QTest::mouseClick(d.btnSalir, Qt::LeftButton);
    QVERIFY(!d.isVisible());
    QCOMPARE(tablero.Lista.Cuenta(), 1);
}

QTEST_MAIN(TestBuscarNota)
#include "test_buscarnota.moc"
