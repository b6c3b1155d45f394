#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that what a desktop needs is in place
# and that the installed programs find their resources there.
set -euo pipefail
build=$1
version=$2
top=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$top" "$home"' EXIT
# A space in the prefix, as under a home folder that has one.
prefix="$top/a prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

id=com.example.Zurizede
for f in bin/zurizede bin/zurizede-cli "share/zurizede/Zurizede Defaults.plist" \
         "share/zurizede/ORBA Zurizede Readme.pdf" share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/zurizede.svg \
         share/man/man1/zurizede.1.gz share/bash-completion/completions/zurizede-cli; do
  [ -e "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
entry="$prefix/share/applications/$id.desktop"
desktop-file-validate "$entry"
grep -qx 'Exec=zurizede %F' "$entry"
grep -qx 'Icon=zurizede' "$entry"
# The appstream data with its desktop entry, and the release this build is.
appstreamcli validate-tree --no-net "$prefix" >/dev/null
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml"
head -c 4 "$prefix/share/zurizede/ORBA Zurizede Readme.pdf" | grep -q '%PDF'
# man finds the pages under the prefix, in English and in each translation.
for page in zurizede zurizede-cli; do
  [ "$(MANPATH="$prefix/share/man" man -w $page)" = "$prefix/share/man/man1/$page.1.gz" ]
  for lang in de fr; do
    [ "$(MANPATH="$prefix/share/man" man -L $lang -w $page)" = \
      "$prefix/share/man/$lang/man1/$page.1.gz" ]
  done
done

# The desktop entry, the file managers' menus and the appstream data speak German and
# French: every key a desktop shows, every paragraph and list item.
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
for lang in de fr; do
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$lang\]=." "$entry" || { echo "$entry lacks ${key}[$lang]"; exit 1; }
  done
  for menu in nemo/actions/zurizede.nemo_action kio/servicemenus/zurizede.desktop \
              file-manager/actions/zurizede.desktop; do
    grep -q "^Name\[$lang\]=." "$prefix/share/$menu" || { echo "$menu lacks Name[$lang]"; exit 1; }
  done
  grep -q "<summary xml:lang=\"$lang\">." "$metainfo"
  [ "$(grep -cE "<(p|li) xml:lang=\"$lang\">" "$metainfo")" = \
    "$(grep -cE '<(p|li)>' "$metainfo")" ] || { echo "$metainfo: not all in $lang"; exit 1; }
done

# Never anyone's default application: in a desktop that sees only this prefix and the
# system, no type opens with the shredder. xdg-mime splits its folders at spaces, hence
# the link.
ln -s "$prefix" "$top/p"
update-desktop-database "$top/p/share/applications"
if grep -s "$id" "$top/p/share/applications/mimeinfo.cache"; then exit 1; fi
for type in application/pdf text/plain image/png inode/directory; do
  opener=$(env -i PATH="$PATH" HOME="$home" XDG_CONFIG_HOME="$home/config" \
    XDG_DATA_HOME="$home/data" XDG_DATA_DIRS="$top/p/share:/usr/share" \
    xdg-mime query default "$type")
  [[ $opener != *"$id"* ]] || { echo "$type opens with $opener"; exit 1; }
done

# bash finds the completion under the prefix as it finds any other, and it offers the
# options, the mode's values and paths. Each case is the line as typed, then the words
# bash splits it into.
mkdir "$home/files" && touch "$home/files/a b"
completed=$(cd "$home/files" && XDG_DATA_HOME="$home/data" XDG_DATA_DIRS="$prefix/share" \
  bash --norc -c '
  source /usr/share/bash-completion/bash_completion
  __load_completion zurizede-cli && complete -p zurizede-cli || exit 1
  fn=$(complete -p zurizede-cli | sed -E "s/.*-F ([^ ]+).*/\1/")
  offered() {
    COMP_LINE=$1 COMP_POINT=${#1} COMP_WORDS=("${@:2}") COMP_CWORD=$(($# - 2)) COMPREPLY=()
    "$fn" zurizede-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}" 2>/dev/null
    echo "${COMPREPLY[*]}"
  }
  offered "zurizede-cli --ve" zurizede-cli --ve
  offered "zurizede-cli -m " zurizede-cli -m ""
  offered "zurizede-cli --mode=" zurizede-cli --mode =
  offered "zurizede-cli -y a" zurizede-cli -y a
  offered "zurizede-cli --" zurizede-cli -- | tr " " "\n" | sed "s/=$//" | grep -vx -- -- | sort')
long=$("$prefix/bin/zurizede-cli" --help | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' |
  grep -oE -- '--[a-z-]+' | sort)
diff - <(echo "$completed") <<END
complete -F _zurizede_cli zurizede-cli
--verify --version
0 1 2
0 1 2
a b
$long
END

# The file managers' menus run the installed window with every selected path.
has() {
  local file=$1 line
  for line in "${@:2}"; do
    grep -qxF -- "$line" "$file" || { echo "$file lacks $line"; exit 1; }
  done
}
run="Exec=\"$prefix/bin/zurizede\" %F"
has "$prefix/share/nemo/actions/zurizede.nemo_action" "$run" Selection=notnone Extensions=any\;
has "$prefix/share/kio/servicemenus/zurizede.desktop" "$run" Type=Service MimeType=all/all\;
has "$prefix/share/file-manager/actions/zurizede.desktop" "$run" Type=Action Profiles=shred\; \
  MimeTypes=all/all\;
[ -x "$prefix/share/kio/servicemenus/zurizede.desktop" ]

# The installed terminal front end reads the installed defaults: it asks first, and with
# no terminal to ask, shreds nothing.
echo keep > "$home/file"
if XDG_CONFIG_HOME="$home/config" "$prefix/bin/zurizede-cli" "$home/file" </dev/null 2>/dev/null; then
  echo "the installed zurizede-cli shredded without consent"; exit 1
fi
[ "$(cat "$home/file")" = keep ]
XDG_CONFIG_HOME="$home/config" "$prefix/bin/zurizede-cli" -y -q "$home/file" </dev/null
[ ! -e "$home/file" ]

# The GNOME Files script hands the window exactly the chosen paths, absolute: from its
# list, and from its arguments when the list cannot be trusted (a name with a newline) or
# is missing. The window itself is replaced by a recorder for this.
script="$prefix/share/nautilus/scripts/Shred with ORBA Zurizede"
[ -x "$script" ]
printf '#!/bin/sh\nprintf "%%s\\0" "$@" > "%s/handed"\n' "$home" > "$prefix/bin/zurizede"
mkdir "$home/here"
nl=$'\n'
handed() {
  (cd "$home/here" && NAUTILUS_SCRIPT_SELECTED_FILE_PATHS=$1 "$script" "${@:2}")
  cmp "$home/handed" <(printf '%s\0' "${expected[@]}")
}
expected=("$home/here/a b" "$home/here/-c")
handed "$home/here/a b$nl$home/here/-c$nl" 'a b' -c
expected=("$home/here/x${nl}y" "$home/here/-c")
handed "$home/here/x${nl}y$nl$home/here/-c$nl" "x${nl}y" -c
handed "" "x${nl}y" -c
echo "install OK"
