#!/usr/bin/env bash
# Remakes the zip test fixtures in this folder from Info-ZIP zip, Python's
# zipfile, bsdtar and 7z, plus hand-made hostile archives (make_hostile.py).
# Needs: zip, python3, bsdtar (libarchive-tools), 7z (p7zip-full).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

mkdir -p src/docs
printf 'Name=Demo\r\nVersion=1\r\n' > src/Properties.txt
printf 'sensor line %d\n' $(seq 1 400) > src/docs/x.cal
printf 'tdf\n' > src/y.tdf
: > src/empty.dat
export TZ=UTC
touch -d '2020-05-06 07:08:10' src/Properties.txt src/docs/x.cal src/y.tdf src/empty.dat src/docs src

(cd src && zip -q -X -0 "$work/infozip-stored.zip" Properties.txt docs/x.cal y.tdf empty.dat)
(cd src && zip -q -X -9 -r "$work/infozip-deflated.zip" Properties.txt docs y.tdf empty.dat)
(cd src && zip -q -X -P secret "$work/infozip-encrypted.zip" docs/x.cal y.tdf)
(cd src && zip -q -X -z "$work/infozip-comment.zip" y.tdf <<<'archive comment')
# Streamed input gives data descriptors; encryption then checks the time byte.
(cd src && cat docs/x.cal | zip -q -X -fz- -P secret - - > "$work/infozip-stream-encrypted.zip")
# A split archive of Info-ZIP: only its last part is kept, to show that
# opening it is refused without looking for the other parts.
head -c 200000 /dev/urandom > src/noise.bin
(cd src && zip -q -X -0 -s 64k "$work/infozip-split.zip" noise.bin)
rm -f "$work"/infozip-split.z0* src/noise.bin
(cd src && bsdtar --format zip -cf "$work/bsdtar.zip" Properties.txt docs y.tdf)
(cd src && 7z a -tzip -bd -bso0 "$work/7z.zip" Properties.txt docs y.tdf)

python3 - "$work" <<'PY'
import sys, zipfile, os
w = sys.argv[1]
src = os.path.join(w, 'src')
with zipfile.ZipFile(os.path.join(w, 'python.zip'), 'w', zipfile.ZIP_DEFLATED) as z:
    z.write(os.path.join(src, 'Properties.txt'), 'Properties.txt')
    z.write(os.path.join(src, 'docs', 'x.cal'), 'docs/x.cal')
    z.writestr(zipfile.ZipInfo('dir/', (2020, 5, 6, 7, 8, 10)), b'')
    z.writestr(zipfile.ZipInfo('caf\u00e9.txt', (2020, 5, 6, 7, 8, 10)), b'utf-8 name')
with zipfile.ZipFile(os.path.join(w, 'empty.zip'), 'w') as z:
    pass
# Data prepended to an archive, as self-extractors have.
with open(os.path.join(w, 'prepended.zip'), 'wb') as out:
    out.write(b'#!/bin/sh\necho prepended\nexit 0\n' * 4)
    out.write(open(os.path.join(w, 'infozip-deflated.zip'), 'rb').read())
PY
python3 "$here/make_hostile.py" "$work"

cp -- "$work"/*.zip "$here"/
cp -- src/docs/x.cal "$here/x.cal"
echo "fixtures written to $here"
