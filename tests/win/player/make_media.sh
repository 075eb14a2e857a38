#!/bin/sh
# Generates the media the player tests open: movies made with ffmpeg, files that
# must fail to open, and a copy of the splash picture.
# Usage: make_media.sh <output folder> <splash picture>
set -eu
out=$1
splash=$2
mkdir -p "$out"
ff() { ffmpeg -hide_banner -loglevel error -nostdin -y "$@"; }
# 10 s of test picture with a 440 Hz tone, WMV2 video and WMA2 sound.
ff -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440 -t 10 \
   -c:v wmv2 -b:v 500k -c:a wmav2 "$out/movie.wmv"
# The same picture without sound.
ff -f lavfi -i testsrc=size=320x240:rate=25 -t 10 -an -c:v wmv2 -b:v 500k "$out/video_only.wmv"
# 2 s, to reach the end quickly.
ff -f lavfi -i testsrc=size=320x240:rate=25 -f lavfi -i sine=frequency=440 -t 2 \
   -c:v wmv2 -b:v 500k -c:a wmav2 "$out/short.wmv"
# Not media at all, and empty.
i=0
: > "$out/not_a_movie.wmv"
while [ $i -lt 2000 ]; do echo "This is a text file, not a movie. $i" >> "$out/not_a_movie.wmv"; i=$((i + 1)); done
: > "$out/empty.wmv"
cp "$splash" "$out/ZAV Caption.jpg"
