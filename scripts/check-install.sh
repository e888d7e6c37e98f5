#!/usr/bin/env bash
# What a user gets from an install, checked from a build folder (default build):
# installs into a scratch DESTDIR, runs the installed programs' --version, starts
# the installed program offscreen until both windows are shown and ends it,
# validates the desktop entry and the AppStream metainfo, and builds the Debian
# package, lists its dependencies and checks it carries no font or soundfont.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scratch=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
root=$scratch/root

echo "== install into a scratch DESTDIR"
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
(cd "$root" && find . -type f | sort)

echo "== installed programs"
"$root/usr/bin/lumina" --version
"$root/usr/bin/lumina-fare" --version
"$root/usr/bin/lumina-fare" dump "$root/usr/share/lumina/samples/12.hy3" >"$scratch/12.csv"
echo "sample route 12: $(wc -l <"$scratch/12.csv") stops, first $(head -n 1 "$scratch/12.csv" | cut -d, -f1)"

echo "== start offscreen, as installed, with no settings"
# The scratch tree stands in for the system's data folder; the settings go to
# a scratch user folder.
XDG_DATA_DIRS=$root/usr/share XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=offscreen \
  QT_LOGGING_RULES='lumina.startup.info=true' "$root/usr/bin/lumina" 2>"$scratch/start.log" &
pid=$!
for _ in $(seq 100); do
  grep -q 'both windows shown' "$scratch/start.log" && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep 'both windows shown' "$scratch/start.log"; then
  cat "$scratch/start.log" >&2
  echo "the installed program did not show its windows" >&2
  exit 1
fi
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

echo "== desktop entry and metainfo"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

echo "== Debian package"
(cd "$build" && rm -f lumina_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/lumina_*.deb)
echo "$(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
# The fonts and the soundfont come from the packages it depends on, not as copies.
if dpkg-deb --contents "$deb" | grep -E '\.(ttf|otf|pcf\.gz|sf2|sf3)$'; then
  echo "the package carries copies of fonts or soundfonts" >&2
  exit 1
fi
