#!/usr/bin/env bash
# Builds the Debian packages from debian/ and leaves them in dist/, naming each:
#   bash scripts/build-deb.sh
# Installs the Debian tools and build dependencies that are missing. The build
# runs on a copy of the sources, so the tree stays clean.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
bash scripts/install-deps.sh build-essential debhelper dpkg-dev lintian man-db
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
    echo "正在安装构建依赖"
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 build-dep -y -qq "$root"
fi

version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src="$work/tolvane-$upstream"
mkdir "$src"
tar -C "$root" --exclude=./.git --exclude=./build --exclude=./dist -cf - . | tar -C "$src" -xf -

(cd "$src" && DEB_BUILD_OPTIONS="parallel=2 noddebs ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc)

mkdir -p dist
deb="tolvane_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
# The tables' and the library's packages are named first, the program's last.
for built in "$work"/*.deb; do
    cp "$built" dist/
    [ "${built##*/}" = "$deb" ] || echo "dist/${built##*/}"
done
echo "dist/$deb"
