#!/usr/bin/env bash
# Installs what the builds need from Debian's packages, skipping what is there already.
# Usage: install-deps.sh linux | all
set -euo pipefail

linux_packages=(build-essential cmake pkg-config googletest libgtest-dev libbenchmark-dev
  libcurl4-openssl-dev libcpp-httplib-dev libjpeg62-turbo-dev libpng-dev libfreetype-dev
  fonts-dejavu-core fonts-vlgothic clang libclang-rt-14-dev nginx-light
  libssl-dev openssl ca-certificates iproute2)
# Wine's TLS for the URL service is GnuTLS, which libwine only recommends.
windows_packages=(mingw-w64 g++-mingw-w64-x86-64-posix wine64 libwine libgnutls30
  wixl msitools osslsigncode)

wanted=("${linux_packages[@]}")
if [ "${1:-linux}" = all ]; then
  wanted+=("${windows_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
