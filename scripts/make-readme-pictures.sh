#!/usr/bin/env bash
# Makes the pictures near the top of README.md, into docs/pictures/: a screenshot of the running
# pet (made by scripts/run.sh without a display), an animated GIF of two actions at the pet's own
# pace, the overview of all actions and the region map (made by pawlet-preview from the drawn
# cat), and the cursor sheet for docs/asset-packs.md. Run it again whenever the cat's art
# changes; commit what it writes.
#   scripts/make-readme-pictures.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
pictures=docs/pictures
preview=build/readme-preview

# Builds native, win32 and win64, runs the pet in a private Xvfb and saves build/run/screenshot.png.
env -u DISPLAY scripts/run.sh

rm -rf "$preview"
build/native/tools/pawlet_preview/pawlet-preview --scale 0.5 \
  --background build/native/art/background.jpg build/native/cat-assets "$preview"

rm -rf "$pictures"
mkdir -p "$pictures"
# The screen is black around the window: trimming leaves the window. -strip drops the time stamps;
# JPEG keeps the photographs of the alley small, PNG8 the region map's lines sharp.
convert build/run/screenshot.png -trim +repage -strip -quality 85 "$pictures/screenshot.jpg"
for action in pie cymbal; do
  cp "$preview/$action.gif" "$pictures/$action.gif"
done
convert "$preview/all-actions.png" -strip -resize 80% -quality 72 -sampling-factor 4:2:0 "$pictures/all-actions.jpg"
convert "$preview/regions.png" -strip -colors 64 "PNG8:$pictures/regions.png"
# The cursors as make_cat_art draws them, for the asset-pack guide.
cp build/native/art/cursor-sheet.png "$pictures/cursors.png"

echo "make-readme-pictures.sh: wrote into $pictures:"
du -ch "$pictures"/* | sed 's/^/  /'
