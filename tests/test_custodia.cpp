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
    void copiaSoloSobreSuFichero_data();
    void copiaSoloSobreSuFichero();
    void tablerosDeUnFicheroNoSePisan();
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
    // Another board's file of the same name does not find that copy.
    QVERIFY(RecuperacionesExistentes(FCarpeta->filePath("otro/pinaco.DAT")).isEmpty());
    QVERIFY(QDir().rmdir(notas + ".recuperacion"));
    QVERIFY(!custodia.Guardar(notas, Contenido("nuevo"), true));
    QCOMPARE(LeerBytes(notas + ".recuperacion"), QByteArray("nuevo"));
    QCOMPARE(FCajas.vistas.size(), 2);

    // The newer copy replaced the older one; the next start reads it and a good save
    // removes it.
    QVERIFY(QDir().rmdir(notas));
    QCOMPARE(custodia.OrigenDeCarga(notas, "las notas"), notas + ".recuperacion");
    QVERIFY(custodia.Guardar(notas, Contenido("nuevo"), false));
    QVERIFY(RecuperacionesExistentes(notas).isEmpty());
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

// A recovery copy is loaded only over the file it was made over, or over none; a copy that
// does not say which file that was is taken to be stale. Any other stays, and the user is
// told where.
void TestCustodia::copiaSoloSobreSuFichero_data() {
    QTest::addColumn<QByteArray>("antes"); // the file when the copy was made; null: none
    QTest::addColumn<bool>("conNota");
    QTest::addColumn<QByteArray>("despues"); // the file at the next start; null: none
    QTest::addColumn<bool>("cargada");
    const QByteArray uno("uno"), dos("dos"), ninguno;
    QTest::newRow("file as it was") << uno << true << uno << true;
    QTest::newRow("same size, other bytes") << uno << true << dos << false;
    QTest::newRow("file made since") << ninguno << true << dos << false;
    QTest::newRow("file gone") << uno << true << ninguno << true;
    QTest::newRow("no note, file there") << uno << false << uno << false;
    QTest::newRow("no note, file gone") << uno << false << ninguno << true;
}

void TestCustodia::copiaSoloSobreSuFichero() {
    QFETCH(QByteArray, antes);
    QFETCH(bool, conNota);
    QFETCH(QByteArray, despues);
    QFETCH(bool, cargada);
    const QString ruta = FCarpeta->filePath("pinaco.DAT");
    if (!antes.isNull())
        EscribirBytes(ruta, antes);
    const QString copia = GuardarRecuperacion(
        ruta, [](const QString& destino) { return GuardarBytes(destino, "copia"); },
        conNota ? EstadoActual(ruta) : std::nullopt, {});
    QFile::remove(ruta);
    if (!despues.isNull())
        EscribirBytes(ruta, despues);
    CustodiaArchivos custodia(nullptr);
    QCOMPARE(custodia.OrigenDeCarga(ruta, "las notas"), cargada ? copia : ruta);
    QCOMPARE(LeerBytes(copia), QByteArray("copia"));
    QCOMPARE(FCajas.vistas.size(), 1);
    QVERIFY(FCajas.vistas[0].Texto.contains(copia));
}

// Boards that take turns on one file: one board's save keeps another's recovery copy, which
// goes only once the notes it holds are saved; a save over a file another board wrote
// meanwhile keeps that version beside it.
void TestCustodia::tablerosDeUnFicheroNoSePisan() {
    const QString ruta = FCarpeta->filePath("pinaco.DAT");
    EscribirBytes(ruta, "leido");
    CustodiaArchivos uno(nullptr), dos(nullptr), tres(nullptr);
    QCOMPARE(uno.OrigenDeCarga(ruta, "las notas"), ruta);
    Ocupar(ruta);
    QVERIFY(!uno.Guardar(ruta, Contenido("de uno"), true));
    const QString copia = ruta + ".recuperacion";
    QCOMPARE(LeerBytes(copia), QByteArray("de uno"));
    QVERIFY(QDir().rmdir(ruta));
    EscribirBytes(ruta, "leido");

    QCOMPARE(tres.OrigenDeCarga(ruta, "las notas"), copia);
    QVERIFY(dos.Guardar(ruta, Contenido("de dos"), false));
    QCOMPARE(LeerBytes(copia), QByteArray("de uno"));
    QVERIFY(tres.Guardar(ruta, Contenido("de tres"), true));
    QVERIFY(RecuperacionesExistentes(ruta).isEmpty());
    QCOMPARE(LeerBytes(ruta + ".ajeno"), QByteArray("de dos"));
    QCOMPARE(LeerBytes(ruta), QByteArray("de tres"));
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
        // Closed without a change: nothing to recover at the next start, not even the copy
        // it loaded.
        GuardarRecuperacion(ruta,
                            [&](const QString& c) { return GuardarBytes(c, LeerBytes(ruta)); },
                            EstadoActual(ruta), {});
        custodia.OrigenDeCarga(ruta, "las notas");
        custodia.Guardar(ruta, Contenido(LeerBytes(ruta)), true);
        if (RecuperacionesExistentes(ruta).isEmpty())
            visto << "sin copia";
        custodia.Guardar(ruta, Contenido("cambio"), true);
        const QList<CopiaRecuperacion> copias = RecuperacionesExistentes(ruta);
        if (!copias.isEmpty() && LeerBytes(copias[0].Ruta) == "cambio")
            visto << "cambio copiado";
        for (const CopiaRecuperacion& copia : copias)
            BorrarRecuperacion(copia.Ruta);
        const qsizetype cajas = FCajas.vistas.size();
        custodia.ComprobarEscritura(carpeta + "/enlace.DAT");
        if (custodia.Guardar(carpeta + "/enlace.DAT", Contenido("nuevo"), false) &&
            FCajas.vistas.size() == cajas && LeerBytes(destino) == "nuevo")
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
