#!/bin/sh
# Fails when an image or font that the scenes use is not bundled: every whole
# "qrc:/..." path written in the scenes and every path of the required list must
# be listed in one of the resource files, and every file a resource file lists
# must exist beside it (PNGs and TrueType fonts with the right signature).
# A "qrc:/" literal that is only the start of a path built at run time ("..." + n
# + ".png") is skipped; the required list names those images.
# usage: check-resources.sh REQUIRED_LIST SCENE_DIR RESOURCES.qrc...
set -eu
required=$1
scenes=$2
shift 2
if ! command -v xmllint >/dev/null; then
    echo "xmllint is missing (Debian: libxml2-utils)" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bundled="$work/bundled"
problems="$work/problems"
: >"$bundled"
: >"$problems"

# First bytes of a file as hex, e.g. "89504e47".
head_hex() {
    od -An -tx1 -N"$2" "$1" | tr -d ' \n'
}

# Collect the resource paths of every resource file and check the files behind them.
for qrc in "$@"; do
    qrcname=$(basename "$qrc")
    dir=$(dirname "$qrc")
    groups=$(xmllint --xpath 'count(//qresource)' "$qrc")
    i=1
    while [ "$i" -le "$groups" ]; do
        prefix=$(xmllint --xpath "string(//qresource[$i]/@prefix)" "$qrc")
        # One <file> element per line; an alias replaces the file's name.
        xmllint --xpath "//qresource[$i]/file" "$qrc" 2>/dev/null | sed 's#</file>#&\n#g' |
            sed -n 's#^[[:space:]]*<file\([^>]*\)>\([^<]*\)</file>$#\2|\1#p' >"$work/files"
        while IFS='|' read -r file attrs; do
            alias=$(printf '%s' "$attrs" | sed -n 's#.*alias="\([^"]*\)".*#\1#p')
            path="$prefix/${alias:-$file}"
            printf '%s\n' "$path" | sed 's#^/*##; s#//*#/#g' >>"$bundled"
            if [ ! -f "$dir/$file" ]; then
                echo "$qrcname: $file is missing on disk" >>"$problems"
                continue
            fi
            case "$file" in
            *.png)
                if [ "$(head_hex "$dir/$file" 8)" != 89504e470d0a1a0a ]; then
                    echo "$qrcname: $file is not a PNG image" >>"$problems"
                fi
                ;;
            *.ttf)
                if [ "$(head_hex "$dir/$file" 4)" != 00010000 ]; then
                    echo "$qrcname: $file is not a TrueType font" >>"$problems"
                fi
                ;;
            esac
        done <"$work/files"
        i=$((i + 1))
    done
done

# Whole qrc paths written in the scenes, with the scene that uses each.
grep -rHoE "qrc:/[^\"'\`]*[\"'\`]" --include='*.qml' --include='*.js' "$scenes" |
    sed 's#.$##' >"$work/used" || true
checked=0
while IFS= read -r hit; do
    scene=${hit%%:qrc:*}
    url=${hit#"$scene":}
    path=$(printf '%s\n' "${url#qrc:}" | sed 's#^/*##; s#//*#/#g')
    case "${path##*/}" in
    *.*) ;;
    *) continue ;; # a folder or a name without extension: the start of a built path
    esac
    checked=$((checked + 1))
    if ! grep -qxF "$path" "$bundled"; then
        echo "$(basename "$scene"): $url is not in any resource file" >>"$problems"
    fi
done <"$work/used"

# The required list: one path per line, "#" starts a comment.
listname=$(basename "$required")
listed=0
sed 's/#.*//; s/[[:space:]]*$//; s/^[[:space:]]*//' "$required" | grep -v '^$' >"$work/required" || true
while IFS= read -r path; do
    listed=$((listed + 1))
    if ! grep -qxF "$path" "$bundled"; then
        echo "$listname: $path is not in any resource file" >>"$problems"
    fi
done <"$work/required"

count=$(wc -l <"$problems")
if [ "$count" -gt 0 ]; then
    cat "$problems"
    echo "$count problem(s) with the bundled resources"
    exit 1
fi
echo "$(wc -l <"$bundled") bundled files present; $checked scene paths and $listed required paths bundled"
