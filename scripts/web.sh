#!/usr/bin/env bash
# Builds the game's core, the headless game, the pack tool and the page to WebAssembly
# with Debian's emscripten, into build-web/ (or $WEB_BUILD_DIR):
#   build-web/shirakaba-headless.js (+ .wasm)   node build-web/shirakaba-headless.js --headless ...
#   build-web/shirakaba-pack.js (+ .wasm)       node build-web/shirakaba-pack.js demo OUTDIR
#   build-web/fonts/                            the game font (IPAGothic) and its licence
#   build-web/site/                             the page: put it on any static web host
#   scripts/web.sh serve [PORT]                 serves build-web/site on 127.0.0.1 (no build)
# The libraries emscripten would download (zlib, libpng, FreeType, zstd) are built from
# Debian's source packages instead, with Debian's patches, into build-web/deps/: the
# source list is given to apt-get on its command line, so the system's apt
# configuration is never changed. Nothing else is downloaded.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
WEB=$(realpath -m "${WEB_BUILD_DIR:-build-web}")
if [ "${1:-}" = serve ]; then
  [ -f "$WEB/site/index.html" ] || { echo "web.sh: $WEB/site is not built: run scripts/web.sh first" >&2; exit 1; }
  exec node "$ROOT/scripts/serve-site.mjs" "$WEB/site" "${2:-8640}"
fi
DEPS=$WEB/deps
PREFIX=$DEPS/prefix
JOBS=$(nproc)

# ---- Debian packages --------------------------------------------------------------
# emscripten brings clang, lld, binaryen and node's acorn; dpkg-dev unpacks the source
# packages and applies their patches.
packages=(emscripten dpkg-dev xz-utils make cmake ninja-build pkg-config nlohmann-json3-dev fonts-ipafont-gothic)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# Debian's emscripten runs its JavaScript tools with Debian's node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# ---- Debian's sources, through the mirror apt is configured with --------------------
# The deb entries of bookworm (one-line .list files and deb822 .sources files) become
# deb-src entries in a source list of our own, read with lists of our own.
apt_options=(-o "Dir::Etc::SourceList=$DEPS/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$DEPS/apt/lists" -o Debug::NoLocking=1)
source_list() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
    | sed -n 's/^[[:space:]]*deb[[:space:]]\+\(.*[[:space:]]bookworm.*\)$/deb-src \1/p'
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '
    function flush(  n, s, i) {
      if (types ~ /(^| )deb( |$)/ && suites ~ /bookworm/ && uris != "") {
        n = split(suites, s, " ")
        for (i = 1; i <= n; ++i)
          print "deb-src " (signed != "" ? "[signed-by=" signed "] " : "") uris " " s[i] " " comps
      }
      types = uris = suites = comps = signed = ""
    }
    /^[[:space:]]*$/ { flush(); next }
    { value = $0; sub(/^[^:]*:[[:space:]]*/, "", value) }
    /^Types:/ { types = value } /^URIs:/ { uris = value } /^Suites:/ { suites = value }
    /^Components:/ { comps = value } /^Signed-By:/ { signed = value }
    END { flush() }'
}
lists_fetched=0
fetch_lists() {
  [ $lists_fetched = 1 ] && return
  mkdir -p "$DEPS/apt/lists/partial" "$DEPS/src"
  source_list > "$DEPS/apt/sources.list"
  if [ ! -s "$DEPS/apt/sources.list" ]; then
    echo "web.sh: apt is configured with no bookworm mirror to take Debian's sources from" >&2
    exit 1
  fi
  apt-get "${apt_options[@]}" update -qq
  lists_fetched=1
}

# Unpacks the source of a library into deps/src/NAME, Debian's patches applied, at the
# version installed on this machine when the mirror still has it (so that it works as
# the system's library does), else the newest; prints the folder.
fetch_source() {  # source-package binary-package
  local src=$1 bin=$2 versions installed candidates want dsc
  fetch_lists
  versions=$(apt-cache "${apt_options[@]}" showsrc "$src" 2>/dev/null | sed -n 's/^Version: //p' || true)
  if [ -z "$versions" ]; then
    echo "web.sh: the source package $src is not reachable through the configured mirror (deb-src of bookworm)" >&2
    exit 1
  fi
  installed=$(dpkg-query -W -f='${source:Version}' "$bin" 2>/dev/null || true)
  candidates=$( (grep -xF "$installed" <<< "$versions" || true; sort -rV <<< "$versions") | awk '!seen[$0]++')
  rm -rf "${DEPS:?}/src/$src" "$DEPS/src/${src}_"*
  # A version the lists name may already be gone from the mirror: the next one then.
  for want in $candidates ""; do
    [ -n "$want" ] || { cat "$DEPS/src/$src.fetch.log" >&2; exit 1; }
    (cd "$DEPS/src" && apt-get "${apt_options[@]}" source -qq --download-only "$src=$want") > "$DEPS/src/$src.fetch.log" 2>&1 \
      && break
    rm -f "$DEPS/src/${src}_"*
  done
  dsc=$(ls "$DEPS/src/${src}_"*.dsc | head -1)
  dpkg-source --no-check -x "$dsc" "$DEPS/src/$src" > /dev/null
  basename "$dsc" .dsc > "$DEPS/src/$src.version"
  echo "$DEPS/src/$src"
}

