#!/usr/bin/env bash
# Plays the installed game at random in a real X window for a given time: clicks with every mouse
# button, double clicks, drags, key presses (digits, Return, Escape, Tab, F1, letters, Å, Ö, é)
# and typed names, over whichever of the game's windows are visible, starting the game again
# whenever it ends. Before every action the game must answer a window-manager ping.
#
#   random_play.sh <build dir> <x_ping program> <work dir> [seconds]
#
# Findings: the game crashed or ended with a non-zero status, a sanitizer report in its output,
# the general error box (the game logs "unhandled error:" when it shows it), a hang (no answer to
# the ping for 10 s while its windows exist, or 20 s of a core burnt at full load). Each finding
# is logged with the game's output, a screenshot is kept and the run goes on with a new game; the
# test fails at the end when there was any.
#
# Environment: GLOBANA_RANDOM_SECONDS overrides the duration (default 120); GLOBANA_RANDOM_SEED
# replays a run's actions (its seed is printed at the start; the game's own timing may still
# differ). The run folder is removed after a run without findings unless GLOBANA_E2E_KEEP=1.
# Exit status 77: xvfb-run or xdotool is missing (the test is skipped).
set -euo pipefail

if [ "${1:-}" != "--inside" ]; then
    if [ $# -lt 3 ] || [ $# -gt 4 ]; then
        echo "usage: $0 <build dir> <x_ping program> <work dir> [seconds]" >&2
        exit 2
    fi
    for tool in xvfb-run xdotool xwininfo; do
        if ! command -v "$tool" > /dev/null; then
            echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
            exit 77
        fi
    done
    build=$1 ping_tool=$2 work=$3
    seconds=${GLOBANA_RANDOM_SECONDS:-${4:-120}}
    seed=${GLOBANA_RANDOM_SEED:-$(( $(date +%s%N) % 32768 ))}
    run="$work/runs/random-$(date +%Y%m%d-%H%M%S)-$$"
    mkdir -p "$run"/{home,config,data,runtime}
    chmod 700 "$run/runtime"
    echo "run folder: $run"
    echo "seed: $seed (replay with GLOBANA_RANDOM_SEED=$seed), $seconds s"
    if ! cmake --install "$build" --prefix "$run/prefix" > "$run/install.log" 2>&1; then
        cat "$run/install.log"
        echo "FAILED: cmake --install $build; files kept in $run"
        exit 1
    fi
    # Leaks are findings too, except those of the libraries the game uses.
    supp="$(cd "$(dirname "$0")/../.." && pwd)/scripts/lsan.supp"
    status=0
    HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_DATA_HOME="$run/data" \
        XDG_RUNTIME_DIR="$run/runtime" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
        LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$supp:print_suppressions=0}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
        xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "$0" --inside "$run" "$ping_tool" "$seconds" "$seed" || status=$?
    if [ "$status" -eq 0 ] && [ "${GLOBANA_E2E_KEEP:-0}" != "1" ]; then
        rm -rf "$run"
    elif [ "$status" -ne 0 ]; then
        echo "FAILED (status $status): the game's output of every finding and screenshots are kept in $run"
    fi
    exit "$status"
fi

# ---- inside the X server ------------------------------------------------------------------------
run=$2 ping_tool=$3 seconds=$4 seed=$5
game="$run/prefix/bin/globana"
RANDOM=$seed
ulimit -c 0
started=$SECONDS
deadline=$((SECONDS + seconds))
ticks=$(getconf CLK_TCK)
actions=0 starts=0 findings=0
game_pid="" game_log="" game_started=0
declare -A reached=()
cpu_times=() cpu_walls=()

log() { printf '[%4ds] %s\n' $((SECONDS - started)) "$*"; }

cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2> /dev/null; then
        kill -9 "$game_pid" 2> /dev/null || true
    fi
}
trap cleanup EXIT

start_game() {
    starts=$((starts + 1))
    game_log="$run/game-$starts.log"
    : > "$game_log"
    "$game" > "$game_log" 2>&1 &
    game_pid=$!
    game_started=$SECONDS
    cpu_times=() cpu_walls=()
    log "start $starts: pid $game_pid"
}

# finding <what>: logs it with the game's output, keeps a screenshot; the game is stopped
finding() {
    findings=$((findings + 1))
    log "FINDING $findings after $actions actions: $*"
    import -silent -window root "$run/finding-$findings.png" 2> /dev/null || true
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2> /dev/null; then
        kill -9 "$game_pid" 2> /dev/null || true
        wait "$game_pid" 2> /dev/null || true
    fi
    log "the game's output ($game_log):"
    tail -n 80 "$game_log" | sed 's/^/    /'
    cp "$game_log" "$run/finding-$findings.log"
    game_pid=""
}

