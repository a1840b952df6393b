#!/usr/bin/env bash
# Times a batch of small files through one diziv-cli job with one conversion
# at a time (--jobs 1) against the automatic number (--jobs auto). The runs
# are interleaved (1, auto, 1, auto, ...) after one warm-up pair, on the same
# sources; the table gives the median wall times and their ratio, and the
# processor count the automatic choice worked from. Each run's outputs are
# checked: as many files as sources, each with a video stream.
#
#   bench/parallel.sh [program directory] [clips] [seconds] [pairs]
#
# Defaults: build/release/bin, 20 clips of 5 seconds at 640x360, 3 pairs.
# Use a release build on an otherwise idle machine. Needs ffmpeg and
# ffprobe (scripts/setup-deps).
set -euo pipefail

bin=$(realpath "${1:-build/release/bin}")
clips=${2:-20}
seconds=${3:-5}
pairs=${4:-3}
for needed in ffmpeg ffprobe; do
    command -v "$needed" >/dev/null || { echo "parallel.sh: $needed is missing" >&2; exit 1; }
done
[ -x "$bin/diziv-cli" ] || { echo "parallel.sh: no diziv-cli in $bin" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/in"
chmod 700 "$XDG_RUNTIME_DIR"

echo "making $clips clips of $seconds s at 640x360 ..." >&2
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=640x360:rate=30:duration=$seconds" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" -ac 2 \
    -c:v libx264 -preset veryfast -b:v 1500k -c:a aac -b:a 128k "$work/clip.mp4"
for i in $(seq -w 1 "$clips"); do
    cp "$work/clip.mp4" "$work/in/clip $i.mp4"
done

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One job of every clip with --jobs $1; prints its wall seconds.
run() {
    local out="$work/out-$1"
    rm -rf "$out"
    mkdir -p "$out"
    local start
    start=$(now)
    "$bin/diziv-cli" -q --jobs "$1" --no-copy-fitting -p "MP4 - H.264 Video" -o "$out" "$work/in" >/dev/null
    since "$start"
    local made
    made=$(find "$out" -maxdepth 1 -name '*.mp4' | wc -l)
    [ "$made" -eq "$clips" ] || { echo "parallel.sh: --jobs $1 made $made of $clips files" >&2; exit 1; }
    for file in "$out"/*.mp4; do
        [ "$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_type -of csv=p=0 "$file")" = video ] ||
            { echo "parallel.sh: $file has no video" >&2; exit 1; }
    done
}

echo "warm-up ..." >&2
run 1 >/dev/null
run auto >/dev/null
one=()
auto=()
for pair in $(seq 1 "$pairs"); do
    echo "pair $pair of $pairs ..." >&2
    one+=("$(run 1)")
    auto+=("$(run auto)")
done

one_median=$(printf '%s\n' "${one[@]}" | median)
auto_median=$(printf '%s\n' "${auto[@]}" | median)
printf '%-28s %s\n' "processors" "$(nproc)"
printf '%-28s %s\n' "clips" "$clips x ${seconds} s, 640x360"
printf '%-28s %8.2f s   (%s)\n' "--jobs 1, median wall" "$one_median" "${one[*]}"
printf '%-28s %8.2f s   (%s)\n' "--jobs auto, median wall" "$auto_median" "${auto[*]}"
printf '%-28s %8.3f\n' "speed-up (1 / auto)" "$(awk -v a="$one_median" -v b="$auto_median" 'BEGIN { print a / b }')"
