#!/usr/bin/env bash
# Installs the build into a temporary folder and checks what landed with the desktop's own
# tools: the desktop entry, the site file type (also for a site renamed to .xml), the icons and
# the manual pages, whose commands and options must be those `plantrek-cli help` lists.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/stage"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
have() { command -v "$1" >/dev/null 2>&1 || { echo "skipped: $2 ($1 is not installed)"; return 1; }; }

cmake --install "$build" --prefix "$stage" >/dev/null
for file in bin/plantrek bin/plantrek-cli share/applications/plantrek.desktop \
    share/mime/packages/plantrek.xml share/thumbnailers/plantrek.thumbnailer \
    share/icons/hicolor/scalable/apps/plantrek.svg \
    share/icons/hicolor/scalable/mimetypes/application-x-plantrek-site.svg \
    share/man/man1/plantrek.1.gz share/man/man1/plantrek-cli.1.gz share/doc/plantrek/manual.md \
    share/doc/plantrek/copyright share/doc/plantrek/LICENSE; do
  [ -f "$stage/$file" ] || fail "$file was not installed"
done
cli="$stage/bin/plantrek-cli"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

if have desktop-file-validate "the desktop entry check"; then
  desktop-file-validate "$stage/share/applications/plantrek.desktop" || fail "desktop-file-validate"
  grep -qx 'MimeType=application/x-plantrek-site;' "$stage/share/applications/plantrek.desktop" ||
    fail "the desktop entry does not name the site file type"
fi

# A site as the program saves it, under its own name and renamed.
printf '3 n\n4 e\n3 s\n' | HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  "$cli" run --out "$work/site.tcd" - 2>/dev/null || fail "plantrek-cli could not save a site"
cp "$work/site.tcd" "$work/site.xml"
if have update-mime-database "the file type check" && have xdg-mime "the file type check"; then
  update-mime-database "$stage/share/mime" || fail "update-mime-database"
  # xdg-mime outside a known desktop asks `mimetype`, which reads the MIME database; without it
  # it falls back to `file`, which knows nothing of installed types.
  if have mimetype "the xdg-mime query"; then
    for site in site.tcd site.xml; do
      type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION \
        -u GNOME_DESKTOP_SESSION_ID XDG_DATA_HOME="$stage/share" \
        XDG_DATA_DIRS="$stage/share:/usr/share" xdg-mime query filetype "$work/$site")
      [ "$type" = application/x-plantrek-site ] || fail "xdg-mime says $site is $type"
    done
  fi
fi

if have xmllint "the icon check"; then
  for icon in "$stage"/share/icons/hicolor/scalable/*/*.svg; do
    root=$(xmllint --xpath 'concat(local-name(/*), " ", namespace-uri(/*))' "$icon" 2>&1 || true)
    [ "$root" = "svg http://www.w3.org/2000/svg" ] || fail "$icon is not SVG: $root"
  done
fi

if have man "the manual page check"; then
  for page in plantrek plantrek-cli; do
    warnings=$(MANWIDTH=80 man --warnings -l "$stage/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page.1: $warnings"
  done
  # The page and the help list the same subcommands, options and script commands.
  help=$("$cli" help)
  page=$(LC_ALL=C MANWIDTH=200 man -l "$stage/share/man/man1/plantrek-cli.1.gz" 2>/dev/null)
  section() { sed -n "/^$1/,/^[A-Z]/p" <<<"$page"; }
  compare() {
    if [ "$2" != "$3" ]; then
      fail "the $1 of plantrek-cli help and its manual page differ:"
      diff <(echo "$2") <(echo "$3") || true
    fi
  }
  compare subcommands "$(grep -o 'plantrek-cli [a-z]*' <<<"$help" | sort -u)" \
    "$(section SYNOPSIS | grep -o 'plantrek-cli [a-z]*' | sort -u)"
  compare options "$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)" \
    "$(grep -o -- '--[a-z][a-z-]*' <<<"$page" | sort -u)"
  compare "script commands" "$(grep -E '^ +:' <<<"$help" | grep -o ':[a-z][a-z-]*' | sort -u)" \
    "$(section 'SCRIPT COMMANDS' | grep -E '^ {7}:' | grep -o ':[a-z][a-z-]*' | sort -u)"
fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "install checks passed"
