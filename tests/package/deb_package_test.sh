#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder outside the
# build tree and runs both unpacked programs from yet another folder, where
# no data files lie: they must find their data beside their executables.
# Usage: deb_package_test.sh CPACK BUILD_FOLDER
set -euo pipefail
cpack=$1
build=$2

scratch=$(mktemp -d)
pid=
cleanup() {
  [[ -n $pid ]] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$scratch/package" > "$scratch/cpack.log") || { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/package/zuvpoker_*.deb)
[[ -f ${debs[0]} ]] || fail "no zuvpoker_*.deb in $(ls "$scratch/package")"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqcustomplot libmatio libc6; do
  [[ $depends == *"$library"* ]] || fail "the package does not depend on $library"
done

root=$scratch/root
dpkg -x "$deb" "$root"
for file in usr/bin/zuvpoker usr/bin/zuvsim usr/share/zuvpoker/help.htm usr/share/zuvpoker/cardimages/Ac.png \
    usr/share/zuvpoker/cardimages/dealerbutton.png usr/share/zuvpoker/ZuvPokerLogo.jpg \
    usr/share/zuvpoker/BannerText.jpg usr/share/applications/org.example.zuvpoker.desktop \
    usr/share/metainfo/org.example.zuvpoker.metainfo.xml usr/share/icons/hicolor/48x48/apps/zuvpoker.png \
    usr/share/doc/zuvpoker/copyright usr/share/doc/zuvpoker/changelog.gz usr/share/man/man1/zuvsim.1.gz; do
  [[ -f $root/$file ]] || fail "the package lacks $file"
done

# Debian's own package checker finds no error in it.
if command -v lintian > /dev/null; then
  lintian --fail-on error "$deb" > "$scratch/lintian.log" 2>&1 || { cat "$scratch/lintian.log"; fail "lintian reports errors"; }
fi

elsewhere=$scratch/elsewhere
mkdir "$elsewhere"
cd "$elsewhere"

"$root/usr/bin/zuvsim" --hands 20000 --seed 1 AsAh KsKh > zuvsim.out || fail "zuvsim exited with $?"
grep -q "AsAh" zuvsim.out || { cat zuvsim.out; fail "zuvsim printed no result for AsAh"; }

# The window program starts offscreen; asked to quit with SIGTERM it closes its
# windows and ends with status 0. A start-up fault ends it with status 1 first.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/zuvpoker" > zuvpoker.out 2> zuvpoker.err &
pid=$!
sleep 3
kill -0 "$pid" 2>/dev/null || { cat zuvpoker.err; wait "$pid" || fail "zuvpoker ended at start-up with status $?"; fail "zuvpoker ended by itself"; }
kill -TERM "$pid"
for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "zuvpoker did not close within 20 s of SIGTERM"
status=0
wait "$pid" || status=$?
pid=
grep -i "cannot" zuvpoker.err && fail "zuvpoker reported a problem"
[[ $status == 0 ]] || { cat zuvpoker.err; fail "zuvpoker ended with status $status"; }
echo "Package $(basename "$deb") unpacked and both programs ran from $elsewhere"
