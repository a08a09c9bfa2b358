#pragma once
// The about box: a borderless painted window with a credit line, a dedication, a link to
// the maker's page and an OK button, plus the monster's scene. Modeless and owned by the
// board; it frees itself when closed:  (new TfrmAbout(board))->show();
#include "config/EscenaMoztro.h"

#include <QPoint>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QTimer;

class TfrmAbout : public QWidget {
    Q_OBJECT

public:
    // Opens an address in the browser; returns whether it could.
    using AbridorWeb = std::function<bool(const QUrl&)>;

    // azar empty: the scene draws from the system's random generator.
    explicit TfrmAbout(QWidget* owner, EscenaMoztro::Azar azar = {});

    // Replaces QDesktopServices::openUrl (for tests); an empty function brings it back.
    static void FijarAbridorWeb(AbridorWeb abridor);
    static QUrl DireccionWeb();
    static QString LineaCreditos();

    const EscenaMoztro& Escena() const { return FEscena; }

    void TimerBugTimer();
    void imgMoztroClick();
    void Label4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Imagen(const char* nombre, const QString& archivo, QPoint posicion);
    QLabel* Texto(const char* nombre, const QString& texto, QRect zona);
    void CrearEscena();
    void Aplicar();
    bool Arrastra(QObject* objeto) const;
    void ImgFondoMouseDown(QPoint global);
    void ImgAceptarNormalMouseDown();
    void ImgAceptarNormalMouseUp();

    EscenaMoztro FEscena;
    std::array<QLabel*, EscenaMoztro::NumElementos> FElementos{};
    QLabel* ImgFondo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel* ImgAceptarApretado = nullptr;
    QLabel* ImgAceptarNormal = nullptr;
    QTimer* TimerBug = nullptr;
    // The plain move used where the window system will not move the window itself.
    bool FArrastrando = false;
    QPoint FAgarre;
};
