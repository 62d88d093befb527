#!/usr/bin/env bash
# Mutation testing: applies each fault of a list in turn, rebuilds, runs the tests, reports the survivors.
set -uo pipefail

usage() {
    cat <<'EOF'
Usage: scripts/mutate.sh [--build DIR] [--list FILE] [--only ID,ID,...] [--tests REGEX]
  --build DIR   build directory (default build-mut; configured with the demo off if missing)
  --list FILE   mutation list (default scripts/mutations.txt; the format is in its header)
  --only IDS    run only these mutation ids, comma-separated; a prefix ending in '-' (model-)
                selects every id that starts with it
  --tests REGEX run only the tests whose names match (ctest -R), e.g. '^(model|format)\.' to
                see what one folder's own tests catch
  --stale       build nothing: list the mutations whose search text is not exactly once in
                its file (exit 3 when there are any); run it after changing mutated code
Each mutant ends CAUGHT (a test failed), SURVIVED (all passed), NOBUILD (did not compile)
or STALE (its search text is not exactly once in its file). Logs go to DIR/mutate-logs.
EOF
}

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-mut"
list="$root/scripts/mutations.txt"
only=""
tests=""
stale=0
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build="$2"; shift 2 ;;
        --list) list="$2"; shift 2 ;;
        --only) only="$2"; shift 2 ;;
        --tests) tests="$2"; shift 2 ;;
        --stale) stale=1; shift ;;
        -h|--help) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done
build="$(realpath -m "$build")"
list="$(realpath -m "$list")"
[ -f "$list" ] || { echo "mutate.sh: no list $list" >&2; exit 2; }

# The list parser and the exact substitution. "list FILE" prints id<TAB>file<TAB>description
# per mutation; "stale FILE ROOT" prints the stale ones (exit 3 when any); "apply FILE ID
# ROOT" rewrites the named file, exit 3 when the search text is not there exactly once.
read -r -d '' PY <<'EOF'
import sys
def fields(line):
    out, cur, i = [], "", 0
    while i < len(line):
        c = line[i]
        if c == "\\" and i + 1 < len(line) and line[i + 1] in "|n\\":
            cur += {"|": "|", "n": "\n", "\\": "\\"}[line[i + 1]]; i += 2; continue
        if c == "|":
            out.append(cur.strip()); cur = ""
        else:
            cur += c
        i += 1
    out.append(cur.strip())
    return out
def parse(path):
    muts, seen = [], set()
    for n, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        f = fields(line)
        if len(f) != 5 or not f[0] or not f[1] or not f[3] or f[0] in seen or "\t" in "".join(f[:3]):
            sys.exit(f"{path}:{n}: bad or duplicate mutation line")
        seen.add(f[0]); muts.append(f)
    return muts
muts = parse(sys.argv[2])
if sys.argv[1] == "list":
    for m in muts:
        print("\t".join(m[:3]))
elif sys.argv[1] == "stale":
    root = sys.argv[3]
    found = [m for m in muts if open(root + "/" + m[1], "rb").read().count(m[3].encode()) != 1]
    for m in found:
        print("STALE", m[0], m[1], m[2], sep="\t")
    sys.exit(3 if found else 0)
else:
    m = next(m for m in muts if m[0] == sys.argv[3])
    path = sys.argv[4] + "/" + m[1]
    text, search = open(path, "rb").read(), m[3].encode()
    if text.count(search) != 1:
        sys.exit(3)
    open(path, "wb").write(text.replace(search, m[4].encode()))
EOF

entries="$(python3 -c "$PY" list "$list")" || exit 2
if [ "$stale" = 1 ]; then
    python3 -c "$PY" stale "$list" "$root"
    exit
