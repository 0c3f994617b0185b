#!/usr/bin/env bash
# Installs what is missing, builds the program with Debian's hardening flags
# into build-package/ (or $VELMARIN_PACKAGE_BUILD_DIR) and makes the Debian
# package there with CPack: velmarin_<version>_amd64.deb. Prints its path.
# Install it with: apt install ./build-package/velmarin_<version>_amd64.deb
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMARIN_PACKAGE_BUILD_DIR:-$here/build-package}
"$here/scripts/install-deps.sh"

flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMARIN_BUILD_TESTS=OFF -DVELMARIN_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/velmarin_*.deb
if ! (cd "$build" && cpack -G DEB -B "$build" >"$build/cpack.log" 2>&1); then
  cat "$build/cpack.log" >&2
  exit 1
fi
ls "$build"/velmarin_*_amd64.deb
