#!/usr/bin/env bash
# Plays the installed game in a real X window as a player would, with nothing but xdotool's mouse
# and keys: picks Swedish in the first-start dialog, Africa on the small map, starts Africa's
# countries exercise, answers a question after three wrong clicks (the hint turns the country
# lime), closes the map, opens and closes the high-score list and quits. Window titles and
# screenshot pixels prove each step.
#
#   play.sh <build dir> <e2e_catalogue_row program> <work dir>
#
# The game is installed from <build dir> into a fresh prefix under <work dir>/runs/ and runs with
# its own HOME and XDG folders there. The run's folder (screenshots, game output) is removed when
# every step passes, unless GLOBANA_E2E_KEEP=1; on a failure it stays and the log names it.
# Exit status 77: xvfb-run or xdotool is missing (the test is skipped).
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    if [ $# -ne 3 ]; then
        echo "usage: $0 <build dir> <e2e_catalogue_row program> <work dir>" >&2
        exit 2
    fi
    for tool in xvfb-run xdotool; do
        if ! command -v "$tool" > /dev/null; then
            echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
            exit 77
        fi
    done
    build=$1 row_tool=$2 work=$3
    run="$work/runs/run-$(date +%Y%m%d-%H%M%S)-$$"
    mkdir -p "$run"/{home,config,data,runtime}
    chmod 700 "$run/runtime"
    echo "run folder: $run"
    if ! cmake --install "$build" --prefix "$run/prefix" > "$run/install.log" 2>&1; then
        cat "$run/install.log"
        echo "FAILED: cmake --install $build; files kept in $run"
        exit 1
    fi
    status=0
    # The first-start dialog must find no settings of the user's: everything is private to the run.
    HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data" \
        XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" --inside "$run" "$row_tool" || status=$?
    if [ "$status" -eq 0 ]; then
        if [ "${GLOBANA_E2E_KEEP:-0}" = "1" ]; then
            rm -rf "$run/prefix"
            echo "screenshots kept in $run"
        else
            rm -rf "$run"
        fi
    else
        echo "FAILED (status $status): screenshots, labels and the game's output are kept in $run"
    fi
    exit "$status"
fi

# ---- inside the X server ------------------------------------------------------------------------
run=$2 row_tool=$3
game="$run/prefix/bin/globana"
# A build configured for the /usr prefix installs the program where Debian keeps games.
[ -x "$game" ] || game="$run/prefix/games/globana"
started=$SECONDS
shots=0
current="$run/current.png"
game_pid=""

log() { printf '[%3ds] %s\n' $((SECONDS - started)) "$*"; }

fail() {
    log "FAILED: $*"
    import -silent -window root "$run/zz-at-failure.png" 2> /dev/null || true
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2> /dev/null; then
        log "the game's output so far:"
        sed 's/^/    /' "$run/game.log" || true
    fi
    exit 1
}

cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2> /dev/null; then
        kill "$game_pid" 2> /dev/null || true
    fi
}
trap cleanup EXIT

# polls a command until it succeeds: wait_until <seconds> <what was expected> <command...>
wait_until() {
    local limit=$1 what=$2
    shift 2
    local end=$((SECONDS + limit))
    until "$@"; do
        if [ "$SECONDS" -ge "$end" ]; then
            fail "waited ${limit}s for: $what"
        fi
        sleep 0.2
    done
}

grab() { import -silent -window root "$current"; }

# keep <name>: the last screenshot under a numbered name
keep() {
    shots=$((shots + 1))
    cp "$current" "$run/$(printf %02d "$shots")-$1.png"
}

pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info:; }

