#include "core/BusquedaNotas.h"
#include "notes/FrmBuscarNota.h"

#include "tests/DialogosPrueba.h"
#include "tests/NotasFalsas.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

namespace {

enum Pestana { PChincheta, PCreacion, PLimite, PTexto };
enum { ColOrden, ColChincheta, ColCreacion, ColLimite, ColTexto };

const QDate kUnDia(2003, 2, 7);

// The board with one note per text and its search dialog shown; message boxes are kept.
struct Escena {
    Cajas cajas;
    QWidget tablero;
    NotasFalsas notas;
    std::optional<TfrmBuscarNota> d;
    explicit Escena(const QStringList& textos = {}) {
        for (const QString& texto : textos)
            notas.Agregar(texto, kUnDia, kUnDia);
        if (!textos.isEmpty())
            Abrir();
    }
    void Abrir() {
        d.emplace(notas.Leer(), notas.Subir(), &tablero);
        d->show();
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*d));
    }
};

void ClicYDobleClicEnFila(TfrmBuscarNota& d, int fila) {
    const QPoint centro = d.ListView->visualItemRect(d.ListView->item(fila, ColCreacion)).center();
    QTest::mouseClick(d.ListView->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(d.ListView->viewport(), Qt::LeftButton, {}, centro);
}

int FilaSeleccionada(const TfrmBuscarNota& d) {
    const auto filas = d.ListView->selectionModel()->selectedRows();
    return filas.size() == 1 ? filas.first().row() : -1;
}

} // namespace

class TestBuscarNota : public QObject {
    Q_OBJECT
private slots:
    void clavesDeOrden();
    void buscar_data();
    void buscar();
    void ordenarPorColumna();
    void dobleClicYSiguiente();
    void lineaLarga();
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
    QTest::addColumn<QString>("caja");            // the box that ends the search
    const auto fila = [](const char* nombre, int pestana, const char* patron,
                         const QStringList& encontradas,
                         const char* caja = "No se encontraron más equivalencias") {
        QTest::newRow(nombre) << pestana << QString::fromUtf8(patron) << encontradas
                              << QString::fromUtf8(caja);
    };
    fila("o, no Ninguna", PChincheta, "o", {"Rojo", "Amarillo", "Morado"});
    fila("texto sin acentos ni mayúsculas", PTexto, "cancion", {"CANCION de cuna", "Una canción"});
    // LF is a NUL that a match never crosses and the table shows nothing after; CR is a blank.
    fila("no cruza el salto de línea", PTexto, "uno dos", {}, "No se encontraron equivalencias");
    fila("segunda línea", PTexto, "dos", {"uno "});
    fila("CR solo es un espacio", PTexto, "tres cuatro", {"tres cuatro"});
    fila("creación igual a 01-Ene-2003", PCreacion, "=01-Ene-2003", {"año nuevo"});
    fila("límite posterior a 7-Feb-2003", PLimite, ">7-Feb-2003", {"marzo"});
    // Not read as 14-Ene-2003, which would find "año nuevo" too.
    fila("día 45 como número", PCreacion, "<45-Dic-2002", {"fin de 2002"});
    fila("día vacío", PCreacion, "=-Ene-2003", {}, "'' no es un número entero válido.");
}

void TestBuscarNota::buscar() {
    QFETCH(int, pestana);
    QFETCH(QString, patron);
    QFETCH(QStringList, encontradas);
    QFETCH(QString, caja);
    Escena e;
    // In the table's order, by text.
    const char* textos[] = {"",      "CANCION de cuna", "Una canción", "año nuevo", "fin de 2002",
                            "marzo", "tres\rcuatro",    "uno\r\ndos",  "zorro"};
    const QDate creadas[] = {kUnDia, QDate(2003, 1, 1), QDate(2002, 12, 31), QDate(2003, 3, 1)};
    for (int i = 0; i < 9; ++i)
        e.notas.Agregar(QString::fromUtf8(textos[i]), creadas[i < 3 || i > 5 ? 0 : i - 2],
                        i == 5 ? QDate(2010, 10, 10) : kUnDia, TColorChincheta(i == 0 ? 6 : i - 1));
    e.Abrir();
    TfrmBuscarNota& d = *e.d;
    QTest::mouseClick(d.Tab, Qt::LeftButton, {}, d.Tab->tabRect(pestana).center());
    if (pestana == PChincheta)
        d.cmbColorChincheta->setEditText(patron);
    else if (pestana == PTexto)
        d.EditTexto->setText(patron);
    else {
        const QStringList campos = patron.mid(1).split(u'-');
        d.cmbComparacion->setCurrentIndex(int(QString("<=>").indexOf(patron[0])));
        d.editDia->setText(campos[0]);
        d.cmbMes->setCurrentText(campos[1]);
        d.editAno->setText(campos[2]);
    }
    const int columna = pestana == PChincheta ? ColChincheta : ColTexto;
    QStringList halladas;
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    while (e.cajas.vistas.isEmpty() && halladas.size() <= d.ListView->rowCount()) {
        const int fila = FilaSeleccionada(d);
        halladas.append(fila < 0 ? QString() : d.ListView->item(fila, columna)->text());
        QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    }
    QCOMPARE(halladas, encontradas);
    QCOMPARE(e.cajas.Textos(), QStringList{caja});
    QVERIFY(!d.btnBuscarSiguiente->isEnabled());
}

