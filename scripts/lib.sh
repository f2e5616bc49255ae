# What the scripts share; sourced, not run.

# Reads numbers, one a line; prints their median, least, greatest and count.
summary() {
    sort -g | awk '{ r[NR] = $1 } END {
        printf "%.2f %.2f %.2f %d\n", NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2, r[1], r[NR], NR }'
}

# Reads numbers, one a line; prints their median.
median() { summary | cut -d' ' -f1; }

# Runs the calling script again inside a new Xvfb server of the given screen
# ("800x300x24"), unless it already runs in one: call as in_xvfb SCREEN "$0" "$@".
in_xvfb() {
    local screen=$1
    shift
    [ -n "${ZORV_IN_XVFB:-}" ] && return 0
    ZORV_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 $screen" "$@"
}
