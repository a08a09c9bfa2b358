// What keeps the user's data when a data file cannot be written or read whole.
#include "app/CustodiaArchivos.h"
#include "app/RutasDatos.h"
#include "storage/CopiasSeguridad.h"
#include "storage/GuardadoAtomico.h"

#include "tests/ArchivosPrueba.h"
#include "tests/DialogosPrueba.h"

#include <QtTest>

namespace {

CustodiaArchivos::Contenido Contenido(const QByteArray& bytes) {
    return [=](QIODevice& destino) {
        return EscribirTodo(destino, bytes) ? ErrorArchivo::Ninguno
                                            : ErrorArchivo::NoSePuedeEscribir;
    };
}

// No user, root included, can write a file where a folder stands.
void Ocupar(const QString& ruta) {
    QFile::remove(ruta);
    QVERIFY(QDir().mkpath(ruta));
}

} // namespace

class TestCustodia : public QObject {
    Q_OBJECT
private slots:
    void init();
    void falloAvisadoUnaVezYCopiaAlCerrar();
    void originalConservadoUnaVez();
    void archivoQueNoSePuedeEscribirSeLeeYSeAvisa();

private:
    std::unique_ptr<QTemporaryDir> FCarpeta;
    Cajas FCajas;
};

void TestCustodia::init() {
    QStandardPaths::setTestModeEnabled(true);
    FCarpeta = std::make_unique<QTemporaryDir>();
    FCajas.vistas.clear();
    FCajas.alMostrar = {};
}

void TestCustodia::falloAvisadoUnaVezYCopiaAlCerrar() {
    CustodiaArchivos custodia(nullptr);
    const QString notas = FCarpeta->filePath("pinaco.DAT");
    const QString direcciones = FCarpeta->filePath("pinaco.NET");
    Ocupar(notas);
    Ocupar(direcciones);
    // A second failure while the first box is open shows nothing more.
    bool segundoGuardado = true;
    FCajas.alMostrar = [&] {
        if (FCajas.vistas.size() == 1)
            segundoGuardado = custodia.Guardar(direcciones, Contenido("x"), false);
    };
    QVERIFY(!custodia.Guardar(notas, Contenido("x"), false));
    QVERIFY(!segundoGuardado);
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(FCajas.vistas[0].Texto.contains(notas));
    // The autosave keeps trying, silently, until the file saves again.
    QVERIFY(!custodia.Guardar(notas, Contenido("x"), false));
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(QDir().rmdir(notas));
    QVERIFY(custodia.Guardar(notas, Contenido("x"), false));
    Ocupar(notas);
    QVERIFY(!custodia.Guardar(notas, Contenido("x"), false));
    QCOMPARE(FCajas.vistas.size(), 2);

    // At shutdown no box: the changes go beside the file, or further when that fails too.
    const QString lejos = RutasRecuperacion(notas).at(1);
    Ocupar(notas + ".recuperacion");
    QVERIFY(!custodia.Guardar(notas, Contenido("otro"), true));
    QCOMPARE(LeerBytes(lejos), QByteArray("otro"));
    QCOMPARE(QFile::permissions(lejos) & (QFile::ReadOther | QFile::ReadGroup), 0);
    // Another board's file of the same name neither finds nor deletes that copy.
    const QString otroTablero = FCarpeta->filePath("otro/pinaco.DAT");
    QVERIFY(RecuperacionExistente(otroTablero).isEmpty());
    BorrarRecuperaciones(otroTablero);
    QVERIFY(QFile::exists(lejos));
    QVERIFY(QDir().rmdir(notas + ".recuperacion"));
    QVERIFY(!custodia.Guardar(notas, Contenido("nuevo"), true));
    QCOMPARE(LeerBytes(notas + ".recuperacion"), QByteArray("nuevo"));
    QCOMPARE(FCajas.vistas.size(), 2);

    // The next start reads the newer copy, beside the file; a good save removes them all.
    QCOMPARE(custodia.OrigenDeCarga(notas, "las notas"), notas + ".recuperacion");
    QVERIFY(QDir().rmdir(notas));
    QVERIFY(custodia.Guardar(notas, Contenido("nuevo"), false));
    QVERIFY(RecuperacionExistente(notas).isEmpty());
}

