#pragma once
// Small pieces the configuration panels share.
#include <QSize>
#include <QStyle>
#include <initializer_list>
#include <utility>

class QHBoxLayout;
class QRadioButton;
class QVBoxLayout;
class QToolButton;
class QWidget;

// Sets each radio as given, all unchecked included, which exclusive radios refuse by themselves.
void MarcarRadios(std::initializer_list<std::pair<QRadioButton*, bool>> radios);

// A flat tool button with one of the style's icons and a hint.
QToolButton* CrearBotonHerramienta(QWidget* padre, QStyle::StandardPixmap icono,
                                   const QString& pista);

// The panels' place in the dialog: 329 x 329, larger where the desktop's font needs more.
constexpr int kLadoPanel = 329;
QSize TamanoPanel(const QWidget* panel);

// The panel's column of rows, tight enough for the longest tab at a wide desktop font.
QVBoxLayout* CrearColumnaPanel(QWidget* panel);
// A little space between groups of rows.
void SepararGrupo(QVBoxLayout* columna);
// A row added to the column, its controls indented by sangria pixels.
QHBoxLayout* AnadirFila(QVBoxLayout* columna, int sangria = 0);
