#pragma once
// What went wrong with a data file; every reader and writer returns one of these.

enum class ErrorArchivo {
    Ninguno,
    NoSePuedeLeer,     // the file exists but cannot be opened or read
    NumeroNoValido,    // a number field holds something else
    NoEsArchivo,       // a FIFO, a device or a folder: reading it could block or never end
    DemasiadoGrande,   // more than any board writes: reading it would fill the memory
    TextoNoGuardable,  // a field holds a character the file cannot carry
    NoSePuedeEscribir, // the file system refused the save; the stored file is untouched
    DiscoLleno,        // no room left for the new file; the stored file is untouched
    SinPermiso,        // the file or its folder may not be written; untouched
};
