#include "core/GeometriaNotas.h"

#include <tuple>

namespace {

// No larger than the room the board has for it.
void AcotarNotaRecibida(DatosNota& nota, QSize sitio) {
    AcotarGeometria(nota);
    nota.Width = qMin(nota.Width, qMax(sitio.width(), 0));
    nota.Height = qMin(nota.Height, qMax(sitio.height(), 0));
    nota.FontSize = qMin(nota.FontSize, kMaxFuenteRecibida);
}

} // namespace

bool PosicionOcupada(const QList<QRect>& notas, int X, int Y, int W, int H) {
    for (const QRect& n : notas) {
        // The window is open at both ends: a note 8 up and left is free (the second new
        // note lands 8,8 from the first).
        const bool esquinaCerca =
            n.left() > X - 8 && n.left() < X + 2 && n.top() > Y - 8 && n.top() < Y + 2;
        const bool dentro = n.left() >= X && n.top() >= Y && n.left() + n.width() <= X + W &&
                            n.top() + n.height() <= Y + H;
        if (esquinaCerca || dentro)
            return true;
    }
    return false;
}

QPoint PosicionLibre(const QList<QRect>& notas, int W, int H) {
    // Past the rightmost note no position can be taken any more.
    qint64 ultimaX = 0;
    for (const QRect& n : notas)
        ultimaX = qMax<qint64>(ultimaX, n.left());
    int x = 40, y = 70;
    while (x <= ultimaX + 8 && PosicionOcupada(notas, x, y, W, H)) {
        x += 8;
        y += 8;
    }
    return {x, y};
}

void AcotarGeometria(DatosNota& nota) {
    constexpr int kLejos = 100000;
    constexpr int kMayor = 10000;
    nota.Left = qBound(-kLejos, nota.Left, kLejos);
    nota.Top = qBound(-kLejos, nota.Top, kLejos);
    nota.Width = qBound(0, nota.Width, kMayor);
    nota.Height = qBound(0, nota.Height, kMayor);
}

QRect DentroDelPinaco(QRect nota, int anchoPinaco, int altoPinaco, int tipoPinaco) {
    if (nota.left() < 15)
        nota.moveLeft(15);
    if (tipoPinaco == 1 && nota.top() < 15)
        nota.moveTop(15);
    if (tipoPinaco == 2 && nota.top() < 45)
        nota.moveTop(45);
    if (nota.top() + nota.height() > altoPinaco - 15)
        nota.moveTop(altoPinaco - nota.height() - 15);
    if (nota.left() + nota.width() > anchoPinaco - 15)
        nota.moveLeft(anchoPinaco - nota.width() - 15);
    return nota;
}

bool Solapada(const QRect& A, std::span<const QRect> posteriores) {
    const int aRight = A.left() + A.width(), aBottom = A.top() + A.height();
    for (const QRect& B : posteriores) {
        const int bRight = B.left() + B.width(), bBottom = B.top() + B.height();
        if (A.left() >= B.left() && B.top() <= A.top() && bRight > A.left() && bBottom > A.top())
            return true;
        if (B.left() >= A.left() && aRight > B.left() && B.top() < A.top() && bBottom > A.top())
            return true;
        if (B.left() < A.left() && B.top() > A.top() && bRight > A.left() && aBottom > B.top())
            return true;
    }
    return false;
}

DatosNota LugarNotaRecibida(DatosNota nota, std::span<const QRect> otras, QSize pinaco,
                            int tipoPinaco) {
    // The margins keep it off the frame and its buttons.
    AcotarNotaRecibida(nota, pinaco - QSize(30, 30 + (tipoPinaco == 2 ? 30 : 0)));
    QRect lugar(nota.Left, nota.Top, nota.Width, nota.Height);
    while (Solapada(lugar, otras))
        lugar.translate(7, 7);
    lugar = DentroDelPinaco(lugar, pinaco.width(), pinaco.height(), tipoPinaco);
    nota.Left = lugar.left();
    nota.Top = lugar.top();
    return nota;
}

qsizetype NotaSiguienteEnLectura(std::span<const QRect> notas, qsizetype actual, bool adelante) {
    const auto clave = [&](qsizetype i) { return std::tuple(notas[i].top(), notas[i].left(), i); };
    const bool hayActual = actual >= 0 && actual < qsizetype(notas.size());
    qsizetype mejor = -1;
    for (qsizetype i = 0; i < qsizetype(notas.size()); ++i) {
        if (notas[i].isNull() || i == actual)
            continue;
        if (hayActual && (adelante ? clave(i) < clave(actual) : clave(actual) < clave(i)))
            continue;
        if (mejor < 0 || (adelante ? clave(i) < clave(mejor) : clave(mejor) < clave(i)))
            mejor = i;
    }
    return mejor;
}
