#!/bin/sh
# Builds the Debian package from a build tree and checks its file list and relations
# without installing anything. Usage: check_package.sh BUILD_DIR [CPACK]
# Exit status 77 (skipped) when the Debian package tools are missing.
set -eu
build=$1
cpack=${2:-cpack}
for tool in dpkg-deb dpkg-shlibdeps "$cpack"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

out="$build/package-check"
rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
deb=$(ls "$out"/*.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')

status=0
for path in \
  ./usr/bin/vorda ./usr/bin/wizor ./usr/bin/vorda-cli ./usr/bin/recorder-sim \
  ./usr/share/vorda/Help/instVor3.html ./usr/share/vorda/Help/wizor.html ./usr/share/vorda/Config/userparameter1.txt \
  ./usr/share/applications/vorda.desktop ./usr/share/applications/wizor.desktop \
  ./usr/share/icons/hicolor/scalable/apps/vorda.svg ./usr/share/icons/hicolor/scalable/apps/wizor.svg \
  ./usr/share/man/man1/vorda-cli.1.gz ./usr/share/man/man1/recorder-sim.1.gz ./usr/share/man/man1/wizor.1.gz; do
  if ! printf '%s\n' "$files" | grep -qx "$path"; then
    echo "missing from the package: $path"
    status=1
  fi
done
# Nothing of the build or the tests gets in.
if printf '%s\n' "$files" | grep -E 'test_|gtest|\.a$|/include/'; then
  echo "files that do not belong in the package (above)"
  status=1
fi

depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
for lib in libqt6core6 libqt6widgets6 libqt6serialport6 libqt6svg6 libqcustomplot; do
  case "$depends" in
    *"$lib"*) ;;
    *) echo "Depends lacks $lib: $depends"; status=1 ;;
  esac
done
case "$recommends" in
  *xdg-utils*) ;;
  *) echo "Recommends lacks xdg-utils: $recommends"; status=1 ;;
esac
# The desktop entries name their icons.
for entry in vorda wizor; do
  if ! dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$entry.desktop" | grep -qx "Icon=$entry"; then
    echo "$entry.desktop names no icon $entry"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "package $(basename "$deb") checked"
exit "$status"
