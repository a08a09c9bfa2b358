#pragma once
// The icon of a message box, named where no window is at hand (the network client says
// which box to show; the widgets show it).
enum class IconoMensaje { Error, Exclamacion, Informacion, Pregunta };
