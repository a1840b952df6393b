#!/usr/bin/env bash
# Times the profiles of today's formats as a user runs them: a 1080p H.264
# source through diziv-cli with each profile, against the ffmpeg command line
# with the same settings. The ffmpeg command is translated from the engine
# command diziv-cli itself runs (printed with --verbose), so both sides encode
# with the same codec, rate or quality, preset, size and sound settings.
# Runs are interleaved (program, ffmpeg, program, ffmpeg, ...) after one
# warm-up pair; the table gives the median wall times and their ratio, and
# checks that both outputs hold the same codecs and frame size.
# Last, a source that already fits "MP4 - H.264 Video" is converted with
# stream copy (the default) and with --no-copy-fitting: the ratio of the two.
#
#   bench/formats.sh [program directory] [seconds] [pairs] [profile ...]
#
# Defaults: build/release/bin, 60 seconds, 3 pairs, every new profile at its
# 1920x1080 size entry (or Original). Use a release build (cmake --preset
# release && cmake --build --preset release). Needs ffmpeg and ffprobe
# (scripts/setup-deps).
set -euo pipefail

bin=$(realpath "${1:-build/release/bin}")
seconds=${2:-60}
pairs=${3:-3}
shift $(($# < 3 ? $# : 3))
profiles=("$@")
if [ ${#profiles[@]} -eq 0 ]; then
    profiles=(generic-mkv-h264 generic-mp4-hevc generic-mkv-hevc generic-webm-vp9 generic-webm-av1 generic-mkv-av1
              apple-tv4k-hevc apple-iphone-hevc android-phone android-tablet web-youtube-1080p web-720p
              tvplayer-chromecast-4k-hevc generic-mp3 generic-m4a generic-flac generic-opus)
fi
for needed in ffmpeg ffprobe; do
    command -v "$needed" >/dev/null || { echo "formats.sh: $needed is missing" >&2; exit 1; }
done
[ -x "$bin/diziv-cli" ] || { echo "formats.sh: no diziv-cli in $bin" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/out" "$work/ff"
chmod 700 "$XDG_RUNTIME_DIR"

echo "making a ${seconds} s 1080p source ..." >&2
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=$seconds" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=$seconds" -ac 2 \
    -c:v libx264 -preset veryfast -b:v 8000k -c:a aac -b:a 160k "$work/source.mp4"
# Fits "MP4 - H.264 Video" at its Original size: H.264 below 2000 kbit/s, AAC
# 44100 Hz stereo below 160 kbit/s.
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=$seconds" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" -ac 2 \
    -c:v libx264 -preset veryfast -b:v 1500k -maxrate 1800k -bufsize 3000k -c:a aac -b:a 128k "$work/fits.mp4"

now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# The size option for a profile: 1920x1080 when its list has it, else its
# first entry (sound-only profiles have none).
size_option() {
    local listing
    listing=$("$bin/diziv-cli" --list-profiles "$1" 2>/dev/null || true)
    if grep -q "1920x1080" <<<"$listing"; then
        echo "--size=1920x1080"
    fi
}

# Translates the engine's options into ffmpeg's. Reads the words of the avm
# command after the input file; prints ffmpeg output options, one per line.
translate() {
    local word value key val
    while [ $# -gt 0 ]; do
        word=$1; shift
        case "$word" in
        -ovc)
            case "$1" in
            x264) echo -c:v; echo libx264 ;;
            xvid) echo -c:v; echo libxvid ;;
            x265) echo -c:v; echo libx265 ;;
            svtav1) echo -c:v; echo libsvtav1 ;;
            vpx) echo -c:v; echo libvpx-vp9; echo -row-mt; echo 1 ;;
            copy) echo -c:v; echo copy ;;
            esac
            shift ;;
        -novideo) echo -vn ;;
        -x264encopts|-x265encopts|-svtav1encopts|-vpxencopts)
            local params=""
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                key=${sub%%=*}; val=${sub#*=}
                case "$key" in
                bitrate) echo -b:v; echo "${val}k" ;;
                crf) echo -crf; echo "$val" ;;
                preset) echo -preset; echo "$val" ;;
                profile) echo -profile:v; echo "$val" ;;
                level_idc) echo -level; echo "$val" ;;
                deadline) echo -deadline; echo "$val" ;;
                cpu-used) echo -cpu-used; echo "$val" ;;
                keyint) echo -g; echo "$val" ;;
                *) params="${params:+$params:}$sub" ;;
                esac
            done
            if [ -n "$params" ]; then
                case "$word" in
                -x265encopts) echo -x265-params; echo "$params" ;;
                -svtav1encopts) echo -svtav1-params; echo "$params" ;;
                -x264encopts) echo -x264-params; echo "$params" ;;
                esac
            fi ;;
        -oac)
            case "$1" in
            mp3lame) echo -c:a; echo libmp3lame ;;
            copy) echo -c:a; echo copy ;;
            esac
            shift ;;
        -lavcopts)
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                key=${sub%%=*}; val=${sub#*=}
                case "$key" in
                acodec)
                    case "$val" in
                    opus) echo -c:a; echo libopus ;;
                    *) echo -c:a; echo "$val" ;;
                    esac ;;
                abitrate) echo -b:a; echo "${val}k" ;;
                vcodec) echo -c:v; echo "$val" ;;
                vbitrate) echo -b:v; echo "${val}k" ;;
                esac
            done ;;
        -lameopts)
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                [ "${sub%%=*}" = br ] && { echo -b:a; echo "${sub#*=}k"; }
            done ;;
        -vf)
            # harddup is ffmpeg's default; expand=W:H pads to W x H, centred;
            # a side of -3 keeps the aspect, as ffmpeg's -2 does.
            value=${1%,harddup}; shift
            value=$(sed -e 's/expand=\([0-9]*\):\([0-9]*\)/pad=\1:\2:(ow-iw)\/2:(oh-ih)\/2/' -e 's/-3/-2/g' <<<"$value")
            echo -vf; echo "$value" ;;
        -ofps) echo -r; echo "$1"; shift ;;
        -af)
            value=${1#volume=}; shift
            [ "$value" != 0 ] && { echo -af; echo "volume=${value}dB"; } ;;
        -srate) echo -ar; echo "$1"; shift ;;
        -channels) echo -ac; echo "$1"; shift ;;
        -ffourcc) echo -tag:v; echo "$1"; shift ;;
        -lavfopts)
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                case "$sub" in
                format=mkv|format=matroska) echo -f; echo matroska ;;
                format=m4a) echo -f; echo ipod ;;
                format=*) echo -f; echo "${sub#format=}" ;;
                faststart) echo -movflags; echo +faststart ;;
                esac
            done ;;
        -aid|-of|-o|-ss|-endpos|-mpegopts) shift ;;
        esac
    done
}

