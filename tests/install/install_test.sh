#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installed programs, away from the build folder and the sources.
#   install_test.sh tree    BUILD SOURCE VERSION   cmake --install into a scratch prefix
#   install_test.sh package BUILD SOURCE VERSION   the Debian package, unpacked into a scratch root
# Then, in that tree: every file in its place, the desktop entry and the metainfo valid, each
# program's --version, nuvrel naming its manual in the installed data folder, nuvrel-cli checking
# each example sheet, and the installed default logo sent by nuvrel-cli to the installed ecrsim.
set -euo pipefail
mode=$1 build=$(realpath "$2") source=$(realpath "$3") version=$4

scratch=$(mktemp -d)
scratch=$(realpath "$scratch")
sim=""
cleanup() {
  if [ -n "$sim" ]; then kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

case $mode in
  tree)
    prefix=$scratch/usr
    cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
      { cat "$scratch/install.log"; fail "cmake --install"; }
    ;;
  package)
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
      { cat "$scratch/cpack.log"; fail "cpack"; }
    deb=$(echo "$scratch"/out/nuvrel_"$version"_*.deb)
    [ -f "$deb" ] || fail "no package nuvrel_${version}_*.deb in $(ls "$scratch/out")"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for needed in libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins libstdc++6 libc6; do
      [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] ||
        fail "the package does not depend on $needed"
    done
    dpkg-deb -x "$deb" "$scratch/root"
    prefix=$scratch/root/usr
    ;;
  *) fail "unknown mode $mode" ;;
esac

# Nothing of the build folder or the sources is at hand from here on.
cd "$scratch"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
mkdir -p "$HOME"
data=$prefix/share/nuvrel

expected=(bin/nuvrel bin/nuvrel-cli bin/ecrsim
  share/nuvrel/EcrLogo/OrloLogo.bmp
  share/applications/org.nuvrel.Nuvrel.desktop
  share/metainfo/org.nuvrel.Nuvrel.metainfo.xml
  share/icons/hicolor/scalable/apps/nuvrel.svg
  share/man/man1/nuvrel.1 share/man/man1/nuvrel-cli.1 share/man/man1/ecrsim.1
  share/doc/nuvrel/LICENSE)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/nuvrel.png")
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for program in nuvrel nuvrel-cli ecrsim; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program cannot be run"
done
# The shipped files as they are in the sources: the manual, the example sheets, the default logo.
(cd "$source/docs/manual" && find . -type f) | while read -r file; do
  cmp -s "$source/docs/manual/$file" "$data/$file" || fail "manual file $file differs or is missing"
done
(cd "$source/examples" && find . -type f) | while read -r file; do
  cmp -s "$source/examples/$file" "$data/examples/$file" || fail "example $file differs or is missing"
done
cmp -s "$source/examples/logo.bmp" "$data/EcrLogo/OrloLogo.bmp" || fail "the default logo differs"
if command -v identify >/dev/null; then
  for size in 16 48 256; do
    got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/nuvrel.png")
    [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
  done
fi

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.nuvrel.Nuvrel.desktop" ||
    fail "desktop-file-validate"
else
  echo "SKIPPED: desktop-file-validate is not installed (desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.nuvrel.Nuvrel.metainfo.xml" ||
    fail "appstreamcli validate"
else
  echo "SKIPPED: appstreamcli is not installed (appstream)"
fi

for program in nuvrel nuvrel-cli ecrsim; do
  got=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$prefix/bin/$program" --version)
  [ "$got" = "$program $version" ] || fail "$program --version said '$got'"
done
help=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 30 "$prefix/bin/nuvrel" --help)
[[ $help == *"The manual: $data/nuvrel.html"* ]] || fail "nuvrel --help names another manual: $help"

for sheet in articles operators departments firm-data advertisement; do
  timeout 30 "$prefix/bin/nuvrel-cli" check "$sheet" "$data/examples/$sheet.txt" -o "$scratch/$sheet.txt" ||
    fail "nuvrel-cli check $sheet"
done

mkfifo "$scratch/sim.out"
timeout 60 "$prefix/bin/ecrsim" --link "$scratch/ecr" --state "$scratch/register" >"$scratch/sim.out" &
sim=$!
read -r first <"$scratch/sim.out" || fail "ecrsim did not start"
[[ $first == "ecrsim: listening on /dev/pts/"* ]] || fail "ecrsim said '$first'"
timeout 60 "$prefix/bin/nuvrel-cli" --port="$scratch/ecr" --yes --quiet logo "$data/EcrLogo/OrloLogo.bmp" ||
  fail "nuvrel-cli logo to the installed ecrsim"
cmp -s "$data/EcrLogo/OrloLogo.bmp" "$scratch/register/logo.bmp" || fail "ecrsim did not keep the logo"
echo "The installed tree under $prefix works."
