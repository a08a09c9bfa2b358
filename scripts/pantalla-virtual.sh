# Sourced by the scripts that drive the real board under Xvfb: a display of their own with a
# window manager, boards in folders of their own, and a wait for a window. The caller keeps
# the pids in the array `pids` and names the board's binary in `programa`.

# A folder of the script's own in `trabajo`; at the end every process in `pids` is killed
# (signal given, TERM by default) and the folder removed.
empezar_trabajo() {
    trabajo=$(mktemp -d)
    pids=()
    senal_final=${1:-TERM}
    trap 'for pid in "${pids[@]}"; do kill -"$senal_final" "$pid" 2>/dev/null || true; done
          wait 2>/dev/null || true; rm -rf "$trabajo"' EXIT
}

# Starts Xvfb on the first free display from :90 and openbox on it; exports DISPLAY.
abrir_pantalla() {
    local n pantalla=""
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { pantalla=":$n"; break; }
    done
    [ -n "$pantalla" ] || { echo "no hay pantalla libre" >&2; return 1; }
    Xvfb "$pantalla" -screen 0 "${1:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=$pantalla
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
    # Windows take the keyboard only with a window manager.
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
}

# Prints the id of the first visible window whose title matches; fails after a minute (a
# sanitizer build under load is slow to open a window).
esperar_ventana() {
    # Polled rather than `xdotool search --sync`: a window that closes while xdotool reads it
    # (a menu going away) makes xdotool die of an X error, and one failed search must not
    # count as a missing window.
    local fin=$((SECONDS + ${ESPERA_VENTANA:-60})) ventanas
    while :; do
        ventanas=$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)
        if [ -n "$ventanas" ]; then
            printf '%s\n' "${ventanas%%$'\n'*}"
            return 0
        fi
        [ "$SECONDS" -lt "$fin" ] || return 1
        sleep 0.1
    done
}

# A board in its own folder, with its own settings and single-instance socket: the folder,
# the settings' lines, the address book's bytes (a printf format).
preparar_tablero() {
    mkdir -p "$1/cfg/Morvanti" "$1/run"
    chmod 700 "$1/run"
    cp "$programa" "$1/pinaco"
    printf '[General]\n%s\n' "$2" >"$1/cfg/Morvanti/Pinaco.conf"
    printf "$3" >"$1/pinaco.NET"
}

# Starts the board of that folder with some extra environment; its pid goes to `arrancado`,
# what it prints to salida.txt there.
arrancar_tablero() {
    (cd "$1" && exec env XDG_CONFIG_HOME="$1/cfg" XDG_RUNTIME_DIR="$1/run" $2 ./pinaco \
        >"$1/salida.txt" 2>&1) &
    arrancado=$!
    pids+=($!)
}

# The first loopback port from $1 on that nobody listens on; the caller's `fallo` when none.
puerto_libre() {
    local p
    for p in $(seq "$1" $(($1 + 200))); do
        (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }
    done
    fallo "no hay puerto libre"
}

# Ends a board as the session's end would, and waits for it; the caller's `fallo` when it stays.
parar() { # pid
    kill -TERM "$1"
    for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    fallo "el tablero no terminó"
}