void TestBuscarNota::ordenarPorColumna() {
    // Clicks on headings; the last one's column in the order expected.
    const std::pair<QList<int>, const char*> casos[] = {
        {{ColChincheta}, "Rojo|Verde|Azul|Cyan|Amarillo|Morado|Net|Ninguna"}, // by ordinal
        // Reversed text keys: a prefix still goes first, "Casa" before "Casa azul".
        {{ColTexto}, "Ñu|Árbol|Zorro|Mesa|Loro|Casa|Casa azul|Barco"},
        {{ColLimite, ColLimite, ColTexto}, "Barco|Casa|Casa azul|Loro|Mesa|Zorro|Árbol|Ñu"}};
    for (const auto& [clics, esperado] : casos) {
        Escena e;
        const char* textos[] = {"Zorro", "Casa azul", "Barco", "Ñu",
                                "Casa",  "Árbol",     "Mesa",  "Loro"};
        const int chinchetas[] = {3, 7, 0, 5, 1, 6, 2, 4};
        for (int i = 0; i < 8; ++i)
            e.notas.Agregar(QString::fromUtf8(textos[i]), kUnDia, kUnDia.addDays(7 - i),
                            TColorChincheta(chinchetas[i]));
        e.Abrir();
        for (int clic : clics)
            emit e.d->ListView->horizontalHeader()->sectionClicked(clic);
        QCOMPARE(Columna(e.d->ListView, clics.last()), QString::fromUtf8(esperado).split(u'|'));
    }
}

void TestBuscarNota::dobleClicYSiguiente() {
    Escena e({"a se va", "b abajo", "c arriba"});
    TfrmBuscarNota& d = *e.d;
    const QList<IdNota> ids = e.notas.Ids();
    // The board is asked to raise the note of the row, by its id.
    ClicYDobleClicEnFila(d, 1);
    QCOMPARE(e.notas.Subidas, QList<IdNota>{ids[1]});
    // A note the board drops while the dialog is open keeps its row until the table is
    // filled again; the board knows it is gone.
    e.notas.Quitar(ids[0]);
    QCOMPARE(d.IdDeFila(0), ids[0]);
    // Searching the snapshot still works; an empty pattern is refused and does not replace it.
    d.EditTexto->setText("a");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 0);
    d.EditTexto->clear();
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(e.cajas.Textos(), QStringList{"Búsqueda no válida"});
    // Re-sorting drops the row; Siguiente (here by its Alt+S) goes on from the next row.
    emit d.ListView->horizontalHeader()->sectionClicked(ColTexto);
    QCOMPARE(Columna(d.ListView, ColTexto), (QStringList{"c arriba", "b abajo"}));
    QCOMPARE(d.IdDeFila(0), ids[2]);
    QTest::keyClick(&d, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(FilaSeleccionada(d), 1);
    QTest::mouseClick(d.btnBuscarSiguiente, Qt::LeftButton);
    QCOMPARE(e.cajas.vistas.size(), 2);
}

// A megabyte line is found by its end; the table shows only what its column can hold.
void TestBuscarNota::lineaLarga() {
    Escena e({"corto", QString(1048000, u'x') + "fin"});
    TfrmBuscarNota& d = *e.d;
    QTest::mouseClick(d.Tab, Qt::LeftButton, {}, d.Tab->tabRect(PTexto).center());
    d.EditTexto->setText("fin");
    QTest::mouseClick(d.btnBuscar, Qt::LeftButton);
    QCOMPARE(FilaSeleccionada(d), 1);
    QCOMPARE(d.ListView->item(1, ColTexto)->text(), QString(kLetrasVisibles, u'x'));
}

QTEST_MAIN(TestBuscarNota)
#include "test_buscarnota.moc"
