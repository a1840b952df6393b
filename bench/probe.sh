#!/usr/bin/env bash
# Times how long adding files takes: the probe of one 10-second 1080p H.264
# file on one core, and of a folder of 16 short 720p clips on two cores,
# both through diziv-cli as a user runs it (every output already exists and
# --skip-existing is given, so the run probes and converts nothing). For
# comparison also avm's identify run alone and the three-second test
# conversion probes were before. Prints the medians with the targets (met
# on an idle machine).
#
#   bench/probe.sh [program directory] [repetitions]
#
# Use a release build (cmake --preset release && cmake --build --preset
# release). Needs ffmpeg (scripts/setup-deps), taskset and bash 5.
set -euo pipefail

bin=$(realpath "${1:-build/release/bin}")
runs=${2:-5}
for needed in ffmpeg taskset; do
    command -v "$needed" >/dev/null || { echo "probe.sh: $needed is missing" >&2; exit 1; }
done
[ -x "$bin/diziv-cli" ] && [ -x "$bin/avm" ] || { echo "probe.sh: no diziv-cli and avm in $bin" >&2; exit 1; }
[ "$runs" -ge 1 ] || { echo "probe.sh: repetitions must be at least 1" >&2; exit 1; }
if [ "$(nproc --all)" -lt 2 ]; then
    echo "probe.sh: the folder is timed on two cores; this machine has one" >&2
    exit 1
fi

work=$(mktemp -d)
record="probe_bench_$$"
trap 'rm -rf "$work" "/dev/shm/$record"' EXIT
# diziv-cli keeps its settings, lock and temp folder in here.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/one" "$work/folder" "$work/out"
chmod 700 "$XDG_RUNTIME_DIR"

echo "making the clips ..." >&2
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=10" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=10" -ac 2 \
    -c:v libx264 -preset veryfast -b:v 8000k -c:a aac -b:a 160k "$work/one/movie.mp4"
for i in $(seq -w 1 16); do
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1280x720:rate=25:duration=3" \
        -f lavfi -i "sine=frequency=$((200 + 10#$i * 20)):sample_rate=44100:duration=3" -ac 2 \
        -c:v libx264 -preset veryfast -b:v 3000k -c:a aac -b:a 128k "$work/folder/clip $i.mp4"
done
# Every output exists already, so diziv-cli probes and then skips each file.
touch "$work/out/movie.mp4"
for clip in "$work/folder/"*.mp4; do touch "$work/out/$(basename "$clip")"; done

# A status record as the program prepares it for a probe run: all zero,
# result_code 1.
prepare_record() {
    head -c 1912 /dev/zero > "/dev/shm/$record"
    printf '\x01\x00\x00\x00' | dd of="/dev/shm/$record" bs=1 seek=4 conv=notrunc status=none
}

cli_one() {
    taskset -c 0 "$bin/diziv-cli" -q -p generic-mp4 --skip-existing -o "$work/out" "$work/one/movie.mp4"
}
cli_folder() {
    taskset -c 0,1 "$bin/diziv-cli" -q -p generic-mp4 --skip-existing -o "$work/out" "$work/folder"
}
avm_identify() {
    prepare_record
    taskset -c 0 "$bin/avm" -sfm "$record" -identify "$work/one/movie.mp4"
}
avm_test_conversion() {
    prepare_record
    taskset -c 0 "$bin/avm" -sfm "$record" -endpos 3 "$work/one/movie.mp4" -oac mp3lame -ovc lavc -of mpeg \
        -lameopts abr:br=192:mode=0 -lavcopts vcodec=mpeg1video:keyint=12 -mpegopts format=mpeg1 \
        -ofps 23.976025 -o "$work/test.mpg"
}

cases=(cli_one cli_folder avm_identify avm_test_conversion)
declare -A times
# Seconds one run of a case takes; the run must succeed.
time_case() {
    local start end
    start=$EPOCHREALTIME
    "$1" >"$work/log" 2>&1 || { echo "probe.sh: $1 failed:" >&2; cat "$work/log" >&2; exit 1; }
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

echo "warming up, then $runs rounds ..." >&2
for name in "${cases[@]}"; do time_case "$name" >/dev/null; done
for _ in $(seq "$runs"); do
    for name in "${cases[@]}"; do times[$name]+="$(time_case "$name") "; done
done

median() {
    tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{ v[NR] = $1 } END {
        printf "%.2f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

row() {  # name, what, cores, target ("" for none)
    local m verdict=""
    m=$(median "${times[$1]}")
    if [ -n "$4" ]; then
        verdict=$(awk -v m="$m" -v t="$4" 'BEGIN { print (m <= t ? "met" : "MISSED") }')
        printf "%-44s %5s %8s s %8s s   %s\n" "$2" "$3" "$m" "$4" "$verdict"
    else
        printf "%-44s %5s %8s s %10s\n" "$2" "$3" "$m" "-"
    fi
}

printf "\nprobe times, median of %d rounds after a warm-up\n\n" "$runs"
printf "%-44s %5s %10s %10s\n" "what" "cores" "median" "target"
row cli_one "one 1080p H.264 file, diziv-cli" 1 0.30
row cli_folder "folder of 16 720p clips, diziv-cli" 2 3.00
row avm_identify "one 1080p file, avm -identify alone" 1 ""
row avm_test_conversion "one 1080p file, old 3-second test encode" 1 ""
