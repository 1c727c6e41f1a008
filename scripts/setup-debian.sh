#!/usr/bin/env bash
# Installs everything Tallyvane needs to build, run and test on Debian 12 (run as root),
# and the packages named as arguments (scripts/build-windows.sh names its own).
set -euo pipefail
packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libsqlite3-dev
  unixodbc-dev tdsodbc libsqliteodbc
  libxlsxwriter-dev
  libgtest-dev
  clang libclang-rt-14-dev clang-format
  fonts-wqy-zenhei
  poppler-utils
  xvfb xauth
  python3 python3-openpyxl python3-xlsxwriter
  libreoffice-calc-nogui
  help2man desktop-file-utils
)
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Room for the objects of every build of the test command (normal, sanitized, fuzz, Windows).
ccache --max-size=20G >/dev/null
