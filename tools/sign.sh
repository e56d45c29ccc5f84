#!/bin/sh
# Signs the launcher with Authenticode (SHA-256), in place.
#
# usage: KVL_SIGN_CERT=cert.pem KVL_SIGN_KEY=key.pem tools/sign.sh [EXE]
#   EXE                 the executable to sign (default: dist/korvel.exe)
#   KVL_SIGN_CERT       the certificate (chain) in PEM or DER form
#   KVL_SIGN_KEY        its private key
#   KVL_SIGN_PASS       the key's password, if it has one
#   KVL_SIGN_TIMESTAMP  a time-stamping server's URL, if the signature is to
#                       outlive the certificate (needs the network)
set -eu

exe=${1:-dist/korvel.exe}
: "${KVL_SIGN_CERT:?set KVL_SIGN_CERT to the certificate file}"
: "${KVL_SIGN_KEY:?set KVL_SIGN_KEY to the private key file}"

set -- -certs "$KVL_SIGN_CERT" -key "$KVL_SIGN_KEY" -h sha256 -n korvel
[ -n "${KVL_SIGN_PASS:-}" ] && set -- "$@" -pass "$KVL_SIGN_PASS"
[ -n "${KVL_SIGN_TIMESTAMP:-}" ] && set -- "$@" -ts "$KVL_SIGN_TIMESTAMP"

signed="$exe.signed"
osslsigncode sign "$@" -in "$exe" -out "$signed"
mv "$signed" "$exe"
echo "signed $exe"
