#!/bin/sh
# Proves that check-resources.sh tells a complete resource bundle from a broken
# one, on scratch trees: a scene path, a required path and a resource file's
# entry each go missing in turn, and a PNG and a font are damaged.
# usage: check-resources-selftest.sh CHECK
set -u
check=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

png() {
    printf '\211PNG\r\n\032\n\000\000\000\rIHDR' >"$1"
}
ttf() {
    printf '\000\001\000\000\000\020' >"$1"
}

# A complete tree: two resource files, one with a prefix and an alias.
good="$work/good"
mkdir -p "$good/res/images" "$good/res/font" "$good/scenes"
png "$good/res/images/a.png"
png "$good/res/images/b.png"
png "$good/res/images/step-0-nor.png"
ttf "$good/res/font/F-Bold.ttf"
cat >"$good/res/resources.qrc" <<'QRC'
<!DOCTYPE RCC>
<RCC version="1.0">
    <qresource prefix="/">
        <file>images/a.png</file>
        <file>images/step-0-nor.png</file>
        <file>font/F-Bold.ttf</file>
    </qresource>
    <qresource prefix="/extra">
        <file alias="logo.png">images/b.png</file>
    </qresource>
</RCC>
QRC
cat >"$good/scenes/scenes.qrc" <<'QRC'
<!DOCTYPE RCC>
<RCC version="1.0">
    <qresource prefix="/">
        <file>Probe.qml</file>
    </qresource>
</RCC>
QRC
cat >"$good/scenes/Probe.qml" <<'QML'
import QtQuick 2.12
Item {
    property var step: 0
    FontLoader { source: "qrc:/font/F-Bold.ttf" }
    Image { source: "qrc:/images/a.png" }
    Image { source: 'qrc:///images/a.png' }
    Image { source: "qrc:/extra/logo.png" }
    Image { source: "qrc:/images/step-" + step + "-nor.png" }
    Image { source: "qrc:/images/" + "a.png" }
    Loader { source: "qrc:/Probe.qml" }
}
QML
printf '%s\n' '# images' 'images/step-0-nor.png' '' 'extra/logo.png  # by alias' \
    'font/F-Bold.ttf' >"$good/required.txt"

run() {
    sh "$check" "$1/required.txt" "$1/scenes" "$1/res/resources.qrc" "$1/scenes/scenes.qrc"
}

fail=0
if ! out=$(run "$good"); then
    echo "the complete tree was refused:"
    echo "$out"
    fail=1
fi

# Each fault in a copy of its own: the check must fail and name exactly that fault.
expect() {
    tree=$1
    line=$2
    out=$(run "$tree")
    rc=$?
    if [ "$rc" -ne 1 ]; then
        echo "$line: exit code $rc, expected 1"
        fail=1
    fi
    if ! printf '%s\n' "$out" | grep -qxF "$line"; then
        echo "missing report line: $line"
        echo "$out"
        fail=1
    fi
    if ! printf '%s\n' "$out" | grep -qxF "1 problem(s) with the bundled resources"; then
        echo "$line: expected exactly one problem, got:"
        echo "$out"
        fail=1
    fi
}
fresh() {
    rm -rf "$work/bad"
    cp -R "$good" "$work/bad"
}

fresh
sed -i 's#"qrc:/images/a.png"#"qrc:/images/c.png"#' "$work/bad/scenes/Probe.qml"
expect "$work/bad" "Probe.qml: qrc:/images/c.png is not in any resource file"

fresh
echo 'images/d.png' >>"$work/bad/required.txt"
expect "$work/bad" "required.txt: images/d.png is not in any resource file"

fresh
sed -i '/alias=/d' "$work/bad/res/resources.qrc"
printf '%s\n' 'images/step-0-nor.png' 'font/F-Bold.ttf' >"$work/bad/required.txt"
expect "$work/bad" "Probe.qml: qrc:/extra/logo.png is not in any resource file"

fresh
rm "$work/bad/res/images/step-0-nor.png"
expect "$work/bad" "resources.qrc: images/step-0-nor.png is missing on disk"

fresh
echo 'a text file under an image name' >"$work/bad/res/images/a.png"
expect "$work/bad" "resources.qrc: images/a.png is not a PNG image"

fresh
: >"$work/bad/res/font/F-Bold.ttf"
expect "$work/bad" "resources.qrc: font/F-Bold.ttf is not a TrueType font"

# Several faults at once are all named.
fresh
rm "$work/bad/res/images/a.png"
echo 'images/e.png' >>"$work/bad/required.txt"
out=$(run "$work/bad")
for line in "resources.qrc: images/a.png is missing on disk" \
    "required.txt: images/e.png is not in any resource file" \
    "2 problem(s) with the bundled resources"; do
    if ! printf '%s\n' "$out" | grep -qxF "$line"; then
        echo "missing report line with two faults: $line"
        fail=1
    fi
done

if sh "$check" "$good/required.txt" "$good/scenes" >/dev/null 2>&1; then
    echo "a call without resource files was accepted"
    fail=1
fi
exit "$fail"