fi
if [ -n "$only" ]; then
    for id in ${only//,/ }; do
        grep -q "^$id" <<<"$entries" || { echo "mutate.sh: unknown id $id" >&2; exit 2; }
    done
fi
# Whether a mutation id is selected by --only (exact ids, or prefixes ending in '-').
selected() {
    [ -z "$only" ] && return 0
    local want
    for want in ${only//,/ }; do
        if [ "$1" = "$want" ] || { [[ "$want" == *- ]] && [[ "$1" == "$want"* ]]; }; then
            return 0
        fi
    done
    return 1
}

# The file being mutated and its saved copy; restored on any exit.
work="$(mktemp -d)"
target=""
restore() {
    if [ -n "$target" ]; then
        cat "$work/original" >"$target"  # rewritten, not copied with its old time: make rebuilds it
        target=""
    fi
}
trap 'restore; rm -rf "$work"' EXIT
trap 'echo; echo "mutate.sh: interrupted; the mutated file is restored"; exit 130' INT TERM HUP

logs="$build/mutate-logs"
mkdir -p "$logs"
run_build() { cmake --build "$build" -j2 >"$1" 2>&1; }
# The mutation list's own check is left out: a fault applied always makes its search text
# vanish, so that check would count every fault as caught.
run_tests() {
    ctest --test-dir "$build" -j2 --timeout 120 -E '^(package|mutations)\.' ${tests:+-R "$tests"} >"$1" 2>&1
}

if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "Configuring $build"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARNI_BUILD_DEMO=OFF \
        >"$logs/configure.log" 2>&1 || { echo "configure failed, see $logs/configure.log" >&2; exit 1; }
fi
echo "Baseline: building and testing the unmodified tree"
run_build "$logs/baseline.build.log" || { echo "baseline build failed, see $logs/baseline.build.log" >&2; exit 1; }
run_tests "$logs/baseline.test.log" || { echo "baseline tests fail, see $logs/baseline.test.log" >&2; exit 1; }

start=$SECONDS
declare -A count=()
survivors=()
while IFS=$'\t' read -r -u 3 id file desc; do
    selected "$id" || continue
    t0=$SECONDS
    if [ ! -f "$root/$file" ]; then
        result=STALE
    else
        cp "$root/$file" "$work/original"
        target="$root/$file"
        python3 -c "$PY" apply "$list" "$id" "$root"
        rc=$?
        if [ $rc -eq 3 ]; then
            target=""  # untouched
            result=STALE
        elif [ $rc -ne 0 ]; then
            echo "mutate.sh: could not apply $id" >&2
            exit 1
        elif ! run_build "$logs/$id.build.log"; then
            result=NOBUILD
        elif run_tests "$logs/$id.test.log"; then
            result=SURVIVED
        else
            result=CAUGHT
        fi
        restore
    fi
    count[$result]=$(( ${count[$result]:-0} + 1 ))
    note=""
    if [ "$result" = CAUGHT ]; then
        failed="$(sed -n '/(Disabled)$/d; s/^[[:space:]]*[0-9][0-9]* - \(.*\)$/\1/p' "$logs/$id.test.log")"
        note="[$(wc -l <<<"$failed") failed: ${failed%%$'\n'*}]"
    elif [ "$result" = SURVIVED ]; then
        survivors+=("$id  $file  $desc")
    fi
    printf '%-9s %-10s %-30s %4ss  %s %s\n' "$result" "$id" "$file" $((SECONDS - t0)) "$desc" "$note"
done 3<<<"$entries"

echo "Rebuilding the unmodified tree"
run_build "$logs/final.build.log" || echo "mutate.sh: final rebuild failed, see $logs/final.build.log" >&2
echo
echo "Summary ($((SECONDS - start))s): CAUGHT ${count[CAUGHT]:-0}, SURVIVED ${count[SURVIVED]:-0}," \
     "NOBUILD ${count[NOBUILD]:-0}, STALE ${count[STALE]:-0}"
if [ ${#survivors[@]} -gt 0 ]; then
    echo "Survivors (no test noticed these faults):"
    printf '  %s\n' "${survivors[@]}"
fi