# The engine command diziv-cli runs for a conversion, as words after the input.
engine_words() {
    local source=$1; shift
    rm -rf "$work/out"/*
    "$bin/diziv-cli" -v -q "$@" -o "$work/out" "$source" 2>&1 >/dev/null |
        grep -F "run: $bin/avm" | grep -v -- " -identify " | tail -1 |
        sed "s|^.*run: $bin/avm -sfm [^ ]* $source ||"
}

probe_streams() {
    ffprobe -v error -show_entries stream=codec_type,codec_name,width,height -of csv=p=0 "$1" | sort | tr '\n' ' '
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf "%-30s %10s %10s %7s  %s\n" profile "program s" "ffmpeg s" ratio outputs
for profile in "${profiles[@]}"; do
    # Encoded on both sides: a source that fits would be copied otherwise.
    options=(-p "$profile" --no-copy-fitting $(size_option "$profile"))
    read -ra words <<<"$(engine_words "$work/source.mp4" "${options[@]}")"
    if [ ${#words[@]} -eq 0 ]; then
        printf "%-30s the program did not run a conversion\n" "$profile"
        continue
    fi
    mapfile -t ff_options < <(translate "${words[@]}")
    extension=$(ls "$work/out" | sed -n 's/.*\.//p' | head -1)
    program() {
        rm -rf "$work/out"/*
        "$bin/diziv-cli" -q --overwrite "${options[@]}" -o "$work/out" "$work/source.mp4" >/dev/null
    }
    # The encoders' own chatter goes to a log, shown when ffmpeg fails.
    reference() {
        ffmpeg -nostdin -v error -y -i "$work/source.mp4" -map 0:v:0? -map 0:a:0? "${ff_options[@]}" \
            "$work/ff/out.$extension" 2>"$work/ffmpeg.log"
    }
    program
    if ! reference; then
        printf "%-30s ffmpeg refused: %s\n" "$profile" "$(tail -1 "$work/ffmpeg.log")"
        continue
    fi
    program_times=() reference_times=()
    for _ in $(seq "$pairs"); do
        start=$(now); program; program_times+=("$(since "$start")")
        start=$(now); reference; reference_times+=("$(since "$start")")
    done
    a=$(printf '%s\n' "${program_times[@]}" | median)
    b=$(printf '%s\n' "${reference_times[@]}" | median)
    ours=$(probe_streams "$work/out/"*)
    theirs=$(probe_streams "$work/ff/out.$extension")
    same=$([ "$ours" = "$theirs" ] && echo "same: $ours" || echo "DIFFER: $ours / $theirs")
    printf "%-30s %10.2f %10.2f %7.3f  %s\n" "$profile" "$a" "$b" "$(ratio "$a" "$b")" "$same"
done

copy_times=() encode_times=()
for _ in $(seq "$pairs"); do
    rm -rf "$work/out"/*
    start=$(now)
    "$bin/diziv-cli" -q -p generic-mp4-h264 --size=Original --frame-rate=Original -o "$work/out" "$work/fits.mp4" >/dev/null
    copy_times+=("$(since "$start")")
    rm -rf "$work/out"/*
    start=$(now)
    "$bin/diziv-cli" -q --no-copy-fitting -p generic-mp4-h264 --size=Original --frame-rate=Original \
        -o "$work/out" "$work/fits.mp4" >/dev/null
    encode_times+=("$(since "$start")")
done
a=$(printf '%s\n' "${copy_times[@]}" | median)
b=$(printf '%s\n' "${encode_times[@]}" | median)
printf "%-30s %10.2f %10.2f %7.3f  copy against encode\n" "fitting source, copied" "$a" "$b" "$(ratio "$a" "$b")"
