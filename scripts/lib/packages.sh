# Installs, with apt-get, whatever the build and the tests need and this machine lacks.
quillmere_packages=(
  cmake ninja-build g++ clang-format googletest libgtest-dev libgmock-dev
  mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick locales clang-14 libclang-rt-14-dev
  fonts-wine fonts-liberation fonts-wqy-microhei wixl msitools bsdextrautils python3
)

# as_root COMMAND...: runs COMMAND as root, directly when this is root already (a Debian
# installed with a root password has no sudo), otherwise through sudo.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "Needs root, and there is no sudo: as root, run: $*" >&2
    return 1
  fi
}

ensure_packages() {
  local missing=()
  local p
  for p in "${quillmere_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  # npm fetches SQLite (scripts/fetch-sqlite); one that came with Node.js itself will do.
  command -v npm >/dev/null || missing+=(npm)
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  # Another apt-get running on the machine holds the lock for a while; wait for it.
  as_root apt-get -o DPkg::Lock::Timeout=600 update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
}

# ensure_locale NAME: generates the C library locale NAME (en_US.UTF-8) if it is missing,
# so that Wine takes its regional formats from it.
ensure_locale() {
  local name=$1
  local normal
  normal=$(echo "$name" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$normal" && return 0
  as_root sed -i "s/^# *\($name\)/\1/" /etc/locale.gen
  grep -q "^$name" /etc/locale.gen || echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
}
