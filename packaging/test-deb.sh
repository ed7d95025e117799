#!/bin/sh
# Builds the .deb from a finished build tree, installs it into a clean root (an empty
# dpkg database, not the machine's) and runs the installed programs from there.
#   packaging/test-deb.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$build"
cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/pkg/tarvelcalc_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb --info "$deb" >/dev/null || fail "dpkg-deb cannot read the package"

# The dependencies come from dpkg-shlibdeps: Qt (Charts and SVG too), SQLite, libmdb, the C++ runtime.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6widgets6 libqt6charts6 libqt6svg6 libsqlite3-0 libmdb3 libstdc++6 libc6; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib"
done
# Every dependency is a Debian package this machine knows and has installed.
echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//; s/|.*//' | while read -r pkg; do
  [ -n "$pkg" ] || continue
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
    fail "dependency $pkg is not installed here"
done

# Everything lives below /usr.
dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '^\./usr/\|^\./$' && fail "files outside /usr"

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
: >"$root/var/lib/dpkg/available"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless \
     --log=/dev/null -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
dpkg --root="$root" -s tarvelcalc | grep -q '^Status: install ok installed' || fail "not installed"

for f in usr/bin/tarvelcalc usr/bin/tarvelcalc-batch usr/bin/tarvelcalc-catalogue \
         usr/share/tarvelcalc/DBFN.db usr/share/tarvelcalc/Help/AnlFN.pdf usr/share/tarvelcalc/Help/AnlFN_en.pdf \
         usr/share/applications/example.tarvel.tarvelcalc.desktop \
         usr/share/metainfo/example.tarvel.tarvelcalc.metainfo.xml \
         usr/share/mime/packages/tarvelcalc.xml \
         usr/share/icons/hicolor/scalable/apps/example.tarvel.tarvelcalc.svg \
         usr/share/icons/hicolor/48x48/apps/example.tarvel.tarvelcalc.png \
         usr/share/man/man1/tarvelcalc.1.gz usr/share/man/man1/tarvelcalc-batch.1.gz \
         usr/share/man/man1/tarvelcalc-catalogue.1.gz; do
  [ -s "$root/$f" ] || fail "missing $f"
done

# The installed programs find their catalogue in ../share/tarvelcalc/.
bin=$root/usr/bin
for p in tarvelcalc tarvelcalc-batch tarvelcalc-catalogue; do
  "$bin/$p" --version | grep -q "^$p (TarvelCALC) " || fail "$p --version"
done
"$bin/tarvelcalc-batch" "$root/usr/share/doc/tarvelcalc/examples/four-cassettes.json" >"$work/run.json" ||
  fail "worked example"
grep -q '"calcFailed": false' "$work/run.json" || fail "worked example: calculation failed"
grep -q '"KH45", "45", "KH45-246"' "$work/run.json" || fail "worked example: evaluation row KH45 missing"
# The report layer is a module of its own, found from the installed tool.
"$bin/tarvelcalc-batch" "$root/usr/share/doc/tarvelcalc/examples/four-cassettes.json" --report en \
  --pdf "$work/report.pdf" >"$work/report.json" || fail "worked example with --report en --pdf"
grep -q '"report": ".*Calculation report' "$work/report.json" || fail "worked example: report text missing"
[ -s "$work/report.pdf" ] || fail "worked example: no PDF"
"$bin/tarvelcalc-catalogue" check "$root/usr/share/tarvelcalc/DBFN.db" >/dev/null || fail "catalogue check"

desktop-file-validate "$root/usr/share/applications/example.tarvel.tarvelcalc.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.tarvel.tarvelcalc.metainfo.xml" || fail "metainfo"
zcat "$root/usr/share/man/man1/tarvelcalc-catalogue.1.gz" | grep -q '^\.SH EXIT STATUS' || fail "man page"
echo "OK: the package installs and runs"
