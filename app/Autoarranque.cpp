#include "app/Autoarranque.h"

QString ArgumentoExec(const QString& programa) {
    // Inside double quotes: ", `, $ and \ take a backslash; a literal % is %%.
    QString citado;
    for (const QChar c : programa) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            citado += u'\\';
        if (c == u'%')
            citado += u'%';
        citado += c;
    }
    citado = u'"' + citado + u'"';
    // The value is a string of the key file as well, with its own escapes.
    QString valor;
    for (const QChar c : citado) {
        switch (c.unicode()) {
        case u'\\':
            valor += QStringLiteral("\\\\");
            break;
        case u'\n':
            valor += QStringLiteral("\\n");
            break;
        case u'\t':
            valor += QStringLiteral("\\t");
            break;
        case u'\r':
            valor += QStringLiteral("\\r");
            break;
        default:
            valor += c;
        }
    }
    return valor;
}

QString EntradaAutoarranque(const QString& programa) {
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Pinaco\n"
                          "Comment=Notas en un tablero de corcho\n"
                          "Exec=%1\nX-GNOME-Autostart-enabled=true\n")
        .arg(ArgumentoExec(programa));
}
