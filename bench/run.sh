#!/usr/bin/env bash
# Times the program as users run it (diziv-cli with the shipped profiles)
# against the ffmpeg command line asked for the same output, and prints one
# table of ratios program / ffmpeg.
#
#   bench/run.sh [--pairs N] [--quick] [--formats] [--only CASES] [--bin DIR] [--keep DIR]
#
#   --pairs N   timed pairs per case after one warm-up pair (default 5)
#   --quick     short sources, fewer clips and 2 pairs: a check of the
#               benchmark itself, not a measurement
#   --formats   also every H.265/VP9/AV1/Opus/FLAC profile at 1920x1080 and a
#               source that fits "MP4 - H.264 Video" (stream copy)
#   --only CASES  only these cases, by name, separated by commas: mp4, dvd,
#               vcd, avi, join, clips, clips1, probe, folder, identify
#   --bin DIR   program directory (default build/release/bin)
#   --keep DIR  keep the sources, the outputs and each side's commands in DIR
#
# Each case writes two scripts: the diziv-cli command, and the ffmpeg
# commands translated from the engine command diziv-cli itself runs (read
# with --verbose; bench/translate.sh says how each option translates). The
# program probes every source before converting it, so the ffmpeg side runs
# ffprobe on every source first. The two scripts run interleaved (program,
# ffmpeg, program, ffmpeg, ...) after one warm-up pair, each under GNU time
# for wall time, CPU time (children included; see timed below) and the peak
# resident size (of the largest single process). The last outputs of both
# are compared with ffprobe (bench/outputs.sh).
#
# Use a release build on an idle machine; the table shows the load average
# before and after. Needs ffmpeg, ffprobe, GNU time (/usr/bin/time) and
# taskset; perf, where present and allowed, counts the CPU time exactly.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
pairs=5
quick=false
formats=false
bin=build/release/bin
keep=""
only=""
while [ $# -gt 0 ]; do
    case "$1" in
    --pairs) pairs=$2; shift 2 ;;
    --quick) quick=true; shift ;;
    --formats) formats=true; shift ;;
    --bin) bin=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) echo "usage: bench/run.sh [--pairs N] [--quick] [--formats] [--only CASES] [--bin DIR] [--keep DIR]" >&2
       exit 2 ;;
    esac
done
if $quick; then
    [ "$pairs" = 5 ] && pairs=2
    seconds=3 part_seconds=2 clips=10 probe_seconds=3 probe_clips=4 probe_repeats=3
else
    seconds=30 part_seconds=10 clips=100 probe_seconds=10 probe_clips=16 probe_repeats=10
fi
[ "$pairs" -ge 1 ] 2>/dev/null || { echo "run.sh: --pairs takes a number from 1" >&2; exit 2; }

for needed in ffmpeg ffprobe taskset; do
    command -v "$needed" >/dev/null || { echo "run.sh: $needed is missing" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "run.sh: GNU time (/usr/bin/time) is missing" >&2; exit 1; }
bin=$(realpath "$bin")
[ -x "$bin/diziv-cli" ] && [ -x "$bin/avm" ] || { echo "run.sh: no diziv-cli and avm in $bin" >&2; exit 1; }

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    work=$(realpath "$keep")
else
    work=$(mktemp -d)
fi
record="bench_identify_$$"
trap '[ -n "$keep" ] || rm -rf "$work"; rm -f "/dev/shm/$record"' EXIT
# diziv-cli keeps its settings, lock and temporary folder in here: the
# shipped defaults, whatever the user's own settings are.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME
rm -rf "$work/src" "$work/cases"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/src" "$work/cases"
chmod 700 "$XDG_RUNTIME_DIR"

source "$here/translate.sh"
source "$here/outputs.sh"

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# make_source FILE SIZE SECONDS [RATE]: an H.264/AAC test clip (48 kHz stereo).
make_source() {
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=$2:rate=${4:-30}:duration=$3" \
        -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$3" -ac 2 \
        -c:v libx264 -preset veryfast -b:v 4000k -c:a aac -b:a 160k "$1"
}