# The game's output must hold no sanitizer report and no general error box.
check_output() {
    local line
    line=$(grep -m1 -E 'ERROR: (Address|Leak)Sanitizer|runtime error:|unhandled error:' "$game_log" || true)
    if [ -n "$line" ]; then
        finding "in the game's output: $line"
        return 1
    fi
}

# After the game ended by itself: a crash, a non-zero status or a report in its output.
check_ended() {
    local status=0
    wait "$game_pid" 2> /dev/null || status=$?
    check_output || return 0
    if [ "$status" -ne 0 ]; then
        finding "the game ended with status $status$( [ "$status" -gt 128 ] && echo " (signal $((status - 128)))")"
        return 0
    fi
    log "the game ended (status 0) after $((SECONDS - game_started)) s"
    game_pid=""
}

# Sends the game a ping through each of its windows; "dead" when it ended meanwhile, "gone" when
# it has no windows (starting or ending), "hang" when windows that still exist do not answer.
responsive() {
    local wins w
    wins=$(xdotool search --pid "$game_pid" 2> /dev/null || true)
    [ -n "$wins" ] || { kill -0 "$game_pid" 2> /dev/null && echo gone || echo dead; return; }
    # shellcheck disable=SC2086
    if "$ping_tool" 10000 $wins; then
        echo ok
        return
    fi
    kill -0 "$game_pid" 2> /dev/null || { echo dead; return; }
    for w in $wins; do
        if xwininfo -id "$w" > /dev/null 2>&1; then
            echo hang
            return
        fi
    done
    echo gone
}

# A core burnt for 20 s: the game's processor time over the last 20 s of wall time.
burning() {
    local stat cpu now i
    stat=$(cat "/proc/$game_pid/stat" 2> /dev/null) || return 1
    stat=${stat##*) }
    read -r -a fields <<< "$stat"
    cpu=$(( (fields[11] + fields[12]) * 1000 / ticks ))
    now=$(date +%s%3N)
    cpu_times+=("$cpu") cpu_walls+=("$now")
    for i in "${!cpu_walls[@]}"; do
        if [ $((now - cpu_walls[i])) -gt 20000 ]; then
            unset "cpu_walls[i]" "cpu_times[i]"
        elif [ $((now - cpu_walls[i])) -ge 19000 ]; then
            [ $((cpu - cpu_times[i])) -ge $(( (now - cpu_walls[i]) * 95 / 100 )) ] && return 0
            break
        fi
    done
    cpu_times=("${cpu_times[@]}") cpu_walls=("${cpu_walls[@]}")
    return 1
}

# What a window is, by its size (the exercise screens and the main menu are all named Globana).
kind_of() {
    local name=$1 w=$2 h=$3
    case "${w}x$h" in
        215x313) echo "language dialog" ;;
        598x453) echo "main menu" ;;
        529x378) echo "about box" ;;
        362x403) echo "top-ten window" ;;
        632x461) echo "flag screen" ;;
        632x453) [ "$name" = Globana ] && echo "multiple-choice screen" || echo "high-score list" ;;
        640x480) echo "help viewer" ;;
        *) if [ "$name" = globana ]; then echo "popup (menu or list)"
           elif [ "$w" -ge 1000 ]; then echo "map screen"; else echo "other: \"$name\" ${w}x$h"; fi ;;
    esac
}

pick() { local a=("$@"); echo "${a[RANDOM % ${#a[@]}]}"; }

KEYS=(0 1 2 3 4 5 6 7 8 9 Return Return Escape Escape Tab shift+Tab F1 space
      a b c e k n o s t x z A Q Aring aring Odiaeresis odiaeresis eacute Up Down Left Right
      Home End Prior Next BackSpace Delete alt+F4 ctrl+w)
NAMES=("Åsa" "Örjan" "Zoé" "Ann-Sofie Öberg" "René" "x" "ÅÄÖ åäö é" "Player 1" "A very long name typed by a player who does not stop typing"
       "" "123" "Élodie" "Ölandsbro")

