#pragma once
// Small pieces the configuration panels share.
#include <QSize>
#include <QStyle>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QRadioButton;
class QVBoxLayout;
class QToolButton;

// Sets each radio as given, all unchecked included, which exclusive radios refuse by themselves.
void MarcarRadios(std::initializer_list<std::pair<QRadioButton*, bool>> radios);

// A flat tool button with one of the style's icons and a hint.
QToolButton* CrearBotonHerramienta(QWidget* padre, QStyle::StandardPixmap icono,
                                   const QString& pista);

// The panels' place in the dialog: 329 x 329, larger where the desktop's font needs more.
constexpr int kLadoPanel = 329;
QSize TamanoPanel(const QWidget* panel);

// A tab of the dialog, sized as above; that size already holds the broken captions.
class PanelConfiguracion : public QWidget {
public:
    using QWidget::QWidget;
    QSize sizeHint() const override { return TamanoPanel(this); }
    QSize minimumSizeHint() const override { return sizeHint(); }
    bool hasHeightForWidth() const override { return false; }
};

// Picks a file: given the current path, the chosen full path, or empty when the user cancels.
using ElegirArchivo = std::function<QString(const QString& actual)>;

// The panel's column of rows, tight enough for the longest tab at a wide desktop font.
QVBoxLayout* CrearColumnaPanel(QWidget* panel);
// A little space between groups of rows.
void SepararGrupo(QVBoxLayout* columna);
// A row added to the column, its controls indented by sangria pixels.
QHBoxLayout* AnadirFila(QVBoxLayout* columna, int sangria = 0);
