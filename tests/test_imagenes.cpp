// Every picture has its 2x twin, and the loader hands out the one a screen's ratio asks for.
#include "resources/ImagenesPinaco.h"

#include <QDirIterator>
#include <QtTest>

class TestImagenes : public QObject {
    Q_OBJECT
private slots:
    void CadaImagenTieneSuGemelaDoble_data();
    void CadaImagenTieneSuGemelaDoble();
    void CadaBotonTieneSusDosCaras();
};

void TestImagenes::CadaImagenTieneSuGemelaDoble_data() {
    QTest::addColumn<QString>("ruta");
    // Loading a picture registers the resources. The icon is left out: its sizes are its own
    // finer pictures.
    ImagenesPinaco::Cargar(QStringLiteral(":/imagenes/corcho.png"));
    int filas = 0;
    for (const QString& carpeta : {QStringLiteral(":/imagenes"), QStringLiteral(":/acerca")}) {
        QDirIterator it(carpeta, QDir::Files);
        while (it.hasNext()) {
            const QString ruta = it.next();
            if (!ruta.contains(u'@')) {
                QTest::newRow(qPrintable(ruta)) << ruta;
                ++filas;
            }
        }
    }
    QVERIFY(filas > 0);
}

void TestImagenes::CadaImagenTieneSuGemelaDoble() {
    QFETCH(QString, ruta);
    const QPixmap simple = ImagenesPinaco::Cargar(ruta, 1);
    QVERIFY(!simple.isNull());
    QCOMPARE(simple.devicePixelRatio(), 1.0);
    for (const qreal ratio : {1.5, 2.0}) {
        const QPixmap fina = ImagenesPinaco::Cargar(ruta, ratio);
        QCOMPARE(fina.devicePixelRatio(), 2.0);
        QCOMPARE(fina.size(), simple.size() * 2);
    }
}

// The board asks for its round buttons by name: a face missing would leave a hole in the frame.
void TestImagenes::CadaBotonTieneSusDosCaras() {
    for (const char* nombre : {"Add", "Conf", "Org", "Bus", "Min", "Max", "Res", "Cerrar"})
        for (const bool apretado : {false, true})
            QVERIFY2(!ImagenesPinaco::Boton(QString::fromLatin1(nombre), apretado).isNull(),
                     nombre);
}

QTEST_MAIN(TestImagenes)
#include "test_imagenes.moc"
