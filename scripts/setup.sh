#!/bin/bash
# Installs the Debian packages listed in scripts/debian-packages.txt that are
# missing. Sourced by ./play and ./test.
set -e
tidewell_missing_packages() {
  local list="$1" pkg missing=()
  while read -r pkg; do
    pkg="${pkg%%#*}"; pkg="${pkg//[[:space:]]/}"
    [ -z "$pkg" ] && continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done < "$list"
  echo "${missing[@]}"
}

tidewell_setup() {
  local root="$1" missing
  missing=$(tidewell_missing_packages "$root/scripts/debian-packages.txt")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run this, then try again:"
    echo "  sudo apt-get install -y $missing"
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
}
