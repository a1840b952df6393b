#!/bin/sh
# Fills <program dir>/system/fonts/ with links named like the font files the
# subtitle charsets ask for, each pointing at the best installed font that
# fontconfig finds for the original family and the charset's language. A
# name whose best match cannot show that language gets no link.
set -eu
fonts_dir="$1"
mkdir -p "$fonts_dir"
find "$fonts_dir" -maxdepth 1 -type l -delete

# file name | family it stands for | language it must cover
while IFS='|' read -r name family language; do
    [ -n "$name" ] || continue
    match=$(fc-match -f '%{file}' "$family:lang=$language" 2>/dev/null || true)
    [ -n "$match" ] && [ -f "$match" ] || continue
    if fc-list ":lang=$language" file | grep -qF "$match:"; then
        ln -sf "$match" "$fonts_dir/$name"
    fi
done <<'TABLE'
ARIAL.TTF|Arial|en
verdana.TTF|Verdana|en
MICROSS.TTF|Microsoft Sans Serif|en
COUR.TTF|Courier New|ru
trado.ttf|Traditional Arabic|ar
artro.ttf|Arabic Transparent|ar
andlso.ttf|Andalus|ar
simpo.ttf|Simplified Arabic|ar
frank.ttf|FrankRuehl|he
mriam.ttf|Miriam|he
nrkis.ttf|Narkisim|he
rod.ttf|Rod|he
ahronbd.ttf|Aharoni|he
MSMINCHO.TTC|MS Mincho|ja
MSGOTHIC.TTC|MS Gothic|ja
GULIM.TTC|Gulim|ko
BATANG.TTC|Batang|ko
simhei.ttf|SimHei|zh-cn
simsun.ttc|SimSun|zh-cn
ANGSAU.TTF|AngsanaUPC|th
BROWAU.TTF|BrowalliaUPC|th
CORDIAU.TTF|CordiaUPC|th
UPCDL.TTF|DilleniaUPC|th
UPCEL.TTF|EucrosiaUPC|th
KAIU.TTF|DFKai-SB|zh-tw
mingliu.ttc|MingLiU|zh-tw
TABLE
