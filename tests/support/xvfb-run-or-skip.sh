#!/bin/sh
# Runs a test program on a virtual X server of its own (xvfb-run -a takes a
# free display number): the program then runs on the xcb platform the way it
# does at the desktop. Exits 77, which ctest counts as skipped, where
# xvfb-run is not installed.
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run (Debian package xvfb) is not installed"
  exit 77
fi
exec xvfb-run -a "$@"