act() {
    local wins w name kind X Y WIDTH HEIGHT x y r button tops=()
    wins=$(xdotool search --onlyvisible --pid "$game_pid" 2> /dev/null || true)
    [ -n "$wins" ] || return 0
    local list=()
    for w in $wins; do
        eval "$(xdotool getwindowgeometry --shell "$w" 2> /dev/null)" || continue
        name=$(xdotool getwindowname "$w" 2> /dev/null) || continue
        kind=$(kind_of "$name" "$WIDTH" "$HEIGHT")
        reached[$kind]=$(( ${reached[$kind]:-0} + 1 ))
        list+=("$w")
        [ "$kind" = "top-ten window" ] && tops+=("$w")
    done
    [ ${#list[@]} -gt 0 ] || return 0
    w=$(pick "${list[@]}")
    eval "$(xdotool getwindowgeometry --shell "$w" 2> /dev/null)" || return 0
    x=$((X + RANDOM % (WIDTH > 0 ? WIDTH : 1))) y=$((Y + RANDOM % (HEIGHT > 0 ? HEIGHT : 1)))
    x=$((x < 0 ? 0 : x > 1279 ? 1279 : x)) y=$((y < 0 ? 0 : y > 1023 ? 1023 : y))
    r=$((RANDOM % 100))
    actions=$((actions + 1))
    if [ "$r" -lt 40 ]; then
        button=$(pick 1 1 1 1 1 1 2 3 3 4 5)
        timeout 10 xdotool mousemove "$x" "$y" click "$button"
    elif [ "$r" -lt 55 ]; then
        timeout 10 xdotool mousemove "$x" "$y" click --repeat 2 --delay $((40 + RANDOM % 120)) "$(pick 1 1 1 1 2 3)"
    elif [ "$r" -lt 60 ]; then
        button=$(pick 1 1 3)
        timeout 10 xdotool mousemove "$x" "$y" mousedown "$button" \
            mousemove $((x + RANDOM % 81 - 40)) $((y + RANDOM % 81 - 40)) mouseup "$button"
    elif [ "$r" -lt 85 ]; then
        timeout 10 xdotool mousemove "$x" "$y" > /dev/null
        timeout 5 xdotool windowfocus "$w" 2> /dev/null || true
        timeout 10 xdotool key "$(pick "${KEYS[@]}")"
    else
        # A name: into the top-ten window's field when it is shown, else wherever the focus is.
        [ ${#tops[@]} -eq 0 ] || w=${tops[0]}
        timeout 5 xdotool windowfocus "$w" 2> /dev/null || true
        timeout 20 xdotool type --delay 15 "$(pick "${NAMES[@]}")"
        [ $((RANDOM % 2)) -eq 0 ] || timeout 10 xdotool key Return
    fi || true
    sleep "0.0$((RANDOM % 10))"
}

log "random play for $seconds s, seed $seed, on display $DISPLAY"
while [ "$SECONDS" -lt "$deadline" ]; do
    if [ -z "$game_pid" ]; then
        start_game
        continue
    fi
    if ! kill -0 "$game_pid" 2> /dev/null; then
        check_ended
        continue
    fi
    check_output || continue
    case "$(responsive)" in
        ok) ;;
        dead) continue ;;
        gone)
            if [ $((SECONDS - game_started)) -gt 120 ] && [ -z "$(xdotool search --pid "$game_pid" 2> /dev/null)" ]; then
                # Starting or ending takes seconds, even under the sanitizers; not minutes.
                sleep 30
                kill -0 "$game_pid" 2> /dev/null && [ -z "$(xdotool search --pid "$game_pid" 2> /dev/null)" ] &&
                    finding "the game runs without any window"
            fi
            sleep 0.2
            continue
            ;;
        hang)
            finding "hang: no answer to a ping for 10 s"
            continue
            ;;
    esac
    if burning; then
        finding "hang: a core burnt for 20 s"
        continue
    fi
    act
done

# The end: the game is asked to end as at logout and must do so cleanly.
if [ -n "$game_pid" ] && kill -0 "$game_pid" 2> /dev/null; then
    kill -TERM "$game_pid"
    for _ in $(seq 600); do
        kill -0 "$game_pid" 2> /dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2> /dev/null; then
        finding "the game did not end within 60 s of SIGTERM"
    else
        check_ended
    fi
fi

log "figures: $seconds s, seed $seed, $actions actions, $starts starts, $findings findings"
log "windows reached (actions' views of each):"
for kind in "${!reached[@]}"; do
    printf '    %-40s %d\n' "$kind" "${reached[$kind]}"
done | sort
if [ "$findings" -gt 0 ]; then
    log "FAILED: $findings findings (logs and screenshots: $run/finding-*)"
    exit 1
fi
log "PASSED"
