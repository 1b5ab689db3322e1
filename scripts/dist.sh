#!/usr/bin/env bash
# Packs one archive per architecture from the builds in build/<arch>:
# build/dist/tscore32-VERSION-ARCH.zip, holding what `cmake --install` lays
# out, a short README and the licence.
set -eu
TS_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$TS_ROOT"
version=$(sed -nE 's/^project\(tscore32 VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
host="$(uname -s)-$(uname -m)"
rm -rf build/dist
mkdir -p build/dist/stage
for arch in i686 x86_64; do
    name=tscore32-$version-$arch
    stage=build/dist/stage/$name
    cmake --install build/$arch --prefix "$stage" --strip >/dev/null
    sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@HOST@/$host/" packaging/README.txt > "$stage/README.txt"
    cp LICENSE "$stage/LICENSE.txt"
    (cd build/dist/stage && cmake -E tar cf "../$name.zip" --format=zip "$name")
    echo "build/dist/$name.zip: $(cd "$stage" && find . -type f | wc -l) files"
done
