# shellcheck shell=bash
# Translates the options of an avm conversion command into the ffmpeg
# options that ask for the same output. Sourced by bench/run.sh.
#
#   translate WORD...   the avm words after the input file; prints ffmpeg
#                       output options, one per line
#
# The translation:
#   -ovc x264|x265|svtav1|vpx|xvid|lavc|copy  -c:v libx264, libx265, ...; lavc
#                            takes vcodec=; copy stays copy
#   -x264encopts ... (and the x265, svtav1, vpx lists)  bitrate= -b:v,
#                            crf= -crf, preset= -preset, tune= -tune,
#                            profile= -profile:v, level_idc= -level,
#                            keyint= -g, threads= -threads, the rest
#                            -x264-params (-x265-params, -svtav1-params)
#   -lavcopts                vcodec= -c:v, vbitrate= -b:v, keyint= -g,
#                            vmax_b_frames= -bf, threads= -threads,
#                            vrc_maxrate= -maxrate,
#                            vrc_minrate= -minrate, vrc_buf_size= -bufsize,
#                            aspect=4/3 -aspect 4:3, acodec= -c:a,
#                            abitrate= -b:a
#   -oac mp3lame|pcm|copy, -lameopts br=  -c:a libmp3lame|pcm_s16le|copy, -b:a
#   avm encodes sound in the encoder's first sample format where ffmpeg
#   takes the one nearest the source's: -sample_fmt s16 for flac and
#   libopus, s32p for libmp3lame
#   -vf scale=W:H,expand=W:H,crop=W:H:X:Y,harddup  -vf scale, pad (centred),
#                            crop; harddup (constant rate, frames repeated)
#                            is -fps_mode cfr; a side of -3 (keep aspect)
#                            is ffmpeg's -2
#   -ofps R, -srate R, -channels N  -r R, -ar R, -ac N
#   -af volume=G             -af volume=GdB (left out for 0 dB)
#   -ffourcc TAG             -tag:v TAG
#   -aid N                   -map 0:v:0? -map 0:a:N?
#   -of lavf -lavfopts format=F:faststart  -f F (mkv matroska, m4a ipod,
#                            wmv asf), -movflags +faststart
#   -of mpeg -mpegopts format=F  the MPEG target avm applies: -f mpeg (mpeg1),
#                            vob (mpeg2), vcd (xvcd), svcd (xsvcd), dvd, with
#                            its packet size, mux rate, GOP (PAL at 25 or 50
#                            frames/s), VBV buffer and maximum rate; the
#                            profile's own bit rates given after them win
#   -of avi or none          the .avi output name picks the AVI muxer
#   -novideo, -nosound       -vn, -an
# -o, -ss, -endpos, -idx and -noodml are left out (the output name, trims and
# the index are given by the benchmark or are ffmpeg's default).

# The -mpegopts target as ffmpeg options, before the profile's own options.
mpeg_target() {
    local flavour=$1 rate=$2 gop_pal gop_ntsc gop
    case "$flavour" in
    mpeg1) echo -f; echo mpeg; return ;;
    mpeg2) echo -f; echo vob; return ;;
    xvcd)
        gop_pal=15 gop_ntsc=18
        printf '%s\n' -f vcd -packetsize 2324 -muxrate 1411200 -bufsize 327680 -maxrate 1150k -b:v 1150k -b:a 224k ;;
    xsvcd)
        gop_pal=12 gop_ntsc=12
        printf '%s\n' -f svcd -packetsize 2324 -bufsize 1835008 -maxrate 2516k -b:v 2040k -b:a 224k -scan_offset 1 ;;
    dvd)
        gop_pal=15 gop_ntsc=18
        printf '%s\n' -f dvd -packetsize 2048 -muxrate 10080000 -bufsize 1835008 -maxrate 9000k -b:v 6000k -b:a 448k ;;
    esac
    case "$rate" in
    25 | 25.0* | 50 | 50.0*) gop=$gop_pal ;;
    *) gop=$gop_ntsc ;;
    esac
    echo -g; echo "$gop"
}

# An encoder's sub-option list (-x264encopts and the like).
encoder_list() {
    local option=$1 list=$2 params="" sub key val subs
    IFS=: read -ra subs <<<"$list"
    for sub in "${subs[@]}"; do
        key=${sub%%=*}; val=${sub#*=}
        [ "$key" = "$sub" ] && val=1
        case "$key" in
        bitrate) echo -b:v; echo "${val}k" ;;
        crf) echo -crf; echo "$val" ;;
        preset) echo -preset; echo "$val" ;;
        tune) echo -tune; echo "$val" ;;
        profile) echo -profile:v; echo "$val" ;;
        level_idc) echo -level; echo "$val" ;;
        keyint) echo -g; echo "$val" ;;
        threads) echo -threads; echo "$val" ;;
        deadline) echo -deadline; echo "$val" ;;
        cpu-used) echo -cpu-used; echo "$val" ;;
        *) params="${params:+$params:}$key=$val" ;;
        esac
    done
    if [ -n "$params" ]; then
        case "$option" in
        -x264encopts) echo -x264-params; echo "$params" ;;
        -x265encopts) echo -x265-params; echo "$params" ;;
        -svtav1encopts) echo -svtav1-params; echo "$params" ;;
        esac
    fi
}

