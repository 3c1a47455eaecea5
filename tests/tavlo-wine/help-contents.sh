#!/bin/bash
# Tavlo's help file holds what it was compiled from: both pages and the
# table of contents, the title the main window looks for in an open help
# window, and texts of both languages.
#
#   help-contents.sh HELP.chm
set -euo pipefail
chm=$1
listing=$(chmls list "$chm")
status=0
for page in /english.htm /chinese.htm /toc.hhc; do
    grep -q " $page\$" <<<"$listing" || { echo "help-contents: $page missing from $chm" >&2; status=1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmls extract "$chm" /english.htm "$work/english.htm" >/dev/null
chmls extract "$chm" /chinese.htm "$work/chinese.htm" >/dev/null
grep -q 'Listening before copying' "$work/english.htm" || { echo "help-contents: English page empty" >&2; status=1; }
grep -q '试听' "$work/chinese.htm" || { echo "help-contents: Chinese page empty" >&2; status=1; }
# The window's title comes from the project's title: the skin's message 14.
grep -aq 'Tavlo Help' "$chm" || { echo "help-contents: no title 'Tavlo Help'" >&2; status=1; }
exit "$status"
