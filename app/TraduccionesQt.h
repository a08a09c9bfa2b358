#pragma once

// Qt's own texts (file and font choosers, context menus, standard buttons) in Spanish,
// whatever the user's locale: the rest of the program speaks Spanish only.
// Returns false when Qt's Spanish translations are not installed; Qt then speaks English.
bool CargarTraduccionesQt();