lavc_list() {
    local sub key val subs
    IFS=: read -ra subs <<<"$1"
    for sub in "${subs[@]}"; do
        key=${sub%%=*}; val=${sub#*=}
        case "$key" in
        vcodec) echo -c:v; echo "$val" ;;
        vbitrate) echo -b:v; echo "${val}k" ;;
        keyint) echo -g; echo "$val" ;;
        vmax_b_frames) echo -bf; echo "$val" ;;
        threads) echo -threads; echo "$val" ;;
        vrc_maxrate) echo -maxrate; echo "${val}k" ;;
        vrc_minrate) echo -minrate; echo "${val}k" ;;
        vrc_buf_size) echo -bufsize; echo "${val}k" ;;
        aspect) echo -aspect; echo "${val/\//:}" ;;
        acodec)
            case "$val" in
            opus) echo -c:a; echo libopus; echo -sample_fmt; echo s16 ;;
            flac) echo -c:a; echo flac; echo -sample_fmt; echo s16 ;;
            *) echo -c:a; echo "$val" ;;
            esac ;;
        abitrate) echo -b:a; echo "${val}k" ;;
        esac
    done
}

video_filters() {
    local chain=$1 filters=() filter steps width height
    IFS=, read -ra steps <<<"$chain"
    for filter in "${steps[@]}"; do
        case "$filter" in
        harddup) echo -fps_mode; echo cfr ;;
        expand=*)
            IFS=: read -r width height _ <<<"${filter#expand=}"
            filters+=("pad=$width:$height:(ow-iw)/2:(oh-ih)/2") ;;
        *) filters+=("${filter//-3/-2}") ;;
        esac
    done
    if [ ${#filters[@]} -gt 0 ]; then
        echo -vf
        (IFS=,; echo "${filters[*]}")
    fi
}

translate() {
    local words=("$@") i word value rate="" flavour="" subs sub
    for ((i = 0; i < ${#words[@]}; i++)); do
        [ "${words[i]}" = -ofps ] && rate=${words[i + 1]}
        [ "${words[i]}" = -mpegopts ] && flavour=${words[i + 1]#format=}
    done
    [ -n "$flavour" ] && mpeg_target "$flavour" "$rate"
    set -- "${words[@]}"
    while [ $# -gt 0 ]; do
        word=$1; shift
        case "$word" in
        -ovc)
            case "$1" in
            x264) echo -c:v; echo libx264 ;;
            x265) echo -c:v; echo libx265 ;;
            svtav1) echo -c:v; echo libsvtav1 ;;
            vpx) echo -c:v; echo libvpx-vp9; echo -row-mt; echo 1 ;;
            xvid) echo -c:v; echo libxvid ;;
            copy) echo -c:v; echo copy ;;
            esac
            shift ;;
        -oac)
            case "$1" in
            mp3lame) echo -c:a; echo libmp3lame; echo -sample_fmt; echo s32p ;;
            pcm) echo -c:a; echo pcm_s16le ;;
            copy) echo -c:a; echo copy ;;
            esac
            shift ;;
        -x264encopts | -x265encopts | -svtav1encopts | -vpxencopts) encoder_list "$word" "$1"; shift ;;
        -lavcopts) lavc_list "$1"; shift ;;
        -lameopts)
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                [ "${sub%%=*}" = br ] && { echo -b:a; echo "${sub#*=}k"; }
            done ;;
        -vf) video_filters "$1"; shift ;;
        -af)
            value=${1#volume=}; shift
            value=${value%%:*}
            [ "$value" != 0 ] && { echo -af; echo "volume=${value}dB"; } ;;
        -ofps) echo -r; echo "$1"; shift ;;
        -srate) echo -ar; echo "$1"; shift ;;
        -channels) echo -ac; echo "$1"; shift ;;
        -ffourcc) echo -tag:v; echo "$1"; shift ;;
        -aid) echo -map; echo "0:v:0?"; echo -map; echo "0:a:$1?"; shift ;;
        -lavfopts)
            IFS=: read -ra subs <<<"$1"; shift
            for sub in "${subs[@]}"; do
                case "$sub" in
                format=mkv | format=matroska) echo -f; echo matroska ;;
                format=m4a) echo -f; echo ipod ;;
                format=wmv) echo -f; echo asf ;;
                format=*) echo -f; echo "${sub#format=}" ;;
                faststart) echo -movflags; echo +faststart ;;
                esac
            done ;;
        -novideo) echo -vn ;;
        -nosound) echo -an ;;
        -of | -o | -ss | -endpos | -mpegopts | -sfm) shift ;;
        esac
    done
}
