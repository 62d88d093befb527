#!/usr/bin/env bash
# Fails when a file outside platform/ includes a toolkit, drawing or conversion header.
set -euo pipefail
root="$1"
cd "$root"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](gtk/|gdk/|gdk-pixbuf/|glib|gio/|gobject/|cairo|pango/|iconv\.h|X11/)'
dirs=()
for d in model format engine view objects persist window include tests bench fuzz demo tools; do
    [ -d "$d" ] && dirs+=("$d")
done
if grep -rnE "$pattern" --include='*.h' --include='*.cpp' "${dirs[@]}" | grep -v -e '^tests/platform/gtk/' -e '^bench/gtk/' ; then
    echo "layering: the files above include platform-only headers" >&2
    exit 1
fi
echo "layering: ok"
