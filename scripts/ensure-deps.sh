#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building, running and
# testing need and that this machine lacks. Sourced by run.sh and test.sh.
#
# The list names every package whose files the configure and the build open
# (headers, CMake package files, libraries, tools), and the programs the
# running program starts, for a Debian 12 that
# installs no Recommends: apt-get runs with --no-install-recommends, so a
# package that another one only recommends must be named here itself.
# scripts/check-deps.sh, run by ctest, checks the list against the build.
set -euo pipefail

BRANTEL_PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-charts-dev
  libqt6opengl6-dev  # Qt6Charts' CMake package needs Qt6OpenGL; qt6-base-dev only recommends it
  libxlsxwriter-dev
  zlib1g-dev         # libxlsxwriter's headers include zlib.h; its -dev package does not depend on it
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation
  poppler-utils unzip
  # The tests of message boxes beside the help window run on the xcb platform
  # under a virtual X server: xvfb-run and its Xvfb, xauth (which xvfb only
  # recommends), and Qt's xcb platform plugin (in libqt6gui6).
  xvfb xauth libqt6gui6
  # The print test of a print server that stops runs a print server of its
  # own: cupsd.
  cups-daemon
  # The printer hands its jobs to the print server itself and asks it whether
  # a queue takes jobs: the print system's library and its headers.
  libcups2-dev
  # Run time: the registration of the project-file type updates the user's
  # MIME and desktop-entry databases with their tools.
  shared-mime-info desktop-file-utils
  clang libclang-rt-14-dev
  clang-format       # the layout check (scripts/check-format.sh)
)

brantel_missing_packages() {
  local pkg
  for pkg in "${BRANTEL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$pkg"
    fi
  done
}

brantel_ensure_deps() {
  local missing
  missing=$(brantel_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:" $missing
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
      echo "These packages are missing and this user cannot install them:" $missing >&2
      return 1
    fi
  fi
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# How many jobs a build and the tests run at once: CMAKE_BUILD_PARALLEL_LEVEL
# when it is set to a number (a user's cap on a shared machine), otherwise
# one for every processor.
brantel_jobs() {
  local jobs="${CMAKE_BUILD_PARALLEL_LEVEL:-}"
  if [[ "$jobs" =~ ^[1-9][0-9]*$ ]]; then printf '%s\n' "$jobs"; else nproc; fi
}

brantel_build() {
  local build_dir="$1"
  # BRANTEL_CMAKE_ARGS: more configure options (CI turns warnings into errors).
  # shellcheck disable=SC2086
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${BRANTEL_CMAKE_ARGS:-}
  cmake --build "$build_dir" --parallel "$(brantel_jobs)"
}
