# Sourced by the library build scripts: fetches and unpacks one Debian source
# package into a folder of its own, once.
#
#   debian_source <package> <folder>     # the unpacked tree is <folder>/tree
#
# Idempotent: a finished unpack (marked by <folder>/.unpacked) is kept, and
# an unfinished one is thrown away and done again. Needs a deb-src entry;
# scripts/setup-debian.sh adds it.
debian_source() {
  local package="$1" src="$2" version dsc
  [ -f "$src/.unpacked" ] && return 0
  rm -rf "$src"
  mkdir -p "$src"
  # The newest version first; a mirror that lacks a security update's source
  # still has the release's.
  if ! (cd "$src" && apt-get source --download-only -qq "$package" >/dev/null 2>&1); then
    rm -f "$src/${package}_"*
    version="$(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -u | grep -v '+deb' | tail -1)"
    (cd "$src" && apt-get source --download-only -qq "$package=$version" >/dev/null)
  fi
  dsc="$(ls "$src/${package}_"*.dsc | head -1)"
  dpkg-source --no-check -x "$dsc" "$src/tree" >/dev/null
  touch "$src/.unpacked"
}
