#pragma once
// What a screen reader is told about the board's own widgets: a note is a note with its text,
// pin and due date; a round button is a push button named by its hint that can be pressed.
#include <QString>

struct DatosNota;

// Once per program, before the board is built.
void InstalarAccesibilidadTablero();

// The words for a note's pin and due date.
QString DescripcionNota(const DatosNota& datos);
