#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package talonex_<version>_amd64.deb in the
# build folder (TALONEX_BUILD, default build/); then shows it, lists its files and runs lintian on it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
talonex_install
talonex_build
cd "$TALONEX_BUILD" || exit 1
cpack -G DEB | tee cpack.log
deb="$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' cpack.log | tail -n 1)"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
lintian --fail-on error --tag-display-limit 0 "$deb"
echo "talonex: $deb"