# Each library is built once for its flags (rm -rf build-web/deps builds them anew);
# the stamp names the source it was built from, NAME.flags the flags of our own.
built() {  # name [flags]
  [ -f "$DEPS/stamps/$1" ] && [ "$(cat "$DEPS/stamps/$1.flags" 2>/dev/null)" = "${2:-}" ]
}
stamp() {  # name source-package [flags]
  mkdir -p "$DEPS/stamps" && cp "$DEPS/src/$2.version" "$DEPS/stamps/$1" && printf '%s' "${3:-}" > "$DEPS/stamps/$1.flags"
}

export CFLAGS="-O2"
emcmake_lib() {  # source-dir build-dir cmake-options...
  local src=$1 build=$2
  shift 2
  emcmake cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" -DBUILD_SHARED_LIBS=OFF "$@" > "$build.log" 2>&1 \
    || { cat "$build.log"; exit 1; }
  cmake --build "$build" -j "$JOBS" --target install >> "$build.log" 2>&1 || { cat "$build.log"; exit 1; }
}

if ! built zlib; then
  echo "Building zlib"
  dir=$(fetch_source zlib zlib1g)
  # Its CMake build does not work from Debian's tarball; its own configure does.
  (cd "$dir" && emconfigure ./configure --static --prefix="$PREFIX" > ../zlib.log 2>&1 \
    && emmake make -j "$JOBS" libz.a >> ../zlib.log 2>&1 && emmake make install >> ../zlib.log 2>&1) \
    || { cat "$DEPS/src/zlib.log"; exit 1; }
  stamp zlib zlib
fi
if ! built libpng; then
  echo "Building libpng"
  dir=$(fetch_source libpng1.6 libpng16-16)
  emcmake_lib "$dir" "$DEPS/build-libpng" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DZLIB_ROOT="$PREFIX"
  stamp libpng libpng1.6
fi
# The instructions of FreeType's TrueType interpreter stay functions of their own rather
# than folded into the one that runs them: node's optimising compiler, which takes up the
# functions that run longest, spent 60 ms on that single 24 KB function in every game.
freetype_flags=-fno-inline-functions
if ! built freetype "$freetype_flags"; then
  echo "Building FreeType"
  dir=$(fetch_source freetype libfreetype6)
  # FreeType flattens the curves of an anti-aliased glyph by a 64-bit DDA on 64-bit
  # processors and by halving elsewhere, and the two differ in a grey level here and
  # there (the demo's pictures have such texts). WebAssembly has 64-bit integers: the
  # DDA there too, so that the demo is drawn as on amd64 and arm64.
  sed -i 's/^    defined( __aarch64__ ) || \\$/    defined( __aarch64__ ) || defined( __wasm__ ) || \\/' "$dir/src/smooth/ftgrays.c"
  grep -q 'defined( __wasm__ )' "$dir/src/smooth/ftgrays.c" \
    || { echo "web.sh: FreeType's ftgrays.c no longer has the line to patch" >&2; exit 1; }
  # With zlib as Debian builds it; the TrueType fonts the game uses need none of the others.
  rm -rf "$DEPS/build-freetype"
  CFLAGS="$CFLAGS $freetype_flags" emcmake_lib "$dir" "$DEPS/build-freetype" -DFT_REQUIRE_ZLIB=ON \
    -DZLIB_ROOT="$PREFIX" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
  stamp freetype freetype "$freetype_flags"
fi
if ! built zstd; then
  echo "Building zstd"
  dir=$(fetch_source libzstd libzstd1)
  emcmake_lib "$dir/build/cmake" "$DEPS/build-zstd" -DZSTD_BUILD_PROGRAMS=OFF -DZSTD_BUILD_SHARED=OFF \
    -DZSTD_BUILD_STATIC=ON -DZSTD_BUILD_TESTS=OFF -DZSTD_MULTITHREAD_SUPPORT=OFF -DZSTD_LEGACY_SUPPORT=OFF
  stamp zstd libzstd
