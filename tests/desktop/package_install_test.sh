#!/usr/bin/env bash
# Makes the Debian package of this build with CPack, unpacks it into a scratch
# root (dpkg -x) and runs what it installed: the program's --version and a
# render, the manual page, the completion, the menu entry and the AppStream
# metadata. lintian must report no error; its other remarks are printed.
#   package_install_test.sh BUILD_DIR VERSION VELMARIN_OF_THE_BUILD
set -uo pipefail
build=$1
version=$2
built_program=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
deb=$work/package/velmarin_${version}_amd64.deb
if [ ! -f "$deb" ]; then
  ls "$work/package" >&2
  echo "FAIL: no $deb" >&2
  exit 1
fi

# Control fields: the version, and the dependencies found in the binary plus the font.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture is $(dpkg-deb -f "$deb" Architecture)"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-liberation qt6-translations-l10n tzdata libqt6widgets6 libqt6printsupport6 libqt6svg6 libc6; do
  grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/velmarin \
            usr/share/applications/velmarin.desktop \
            usr/share/icons/hicolor/scalable/apps/velmarin.svg \
            usr/share/metainfo/example.tannwick.velmarin.metainfo.xml \
            usr/share/man/man1/velmarin.1.gz \
            usr/share/bash-completion/completions/velmarin \
            usr/share/doc/velmarin/copyright \
            usr/share/doc/velmarin/changelog.gz; do
  [ -f "$root/$file" ] || fail "the package does not install /$file"
done
stray=$(cd "$root" && find . -type f ! -path './usr/*')
[ -z "$stray" ] || fail "files outside /usr: $stray"

# The installed program, with a settings folder of its own and no display.
program=$root/usr/bin/velmarin
export XDG_CONFIG_HOME=$work/config HOME=$work/home QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
installed_version=$("$program" --version) || fail "installed --version failed"
[ "$installed_version" = "$("$built_program" --version)" ] || fail "installed --version says '$installed_version'"
[[ $installed_version == "Velmarin "* ]] || fail "--version says '$installed_version'"
if "$program" render --year 2026 --size 640x480 --output "$work/chart.png" 2>"$work/render.err"; then
  # A drawn chart has its frame, tracks and text: far more than a few colours.
  read -r width height colours < <(identify -format '%w %h %k\n' "$work/chart.png")
  [ "$width x $height" = "640 x 480" ] || fail "the rendered chart is $width x $height"
  [ "$colours" -gt 10 ] || fail "the rendered chart has only $colours colours"
else
  fail "installed render failed: $(cat "$work/render.err")"
fi
[ ! -e "$XDG_CONFIG_HOME/Velmarin.ini" ] || fail "render wrote the settings file"
# The English texts travel with the package: the window's inside velmarin-qt,
# the core's inside both programs.
"$program" render --lang en --year 2026 --size 640x480 --output "$work/chart.svg" 2>/dev/null &&
  grep -q "Astronomical calendar 2026" "$work/chart.svg" || fail "the installed render speaks no English"
"$program" phases --year 2026 --lang en | grep -q "New moon" || fail "the installed phases speak no English"

# The manual page as man shows it, without a formatter warning.
page=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/velmarin.1.gz" 2>"$work/man.err")
[ -s "$work/man.err" ] && fail "man warns: $(cat "$work/man.err")"
grep -q "velmarin - astronomical year chart" <<<"$page" || fail "man -l does not show the page's NAME"

# The completion loads and registers itself for velmarin.
bash --norc --noprofile -c "source /usr/share/bash-completion/bash_completion &&
  source '$root/usr/share/bash-completion/completions/velmarin' && complete -p velmarin" >/dev/null ||
  fail "the installed completion does not load"

output=$(desktop-file-validate "$root/usr/share/applications/velmarin.desktop" 2>&1) ||
  fail "desktop-file-validate: $output"
# Metadata, menu entry and icon as a software centre finds them in the tree.
appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$work/appstream.log")"

echo "lintian $(dpkg-deb -f "$deb" Package) $version:"
lintian --fail-on error --display-info --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' | tee "$work/lintian.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors"
grep -q '^E:' "$work/lintian.log" && fail "lintian reports errors"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "package: $(basename "$deb") installs and runs"
