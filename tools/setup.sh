# Sourced by ./run and ./test: installs the Debian packages the program, its
# tests and its tools need, when they are missing. Root runs apt-get itself;
# anyone else goes through sudo.
tastolino_packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-base-private-dev qt6-base-dev-tools libasound2-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins
  libqt6sql6-sqlite wngerman hunspell-de-de
  libgl-dev libx11-dev libxkbfile-dev libxtst-dev
  fonts-liberation2 fonts-dejavu-core fonts-urw-base35
  xvfb xdotool x11-xkb-utils x11-utils imagemagick
  qpdf poppler-utils libhpdf-dev
  python3 wngerman hunspell hunspell-de-de
  cups-daemon cups-client
  dpkg-dev desktop-file-utils appstream shared-mime-info man-db lintian
)

tastolino_setup() {
  local missing=()
  local p
  for p in "${tastolino_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
