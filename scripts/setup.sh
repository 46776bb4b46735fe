# Shared set-up of scripts/play and scripts/test: make sure the Debian packages the
# build needs are there (installing them when run as root), then configure and build.
# Usage: . scripts/setup.sh; need_packages PKG...; build_tree DIR [cmake options...]

need_packages() {
    local missing=()
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing missing packages: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q && apt-get install -y -q --no-install-recommends "${missing[@]}" || {
            echo "apt-get could not install: ${missing[*]}" >&2
            exit 1
        }
    else
        echo "Some packages the build needs are missing. Install them with:" >&2
        echo "  sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
}

BUILD_PACKAGES=(cmake make g++ pkg-config gettext libsdl2-dev libsdl2-mixer-dev libfreetype-dev fonts-dejavu-core libpng-dev libinih-dev
                libcpp-httplib-dev nlohmann-json3-dev libsodium-dev libsqlite3-dev libpqxx-dev)
PACKAGE_PACKAGES=(dpkg-dev file fakeroot gzip)
TEST_PACKAGES=(libgtest-dev googletest libbenchmark-dev xvfb xauth xdotool imagemagick openbox x11-utils
               "${PACKAGE_PACKAGES[@]}" desktop-file-utils appstream lintian postgresql sqlite3 curl)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
COVERAGE_PACKAGES=(llvm)  # llvm-profdata and llvm-cov of the clang above

build_tree() {
    local dir="$1"
    shift
    local launcher=()
    # A compiler cache where the machine has one: rebuilds of other trees reuse its objects.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$ROOT" -B "$ROOT/$dir" "${launcher[@]}" "$@" >/dev/null || exit 1
    cmake --build "$ROOT/$dir" -j"$(nproc)" || exit 1
}

# The board server's PostgreSQL tests: a throw-away cluster (scripts/postgres-cluster) as
# an unprivileged user for this run, unless TG_TEST_POSTGRES_URL already names a server.
# Stopped and removed when the calling shell exits. Without PostgreSQL they are skipped.
start_test_postgres() {
    [ -n "${TG_TEST_POSTGRES_URL:-}" ] && return 0
    TG_TEST_POSTGRES_CLUSTER="$(mktemp -d)"
    trap '"$ROOT/scripts/postgres-cluster" stop "$TG_TEST_POSTGRES_CLUSTER"' EXIT
    if TG_TEST_POSTGRES_URL="$("$ROOT/scripts/postgres-cluster" start "$TG_TEST_POSTGRES_CLUSTER")"; then
        export TG_TEST_POSTGRES_URL TG_TEST_POSTGRES_CLUSTER
    else
        echo "No PostgreSQL cluster could be started: the server's PostgreSQL tests are skipped." >&2
        unset TG_TEST_POSTGRES_URL
    fi
}
