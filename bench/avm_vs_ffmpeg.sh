#!/usr/bin/env bash
# Compares avm with the ffmpeg program on the same conversions: a 30-second
# 1280x720 H.264/AAC clip to MP4 (H.264/AAC) and to DVD MPEG-2. Prints wall
# time and peak memory of both and their ratios (avm / ffmpeg).
#
#   bench/avm_vs_ffmpeg.sh [path/to/avm] [runs]
#
# Use a release build of avm (cmake --preset release && cmake --build
# --preset release --target avm). Needs ffmpeg and GNU time.
set -euo pipefail

avm=${1:-build/release/bin/avm}
runs=${2:-3}
work=$(mktemp -d)
record="avm_bench_$$"
trap 'rm -rf "$work" "/dev/shm/$record"' EXIT

ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1280x720:rate=30:duration=30" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=30" -ac 2 \
    -c:v libx264 -b:v 4000k -c:a aac -b:a 160k "$work/source.mp4"

# A status record as the program prepares it for a conversion run:
# notify_window 0, result_code 1, job_flag 1, cpu_usage 0 (100 %), 30 s.
prepare_record() {
    head -c 1912 /dev/zero > "/dev/shm/$record"
    printf '\x01\x00\x00\x00' | dd of="/dev/shm/$record" bs=1 seek=4 conv=notrunc status=none
    printf '\x01\x00\x00\x00' | dd of="/dev/shm/$record" bs=1 seek=1032 conv=notrunc status=none
    printf '\x1e\x00\x00\x00' | dd of="/dev/shm/$record" bs=1 seek=1140 conv=notrunc status=none
}

# Runs a command `runs` times; prints the best wall time (s) and the largest
# peak resident size (kB).
measure() {
    local best="" peak=0
    for _ in $(seq "$runs"); do
        [ "$1" = "$avm" ] && prepare_record
        /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
        read -r wall rss < "$work/time"
        if [ -z "$best" ] || awk "BEGIN{exit !($wall < $best)}"; then best=$wall; fi
        [ "$rss" -gt "$peak" ] && peak=$rss
    done
    echo "$best $peak"
}

compare() {
    local name=$1; shift
    local avm_args=() ffmpeg_args=()
    while [ "$1" != "--" ]; do avm_args+=("$1"); shift; done
    shift
    ffmpeg_args=("$@")
    read -r avm_time avm_rss < <(measure "$avm" -sfm "$record" "$work/source.mp4" "${avm_args[@]}")
    read -r ff_time ff_rss < <(measure ffmpeg -nostdin -v error -y -threads 0 -i "$work/source.mp4" "${ffmpeg_args[@]}")
    awk -v n="$name" -v at="$avm_time" -v am="$avm_rss" -v ft="$ff_time" -v fm="$ff_rss" 'BEGIN {
        printf "%-10s avm %6.2f s %7d kB   ffmpeg %6.2f s %7d kB   time x%.3f   memory x%.3f\n",
               n, at, am, ft, fm, at / ft, am / fm }'
}

compare "mp4" \
    -ovc x264 -x264encopts bitrate=2000 -oac lavc -lavcopts acodec=aac:abitrate=128 \
    -ofps 30 -srate 44100 -channels 2 -of lavf -lavfopts format=mp4 -o "$work/avm.mp4" -- \
    -c:v libx264 -b:v 2000k -r 30 -c:a aac -b:a 128k -ar 44100 -ac 2 -f mp4 "$work/ffmpeg.mp4"

compare "dvd" \
    -ovc lavc -oac lavc -lavcopts vcodec=mpeg2video:vbitrate=5000:aspect=16/9:acodec=ac3:abitrate=192 \
    -vf scale=720:480,harddup -ofps 30000/1001 -srate 48000 -channels 2 -of mpeg -mpegopts format=dvd \
    -o "$work/avm.mpg" -- \
    -target ntsc-dvd -b:v 5000k -aspect 16:9 -b:a 192k -ac 2 "$work/ffmpeg.mpg"
