#!/usr/bin/env bash
# Makes the private certificate authority of the TLS tests of the update
# client and the two server certificates it signs, into this folder:
#   authority.pem                  the authority (its key is thrown away)
#   loopback.pem, loopback.key     for the names 127.0.0.1 and localhost
#   elsewhere.pem, elsewhere.key   for updates.example.org only
# Each holds from 2000 to 2126, so that no clock of a test machine finds
# one not yet or no longer valid. The tests only read the files; run this by
# hand to make new ones (openssl command line).
set -euo pipefail
cd "$(dirname "$0")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
touch "$work/index.txt"
cat >"$work/ca.cnf" <<CONFIG
[ca]
default_ca = test
[test]
database = $work/index.txt
new_certs_dir = $work
serial = $work/serial
rand_serial = yes
default_md = sha256
policy = any
unique_subject = no
[any]
commonName = supplied
CONFIG
period=(-startdate 20000101000000Z -enddate 21260101000000Z)

# A key and a signing request for a name.
request() {
  openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj "/CN=$2" -keyout "$1" \
    -out "$work/request.csr"
}

request "$work/authority.key" "Brantel Test Authority"
printf '%s\n' "basicConstraints=critical,CA:TRUE" "keyUsage=critical,keyCertSign,cRLSign" \
  "subjectKeyIdentifier=hash" >"$work/authority.ext"
openssl ca -batch -notext -config "$work/ca.cnf" -selfsign -keyfile "$work/authority.key" \
  -in "$work/request.csr" "${period[@]}" -extfile "$work/authority.ext" -out authority.pem

# A server certificate signed by the authority: its file name, its name and
# its subject-alternative names.
server() {
  request "$1.key" "$2"
  printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=serverAuth" "authorityKeyIdentifier=keyid" "subjectAltName=$3" >"$work/$1.ext"
  openssl ca -batch -notext -config "$work/ca.cnf" -cert authority.pem -keyfile "$work/authority.key" \
    -in "$work/request.csr" "${period[@]}" -extfile "$work/$1.ext" -out "$1.pem"
}
server loopback localhost "IP:127.0.0.1,DNS:localhost"
server elsewhere updates.example.org "DNS:updates.example.org"
