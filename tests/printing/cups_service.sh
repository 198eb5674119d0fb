#!/usr/bin/env bash
# Starts or stops the print service that the print test sends its pages through.
#   cups_service.sh start STATE   start cupsd if it is not running, add the PDF queue
#   cups_service.sh stop STATE    remove what start added, stop cupsd if start started it
#   cups_service.sh pause STATE   stop the cupsd that start started (for the test of a service
#                                 that stopped); fails when start found one running
#   cups_service.sh resume STATE  start it again after pause
# STATE is a file: its first line is "ready" or "unavailable: <reason>" for the test to read;
# the rest records what start did, so that stop undoes only that. A cupsd started here runs in
# the foreground of a background job, so that its own process id is known: it is stopped by
# that id alone, never by name, and a print service that was already running is left alone.
set -u
action=$1
state=$2
queue=KymataTest
model=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
# A backend that fails every job, for the queues whose error policy the test tries.
failing=/usr/lib/cups/backend/kymata-fail

as_admin() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi
}

unavailable() {
    echo "unavailable: $*" >"$state"
    echo "The print test will be skipped: $*"
    exit 0
}

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

# Starts cupsd and prints its process id (that of sudo, which passes signals on, as a user).
start_cupsd() {
    if [ "$(id -u)" = 0 ]; then
        /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    else
        sudo -n /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    fi
    echo $!
}

# Stops the process $1 that start_cupsd started, and waits until it is gone.
stop_cupsd() {
    as_admin kill -TERM "$1" 2>/dev/null || return 0
    for _ in $(seq 50); do as_admin kill -0 "$1" 2>/dev/null || return 0; sleep 0.2; done
    return 1
}

recorded_pid() { sed -n 's/^pid=//p' "$state"; }

case $action in
start)
    : >"$state"
    for tool in cupsd lpadmin lpstat; do
        command -v "$tool" >/dev/null || [ -x "/usr/sbin/$tool" ] ||
            unavailable "$tool is not installed (Debian packages cups and printer-driver-cups-pdf)"
    done
    [ -e /usr/lib/cups/backend/cups-pdf ] || unavailable "the cups-pdf backend is not installed"
    started=no
    pid=
    if ! running; then
        pid=$(start_cupsd)
        for _ in $(seq 50); do running && break; as_admin kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
        running || { stop_cupsd "$pid"; unavailable "cupsd could not be started, or does not answer"; }
        started=yes
    fi
    as_admin lpadmin -p "$queue" -v cups-pdf:/ -E -m "$model" >/dev/null 2>&1 ||
        { [ $started = yes ] && stop_cupsd "$pid"; unavailable "the PDF queue could not be added"; }
    as_admin install -m 0755 "$(dirname "$0")/failing_backend.sh" "$failing" >/dev/null 2>&1 ||
        echo "the failing backend could not be installed; its rows will fail"
    printf 'ready\nstarted=%s\nqueue=%s\npid=%s\n' "$started" "$queue" "$pid" >"$state"
    echo "CUPS is ready with queue $queue (cupsd started here: $started)"
    ;;
stop)
    [ -f "$state" ] || exit 0
    if head -n 1 "$state" | grep -q '^ready'; then
        as_admin lpadmin -x "$queue" >/dev/null 2>&1 || true
        as_admin rm -f "$failing"
        if grep -q '^started=yes' "$state"; then
            stop_cupsd "$(recorded_pid)" || true
            echo "stopped the cupsd that the tests started (process $(recorded_pid))"
        fi
    fi
    rm -f "$state"
    ;;
pause)
    grep -q '^started=yes' "$state" || { echo "the print service was not started here"; exit 1; }
    stop_cupsd "$(recorded_pid)"
    ;;
resume)
    grep -q '^started=yes' "$state" || { echo "the print service was not started here"; exit 1; }
    pid=$(start_cupsd)
    sed -i "s/^pid=.*/pid=$pid/" "$state"
    for _ in $(seq 50); do running && exit 0; sleep 0.2; done
    exit 1
    ;;
esac
exit 0
