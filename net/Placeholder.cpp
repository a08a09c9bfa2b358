// Filled by the note transfer protocol and the note server.
