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

# Sound for the decoder and the audio-only player tests: 6 s, silent but for a
# 440 Hz tone from 2 s to 4 s, in each container and codec the program meets.
# Movies carry a tiny picture beside it.
tone() {  # <rate> <channels>
  e='0.5*sin(2*PI*440*t)*between(t\,2\,4)'
  [ "$2" = 2 ] && e="$e|$e"
  echo "aevalsrc=exprs=$e:s=$1:d=6"
}
picture='color=black:size=64x36:rate=5:duration=6'
ff -f lavfi -i "$picture" -f lavfi -i "$(tone 44100 2)" -c:v wmv2 -c:a wmav2 "$out/sound.wmv"
ff -f lavfi -i "$picture" -f lavfi -i "$(tone 48000 2)" -c:v libx264 -c:a aac "$out/sound.mp4"
ff -f lavfi -i "$picture" -f lavfi -i "$(tone 48000 1)" -c:v libvpx -c:a libopus "$out/sound.webm"
ff -f lavfi -i "$picture" -f lavfi -i "$(tone 22050 1)" -c:v libx264 -c:a libvorbis "$out/sound.mkv"
ff -f lavfi -i "$(tone 44100 2)" -c:a libmp3lame "$out/sound.mp3"
ff -f lavfi -i "$(tone 22050 1)" -c:a pcm_s16le "$out/sound.wav"
ff -f lavfi -i "$(tone 16000 2)" -c:a pcm_u8 "$out/sound_u8.wav"
ff -f lavfi -i "$(tone 32000 1)" -c:a pcm_s24le "$out/sound_s24.wav"
ff -f lavfi -i "$(tone 44100 2)" -c:a wmav2 "$out/sound.wma"
# A minute of sound, long enough to be cancelled while it decodes.
ff -f lavfi -i 'sine=frequency=440:sample_rate=48000:duration=60' -c:a aac "$out/minute.m4a"
