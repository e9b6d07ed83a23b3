#!/usr/bin/env bash
# Installs what is missing, builds the viewer and the headless renderer (not
# the tests), and starts the viewer on the default graph. Without a display
# it draws the same picture headless into a PNG instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh --progress hebview hebview-render
if ! xdpyinfo >/dev/null 2>&1; then
    picture=build/hebview.png
    # The graph named on the command line (a word that is no option or an
    # option's value), else the default one.
    graph=data/Graphs/jhotdraw-mini.rsf
    words=("$@")
    for ((i = 0; i < ${#words[@]}; i++)); do
        case ${words[i]} in
        --help | --version | -h) ;;
        -*) i=$((i + 1)) ;;
        *) graph=${words[i]} ;;
        esac
    done
    echo "hebview: no display to open a window on (DISPLAY='${DISPLAY:-}'); drawing $graph into $picture instead"
    build/tools/hebview-render -o "$picture" "$@"
    echo "hebview: the picture is $(pwd)/$picture"
    exit 0
fi
exec build/app/hebview "$@"
