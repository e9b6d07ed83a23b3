#!/usr/bin/env bash
# Fails when the program links a GL, GLUT, EGL, X11, GTK or image library:
# the computing layers must run without a display or a GPU.
set -euo pipefail
program=$1
linked=$(ldd "$program")
if grep -E 'lib(GL|GLX|GLU|glut|EGL|GLEW|X11|xcb|gtk|gdk|IL|imgui)[.-]' <<<"$linked"; then
    echo "FAIL: $program links a window-system or graphics library" >&2
    exit 1
fi
echo "$program links: $(awk '{print $1}' <<<"$linked" | tr '\n' ' ')"
