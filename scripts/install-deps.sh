#!/usr/bin/env bash
# Installs the Debian packages that hebview needs to build, run and test.
# Idempotent and quiet when everything is present; uses sudo when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    freeglut3-dev libglew-dev libdevil-dev libimgui-dev libgtk-3-dev
    libgl-dev libegl-dev libegl-mesa0 libgl1-mesa-dri libx11-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang clang-format libclang-rt-14-dev
    fonts-dejavu-core nlohmann-json3-dev libexpat1-dev libpng-dev zlib1g-dev librsvg2-bin
    xvfb xdotool imagemagick x11-apps x11-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "hebview: installing ${missing[*]} needs root or sudo" >&2; exit 1; }
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