# count <image> <WxH+X+Y> <RRGGBB>: pixels of exactly that colour (not black) in the box
count() {
    convert "$1" -crop "$2" +repage -alpha off -fill black +opaque "#$3" -fill white -opaque "#$3" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

# dark_pixels / light_pixels <image> <WxH+X+Y>: pixels of (antialiased) black or white text
dark_pixels() {
    convert "$1" -crop "$2" +repage -fx '(r<0.25&&g<0.25&&b<0.25)?1:0' -format '%[fx:int(mean*w*h+0.5)]' info:
}
light_pixels() {
    convert "$1" -crop "$2" +repage -fx '(r>0.7&&g>0.7&&b>0.7)?1:0' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# checksum of a box, to see whether it changed
box_sum() { convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -c1-32; }

# visible top-level windows whose name matches
visible() { xdotool search --onlyvisible --name "$1" 2> /dev/null || true; }

geometry() {
    local out
    out=$(xdotool getwindowgeometry --shell "$1") || fail "no geometry for window $1"
    eval "$out"
}

click_at() { xdotool mousemove "$1" "$2" click 1; }

expect_name() {
    local id=$1 pattern=$2 name
    name=$(xdotool getwindowname "$id")
    [[ $name =~ $pattern ]] || fail "window $id: title \"$name\", expected to match /$pattern/"
    log "window $id is \"$name\""
}

is_running() { kill -0 "$game_pid" 2> /dev/null; }

is_viewable() { xwininfo -id "$1" 2> /dev/null | grep -q 'IsViewable'; }

# ---- colours (RGB as the 24-bit display shows them) ---------------------------------------------
GREEN=008000 LIME=00FF00 WHITE=FFFFFF
PANEL=C0D0E0 FRAME=285AA0 YELLOW=FFFF00
# An answered area takes the colour of its attempts: 1, 2, 3, 4 and more.
ATTEMPT_COLOUR=(none FFFFFF FFFF80 FFFF00 FF0000)

# Which row of Africa's exercise list is its countries exercise, and the colour of its areas.
read -r row number area_colour name < <("$row_tool" "$run/prefix/share/globana/Ovning.crp" AFR AREA) ||
    fail "no AREA exercise of world part AFR in the installed catalogue"
log "Africa's countries exercise: row $row of the list, number $number, areas #$area_colour, \"$name\""

"$game" > "$run/game.log" 2>&1 &
game_pid=$!
log "started $game (pid $game_pid) on display $DISPLAY"

# ---- the first-start language dialog ------------------------------------------------------------
wait_until 120 "the language dialog (a visible window named Welcome)" \
    eval '[ -n "$(visible "^Welcome")" ]'
lang=$(visible "^Welcome" | head -1)
expect_name "$lang" '^Welcome$'
geometry "$lang"
[ "$WIDTH" = 215 ] && [ "$HEIGHT" = 313 ] || fail "language dialog ${WIDTH}x$HEIGHT, expected 215x313"
LX=$X LY=$Y
# Painted: the panel behind the radio buttons.
wait_until 60 "the language dialog's panel (#$PANEL at 15,265 of the dialog)" \
    eval 'grab && [ "$(pixel "$current" $((LX + 15)) $((LY + 265)))" = "$PANEL" ]'
keep language-dialog
english_box="16x17+$((LX + 66))+$((LY + 72))"
swedish_box="16x17+$((LX + 66))+$((LY + 114))"
english_before=$(box_sum "$current" "$english_box")
swedish_before=$(box_sum "$current" "$swedish_box")
click_at $((LX + 66 + 40)) $((LY + 114 + 8))
wait_until 20 "the Swedish radio button to be checked and the English one unchecked (their marks redrawn)" \
    eval 'grab && [ "$(box_sum "$current" "$swedish_box")" != "$swedish_before" ] &&
        [ "$(box_sum "$current" "$english_box")" != "$english_before" ]'
keep swedish-chosen
timeout 10 xdotool windowfocus --sync "$lang" || fail "could not give the language dialog the keyboard focus"
xdotool key Return
log "chose Swedish with the mouse, confirmed with Return"

# ---- the main menu ------------------------------------------------------------------------------
menu_id() {
    local id
    for id in $(visible '^Globana$'); do
        geometry "$id"
        if [ "$WIDTH" = 598 ] && [ "$HEIGHT" = 453 ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
wait_until 120 "the main menu (a visible 598x453 window named Globana)" eval '[ -n "$(menu_id)" ]'
menu=$(menu_id)
is_viewable "$lang" && fail "the language dialog is still shown after Return"
expect_name "$menu" '^Globana$'
geometry "$menu"
MX=$X MY=$Y
PX=$((MX + (598 - 579) / 2)) PY=$((MY + (453 - 441) / 2)) # the centred panel
# The small map's picture is drawn at (-5,-11): picture point (x,y) is at screen (SX+x, SY+y).
SX=$((PX + 175 - 5)) SY=$((PY + 46 - 11))
box() { echo "$(($3 - $1 + 1))x$(($4 - $2 + 1))+$((SX + $1))+$((SY + $2))"; } # picture x1 y1 x2 y2
EUROPE=$(box 171 20 254 55) # Europe's box above the rows Africa shares
AFRICA=$(box 174 60 248 129)
wait_until 60 "Europe lime on the small map (at least 200 pixels #$LIME in $EUROPE)" \
    eval 'grab && [ "$(count "$current" "$EUROPE" $LIME)" -ge 200 ]'
keep main-menu
[ "$(pixel "$current" $((PX + 163)) $((PY + 200)))" = "$WHITE" ] ||
    fail "main menu: panel white between the two frames at panel 163,200, got #$(pixel "$current" $((PX + 163)) $((PY + 200)))"
[ "$(pixel "$current" $((PX + 172)) $((PY + 20)))" = "$FRAME" ] ||
    fail "main menu: frame colour #$FRAME at panel 172,20, got #$(pixel "$current" $((PX + 172)) $((PY + 20)))"
[ "$(count "$current" "$AFRICA" $LIME)" -eq 0 ] || fail "Africa is lime before it was picked"

# Click Africa's land: the green pixel nearest the middle of its land, two pixels inside.
read -r ax ay < <(convert "$current" -crop "$AFRICA" +repage -alpha off -fill black +opaque "#$GREEN" \
    -fill white -opaque "#$GREEN" -morphology Erode Disk:2 txt:- |
    awk -F'[,: ]+' '/#FFFFFF/ { x[n] = $1; y[n] = $2; sx += $1; sy += $2; n++ }
        END { if (!n) exit 1; cx = sx / n; cy = sy / n; best = 1e9
              for (i = 0; i < n; i++) { d = (x[i] - cx) ^ 2 + (y[i] - cy) ^ 2; if (d < best) { best = d; bx = x[i]; by = y[i] } }
              print bx, by }') || fail "no green land in Africa's box $AFRICA of the small map"
click_at $((SX + 174 + ax)) $((SY + 60 + ay))
log "clicked Africa on the small map at picture point $((174 + ax)),$((60 + ay))"
wait_until 30 "Africa lime (at least 1000 pixels #$LIME in $AFRICA) and Europe no longer lime" \
    eval 'grab && [ "$(count "$current" "$AFRICA" $LIME)" -ge 1000 ] && [ "$(count "$current" "$EUROPE" $LIME)" -eq 0 ]'
keep africa-picked

# Start the exercise with a double click on its row (item height 15, a 1-pixel frame).
click_y=$((PY + 176 + 1 + 15 * row + 7))
xdotool mousemove $((PX + 280 + 60)) "$click_y" click --repeat 2 --delay 80 1
log "double-clicked row $row of the exercise list"

# ---- the map screen -----------------------------------------------------------------------------
map_id() {
    local id
    for id in $(visible '^Globana$'); do
        [ "$id" != "$menu" ] && echo "$id" && return 0
    done
    return 1
}
wait_until 120 "the map screen (a second visible window named Globana)" eval '[ -n "$(map_id)" ]'
map=$(map_id)
expect_name "$map" '^Globana$'
geometry "$map"
WX=$X WY=$Y WW=$WIDTH WH=$HEIGHT
log "map screen at $WX,$WY, ${WW}x$WH"
[ "$WW" -ge 1000 ] && [ "$WH" -ge 700 ] || fail "map screen ${WW}x$WH, expected to fill the 1280x1024 screen"
# The top bar: 32 pixels with a 2-pixel border; "Avsluta" (79 wide) 2 pixels from its right edge.
QUIT_X=$((WX + WW - 2 - 2 - 79)) QUIT_Y=$((WY + 2 + 2))
QUIT_BOX="79x24+$QUIT_X+$QUIT_Y"
PERCENT_BOX="40x22+$((WX + 2 + 6))+$((WY + 2 + 6))"
QUESTION_BOX="400x20+$((WX + WW / 2 - 200))+$((WY + 2 + 6))"
# The map picture, two pixels inside its frame below the bar; a little inside that again.
MAP_X=$((WX + 4)) MAP_Y=$((WY + 32 + 4)) MAP_W=$((WW - 8)) MAP_H=$((WH - 32 - 8))
MAP_BOX="${MAP_W}x$MAP_H+$MAP_X+$MAP_Y"
# Set up: the countries coloured, a question asked, "Avsluta" enabled (black caption, not grey).
wait_until 180 "the map drawn (10000 pixels #$area_colour), a question shown and Avsluta enabled" \
    eval 'grab && [ "$(count "$current" "$MAP_BOX" "$area_colour")" -ge 10000 ] &&
        [ "$(dark_pixels "$current" "$QUESTION_BOX")" -ge 20 ] && [ "$(dark_pixels "$current" "$QUIT_BOX")" -ge 20 ]'
keep map-screen
[ "$(count "$current" "$MAP_BOX" $LIME)" -eq 0 ] || fail "lime on the map before any answer"

# The countries a player could click: the area colour's regions, 4 pixels inside their borders
# (which also drops the graticule drawn over other land), largest first.
convert "$current" -crop "$MAP_BOX" +repage -alpha off -fill black +opaque "#$area_colour" \
    -fill white -opaque "#$area_colour" -morphology Erode Disk:4 \
    -define connected-components:verbose=true -define connected-components:area-threshold=30 \
    -connected-components 8 -depth 16 "$run/areas-labels.png" > "$run/areas-components.txt"
# white_components <component list>: "id x y bbox area" of the white components, largest first
white_components() {
    awk '/srgb\(255,255,255\)|gray\(255\)/ { sub(":", "", $1); split($3, c, ",")
        printf "%s %d %d %s %d\n", $1, c[1] + 0.5, c[2] + 0.5, $2, $4 }' "$1" | sort -k5,5nr
}
# components <labels> <component list>: "id x y bbox" of the white components, largest first, whose
# centroid lies in the component itself
components() {
    local fmt="" list
    list=$(white_components "$2")
    [ -n "$list" ] || return 0
    while read -r id x y bbox _; do fmt+="%[fx:int(p{$x,$y}.r*65535+0.5)] "; done <<< "$list"
    paste -d' ' <(echo "$list") <(convert "$1" -format "$fmt" info: | tr ' ' '\n' | sed '/^$/d') |
        awk '$1 == $6 { print $1, $2, $3, $4 }'
}
components "$run/areas-labels.png" "$run/areas-components.txt" > "$run/candidates.txt"
[ "$(wc -l < "$run/candidates.txt")" -ge 8 ] ||
    fail "only $(wc -l < "$run/candidates.txt") countries found on the map, expected Africa's"
log "$(wc -l < "$run/candidates.txt") countries to click found on the map"

# probe <labels> <id> <bbox> <cy> <out>: the component's pixels, without the rows around its
# click point where the name label lands
probe() {
    local w h x y
    IFS='x+' read -r w h x y <<< "$3"
    convert "$1" -crop "$3" +repage -fx "abs(u*65535-$2)<0.5?1:0" -fill black \
        -draw "rectangle 0,$(($4 - y - 12)) $w,$(($4 - y + 12))" "$5"
}
# share <image> <probe> <bbox> <RRGGBB>: the share in percent of the probe's pixels in that colour
share() {
    local w h x y total hits
    IFS='x+' read -r w h x y <<< "$3"
    total=$(convert "$2" -format '%[fx:int(mean*w*h+0.5)]' info:)
    [ "$total" -gt 0 ] || { echo 0; return; }
    hits=$(convert \( "$1" -crop "${w}x$h+$((MAP_X + x))+$((MAP_Y + y))" +repage -alpha off \
        -fill black +opaque "#$4" -fill white -opaque "#$4" \) "$2" -compose Multiply -composite \
        -format '%[fx:int(mean*w*h+0.5)]' info:)
    echo $((100 * hits / total))
}

percent_sum=$(box_sum "$current" "$PERCENT_BOX")
question_sum=$(box_sum "$current" "$QUESTION_BOX")
answers=0 wrongs=0
while read -r id cx cy bbox <&3; do
    [ "$wrongs" -lt 3 ] || break
    probe "$run/areas-labels.png" "$id" "$bbox" "$cy" "$run/probe-$id.png"
    grab
    [ "$(share "$current" "$run/probe-$id.png" "$bbox" "$area_colour")" -ge 90 ] || continue
    near="60x30+$((MAP_X + cx - 30))+$((MAP_Y + cy - 15))"
    near_sum=$(box_sum "$current" "$near")
    click_at $((MAP_X + cx)) $((MAP_Y + cy))
    answers=$((answers + 1))
    # Wrong: the country keeps its colour and its name shows where it was clicked. Right: it turns
    # the colour of its attempts once the next question is asked.
    verdict=""
    end=$((SECONDS + 60))
    while [ -z "$verdict" ]; do
        [ "$SECONDS" -lt "$end" ] || fail "no answer seen 60s after clicking country $id at $cx,$cy of the map"
        grab
        if [ "$(box_sum "$current" "$near")" != "$near_sum" ]; then
            if [ "$(share "$current" "$run/probe-$id.png" "$bbox" "$area_colour")" -ge 90 ] &&
                [ "$(light_pixels "$current" "$near")" -ge 10 ]; then
                verdict=wrong
            elif [ "$(share "$current" "$run/probe-$id.png" "$bbox" "${ATTEMPT_COLOUR[wrongs + 1]}")" -ge 90 ]; then
                verdict=right
            fi
        fi
        [ -n "$verdict" ] || sleep 0.2
    done
    new_percent=$(box_sum "$current" "$PERCENT_BOX")
    if [ "$answers" -eq 1 ] && [ "$new_percent" = "$percent_sum" ]; then
        fail "the percentage did not change after the first answer"
    fi
    if [ "$verdict" = wrong ]; then
        wrongs=$((wrongs + 1))
        keep "wrong-$wrongs"
        log "clicked country $id at $cx,$cy: wrong ($wrongs on this question), its name is shown"
        if [ "$wrongs" -lt 3 ] && [ "$(count "$current" "$MAP_BOX" $LIME)" -ne 0 ]; then
            fail "lime on the map after only $wrongs wrong clicks"
        fi
    else
        log "clicked country $id at $cx,$cy: right by chance after $wrongs wrong clicks; it is now #${ATTEMPT_COLOUR[wrongs + 1]}"
        keep right-by-chance
        [ "$(box_sum "$current" "$QUESTION_BOX")" != "$question_sum" ] || fail "the question did not change after a right answer"
        [ "$new_percent" != "$percent_sum" ] || fail "the percentage did not change after a right answer"
        question_sum=$(box_sum "$current" "$QUESTION_BOX")
        wrongs=0
    fi
    percent_sum=$new_percent
done 3< "$run/candidates.txt"
[ "$wrongs" -eq 3 ] || fail "ran out of countries to click before three wrong clicks on one question"

# The hint: the asked country lime after the third wrong click (at the next blink tick). It may
# be an island of a few pixels.
wait_until 30 "the asked country filled lime (#$LIME) after the third wrong click" \
    eval 'grab && [ "$(count "$current" "$MAP_BOX" $LIME)" -gt 0 ]'
keep hint-lime
# Its largest part, as far inside as it allows; the pixel nearest the middle (which a crooked
# country may not contain).
lime=""
for erode in "Disk:3" "Disk:2" "Disk:1" "1x1: 1"; do
    convert "$current" -crop "$MAP_BOX" +repage -alpha off -fill black +opaque "#$LIME" -fill white \
        -opaque "#$LIME" -morphology Erode "$erode" \
        -define connected-components:verbose=true -connected-components 8 -depth 16 \
        "$run/lime-labels.png" > "$run/lime-components.txt"
    lime=$(white_components "$run/lime-components.txt" | head -1)
    [ -z "$lime" ] || break
done
[ -n "$lime" ] || fail "no lime region to click"
read -r id mx my bbox _ <<< "$lime"
convert "$run/lime-labels.png" -crop "$bbox" +repage -fx "abs(u*65535-$id)<0.5?1:0" "$run/probe-lime.png"
IFS='x+' read -r _ _ bx by <<< "$bbox"
read -r cx cy < <(convert "$run/probe-lime.png" txt:- | awk -F'[,: ]+' -v ox="$bx" -v oy="$by" -v mx="$mx" -v my="$my" '
    /gray\(255\)|#FFFFFF/ { d = ($1 + ox - mx) ^ 2 + ($2 + oy - my) ^ 2
        if (!n++ || d < best) { best = d; x = $1 + ox; y = $2 + oy } }
    END { if (n) print x, y }') || fail "no pixel in the lime region $bbox"
click_at $((MAP_X + cx)) $((MAP_Y + cy))
log "clicked the lime country at $cx,$cy of the map"
answered=${ATTEMPT_COLOUR[4]}
wait_until 60 "the lime country answered: #$answered (four attempts), no lime left, a new question" \
    eval 'grab && [ "$(share "$current" "$run/probe-lime.png" "$bbox" "$answered")" -ge 90 ] &&
        [ "$(count "$current" "$MAP_BOX" $LIME)" -eq 0 ] &&
        [ "$(box_sum "$current" "$QUESTION_BOX")" != "$question_sum" ]'
keep answered-right
[ "$(box_sum "$current" "$PERCENT_BOX")" != "$percent_sum" ] || fail "the percentage did not change after the right answer"
log "the country turned #$answered, a new question is asked and the percentage changed"

click_at $((QUIT_X + 39)) $((QUIT_Y + 12))
wait_until 30 "the map screen closed after a click on Avsluta" eval '! is_viewable "$map"'
log "closed the map screen with Avsluta"

# ---- the high-score list ------------------------------------------------------------------------
TITLE='Bästa resultat i alla övningar'
click_at $((PX + 372 + 95)) $((PY + 315 + 14))
wait_until 60 "the high-score list (a visible window named \"$TITLE\")" eval '[ -n "$(visible "^$TITLE")" ]'
list=$(visible "^$TITLE" | head -1)
expect_name "$list" "^$TITLE$"
geometry "$list"
[ "$WIDTH" = 632 ] && [ "$HEIGHT" = 453 ] || fail "high-score list ${WIDTH}x$HEIGHT, expected 632x453"
TX=$X TY=$Y
wait_until 60 "the high-score list's frame #$FRAME at 68,218 and its yellow heading" \
    eval 'grab && [ "$(pixel "$current" $((TX + 68)) $((TY + 218)))" = "$FRAME" ] &&
        [ "$(count "$current" "485x27+$((TX + 60 + 22))+$((TY + 18 + 14))" $YELLOW)" -ge 50 ]'
keep high-score-list
[ "$(pixel "$current" $((TX + 20)) $((TY + 200)))" = "$WHITE" ] ||
    fail "high-score list: white outside the frame at 20,200, got #$(pixel "$current" $((TX + 20)) $((TY + 200)))"
timeout 10 xdotool windowfocus --sync "$list" || fail "could not give the high-score list the keyboard focus"
xdotool key Return
wait_until 30 "the high-score list closed by Return" eval '! is_viewable "$list"'
log "closed the high-score list with Return"

# ---- quit ---------------------------------------------------------------------------------------
grab
keep before-quit
click_at $((PX + 372 + 95)) $((PY + 396 + 14))
quit_at=$SECONDS
wait_until 20 "the game to end after Avsluta in the main menu" eval '! is_running'
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status, expected 0"
log "the game ended with status 0, $((SECONDS - quit_at))s after Avsluta"
grep -rqs '^From=1' "$run/config" || fail "Swedish (From=1) was not saved in the private settings folder"
log "PASSED in $((SECONDS - started))s"
