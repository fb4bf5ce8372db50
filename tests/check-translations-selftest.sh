#!/bin/sh
# Proves that check-translations.sh tells translated scenes from untranslated
# ones, on scratch scene folders.
# usage: check-translations-selftest.sh CHECK LUPDATE CATALOGUE.ts...
set -u
check=$1
lupdate=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/translated" "$work/untranslated"

# Texts that the catalogues hold, in the contexts they belong to.
cat >"$work/translated/SettingSelect.qml" <<'QML'
import QtQuick 2.12
Item {
    property string title: qsTr("Setting")
    property string pc: qsTr("PC Viewer")
}
QML
cp "$work/translated/SettingSelect.qml" "$work/untranslated/"
# A new text, and a known text in a context that does not hold it.
cat >"$work/untranslated/Probe.qml" <<'QML'
import QtQuick 2.12
Item {
    property string fresh: qsTr("Brand-new text")
    property string moved: qsTr("Setting")
}
QML

fail=0
if ! out=$(sh "$check" "$lupdate" "$work/translated" "$@"); then
    echo "translated scenes were refused:"
    echo "$out"
    fail=1
fi

out=$(sh "$check" "$lupdate" "$work/untranslated" "$@")
rc=$?
if [ "$rc" -ne 1 ]; then
    echo "untranslated scenes: exit code $rc, expected 1"
    fail=1
fi
for ts in "$@"; do
    name=$(basename "$ts")
    for expected in "$name: no translation for \"Brand-new text\" in Probe" \
        "$name: no translation for \"Setting\" in Probe"; do
        if ! printf '%s\n' "$out" | grep -qxF "$expected"; then
            echo "missing report line: $expected"
            fail=1
        fi
    done
done
if printf '%s\n' "$out" | grep -q "in SettingSelect"; then
    echo "translated texts were reported:"
    echo "$out"
    fail=1
fi
exit "$fail"