echo "making the sources ..." >&2
make_source "$work/src/movie.mp4" 1280x720 "$seconds"
mkdir -p "$work/src/parts" "$work/src/clips" "$work/src/probe" "$work/src/folder"
for part in 1 2 3; do make_source "$work/src/parts/part$part.mp4" 1280x720 "$part_seconds"; done
make_source "$work/src/clip.mp4" 320x240 2
for i in $(seq -w 1 "$clips"); do
    cp "$work/src/clip.mp4" "$work/src/clips/clip$i.mp4"
done
make_source "$work/src/probe/movie1080.mp4" 1920x1080 "$probe_seconds"
for i in $(seq -w 1 "$probe_clips"); do make_source "$work/src/folder/clip$i.mp4" 1280x720 3 25; done
if $formats; then
    make_source "$work/src/movie1080.mp4" 1920x1080 "$seconds"
    # Fits "MP4 - H.264 Video" at its Original size: H.264 below its rate,
    # AAC 44100 Hz stereo below its rate.
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=$seconds" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" -ac 2 \
        -c:v libx264 -preset veryfast -b:v 1500k -maxrate 1800k -bufsize 3000k -c:a aac -b:a 128k "$work/src/fits.mp4"
fi

# command_line WORD...: the words quoted for the shell, as one line.
command_line() {
    printf '%q ' "$@"
    echo
}

# engine_words OPTION... SOURCE...: the first engine conversion command
# diziv-cli runs for these arguments, from its --verbose output, as the words
# after the input file; the conversion's output stays in $work/capture.
engine_words() {
    local line words=()
    rm -rf "$work/capture"
    mkdir -p "$work/capture"
    line=$("$bin/diziv-cli" -v -q -o "$work/capture" "$@" 2>&1 >/dev/null |
        grep -F "run: " | grep -F "/avm " | grep -v -- " -identify " | head -1)
    [ -n "$line" ] || return 1
    eval "words=(${line#*run: })"
    printf '%s\n' "${words[@]:4}"
}

# The case being set up: its folder, the program's output folder (emptied
# before each program run) and ffmpeg's.
start_case() {
    case_dir="$work/cases/$1"
    rm -rf "$case_dir"
    mkdir -p "$case_dir/program" "$case_dir/ffmpeg"
    : >"$case_dir/program.sh"
    : >"$case_dir/ffmpeg.sh"
    : >"$case_dir/before.sh"
    echo "$2" >"$case_dir/label"
    cases+=("$1")
}

