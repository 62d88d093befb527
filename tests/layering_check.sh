#!/usr/bin/env bash
# Fails when a file includes a folder that cmake/FolderDeps.txt does not let it use, when the
# table itself is not ordered lowest first, or when a file outside platform/ includes a
# toolkit, drawing or conversion header.
set -euo pipefail
root="$1"
cd "$root"

status=0
# Folder rules: every include of one of the table's folders must be the file's own folder or
# one the table allows it, directly or through the folders it allows.
find . \( -name '*.h' -o -name '*.cpp' \) -not -path './build*' | sed 's#^\./##' |
    awk -v table=cmake/FolderDeps.txt '
    function folderOf(path,    f, best) {
        best = ""
        for (f in rank)
            if (index(path, f "/") == 1 && length(f) > length(best))
                best = f
        return best
    }
    BEGIN {
        n = 0
        while ((getline line < table) > 0) {
            if (line ~ /^#/ || line ~ /^[ \t]*$/)
                continue
            k = split(line, w, /[ \t]+/)
            f = w[1]
            rank[f] = n++
            for (i = 2; i <= k; i++) {
                if (!(w[i] in rank)) {
                    printf "layering: %s may include %s, which is not listed below it\n", f, w[i]
                    bad = 1
                    continue
                }
                allowed[f, w[i]] = 1
                for (g in rank)
                    if ((w[i], g) in allowed)
                        allowed[f, g] = 1
            }
        }
    }
    {
        file = $0
        from = folderOf(file)
        if (from == "")
            next
        lineNo = 0
        while ((getline text < file) > 0) {
            lineNo++
            if (text !~ /^[ \t]*#[ \t]*include[ \t]*"/)
                continue
            sub(/^[ \t]*#[ \t]*include[ \t]*"/, "", text)
            sub(/".*/, "", text)
            to = folderOf(text)
            if (to == "" || to == from || ((from, to) in allowed))
                continue
            printf "%s:%d: %s includes %s (%s may not use %s)\n", file, lineNo, from, text, from, to
            bad = 1
        }
        close(file)
    }
    END { exit bad }
' || status=1

# Toolkit headers stay in the platform layer.
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](gtk/|gdk/|gdk-pixbuf/|glib|gio/|gobject/|cairo|pango/|iconv\.h|X11/)'
dirs=()
for d in core objects persist model format engine view editor window include tests bench fuzz demo tools; do
    [ -d "$d" ] && dirs+=("$d")
done
if grep -rnE "$pattern" --include='*.h' --include='*.cpp' "${dirs[@]}" | grep -v -e '^tests/platform/gtk/' -e '^bench/gtk/'; then
    echo "layering: the files above include platform-only headers" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "layering: ok"
exit "$status"
