#!/usr/bin/env bash
# Runs the desktop's own validators over the installed entry and metainfo; skipped (77)
# where they are not installed. validate-tree also checks that the metainfo's entry and
# icon are really there.
set -uo pipefail
tree="$1" id="$2"
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null || {
  echo "desktop-file-validate or appstreamcli not installed"
  exit 77
}
failed=0
desktop-file-validate "$tree/share/applications/$id.desktop" || failed=1
appstreamcli validate --no-net --pedantic "$tree/share/metainfo/$id.metainfo.xml" || failed=1
appstreamcli validate-tree --no-net "$tree" || failed=1
exit $failed
