#include "app/TraduccionesQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CargarTraduccionesQt() {
    const QString carpeta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* traductor = new QTranslator(QCoreApplication::instance());
    if (!traductor->load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                         QStringLiteral("_"), carpeta)) {
        delete traductor;
        return false;
    }
    return QCoreApplication::installTranslator(traductor);
}