# capture_engine DIZIV_ARGUMENT...: fills the caller's `engine` with the
# engine words diziv-cli runs for these arguments, or marks the case failed.
capture_engine() {
    mapfile -t engine < <(engine_words "$@") || true
    [ ${#engine[@]} -gt 0 ] && return
    echo "the program ran no conversion" >"$case_dir/failed"
    return 1
}

# convert_case NAME LABEL SOURCE DIZIV_OPTION...: one source, one output file.
convert_case() {
    local name=$1 label=$2 source=$3 extension
    shift 3
    start_case "$name" "$label"
    local engine
    capture_engine "$@" "$source" || return
    extension=$(find "$work/capture" -maxdepth 1 -type f -name '*.*' | sed -n 's/.*\.//p' | head -1)
    mapfile -t options < <(translate "${engine[@]}")
    command_line "$bin/diziv-cli" -q "$@" -o "$case_dir/program" "$source" >>"$case_dir/program.sh"
    command_line ffprobe -v error -show_format -show_streams "$source" >>"$case_dir/ffmpeg.sh"
    command_line ffmpeg -nostdin -v error -y -i "$source" "${options[@]}" "$case_dir/ffmpeg/out.$extension" >>"$case_dir/ffmpeg.sh"
    echo "$case_dir/ffmpeg/out.$extension" >"$case_dir/check"
}

# join_case NAME LABEL DIZIV_OPTION... -- SOURCE...: the program encodes each
# part and joins them without encoding again; ffmpeg decodes the parts one
# after the other through its concat filter and encodes once, the profile's
# -vf and -af applied to each part.
join_case() {
    local name=$1 label=$2 diziv=() sources=() inputs=() graph="" joined="" i=0
    shift 2
    while [ "$1" != -- ]; do diziv+=("$1"); shift; done
    shift
    sources=("$@")
    start_case "$name" "$label"
    local engine
    capture_engine "${diziv[@]}" "${sources[@]}" || return
    mapfile -t translated < <(translate "${engine[@]}")
    local video=null audio=anull options=() k
    for ((k = 0; k < ${#translated[@]}; k++)); do
        case "${translated[k]}" in
        -vf) video=${translated[k + 1]}; k=$((k + 1)) ;;
        -af) audio=${translated[k + 1]}; k=$((k + 1)) ;;
        -map) k=$((k + 1)) ;;
        *) options+=("${translated[k]}") ;;
        esac
    done
    for source in "${sources[@]}"; do
        command_line ffprobe -v error -show_format -show_streams "$source" >>"$case_dir/ffmpeg.sh"
        inputs+=(-i "$source")
        graph+="[$i:v:0]${video}[v$i];[$i:a:0]${audio}[a$i];"
        joined+="[v$i][a$i]"
        i=$((i + 1))
    done
    graph+="${joined}concat=n=$i:v=1:a=1[v][a]"
    command_line "$bin/diziv-cli" -q "${diziv[@]}" -o "$case_dir/program" "${sources[@]}" >>"$case_dir/program.sh"
    command_line ffmpeg -nostdin -v error -y "${inputs[@]}" -filter_complex "$graph" -map "[v]" -map "[a]" \
        "${options[@]}" "$case_dir/ffmpeg/out.mp4" >>"$case_dir/ffmpeg.sh"
    echo "$case_dir/ffmpeg/out.mp4" >"$case_dir/check"
}

# batch_case NAME LABEL FOLDER DIZIV_OPTION...: every file of FOLDER in one
# diziv-cli job; ffmpeg converts them one after the other. The check counts
# the outputs and compares the first and the last.
batch_case() {
    local name=$1 label=$2 folder=$3 files=() first
    shift 3
    start_case "$name" "$label"
    mapfile -t files < <(find "$folder" -maxdepth 1 -type f | sort)
    local engine
    capture_engine "$@" "${files[0]}" || return
    mapfile -t options < <(translate "${engine[@]}")
    command_line "$bin/diziv-cli" -q "$@" -o "$case_dir/program" "$folder" >>"$case_dir/program.sh"
    for file in "${files[@]}"; do
        command_line ffprobe -v error -show_format -show_streams "$file" >>"$case_dir/ffmpeg.sh"
        command_line ffmpeg -nostdin -v error -y -i "$file" "${options[@]}" "$case_dir/ffmpeg/$(basename "$file")" \
            >>"$case_dir/ffmpeg.sh"
    done
    first=$(basename "${files[0]}")
    printf '%s\n' "$case_dir/ffmpeg/$first" "$case_dir/ffmpeg/$(basename "${files[-1]}")" >"$case_dir/check"
}

# probe_case NAME LABEL CORES SOURCE...: diziv-cli adds the sources and
# skips each (its output already exists), so it probes and converts
# nothing; ffmpeg's side is ffprobe of each. Both run on the same cores,
# probe_repeats times in a timed run, since one probe takes about 0.1 s and
# CPU times are counted in 10 ms steps.
probe_case() {
    local name=$1 label=$2 cores=$3
    shift 3
    start_case "$name" "$label"
    mkdir -p "$case_dir/existing"
    echo "for _ in \$(seq $probe_repeats); do" | tee -a "$case_dir/ffmpeg.sh" >>"$case_dir/program.sh"
    for source in "$@"; do
        touch "$case_dir/existing/$(basename "$source")"
        command_line taskset -c "$cores" ffprobe -v error -show_format -show_streams "$source" >>"$case_dir/ffmpeg.sh"
    done
    command_line taskset -c "$cores" "$bin/diziv-cli" -q -p generic-mp4-h264 --skip-existing \
        -o "$case_dir/existing" "$@" >>"$case_dir/program.sh"
    echo "done" | tee -a "$case_dir/ffmpeg.sh" >>"$case_dir/program.sh"
}

# identify_case NAME LABEL SOURCE: avm's probe alone, as the program runs it,
# with the status record the program prepares (all zero, result_code 1).
identify_case() {
    start_case "$1" "$2"
    {
        echo "head -c 1912 /dev/zero >/dev/shm/$record"
        echo "printf '\\x01\\x00\\x00\\x00' | dd of=/dev/shm/$record bs=1 seek=4 conv=notrunc status=none"
    } >"$case_dir/before.sh"
    echo "for _ in \$(seq $probe_repeats); do" | tee -a "$case_dir/ffmpeg.sh" >>"$case_dir/program.sh"
    command_line taskset -c 0 "$bin/avm" -sfm "$record" -identify "$3" >>"$case_dir/program.sh"
    command_line taskset -c 0 ffprobe -v error -show_format -show_streams "$3" >>"$case_dir/ffmpeg.sh"
    echo "done" | tee -a "$case_dir/ffmpeg.sh" >>"$case_dir/program.sh"
}

cases=()
echo "setting up the cases ..." >&2
# wanted NAME: whether --only leaves the case in.
wanted() { [ -z "$only" ] || [[ ",$only," == *",$1,"* ]]; }
wanted mp4 && convert_case mp4 "MP4 H.264/AAC (720p)" "$work/src/movie.mp4" -p generic-mp4-h264 --no-copy-fitting
wanted dvd && convert_case dvd "DVD MPEG-2 file (NTSC)" "$work/src/movie.mp4" -p disc-dvd
wanted vcd && convert_case vcd "VCD MPEG-1 file (NTSC)" "$work/src/movie.mp4" -p disc-vcd
wanted avi && convert_case avi "AVI MPEG-4/MP3 (720p)" "$work/src/movie.mp4" -p generic-avi
wanted join && join_case join "join 3 parts to MP4" -p generic-mp4-h264 --join --no-copy-fitting -- "$work/src/parts/"*.mp4
wanted clips && batch_case clips "$clips clips 320x240 2 s, MP4" "$work/src/clips" -p generic-mp4-h264 --no-copy-fitting
wanted clips1 && batch_case clips1 "same, --jobs 1" "$work/src/clips" -p generic-mp4-h264 --no-copy-fitting --jobs 1
wanted probe && probe_case probe "probe 1080p, 1 core" 0 "$work/src/probe/movie1080.mp4"
wanted folder && probe_case folder "probe $probe_clips 720p clips, 2 cores" 0,1 "$work/src/folder/"*.mp4
wanted identify && identify_case identify "probe 1080p, avm -identify" "$work/src/probe/movie1080.mp4"
if $formats; then
    for profile in generic-mkv-h264 generic-mp4-hevc generic-mkv-hevc generic-webm-vp9 generic-webm-av1 \
        generic-mkv-av1 apple-tv4k-hevc apple-iphone-hevc android-phone android-tablet web-youtube-1080p \
        web-720p tvplayer-chromecast-4k-hevc generic-mp3 generic-m4a generic-flac generic-opus; do
        size=()
        "$bin/diziv-cli" --list-profiles "$profile" 2>/dev/null | grep -q 1920x1080 && size=(--size=1920x1080)
        convert_case "$profile" "$profile" "$work/src/movie1080.mp4" -p "$profile" --no-copy-fitting "${size[@]}"
    done
    convert_case fits "MP4, fitting source copied" "$work/src/fits.mp4" -p generic-mp4-h264 --size=Original \
        --frame-rate=Original
fi

# CPU time is the scheduler's task clock where perf may count it: user +
# system time from rusage is sampled and reads short processes (a probe of
# about 0.1 s) up to a fifth off.
task_clock=false
perf stat -x, -e task-clock -o /dev/null true 2>/dev/null && task_clock=true

# timed SCRIPT: runs it under GNU time (and perf); prints "wall cpu peak_kB".
timed() {
    local counter=()
    $task_clock && counter=(perf stat -x, -e task-clock -o "$case_dir/clock")
    /usr/bin/time -f '%e %U %S %M' -o "$case_dir/time" "${counter[@]}" bash "$1" >/dev/null 2>"$case_dir/log" ||
        return 1
    if $task_clock; then
        awk -F, -v time="$(cat "$case_dir/time")" '$3 == "task-clock" {
            split(time, t, " "); printf "%s %.3f %s\n", t[1], $1 / 1000, t[4] }' "$case_dir/clock"
    else
        awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$case_dir/time"
    fi
}

