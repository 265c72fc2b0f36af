#!/usr/bin/env bash
# Remakes the seed corpora in fuzz/corpus/<target>/ from the project's own
# fixtures: definition files, example logs, zip fixtures, the switches the
# tests use and a settings file in the store's format. Files found by the
# fuzzers (crashes kept as regression inputs) are left alone.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
corpus=$top/fuzz/corpus
mkdir -p "$corpus"/{instrument_loader,telemetry_sync,conversion,command_line,zip_extract,settings_store}

for f in "$top"/tests/data/instrument/* "$top"/tests/data/telemetry/*.cal "$top"/tests/data/zip/x.cal \
         "$top"/examples/*.tdf; do
  cp "$f" "$corpus/instrument_loader/seed-$(basename "$f")"
done

# The first byte picks instruments (bits 0-1), chunk (bits 2-4) and number
# format (bits 5-7); the logs are cut short so each run stays fast.
for choice in 01 02 00 1d 3a 7f e6; do
  for log in binary_cast ascii_cast; do
    { printf "\\x$choice"; head -c 1500 "$top/examples/$log.raw"; } > "$corpus/telemetry_sync/seed-$log-$choice"
  done
done

# Conversion: bits 0-1 pick the instrument (binary example, text example,
# the conversion fixture, header mode), the others the options.
rm -f "$corpus"/conversion/seed-*
for choice in 00 04 2c 60 e4 f8; do
  for pick in 0 1; do
    log=$([ $pick = 0 ] && echo binary_cast || echo ascii_cast)
    byte=$(printf '%02x' $(( 0x$choice | pick )))
    { printf "\\x$byte"; head -c 1200 "$top/examples/$log.raw"; } > "$corpus/conversion/seed-$log-$byte"
  done
done
for f in good errors tagged nofound empty gap; do
  for choice in 02 4e 5a; do
    { printf "\\x$choice"; cat "$top/tests/data/conversion/$f.raw"; } > "$corpus/conversion/seed-$f-$choice"
  done
done
for f in headers gap; do
  { printf '\x03'; cat "$top/tests/data/conversion/$f.raw"; } > "$corpus/conversion/seed-$f-03"
done

for f in "$top"/tests/data/zip/*.zip; do
  cp "$f" "$corpus/zip_extract/seed-$(basename "$f")"
done

switches=(-c -ci -cl=/tmp/Run.log -ConversionLog=/a/B=c -dt -ds "-d;" -ef -efc -ew=yes -endwindow=No
          -ff -fe -fg -h -n -s -x -t -tf -l100 -l100-5 -l-5 -l32766-32766 -l4294967396 -p0 -p32766
          -w1 -w12 -ow=yes -overwrite=no)
i=0
for s in "${switches[@]}"; do
  printf '%s' "$s" > "$corpus/command_line/seed-$i"
  i=$((i + 1))
done
printf '%s\0' "${switches[@]}" > "$corpus/command_line/seed-all"

printf '%s\n' '; a store file' '"top"=dword:00000002' '[Software\Harwendel\Briven]' \
  '@=sz:"default value"' '"Save Settings"=dword:00000001' '"Conversion Log Directory"=sz:"/data/logs/\n\t\x01"' \
  '"Buttons"=hex:01,ff' '"List"=multi:"a","b",""' '"Odd"=hex(7):61,00' '[Software\Harwendel\Briven\1.0]' \
  '"Company"=sz:"Harwendel Ltd"' '[A%5DB\x]' > "$corpus/settings_store/seed-store"
printf '# comment\r\n"top"=dword:00000002\r\n[A\\B]\r\n@=sz:""\r\n[a]\r\n' > "$corpus/settings_store/seed-crlf"
