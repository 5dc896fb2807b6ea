#!/usr/bin/env bash
# The picture comparison of scripts/check-render tells a faulty drawing from
# a sound one: each sample file is drawn by gerbv beside a copy with one
# fault (a lost rotation, the wrong zeros or units, a lost hole...), and the
# comparison, with its one-pixel allowance, must fall below 99 %; the file
# moved by less than a pixel, as gerbv places things, must reach it.
# Prints "ok NAME" or "FAIL NAME" per case.
set -uo pipefail
cd "$(dirname "$0")/../.."
compare=${PICTURE_COMPARE:-build/native/picture-compare}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
draw() { gerbv -x png -B 0 -D 1000 -W 1.2x1.2 -O -0.1x-0.1 -b '#000000' -f '#FFFFFFFF' -o "$2" "$1" 2> /dev/null; }

# file | the change, as a sed expression | what the change is
while IFS='|' read -r file fault what; do
  sed "$fault" "tests/render/$file" > "$work/copy"
  draw "tests/render/$file" "$work/sound.png"
  draw "$work/copy" "$work/faulty.png"
  figure=$("$compare" "$work/sound.png" "$work/faulty.png" --tolerance 1 | awk '{ print $2 }')
  case $what in moved*) want="f >= 99" ;; *) want="f < 99" ;; esac
  if awk -v f="${figure:-0}" "BEGIN { exit !($want) }"; then result=ok; else result=FAIL; fi
  echo "$result check-render: $file $what ($figure %)"
done <<'TABLE'
macro-thermal.gbr|s/X5000Y5000D03/X5004Y4996D03/|moved by under half a pixel
macro-center-line.gbr|s/,45\*/,0*/|without its rotation
macro-thermal.gbr|s/,45\*/,0*/|without its rotation
arc-single-quadrant.gbr|s/^G74/G75/|read in multi quadrant mode
format-trailing-zeros.gbr|s/FSTA/FSLA/|with leading zeros left out
format-incremental.gbr|s/FSLI/FSLA/|read as absolute
units-millimetre.gbr|s/MOMM/MOIN/|read in inches
drill-metric-trailing-zeros.drl|s/METRIC/INCH/|read in inches
polarity-clear.gbr|s/LPC/LPD/|without clear polarity
step-repeat.gbr|s/SRX3Y2/SRX3Y1/|with one row of copies
aperture-circle.gbr|s/C,0.3X0.12/C,0.3/|without its hole
macro-moire.gbr|s/,3,0.02/,2,0.02/|with a ring less
TABLE
