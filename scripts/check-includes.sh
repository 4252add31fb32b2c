#!/usr/bin/env bash
# Fails when an area of the platform layer includes a header another area keeps private, when
# areas include each other in a cycle, or when a module includes one above it (see below). A header offered to other areas says so in its first lines
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

# The Windows and framework headers declare only what Windows programs know; the layer's own names
# live under include/mivo/.
if grep -rn 'namespace mivo' include/win32 include/mfc >&2; then
    echo "the layer's own names belong in include/mivo/, not in the Windows or framework headers" >&2
    status=1
fi

# ---- Modules: platform, then Tesserin, then the programs ----
# The layer never includes Tesserin, Tesserin never includes a program, and the programs never
# include each other. Inside Tesserin each folder includes only folders on a lower level:
#   0 framework media   1 image   2 controls   3 grid dialogs chart net   (res: the ids, open to all)
# An include is found as the compiler finds it: beside the file, then the module's own roots, then
# the roots of every other module, so a header reached from the wrong module is caught even where
# its build could not see it.
cd ..
# Upward calls the classes' own interfaces force; each sits in one file. Never add one lightly.
UPWARD="Tesserin/image/ExifGrid.cpp Tesserin/framework/ODBCQueryControls.cpp"

# The helpers answer in REPLY: no subshell per include, the tree has thousands of them.
module_of() {
    case "$1" in
    platform/*) REPLY=platform ;;
    Tesserin/*) REPLY=Tesserin ;;
    Lumaret/*) REPLY=Lumaret ;;
    Kestrune/*) REPLY=Kestrune ;;
    *) REPLY=other ;;
    esac
}

declare -A ROOTS=(
    [platform]="platform platform/include"
    [Tesserin]="Tesserin platform/include"
    [Lumaret]="Lumaret Lumaret/res Tesserin platform/include"
    [Kestrune]="Kestrune Tesserin platform/include"
)
ALL_ROOTS="platform/include Tesserin Lumaret Lumaret/res Kestrune platform"

# The path (from the top of the tree) the include of $2 in file $1 of module $3 resolves to.
resolve() {
    local file=$1 header=$2 root
    REPLY=""
    if [ -f "${file%/*}/$header" ]; then
        REPLY="${file%/*}/$header"
        return
    fi
    for root in ${ROOTS[$3]} $ALL_ROOTS; do
        if [ -f "$root/$header" ]; then
            REPLY="$root/$header"
            return
        fi
    done
}

may_include() {
    case "$1:$2" in
    platform:platform | Tesserin:platform | Tesserin:Tesserin) return 0 ;;
    Lumaret:platform | Lumaret:Tesserin | Lumaret:Lumaret) return 0 ;;
    Kestrune:platform | Kestrune:Tesserin | Kestrune:Kestrune) return 0 ;;
    esac
    return 1
}

declare -A LEVEL=([framework]=0 [media]=0 [image]=1 [controls]=2 [grid]=3 [dialogs]=3 [chart]=3 [net]=3)

while IFS= read -r hit; do
    file=${hit%%:*}
    header=${hit#*\"}
    header=${header%\"*}
    module_of "$file"
    from=$REPLY
    resolve "$file" "$header" "$from"
    target=$REPLY
    [ -n "$target" ] || continue
    module_of "$target"
    to=$REPLY
    if ! may_include "$from" "$to"; then
        echo "$file includes $target: $from never includes $to" >&2
        status=1
        continue
    fi
    [ "$from:$to" = "Tesserin:Tesserin" ] || continue
    src=${file#Tesserin/}
    src=${src%%/*}
    dst=${target#Tesserin/}
    dst=${dst%%/*}
    [ "$src" != "$dst" ] || continue
    a=${LEVEL[$src]:-}
    b=${LEVEL[$dst]:-}
    [ -n "$a" ] && [ -n "$b" ] || continue
    [ "$b" -lt "$a" ] && continue
    case " $UPWARD " in *" $file "*) continue ;; esac
    echo "$file includes $target: Tesserin's $src (level $a) never includes $dst (level $b)" >&2
    status=1
done < <(grep -rHo --include='*.h' --include='*.cpp' --include='*.inl' '^#include "[^"]*"' platform Tesserin Lumaret Kestrune || true)

exit $status
