#!/usr/bin/env bash
# Remakes KOR's art from make_art.cpp: the sprites and the icon in resources/, and the demo's town
# picture and level maps in demo/. Needs g++ and imagemagick; the results are committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -Wall -Wextra -Werror "$root/tools/art/make_art.cpp" -o "$work/make_art"
g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root" "$root/tools/art/make_maps.cpp" "$root/tools/gamesim/demo_world.cpp" \
    -o "$work/make_maps"
"$work/make_art" "$work"
"$work/make_maps" "$work"

# 13 x 13 palette PNGs with a transparent colour; no time stamps, so the bytes are repeatable.
for sprite in arrow annotate; do
    convert "$work/$sprite.pam" -define png:exclude-chunks=date,time -strip PNG8:"$root/resources/$sprite.png"
done
convert "$work/chest16.pam" "$work/chest32.pam" "$work/chest48.pam" "$root/resources/chest.ico"

mkdir -p "$root/demo/Levels"
convert "$work/town.pam" -background '#567a3a' -flatten \
    -font DejaVu-Sans-Bold -pointsize 15 -fill '#fff8e0' -stroke '#3a2a10' -strokewidth 0.6 \
    -annotate +206+94 'Temple' -annotate +440+54 'Inn' -annotate +578+74 'Smithy' \
    -annotate +505+514 'Dungeon' -annotate +338+236 'Square' -annotate +322+616 'Gate' \
    -strip -quality 90 "$root/demo/Levels/town.jpg"
# The demo's level maps, in both map sets.
mkdir -p "$root/demo/Levels - YEL"
for pam in "$work"/regular-Level*.pam "$work"/alternate-Level*.pam; do
    name=$(basename "$pam" .pam)
    folder="$root/demo/Levels"
    [[ $name == alternate-* ]] && folder="$root/demo/Levels - YEL"
    convert "$pam" -draw "$(cat "${pam%.pam}.mvg")" -strip -define png:exclude-chunks=date,time PNG24:"$folder/${name#*-}.png"
done

echo "make-art: wrote resources/arrow.png, resources/annotate.png, resources/chest.ico, demo/Levels/town.jpg and the level maps"
