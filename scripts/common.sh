# Shared by the scripts: where things live and how to configure a build.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tiltviewer-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
# Paths relative to the checkout, so clones in other folders share the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
# The tests' precompiled header: the cache may take a file compiled with it (ccache's manual, on
# precompiled headers), and the header made a moment before the files that use it.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
JOBS="${JOBS:-$(nproc)}"

# configure <build-dir> <cmake args...>
configure() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja -Wno-dev "$@" >/dev/null
}
