#!/usr/bin/env bash
# Builds the Debian package from a build folder, checks it as Debian's tools do, unpacks it under a throw-away
# root and starts the unpacked logger headless far enough to seed its working folder and load its data.
set -euo pipefail
build="${1:?usage: test_package.sh <build folder> <version>}"
version="${2:?usage: test_package.sh <build folder> <version>}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack could not build the package"; }
deb="$scratch/pkg/velmlog_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls -l "$scratch/pkg"; fail "no $(basename "$deb")"; }

[ "$(dpkg-deb -f "$deb" Section)" = hamradio ] || fail "section is not hamradio"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libc6 libqt6core6 libqt6widgets6; do
    [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

# Errors fail the test; warnings and notes are shown only.
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

root="$scratch/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.qrpvelm.velmlog.desktop" || fail "desktop file"
appstream-util validate-relax --nonet "$root/usr/share/metainfo/org.qrpvelm.velmlog.metainfo.xml" ||
    fail "metainfo"
for icon in scalable/apps/velmlog.svg 48x48/apps/velmlog.png 128x128/apps/velmlog.png; do
    [ -s "$root/usr/share/icons/hicolor/$icon" ] || fail "icon $icon missing"
done
for data in arrlpre2.txt ADIFCnt.txt qrppref.txt readqrp.txt log.txt BandPlan.txt Call.wav Dupe.wav; do
    [ -f "$root/usr/share/velmlog/$data" ] || fail "data file $data missing"
done
[ ! -e "$root/usr/share/velmlog/README.md" ] || fail "the tree's README.md was installed as data"

# A first start seeds ~/velmlog from the installed data folder and loads it.
export HOME="$scratch/home" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
unset VELM_DIR
"$root/usr/bin/velmlog" --check-data >"$scratch/first.log" 2>&1 || { cat "$scratch/first.log"; fail "first start"; }
cat "$scratch/first.log"
grep -q "copied arrlpre2.txt into $HOME/velmlog" "$scratch/first.log" || fail "arrlpre2.txt not seeded"
grep -Eq "$HOME/velmlog: [0-9]{4,} prefixes, 0 contacts" "$scratch/first.log" || fail "the data did not load"
cmp -s "$root/usr/share/velmlog/arrlpre2.txt" "$HOME/velmlog/arrlpre2.txt" || fail "seeded copy differs"

# The operator's files stay as they are at the next start.
printf '"K1ABC","599","5W","599","CT","2026/12/09","14:05:33","CW","20",5,""\r\n' >"$HOME/velmlog/log.txt"
mv "$HOME/velmlog/qrppref.txt" "$HOME/velmlog/QRPPREF.TXT"
before="$(md5sum "$HOME/velmlog/QRPPREF.TXT")"
"$root/usr/bin/velmlog" --check-data >"$scratch/second.log" 2>&1 || { cat "$scratch/second.log"; fail "second start"; }
! grep -q "copied" "$scratch/second.log" || fail "a second start copied files: $(cat "$scratch/second.log")"
grep -Eq "prefixes, 1 contacts" "$scratch/second.log" || fail "the operator's log did not load"
[ "$(md5sum "$HOME/velmlog/QRPPREF.TXT")" = "$before" ] || fail "the operator's settings changed"

# VELM_DIR names another working folder.
VELM_DIR="$scratch/sprint" "$root/usr/bin/velmlog" --check-data >"$scratch/third.log" 2>&1 ||
    { cat "$scratch/third.log"; fail "start with VELM_DIR"; }
[ -f "$scratch/sprint/arrlpre2.txt" ] || fail "VELM_DIR was not seeded"
echo "package: $(basename "$deb") builds, passes lintian, installs and starts"
