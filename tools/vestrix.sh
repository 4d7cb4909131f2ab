#!/usr/bin/env bash
# Installs what the build needs (Debian 12), builds Vestrix, then starts the
# program ("run"), runs every test ("test") or makes the Debian package ("package").
set -euo pipefail
cd "$(dirname "$0")/.."

packages="g++ cmake ninja-build pkg-config qt6-base-dev libqt6charts6-dev libgl-dev \
libsqlite3-dev zlib1g-dev libbenchmark-dev fonts-liberation2 locales poppler-utils unzip \
dpkg-dev file"
missing=""
for p in $packages; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi

build="${VTX_BUILD_DIR:-build}"
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

case "${1:-run}" in
  run)
    exec "$build/vestrix" ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen LANG=en_US.UTF-8 LC_ALL=C.UTF-8 \
      ctest --output-on-failure --timeout 900 ;;
  package)
    cd "$build" && cpack ;;
  *)
    echo "usage: $0 [run|test|package]" >&2; exit 2 ;;
esac
