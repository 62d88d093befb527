#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# With the argument "bench" it also installs what the peer-widget benchmarks need.
set -euo pipefail

PACKAGES=(
    g++ make cmake pkg-config python3
    libgtest-dev libgmock-dev
    libcairo2-dev libpango1.0-dev libgdk-pixbuf-2.0-dev
    fonts-wqy-microhei fonts-dejavu-core
)
if [ "${1:-}" = "bench" ]; then
    PACKAGES+=(libgtk-3-dev xvfb)
fi

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "deps.sh: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
else
    echo "deps.sh: missing packages (${missing[*]}) and neither root nor sudo available" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
