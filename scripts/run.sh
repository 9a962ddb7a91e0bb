#!/usr/bin/env bash
# Installs what is missing, builds Numerelle and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${RUN_PACKAGES[@]}"
configure_and_build "$BUILD_DIR" -DNUMERELLE_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Numerelle is built ($BUILD_DIR/numerelle) but there is no display to show it on.
Run it from a desktop session, or on a virtual screen:
  xvfb-run -a $BUILD_DIR/numerelle
MSG
  exit 1
fi
exec "$BUILD_DIR/numerelle"