void TestCustodia::originalConservadoUnaVez() {
    CustodiaArchivos custodia(nullptr);
    const QString notas = FCarpeta->filePath("pinaco.DAT");
    EscribirBytes(notas, "uno\x1A-dos");
    QVERIFY(custodia.ConservarOriginal(notas, "notas"));
    // The same file again keeps the same copy; another file never overwrites it.
    QVERIFY(custodia.ConservarOriginal(notas, "notas"));
    QVERIFY(!QFile::exists(notas + ".original.2"));
    EscribirBytes(notas, "tres\x1A-cuatro");
    QVERIFY(custodia.ConservarOriginal(notas, "notas"));
    QCOMPARE(LeerBytes(notas + ".original"), QByteArray("uno\x1A-dos"));
    QCOMPARE(LeerBytes(notas + ".original.2"), LeerBytes(notas));
    QVERIFY(!custodia.ConservarOriginal(FCarpeta->filePath("no-existe.DAT"), "notas"));
}

// An unwritable notes file still loads beside the program, and the user is told; the per-user
// folder stands in only for a program folder without notes that takes none. Writability of
// a link is that of its target.
void TestCustodia::archivoQueNoSePuedeEscribirSeLeeYSeAvisa() {
    const QString carpeta = FCarpeta->filePath("programa");
    QVERIFY(QDir().mkpath(carpeta));
    const QString programa = carpeta + "/pinaco";
    EscribirBytes(programa + ".DAT", "PINACO_NOTAS_BD_3.0\r\n");
    const auto lectura = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto paso = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    // A link there to a file that may be written is saved at its target, keeping the link.
    QVERIFY(QDir().mkpath(FCarpeta->filePath("libre")));
    const QString destino = ArchivoEn(*FCarpeta, "libre/pinaco.DAT", "x");
    const auto todos = lectura | paso | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(FCarpeta->filePath("libre"), todos);
    QFile::setPermissions(destino, todos);
    QVERIFY(QFile::link(destino, carpeta + "/enlace.DAT"));
    QFile::setPermissions(FCarpeta->path(), lectura | paso | QFile::WriteOwner);
    QFile::setPermissions(carpeta, lectura | paso);
    QFile::setPermissions(programa + ".DAT", lectura);

    const auto prueba = [&] {
        CustodiaArchivos custodia(nullptr);
        const QString ruta = RutaArchivoDatos(programa, "DAT");
        custodia.ComprobarEscritura(ruta);
        custodia.ComprobarEscritura(ruta);
        QStringList visto{ruta};
        if (FCajas.vistas.size() == 1 && FCajas.vistas[0].Texto.contains(ruta))
            visto << "avisado";
        // Closed without a change: nothing to recover at the next start, not even an old copy.
        EscribirBytes(RutasRecuperacion(ruta).last(), LeerBytes(ruta));
        custodia.Guardar(ruta, Contenido(LeerBytes(ruta)), true);
        if (RecuperacionExistente(ruta).isEmpty())
            visto << "sin copia";
        custodia.Guardar(ruta, Contenido("cambio"), true);
        if (LeerBytes(RecuperacionExistente(ruta)) == "cambio")
            visto << "cambio copiado";
        BorrarRecuperaciones(ruta);
        custodia.ComprobarEscritura(carpeta + "/enlace.DAT");
        if (custodia.Guardar(carpeta + "/enlace.DAT", Contenido("nuevo"), false) &&
            FCajas.vistas.size() == 1 && LeerBytes(destino) == "nuevo")
            visto << "enlace";
        return visto.join(u'|').toUtf8();
    };
    const QByteArray respuesta = SinPrivilegios(prueba);
    QFile::setPermissions(carpeta, lectura | paso | QFile::WriteOwner);
    QCOMPARE(respuesta, (programa + ".DAT|avisado|sin copia|cambio copiado|enlace").toUtf8());
    QVERIFY(QFileInfo(carpeta + "/enlace.DAT").isSymLink());
    const QString sinNotas = FCarpeta->filePath("no-existe/pinaco");
    QCOMPARE(QFileInfo(RutaArchivoDatos(sinNotas, "NET")).absolutePath(),
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QTEST_MAIN(TestCustodia)
#include "test_custodia.moc"
