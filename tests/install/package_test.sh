#!/usr/bin/env bash
# Checks the Debian package that scripts/package built: its control fields, the dependencies
# dpkg-shlibdeps worked out, the files it holds, its copyright file and licence as in the source,
# and lintian without errors or warnings.
set -euo pipefail
folder=$1
source=$2
package=$(ls -t "$folder"/plantrek_*.deb 2>/dev/null | head -1 || true)
if [ -z "$package" ]; then
  echo "skipped: no package in $folder (scripts/package builds it)"
  exit 77
fi
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

info=$(dpkg-deb --info "$package")
echo "$info" | sed -n '/^ [A-Z][A-Za-z-]*:/,$p'
for field in 'Package: plantrek' 'Section: graphics' 'Maintainer: .*<.*@.*>'; do
  grep -Eq "^ $field" <<<"$info" || fail "the control file lacks $field"
done
grep -Eq '^ Depends: .*libqt6(core|widgets|gui)6' <<<"$info" ||
  fail "the dependencies do not name the Qt libraries"
contents=$(dpkg-deb --contents "$package")
for file in usr/bin/plantrek usr/bin/plantrek-cli usr/share/applications/plantrek.desktop \
    usr/share/mime/packages/plantrek.xml usr/share/man/man1/plantrek-cli.1.gz \
    usr/share/doc/plantrek/copyright usr/share/doc/plantrek/LICENSE; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks $file"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb --extract "$package" "$work"
doc="$work/usr/share/doc/plantrek"
cmp -s "$doc/copyright" "$source/docs/copyright" || fail "the package's copyright is not docs/copyright"
cmp -s "$doc/LICENSE" "$source/LICENSE" || fail "the package's LICENSE is not the source's"
status=0
/usr/bin/python3 "$source/tests/install/copyright_check.py" "$doc/copyright" "$doc/LICENSE" \
  "$work/usr/bin/plantrek" "$work/usr/bin/plantrek-cli" || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "the package's copyright check"

if command -v lintian >/dev/null 2>&1; then
  report=$(lintian --tag-display-limit 0 "$package" 2>&1 || true)
  echo "$report"
  ! grep -q '^E: ' <<<"$report" || fail "lintian reports errors"
  ! grep -q '^W: ' <<<"$report" || fail "lintian reports warnings"
else
  echo "skipped: lintian is not installed"
fi
[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package checks passed"
