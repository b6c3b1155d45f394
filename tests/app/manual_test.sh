#!/usr/bin/env bash
# The manual pages render without a troff warning and with every section, and the manual
# of zurizede-cli names exactly the options its --help names.
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

# The options in the help's left column, and in the tags of the manual's OPTIONS.
options() { grep -oE -- '--?[a-z][a-z-]*' | sort; }
help=$("$cli" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' | options)
manual=$(awk '/^\.SH/ { on = $0 == ".SH OPTIONS" } on && tag { print; tag = 0 }
              on && /^\.TP/ { tag = 1 }' "$pages/zurizede-cli.1" |
         sed -E 's/\\-/-/g; s/\\f[BIRP]//g' | options)
[ -n "$help" ]
diff <(echo "$help") <(echo "$manual")
echo "manual OK"
