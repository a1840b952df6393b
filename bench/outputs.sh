# shellcheck shell=bash
# Compares the program's output with ffmpeg's through ffprobe. Sourced by
# bench/run.sh.
#
#   same_outputs PROGRAM_FILE FFMPEG_FILE   prints "ok", or what differs
#
# Both must hold the same codecs (by stream type), the same frame size, the
# same number of video frames (+-1) and the same overall bit rate (+-3 %).

# The first value asked for (the plain writer: an MPEG stream's side data
# would add fields to a CSV line).
probe_value() {
    ffprobe -v error "$@" -of default=noprint_wrappers=1:nokey=1 | head -1
}

output_facts() {
    local file=$1
    codecs=$(ffprobe -v error -show_entries stream=codec_type,codec_name -of csv=p=0 "$file" | sort | paste -sd' ')
    size=$(probe_value -select_streams v:0 -show_entries stream=width "$file")x$(probe_value -select_streams v:0 -show_entries stream=height "$file")
    frames=$(probe_value -select_streams v:0 -count_packets -show_entries stream=nb_read_packets "$file")
    rate=$(probe_value -show_entries format=bit_rate "$file")
}

same_outputs() {
    local codecs size frames rate differences=()
    local our_codecs our_size our_frames our_rate
    [ -f "$1" ] || { echo "no program output"; return; }
    [ -f "$2" ] || { echo "no ffmpeg output"; return; }
    output_facts "$1"
    our_codecs=$codecs our_size=$size our_frames=${frames:-0} our_rate=${rate:-0}
    output_facts "$2"
    frames=${frames:-0} rate=${rate:-0}
    [ "$our_codecs" = "$codecs" ] || differences+=("codecs $our_codecs / $codecs")
    [ "$our_size" = "$size" ] || differences+=("size $our_size / $size")
    [ $((our_frames - frames)) -ge -1 ] && [ $((our_frames - frames)) -le 1 ] ||
        differences+=("frames $our_frames / $frames")
    awk -v a="$our_rate" -v b="$rate" 'BEGIN { exit !(b > 0 && a / b >= 0.97 && a / b <= 1.03) }' ||
        differences+=("$(awk -v a="$our_rate" -v b="$rate" 'BEGIN { printf "kbit/s %d / %d", a / 1000, b / 1000 }')")
    if [ ${#differences[@]} -eq 0 ]; then
        echo ok
    else
        local joined
        joined=$(printf '%s; ' "${differences[@]}")
        echo "DIFFER: ${joined%; }"
    fi
}
