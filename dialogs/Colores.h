#pragma once
// Conversion between the stored colour values and what Qt paints with.
#include <QColor>

QColor ColorDesdeValor(quint32 valor);
quint32 ValorDesdeColor(const QColor& color);
