#!/bin/sh
# Fails when a translatable text of the scenes has no translation in one of the
# catalogues: lupdate merges the scenes into a scratch copy of each catalogue,
# and every entry it leaves unfinished or empty is named.
# usage: check-translations.sh LUPDATE SCENE_DIR CATALOGUE.ts...
set -eu
lupdate=$1
scenes=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Entries a translator still has to fill in.
open="//context/message[translation/@type='unfinished' or normalize-space(translation)='']"
missing=0
for ts in "$@"; do
    name=$(basename "$ts")
    scratch="$work/$name"
    cp "$ts" "$scratch"
    if ! "$lupdate" -silent -no-obsolete -extensions qml,js "$scenes" -ts "$scratch" \
        >"$work/lupdate.log" 2>&1; then
        cat "$work/lupdate.log" >&2
        echo "$name: lupdate failed" >&2
        exit 2
    fi
    count=$(xmllint --xpath "count($open)" "$scratch")
    i=1
    while [ "$i" -le "$count" ]; do
        context=$(xmllint --xpath "string(($open)[$i]/../name)" "$scratch")
        text=$(xmllint --xpath "string(($open)[$i]/source)" "$scratch")
        echo "$name: no translation for \"$text\" in $context"
        i=$((i + 1))
    done
    missing=$((missing + count))
done

if [ "$missing" -gt 0 ]; then
    echo "$missing text(s) without translation"
    exit 1
fi
echo "every translatable text of $scenes is translated"