run_case() {
    case_dir="$work/cases/$1"
    [ -f "$case_dir/failed" ] && return
    : >"$case_dir/program.times"
    : >"$case_dir/ffmpeg.times"
    local pair result
    for pair in $(seq 0 "$pairs"); do
        rm -rf "$case_dir/program" && mkdir -p "$case_dir/program"
        bash "$case_dir/before.sh"
        if ! result=$(timed "$case_dir/program.sh"); then
            echo "program failed: $(tail -1 "$case_dir/log")" >"$case_dir/failed"
            return
        fi
        [ "$pair" -gt 0 ] && echo "$result" >>"$case_dir/program.times"
        if ! result=$(timed "$case_dir/ffmpeg.sh"); then
            echo "ffmpeg failed: $(tail -1 "$case_dir/log")" >"$case_dir/failed"
            return
        fi
        [ "$pair" -gt 0 ] && echo "$result" >>"$case_dir/ffmpeg.times"
    done
}

for name in "${cases[@]}"; do
    echo "timing $(cat "$work/cases/$name/label") ($pairs pairs after a warm-up) ..." >&2
    run_case "$name"
done

# statistic COLUMN min|median FILE
statistic() {
    cut -d' ' -f"$1" "$3" | sort -g | awk -v which="$2" '{ v[NR] = $1 } END {
        if (which == "min") print v[1]
        else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() {
    awk -v a="$(statistic "$1" "$2" "$case_dir/program.times")" \
        -v b="$(statistic "$1" "$2" "$case_dir/ffmpeg.times")" 'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }'
}

# The check of a case's last outputs against ffmpeg's: as many files, and
# each file named in "check" alike in both.
outputs_check() {
    [ -f "$case_dir/check" ] || { echo "-"; return; }
    local ours theirs verdict made expected
    made=$(find "$case_dir/program" -type f | wc -l)
    expected=$(find "$case_dir/ffmpeg" -type f | wc -l)
    [ "$made" -eq "$expected" ] || { echo "DIFFER: $made outputs / $expected"; return; }
    while read -r theirs; do
        if [ "$expected" -eq 1 ]; then
            ours=$(find "$case_dir/program" -type f)
        else
            ours=$(find "$case_dir/program" -type f -name "$(basename "${theirs%.*}").*")
        fi
        verdict=$(same_outputs "$ours" "$theirs")
        [ "$verdict" = ok ] || { echo "$verdict"; return; }
    done <"$case_dir/check"
    echo ok
}

echo "checking the outputs ..." >&2
printf '\n%-34s %13s %13s %8s %15s  %s\n' "" "wall ratio" "CPU ratio" "memory" "median wall s" ""
printf '%-34s %6s %6s %6s %6s %8s %7s %7s  %s\n' "case" min median min median ratio program ffmpeg outputs
for name in "${cases[@]}"; do
    case_dir="$work/cases/$name"
    label=$(cat "$case_dir/label")
    if [ -f "$case_dir/failed" ]; then
        printf '%-34s %s\n' "$label" "$(cat "$case_dir/failed")"
        continue
    fi
    printf '%-34s %6s %6s %6s %6s %8s %7.2f %7.2f  %s\n' "$label" \
        "$(ratio 1 min)" "$(ratio 1 median)" "$(ratio 2 min)" "$(ratio 2 median)" "$(ratio 3 median)" \
        "$(statistic 1 median "$case_dir/program.times")" "$(statistic 1 median "$case_dir/ffmpeg.times")" \
        "$(outputs_check)"
done
cat <<EOF

Ratios are program / ffmpeg (below 1: the program is faster or smaller):
the minimum and the median over $pairs interleaved pairs after a warm-up pair;
memory is the median peak resident size of the largest single process.
"median wall s" gives each side's median in seconds. The program side
is diziv-cli with the shipped settings, its probe of every source included;
the ffmpeg side is ffprobe of every source, then the ffmpeg command line
translated from the engine command (one ffmpeg per clip, one after the other;
a join through ffmpeg's concat filter). DVD and VCD are the profiles' MPEG
files ("DVD - MPEG-2 Files", "VCD - MPEG-1 Files"), not the authored disc.
The probe rows compare with ffprobe of the same files, $probe_repeats times in a timed
run ("median wall s" is for all of them); on an idle machine one probe of the
program takes at most 0.30 s for a 10 s 1080p file and 3.00 s for 16 clips.
outputs: same codecs, frame size, video frames (+-1) and bit rate (+-3 %).
Sources: $seconds s 1280x720 H.264/AAC; join of 3 x $part_seconds s; $clips clips
of 2 s at 320x240; probe of a $probe_seconds s 1920x1080 file. $(nproc) processors;
load average $load_before before, $(cut -d' ' -f1-3 /proc/loadavg) after.
EOF
