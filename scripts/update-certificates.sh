#!/usr/bin/env bash
# Makes the certificates of a test update host in FOLDER (unless they are there already): a
# certificate authority of the tests' own ("ca.crt", the only root that the private update
# network trusts) and, for the update host's name, one certificate and key that it signed
# ("good") beside the ones no client may accept:
#   expired      signed by it, for the right name, but valid only in January 2020
#   self-signed  for the right name, signed by its own key
#   wrong-name   signed by it, for another name (elsewhere.velmora.example)
#   untrusted    for the right name, from another authority that nobody trusts
# Each is "NAME.crt" (the certificate, then the authority that signed it) with "NAME.key".
# Usage: update-certificates.sh FOLDER
set -euo pipefail
folder=$1
host=updates.velmora.example
mkdir -p "$folder"
# Tests that start at once wait for the first to make them instead of making them twice.
exec 9>"$folder/.lock"
flock 9
[ -s "$folder/ca.crt" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

new_key() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1" 2>/dev/null; }

# An authority: its key and self-signed certificate, valid for a year.
new_authority() {
  new_key "$work/$1.key"
  openssl req -x509 -new -key "$work/$1.key" -subj "/O=Velmora tests/CN=$2" -days 365 \
    -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
    -out "$work/$1.crt" 2>/dev/null
}

cat > "$work/server.ext" <<EOF
basicConstraints=CA:FALSE
keyUsage=critical,digitalSignature,keyEncipherment
extendedKeyUsage=serverAuth
EOF

# A server certificate for NAME that AUTHORITY signs, valid for 30 days from now; or, with a
# start and an end date (YYYYMMDDHHMMSSZ), valid from START to END.
server_certificate() {
  local out=$1 name=$2 authority=$3 start=${4:-} end=${5:-}
  openssl req -new -key "$work/server.key" -subj "/CN=$name" -out "$work/$out.csr" 2>/dev/null
  cp "$work/server.ext" "$work/$out.ext"
  echo "subjectAltName=DNS:$name" >> "$work/$out.ext"
  if [ -z "$start" ]; then
    openssl x509 -req -in "$work/$out.csr" -CA "$work/$authority.crt" -CAkey "$work/$authority.key" \
      -set_serial "0x$(openssl rand -hex 8)" -days 30 -extfile "$work/$out.ext" \
      -out "$work/$out.crt" 2>/dev/null
  else
    # Only the authority's signing command sets dates of the past.
    mkdir -p "$work/db"
    : > "$work/db/index.txt"
    openssl rand -hex 8 > "$work/db/serial"
    cat > "$work/ca.conf" <<EOF
[ca]
default_ca = dated
[dated]
database = $work/db/index.txt
serial = $work/db/serial
new_certs_dir = $work/db
default_md = sha256
policy = any
[any]
commonName = supplied
EOF
    openssl ca -batch -notext -config "$work/ca.conf" -cert "$work/$authority.crt" \
      -keyfile "$work/$authority.key" -startdate "$start" -enddate "$end" \
      -extfile "$work/$out.ext" -in "$work/$out.csr" -out "$work/$out.crt" 2>/dev/null
  fi
  cat "$work/$out.crt" "$work/$authority.crt" > "$folder/$out.crt"
  cp "$work/server.key" "$folder/$out.key"
}

new_authority ca "Velmora Test Root"
new_authority stranger "Stranger Root"
new_key "$work/server.key"
server_certificate good "$host" ca
server_certificate expired "$host" ca 20200101000000Z 20200131000000Z
server_certificate wrong-name elsewhere.velmora.example ca
server_certificate untrusted "$host" stranger
openssl req -x509 -new -key "$work/server.key" -subj "/CN=$host" -days 30 \
  -addext "subjectAltName=DNS:$host" -out "$folder/self-signed.crt" 2>/dev/null
cp "$work/server.key" "$folder/self-signed.key"
# Last: its presence says that the folder is complete.
cp "$work/ca.crt" "$folder/ca.crt"
