#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing: every
# tool a build step, a test or a script runs comes from this list (a bare Debian 12 root
# has none of them; `file`, for instance, is what CPack's DEB generator asks for).
set -euo pipefail
PKGS=(g++ cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
      libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation fonts-dejavu-core xvfb xauth poppler-utils
      mdbtools-dev mdbtools desktop-file-utils appstream dpkg-dev file
      qt6-translations-l10n openbox xdotool qt6-charts-dev qt6-svg-dev python3
      libqt6opengl6-dev

      clang libclang-rt-14-dev llvm sqlite3)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
