#include "config/EscenaMoztro.h"

#include <limits>
#include <utility>

EscenaMoztro::EscenaMoztro(Azar azar)
    : FAzar(std::move(azar)), FTexto1(QStringLiteral("¿Bugs? ¡Este código")),
      FTexto2(QStringLiteral("no tiene bugs!")) {}

// True once T has reached n; the wait then starts over.
bool EscenaMoztro::Espera(int n) {
    if (FT < n)
        return false;
    FT = 0;
    return true;
}

void EscenaMoztro::Parpadeo() {
    Mostrar(imgMoztroParpadea, true);
    FB = 1;
    ++FRB;
    FRG = 0;
    FS = 8;
}

void EscenaMoztro::Mirada() {
    Mostrar(imgMoztroOjosDcha, true);
    FG = 1;
    ++FRG;
    FRB = 0;
    FS = 10;
}

void EscenaMoztro::TimerBugTimer() {
    // State 1 may wait for a click for ever; the count must not overflow meanwhile.
    if (FT < std::numeric_limits<int>::max())
        ++FT;
    switch (FS) {
    case 0:
        if (FT >= EsperaAparicion) {
            Mostrar(imgMoztro, true);
            Mostrar(imgBocadilloGrande, true);
            Mostrar(lblMoztro1, true);
            Mostrar(lblMoztro2, true);
            FS = 1;
        }
        break;
    case 1:
        break;
    case 2:
        if (Espera(1)) {
            Mostrar(imgMoztroParpadea, false);
            ++FB;
            FS = FB == 2 ? 4 : 3;
        }
        break;
    case 3:
        if (Espera(1)) {
            Mostrar(imgMoztroParpadea, true);
            FS = 2;
        }
        break;
    case 4:
        if (Espera(8)) {
            Mostrar(imgRoto, true);
            FTexto1 = QStringLiteral(". . .");
            FTexto2.clear();
            FS = 5;
        }
        break;
    case 5:
        if (Espera(8)) {
            Mostrar(imgMoztroOjosDcha, true);
            FS = 6;
        }
        break;
    case 6:
        if (Espera(4)) {
            Mostrar(imgMoztroOjosDcha, false);
            ++FG;
            if (FG >= 2) {
                FTexto1 = QStringLiteral("Uh Oh...");
                FG = 0;
                FB = 0;
                FW = FAzar(8) + 4;
                FRB = 0;
                FRG = 10;
                FS = 7;
            } else {
                FS = 5;
            }
        }
        break;
    case 7:
        if (Espera(FW)) {
            FW = FAzar(12) + 2;
            const int r = FAzar(100);
            if (r < 7) {
                FL = 0;
                Mostrar(imgMoztroOjosIzda, true);
                FS = 12;
            } else if (FRG > 1 && FRB <= 1) {
                Parpadeo();
            } else if (FRG <= 1 && FRB > 1) {
                Mirada();
            } else if (r < 50) {
                Parpadeo();
            } else {
                Mirada();
            }
        }
        break;
    case 8:
        if (Espera(1)) {
            Mostrar(imgBocadilloGrande, false);
            Mostrar(lblMoztro1, false);
            Mostrar(lblMoztro2, false);
            Mostrar(imgMoztroParpadea, false);
            ++FB;
            FS = FB >= 2 ? 7 : 9;
        }
        break;
    case 9:
        if (Espera(1)) {
            Mostrar(imgMoztroParpadea, true);
            FS = 8;
        }
        break;
    case 10:
        if (Espera(4)) {
            Mostrar(imgMoztroOjosDcha, false);
            ++FG;
            FS = FG >= 2 ? 7 : 11;
        }
        break;
    case 11:
        if (Espera(8)) {
            Mostrar(imgMoztroOjosDcha, true);
            FS = 10;
        }
        break;
    case 12:
        if (Espera(2)) {
            ++FL;
            if (FL >= 2) {
                FRG = 9;
                FS = 7;
                Mostrar(imgMoztroOjosIzda, false);
            } else {
                Mostrar(imgMoztroOjosDcha, true);
                Mostrar(imgMoztroOjosIzda, false);
                FS = 13;
            }
        }
        break;
    case 13:
        if (Espera(2)) {
            Mostrar(imgMoztroOjosIzda, true);
            Mostrar(imgMoztroOjosDcha, false);
            FS = 12;
        }
        break;
    default:
        break;
    }
}

bool EscenaMoztro::imgMoztroClick() {
    if (FS != 1)
        return false;
    FT = -1;
    Mostrar(imgMoztroParpadea, true);
    FS = 2;
    return true;
}
