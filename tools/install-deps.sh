#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run ("run"), or also to test ("test").
# Only what is missing is installed; apt-get runs through sudo when we are not root.
set -euo pipefail

run_packages=(build-essential cmake pkg-config freeglut3-dev libgl-dev libglu1-mesa-dev libpng-dev
              libopenal-dev libsndfile1-dev libx11-dev libxext-dev libsdl2-dev)
test_packages=(libgtest-dev xvfb xauth xdotool x11-utils clang libclang-rt-14-dev
               appstream desktop-file-utils man-db groff-base dpkg-dev file lintian)

wanted=("${run_packages[@]}")
if [ "${1:-run}" = "test" ]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