fi

# nlohmann-json is headers only: Debian's, copied beside the libraries, so that the
# build does not look into /usr/include (whose C headers are not emscripten's).
if [ ! -f "$PREFIX/include/nlohmann/json.hpp" ] || [ /usr/include/nlohmann/json.hpp -nt "$PREFIX/include/nlohmann/json.hpp" ]; then
  mkdir -p "$PREFIX/include" "$PREFIX/share/cmake"
  rm -rf "$PREFIX/include/nlohmann" "$PREFIX/share/cmake/nlohmann_json"
  cp -r /usr/include/nlohmann "$PREFIX/include/"
  cp -r /usr/share/cmake/nlohmann_json "$PREFIX/share/cmake/"
fi

# ---- The game ---------------------------------------------------------------------
# pkg-config looks in the libraries built above (emcmake points it at emscripten's
# sysroot otherwise).
export EM_PKG_CONFIG_PATH=$PREFIX/lib/pkgconfig:$PREFIX/share/pkgconfig
echo "Building the game in $WEB"
emcmake cmake -S "$ROOT" -B "$WEB" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSHIRAKABA_QT=OFF -DSHIRAKABA_TESTS=OFF -DSHIRAKABA_BENCH=OFF \
  -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_FIND_ROOT_PATH="$PREFIX" -DZLIB_ROOT="$PREFIX" "$@" > "$WEB.configure.log" 2>&1 \
  || { cat "$WEB.configure.log"; exit 1; }
cmake --build "$WEB" -j "$JOBS" --target shirakaba shirakaba-pack shirakaba-web shirakaba-rows-check
ls -l "$WEB"/shirakaba-headless.js "$WEB"/shirakaba-headless.wasm "$WEB"/shirakaba-pack.js "$WEB"/shirakaba-pack.wasm

# ---- The page ---------------------------------------------------------------------
# The site: the page's files, the game in WebAssembly, the font and the Japanese and
# English demos, each compressed with gzip and inflated by the page itself (so that any
# static host serves them as they are). The demos are drawn by the pack tool built
# above, which draws them as on every platform.
SITE=$WEB/site
rm -rf "$SITE.new"
mkdir -p "$SITE.new/data" "$SITE.new/fonts"
for lang in ja en; do
  demo=$WEB/demo-$lang
  if [ ! -f "$demo/data/lumora.red" ] || [ "$WEB/shirakaba-pack.wasm" -nt "$demo/data/lumora.red" ]; then
    rm -rf "$demo"
    node "$WEB/shirakaba-pack.js" demo --lang "$lang" "$demo" > /dev/null
  fi
  tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner --format=ustar -C "$demo" -cf - data readme.txt \
    | gzip -9n > "$SITE.new/data/demo-$lang.tar.gz"
done
gzip -9n < "$WEB/fonts/ipag.ttf" > "$SITE.new/fonts/ipag.ttf.gz"
cp "$WEB/fonts/ipafont-copyright.txt" "$SITE.new/fonts/"
cp "$WEB/shirakaba-web.js" "$WEB/shirakaba-web.wasm" "$SITE.new/"
cp web/*.js web/*.css web/manifest.webmanifest "$SITE.new/"
# early.js goes into the page itself: it runs before any other file has arrived.
rm "$SITE.new/early.js"
awk '$0 == "<script src=\"early.js\"></script>" { print "<script>"; while ((getline line < "web/early.js") > 0) print line; print "</script>"; next }
  { print }' web/index.html > "$SITE.new/index.html"
grep -q "shirakabaStart" "$SITE.new/index.html" || { echo "web.sh: early.js was not written into index.html" >&2; exit 1; }
cp app/resources/shirakaba.svg "$SITE.new/icon.svg"
# The service worker caches every file of this build, under a name of this build.
files=$(cd "$SITE.new" && find . -type f ! -name sw.js | sort | sed 's|^\./||')
version=$(cd "$SITE.new" && cat $files | sha256sum | cut -c1-16)
list=$( (echo ./; echo "$files") | awk 'BEGIN { printf "[" } { printf "%s\"%s\"", (NR > 1 ? ", " : ""), $0 } END { printf "]" }')
sed -i "s|'SITE_VERSION'|'shirakaba-$version'|; s|SITE_FILES|$list|" "$SITE.new/sw.js"
rm -rf "$SITE"
mv "$SITE.new" "$SITE"
echo "The page is in $SITE ($(du -sh "$SITE" | cut -f1)); scripts/web.sh serve serves it"

