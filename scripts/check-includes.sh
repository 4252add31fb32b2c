#!/usr/bin/env bash
# Fails when an area of the platform layer includes a header another area keeps private, or when
# areas include each other in a cycle. A header offered to other areas says so in its first lines
# ("Area interface:"); the public headers under platform/include are open to everyone.
set -euo pipefail
cd "$(dirname "$0")/../platform"

AREAS="kernel gdi user controls dialogs shell net media twain afx backend"
# Private headers still reached from another area; each entry is debt, never add one.
KNOWN=""

is_area() { case " $AREAS " in *" $1 "*) return 0 ;; esac; return 1; }

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

for area in $AREAS; do
    [ -d "$area" ] || continue
    while IFS= read -r hit; do
        file=${hit%%:*}
        header=${hit#*\"}
        header=${header%\"*}
        other=${header%%/*}
        [ "$other" != "$area" ] && is_area "$other" || continue
        echo "$area $other" >>"$edges"
        case " $KNOWN " in *" $area:$header "*) continue ;; esac
        if ! head -n 3 "$header" 2>/dev/null | grep -q "Area interface"; then
            echo "$file includes $header, which is private to $other" >&2
            status=1
        fi
    done < <(grep -rHo --include='*.h' --include='*.cpp' --include='*.inl' '^#include "[^"]*"' "$area" || true)
done

# tsort names the areas of a cycle on standard error.
if ! sort -u "$edges" | tsort >/dev/null 2>"$edges.loop"; then
    echo "areas include each other in a cycle:" >&2
    grep -v "input contains a loop" "$edges.loop" | sed 's/^tsort: /  /' >&2
    status=1
fi
rm -f "$edges.loop"
exit $status
