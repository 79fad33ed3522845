#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
# Does nothing that is already done, so it is cheap to call before every build.
set -euo pipefail

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb cmake googletest locales
          fonts-ipafont-gothic imagemagick ffmpeg x11-apps doxygen)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# Code page 932 under Wine needs the Japanese UTF-8 locale on the Linux side.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf8$'; then
    echo "setup: generating ja_JP.UTF-8"
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
