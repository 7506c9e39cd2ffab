# Sourced by scripts that run the demo in one of its rooms.
# demo_room_game ART ROOM DIR: makes DIR a game folder whose assets are the
# demo's (ART) by links, with a configuration that starts the demo level
# itself and a level whose start opens ROOM instead of the saved room or the
# study. Fails (status 1, with a message) when the level's start no longer
# has the line this rewrites.
demo_room_game() {
    local art=$1 room=$2 game=$3 entry
    mkdir -p "$game/assets/levels/demo"
    for entry in "$art"/*; do
        case $(basename "$entry") in
        levels | config.xml) ;;
        *) ln -s "$entry" "$game/assets/" ;;
        esac
    done
    for entry in "$art"/levels/*; do
        [[ $(basename "$entry") == demo ]] || ln -s "$entry" "$game/assets/levels/"
    done
    for entry in "$art"/levels/demo/*; do
        [[ $(basename "$entry") == demo.xml ]] || ln -s "$entry" "$game/assets/levels/demo/"
    done
    sed 's#<start_point .*/>#<start_point module="assets/levels/demo/demo" trigger="trg_demo_start"/>#' \
        "$art/config.xml" >"$game/assets/config.xml"
    sed "s#^SwitchRoom(tp_global.room or \"study\")\$#SwitchRoom(\"$room\")#" \
        "$art/levels/demo/demo.xml" >"$game/assets/levels/demo/demo.xml"
    if ! grep -q "^SwitchRoom(\"$room\")\$" "$game/assets/levels/demo/demo.xml"; then
        echo "demo_room_game: the demo level's start no longer opens its room in one line" >&2
        return 1
    fi
}
