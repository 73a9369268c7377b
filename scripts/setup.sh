#!/usr/bin/env bash
# Installs every Debian package that building, testing and running need.
# Does nothing when they are all present.
set -euo pipefail
# fonts-wqy-microhei (5 MB) draws the Chinese and Korean characters the game font lacks
# (fonts-droid-fallback, which covers a part of them, is what the tests choose it over);
# gettext's msgfmt checks the translation templates in the tests; Qt's lupdate and lrelease
# (qt6-l10n-tools) build the window's translations, and qt6-translations-l10n translates
# Qt's standard buttons. chromium plays the page in the browser tests (driven by
# puppeteer-core from npm, tests/browser).
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-speech-dev qt6-declarative-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools qt6-translations-l10n
  libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-wqy-microhei fonts-droid-fallback gettext libpng-dev zlib1g-dev libzstd-dev nlohmann-json3-dev
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm libc++-14-dev libc++abi-14-dev
  xvfb xauth
  chromium nodejs
)
# npm comes with Debian's nodejs as a package of its own, but inside a nodejs from
# elsewhere (NodeSource's includes it, and the two cannot be installed together).
command -v npm >/dev/null 2>&1 || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
