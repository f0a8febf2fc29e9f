#!/usr/bin/env bash
# Makes the pictures near the top of README.md, into docs/pictures/: a screenshot of the running
# pet (made by scripts/run.sh without a display), an animated GIF of two actions at the pet's own
# pace, the overview of all actions and the region map (made by pawlet-preview from the drawn
# cat). Run it again whenever the cat's art changes; commit what it writes.
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

mkdir -p "$pictures"
# The screen is black around the window: trimming leaves the window. -strip drops the time stamps,
# so an unchanged picture gives the same file.
convert build/run/screenshot.png -trim +repage -strip "$pictures/screenshot.png"
for action in pie stomach; do
  cp "$preview/$action.gif" "$pictures/$action.gif"
done
convert "$preview/all-actions.png" -strip -colors 128 "PNG8:$pictures/all-actions.png"
convert "$preview/regions.png" -strip -colors 128 "PNG8:$pictures/regions.png"

echo "make-readme-pictures.sh: wrote into $pictures:"
du -ch "$pictures"/* | sed 's/^/  /'
