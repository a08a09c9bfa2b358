#include "app/Autoarranque.h"

namespace {

// A string value of the key file, with its own escapes.
QString ValorCadena(const QString& texto) {
    QString valor;
    for (const QChar c : texto) {
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

} // namespace

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
    return ValorCadena(u'"' + citado + u'"');
}

QString EntradaAutoarranque(const QString& programa) {
    // TryExec: once the program is removed, the session no longer tries to start it.
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=Pinaco\n"
                          "Comment=Notas en un tablero de corcho\n"
                          "TryExec=%1\nExec=%2\nX-GNOME-Autostart-enabled=true\n")
        .arg(ValorCadena(programa), ArgumentoExec(programa));
}
