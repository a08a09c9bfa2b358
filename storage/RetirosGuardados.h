#pragma once
// The withdrawals of flood control, kept in a file of their own beside the address book:
// the address book keeps its layout, and a restart neither ends a withdrawal nor makes a
// temporary one permanent. Four lines per withdrawal, each ended by CR LF: the address,
// its day "dd-mm-yyyy", its time "hh:mm:ss" (empty for a permanent one), and "1" when it
// is held by the address's own entry, "0" when by its record beside the pattern that
// admits it.
#include "storage/ErrorArchivo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class ListaIP;

// Nothing to keep removes the file.
ErrorArchivo GuardarRetiros(const ListaIP& lista, const QString& ruta);
QByteArray BytesRetiros(const ListaIP& lista);

// Into an address book already loaded. An own entry takes its withdrawal back only while it
// is still without permission (else it was given back by hand) and has none of its own; a
// record that is not well formed is skipped. A missing file is no error. `pendientes`: how
// many temporary withdrawals wait for their restoration.
ErrorArchivo CargarRetiros(ListaIP& lista, const QString& ruta, int* pendientes = nullptr);
int LeerRetiros(ListaIP& lista, QByteArrayView bytes);
