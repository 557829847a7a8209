# Sourced by the set-up scripts. missing_packages NAME...: sets the array
# `missing` to those of the named Debian packages that are not installed.
missing_packages() {
  missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
}
