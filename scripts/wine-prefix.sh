#!/bin/sh
# Creates the private Wine prefix that the tests run in, once.
# $1: the build's wine wrapper (it knows where the prefix lives and its architecture).
set -e
wrapper="$1"
prefix=$(sed -n "s/^export WINEPREFIX='\(.*\)'$/\1/p" "$wrapper")
# The marker names the set-up's version: a prefix made by an older set-up is
# brought up to date.
marker="$prefix/.tq-ready-2"
if [ -f "$marker" ]; then
    exit 0
fi
"$wrapper" wineboot -i >/dev/null 2>&1
# Without a window manager every dialog waits for one; unmanaged windows do not.
# (reg answers in the prefix's code page, 932: keep it off the terminal.)
"$wrapper" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
WINEPREFIX="$prefix" wineserver -w
touch "$marker"
