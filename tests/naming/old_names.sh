#!/bin/sh
# Fails when the code uses a name of the old form's controls or its Danish record names; those
# live on only in the files the game reads and writes, never in identifiers.
cd "$1" || exit 2
pattern='\b(Button[0-9]+Click|Timer[0-9]+Timer|CPUTimer|TBXItem[0-9A-Za-z]*|Label[0-9]+|Image[0-9]+|TForm[0-9]+|Tfrm[A-Za-z]+|TSpil|TSpiller|TGrunde?|THus|ttb[A-Z][A-Za-z]*|tbb[A-Z][A-Za-z0-9]*|Plads|Brik|Terning[0-9]*)\b'
dirs=""
for d in core persistence localisation ui app tools net; do
  [ -d "$d" ] && dirs="$dirs $d"
done
# shellcheck disable=SC2086
if grep -rnE "$pattern" $dirs; then
  echo "old control or record names found above"
  exit 1
fi
echo "no old names in the code"
