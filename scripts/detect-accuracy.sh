#!/usr/bin/env bash
# Prints the table of how often short Japanese texts are recognised right, by length, for
# kvteconv detect (built here, natively) and the detectors Debian packages: nkf --guess,
# uchardet, ICU's charset detector and Python's chardet. The texts come from Debian's
# SKK dictionary, IPA dictionary sources and Japanese manual pages (see
# detect-accuracy/detect_accuracy.py). Installs what it needs. Extra arguments go to the
# Python script, e.g. --kvteconv OTHER_KVTECONV=label to compare a second build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(uchardet nkf python3-chardet manpages-ja skkdic mecab-ipadic libicu-dev g++ cmake python3)
need=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  echo "detect-accuracy: installing ${need[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

build=build/native
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target kvteconv >/dev/null
mkdir -p build/detect-accuracy
g++ -O2 -o build/detect-accuracy/icu_detect scripts/detect-accuracy/icu_detect.cpp -licui18n -licuuc

# Debian's python3, which has chardet (a python3 earlier on PATH may not).
exec /usr/bin/python3 scripts/detect-accuracy/detect_accuracy.py --kvteconv "$build/kvteconv=kvteconv" \
  --icu build/detect-accuracy/icu_detect "$@"
