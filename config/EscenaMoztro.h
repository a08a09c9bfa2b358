#pragma once
// The little scene of the about box: after a minute a monster shows up; clicked, it blinks,
// a hole tears into the cork, it looks around and then idles until the box closes. A plain
// state machine, one call per 250 ms tick, so tests can drive it without a window.
#include <QString>
#include <array>
#include <functional>

class EscenaMoztro {
public:
    // The pictures and labels whose visibility the scene decides.
    enum Elemento {
        imgMoztro,
        imgMoztroParpadea,
        imgMoztroOjosDcha,
        imgMoztroOjosIzda,
        imgBocadilloGrande,
        lblMoztro1,
        lblMoztro2,
        imgRoto,
        NumElementos
    };

    // Returns a whole number from 0 to n - 1.
    using Azar = std::function<int(int n)>;

    static constexpr int EsperaAparicion = 240; // ticks: one minute

    explicit EscenaMoztro(Azar azar);

    void TimerBugTimer();
    // Acts only in state 1; returns whether it did.
    bool imgMoztroClick();

    bool Visible(Elemento e) const { return FVisible[e]; }
    const QString& TextoMoztro1() const { return FTexto1; }
    const QString& TextoMoztro2() const { return FTexto2; }
    // Once the scene has started, the monster and its bubble drag the box like the background.
    bool MoztroArrastra() const { return FS >= 2; }

    int T() const { return FT; }
    int S() const { return FS; }
    int B() const { return FB; }
    int G() const { return FG; }
    int W() const { return FW; }
    int RB() const { return FRB; }
    int RG() const { return FRG; }
    int L() const { return FL; }

private:
    bool Espera(int n);
    void Mostrar(Elemento e, bool visible) { FVisible[e] = visible; }
    void Parpadeo();
    void Mirada();

    Azar FAzar;
    std::array<bool, NumElementos> FVisible{};
    QString FTexto1;
    QString FTexto2;
    int FT = 0;
    int FS = 0;
    int FB = 0;
    int FG = 0;
    int FW = 0;
    int FRB = 0;
    int FRG = 0;
    int FL = 0;
};
