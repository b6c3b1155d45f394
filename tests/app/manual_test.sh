#!/usr/bin/env bash
# The manual pages render without a troff warning and with every section, and the manual
# of zurizede-cli names exactly the options its --help names. The German and French pages
# render as cleanly, keep the English sections, and name exactly the English page's
# options, so that a translation cannot fall behind unnoticed.
set -euo pipefail
pages=$1
cli=$2
for page in "$pages/zurizede.1" "$pages/zurizede-cli.1"; do
  warnings=$( (groff -ww -z -man "$page" && MANWIDTH=80 man --warnings -l "$page" >/dev/null) 2>&1)
  [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
  shown=$(MANWIDTH=80 man -l "$page")
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS SETTINGS 'EXIT STATUS' \
                 'WHAT OVERWRITING CANNOT REACH' EXAMPLES 'SEE ALSO'; do
    grep -qx "$section" <<<"$shown" || { echo "$page: no $section"; exit 1; }
  done
done

# The options in the help's left column, in the tags of a manual's OPTIONS, and every
# time a page names one, so that a paragraph missing from a translation shows.
options() { grep -oE -- '--?[a-z][a-z-]*' | sort; }
tags() {
  awk '/^\.SH/ { on = $0 == ".SH OPTIONS" || $0 == ".SH OPTIONEN" } on && tag { print; tag = 0 }
       on && /^\.TP/ { tag = 1 }' "$1" | sed -E 's/\\-/-/g; s/\\f[BIRP]//g' | options
}
named() {
  sed -E 's/\\-/-/g; s/\\f[BIRP]//g' "$1" | grep -oE -- '(^|[ ("])--?[a-z][a-z-]*' |
    sed -E 's/^[ ("]//' | sort
}
help=$("$cli" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' | options)
[ -n "$help" ]
diff <(echo "$help") <(tags "$pages/zurizede-cli.1")

# UTF-8 throughout: groff reads it through preconv (-k), as man does.
for lang in de fr; do
  for page in zurizede.1 zurizede-cli.1; do
    english=$pages/$page translated=$pages/$lang/$page
    warnings=$( (groff -k -ww -z -man "$translated" &&
      LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$translated" >/dev/null) 2>&1)
    [ -z "$warnings" ] || { echo "$translated: $warnings"; exit 1; }
    [ "$(grep -c '^\.SH' "$english")" = "$(grep -c '^\.SH' "$translated")" ] ||
      { echo "$translated: not the sections of $english"; exit 1; }
    diff <(tags "$english") <(tags "$translated")
    diff <(named "$english") <(named "$translated")
  done
done
echo "manual OK"
