# Sourced by the desktop demos (scripts/*-demo.sh) after they set `demo`
# (their name), `demo_timeout` (seconds on a private display) and
# `demo_tools` (the commands they drive the display with). Reads the demo's
# options [--build DIR] [--out DIR], runs the demo again on a private
# display (scripts/x11-run.sh) when there is none, makes sure its tools and
# the program are there, and leaves:
#   here root build out program   the demo's folders and the built program
#   out/data out/config/briven out/cache   a fresh output folder, the
#                                 program's settings and caches kept in it
# Exits 2 on a usage error or no program, 77 when a tool is missing.

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$root/build"
out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $demo.sh [--build DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done
build=$(cd "$build" && pwd) || exit 2
[ -n "$out" ] || out="$build/$demo"

if [ -z "${DISPLAY:-}" ]; then
  exec "$here/x11-run.sh" --timeout "$demo_timeout" -- "$0" --build "$build" --out "$out"
fi
for tool in $demo_tools; do
  command -v "$tool" >/dev/null 2>&1 || { echo "$demo: skipped: $tool is not installed" >&2; exit 77; }
done

program="$build/app/briven"
[ -x "$program" ] || { echo "$demo: $program is not built" >&2; exit 2; }

rm -rf "$out"
mkdir -p "$out/data" "$out/config/briven" "$out/cache"
export XDG_CONFIG_HOME="$out/config" XDG_CACHE_HOME="$out/cache" GSETTINGS_BACKEND=memory
