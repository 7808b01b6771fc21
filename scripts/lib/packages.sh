# Installs, with apt-get, whatever the build and the tests need and this machine lacks.
quillmere_packages=(
  cmake ninja-build g++ clang-format googletest libgtest-dev libgmock-dev
  mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils imagemagick locales clang-14 libclang-rt-14-dev
  fonts-wine fonts-liberation fonts-wqy-microhei wixl msitools
)

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
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# ensure_locale NAME: generates the C library locale NAME (en_US.UTF-8) if it is missing,
# so that Wine takes its regional formats from it.
ensure_locale() {
  local name=$1
  local normal
  normal=$(echo "$name" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$normal" && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" sed -i "s/^# *\($name\)/\1/" /etc/locale.gen
  grep -q "^$name" /etc/locale.gen || echo "$name UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
}
