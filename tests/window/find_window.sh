# Sourced by the window tests: find_window prints the id of the game's window, searching
# again each second for up to 60 seconds (a window that goes away during a search, the
# window manager's own or one the renderer replaces, makes xdotool give up).
find_window() {
    local id=""
    for _ in $(seq 1 60); do
        id=$(xdotool search --name "^Tumblegrade - DH$" 2>/dev/null | tail -n 1)
        [ -n "$id" ] && break
        sleep 1
    done
    echo "$id"
}
