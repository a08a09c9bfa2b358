#pragma once
// Settings and autostart entries of a test go into its own folder, never the developer's.
#include <QDir>
#include <QSettings>
#include <QString>

inline void AislarConfiguracion(const QString& carpeta) {
    QDir().mkpath(carpeta);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, carpeta);
    qputenv("XDG_CONFIG_HOME", carpeta.toLocal8Bit());
}

inline QString ArchivoConfiguracion(const QString& carpeta) {
    return carpeta + QStringLiteral("/Morvanti/Pinaco.conf");
}
