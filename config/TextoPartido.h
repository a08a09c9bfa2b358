#pragma once
// Check boxes and radio buttons whose caption breaks into lines where the panel is narrower
// than the caption, so that no caption is cut at a wide desktop font.
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <type_traits>

namespace TextoPartidoDetalle {

struct Elementos {
    QStyle::ControlElement Control;
    QStyle::SubElement Contenido;
};

int AltoParaAncho(const QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
                  int ancho, int altoUnaLinea);
QSize TamanoMinimo(const QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
                   int altoUnaLinea);
void Pintar(QWidget* boton, QStyleOptionButton opcion, const Elementos& elementos,
            int altoUnaLinea);

} // namespace TextoPartidoDetalle

template <class Boton> class TextoPartido : public Boton {
public:
    explicit TextoPartido(const QString& texto, QWidget* parent = nullptr) : Boton(texto, parent) {
        // Free to grow downwards, as its caption breaks into more lines.
        QSizePolicy politica(QSizePolicy::Preferred, QSizePolicy::Minimum);
        politica.setHeightForWidth(true);
        this->setSizePolicy(politica);
    }

    int heightForWidth(int ancho) const override {
        return TextoPartidoDetalle::AltoParaAncho(this, Opcion(), kElementos, ancho, AltoLinea());
    }
    QSize minimumSizeHint() const override {
        return TextoPartidoDetalle::TamanoMinimo(this, Opcion(), kElementos, AltoLinea());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        TextoPartidoDetalle::Pintar(this, Opcion(), kElementos, AltoLinea());
    }
    // The whole caption answers the mouse, every line of it.
    bool hitButton(const QPoint& punto) const override { return this->rect().contains(punto); }

private:
    static constexpr bool kRadio = std::is_same_v<Boton, QRadioButton>;
    static constexpr TextoPartidoDetalle::Elementos kElementos{
        kRadio ? QStyle::CE_RadioButton : QStyle::CE_CheckBox,
        kRadio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents};

    QStyleOptionButton Opcion() const {
        QStyleOptionButton opcion;
        this->initStyleOption(&opcion);
        return opcion;
    }
    int AltoLinea() const { return Boton::sizeHint().height(); }
};

using CasillaPartida = TextoPartido<QCheckBox>;
using RadioPartido = TextoPartido<QRadioButton>;
